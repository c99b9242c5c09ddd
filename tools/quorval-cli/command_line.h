#pragma once

#include "service/move_to_send.h"

#include <QString>
#include <QStringList>

#include <optional>

// One run of quorval-cli as its arguments ask for it.
struct TCliRequest {
    enum class Command { Help, Servers, Games, Pgn, Show, Send, Note };

    Command command = Command::Help;
    QString helpTopic;           // Help: the command asked about; empty for the overview
    QString folder;              // --folder; empty: $QUORVAL_FOLDER or the program's own folder
    std::optional<int> timeout;  // --timeout SECONDS; none: "SERVER_TIMEOUT_SECONDS" of the settings
    QString server;              // SERVER, when given
    std::optional<int> game;     // GAME, when given
    QString move;                // send: MOVE; empty for a resignation or a draw acceptance
    QString message;             // send: --message
    TSendChoice choice = TSendChoice::None;  // send: --offer-draw, --resign, --accept-draw
    bool all = false;            // games: --all
    bool json = false;           // games: --json
    bool due = false;            // games: --due
    bool comments = false;       // pgn: --comments
    bool notes = false;          // pgn: --notes
    std::optional<QString> newNotes;  // note: --set TEXT ("-": standard input)
};

// Reads the arguments after the program name. Throws ECliError with
// TExitCode::Usage for an unknown command or option, a missing or surplus
// argument, a game number that is not a number, or options that exclude
// each other.
TCliRequest ParseCliArguments(const QStringList &arguments);

// The help of a command ("games", ...), or the overview for an empty text.
QString CliHelpText(const QString &command = {});
