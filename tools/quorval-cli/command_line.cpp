#include "tools/quorval-cli/command_line.h"

#include "tools/quorval-cli/cli_error.h"

#include <array>

namespace {

using Command = TCliRequest::Command;

// What a command takes: its positional arguments and its own options.
struct CommandSpec {
    QLatin1String name;
    Command command;
    int minArguments;
    int maxArguments;
    QLatin1String usage;
    QLatin1String help;
};

const std::array<CommandSpec, 6> Commands{{
    {QLatin1String("servers"), Command::Servers, 0, 0, QLatin1String("servers"),
     QLatin1String("Lists the configured servers: name, service address, user name and web site.\n"
                   "Nothing is sent to the servers.\n")},
    {QLatin1String("games"), Command::Games, 0, 1, QLatin1String("games [SERVER] [--all] [--json] [--due]"),
     QLatin1String("Asks every server (or SERVER) for your games and lists them, one row each:\n"
                   "server, game number, White, Black, event, your time, your opponent's time,\n"
                   "result and who is to move. Games that await your move come first.\n"
                   "Finished games are left out, as in the window, unless --all is given or\n"
                   "SHOW_ONLY_ONGOING_GAMES is 0 in quorval.ini.\n"
                   "All servers are asked at once. A server that cannot be read is reported on\n"
                   "standard error and the games of the others are listed; the exit code is 0\n"
                   "when at least one server could be read, and that of the first failure (4,\n"
                   "or 5 for a refused password) when none could.\n"
                   "\n"
                   "  --all    include finished games\n"
                   "  --json   print the games as a JSON array of objects\n"
                   "  --due    exit with 0 when a move is due in a listed game, 1 when none is\n"
                   "           (for scripts that alert you)\n")},
    {QLatin1String("pgn"), Command::Pgn, 0, 2, QLatin1String("pgn [SERVER [GAME]] [--comments] [--notes]"),
     QLatin1String("Prints every game of every server (or of SERVER, or game GAME of SERVER),\n"
                   "finished games included, as PGN on standard output: the same text as the\n"
                   "window's export, each game followed by an empty line.\n"
                   "\n"
                   "  --comments   include the comments of the server's move text\n"
                   "  --notes      include your notes on each game, as a comment before its moves\n")},
    {QLatin1String("show"), Command::Show, 2, 2, QLatin1String("show SERVER GAME"),
     QLatin1String("Shows game GAME of SERVER: the players, the position as a text board from\n"
                   "your side, its FEN, the last move, your opponent's message and draw offer.\n")},
    {QLatin1String("send"), Command::Send, 2, 3,
     QLatin1String("send SERVER GAME [MOVE] [--message TEXT] [--offer-draw | --resign | --accept-draw]"),
     QLatin1String("Checks MOVE (in algebraic notation, such as Nf3, exd5, O-O or e8=Q) on the\n"
                   "game's position, sends it with MakeAMove as the window would and prints the\n"
                   "server's answer. The exit code is 0 only when the server answers \"Success\".\n"
                   "\n"
                   "  --message TEXT   a message to your opponent\n"
                   "  --offer-draw     offer a draw with the move\n"
                   "  --resign         resign the game (no MOVE)\n"
                   "  --accept-draw    accept your opponent's draw offer (no MOVE)\n")},
    {QLatin1String("note"), Command::Note, 2, 2, QLatin1String("note SERVER GAME [--set TEXT]"),
     QLatin1String("Prints your notes on game GAME of SERVER, as the window keeps them in\n"
                   "\"notes/SERVER/GAME.txt\" of the program folder; nothing is sent to the server.\n"
                   "\n"
                   "  --set TEXT   replace the notes with TEXT; with \"-\", with standard input;\n"
                   "               an empty TEXT removes them\n")},
}};

const CommandSpec *FindCommand(const QString &name)
{
    for (const CommandSpec &spec : Commands) {
        if (name == spec.name)
            return &spec;
    }
    return nullptr;
}

[[noreturn]] void UsageError(const QString &text)
{
    throw ECliError(TExitCode::Usage, text + QStringLiteral("\nTry \"quorval-cli --help\"."));
}

// An option with a value, as "--name VALUE" or "--name=VALUE".
bool TakeValue(const QString &option, QLatin1String name, const QStringList &arguments, qsizetype &i,
               QString &value)
{
    if (option == name) {
        if (++i >= arguments.size())
            UsageError(QStringLiteral("%1 needs a value").arg(name));
        value = arguments[i];
        return true;
    }
    if (option.startsWith(name + QLatin1Char('='))) {
        value = option.mid(name.size() + 1);
        return true;
    }
    return false;
}

void SetChoice(TCliRequest &request, TSendChoice choice)
{
    if (request.choice != TSendChoice::None && request.choice != choice)
        UsageError(QStringLiteral("--offer-draw, --resign and --accept-draw exclude each other"));
    request.choice = choice;
}

// The options of the command; false when the option is not one of them.
bool TakeCommandOption(TCliRequest &request, const QString &option, const QStringList &arguments,
                       qsizetype &i)
{
    switch (request.command) {
    case Command::Games:
        if (option == u"--all")
            return request.all = true;
        if (option == u"--json")
            return request.json = true;
        if (option == u"--due")
            return request.due = true;
        return false;
    case Command::Pgn:
        if (option == u"--comments")
            return request.comments = true;
        if (option == u"--notes")
            return request.notes = true;
        return false;
    case Command::Note:
        if (QString text; TakeValue(option, QLatin1String("--set"), arguments, i, text)) {
            request.newNotes = text;
            return true;
        }
        return false;
    case Command::Send:
        if (option == u"--offer-draw")
            return SetChoice(request, TSendChoice::OfferDraw), true;
        if (option == u"--resign")
            return SetChoice(request, TSendChoice::Resign), true;
        if (option == u"--accept-draw")
            return SetChoice(request, TSendChoice::AcceptDraw), true;
        return TakeValue(option, QLatin1String("--message"), arguments, i, request.message);
    case Command::Help:
    case Command::Servers:
    case Command::Show:
        return false;
    }
    return false;
}

int GameNumber(const QString &text)
{
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok)
        UsageError(QStringLiteral("GAME must be a game number, not \"%1\"").arg(text));
    return number;
}

int TimeoutSeconds(const QString &text)
{
    bool ok = false;
    const int seconds = text.toInt(&ok);
    if (!ok || seconds < 1 || seconds > 600)
        UsageError(QStringLiteral("--timeout takes a number of seconds from 1 to 600, not \"%1\"").arg(text));
    return seconds;
}

void CheckSendArguments(const TCliRequest &request)
{
    const bool movesNothing = request.choice == TSendChoice::Resign || request.choice == TSendChoice::AcceptDraw;
    if (movesNothing && !request.move.isEmpty())
        UsageError(QStringLiteral("--resign and --accept-draw send no move; leave MOVE out"));
    if (!movesNothing && request.move.isEmpty())
        UsageError(QStringLiteral("send needs a MOVE, unless with --resign or --accept-draw"));
}

} // namespace

TCliRequest ParseCliArguments(const QStringList &arguments)
{
    TCliRequest request;
    const CommandSpec *spec = nullptr;
    bool help = false;
    bool optionsEnded = false;
    QStringList positional;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (optionsEnded || !argument.startsWith(QLatin1Char('-'))) {
            if (spec) {
                positional << argument;
                continue;
            }
            // "help COMMAND" asks what "COMMAND --help" asks.
            if (argument == u"help" && !help) {
                help = true;
                continue;
            }
            spec = FindCommand(argument);
            if (!spec)
                UsageError(QStringLiteral("Unknown command \"%1\"").arg(argument));
            request.command = spec->command;
            continue;
        }
        if (argument == u"--") {
            optionsEnded = true;
        } else if (argument == u"--help" || argument == u"-h") {
            help = true;
        } else if (QString seconds; TakeValue(argument, QLatin1String("--timeout"), arguments, i, seconds)) {
            request.timeout = TimeoutSeconds(seconds);
        } else if (!TakeValue(argument, QLatin1String("--folder"), arguments, i, request.folder)
                   && !TakeCommandOption(request, argument, arguments, i)) {
            UsageError(spec ? QStringLiteral("Unknown option \"%1\" for %2").arg(argument, spec->name)
                            : QStringLiteral("Unknown option \"%1\"").arg(argument));
        }
    }

    if (help) {
        const QString topic = spec ? QString(spec->name) : QString();
        request = TCliRequest{};
        request.helpTopic = topic;
        return request;
    }
    if (!spec)
        UsageError(QStringLiteral("No command given"));
    if (positional.size() < spec->minArguments || positional.size() > spec->maxArguments)
        UsageError(QStringLiteral("Usage: quorval-cli %1").arg(spec->usage));
    request.server = positional.value(0);
    if (positional.size() > 1)
        request.game = GameNumber(positional[1]);
    request.move = positional.value(2);
    if (request.command == Command::Send)
        CheckSendArguments(request);
    return request;
}

QString CliHelpText(const QString &command)
{
    if (const CommandSpec *spec = FindCommand(command))
        return QStringLiteral("Usage: quorval-cli [--folder PATH] %1\n\n%2").arg(spec->usage, spec->help);

    QString text = QStringLiteral(
        "Usage: quorval-cli [--folder PATH] [--timeout SECONDS] COMMAND [ARGUMENTS]\n"
        "\n"
        "Quorval's command-line companion: your games on your correspondence-chess\n"
        "servers, without a window. It reads the program folder of Quorval (its\n"
        "settings \"quorval.ini\" and its \"servers\" folder).\n"
        "\n"
        "Commands:\n");
    for (const CommandSpec &spec : Commands)
        text += QStringLiteral("  %1\n").arg(spec.usage);
    text += QStringLiteral(
        "\n"
        "Options:\n"
        "  --folder PATH   the program folder to read (also $QUORVAL_FOLDER); by default\n"
        "                  the one Quorval uses\n"
        "  --timeout SECONDS   how long a server may stay silent before it counts as\n"
        "                  not reached (1 to 600); by default SERVER_TIMEOUT_SECONDS\n"
        "                  of quorval.ini, 30 without it\n"
        "  --help          this text; \"quorval-cli COMMAND --help\" tells about a command\n"
        "\n"
        "Exit codes:\n"
        "  0  success\n"
        "  1  another failure: a file or a server's game that cannot be read\n"
        "  2  usage error\n"
        "  3  unknown server or game\n"
        "  4  the server cannot be reached, or its reply cannot be read\n"
        "  5  the server refused the user name or password\n"
        "  6  the move is illegal or ambiguous in the game's position\n"
        "  7  the server refused the move (its answer is printed)\n");
    return text;
}
