#include "app/quorval_main.h"

#include "app/color_ref.h"
#include "app/general_error.h"
#include "board/chess_diagram_2d.h"
#include "board/move_entry.h"
#include "board/promotion_dialog.h"
#include "board/square_pane.h"

void TQuorvalMain::createBoard()
{
    Diagram = new TChessDiagram2D(BoardPanel);
    Diagram->setObjectName(QStringLiteral("Diagram"));
    // The pane keeps the board square and as large as it has room for.
    static_cast<TSquarePane *>(BoardPanel)->setContent(Diagram);
    // The empty game record stands for a game from the initial position.
    Diagram->Position().SetStartPosition();
    m_moveEntry = std::make_unique<TMoveEntry>(m_game, Diagram->Position(),
                                               [this](Square q) { Diagram->RedrawSquare(q); });
    m_moveEntry->setPromotionChooser([this](bool white) {
        if (!PromotionDialog)
            return white ? Piece::WhiteQueen : Piece::BlackQueen;
        return PromotionDialog->ask(white);
    });
    connect(Diagram, &TChessDiagram2D::mouseUp, this, Guarded(this, &TQuorvalMain::DiagramMouseUp));
}

void TQuorvalMain::applyBoardColors()
{
    Diagram->setLightSquareColor(ColorFromColorRef(m_settings.LightSquaresColor));
    Diagram->setDarkSquareColor(ColorFromColorRef(m_settings.DarkSquaresColor));
    Diagram->setShowCoordinates(m_settings.ShowCoordinates);
    Diagram->setShowLastMove(m_settings.ShowLastMove);
    Diagram->setShowCheck(m_settings.ShowCheck);
    Diagram->Redraw();
}

void TQuorvalMain::markBoard()
{
    Diagram->setMarks(MarksOf(m_game, Diagram->Position()));
}

bool TQuorvalMain::DoMove(const MoveRecord &move)
{
    return m_moveEntry->DoMove(move);
}

void TQuorvalMain::ReverseMove(const MoveRecord &move)
{
    m_moveEntry->ReverseMove(move);
}

void TQuorvalMain::DiagramMouseUp()
{
    MoveRecord move;
    Diagram->GetMove(move);
    if (m_moveEntry->EnterMove(move) != TMoveEntry::Outcome::Entered)
        return;
    markBoard();
    UpdateMoveList();
    RichViewUpdateCurrentMove();
    SendPositionToCrafty();
}

