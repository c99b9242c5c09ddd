#pragma once

#include <QIcon>
#include <QList>

// What a server's icon in the server list says.
enum class ServerState { NoMoveDue = 0, MoveDue = 1, NotReached = 2 };

// The pictures of the two lists, drawn at start-up.
// Server states, indexed by ServerState (32 x 32).
QList<QIcon> ServerStateIcons();
// Game states: 0 the user to move, 1 the opponent to move, 2 lost, 3 won,
// 4 drawn (16 x 16).
QList<QIcon> GameStateIcons();
// The tray's picture: the server picture with the number of due games.
QIcon DueCountIcon(int due);
