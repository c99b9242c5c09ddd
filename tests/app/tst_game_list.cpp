#include "app/game_row.h"
#include "app/general_error.h"
#include "app/game_list_controller.h"
#include "app/quorval_main.h"
#include "app/server_entry.h"
#include "app/state_icons.h"
#include "canned_http_server.h"
#include "recording_prompts.h"
#include "ui/aboutbox.h"
#include "ui/multilang.h"
#include "ui/waitwindow.h"
#include "xfcc_test_server_process.h"

#include <QAction>
#include <QLabel>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

namespace {

struct Game {
    int id;
    const char *result;
    bool myTurn;
    bool hasWhite;
};

// A GetMyGames reply as a server writes it.
QByteArray gamesReply(const QList<Game> &games)
{
    QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                      "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
                      "<GetMyGamesResponse xmlns=\"http://www.bennedik.com/webservices/XfccBasic\"><GetMyGamesResult>";
    for (const Game &g : games) {
        body += "<XfccGame><id>" + QByteArray::number(g.id) + "</id><white>W" + QByteArray::number(g.id)
                + "</white><black>B</black><event>Ev</event><myTurn>" + (g.myTurn ? "true" : "false")
                + "</myTurn><hasWhite>" + (g.hasWhite ? "true" : "false") + "</hasWhite><result>" + g.result
                + "</result><daysPlayer>3</daysPlayer><hoursPlayer>5</hoursPlayer><gameLink>http://g/"
                + QByteArray::number(g.id) + "</gameLink></XfccGame>";
    }
    return body + "</GetMyGamesResult></GetMyGamesResponse></soap:Body></soap:Envelope>";
}

XfccGame game(const char *result, bool myTurn, bool hasWhite)
{
    XfccGame g;
    g.result = Result::fromName(QString::fromLatin1(result));
    g.myTurn = myTurn;
    g.hasWhite = hasWhite;
    return g;
}

} // namespace

class TestGameList : public QObject
{
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQuorvalMain> m_window;
    std::unique_ptr<TRecordingPrompts> m_prompts;

    void addServer(const QString &name, const QString &address, const QString &user = "alice",
                   const QString &password = "pw", const QString &site = {})
    {
        WriteServerFile(m_window->context().ServersFolder, {name, address, user, password, site});
    }
    QStringList column(int c) const
    {
        QStringList texts;
        for (int i = 0; i < m_window->gameList()->topLevelItemCount(); ++i)
            texts << m_window->gameList()->topLevelItem(i)->text(c);
        return texts;
    }
    int serverIcon(const QString &name) const
    {
        return m_window->serverList()->findItems(name, Qt::MatchExactly).value(0)->data(Qt::UserRole).toInt();
    }
    void select(const QString &name)
    {
        m_window->serverList()->setCurrentItem(m_window->serverList()->findItems(name, Qt::MatchExactly).value(0));
    }
    QAction *action(const char *name) const { return m_window->findChild<QAction *>(QLatin1String(name)); }

private Q_SLOTS:
    void init()
    {
        m_prompts = std::make_unique<TRecordingPrompts>();
        m_dir = std::make_unique<QTemporaryDir>();
        m_window = std::make_unique<TQuorvalMain>(TProgramContext::forFolder(m_dir->path()));
        m_window->createDialogs();
    }
    void cleanup()
    {
        m_window.reset();
        m_prompts.reset();
    }

    void columnsAndIcons()
    {
        using namespace GameListColumns;
        XfccGame g = game("Ongoing", true, true);
        g.id = 77;
        g.white = "Ana";
        g.daysPlayer = 3;
        g.hoursPlayer = 5;
        QCOMPARE(Texts(g), (QStringList{"77", "Ana", "", "", "3d, 5h", "0d, 0h", "*"}));
        QCOMPARE(StateIcon(g), 0);
        QCOMPARE(StateIcon(game("Ongoing", false, true)), 1);
        QCOMPARE(StateIcon(game("AdjudicationPending", true, false)), 0);
        QCOMPARE(StateIcon(game("BlackWins", false, false)), 3);
        QCOMPARE(StateIcon(game("WhiteWinAdjudicated", false, true)), 3);
        QCOMPARE(StateIcon(game("WhiteWins", false, false)), 2);
        QCOMPARE(StateIcon(game("BlackWinAdjudicated", false, true)), 2);
        QCOMPARE(StateIcon(game("DrawAdjudicated", false, true)), 4);
        QCOMPARE(StateIcon(game("WhiteDefaulted", true, true)), -1);
        QCOMPARE(StateIcon(game("Cancelled", false, true)), -1);
        // A result name the program does not know reads as an ongoing game.
        QCOMPARE(StateIcon(game("SomethingNew", false, true)), 1);
        QVERIFY(IsListed(game("AdjudicationPending", false, true), true));
        QVERIFY(!IsListed(game("WhiteDefaulted", false, true), true));
        QVERIFY(IsListed(game("WhiteDefaulted", false, true), false));
        QVERIFY(!AwaitsMyMove(game("WhiteWins", true, true)));
    }

    void refreshShowsOngoingGamesAndMarksTheServer()
    {
        TCannedHttpServer server;
        server.setReply(200, gamesReply({{1, "Ongoing", false, true}, {2, "WhiteDefaulted", true, true},
                                         {3, "AdjudicationPending", true, false}, {4, "BlackWins", true, false}}));
        addServer("ICCF", server.serviceAddress(), "alice", "pw", "https://iccf.test");
        m_window->games()->refreshServerList(false);
        QCOMPARE(m_window->gameList()->topLevelItemCount(), 0);  // no games without asking

        action("refreshGamesAction")->trigger();
        QCOMPARE(column(0), (QStringList{"3", "1"}));  // the game that awaits the move first
        QCOMPARE(column(4), (QStringList{"3d, 5h", "3d, 5h"}));
        QCOMPARE(column(6), (QStringList{"*", "*"}));
        QCOMPARE(serverIcon("ICCF"), 1);
        QCOMPARE(m_window->games()->currentServer(),
                 (ServerEntry{"ICCF", server.serviceAddress(), "alice", "pw", "https://iccf.test"}));
        QVERIFY(!m_window->waitWindow()->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(m_window->waitWindow()->message(), QStringLiteral("Connecting to server: ICCF"));
        // "Refresh game list" only lists: nothing is selected or loaded.
        QVERIFY(!m_window->games()->currentGame());
        QVERIFY(m_prompts->messages.isEmpty());

        m_window->openServerWebSite();
        QCOMPARE(m_prompts->openedUrls, QList<QUrl>{QUrl("https://iccf.test")});

        m_window->settings().ShowOnlyOngoingGames = false;
        m_window->games()->refreshGames();
        QCOMPARE(column(0), (QStringList{"3", "1", "2", "4"}));
        QCOMPARE(column(6), (QStringList{"*", "*", "* White defaulted", "0-1"}));
        auto *defaulted = static_cast<GameRow *>(m_window->gameList()->topLevelItem(2));
        QCOMPARE(defaulted->GameStateIcon(), -1);
        QVERIFY(defaulted->icon(0).isNull());
        QCOMPARE(static_cast<GameRow *>(m_window->gameList()->topLevelItem(3))->GameStateIcon(), 3);
    }

    void aServerClickLoadsTheFirstGame()
    {
        TCannedHttpServer server;
        server.setReply(200, gamesReply({{10, "Ongoing", false, true}, {11, "Ongoing", true, true}}));
        addServer("Local", server.serviceAddress());
        m_window->games()->refreshServerList(true);
        QCOMPARE(m_window->gameList()->currentItem(), m_window->gameList()->topLevelItem(0));
        QVERIFY(m_window->games()->currentGame());
        QCOMPARE(m_window->games()->currentGame()->id, 11);  // the first row: the game that awaits the move
        m_window->findChild<QToolButton *>("gameWebPageButton")->click();
        QCOMPARE(m_prompts->openedUrls, QList<QUrl>{QUrl("http://g/11")});
    }

    void aFailedRefreshReachesTheErrorBoxAndClearsTheIcon()
    {
        TCannedHttpServer server;
        server.setReply(500, "<html>boom</html>", "text/html");
        addServer("Broken", server.serviceAddress());
        m_window->games()->refreshServerList(false);
        m_window->serverList()->item(0)->setData(Qt::UserRole, 1);
        // A refresh through the event loop: the failure goes to the general error box.
        QTest::mouseClick(m_window->serverList()->viewport(), Qt::LeftButton, {},
                          m_window->serverList()->visualItemRect(m_window->serverList()->item(0)).center());
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages[0].caption, QStringLiteral("Quorval 1.13"));
        QCOMPARE(m_prompts->messages[0].icon, TPrompts::Icon::Error);
        QCOMPARE(serverIcon("Broken"), 0);
        QVERIFY(!m_window->waitWindow()->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void checkingAllServersUsesAnyGameWithTheMove()
    {
        TCannedHttpServer finished;
        finished.setReply(200, gamesReply({{1, "WhiteWins", true, true}}));
        TCannedHttpServer waiting;
        waiting.setReply(200, gamesReply({{2, "Ongoing", false, true}}));
        TCannedHttpServer dead;
        dead.setSilent();
        addServer("A", finished.serviceAddress());
        addServer("B", waiting.serviceAddress());
        addServer("C", "http://127.0.0.1:1/XfccBasic.asmx");
        m_window->settings().ActiveLanguage = 1;
        m_window->translator()->setActiveLanguage(1);
        m_window->games()->refreshServerList(false);
        select("B");
        m_window->serverList()->findItems("C", Qt::MatchExactly).value(0)->setData(Qt::UserRole, 1);
        QTest::mouseClick(m_window->findChild<QToolButton *>("checkServersButton"), Qt::LeftButton);
        QCOMPARE(serverIcon("A"), 1);  // a finished game with myTurn counts here
        QCOMPARE(serverIcon("B"), 0);
        QCOMPARE(serverIcon("C"), int(ServerState::NotReached));  // says so, and why, without a box
        QVERIFY2(m_window->serverList()->findItems("C", Qt::MatchExactly).value(0)->toolTip().startsWith(
                     "No alcanzado: conexión rechazada\n"),
                 qPrintable(m_window->serverList()->findItems("C", Qt::MatchExactly).value(0)->toolTip()));
        QVERIFY(m_prompts->messages.isEmpty());
        // The check ends by showing the selected server's games again.
        QCOMPARE(waiting.requests().size(), 2);
        QCOMPARE(finished.requests().size(), 1);
        QCOMPARE(column(0), QStringList{"2"});
        QCOMPARE(m_window->waitWindow()->message(), QStringLiteral("Conectando a servidor : B"));
        QVERIFY(!m_window->waitWindow()->isVisible());
    }

    void aRealServerLists_theDemoGames()
    {
        TXfccTestServerProcess server;
        QVERIFY2(server.start(QString::fromLocal8Bit(qgetenv("QUORVAL_SOURCE_DIR")) + "/tools/xfcc-test-server/demo.json"),
                 qPrintable(server.errorString()));
        addServer("Demo", server.serviceAddress(), "demo", "demo");
        m_window->games()->refreshServerList(true);
        QVERIFY(m_window->gameList()->topLevelItemCount() > 3);
        QVERIFY(column(6).count("*") == column(6).size());
        QVERIFY(m_window->games()->currentGame());
        QVERIFY(m_prompts->messages.isEmpty());

        addServer("Demo wrong password", server.serviceAddress(), "demo", "nope");
        m_window->games()->refreshServerList(false);
        select("Demo wrong password");
        QVERIFY_THROWS_EXCEPTION(std::exception, m_window->games()->refreshGames());
        QCOMPARE(m_window->gameList()->topLevelItemCount(), 0);
        QVERIFY(!m_window->waitWindow()->isVisible());
    }

    // Two real servers: on the first, "ann" waits for her opponent; on the
    // second, "bob" is to move.
    static QString writeTwoPlayerGame(const QTemporaryDir &dir)
    {
        const QString fileName = dir.filePath("games.json");
        QFile file(fileName);
        if (!file.open(QIODevice::WriteOnly))
            return {};
        file.write(R"({"users": [{"username": "ann", "password": "ann"}, {"username": "bob", "password": "bob"}],
                       "games": [{"id": 1, "whiteUser": "ann", "blackUser": "bob", "white": "Ann", "black": "Bob",
                                  "event": "Start-up", "result": "Ongoing", "moves": ["e4"]}]})");
        return fileName;
    }
    std::unique_ptr<TQuorvalMain> startWithTwoServers(const QTemporaryDir &dir, TXfccTestServerProcess &first,
                                                      TXfccTestServerProcess &second, bool checkAtStart)
    {
        const QString games = writeTwoPlayerGame(dir);
        if (!first.start(games) || !second.start(games))
            return {};
        QDir().mkpath(dir.filePath("program"));
        QFile ini(dir.filePath("program/quorval.ini"));
        if (!ini.open(QIODevice::WriteOnly))
            return {};
        ini.write(checkAtStart ? "[SETUP]\r\nCHECK_SERVERS_PERIODICALLY=1\r\n" : "[SETUP]\r\nCHECK_SERVERS_PERIODICALLY=0\r\n");
        ini.close();
        auto window = std::make_unique<TQuorvalMain>(TProgramContext::forFolder(dir.filePath("program")));
        window->createDialogs();
        // Servers are listed in the file system's order: ann's account goes to
        // the server listed first, bob's to the one listed second.
        const QString folder = window->context().ServersFolder;
        WriteServerFile(folder, {"A", {}, {}, {}, {}});
        WriteServerFile(folder, {"B", {}, {}, {}, {}});
        const QStringList listed = ListServerFiles(folder);
        WriteServerFile(folder, {listed[0], first.serviceAddress(), "ann", "ann", ""});
        WriteServerFile(folder, {listed[1], second.serviceAddress(), "bob", "bob", ""});
        return window;
    }

    QString serverOf(const QString &user) const
    {
        for (const QString &name : ListServerFiles(m_window->context().ServersFolder)) {
            if (ReadServerFile(m_window->context().ServersFolder, name).UserName == user)
                return name;
        }
        return {};
    }

    void theStartUpCheckAsksEveryServer_data()
    {
        QTest::addColumn<bool>("checkAtStart");
        QTest::newRow("on") << true;
        QTest::newRow("off") << false;
    }
    void theStartUpCheckAsksEveryServer()
    {
        QFETCH(bool, checkAtStart);
        m_window.reset();
        QTemporaryDir dir;
        TXfccTestServerProcess first, second;
        m_window = startWithTwoServers(dir, first, second, checkAtStart);
        QVERIFY(m_window);
        m_window->show();
        QTRY_VERIFY(m_window->games()->currentGame());
        QTRY_VERIFY(!m_window->waitWindow()->isVisible());
        // The first server listed is selected, and its games are shown.
        QCOMPARE(m_window->serverList()->currentRow(), 0);
        QCOMPARE(m_window->games()->currentServer().Name, m_window->serverList()->item(0)->text());
        QCOMPARE(column(2), QStringList{"Bob"});
        QCOMPARE(m_window->serverList()->item(0)->data(Qt::UserRole).toInt(), 0);
        // Bob's move is due on the second server: the check shows it without a click.
        QCOMPARE(m_window->serverList()->item(1)->data(Qt::UserRole).toInt(), checkAtStart ? 1 : 0);
        QVERIFY(m_prompts->messages.isEmpty());
    }

    void anUnreadableServerFileEndsTheCheckAfterAllWereAsked()
    {
        m_window.reset();
        QTemporaryDir dir;
        TXfccTestServerProcess first, second;
        m_window = startWithTwoServers(dir, first, second, false);
        QVERIFY(m_window);
        addServer("Broken", "http://127.0.0.1:1/XfccBasic.asmx");
        m_window->games()->refreshServerList(false);
        QCOMPARE(m_window->serverList()->count(), 3);
        select(serverOf("ann"));
        m_window->games()->showServerGames();
        // The file becomes a folder after it was listed.
        const QString broken = ServerFileName(m_window->context().ServersFolder, "Broken");
        QVERIFY(QFile::remove(broken) && QDir().mkpath(broken));
        m_window->gameList()->topLevelItem(0)->setText(1, "shown before the check");

        QTest::mouseClick(m_window->findChild<QToolButton *>("checkServersButton"), Qt::LeftButton);
        QCOMPARE(serverIcon(serverOf("bob")), 1);  // asked, wherever the broken file is listed
        QCOMPARE(m_prompts->messages.size(), 1);
        QCOMPARE(m_prompts->messages[0].caption, QStringLiteral("Quorval 1.13"));
        QVERIFY(m_prompts->messages[0].text.contains("Broken"));
        // The selected server's games were shown again.
        QCOMPARE(column(1), QStringList{"Ann"});
        QVERIFY(!m_window->waitWindow()->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // Two live servers, two silent ones and a refused port, asked at once.
    void aCheckAsksEveryServerAtOnce()
    {
        m_window.reset();
        QTemporaryDir dir;
        TXfccTestServerProcess first, second;
        m_window = startWithTwoServers(dir, first, second, false);
        QVERIFY(m_window);
        TCannedHttpServer silent1, silent2;
        silent1.setSilent();
        silent2.setSilent();
        addServer("Silent 1", silent1.serviceAddress());
        addServer("Silent 2", silent2.serviceAddress());
        addServer("Refused", "http://127.0.0.1:1/XfccBasic.asmx");
        XfccTransport transport;
        transport.stallTimeout = std::chrono::seconds(2);
        m_window->games()->setXfccTransport(transport);
        m_window->games()->refreshServerList(false);
        select(serverOf("ann"));

        QElapsedTimer clock;
        clock.start();
        QTest::mouseClick(m_window->findChild<QToolButton *>("checkServersButton"), Qt::LeftButton);
        // As long as the slowest server, not the sum of them.
        QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(serverIcon(serverOf("ann")), int(ServerState::NoMoveDue));
        QCOMPARE(serverIcon(serverOf("bob")), int(ServerState::MoveDue));
        for (const char *name : {"Silent 1", "Silent 2", "Refused"})
            QCOMPARE(serverIcon(name), int(ServerState::NotReached));
        const auto tip = [this](const char *name) {
            return m_window->serverList()->findItems(name, Qt::MatchExactly).value(0)->toolTip();
        };
        QVERIFY2(tip("Silent 1").startsWith("Not reached: time-out\n") && tip("Silent 1").contains("within 2 seconds"),
                 qPrintable(tip("Silent 1")));
        QVERIFY2(tip("Refused").startsWith("Not reached: connection refused\n"), qPrintable(tip("Refused")));
        QVERIFY(m_prompts->messages.isEmpty());
        QCOMPARE(column(1), QStringList{"Ann"});  // the selected server's games, shown again
        QVERIFY(!m_window->waitWindow()->isVisible());
    }

    void cancelEndsTheCheckAndKeepsWhatWasAnswered_data()
    {
        QTest::addColumn<bool>("escape");
        QTest::newRow("button") << false;
        QTest::newRow("Escape") << true;
    }
    void cancelEndsTheCheckAndKeepsWhatWasAnswered()
    {
        QFETCH(bool, escape);
        m_window.reset();
        QTemporaryDir dir;
        TXfccTestServerProcess first, second;
        m_window = startWithTwoServers(dir, first, second, false);
        QVERIFY(m_window);
        TCannedHttpServer silent;
        silent.setSilent();
        addServer("Silent", silent.serviceAddress());
        m_window->games()->refreshServerList(false);
        select(serverOf("ann"));
        m_window->games()->showServerGames();
        m_window->gameList()->topLevelItem(0)->setText(1, "shown before the check");

        // Once the live servers have answered, the player cancels.
        TWaitWindow *wait = m_window->waitWindow();
        QTimer poll;
        QElapsedTimer clock;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (!wait->isVisible() || serverIcon(serverOf("bob")) != int(ServerState::MoveDue))
                return;
            poll.stop();
            QCOMPARE(QApplication::activeModalWidget(), wait);  // the window takes no other input meanwhile
            QPushButton *cancel = wait->findChild<QPushButton *>("cancelButton");
            QVERIFY(cancel && cancel->isVisible());
            QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
            clock.start();
            if (escape)
                QTest::keyClick(wait, Qt::Key_Escape);
            else
                QTest::mouseClick(cancel, Qt::LeftButton);
        });
        poll.start(20);
        QTest::mouseClick(m_window->findChild<QToolButton *>("checkServersButton"), Qt::LeftButton);
        QVERIFY(clock.isValid());
        QVERIFY2(clock.elapsed() < 1000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(serverIcon(serverOf("bob")), int(ServerState::MoveDue));
        QCOMPARE(serverIcon("Silent"), int(ServerState::NotReached));
        QVERIFY(m_window->serverList()->findItems("Silent", Qt::MatchExactly).value(0)->toolTip().startsWith(
            "Not reached: cancelled"));
        QVERIFY(m_prompts->messages.isEmpty());
        // Cancelled means stopped: no further request, the list as it was.
        QCOMPARE(column(1), QStringList{"shown before the check"});
        QVERIFY(!wait->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    void headingsSortTheListByValueAndTheOrderIsKept()
    {
        // id, White, my turn, days left
        const struct { int id; const char *white; bool myTurn; int days; } games[] = {
            {10, "Zoë", false, 2}, {9, "émile", true, 20}, {100, "Adam", true, 4}, {2, "Élodie", false, 1}};
        QByteArray body = "<?xml version=\"1.0\" encoding=\"utf-8\"?><soap:Envelope "
                          "xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><GetMyGamesResponse "
                          "xmlns=\"http://www.bennedik.com/webservices/XfccBasic\"><GetMyGamesResult>";
        for (const auto &g : games)
            body += "<XfccGame><id>" + QByteArray::number(g.id) + "</id><white>" + QByteArray(g.white)
                    + "</white><result>Ongoing</result><myTurn>" + (g.myTurn ? "true" : "false")
                    + "</myTurn><daysPlayer>" + QByteArray::number(g.days) + "</daysPlayer></XfccGame>";
        body += "</GetMyGamesResult></GetMyGamesResponse></soap:Body></soap:Envelope>";
        TCannedHttpServer server;
        server.setReply(200, body);
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        const auto restoreLocale = qScopeGuard([] { QLocale::setDefault(QLocale::system()); });
        QFile ini(m_dir->filePath("quorval.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[SETUP]\r\nCHECK_SERVERS_PERIODICALLY=0\r\n");
        ini.close();
        const auto start = [&] {
            m_window = std::make_unique<TQuorvalMain>(TProgramContext::forFolder(m_dir->path()));
            m_window->createDialogs();
            addServer("Sorted", server.serviceAddress());
            m_window->show();
            QTRY_VERIFY(m_window->games()->currentGame());
        };
        start();
        // My turn first, then the least time left.
        QCOMPARE(column(0), (QStringList{"100", "9", "2", "10"}));

        const auto clickHeading = [this](int section) {
            QHeaderView *header = m_window->gameList()->header();
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                              QPoint(header->sectionViewportPosition(section) + 5, header->height() / 2));
        };
        clickHeading(0);  // numbers as numbers
        QCOMPARE(column(0), (QStringList{"2", "9", "10", "100"}));
        clickHeading(0);
        QCOMPARE(column(0), (QStringList{"100", "10", "9", "2"}));
        clickHeading(1);  // names as a reader orders them, whatever the case and accents
        QCOMPARE(column(1), (QStringList{"Adam", "Élodie", "émile", "Zoë"}));
        clickHeading(4);  // by the time left
        QCOMPARE(column(0), (QStringList{"2", "10", "100", "9"}));
        QCOMPARE(m_window->gameList()->currentItem()->text(0), QStringLiteral("100"));  // the selection stays

        // A refresh keeps the order, and so does a restart.
        m_window->games()->refreshGames();
        QCOMPARE(column(0), (QStringList{"2", "10", "100", "9"}));
        m_window->close();
        start();
        QCOMPARE(m_window->settings().GameListSort, 5);
        QCOMPARE(column(0), (QStringList{"2", "10", "100", "9"}));
        clickHeading(4);
        clickHeading(4);  // a third click gives back the default order
        QCOMPARE(column(0), (QStringList{"100", "9", "2", "10"}));
    }

    void serverAddressesOpenOnlyAsWebPages_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("opened");
        QTest::newRow("https") << "https://iccf.test/game?id=1" << true;
        QTest::newRow("http") << "HTTP://iccf.test/" << true;
        QTest::newRow("file") << "file:///etc/passwd" << false;
        QTest::newRow("program") << "/usr/bin/xterm" << false;
        QTest::newRow("other scheme") << "smb://host/share" << false;
    }
    void serverAddressesOpenOnlyAsWebPages()
    {
        QFETCH(QString, address);
        QFETCH(bool, opened);
        TCannedHttpServer server;
        server.setReply(200, gamesReply({{7, "Ongoing", true, true}}).replace("http://g/7", address.toUtf8()));
        addServer("Site", server.serviceAddress(), "alice", "pw", address);
        m_window->games()->refreshServerList(true);
        QVERIFY(m_window->games()->currentGame());
        m_window->openServerWebSite();
        m_window->findChild<QToolButton *>("gameWebPageButton")->click();
        QCOMPARE(m_prompts->openedUrls.size(), opened ? 2 : 0);
        QCOMPARE(m_prompts->messages.size(), opened ? 0 : 2);
        for (const auto &message : std::as_const(m_prompts->messages)) {
            QCOMPARE(message.icon, TPrompts::Icon::Warning);
            QCOMPARE(message.text, "This address is not a web page, so it was not opened: " + address);
        }
    }

    void commandsWithoutServerOrGame()
    {
        m_window->games()->refreshServerList(true);
        action("refreshGamesAction")->trigger();  // nothing selected: nothing happens
        QCOMPARE(m_window->gameList()->topLevelItemCount(), 0);
        m_window->findChild<QToolButton *>("gameWebPageButton")->click();
        QCOMPARE(m_prompts->messageTexts(), QStringList{"No game active!"});
        m_window->openServerWebSite();  // an empty web site does nothing
        action("programHistoryAction")->trigger();
        action("onlineHelpAction")->trigger();
        action("forumsAction")->trigger();
        QCOMPARE(m_prompts->openedUrls,
                 (QList<QUrl>{QUrl(TQuorvalMain::webSiteBase() + "/xfcc/index.html#history"),
                              QUrl(TQuorvalMain::webSiteBase() + "/xfcc/index.html"),
                              QUrl(TQuorvalMain::webSiteBase() + "/cgi-bin/simpleforum.cgi")}));
        QCOMPARE(m_prompts->openedUrls[0].fragment(), QStringLiteral("history"));
    }

    void theAboutBoxShowsTheVersion()
    {
        QTimer::singleShot(0, [this] {
            QTRY_VERIFY(m_window->aboutBox()->isVisible());
            QCOMPARE(m_window->aboutBox()->findChild<QLabel *>("versionLabel")->text(), QStringLiteral("Version: 1.13"));
            m_window->aboutBox()->accept();
        });
        action("aboutAction")->trigger();
    }
};

int main(int argc, char **argv)
{
    TQuorvalApplication app(argc, argv);
    TestGameList test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_game_list.moc"
