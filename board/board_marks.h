#pragma once

#include "chess/encodings.h"
#include "chess/game_record.h"
#include "chess/position.h"

// The squares the board marks for the player: the two squares of the move
// that led to the shown position and the king of the side to move when it is
// in check. -1 stands for no square.
struct BoardMarks
{
    int LastFrom = -1;
    int LastTo = -1;
    int CheckedKing = -1;

    bool operator==(const BoardMarks &) const = default;
};

// The marks of position, which shows game after its ply CurrentPly.
BoardMarks MarksOf(const GameRecord &game, const TChessPosition &position);
