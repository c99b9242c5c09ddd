#include "app/pgn_text.h"
#include "app/server_entry.h"
#include "app/server_game_loader.h"
#include "service/xfccbasic.h"
#include "tests/support/canned_http_server.h"
#include "tests/support/hostile_replies.h"
#include "tests/support/xfcc_test_server_process.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct CliRun {
    int code = -1;
    QString out;
    QString err;
};

// The first column of each row of a table printed by quorval-cli, without the
// heading: server names, or with column 1 the game numbers.
QStringList Column(const QString &table, int column)
{
    QStringList values;
    QStringList lines = table.split('\n', Qt::SkipEmptyParts);
    if (!lines.isEmpty())
        lines.removeFirst();
    for (const QString &line : lines)
        values << line.split(QRegularExpression("\\s{2,}")).value(column);
    return values;
}

QJsonObject GameById(const QJsonArray &games, int id)
{
    for (const QJsonValue &game : games) {
        if (game["id"].toInt() == id)
            return game.toObject();
    }
    return {};
}

} // namespace

// quorval-cli run as a program against the test server, on a program folder
// of its own: Ann and Bob play each other; "Closed" points at a loopback port
// nobody listens on, "BadPassword" has Ann's name with a wrong password.
class TestQuorvalCli : public QObject
{
    Q_OBJECT

    TXfccTestServerProcess m_server;
    QTemporaryDir m_folder;

    CliRun cli(const QStringList &arguments, bool withFolder = true,
               const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
    {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(qEnvironmentVariable("QUORVAL_CLI"),
                      (withFolder ? QStringList{"--folder", m_folder.path()} : QStringList()) + arguments);
        CliRun run;
        // Waited for on the event loop, so that a peer of this test's own
        // thread can answer the program.
        QSignalSpy finished(&process, &QProcess::finished);
        if (!process.waitForStarted() || !finished.wait(60000)) {
            process.kill();
            process.waitForFinished();
            run.err = "quorval-cli did not finish: " + process.errorString();
            return run;
        }
        run.code = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    // The game as the user sees it, asked from the server directly.
    XfccGame serverGame(const QString &user, int id)
    {
        for (const XfccGame &game : GetXfccBasicSoap(false, m_server.serviceAddress())->GetMyGames(user, user + "-pw")) {
            if (game.id == id)
                return game;
        }
        return {};
    }

    QJsonArray gamesJson(const QString &server)
    {
        const CliRun run = cli({"games", server, "--all", "--json"});
        if (run.code != 0)
            qWarning() << run.err;
        return QJsonDocument::fromJson(run.out.toUtf8()).array();
    }

    void sendSucceeds(const QStringList &arguments, const QString &answer)
    {
        const CliRun run = cli(QStringList{"send"} + arguments);
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QCOMPARE(run.out, answer + ": Success\n");
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_folder.isValid());
        QVERIFY2(!qEnvironmentVariable("QUORVAL_CLI").isEmpty(), "QUORVAL_CLI names the program under test");
        QVERIFY2(m_server.start(qEnvironmentVariable("QUORVAL_SOURCE_DIR") + "/tests/tools/data/cli.json"),
                 qPrintable(m_server.errorString()));
        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QString closedAddress = QString("http://127.0.0.1:%1/XfccBasic.asmx").arg(closed.serverPort());
        closed.close();

        const QString servers = m_folder.filePath("servers");
        QVERIFY(QDir().mkpath(servers));
        WriteServerFile(servers, {"Ann", m_server.serviceAddress(), "ann", "ann-pw", "https://example.org/ann"});
        WriteServerFile(servers, {"Bob", m_server.serviceAddress(), "bob", "bob-pw", {}});
        WriteServerFile(servers, {"Closed", closedAddress, "ann", "ann-pw", {}});
        WriteServerFile(servers, {"BadPassword", m_server.serviceAddress(), "ann", "wrong", {}});
    }

    void helpAndUsage_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("text");  // on standard output for 0, standard error otherwise
        QTest::newRow("overview") << QStringList{"--help"} << 0 << "Exit codes:";
        QTest::newRow("help command") << QStringList{"help", "pgn"} << 0 << "Usage: quorval-cli [--folder PATH] pgn";
        for (const char *command : {"servers", "games", "pgn", "show", "send"})
            QTest::addRow("%s --help", command)
                << QStringList{command, "--help"} << 0 << QString("Usage: quorval-cli [--folder PATH] %1").arg(command);
        QTest::newRow("no command") << QStringList{} << 2 << "No command given";
        QTest::newRow("unknown command") << QStringList{"play"} << 2 << "Unknown command \"play\"";
        QTest::newRow("unknown option") << QStringList{"games", "--every"} << 2 << "Unknown option \"--every\" for games";
        QTest::newRow("option of another command") << QStringList{"show", "Ann", "1", "--json"} << 2 << "Unknown option";
        QTest::newRow("missing argument") << QStringList{"show", "Ann"} << 2 << "Usage: quorval-cli show SERVER GAME";
        QTest::newRow("surplus argument") << QStringList{"servers", "Ann"} << 2 << "Usage: quorval-cli servers";
        QTest::newRow("game not a number") << QStringList{"show", "Ann", "one"} << 2 << "not \"one\"";
        QTest::newRow("no move") << QStringList{"send", "Ann", "1"} << 2 << "send needs a MOVE";
        QTest::newRow("move with resignation") << QStringList{"send", "Ann", "1", "e4", "--resign"} << 2 << "send no move";
        QTest::newRow("two choices") << QStringList{"send", "Ann", "1", "--resign", "--accept-draw"} << 2 << "exclude each other";
        QTest::newRow("message without text") << QStringList{"send", "Ann", "1", "e4", "--message"} << 2 << "--message needs a value";
    }

    void helpAndUsage()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, text);
        const CliRun run = cli(arguments);
        QCOMPARE(run.code, code);
        QVERIFY2((code == 0 ? run.out : run.err).contains(text), qPrintable(run.out + run.err));
        if (code != 0)
            QVERIFY(run.out.isEmpty());
    }

    void serversFromTheFolderOrItsVariable()
    {
        const CliRun run = cli({"servers"});
        QCOMPARE(run.code, 0);
        QStringList names = Column(run.out, 0);
        names.sort();
        QCOMPARE(names, (QStringList{"Ann", "BadPassword", "Bob", "Closed"}));
        QVERIFY(run.out.contains(QRegularExpression("Ann +" + QRegularExpression::escape(m_server.serviceAddress())
                                                    + " +ann +https://example.org/ann\n")));
        QVERIFY2(!run.out.contains("ann-pw"), "passwords are not shown");

        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QUORVAL_FOLDER", m_folder.path());
        QCOMPARE(cli({"servers"}, false, environment).out, run.out);

        const CliRun missing = cli({"--folder", m_folder.filePath("missing"), "servers"}, false);
        QCOMPARE(missing.code, 2);
        QVERIFY(missing.err.contains("does not exist"));
    }

    void gamesTableDueFirst()
    {
        const CliRun run = cli({"games", "Ann"});
        QCOMPARE(run.code, 0);
        QVERIFY(run.err.contains("Asking Ann (" + m_server.serviceAddress() + ") ..."));
        QVERIFY(QRegularExpression("^Server +Game# +White +Black +Event +Your time +Opp. time +Result +To move\n")
                    .match(run.out)
                    .hasMatch());
        // Game 6 comes first from the server but awaits Bob's move; game 5 is over.
        QCOMPARE(Column(run.out, 1), (QStringList{"1", "2", "3", "4", "6"}));
        QCOMPARE(Column(run.out, 8), (QStringList{"you", "you", "you", "you", "opponent"}));
        QVERIFY(run.out.contains(QRegularExpression("\nAnn +3 +Ann +Bob +Open +3d, 5h +9d, 1h +\\* +you\n")));

        QCOMPARE(Column(cli({"games", "Ann", "--all"}).out, 1), (QStringList{"1", "2", "3", "4", "6", "5"}));
        // The window's setting to show finished games holds here too.
        QFile ini(m_folder.filePath("quorval.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[SETUP]\r\nSHOW_ONLY_ONGOING_GAMES=0\r\n");
        ini.close();
        QCOMPARE(Column(cli({"games", "Ann"}).out, 1), (QStringList{"1", "2", "3", "4", "6", "5"}));
        QVERIFY(ini.remove());
    }

    void gamesJson()
    {
        const CliRun run = cli({"games", "Ann", "--all", "--json"});
        QCOMPARE(run.code, 0);
        QJsonParseError error;
        const QJsonArray games = QJsonDocument::fromJson(run.out.toUtf8(), &error).array();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(games.size(), 6);
        QList<int> ids;
        for (const QJsonValue &game : games)
            ids << game["id"].toInt();
        QCOMPARE(ids, (QList<int>{1, 2, 3, 4, 6, 5}));

        const QJsonObject open = GameById(games, 3);
        QCOMPARE(open["server"].toString(), "Ann");
        QCOMPARE(open["white"].toString(), "Ann");
        QCOMPARE(open["event"].toString(), "Open");
        QCOMPARE(open["yourTime"].toObject(), (QJsonObject{{"days", 3}, {"hours", 5}, {"minutes", 7}}));
        QCOMPARE(open["opponentTime"].toObject(), (QJsonObject{{"days", 9}, {"hours", 1}, {"minutes", 0}}));
        QCOMPARE(open["result"].toString(), "*");
        QCOMPARE(open["resultName"].toString(), "Ongoing");
        QVERIFY(open["due"].toBool() && open["myTurn"].toBool() && open["hasWhite"].toBool());
        QVERIFY(open["drawOffered"].toBool());
        const QJsonObject finished = GameById(games, 5);
        QCOMPARE(finished["result"].toString(), "1-0");
        QCOMPARE(finished["resultName"].toString(), "WhiteWins");
        QVERIFY(!finished["due"].toBool());
        QVERIFY(!GameById(games, 6)["due"].toBool());
    }

    // A server that fails is reported; the others are still listed.
    void gamesOfEveryServer()
    {
        // Some servers cannot be read, but others can: they are reported, and
        // the games of the others listed.
        const CliRun run = cli({"games", "--json"});
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QVERIFY(run.err.contains("quorval-cli: Closed: "));
        QVERIFY(run.err.contains("quorval-cli: BadPassword refused the user \"ann\""));
        const QJsonArray games = QJsonDocument::fromJson(run.out.toUtf8()).array();
        QCOMPARE(games.size(), 10);
        QCOMPARE(games.first()["server"].toString() == "Bob" ? 6 : 1, games.first()["id"].toInt());
    }

    // Two silent servers cost one time-out, not two.
    void gamesAsksEveryServerAtOnce()
    {
        QTemporaryDir folder;
        const QString servers = folder.filePath("servers");
        QVERIFY(QDir().mkpath(servers));
        TCannedHttpServer silent1, silent2;
        silent1.setSilent();
        silent2.setSilent();
        WriteServerFile(servers, {"Ann", m_server.serviceAddress(), "ann", "ann-pw", {}});
        WriteServerFile(servers, {"Silent1", silent1.serviceAddress(), "ann", "ann-pw", {}});
        WriteServerFile(servers, {"Silent2", silent2.serviceAddress(), "ann", "ann-pw", {}});
        QElapsedTimer clock;
        clock.start();
        const CliRun run = cli({"--folder", folder.path(), "--timeout", "3", "games"}, false);
        QVERIFY2(clock.elapsed() < 5500, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(run.code == 0, qPrintable(run.err));
        QVERIFY(run.out.contains("Ann"));
        for (const char *name : {"Silent1", "Silent2"})
            QVERIFY2(run.err.contains(QString("quorval-cli: %1: ").arg(name)) && run.err.contains("within 3 seconds"),
                     qPrintable(run.err));

        // None can be read: nothing is listed, and the exit code says why.
        const CliRun none = cli({"--folder", folder.path(), "--timeout", "1", "games", "Silent1"}, false);
        QCOMPARE(none.code, 4);
        QVERIFY(none.out.isEmpty());
        QCOMPARE(cli({"--timeout", "0", "games"}).code, 2);
    }

    // --due tells scripts whether a listed game awaits the move.
    void dueExitCode()
    {
        for (const char *server : {"Ann", "Bob"}) {
            const CliRun listed = cli({"games", server, "--json"});
            QCOMPARE(listed.code, 0);
            bool anyDue = false;
            for (const QJsonValue &game : QJsonDocument::fromJson(listed.out.toUtf8()).array())
                anyDue = anyDue || game["due"].toBool();
            QCOMPARE(cli({"games", server, "--due"}).code, anyDue ? 0 : 1);
        }
        QCOMPARE(cli({"games", "Closed", "--due"}).code, 4);  // a failure is not "none due"
    }

    void notesAreKeptLocallyAndExported()
    {
        QCOMPARE(cli({"note", "Ann", "3"}).out, QString());
        QCOMPARE(cli({"note", "Ann", "3", "--set", "Plan: b4 {minority}"}).code, 0);
        QCOMPARE(cli({"note", "Ann", "3"}).out, QStringLiteral("Plan: b4 {minority}"));
        QVERIFY(QFile::exists(m_folder.filePath("notes/Ann/3.txt")));
        const CliRun pgn = cli({"pgn", "Ann", "3", "--notes"});
        QCOMPARE(pgn.code, 0);
        QVERIFY2(pgn.out.contains("\r\n\r\n{Plan: b4 (minority)}\r\n1."), qPrintable(pgn.out));
        QVERIFY(!cli({"pgn", "Ann", "3"}).out.contains("Plan: b4"));

        // From standard input, and an empty text removes them.
        QProcess process;
        process.start(qEnvironmentVariable("QUORVAL_CLI"), {"--folder", m_folder.path(), "note", "Ann", "3", "--set", "-"});
        QVERIFY(process.waitForStarted());
        process.write("Línea 1\nLínea 2\n");
        process.closeWriteChannel();
        QSignalSpy finished(&process, &QProcess::finished);
        QVERIFY(finished.wait(30000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(cli({"note", "Ann", "3"}).out, QStringLiteral("Línea 1\nLínea 2\n"));
        QCOMPARE(cli({"note", "Ann", "3", "--set", ""}).code, 0);
        QVERIFY(!QFile::exists(m_folder.filePath("notes/Ann/3.txt")));
        QCOMPARE(cli({"note", "../evil", "3", "--set", "x"}).code, 3);
        QVERIFY(!QFile::exists(m_folder.filePath("evil")));
    }

    void pgnIsTheWindowsExport()
    {
        const XfccGame game = serverGame("ann", 3);
        QTemporaryDir temp;
        const LoadedServerGame loaded = LoadServerGame(game, temp.path(), temp.path(), false);
        QVERIFY(loaded.Parsed);
        for (const bool comments : {true, false}) {
            const CliRun run = comments ? cli({"pgn", "Ann", "3", "--comments"}) : cli({"pgn", "Ann", "3"});
            QCOMPARE(run.code, 0);
            QCOMPARE(run.out, ExportPGNText(game, loaded.Game, loaded.GameComments, comments) + "\r\n");
            QCOMPARE(run.out.contains("{Best by test}"), comments);
        }

        const CliRun bob = cli({"pgn", "Bob"});
        QCOMPARE(bob.code, 0);
        QCOMPARE(bob.out.count("[Event "), 6);
        QVERIFY(bob.out.contains("[Result \"1-0\"]"));
        const CliRun all = cli({"pgn"});
        QVERIFY(all.code == 4 || all.code == 5);
        QCOMPARE(all.out.count("[Event "), 12);

        QCOMPARE(cli({"pgn", "Bob", "77"}).code, 3);
    }

    void showFromTheUsersSide()
    {
        const CliRun run = cli({"show", "Bob", "3"});
        QCOMPARE(run.code, 0);
        QCOMPARE(run.out, QString("Game 3 on Bob: Ann - Bob\n"
                                  "Event: Open\n"
                                  "You play Black. White to move: your opponent's move.\n"
                                  "\n"
                                  "1  R . B K Q B N R\n"
                                  "2  P P P . P P P P\n"
                                  "3  . . N . . . . .\n"
                                  "4  . . . P . . . .\n"
                                  "5  . . . p . . . .\n"
                                  "6  . . . . . n . .\n"
                                  "7  p p p . p p p p\n"
                                  "8  r n b k q b . r\n"
                                  "   h g f e d c b a\n"
                                  "\n"
                                  "FEN: r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 2 3\n"
                                  "Last move: 2... Nc6\n"
                                  "Opponent's message: Your move, Bob.\n"
                                  "Draw offered: yes\n"));

        const CliRun setUp = cli({"show", "Ann", "2"});
        QCOMPARE(setUp.code, 0);
        QVERIFY(setUp.out.contains("\n1  N . N . K . . .\n   a b c d e f g h\n"));
        QVERIFY(setUp.out.contains("FEN: 4k3/8/8/8/8/8/8/N1N1K3 w - - 0 30\nLast move: none\n"));
        QVERIFY(setUp.out.contains("Opponent's message: none\nDraw offered: no\n"));
    }

    void failures_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("error");
        QTest::newRow("unknown server") << QStringList{"show", "Nobody", "1"} << 3
                                        << "No server \"Nobody\"; the servers are: ";
        QTest::newRow("unknown game") << QStringList{"send", "Ann", "999", "e4"} << 3 << "Ann has no game 999";
        QTest::newRow("unreachable") << QStringList{"games", "Closed"} << 4 << "Closed: Connection refused";
        QTest::newRow("unreachable send") << QStringList{"send", "Closed", "1", "e4"} << 4 << "Closed: ";
        QTest::newRow("bad password") << QStringList{"games", "BadPassword"} << 5 << "BadPassword refused the user \"ann\"";
        QTest::newRow("bad password send") << QStringList{"send", "BadPassword", "1", "e4"} << 5 << "BadPassword refused the user \"ann\": ";
        QTest::newRow("illegal move") << QStringList{"send", "Ann", "1", "Ke2"} << 6
                                      << "Ke2 is not a legal move of White in this position (Illegal move)";
        QTest::newRow("not a move") << QStringList{"send", "Ann", "1", "e9"} << 6 << "e9 is not a legal move";
        QTest::newRow("ambiguous move") << QStringList{"send", "Ann", "2", "Nb3"} << 6 << "Nb3 is ambiguous";
        QTest::newRow("not your turn") << QStringList{"send", "Bob", "2", "Kd2"} << 7
                                       << "Bob did not accept 30. Kd2: NotYourTurn";
        QTest::newRow("no draw offered") << QStringList{"send", "Ann", "2", "--accept-draw"} << 7
                                         << "Ann did not accept the draw acceptance: NoDrawWasOffered";
        QTest::newRow("game over") << QStringList{"send", "Ann", "5", "--resign"} << 7 << "Ann did not accept the resignation: NotYourTurn";
    }

    void failures()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, code);
        QFETCH(QString, error);
        const CliRun run = cli(arguments);
        QCOMPARE(run.code, code);
        QVERIFY2(run.err.contains("quorval-cli: " + error), qPrintable(run.err));
        // A move refused here is never sent; a server's answer is printed.
        QCOMPARE(run.err.contains("Sending "), code == 7);
        QCOMPARE(run.out.isEmpty(), code != 7);
    }

    void refusedMovesChangeNothing()
    {
        QCOMPARE(serverGame("ann", 1).moves, QString());
        QCOMPARE(serverGame("ann", 2).moves, QString());
    }

    // The move goes as typed once the library finds it unambiguous.
    void disambiguatedMove()
    {
        sendSucceeds({"Ann", "2", "Nab3"}, "Ann game 2, 30. Nab3");
        QVERIFY(serverGame("bob", 2).moves.contains("Nab3"));
        QVERIFY(cli({"show", "Bob", "2"}).out.contains("FEN: 4k3/8/8/8/8/1N6/8/2N1K3 b - - 1 30\n"));
    }

    void foolsMate()
    {
        sendSucceeds({"Ann", "1", "f3", "--message", "Have fun!"}, "Ann game 1, 1. f3");
        QVERIFY(cli({"show", "Bob", "1"}).out.contains("Last move: 1. f3\nOpponent's message: Have fun!\n"));
        sendSucceeds({"Bob", "1", "e5", "--offer-draw", "--message", "Draw?"}, "Bob game 1, 1. e5 with a draw offer");
        const CliRun offered = cli({"show", "Ann", "1"});
        QVERIFY(offered.out.contains("Opponent's message: Draw?\nDraw offered: yes\n"));
        QVERIFY(offered.out.contains("FEN: rnbqkbnr/pppp1ppp/8/4p3/8/5P2/PPPPP1PP/RNBQKBNR w KQkq e6 0 2\n"));
        sendSucceeds({"Ann", "1", "g4"}, "Ann game 1, 2. g4");
        // The check mark is the position's: the move goes as Qh4+.
        sendSucceeds({"Bob", "1", "Qh4#"}, "Bob game 1, 2. Qh4+");

        const QJsonObject mated = GameById(gamesJson("Ann"), 1);
        QCOMPARE(mated["resultName"].toString(), "BlackWins");
        QVERIFY(!mated["due"].toBool());
        QVERIFY(cli({"show", "Ann", "1"}).out.contains("The game is over: 0-1\n"));
        QVERIFY(!Column(cli({"games", "Ann"}).out, 1).contains("1"));
        QCOMPARE(cli({"send", "Ann", "1", "Ke2"}).code, 6);
    }

    void resignations()
    {
        // Black resigns after White's second move: move number 2.
        sendSucceeds({"Ann", "4", "--resign", "--message", "Well played"}, "Ann game 4, the resignation");
        QCOMPARE(GameById(gamesJson("Bob"), 4)["resultName"].toString(), "WhiteWins");
        // White resigns before any move.
        sendSucceeds({"Bob", "6", "--resign"}, "Bob game 6, the resignation");
        QCOMPARE(GameById(gamesJson("Ann"), 6)["resultName"].toString(), "BlackWins");
    }

    void drawOfferAccepted()
    {
        sendSucceeds({"Ann", "3", "Bc4", "--offer-draw"}, "Ann game 3, 3. Bc4 with a draw offer");
        sendSucceeds({"Bob", "3", "--accept-draw"}, "Bob game 3, the draw acceptance");
        QCOMPARE(GameById(gamesJson("Ann"), 3)["result"].toString(), "1/2-1/2");
    }

    // The program waits with its own limits (a minute without a byte), so
    // the misbehaviours that only a shorter time limit ends are left to the
    // tests of the binding.
    void hostileServers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("mode");
        const QList<THostileMode> modes = HostileModes();
        for (int mode = 0; mode < modes.size(); ++mode) {
            if (modes[mode].failure.contains("within"))
                continue;
            for (const QStringList &arguments : {QStringList{"games", "Hostile"}, QStringList{"send", "Hostile", "1", "e4"}})
                QTest::addRow("%s, %s", modes[mode].name, qPrintable(arguments.first())) << arguments << mode;
        }
    }

    void hostileServers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, mode);
        const THostileMode hostile = HostileModes().at(mode);
        TCannedHttpServer server;
        hostile.apply(server);
        QTemporaryDir folder;
        QVERIFY(QDir().mkpath(folder.filePath("servers")));
        WriteServerFile(folder.filePath("servers"), {"Hostile", server.serviceAddress(), "ann", "ann-pw", {}});
        const CliRun run = cli(QStringList{"--folder", folder.path()} + arguments, false);
        // A SOAP fault is how a server refuses a password; anything else is
        // a server that could not be read.
        const QStringList soapFaults{"a SOAP fault without faultstring", "deeply nested XML"};
        QCOMPARE(run.code, soapFaults.contains(hostile.name) ? 5 : 4);
        QVERIFY2(run.err.contains("quorval-cli: Hostile") && run.err.contains(hostile.failure), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        // The games were asked for once, and nothing is sent when they cannot be read.
        QCOMPARE(server.requests().size(), 1);
        QVERIFY(server.requests().first().body.contains("GetMyGames"));
    }
};

QTEST_GUILESS_MAIN(TestQuorvalCli)
#include "tst_quorval_cli.moc"
