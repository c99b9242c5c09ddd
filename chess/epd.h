#pragma once

#include "chess/game_record.h"
#include "chess/position.h"

#include <string>

struct EPDResult {
    std::string Text;
    bool InvalidPiece = false;  // a square held a code above 12; Text is then empty
};

// The EPD text of the shown position in game: placement, side to move and
// castling rights from the game, and "-" for en passant, without move
// counters or a final blank. A set-up game with no moves gives its SetupFEN.
EPDResult MakeEPD(const GameRecord &game, const TChessPosition &position);
