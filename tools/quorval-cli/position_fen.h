#pragma once

#include "chess/game_record.h"
#include "chess/position.h"

#include <string>

// The position after all moves of game as a full FEN text: placement, side to
// move and castling rights as in the game's EPD, the en-passant target behind
// a pawn that has just stepped two squares, the half-moves since the last
// capture or pawn move, and the full-move number. Empty when the position
// holds an invalid piece.
std::string PositionFEN(const GameRecord &game, const TChessPosition &position);
