#pragma once

#include "chess/encodings.h"
#include "chess/game_record.h"
#include "chess/position.h"

#include <functional>

// Turns moves into changes of the shown position and of the current game:
// plays and takes back moves square by square (castling rook, en-passant
// pawn, promotion included) and enters a dragged move with the rules. It
// draws through a square-redraw callback, so it runs with or without a board
// widget.
class TMoveEntry
{
public:
    using RedrawFunction = std::function<void(Square)>;
    // The piece, in the mover's colour, a pawn reaching the last rank becomes.
    using PromotionFunction = std::function<PieceCode(bool white)>;

    enum class Outcome {
        Entered,       // the game grew by one ply; later plies were dropped
        Illegal,       // refused by the rules; the from-square was redrawn
        KingExposed,   // leaves the own king attacked, or castles out of or through check; taken back
        TooManyMoves,  // the game already holds 400 plies; "Too many moves!" was shown
    };

    TMoveEntry(GameRecord &game, TChessPosition &position, RedrawFunction redrawSquare = {});

    void setPromotionChooser(PromotionFunction choose) { m_choosePromotion = std::move(choose); }

    // Plays move on the position as ply CurrentPly: callers that replay or
    // step forward advance CurrentPly first. Refuses with "Too many moves!"
    // beyond 400 plies, changing nothing.
    bool DoMove(const MoveRecord &move);
    // Takes back move, which is Moves[CurrentPly]; callers step CurrentPly
    // back afterwards. The en-passant square becomes the one the previous
    // ply left.
    void ReverseMove(const MoveRecord &move);
    void PutPiece(PieceCode piece, Square q, bool redraw);
    // After DoMove, with the moving piece in move.Piece: 0 when no other such
    // piece could reach move.To, 1 when the from-file tells them apart, 2 when
    // only the from-rank does, 3 when both are needed.
    int Coincidencia(const MoveRecord &move);

    // Enters a dragged move (From, To, Annotation) at CurrentPly.
    Outcome EnterMove(MoveRecord move);

    // Steps through the stored moves; false at either end.
    bool StepForward();
    bool StepBack();

private:
    void redraw(Square q) const;
    // The square a pawn that just made a double step may be taken on, when an
    // enemy pawn stands beside it; 0 otherwise.
    Square enPassantSquareAfter(const MoveRecord &move) const;

    GameRecord &m_game;
    TChessPosition &m_position;
    RedrawFunction m_redrawSquare;
    PromotionFunction m_choosePromotion;
};
