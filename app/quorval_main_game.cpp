// The main window's current game: loading it from the server, the move list
// and its navigation, and the export commands.
#include "app/quorval_main.h"

#include "app/game_row.h"
#include "app/general_error.h"
#include "app/notes_pane.h"
#include "app/pgn_commands.h"
#include "app/server_game_loader.h"
#include "board/chess_diagram_2d.h"
#include "board/game_navigator.h"
#include "board/move_list.h"
#include "board/rich_view.h"
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
    auto *split = new QSplitter(Qt::Horizontal, MoveListPanel);
    split->setObjectName(QStringLiteral("MoveListSplitter"));
    split->setChildrenCollapsible(false);
    RichView1 = new TRichView(split);
    RichView1->setObjectName(QStringLiteral("RichView1"));
    m_notesPane = new TNotesPane(m_context.ProgramFolder,
                                 [this](const QString &id) { return MultiLang1->Translate(id); }, split);
    split->addWidget(RichView1);
    split->addWidget(m_notesPane);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);
    MoveListPanel->layout()->addWidget(split);
    m_moveList = new TMoveList(RichView1, this);
    m_navigator = new TGameNavigator(m_game, this);

    connect(m_navigator, &TGameNavigator::BoardChanged, this, [this](const TChessPosition &position) {
        Diagram->Position() = position;
        markBoard();
        Diagram->Redraw();
    });
    // The highlight first, then the engine: once per command.
    connect(m_navigator, &TGameNavigator::CurrentMoveChanged, m_moveList, &TMoveList::RichViewUpdateCurrentMove);
    connect(m_navigator, &TGameNavigator::CurrentMoveChanged, this, Guarded(this, &TQuorvalMain::SendPositionToCrafty));
    connect(m_navigator, &TGameNavigator::ScrollToTop, m_moveList, &TMoveList::ScrollToTop);
    connect(RichView1, &TRichView::Jump, m_navigator, &TGameNavigator::RichView1Jump);
    const struct { const char *button; void (TGameNavigator::*step)(); } steps[] = {
        {"SpeedButton5", &TGameNavigator::First}, {"SpeedButton7", &TGameNavigator::Previous},
        {"SpeedButton8", &TGameNavigator::Next}, {"SpeedButton9", &TGameNavigator::Last}};
    for (const auto &step : steps) {
        auto *button = findChild<QToolButton *>(QLatin1String(step.button));
        button->setEnabled(true);
        connect(button, &QToolButton::clicked, m_navigator, step.step);
    }
    UpdateMoveList();
}

void TQuorvalMain::UpdateMoveList()
{
    m_moveList->UpdateMoveList(MoveListContent{m_hasCurrentGame ? &m_game : nullptr,
                                               m_hasCurrentGame ? &m_currentGame : nullptr, m_drawOffered,
                                               m_gameComments, m_serverCopy.MoveCount,
                                               m_settings.UseFigurineNotation, m_settings.ShowComments});
}

void TQuorvalMain::RichViewUpdateCurrentMove()
{
    m_moveList->RichViewUpdateCurrentMove();
}

void TQuorvalMain::GameListClick()
{
    const auto *row = dynamic_cast<const GameRow *>(GameList->currentItem());
    if (!row)
        return;
    // A load that fails (the temporary file cannot be written) changes
    // nothing: the board, its game and the game they belong to stay
    // together, and so does the selected row.
    const LoadedServerGame loaded = [&] {
        try {
            return LoadServerGame(row->game(), m_context.TempFolder, m_context.ProgramFolder, m_context.DebugMode);
        } catch (...) {
            selectCurrentGameRow();
            throw;
        }
    }();
    m_currentGame = row->game();
    m_hasCurrentGame = true;
    m_notesPane->showGame(m_currentServer.Name, m_currentGame.id);
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
    Diagram->Position().SetStartPosition();
    if (m_game.Setup)
        Diagram->Position() = PositionAfterPly(m_game, 0);
    for (int ply = 1; ply <= m_game.MoveCount; ++ply) {
        m_game.CurrentPly = std::uint16_t(ply);
        DoMove(m_game.Moves[ply]);
    }
    Diagram->setWhiteIsAtBottom(loaded.WhiteIsAtBottom);
    markBoard();
    Diagram->Redraw();
    UpdateMoveList();
    RichViewUpdateCurrentMove();
    SendPositionToCrafty();
}

void TQuorvalMain::selectCurrentGameRow()
{
    for (int i = 0; m_hasCurrentGame && i < GameList->topLevelItemCount(); ++i) {
        const auto *row = dynamic_cast<const GameRow *>(GameList->topLevelItem(i));
        if (row && row->game().id == m_currentGame.id) {
            GameList->setCurrentItem(GameList->topLevelItem(i));
            return;
        }
    }
}

void TQuorvalMain::exportGame(bool toClipboard, bool append)
{
    if (!m_hasCurrentGame)
        return;
    const bool withNotes = findChild<QAction *>(QStringLiteral("ExportWithNotes"))->isChecked();
    ExportPGN(m_currentGame, m_game, m_gameComments, withNotes ? m_notesPane->text() : QString(), toClipboard, append,
              m_context.ProgramFolder, this);
}

void TQuorvalMain::Clearclipboard1Click()
{
    exportGame(true, false);
}

void TQuorvalMain::Appendtoclipboard1Click()
{
    exportGame(true, true);
}

void TQuorvalMain::Rewritefile1Click()
{
    exportGame(false, false);
}

void TQuorvalMain::Appendtofile1Click()
{
    exportGame(false, true);
}

void TQuorvalMain::CopyEPDtoclipboard1Click()
{
    CopyEPDToClipboard(m_game, Diagram->Position());
}

void TQuorvalMain::Showgamelog1Click()
{
    ShowGameLog(m_context.ProgramFolder, m_gameLog);
}
