#pragma once

#include "chess/game_record.h"

#include <QStringList>

// A game record holding the moves, played from the initial position through
// the move library as the PGN reader plays them.
GameRecord PlayedRecord(const QStringList &sanMoves);

// A real game of 44 half-moves, after Black's 22nd move.
QStringList ClosedSpanishGame();
