#include "tools/quorval-cli/server_games.h"

#include "service/server_check.h"
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
        return GetXfccBasicSoap(false, server.ServiceUrl, m_transport)->GetMyGames(server.UserName, server.Password);
    } catch (const EXfccError &e) {
        throw failureOf(server, e.message(), e.kind());
    }
}

ECliError TServerGames::failureOf(const ServerEntry &server, const QString &message, EXfccError::Kind kind)
{
    if (kind == EXfccError::Kind::Fault)
        return ECliError(TExitCode::Authentication,
                         QStringLiteral("%1 refused the user \"%2\": %3").arg(server.Name, server.UserName, message));
    return ECliError(TExitCode::Network, QStringLiteral("%1: %2").arg(server.Name, message));
}

void TServerGames::gamesOfAll(const QList<ServerEntry> &servers,
                              const std::function<void(const ServerEntry &, const ArrayOfXfccGame &)> &onServer,
                              const std::function<void(const ECliError &)> &failed)
{
    QList<XfccAccount> accounts;
    for (const ServerEntry &server : servers) {
        m_progress << QStringLiteral("Asking %1 (%2) ...").arg(server.Name, server.ServiceUrl) << Qt::endl;
        accounts << XfccAccount{server.Name, server.ServiceUrl, server.UserName, server.Password};
    }
    TServerCheck check(accounts, m_transport);
    QObject::connect(&check, &TServerCheck::serverChecked, [&](int index) {
        const ServerCheckOutcome &outcome = check.outcome(index);
        if (outcome.answered)
            onServer(servers[index], outcome.games);
        else
            failed(failureOf(servers[index], outcome.failure, outcome.failureKind));
    });
    check.wait();
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
