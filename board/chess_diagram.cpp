#include "board/chess_diagram.h"

TChessDiagram::TChessDiagram(QWidget *parent)
    : QWidget(parent)
{
}

void TChessDiagram::setWhiteIsAtBottom(bool whiteAtBottom)
{
    m_whiteIsAtBottom = whiteAtBottom;
    Redraw();
}

QColor TChessDiagram::squareColor(Square q) const
{
    return (RankOf(q) + FileOf(q)) % 2 == 0 ? m_darkColor : m_lightColor;
}

void TChessDiagram::RedrawSquare(Square) {}
void TChessDiagram::DrawPiece(PieceCode, int, int) {}
void TChessDiagram::ClampToBoard(int &, int &) const {}
int TChessDiagram::SquareAt(int, int) const { return -1; }
void TChessDiagram::DrawSquare(PieceCode, Square) {}
void TChessDiagram::AnimationStep() {}
void TChessDiagram::EndAnimation() {}

void TChessDiagram::StartMoveAnimation(PieceCode piece, Square from, Square to)
{
    m_position.SetPiece(Piece::Empty, from);
    m_position.SetPiece(piece, to);
    m_lastFrom = from;
    m_lastTo = to;
}

void TChessDiagram::PlayMove(const MoveRecord &move)
{
    const PieceCode piece = PieceAt(move.From);
    if (piece == Piece::Empty)
        return;
    EndAnimation();
    StartMoveAnimation(piece, move.From, move.To);
}

void TChessDiagram::GetMove(MoveRecord &move) const
{
    move = m_dragResult;
}

void TChessDiagram::Redraw()
{
    EndAnimation();
    for (int rank = 0; rank < 8; ++rank)
        for (int file = 0; file < 8; ++file)
            DrawSquare(PieceAt(MakeSquare(rank, file)), MakeSquare(rank, file));
}

void TChessDiagram::SetSquare(PieceCode piece, Square q)
{
    m_position.SetPiece(piece, q);
    DrawSquare(piece, q);
}
