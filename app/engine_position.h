#pragma once

#include "chess/game_record.h"
#include "chess/position.h"
#include "engine/analysedposition.h"

// What the engine is asked to analyse: the shown position of the game, with
// the moves that lead to it from the game's start.
TAnalysedPosition AnalysedPositionOf(const GameRecord &game, const TChessPosition &shown);
