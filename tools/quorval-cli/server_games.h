#pragma once

#include "app/program_context.h"
#include "app/server_entry.h"
#include "app/server_game_loader.h"
#include "service/xfcc_account.h"
#include "service/xfcc_error.h"
#include "service/xfcc_transport.h"
#include "service/xfcc_types.h"
#include "tools/quorval-cli/cli_error.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

#include <chrono>
#include <functional>

// The servers of a program folder and the games they report, for the
// commands. Every failure throws ECliError with its exit code.
class TServerGames
{
public:
    // While a server is asked, a line "Asking SERVER ..." goes to progress.
    TServerGames(const TProgramContext &context, QTextStream &progress);

    // How requests travel; the time-out a server may stay silent.
    const XfccTransport &transport() const { return m_transport; }
    void setTimeout(std::chrono::seconds timeout) { m_transport.stallTimeout = timeout; }

    // The server files, as the window lists them.
    QStringList serverNames() const;
    // The server of that name; a name differing only in case is taken when it
    // is the only one.
    ServerEntry server(const QString &name) const;
    // All games of the server's user, in the server's order. A SOAP fault in
    // answer to this request, which carries nothing but the user name and the
    // password, is taken as a refused account.
    ArrayOfXfccGame gamesOf(const ServerEntry &server);
    // Every server's games, all asked at once. onServer is told each server's
    // games as they come; a server that cannot be read is reported to failed.
    void gamesOfAll(const QList<ServerEntry> &servers,
                    const std::function<void(const ServerEntry &, const ArrayOfXfccGame &)> &onServer,
                    const std::function<void(const ECliError &)> &failed);
    // The failure of asking server for its games, with its exit code.
    static ECliError failureOf(const ServerEntry &server, const QString &message, EXfccError::Kind kind);
    static XfccGame game(const ArrayOfXfccGame &games, const ServerEntry &server, int id);
    // The game read as the window reads it. Its temporary PGN file goes to a
    // folder of this run, so that a running window's file is left alone.
    LoadedServerGame load(const XfccGame &game);

private:
    TProgramContext m_context;
    XfccTransport m_transport;
    QTextStream &m_progress;
    QTemporaryDir m_temp;
};
