#include "tools/quorval-cli/server_games.h"

#include "service/xfcc_error.h"
#include "service/xfccbasic.h"
#include "tools/quorval-cli/cli_error.h"

#include <stdexcept>

TServerGames::TServerGames(const TProgramContext &context, QTextStream &progress)
    : m_context(context), m_progress(progress)
{
}

QStringList TServerGames::serverNames() const
{
    return ListServerFiles(m_context.ServersFolder);
}

ServerEntry TServerGames::server(const QString &name) const
{
    const QStringList names = serverNames();
    QString found = names.contains(name) ? name : QString();
    if (found.isEmpty()) {
        QStringList alike;
        for (const QString &known : names) {
            if (known.compare(name, Qt::CaseInsensitive) == 0)
                alike << known;
        }
        if (alike.size() == 1)
            found = alike.first();
    }
    if (found.isEmpty()) {
        const QString known = names.isEmpty() ? QStringLiteral("no server is configured in %1").arg(m_context.ServersFolder)
                                              : QStringLiteral("the servers are: %1").arg(names.join(QStringLiteral(", ")));
        throw ECliError(TExitCode::UnknownName, QStringLiteral("No server \"%1\"; %2").arg(name, known));
    }
    try {
        ServerEntry entry = ReadServerFile(m_context.ServersFolder, found);
        entry.Name = found;
        return entry;
    } catch (const std::runtime_error &e) {
        throw ECliError(TExitCode::Failure, QString::fromUtf8(e.what()));
    }
}

ArrayOfXfccGame TServerGames::gamesOf(const ServerEntry &server)
{
    m_progress << QStringLiteral("Asking %1 (%2) ...").arg(server.Name, server.ServiceUrl) << Qt::endl;
    try {
        return GetXfccBasicSoap(false, server.ServiceUrl)->GetMyGames(server.UserName, server.Password);
    } catch (const EXfccError &e) {
        if (e.kind() == EXfccError::Kind::Fault)
            throw ECliError(TExitCode::Authentication,
                            QStringLiteral("%1 refused the user \"%2\": %3").arg(server.Name, server.UserName, e.message()));
        throw ECliError(TExitCode::Network, QStringLiteral("%1: %2").arg(server.Name, e.message()));
    }
}

XfccGame TServerGames::game(const ArrayOfXfccGame &games, const ServerEntry &server, int id)
{
    for (const XfccGame &game : games) {
        if (game.id == id)
            return game;
    }
    throw ECliError(TExitCode::UnknownName,
                    QStringLiteral("%1 has no game %2 of the user \"%3\"").arg(server.Name).arg(id).arg(server.UserName));
}

LoadedServerGame TServerGames::load(const XfccGame &game)
{
    if (!m_temp.isValid())
        throw ECliError(TExitCode::Failure, QStringLiteral("No temporary folder: %1").arg(m_temp.errorString()));
    try {
        return LoadServerGame(game, m_temp.path(), m_context.ProgramFolder, m_context.DebugMode);
    } catch (const std::runtime_error &e) {
        throw ECliError(TExitCode::Failure, QString::fromUtf8(e.what()));
    }
}
