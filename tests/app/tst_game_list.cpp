#include "app/game_row.h"
#include "app/general_error.h"
#include "app/quorval_main.h"
#include "app/server_entry.h"
#include "canned_http_server.h"
#include "recording_prompts.h"
#include "ui/aboutbox.h"
#include "ui/multilang.h"
#include "ui/waitwindow.h"
#include "xfcc_test_server_process.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
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
        return m_window->serversList()->findItems(name, Qt::MatchExactly).value(0)->data(Qt::UserRole).toInt();
    }
    void select(const QString &name)
    {
        m_window->serversList()->setCurrentItem(m_window->serversList()->findItems(name, Qt::MatchExactly).value(0));
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
        m_window->refreshServerList(false);
        QCOMPARE(m_window->gameList()->topLevelItemCount(), 0);  // no games without asking

        action("Getgamelist2")->trigger();
        QCOMPARE(column(0), (QStringList{"1", "3"}));
        QCOMPARE(column(4), (QStringList{"3d, 5h", "3d, 5h"}));
        QCOMPARE(column(6), (QStringList{"*", "*"}));
        QCOMPARE(serverIcon("ICCF"), 1);
        QCOMPARE(m_window->CurrentServer(),
                 (ServerEntry{"ICCF", server.serviceAddress(), "alice", "pw", "https://iccf.test"}));
        QVERIFY(!m_window->waitWindow()->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(m_window->waitWindow()->message(), QStringLiteral("Connecting to server: ICCF"));
        // "Refresh game list" only lists: nothing is selected or loaded.
        QVERIFY(!m_window->CurrentGame());
        QVERIFY(m_prompts->messages.isEmpty());

        m_window->Gotoserverwebsite1Click();
        QCOMPARE(m_prompts->openedUrls, QList<QUrl>{QUrl("https://iccf.test")});

        m_window->settings().ShowOnlyOngoingGames = false;
        m_window->RefreshGameList();
        QCOMPARE(column(0), (QStringList{"1", "2", "3", "4"}));
        QCOMPARE(column(6), (QStringList{"*", "* White defaulted", "*", "0-1"}));
        auto *defaulted = static_cast<GameRow *>(m_window->gameList()->topLevelItem(1));
        QCOMPARE(defaulted->GameStateIcon(), -1);
        QVERIFY(defaulted->icon(0).isNull());
        QCOMPARE(static_cast<GameRow *>(m_window->gameList()->topLevelItem(3))->GameStateIcon(), 3);
    }

    void aServerClickLoadsTheFirstGame()
    {
        TCannedHttpServer server;
        server.setReply(200, gamesReply({{10, "Ongoing", false, true}, {11, "Ongoing", true, true}}));
        addServer("Local", server.serviceAddress());
        m_window->refreshServerList(true);
        QCOMPARE(m_window->gameList()->currentItem(), m_window->gameList()->topLevelItem(0));
        QVERIFY(m_window->CurrentGame());
        QCOMPARE(m_window->CurrentGame()->id, 10);
        m_window->findChild<QToolButton *>("SpeedButton1")->click();
        QCOMPARE(m_prompts->openedUrls, QList<QUrl>{QUrl("http://g/10")});
    }

    void aFailedRefreshReachesTheErrorBoxAndClearsTheIcon()
    {
        TCannedHttpServer server;
        server.setReply(500, "<html>boom</html>", "text/html");
        addServer("Broken", server.serviceAddress());
        m_window->refreshServerList(false);
        m_window->serversList()->item(0)->setData(Qt::UserRole, 1);
        // A refresh through the event loop: the failure goes to the general error box.
        QTest::mouseClick(m_window->serversList()->viewport(), Qt::LeftButton, {},
                          m_window->serversList()->visualItemRect(m_window->serversList()->item(0)).center());
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
        m_window->multiLang()->setActiveLanguage(1);
        m_window->refreshServerList(false);
        select("B");
        m_window->serversList()->findItems("C", Qt::MatchExactly).value(0)->setData(Qt::UserRole, 1);
        QTest::mouseClick(m_window->findChild<QToolButton *>("SpeedButton4"), Qt::LeftButton);
        QCOMPARE(serverIcon("A"), 1);  // a finished game with myTurn counts here
        QCOMPARE(serverIcon("B"), 0);
        QCOMPARE(serverIcon("C"), 1);  // unreachable: keeps its icon, silently
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
        m_window->refreshServerList(true);
        QVERIFY(m_window->gameList()->topLevelItemCount() > 3);
        QVERIFY(column(6).count("*") == column(6).size());
        QVERIFY(m_window->CurrentGame());
        QVERIFY(m_prompts->messages.isEmpty());

        addServer("Demo wrong password", server.serviceAddress(), "demo", "nope");
        m_window->refreshServerList(false);
        select("Demo wrong password");
        QVERIFY_THROWS_EXCEPTION(std::exception, m_window->RefreshGameList());
        QCOMPARE(m_window->gameList()->topLevelItemCount(), 0);
        QVERIFY(!m_window->waitWindow()->isVisible());
    }

    void commandsWithoutServerOrGame()
    {
        m_window->refreshServerList(true);
        action("Getgamelist2")->trigger();  // nothing selected: nothing happens
        QCOMPARE(m_window->gameList()->topLevelItemCount(), 0);
        m_window->findChild<QToolButton *>("SpeedButton1")->click();
        QCOMPARE(m_prompts->messageTexts(), QStringList{"No game active!"});
        m_window->Gotoserverwebsite1Click();  // an empty web site does nothing
        action("Programhistory1")->trigger();
        action("Mainhelp1")->trigger();
        action("Quorvalforums1")->trigger();
        QCOMPARE(m_prompts->openedUrls,
                 (QList<QUrl>{QUrl(TQuorvalMain::WebSiteBase() + "/xfcc/index.html#history"),
                              QUrl(TQuorvalMain::WebSiteBase() + "/xfcc/index.html"),
                              QUrl(TQuorvalMain::WebSiteBase() + "/cgi-bin/simpleforum.cgi")}));
        QCOMPARE(m_prompts->openedUrls[0].fragment(), QStringLiteral("history"));
    }

    void theAboutBoxShowsTheVersion()
    {
        QTimer::singleShot(0, [this] {
            QTRY_VERIFY(m_window->aboutBox()->isVisible());
            QCOMPARE(m_window->aboutBox()->findChild<QLabel *>("LabelVersion")->text(), QStringLiteral("Version: 1.13"));
            m_window->aboutBox()->accept();
        });
        action("About1")->trigger();
    }
};

int main(int argc, char **argv)
{
    TQuorvalApplication app(argc, argv);
    TestGameList test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_game_list.moc"
