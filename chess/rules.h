#pragma once

#include "chess/encodings.h"
#include "chess/game_record.h"
#include "chess/position.h"

#include <cstdint>
#include <string>

// The rules move entry, the PGN reader and the engines need, on the
// program's own position and game record.

// Who moves after g.CurrentPly half-moves.
bool SideToMoveIsWhite(const GameRecord &g);
// Whether half-move n (counted from 1) is White's.
bool PlyIsWhite(const GameRecord &g, std::int32_t n);
// The number of the full move that holds half-move n (counted from 1): a game
// from a set-up position counts on from the set-up's full-move number and
// side to move. n = 0 gives the number of the move before the first one when
// White starts, and the first one's when Black does.
std::int32_t FullMoveNumber(const GameRecord &g, std::int32_t n);

// Castling rights from the set-up position and the first CurrentPly moves:
// lost when the king moves or anything leaves or lands on the rook's corner.
bool CanCastleWhiteShort(const GameRecord &g);
bool CanCastleWhiteLong(const GameRecord &g);
bool CanCastleBlackShort(const GameRecord &g);
bool CanCastleBlackLong(const GameRecord &g);
// "KQkq" for the rights that hold, "-" for none.
std::string CastlingText(const GameRecord &g);

// Set by IsMoveLegal when the move it accepts is an en-passant capture,
// cleared on every call.
extern bool LastMoveWasEnPassant;

// Whether the piece on move.From may go to move.To by its way of moving
// (castling included), not counting the mover's own king. With enforceSide
// the piece must belong to the side to move and may not land on a king.
bool IsMoveLegal(const GameRecord &g, const TChessPosition &position, const MoveRecord &move,
                 bool enforceSide);

bool SideToMoveInCheck(const GameRecord &g, const TChessPosition &position);
// After a move has been played and CurrentPly advanced: whether the mover
// left his own king attacked.
bool SideNotToMoveInCheck(const GameRecord &g, const TChessPosition &position);
// Whether any piece of either colour attacks q.
bool SquareAttacked(const GameRecord &g, const TChessPosition &position, Square q);
