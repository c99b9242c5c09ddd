#pragma once

#include <QIcon>
#include <QList>

// The pictures of the two lists, drawn at start-up.
// Server states: 0 no move due, 1 a move is due on that server (32 x 32).
QList<QIcon> ServerStateIcons();
// Game states: 0 the user to move, 1 the opponent to move, 2 lost, 3 won,
// 4 drawn (16 x 16).
QList<QIcon> GameStateIcons();
