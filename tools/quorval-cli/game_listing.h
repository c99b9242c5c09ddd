#pragma once

#include "service/xfcc_types.h"

#include <QJsonArray>
#include <QList>
#include <QString>
#include <QTextStream>

// A game with the name of the server that reports it.
struct TListedGame {
    QString server;
    XfccGame game;
};

// The games that await the user's move first, each part in the given order.
void SortDueFirst(QList<TListedGame> &games);

// One row a game: server, the game list's seven columns, and who is to move.
void WriteGameTable(QTextStream &out, const QList<TListedGame> &games);

// One object a game: "server", "id", "white", "black", "event", "site",
// "yourTime" and "opponentTime" ({"days", "hours", "minutes"}), "result" (the
// game list's text), "resultName" (the server's name for it), "myTurn",
// "hasWhite", "drawOffered", "due" and "gameLink".
QJsonArray GamesJson(const QList<TListedGame> &games);
