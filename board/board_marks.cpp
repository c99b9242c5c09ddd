#include "board/board_marks.h"

#include "chess/rules.h"

BoardMarks MarksOf(const GameRecord &game, const TChessPosition &position)
{
    BoardMarks marks;
    if (game.CurrentPly >= 1 && game.CurrentPly <= MoveList::Capacity) {
        const MoveRecord &last = game.Moves[game.CurrentPly];
        marks.LastFrom = last.From;
        marks.LastTo = last.To;
    }
    // A set-up without the mover's king has nothing to mark.
    const PieceCode king = SideToMoveIsWhite(game) ? Piece::WhiteKing : Piece::BlackKing;
    for (int rank = 0; rank < 8; ++rank)
        for (int file = 0; file < 8; ++file)
            if (position.GetPiece(MakeSquare(rank, file)) == king && SquareAttacked(game, position, MakeSquare(rank, file)))
                marks.CheckedKing = MakeSquare(rank, file);
    return marks;
}
