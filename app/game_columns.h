#pragma once

#include "service/xfcc_types.h"

#include <QStringList>

// What the game list shows of a game.
namespace GameListColumns {
// The seven column texts: number, White, Black, event, both remaining times
// ("3d, 5h") and the result text.
QStringList Texts(const XfccGame &game);
// The state icon's index: 0 the user to move, 1 the opponent, 2 lost, 3 won,
// 4 drawn, -1 none (defaulted, cancelled, ...).
int StateIcon(const XfccGame &game);
// Whether the list shows the game: finished games only when asked for.
bool IsListed(const XfccGame &game, bool showOnlyOngoingGames);
// A listed game that awaits the user's move.
bool AwaitsMyMove(const XfccGame &game);
} // namespace GameListColumns
