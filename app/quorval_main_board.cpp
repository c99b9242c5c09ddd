#include "app/quorval_main.h"

#include "app/color_ref.h"
#include "app/general_error.h"
#include "board/chess_diagram_2d.h"
#include "board/move_entry.h"
#include "board/promotion_dialog.h"
#include "board/square_pane.h"

void TQuorvalMain::createBoard()
{
    m_diagram = new TChessDiagram2D(m_boardPanel);
    m_diagram->setObjectName(QStringLiteral("diagram"));
    // The pane keeps the board square and as large as it has room for.
    static_cast<TSquarePane *>(m_boardPanel)->setContent(m_diagram);
    // The empty game record stands for a game from the initial position.
    m_diagram->Position().SetStartPosition();
    m_moveEntry = std::make_unique<TMoveEntry>(m_game, m_diagram->Position(),
                                               [this](Square q) { m_diagram->RedrawSquare(q); });
    m_moveEntry->setPromotionChooser([this](bool white) {
        if (!m_promotionDialog)
            return white ? Piece::WhiteQueen : Piece::BlackQueen;
        return m_promotionDialog->ask(white);
    });
    connect(m_diagram, &TChessDiagram2D::mouseUp, this, Guarded(this, &TQuorvalMain::enterDraggedMove));
}

void TQuorvalMain::applyBoardColors()
{
    m_diagram->setLightSquareColor(ColorFromColorRef(m_settings.LightSquaresColor));
    m_diagram->setDarkSquareColor(ColorFromColorRef(m_settings.DarkSquaresColor));
    m_diagram->setShowCoordinates(m_settings.ShowCoordinates);
    m_diagram->setShowLastMove(m_settings.ShowLastMove);
    m_diagram->setShowCheck(m_settings.ShowCheck);
    m_diagram->Redraw();
}

void TQuorvalMain::markBoard()
{
    m_diagram->setMarks(MarksOf(m_game, m_diagram->Position()));
}

bool TQuorvalMain::doMove(const MoveRecord &move)
{
    return m_moveEntry->DoMove(move);
}

void TQuorvalMain::reverseMove(const MoveRecord &move)
{
    m_moveEntry->ReverseMove(move);
}

void TQuorvalMain::enterDraggedMove()
{
    MoveRecord move;
    m_diagram->GetMove(move);
    if (m_moveEntry->EnterMove(move) != TMoveEntry::Outcome::Entered)
        return;
    markBoard();
    updateMoveList();
    highlightCurrentMove();
    sendPositionToEngine();
}

