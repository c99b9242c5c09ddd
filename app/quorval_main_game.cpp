// The main window's current game: loading it from the server, the move list
// and its navigation, and the export commands.
#include "app/quorval_main.h"

#include "app/game_list_controller.h"
#include "app/game_row.h"
#include "app/general_error.h"
#include "app/notes_pane.h"
#include "app/pgn_commands.h"
#include "app/server_game_loader.h"
#include "board/chess_diagram_2d.h"
#include "board/game_navigator.h"
#include "board/move_list.h"
#include "board/rich_view.h"
#include "ui/filedialogtexts.h"
#include "ui/multilang.h"
#include "ui/prompts.h"

#include <QAction>
#include <QLayout>
#include <QSplitter>
#include <QToolButton>
#include <QTreeWidget>

void TQuorvalMain::createMoveList()
{
    // The move list, and beside it the player's notes on the game.
    auto *split = new QSplitter(Qt::Horizontal, m_moveListPanel);
    split->setObjectName(QStringLiteral("moveListSplitter"));
    split->setChildrenCollapsible(false);
    m_moveListView = new TRichView(split);
    m_moveListView->setObjectName(QStringLiteral("moveListView"));
    m_notesPane = new TNotesPane(m_context.ProgramFolder,
                                 [this](const QString &id) { return m_translator->Translate(id); }, split);
    split->addWidget(m_moveListView);
    split->addWidget(m_notesPane);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    m_moveListPanel->layout()->addWidget(split);
    m_moveList = new TMoveList(m_moveListView, this);
    m_navigator = new TGameNavigator(m_game, this);

    connect(m_navigator, &TGameNavigator::BoardChanged, this, [this](const TChessPosition &position) {
        m_diagram->Position() = position;
        markBoard();
        m_diagram->Redraw();
    });
    // The highlight first, then the engine: once per command.
    connect(m_navigator, &TGameNavigator::CurrentMoveChanged, m_moveList, &TMoveList::HighlightCurrentMove);
    connect(m_navigator, &TGameNavigator::CurrentMoveChanged, this, Guarded(this, &TQuorvalMain::sendPositionToEngine));
    connect(m_navigator, &TGameNavigator::ScrollToTop, m_moveList, &TMoveList::ScrollToTop);
    connect(m_moveListView, &TRichView::Jump, m_navigator, &TGameNavigator::GoToJump);
    const struct { const char *button; void (TGameNavigator::*step)(); } steps[] = {
        {"firstMoveButton", &TGameNavigator::First}, {"previousMoveButton", &TGameNavigator::Previous},
        {"nextMoveButton", &TGameNavigator::Next}, {"lastMoveButton", &TGameNavigator::Last}};
    for (const auto &step : steps) {
        auto *button = findChild<QToolButton *>(QLatin1String(step.button));
        button->setEnabled(true);
        connect(button, &QToolButton::clicked, m_navigator, step.step);
    }
    updateMoveList();
}

void TQuorvalMain::updateMoveList()
{
    const XfccGame *shown = m_games->currentGame();
    m_moveList->UpdateMoveList(MoveListContent{shown ? &m_game : nullptr, shown, m_drawOffered,
                                               m_gameComments, m_serverCopy.MoveCount,
                                               m_settings.UseFigurineNotation, m_settings.ShowComments});
}

void TQuorvalMain::highlightCurrentMove()
{
    m_moveList->HighlightCurrentMove();
}

void TQuorvalMain::loadSelectedGame()
{
    const auto *row = dynamic_cast<const GameRow *>(m_gameList->currentItem());
    if (!row)
        return;
    // A load that fails (the temporary file cannot be written) changes
    // nothing: the board, its game and the game they belong to stay
    // together, and so does the selected row.
    const LoadedServerGame loaded = [&] {
        try {
            return LoadServerGame(row->game(), m_context.TempFolder, m_context.ProgramFolder, m_context.DebugMode);
        } catch (...) {
            m_games->selectCurrentGameRow();
            throw;
        }
    }();
    m_games->setCurrentGame(row->game());
    m_notesPane->showGame(m_games->currentServer().Name, row->game().id);
    for (const QString &message : loaded.Messages)
        MessageDlg(message, TPrompts::Icon::Error, TPrompts::Button::Ok, this);
    m_gameComments = loaded.GameComments;
    m_gameLog = loaded.GameLog;
    m_drawOffered = loaded.DrawOffered;
    // Replay the moves on the board, as a player would see them made. A game
    // that could not be read is empty, and so is the board then: a move made
    // on it cannot belong to the game loaded before.
    m_game = loaded.Game;
    m_serverCopy = loaded.Game;
    m_gameReadInFull = loaded.ReadInFull;
    m_diagram->Position().SetStartPosition();
    if (m_game.Setup)
        m_diagram->Position() = PositionAfterPly(m_game, 0);
    for (int ply = 1; ply <= m_game.MoveCount; ++ply) {
        m_game.CurrentPly = std::uint16_t(ply);
        doMove(m_game.Moves[ply]);
    }
    m_diagram->setWhiteIsAtBottom(loaded.WhiteIsAtBottom);
    markBoard();
    m_diagram->Redraw();
    updateMoveList();
    highlightCurrentMove();
    sendPositionToEngine();
}

void TQuorvalMain::exportGame(bool toClipboard, bool append)
{
    const XfccGame *game = m_games->currentGame();
    if (!game)
        return;
    const bool withNotes = findChild<QAction *>(QStringLiteral("exportWithNotesAction"))->isChecked();
    ExportPGN(*game, m_game, m_gameComments, withNotes ? m_notesPane->text() : QString(), toClipboard, append,
              m_context.ProgramFolder, *m_pgnSaveDialog, this);
}

void TQuorvalMain::copyGame()
{
    exportGame(true, false);
}

void TQuorvalMain::appendGameToClipboard()
{
    exportGame(true, true);
}

void TQuorvalMain::saveGame()
{
    exportGame(false, false);
}

void TQuorvalMain::appendGameToFile()
{
    exportGame(false, true);
}

void TQuorvalMain::copyEpd()
{
    CopyEPDToClipboard(m_game, m_diagram->Position());
}

void TQuorvalMain::showGameLog()
{
    ShowGameLog(m_context.ProgramFolder, m_gameLog);
}
