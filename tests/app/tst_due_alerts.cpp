#include "app/due_alerts.h"
#include "app/general_error.h"
#include "app/game_list_controller.h"
#include "app/quorval_main.h"
#include "app/server_entry.h"
#include "app/state_icons.h"
#include "canned_http_server.h"
#include "recording_prompts.h"
#include "service/xfccbasic.h"
#include "ui/waitwindow.h"
#include "xfcc_test_server_process.h"

#include <QListWidget>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// Background checks against a real server: what the player is told, and how often.
class TestDueAlerts : public QObject
{
    Q_OBJECT

    std::unique_ptr<TRecordingPrompts> m_prompts;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TXfccTestServerProcess> m_server;
    std::unique_ptr<TQuorvalMain> m_window;

    // Game 1: Ann has played 1.e4, Bob is to move. Game 2: Ann is to move,
    // 25 days left.
    QString writeGames()
    {
        const QString fileName = m_dir->filePath("games.json");
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(R"({"users": [{"username": "ann", "password": "ann"}, {"username": "bob", "password": "bob"}],
            "games": [{"id": 1, "whiteUser": "ann", "blackUser": "bob", "white": "Ann", "black": "Bob",
                       "event": "Alerts", "result": "Ongoing", "moves": ["e4"]},
                      {"id": 2, "whiteUser": "bob", "blackUser": "ann", "white": "Bob", "black": "Ann",
                       "event": "Alerts", "result": "Ongoing", "moves": ["d4"],
                       "blackTime": {"days": 25, "hours": 4, "minutes": 0}}]})");
        return fileName;
    }

private Q_SLOTS:
    void init()
    {
        m_prompts = std::make_unique<TRecordingPrompts>();
        m_dir = std::make_unique<QTemporaryDir>();
        m_server = std::make_unique<TXfccTestServerProcess>();
        QVERIFY2(m_server->start(writeGames()), qPrintable(m_server->errorString()));
        QFile ini(m_dir->filePath("quorval.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[SETUP]\r\nCHECK_SERVERS_PERIODICALLY=0\r\nPOLL_SERVERS=1\r\nMINUTES_TO_CHECK=1\r\n");
        ini.close();
        m_window = std::make_unique<TQuorvalMain>(TProgramContext::forFolder(m_dir->path()));
        m_window->createDialogs();
        WriteServerFile(m_window->context().ServersFolder, {"Club", m_server->serviceAddress(), "ann", "ann", ""});
    }
    void cleanup()
    {
        m_window.reset();
        m_server.reset();
        m_prompts.reset();
    }

    void theSettingKeepsServersFromBeingAskedTooOften()
    {
        QCOMPARE(m_window->settings().MinutesToCheck, 5);
    }

    void theTrayPictureShowsTheNumberOfDueGames()
    {
        const auto image = [](int due) { return DueCountIcon(due).pixmap(32, 32).toImage(); };
        QVERIFY(image(2) != image(3));
        QVERIFY(image(0) != image(1));
    }

    void aMoveOfTheOpponentIsToldOnce()
    {
        QSignalSpy alerts(m_window.get(), &TQuorvalMain::alerted);
        m_window->games()->setPollIntervalForTesting(std::chrono::milliseconds(300));
        m_window->show();
        QTRY_VERIFY(m_window->games()->currentGame());
        // Game 2 was due when the player saw the list: nothing to tell.
        QTest::qWait(1000);
        QCOMPARE(alerts.count(), 0);

        // Bob answers 1...e5 through the server.
        QCOMPARE(GetXfccBasicSoap(false, m_server->serviceAddress())
                     ->MakeAMove("bob", "bob", 1, false, false, 1, "e5", false, false, "Your move"),
                 MakeAMoveResult::Success);
        QTRY_COMPARE_WITH_TIMEOUT(alerts.count(), 1, 10000);
        QCOMPARE(alerts[0][0].toString(), QStringLiteral("Club"));
        QCOMPARE(alerts[0][1].toInt(), 1);
        QVERIFY2(alerts[0][2].toString().startsWith("Your move in game 1 (Ann - Bob) on Club"),
                 qPrintable(alerts[0][2].toString()));
        // Further checks without a change tell nothing.
        QTest::qWait(1200);
        QCOMPARE(alerts.count(), 1);

        // A threshold above the time left tells of the time, once.
        m_window->settings().AlertDaysLeft = 30;
        m_window->games()->setPollIntervalForTesting(std::chrono::milliseconds(300));
        QTRY_COMPARE_WITH_TIMEOUT(alerts.count(), 2, 10000);
        QCOMPARE(alerts[1][1].toInt(), 2);
        QVERIFY2(alerts[1][2].toString().startsWith("Less than 30 days left in game 2"), qPrintable(alerts[1][2].toString()));
        QTest::qWait(1200);
        QCOMPARE(alerts.count(), 2);

        // The alert's game is the one shown when the player asks for it.
        m_window->showAlertedGame();
        QCOMPARE(m_window->games()->currentGame()->id, 2);
        QVERIFY(m_prompts->messages.isEmpty());
    }

    void aSilentServerIsMarkedWithoutABox()
    {
        TCannedHttpServer silent;
        silent.setSilent();
        WriteServerFile(m_window->context().ServersFolder, {"Silent", silent.serviceAddress(), "ann", "ann", ""});
        XfccTransport transport;
        transport.stallTimeout = std::chrono::milliseconds(500);
        m_window->games()->setXfccTransport(transport);
        m_window->games()->setPollIntervalForTesting(std::chrono::milliseconds(300));
        m_window->show();
        QTRY_VERIFY(m_window->games()->currentGame());
        QListWidgetItem *server = m_window->serverList()->findItems("Silent", Qt::MatchExactly).value(0);
        QVERIFY(server);
        QTRY_COMPARE_WITH_TIMEOUT(server->data(Qt::UserRole).toInt(), int(ServerState::NotReached), 10000);
        QVERIFY(server->toolTip().startsWith("Not reached: time-out"));
        // The board stayed with the player all along.
        QVERIFY(!m_window->waitWindow()->isVisible());
        QVERIFY(m_prompts->messages.isEmpty());
    }
};

int main(int argc, char **argv)
{
    TQuorvalApplication app(argc, argv);
    TestDueAlerts test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_due_alerts.moc"
