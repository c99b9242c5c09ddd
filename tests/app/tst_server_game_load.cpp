#include "app/game_row.h"
#include "app/pgn_commands.h"
#include "app/game_list_controller.h"
#include "app/quorval_main.h"
#include "app/server_entry.h"
#include "app/server_game_loader.h"
#include "chess/move_text.h"
#include "recording_prompts.h"
#include "xfcc_test_server_process.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

namespace {

struct PgnExtractRun {
    QByteArray out, errors;
};

// pgn-extract on the standard input text, as the set-up installs it.
PgnExtractRun PgnExtract(const QStringList &arguments, const QByteArray &input)
{
    const QString program = QStandardPaths::findExecutable("pgn-extract", {"/usr/games", "/usr/bin"});
    if (program.isEmpty())
        return {{}, "pgn-extract is not installed"};
    QProcess run;
    run.start(program, arguments);
    if (!run.waitForStarted())
        return {{}, "pgn-extract does not start"};
    run.write(input);
    run.closeWriteChannel();
    if (!run.waitForFinished(60000))
        return {{}, "pgn-extract does not finish"};
    return {run.readAllStandardOutput(), run.readAllStandardError()};
}

QString WithoutMarks(QString san) { return san.remove('+').remove('#'); }

bool IsResult(const QString &token) { return QStringList{"1-0", "0-1", "1/2-1/2", "*"}.contains(token); }

// The moves of each game of a PGN text as pgn-extract reads them.
QList<QStringList> MovesReadBack(const QByteArray &pgn, QByteArray &errors)
{
    const PgnExtractRun run =
        PgnExtract({"-s", "-C", "-N", "-V", "--notags", "--nomovenumbers", "--noresults", "-w", "100000"}, pgn);
    errors = run.errors;
    QList<QStringList> games;
    for (const QString &line : QString::fromUtf8(run.out).split('\n', Qt::SkipEmptyParts)) {
        // A game without moves still shows its result.
        QStringList moves;
        for (const QString &token : line.split(' ', Qt::SkipEmptyParts))
            if (!IsResult(token))
                moves << WithoutMarks(token);
        games << moves;
    }
    return games;
}

QStringList SansOf(const GameRecord &game)
{
    QStringList sans;
    for (int ply = 1; ply <= game.MoveCount; ++ply)
        sans << WithoutMarks(QString::fromStdString(MoveToSAN(game.Moves[ply])));
    return sans;
}

// The games of a PGN file as a server would send them: tags as fields, the
// movetext as the move text.
QList<XfccGame> ServerGamesOf(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QList<XfccGame> games;
    const QRegularExpression tag(QStringLiteral("^\\[(\\w+) \"(.*)\"\\]$"));
    bool inMovetext = false;
    for (const QString &line : QString::fromUtf8(file.readAll()).split('\n')) {
        const QRegularExpressionMatch match = tag.match(line);
        if (match.hasMatch()) {
            if (inMovetext || games.isEmpty())
                games.emplace_back().id = int(games.size());
            inMovetext = false;
            XfccGame &game = games.last();
            const QString name = match.captured(1), value = match.captured(2);
            if (name == u"Event") game.event = value;
            else if (name == u"Site") game.site = value;
            else if (name == u"Date") game.eventDate = value;
            else if (name == u"White") game.white = value;
            else if (name == u"Black") game.black = value;
            else if (name == u"Result")
                game.result = value == u"1-0" ? Result::WhiteWins : value == u"0-1" ? Result::BlackWins
                            : value == u"1/2-1/2" ? Result::Draw : Result::Ongoing;
        } else if (!line.trimmed().isEmpty() && !games.isEmpty()) {
            inMovetext = true;
            games.last().moves += line + '\n';
        }
    }
    return games;
}

} // namespace

class TestServerGameLoad : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Every demo game, fetched through the game list, loads all its moves and
    // its export reads cleanly in pgn-extract.
    void demoGamesLoadAndExport()
    {
        const QString source = QString::fromLocal8Bit(qgetenv("QUORVAL_SOURCE_DIR"));
        QFile json(source + "/tools/xfcc-test-server/demo.json");
        QVERIFY(json.open(QIODevice::ReadOnly));
        QHash<int, int> plies;
        for (const QJsonValue &g : QJsonDocument::fromJson(json.readAll())["games"].toArray())
            plies[g["id"].toInt()] = g["moves"].toArray().size();

        TRecordingPrompts prompts;
        QTemporaryDir dir;
        TQuorvalMain window(TProgramContext::forFolder(dir.path()));
        window.createDialogs();
        TXfccTestServerProcess server;
        QVERIFY2(server.start(source + "/tools/xfcc-test-server/demo.json"), qPrintable(server.errorString()));
        WriteServerFile(window.context().ServersFolder, {"Demo", server.serviceAddress(), "demo", "demo", {}});
        window.games()->refreshServerList(true);
        QVERIFY(window.gameList()->topLevelItemCount() > 3);

        for (int i = 0; i < window.gameList()->topLevelItemCount(); ++i) {
            const XfccGame &game = static_cast<GameRow *>(window.gameList()->topLevelItem(i))->game();
            const LoadedServerGame loaded =
                LoadServerGame(game, window.context().TempFolder, window.context().ProgramFolder, false);
            QVERIFY2(loaded.Messages.isEmpty(), qPrintable(loaded.Messages.join('\n')));
            QVERIFY(loaded.Parsed);
            QCOMPARE(int(loaded.Game.MoveCount), plies.value(game.id));
            QCOMPARE(loaded.WhiteIsAtBottom, game.hasWhite);
            QVERIFY(QFile::exists(window.context().TempFolder + "/temporal.pgn"));

            for (const bool comments : {true, false}) {
                const QByteArray pgn = ExportPGNText(game, loaded.Game, loaded.GameComments, comments).toUtf8();
                const PgnExtractRun check = PgnExtract({"-s", "-r"}, pgn);
                QVERIFY2((check.out + check.errors).trimmed().isEmpty(), (check.out + check.errors).constData());
                QByteArray errors;
                QCOMPARE(MovesReadBack(pgn, errors), QList<QStringList>{SansOf(loaded.Game)});
            }
        }
        QVERIFY(prompts.messages.isEmpty());
    }

    // Real games, read as server move texts (with a comment after every
    // seventh half-move, or none), are exported and read back by pgn-extract
    // with no warning, game for game and move for move.
    void realGamesReadBackAsTheyWereWritten_data()
    {
        QTest::addColumn<bool>("comments");
        QTest::newRow("with comments") << true;
        QTest::newRow("without comments") << false;
    }

    void realGamesReadBackAsTheyWereWritten()
    {
        QFETCH(bool, comments);
        const QString fileName =
            QString::fromLocal8Bit(qgetenv("QUORVAL_SOURCE_DIR")) + "/../shared/data/lichess-games.pgn";
        if (!QFile::exists(fileName))
            QSKIP(qPrintable("No real games to read: " + fileName + " is missing"));
        const QList<XfccGame> games = ServerGamesOf(fileName);
        QVERIFY(games.size() > 500);
        QTemporaryDir dir;
        QByteArray exported;
        QList<QStringList> played;
        int plies = 0;
        for (XfccGame game : games) {
            QStringList sans;
            for (const QString &token : game.moves.simplified().split(' '))
                if (!token.endsWith('.') && !IsResult(token))
                    sans << WithoutMarks(token);
            if (comments) {
                QStringList tokens = game.moves.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts);
                for (int i = 0, ply = 0; i < tokens.size(); ++i)
                    if (!tokens[i].endsWith('.') && !IsResult(tokens[i]) && ++ply % 7 == 0)
                        tokens[i] += QStringLiteral(" {[%clk 0:01:00] note after ply %1, long enough to be broken "
                                                    "across the lines of the export}").arg(ply);
                game.moves = tokens.join(' ');
            }
            const LoadedServerGame loaded = LoadServerGame(game, dir.path(), dir.path(), false);
            QVERIFY2(loaded.ReadInFull, qPrintable(game.event + ": " + loaded.Messages.join('\n')));
            QCOMPARE(SansOf(loaded.Game), sans);
            QCOMPARE(loaded.GameComments.size(), comments ? qsizetype(sans.size() / 7) : 0);
            exported += ExportPGNText(game, loaded.Game, loaded.GameComments, comments).toUtf8() + "\r\n";
            played << sans;
            plies += int(sans.size());
        }
        QVERIFY(plies > 30000);
        const PgnExtractRun check = PgnExtract({"-s", "-r"}, exported);
        QVERIFY2((check.out + check.errors).trimmed().isEmpty(), (check.out + check.errors).left(2000).constData());
        QByteArray errors;
        const QList<QStringList> readBack = MovesReadBack(exported, errors);
        QCOMPARE(readBack.size(), played.size());
        for (qsizetype i = 0; i < played.size(); ++i)
            QCOMPARE(readBack[i], played[i]);
    }
};

QTEST_MAIN(TestServerGameLoad)
#include "tst_server_game_load.moc"
