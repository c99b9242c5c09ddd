#pragma once

#include "movelib/board.h"
#include "service/xfcc_types.h"

#include <QString>
#include <QStringList>

// One game as the test server keeps it: the data both players see alike, and
// the state each player's view of it is made from.
struct TestGame {
    enum class Side { None, White, Black };

    struct Clock {
        int days = 0;
        int hours = 0;
        int minutes = 0;
    };

    // id, names, event, ratings, result, set-up FEN, game link, ... The
    // fields that depend on who asks (myTurn, hasWhite, moves, drawOffered,
    // message and the clocks) are made by viewFor().
    XfccGame common;
    QString whiteUser;
    QString blackUser;
    // The half-moves in SAN, each optionally followed by brace comments.
    QStringList moves;
    QString whiteMessage;  // the last message White wrote
    QString blackMessage;
    Side drawOfferedBy = Side::None;
    Clock whiteClock;
    Clock blackClock;

    Side sideOf(const QString &username) const;
    // None once the game has a result.
    Side sideToMove() const;
    // The number of the full move being played now.
    int moveNumber() const;
    // The moves as movetext: "1. e4 e5 2. Nf3 {a comment} Nc6".
    QString movetext() const;
    XfccGame viewFor(Side side) const;

    // The position after the recorded moves; false when the set-up FEN or a
    // recorded move cannot be played.
    bool position(tlm::Board &board) const;
    // Plays a move of the side to move, records it in standard SAN and ends
    // the game on mate or stalemate. InvalidMove, MoveIsAmbigous, or
    // ServerError when the recorded game itself cannot be replayed.
    MakeAMoveResult playMove(const QString &san);

private:
    // Who moved first, and the number of that move, from the set-up FEN.
    bool startsWithWhite() const;
    int firstMoveNumber() const;
};
