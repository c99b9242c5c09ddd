#include "app/game_row.h"
#include "app/pgn_commands.h"
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
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

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
        window.refreshServerList(true);
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

            QProcess check;
            check.start(QStandardPaths::findExecutable("pgn-extract", {"/usr/games", "/usr/bin"}), {"-s", "-r"});
            QVERIFY(check.waitForStarted());
            check.write(ExportPGNText(game, loaded.Game, loaded.GameComments, true).toUtf8());
            check.closeWriteChannel();
            QVERIFY(check.waitForFinished());
            const QByteArray errors = check.readAllStandardError();
            QVERIFY2(errors.trimmed().isEmpty(), errors.constData());
        }
        QVERIFY(prompts.messages.isEmpty());
    }
};

QTEST_MAIN(TestServerGameLoad)
#include "tst_server_game_load.moc"
