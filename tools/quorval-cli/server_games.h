#pragma once

#include "app/program_context.h"
#include "app/server_entry.h"
#include "app/server_game_loader.h"
#include "service/xfcc_types.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>

// The servers of a program folder and the games they report, for the
// commands. Every failure throws ECliError with its exit code.
class TServerGames
{
public:
    // While a server is asked, a line "Asking SERVER ..." goes to progress.
    TServerGames(const TProgramContext &context, QTextStream &progress);

    // The server files, as the window lists them.
    QStringList serverNames() const;
    // The server of that name; a name differing only in case is taken when it
    // is the only one.
    ServerEntry server(const QString &name) const;
    // All games of the server's user, in the server's order. A SOAP fault in
    // answer to this request, which carries nothing but the user name and the
    // password, is taken as a refused account.
    ArrayOfXfccGame gamesOf(const ServerEntry &server);
    static XfccGame game(const ArrayOfXfccGame &games, const ServerEntry &server, int id);
    // The game read as the window reads it. Its temporary PGN file goes to a
    // folder of this run, so that a running window's file is left alone.
    LoadedServerGame load(const XfccGame &game);

private:
    TProgramContext m_context;
    QTextStream &m_progress;
    QTemporaryDir m_temp;
};
