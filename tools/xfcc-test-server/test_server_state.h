#pragma once

#include "service/make_a_move_request.h"
#include "tools/xfcc-test-server/test_game.h"

#include <QList>
#include <QMap>

// The test server's users and games, and the rules of its two operations.
struct TestServerState {
    QMap<QString, QString> passwords;  // user name -> password
    QList<TestGame> games;

    bool authenticate(const QString &username, const QString &password) const;
    // The user's games as that user sees them, in the data's order.
    ArrayOfXfccGame gamesOf(const QString &username) const;
    // Checks the request and, when it is accepted, changes the game.
    MakeAMoveResult makeAMove(const MakeAMoveRequest &request);
};
