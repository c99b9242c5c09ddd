#include "tools/quorval-cli/cli_commands.h"

#include "app/game_columns.h"
#include "app/game_notes.h"
#include "app/ini_file.h"
#include "app/pgn_text.h"
#include "app/server_name.h"
#include "app/settings.h"
#include "service/move_to_send.h"
#include "service/xfcc_error.h"
#include "tools/quorval-cli/game_listing.h"
#include "tools/quorval-cli/game_view.h"
#include "tools/quorval-cli/move_check.h"
#include "tools/quorval-cli/text_table.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>

#include <algorithm>
#include <exception>

namespace {

// "3. Bc4", "3. Bc4 with a draw offer", "the resignation", "the draw acceptance"
QString WhatIsSent(const TMoveToSend &move, TSendChoice choice)
{
    switch (choice) {
    case TSendChoice::Resign:
        return QStringLiteral("the resignation");
    case TSendChoice::AcceptDraw:
        return QStringLiteral("the draw acceptance");
    case TSendChoice::OfferDraw:
        return move.MoveLabel() + QStringLiteral(" with a draw offer");
    case TSendChoice::None:
        break;
    }
    return move.MoveLabel();
}

} // namespace

TQuorvalCli::TQuorvalCli(const TProgramContext &context, QTextStream &out, QTextStream &err)
    : m_context(context), m_out(out), m_err(err), m_servers(context, err)
{
}

int TQuorvalCli::run(const TCliRequest &request)
{
    m_failure.reset();
    TIniFile ini(m_context.settingsFileName());
    ini.load();
    m_settings = TSettings::read(ini, m_context.ProgramFolder);
    m_servers.setTimeout(std::chrono::seconds(request.timeout.value_or(m_settings.ServerTimeoutSeconds)));
    try {
        switch (request.command) {
        case TCliRequest::Command::Help:
            m_out << CliHelpText(request.helpTopic);
            break;
        case TCliRequest::Command::Servers:
            servers();
            break;
        case TCliRequest::Command::Games:
            games(request);
            break;
        case TCliRequest::Command::Pgn:
            pgn(request);
            break;
        case TCliRequest::Command::Show:
            show(request);
            break;
        case TCliRequest::Command::Send:
            send(request);
            break;
        case TCliRequest::Command::Note:
            note(request);
            break;
        }
    } catch (const ECliError &failure) {
        report(failure);
    } catch (const std::exception &failure) {
        report(ECliError(TExitCode::Failure, QString::fromUtf8(failure.what())));
    }
    m_out.flush();
    return int(m_failure.value_or(TExitCode::Success));
}

void TQuorvalCli::report(const ECliError &failure)
{
    m_err << QStringLiteral("quorval-cli: ") << failure.message() << Qt::endl;
    if (!m_failure)
        m_failure = failure.code();
}

void TQuorvalCli::forEachServer(const TCliRequest &request,
                                const std::function<void(const ServerEntry &)> &command)
{
    if (!request.server.isEmpty()) {
        command(m_servers.server(request.server));
        return;
    }
    const QStringList names = m_servers.serverNames();
    if (names.isEmpty())
        m_err << QStringLiteral("No server is configured in %1").arg(m_context.ServersFolder) << Qt::endl;
    for (const QString &name : names) {
        try {
            command(m_servers.server(name));
        } catch (const ECliError &failure) {
            report(failure);
        }
    }
}

void TQuorvalCli::servers()
{
    QList<QStringList> rows;
    forEachServer({}, [&](const ServerEntry &server) {
        rows << QStringList{server.Name, server.ServiceUrl, server.UserName, server.WebSite};
    });
    WriteTextTable(m_out, {QStringLiteral("Server"), QStringLiteral("Service address"), QStringLiteral("User name"),
                           QStringLiteral("Web site")},
                   rows);
}

void TQuorvalCli::games(const TCliRequest &request)
{
    const bool onlyOngoing = !request.all && m_settings.ShowOnlyOngoingGames;

    QList<ServerEntry> servers;
    forEachServer(request, [&](const ServerEntry &server) { servers << server; });
    QList<TListedGame> listed;
    int answered = 0;
    std::optional<ECliError> firstFailure;
    m_servers.gamesOfAll(
        servers,
        [&](const ServerEntry &server, const ArrayOfXfccGame &games) {
            ++answered;
            for (const XfccGame &game : games) {
                if (GameListColumns::IsListed(game, onlyOngoing))
                    listed << TListedGame{server.Name, game};
            }
        },
        [&](const ECliError &failure) {
            m_err << QStringLiteral("quorval-cli: ") << failure.message() << Qt::endl;
            if (!firstFailure)
                firstFailure = failure;
        });
    // A server that cannot be read fails the command only when none could.
    if (answered == 0 && firstFailure) {
        if (!m_failure)
            m_failure = firstFailure->code();
        return;
    }
    SortDueFirst(listed);
    // For scripts that alert: whether some listed game awaits the move.
    if (request.due && !m_failure
        && std::none_of(listed.begin(), listed.end(),
                        [](const TListedGame &g) { return GameListColumns::AwaitsMyMove(g.game); }))
        m_failure = TExitCode::Failure;
    if (request.json)
        m_out << QString::fromUtf8(QJsonDocument(GamesJson(listed)).toJson(QJsonDocument::Indented));
    else
        WriteGameTable(m_out, listed);
}

void TQuorvalCli::pgn(const TCliRequest &request)
{
    forEachServer(request, [&](const ServerEntry &server) {
        ArrayOfXfccGame games = m_servers.gamesOf(server);
        if (request.game)
            games = {TServerGames::game(games, server, *request.game)};
        for (const XfccGame &game : games) {
            const LoadedServerGame loaded = m_servers.load(game);
            reportLoadMessages(loaded, game, server);
            const QString notes = request.notes ? TGameNotes(m_context.ProgramFolder).read(server.Name, game.id) : QString();
            if (loaded.Parsed)
                m_out << ExportPGNText(game, loaded.Game, loaded.GameComments, request.comments, notes)
                      << QStringLiteral("\r\n");
        }
    });
}

void TQuorvalCli::reportLoadMessages(const LoadedServerGame &loaded, const XfccGame &game, const ServerEntry &server)
{
    for (const QString &message : loaded.Messages)
        report(ECliError(TExitCode::Failure, QStringLiteral("%1 game %2: %3").arg(server.Name).arg(game.id).arg(message)));
}

void TQuorvalCli::show(const TCliRequest &request)
{
    const ServerEntry server = m_servers.server(request.server);
    const XfccGame game = TServerGames::game(m_servers.gamesOf(server), server, *request.game);
    const LoadedServerGame loaded = m_servers.load(game);
    reportLoadMessages(loaded, game, server);
    if (loaded.Parsed)
        m_out << GameViewText(server.Name, game, loaded);
}

LoadedServerGame TQuorvalCli::loadComplete(const XfccGame &game, const ServerEntry &server)
{
    LoadedServerGame loaded = m_servers.load(game);
    if (!loaded.Parsed || !loaded.Messages.isEmpty())
        throw ECliError(TExitCode::Failure, QStringLiteral("%1 game %2 cannot be read, so nothing is sent: %3")
                                                .arg(server.Name)
                                                .arg(game.id)
                                                .arg(loaded.Messages.join(QStringLiteral("; "))));
    return loaded;
}

void TQuorvalCli::send(const TCliRequest &request)
{
    const ServerEntry server = m_servers.server(request.server);
    const XfccGame game = TServerGames::game(m_servers.gamesOf(server), server, *request.game);
    const LoadedServerGame loaded = loadComplete(game, server);
    const GameRecord record = request.move.isEmpty() ? loaded.Game : RecordWithMove(loaded, request.move);

    const TMoveToSend move(record, loaded.Game.MoveCount, game);
    const QString what = WhatIsSent(move, request.choice);
    m_err << QStringLiteral("Sending %1 to %2 ...").arg(what, server.Name) << Qt::endl;
    MakeAMoveResult answer;
    try {
        answer = SendMakeAMove({server.Name, server.ServiceUrl, server.UserName, server.Password},
                               move.Arguments(request.choice, request.message), m_servers.transport());
    } catch (const EXfccError &failure) {
        const TExitCode code = failure.kind() == EXfccError::Kind::Fault ? TExitCode::Refused : TExitCode::Network;
        throw ECliError(code, QStringLiteral("%1: %2").arg(server.Name, failure.message()));
    }
    m_out << QStringLiteral("%1 game %2, %3: %4\n").arg(server.Name).arg(game.id).arg(what, answer.name());
    if (answer == MakeAMoveResult::AuthenticationFailed)
        throw ECliError(TExitCode::Authentication, QStringLiteral("%1 refused the user \"%2\": %3")
                                                       .arg(server.Name, server.UserName, answer.name()));
    if (answer != MakeAMoveResult::Success)
        throw ECliError(TExitCode::Refused, QStringLiteral("%1 did not accept %2: %3").arg(server.Name, what, answer.name()));
}

void TQuorvalCli::note(const TCliRequest &request)
{
    // Notes outlive their server, so the name need not be configured.
    if (CheckServerName(request.server) != ServerNameProblem::None)
        throw ECliError(TExitCode::UnknownName, QStringLiteral("\"%1\" is not a server name").arg(request.server));
    const TGameNotes notes(m_context.ProgramFolder);
    try {
        if (!request.newNotes) {
            m_out << notes.read(request.server, *request.game);
            return;
        }
        QString text = *request.newNotes;
        if (text == u"-") {
            QFile input;
            if (!input.open(stdin, QIODevice::ReadOnly))
                throw ECliError(TExitCode::Failure, QStringLiteral("Cannot read standard input"));
            text = QString::fromUtf8(input.readAll());
        }
        notes.write(request.server, *request.game, text);
    } catch (const std::runtime_error &failure) {
        if (dynamic_cast<const ECliError *>(&failure))
            throw;
        throw ECliError(TExitCode::Failure, QString::fromUtf8(failure.what()));
    }
}

int RunQuorvalCli(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    TCliRequest request;
    try {
        request = ParseCliArguments(arguments);
    } catch (const ECliError &failure) {
        err << QStringLiteral("quorval-cli: ") << failure.message() << Qt::endl;
        return int(failure.code());
    }
    QString folder = request.folder;
    if (folder.isEmpty())
        folder = qEnvironmentVariable("QUORVAL_FOLDER");
    if (folder.isEmpty())
        folder = TProgramContext::defaultProgramFolder();
    if (request.command != TCliRequest::Command::Help && !QFileInfo(folder).isDir()) {
        err << QStringLiteral("quorval-cli: The program folder %1 does not exist").arg(folder) << Qt::endl;
        return int(TExitCode::Usage);
    }
    TQuorvalCli cli(TProgramContext::forFolder(folder), out, err);
    return cli.run(request);
}
