#pragma once

#include "app/program_context.h"
#include "app/settings.h"
#include "tools/quorval-cli/cli_error.h"
#include "tools/quorval-cli/command_line.h"
#include "tools/quorval-cli/server_games.h"

#include <QStringList>
#include <QTextStream>

#include <functional>
#include <optional>

// The commands of quorval-cli on one program folder. Results go to out;
// progress, warnings and failures to err.
class TQuorvalCli
{
public:
    TQuorvalCli(const TProgramContext &context, QTextStream &out, QTextStream &err);

    // Runs the request and returns its exit code. Where a command goes
    // through several servers or games, a failure is reported and the rest is
    // still done; the code is then that of the first failure.
    int run(const TCliRequest &request);

private:
    void servers();
    void games(const TCliRequest &request);
    void pgn(const TCliRequest &request);
    void show(const TCliRequest &request);
    void send(const TCliRequest &request);
    void note(const TCliRequest &request);

    // Runs command for the server the request names, or for every server,
    // reporting the failure of one and going on with the next.
    void forEachServer(const TCliRequest &request, const std::function<void(const ServerEntry &)> &command);
    // Reports a failure and keeps the first one's exit code.
    void report(const ECliError &failure);
    // The reader's complaints about a game, as failures.
    void reportLoadMessages(const LoadedServerGame &loaded, const XfccGame &game, const ServerEntry &server);
    // The game of SERVER and GAME, read for show and send; a game the reader
    // cannot read completely is a failure.
    LoadedServerGame loadComplete(const XfccGame &game, const ServerEntry &server);

    TProgramContext m_context;
    QTextStream &m_out;
    QTextStream &m_err;
    TServerGames m_servers;
    TSettings m_settings;  // of the program folder, read at each run
    std::optional<TExitCode> m_failure;
};

// quorval-cli after its QCoreApplication is made: reads the arguments (those
// after the program's name), finds the program folder (--folder, else
// $QUORVAL_FOLDER, else Quorval's own) and runs the command.
int RunQuorvalCli(const QStringList &arguments, QTextStream &out, QTextStream &err);
