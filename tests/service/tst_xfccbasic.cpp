#include "service/xfcc_error.h"
#include "service/xfccbasic.h"
#include "tests/support/canned_http_server.h"
#include "tests/support/xfcc_checks.h"
#include "tests/support/xfcc_test_server_process.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QUrl>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace std::chrono_literals;

// The service binding over real loopback HTTP: against xfcc-test-server, and
// against a scripted peer for exact requests and broken replies.
class TestXfccBasic : public QObject
{
    Q_OBJECT

private:
    static QString dataFile(const QString &name)
    {
        return qEnvironmentVariable("QUORVAL_SOURCE_DIR") + QStringLiteral("/tests/service/data/") + name;
    }

    // A server with its own copy of the data, so that moves change nothing else.
    bool startServer(TXfccTestServerProcess &server)
    {
        const QString copy = m_dir.filePath(QStringLiteral("games-%1.json").arg(++m_copies));
        return QFile::copy(dataFile(QStringLiteral("games.json")), copy) && server.start(copy);
    }

    static const XfccGame *findGame(const ArrayOfXfccGame &games, int id)
    {
        for (const XfccGame &game : games) {
            if (game.id == id)
                return &game;
        }
        return nullptr;
    }

    static QByteArray moveReply(const QByteArray &name)
    {
        return "<?xml version=\"1.0\"?><soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\">"
               "<soap:Body><MakeAMoveResponse xmlns=\"http://www.bennedik.com/webservices/XfccBasic\">"
               "<MakeAMoveResult>" + name + "</MakeAMoveResult></MakeAMoveResponse></soap:Body></soap:Envelope>";
    }

    const QString annaPassword = QStringLiteral("pw <&> \"ñ\"");
    QTemporaryDir m_dir;
    int m_copies = 0;

private slots:
    void getMyGamesRoundTripsEveryField()
    {
        TXfccTestServerProcess server;
        QVERIFY2(startServer(server), qPrintable(server.errorString()));
        const ArrayOfXfccGame games =
            GetXfccBasicSoap(false, server.serviceAddress())->GetMyGames(QStringLiteral("anna"), annaPassword);
        QCOMPARE(games.size(), 14);
        const XfccGame expected{
            .id = 77, .white = QStringLiteral("Ånna <Kowalska> & \"Q\""), .black = QStringLiteral("Borís O'Neil"),
            .event = QStringLiteral("Ev <1> & 'two'"), .site = QStringLiteral("Sité"), .myTurn = true,
            .hasWhite = true, .moves = QStringLiteral("1. e4 {[%clk 1:02:03]} e5 {a & b <c>}"),
            .drawOffered = true, .message = QStringLiteral("from Borís:\r\nline 2 < & >"),
            .serverInfo = QStringLiteral("Info & <news>"), .whiteTitle = QStringLiteral("GM"),
            .blackTitle = QStringLiteral("SIM"), .whiteElo = 2501, .blackElo = -1, .whiteNA = QStringLiteral("POL"),
            .blackNA = QStringLiteral("IRL"), .eventSponsor = QStringLiteral("Spónsor"),
            .section = QStringLiteral("Sec 3"), .stage = QStringLiteral("Semi"), .board = QStringLiteral("4"),
            .timeControl = QStringLiteral("5/30d"), .setup = QStringLiteral("true"),
            .fen = QStringLiteral("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1"),
            .result = Result::Ongoing, .daysPlayer = 3, .hoursPlayer = 5, .minutesPlayer = 7,
            .daysOpponent = 11, .hoursOpponent = 13, .minutesOpponent = 17,
            .gameLink = QStringLiteral("https://example.org/game?id=77&x=<y>"),
            .eventDate = QStringLiteral("2026.03.04")};
        const QString difference = XfccGameDifference(games.first(), expected);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));

        // One game per state, in the data's order, and a state the program does not know.
        for (int i = 0; i < 12; ++i)
            QCOMPARE(games[1 + i].result.ordinal(), i);
        QCOMPARE(games[13].result, Result::Other);
        QCOMPARE(games[13].result.name(), QStringLiteral("ForfeitedByRule"));
    }

    void aBadPasswordGivesTheServersFault()
    {
        TXfccTestServerProcess server;
        QVERIFY2(startServer(server), qPrintable(server.errorString()));
        const QString failure = XfccFailureOf([&] {
            GetXfccBasicSoap(false, server.serviceAddress())->GetMyGames(QStringLiteral("anna"), QStringLiteral("pw"));
        });
        QCOMPARE(failure, QStringLiteral("Server was unable to process request. ---> Invalid user name or password"));
    }

    void textsSurviveBothDirections()
    {
        TXfccTestServerProcess server;
        QVERIFY2(startServer(server), qPrintable(server.errorString()));
        const auto service = GetXfccBasicSoap(false, server.serviceAddress());
        const QString message = QStringLiteral("a < b & \"c\" 'd' ]]> — ñ € \U0001D11E\r\nline 2\r\n");
        const MakeAMoveResult result = service->MakeAMove(QStringLiteral("anna"), annaPassword, 77, false, false,
                                                          2, QStringLiteral("Nf3"), false, false, message);
        QCOMPARE(result.name(), QStringLiteral("Success"));

        const ArrayOfXfccGame games = service->GetMyGames(QStringLiteral("boris"), QStringLiteral("boris"));
        const XfccGame *game = findGame(games, 77);
        QVERIFY(game);
        QCOMPARE(game->message, message);
        QCOMPARE(game->moves, QStringLiteral("1. e4 {[%clk 1:02:03]} e5 {a & b <c>} 2. Nf3"));
        QCOMPARE(game->myTurn, true);
        QCOMPARE(game->hasWhite, false);
        QCOMPARE(game->white, QStringLiteral("Ånna <Kowalska> & \"Q\""));
    }

    void requestsReachTheServerExactly()
    {
        TCannedHttpServer peer;
        peer.setReply(200, moveReply("Success"));
        const auto service = GetXfccBasicSoap(false, peer.serviceAddress());
        QCOMPARE(service->MakeAMove(QStringLiteral("an<na>"), QStringLiteral("p&w"), 1234, true, false, 23,
                                    QString(), true, false, QStringLiteral("Hi \"you\"\r\nbye")),
                 MakeAMoveResult::Success);
        QCOMPARE(peer.requests().size(), 1);
        const TCannedHttpServer::Request &request = peer.requests().first();
        QCOMPARE(request.method, QByteArray("POST"));
        QCOMPARE(request.path, QByteArray("/XfccBasic.asmx"));
        QCOMPARE(request.header("Content-Type"), QByteArray("text/xml; charset=utf-8"));
        QCOMPARE(request.header("SOAPAction"),
                 QByteArray("\"http://www.bennedik.com/webservices/XfccBasic/MakeAMove\""));
        QCOMPARE(request.body,
                 QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                            "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
                            "<MakeAMove xmlns=\"http://www.bennedik.com/webservices/XfccBasic\">"
                            "<username>an&lt;na&gt;</username><password>p&amp;w</password>"
                            "<gameId>1234</gameId><resign>true</resign><acceptDraw>false</acceptDraw>"
                            "<movecount>23</movecount><myMove></myMove><offerDraw>true</offerDraw>"
                            "<claimDraw>false</claimDraw><myMessage>Hi &quot;you&quot;&#13;\nbye</myMessage>"
                            "</MakeAMove></soap:Body></soap:Envelope>\n"));

        peer.setReply(200, {});
        XfccFailureOf([&] { service->GetMyGames(QStringLiteral("anna"), QStringLiteral("secret")); });
        QCOMPARE(peer.requests().size(), 2);
        QCOMPARE(peer.requests()[1].header("SOAPAction"),
                 QByteArray("\"http://www.bennedik.com/webservices/XfccBasic/GetMyGames\""));
        QVERIFY(peer.requests()[1].body.contains(
            "<GetMyGames xmlns=\"http://www.bennedik.com/webservices/XfccBasic\">"
            "<username>anna</username><password>secret</password></GetMyGames>"));
    }

    void everyMakeAMoveAnswerIsRead_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("ordinal");
        for (std::size_t i = 0; i < MakeAMoveResult::Names.size(); ++i)
            QTest::newRow(MakeAMoveResult::Names[i]) << QByteArray(MakeAMoveResult::Names[i]) << int(i);
        QTest::newRow("TournamentNotYetStarted") << QByteArray("TournamentNotYetStarted") << int(MakeAMoveResult::Other);
    }

    void everyMakeAMoveAnswerIsRead()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, ordinal);
        TCannedHttpServer peer;
        peer.setReply(200, moveReply(name));
        const MakeAMoveResult result = GetXfccBasicSoap(false, peer.serviceAddress())
                                           ->MakeAMove({}, {}, 1, false, false, 1, QStringLiteral("e4"), false, false, {});
        QCOMPARE(result.ordinal(), ordinal);
        QCOMPARE(result.name(), QString::fromLatin1(name));
    }

    void failuresGiveAClearText_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QString>("message");
        QTest::newRow("malformed XML") << 200 << QByteArray("text/xml") << QByteArray("<soap:Envelope><oops")
                                       << QStringLiteral("not valid XML");
        QTest::newRow("wrong namespace")
            << 200 << QByteArray("text/xml")
            << QByteArray("<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body>"
                          "<GetMyGamesResponse xmlns=\"http://tempuri.org/\"/></s:Body></s:Envelope>")
            << QStringLiteral("did not answer GetMyGames");
        QTest::newRow("HTTP 500 page") << 500 << QByteArray("text/html")
                                       << QByteArray("<html><body><h1>Internal error</h1></body></html>")
                                       << QStringLiteral("server replied: Canned");
        QTest::newRow("HTTP 500 SOAP fault")
            << 500 << QByteArray("text/xml")
            << QByteArray("<s:Envelope xmlns:s=\"http://schemas.xmlsoap.org/soap/envelope/\"><s:Body><s:Fault>"
                          "<faultcode>s:Server</faultcode><faultstring>Database is down</faultstring>"
                          "</s:Fault></s:Body></s:Envelope>")
            << QStringLiteral("Database is down");
        QTest::newRow("HTTP 404") << 404 << QByteArray("text/plain") << QByteArray("no such page")
                                  << QStringLiteral("server replied: Canned");
    }

    void failuresGiveAClearText()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, body);
        QFETCH(QString, message);
        TCannedHttpServer peer;
        peer.setReply(status, body, contentType);
        const QString failure = XfccFailureOf([&] {
            GetXfccBasicSoap(false, peer.serviceAddress())->GetMyGames(QStringLiteral("a"), QStringLiteral("b"));
        });
        QVERIFY2(failure.contains(message), qPrintable(failure));
    }

    void anUnreachableServerFails()
    {
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        const quint16 port = probe.serverPort();
        probe.close();
        const QString failure = XfccFailureOf([&] {
            GetXfccBasicSoap(false, QStringLiteral("http://127.0.0.1:%1/XfccBasic.asmx").arg(port))
                ->GetMyGames(QStringLiteral("a"), QStringLiteral("b"));
        });
        QCOMPARE(failure, QStringLiteral("Connection refused"));
    }

    void anInvalidAddressFails()
    {
        const QString failure = XfccFailureOf([&] {
            GetXfccBasicSoap(false, QStringLiteral("no address"))->GetMyGames({}, {});
        });
        QCOMPARE(failure, QStringLiteral("The service address \"no address\" is not a valid web address"));
    }

    void aSilentServerTimesOutWhileTheEventLoopRuns()
    {
        TCannedHttpServer peer;
        peer.setSilent();
        XfccTransport transport;
        transport.stallTimeout = 400ms;
        // Timers and paint events keep being delivered while the call waits.
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] { ++ticks; });
        ticker.start(20);
        QElapsedTimer clock;
        clock.start();
        const QString failure = XfccFailureOf([&] {
            GetXfccBasicSoap(false, peer.serviceAddress(), transport)->GetMyGames({}, {});
        });
        QCOMPARE(failure, peer.serviceAddress() + QStringLiteral(" did not answer within 0.4 seconds"));
        QVERIFY2(clock.elapsed() >= 350 && clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
        QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
        QCOMPARE(peer.requests().size(), 1);
    }

    void aTricklingServerIsCutOff()
    {
        TCannedHttpServer peer;
        peer.setReply(200, moveReply("Success"));
        peer.setTrickle(20ms);
        XfccTransport transport;
        transport.stallTimeout = 2s;
        transport.callTimeout = 500ms;
        const QString failure = XfccFailureOf([&] {
            GetXfccBasicSoap(false, peer.serviceAddress(), transport)->MakeAMove({}, {}, 1, false, false, 1, {}, false, false, {});
        });
        QCOMPARE(failure, peer.serviceAddress() + QStringLiteral(" did not complete its answer within 0.5 seconds"));
    }

    void anOversizedReplyFails()
    {
        TCannedHttpServer peer;
        peer.setReply(200, QByteArray(200000, ' ') + moveReply("Success"));
        XfccTransport transport;
        transport.maxReplySize = 100000;
        const QString failure = XfccFailureOf([&] {
            GetXfccBasicSoap(false, peer.serviceAddress(), transport)->MakeAMove({}, {}, 1, false, false, 1, {}, false, false, {});
        });
        QVERIFY2(failure.startsWith(QStringLiteral("The server's reply is larger than")), qPrintable(failure));
    }

    void httpsChecksTheCertificate()
    {
        if (!QSslSocket::supportsSsl())
            QSKIP("no TLS backend");
        QFile certificateFile(dataFile(QStringLiteral("loopback.crt")));
        QFile keyFile(dataFile(QStringLiteral("loopback.key")));
        QVERIFY(certificateFile.open(QIODevice::ReadOnly) && keyFile.open(QIODevice::ReadOnly));
        const QSslCertificate certificate(&certificateFile, QSsl::Pem);
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setLocalCertificate(certificate);
        tls.setPrivateKey(QSslKey(&keyFile, QSsl::Rsa, QSsl::Pem));
        TCannedHttpServer peer(tls);
        peer.setReply(200, moveReply("Success"));
        const auto makeAMove = [&] {
            return GetXfccBasicSoap(false, peer.serviceAddress())
                ->MakeAMove({}, {}, 1, false, false, 1, QStringLiteral("e4"), false, false, {});
        };

        // A certificate nobody vouches for stops the call before anything is sent.
        const QString failure = XfccFailureOf([&] { makeAMove(); });
        QVERIFY2(failure.contains(QStringLiteral("certificate")), qPrintable(failure));
        QVERIFY(peer.requests().isEmpty());

        // Once the certificate is trusted, the same server is reached over TLS.
        const QSslConfiguration original = QSslConfiguration::defaultConfiguration();
        const auto restore = qScopeGuard([&] { QSslConfiguration::setDefaultConfiguration(original); });
        QSslConfiguration trusting = original;
        trusting.addCaCertificate(certificate);
        QSslConfiguration::setDefaultConfiguration(trusting);
        QCOMPARE(makeAMove(), MakeAMoveResult::Success);
        QCOMPARE(peer.requests().size(), 1);
    }

    void theSystemProxyIsUsed()
    {
        TCannedHttpServer proxy;
        proxy.setReply(200, moveReply("Success"));
        const QByteArray proxyAddress = QUrl(proxy.serviceAddress()).adjusted(QUrl::RemovePath).toEncoded();
        const QByteArray saved = qgetenv("http_proxy");
        const auto restore = qScopeGuard([&] { qputenv("http_proxy", saved); });
        qputenv("http_proxy", proxyAddress);
        const MakeAMoveResult result = GetXfccBasicSoap(false, QStringLiteral("http://xfcc.invalid/XfccBasic.asmx"))
                                           ->MakeAMove({}, {}, 1, false, false, 1, QStringLiteral("e4"), false, false, {});
        QCOMPARE(result, MakeAMoveResult::Success);
        QCOMPARE(proxy.requests().size(), 1);
        QCOMPARE(proxy.requests().first().path, QByteArray("http://xfcc.invalid/XfccBasic.asmx"));
    }

    // The password never goes to an address the player did not give.
    void anEmptyOrForeignAddressSendsNothing_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("empty") << QString();
        QTest::newRow("file") << QStringLiteral("file:///etc/passwd");
        QTest::newRow("ftp") << QStringLiteral("ftp://127.0.0.1:8765/XfccBasic.asmx");
    }
    void anEmptyOrForeignAddressSendsNothing()
    {
        QFETCH(QString, address);
        QTcpServer peer;
        if (!peer.listen(QHostAddress::LocalHost, 8765))
            QSKIP("the test server's port is taken on this machine");
        const QString failure = XfccFailureOf([&] { GetXfccBasicSoap(false, address)->GetMyGames({}, {}); });
        QCOMPARE(failure, QStringLiteral("The service address \"%1\" is not a valid web address").arg(address));
        QVERIFY(!peer.waitForNewConnection(100));
    }
};

QTEST_GUILESS_MAIN(TestXfccBasic)
#include "tst_xfccbasic.moc"
