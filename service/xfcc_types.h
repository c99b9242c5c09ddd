#pragma once

#include "service/xfcc_enum.h"

#include <QList>
#include <QString>

#include <array>

// The state of a game.
struct ResultValues {
    enum Value {
        Ongoing,
        WhiteWins,
        BlackWins,
        Draw,
        WhiteWinAdjudicated,
        BlackWinAdjudicated,
        DrawAdjudicated,
        WhiteDefaulted,
        BlackDefaulted,
        BothDefaulted,
        Cancelled,
        AdjudicationPending,
        Other
    };
    static constexpr std::array<const char *, 12> Names{
        "Ongoing", "WhiteWins", "BlackWins", "Draw", "WhiteWinAdjudicated",
        "BlackWinAdjudicated", "DrawAdjudicated", "WhiteDefaulted", "BlackDefaulted",
        "BothDefaulted", "Cancelled", "AdjudicationPending"};
};
using Result = XfccEnum<ResultValues>;

// The server's answer to MakeAMove. "MoveIsAmbigous" is spelled as on the wire.
struct MakeAMoveResultValues {
    enum Value {
        Success,
        ServerError,
        AuthenticationFailed,
        InvalidGameID,
        NotYourGame,
        NotYourTurn,
        InvalidMoveNumber,
        InvalidMove,
        NoDrawWasOffered,
        LostOnTime,
        YouAreOnLeave,
        MoveIsAmbigous,
        Other
    };
    static constexpr std::array<const char *, 12> Names{
        "Success", "ServerError", "AuthenticationFailed", "InvalidGameID", "NotYourGame",
        "NotYourTurn", "InvalidMoveNumber", "InvalidMove", "NoDrawWasOffered", "LostOnTime",
        "YouAreOnLeave", "MoveIsAmbigous"};
};
using MakeAMoveResult = XfccEnum<MakeAMoveResultValues>;

// One game as the server reports it, seen from the user's side.
struct XfccGame {
    int id = 0;
    QString white;
    QString black;
    QString event;
    QString site;
    bool myTurn = false;
    bool hasWhite = false;
    QString moves;
    bool drawOffered = false;
    QString message;
    QString serverInfo;
    QString whiteTitle;
    QString blackTitle;
    int whiteElo = 0;
    int blackElo = 0;
    QString whiteNA;
    QString blackNA;
    QString eventSponsor;
    QString section;
    QString stage;
    QString board;
    QString timeControl;
    QString setup;
    QString fen;
    Result result;
    int daysPlayer = 0;
    int hoursPlayer = 0;
    int minutesPlayer = 0;
    int daysOpponent = 0;
    int hoursOpponent = 0;
    int minutesOpponent = 0;
    QString gameLink;
    QString eventDate;

    bool operator==(const XfccGame &) const = default;
};

using ArrayOfXfccGame = QList<XfccGame>;

// The result column's text of a game state: "*", "1-0", "1/2-1/2 {Adjudicated}", ...
QString ResultToString(Result result);
