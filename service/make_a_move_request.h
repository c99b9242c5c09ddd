#pragma once

#include <QString>

// The parameters of one MakeAMove call, in their declared order.
struct MakeAMoveRequest {
    QString username;
    QString password;
    int gameId = 0;
    bool resign = false;
    bool acceptDraw = false;
    int movecount = 0;
    QString myMove;
    bool offerDraw = false;
    bool claimDraw = false;
    QString myMessage;
};
