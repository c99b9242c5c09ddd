#pragma once

#include "chess/game_record.h"
#include "chess/position.h"
#include "service/xfcc_types.h"

#include <QString>
#include <QStringList>

// A server game turned into the program's current game.
struct LoadedServerGame {
    GameRecord Game;             // CurrentPly = MoveCount; also the server copy
    TChessPosition Position;     // after the last move (the initial one when nothing was read)
    QStringList GameComments;    // "<ply>,<comment>"
    QString GameLog;             // the server's move text as sent
    bool WhiteIsAtBottom = true;
    bool DrawOffered = false;
    bool Parsed = false;         // false: "Error parsing game!!", leave the board as it is
    bool ReadInFull = false;     // every move read: no refused move, none left over
    QStringList Messages;        // error texts to show, in order
};

// Takes the comments out of the game's move text, writes the rest as
// "temporal.pgn" in tempFolder, reads it back and plays its moves. A move the
// reader refuses ends the game there with the reader's message. Throws
// std::runtime_error when the temporary file cannot be written.
LoadedServerGame LoadServerGame(const XfccGame &game, const QString &tempFolder, const QString &programFolder,
                                bool debugMode);
