#include "service/soap_envelope.h"
#include "service/xfcc_error.h"
#include "service/xfccbasic.h"
#include "tests/support/xfcc_test_server_process.h"
#include "tools/xfcc-test-server/server_soap.h"
#include "tools/xfcc-test-server/test_server_data_file.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

// xfcc-test-server as a process: how strictly it reads requests, the rules of
// MakeAMove, its data file and the demo data it ships.
class TestXfccTestServer : public QObject
{
    Q_OBJECT

private:
    struct Exchange {
        int status = 0;
        QByteArray body;
    };

    static QString source(const QString &path)
    {
        return qEnvironmentVariable("QUORVAL_SOURCE_DIR") + u'/' + path;
    }

    QString copyOf(const QString &path)
    {
        const QString copy = m_dir.filePath(QStringLiteral("data-%1.json").arg(++m_copies));
        return QFile::copy(source(path), copy) ? copy : QString();
    }

    static Exchange send(const QString &address, const QByteArray &method, const QByteArray &contentType,
                         const QByteArray &action, const QByteArray &body)
    {
        QNetworkAccessManager network;
        QNetworkRequest request{QUrl(address)};
        if (!contentType.isEmpty())
            request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
        if (!action.isEmpty())
            request.setRawHeader("SOAPAction", action);
        QNetworkReply *reply = network.sendCustomRequest(request, method, body);
        QEventLoop loop;
        connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        reply->deleteLater();
        return {reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->readAll()};
    }

    static QByteArray envelope(const QByteArray &content,
                               const QByteArray &envelopeNamespace = "http://schemas.xmlsoap.org/soap/envelope/")
    {
        return "<?xml version=\"1.0\" encoding=\"utf-8\"?><s:Envelope xmlns:s=\"" + envelopeNamespace
             + "\"><s:Body>" + content + "</s:Body></s:Envelope>";
    }

    static QByteArray getMyGames(const QByteArray &parameters,
                                 const QByteArray &ns = "http://www.bennedik.com/webservices/XfccBasic")
    {
        return envelope("<GetMyGames xmlns=\"" + ns + "\">" + parameters + "</GetMyGames>");
    }

    static MakeAMoveResult move(XfccBasicSoap &service, const QString &user, int gameId, int movecount,
                                const QString &san, bool resign = false, bool acceptDraw = false,
                                bool offerDraw = false, bool claimDraw = false, const QString &message = {})
    {
        return service.MakeAMove(user, user, gameId, resign, acceptDraw, movecount, san, offerDraw, claimDraw, message);
    }

    static XfccGame gameOf(XfccBasicSoap &service, const QString &user, int id)
    {
        for (const XfccGame &game : service.GetMyGames(user, user)) {
            if (game.id == id)
                return game;
        }
        return {};
    }

    QTemporaryDir m_dir;
    int m_copies = 0;

private slots:
    void requestsAreReadStrictly_data()
    {
        const QByteArray action = "\"http://www.bennedik.com/webservices/XfccBasic/GetMyGames\"";
        const QByteArray valid = getMyGames("<username>w</username><password>w</password>");
        QTest::addColumn<QByteArray>("method");
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("action");
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("fault");

        QTest::newRow("valid") << QByteArray("POST") << QByteArray() << QByteArray("text/xml; charset=utf-8")
                               << action << valid << 200 << QString();
        QTest::newRow("no charset") << QByteArray("POST") << QByteArray() << QByteArray("text/xml") << action
                                    << valid << 200 << QString();
        QTest::newRow("GET") << QByteArray("GET") << QByteArray() << QByteArray() << QByteArray()
                             << QByteArray() << 405 << QString();
        QTest::newRow("other path") << QByteArray("POST") << QByteArray("/Other.asmx") << QByteArray("text/xml")
                                    << action << valid << 404 << QString();
        QTest::newRow("SOAP 1.2 content type") << QByteArray("POST") << QByteArray()
                                               << QByteArray("application/soap+xml") << action << valid << 415
                                               << QString();
        QTest::newRow("other charset") << QByteArray("POST") << QByteArray()
                                       << QByteArray("text/xml; charset=iso-8859-1") << action << valid << 415
                                       << QString();
        QTest::newRow("no action") << QByteArray("POST") << QByteArray() << QByteArray("text/xml") << QByteArray()
                                   << valid << 500 << QStringLiteral("did not recognize the value of HTTP Header SOAPAction");
        QTest::newRow("action without quotes")
            << QByteArray("POST") << QByteArray() << QByteArray("text/xml")
            << QByteArray("http://www.bennedik.com/webservices/XfccBasic/GetMyGames") << valid << 500
            << QStringLiteral("did not recognize");
        QTest::newRow("action of the other operation")
            << QByteArray("POST") << QByteArray() << QByteArray("text/xml")
            << QByteArray("\"http://www.bennedik.com/webservices/XfccBasic/MakeAMove\"") << valid << 500
            << QStringLiteral("the action asks for \"MakeAMove\"");
        QTest::newRow("SOAP 1.2 envelope")
            << QByteArray("POST") << QByteArray() << QByteArray("text/xml") << action
            << envelope("<GetMyGames/>", "http://www.w3.org/2003/05/soap-envelope") << 500
            << QStringLiteral("not in the SOAP 1.1 namespace");
        QTest::newRow("operation namespace")
            << QByteArray("POST") << QByteArray() << QByteArray("text/xml") << action
            << getMyGames("<username>w</username><password>w</password>", "http://tempuri.org/") << 500
            << QStringLiteral("in the namespace \"http://tempuri.org/\"");
        QTest::newRow("parameter order")
            << QByteArray("POST") << QByteArray() << QByteArray("text/xml") << action
            << getMyGames("<password>w</password><username>w</username>") << 500
            << QStringLiteral("Expected the parameter \"username\"");
        QTest::newRow("unqualified parameter")
            << QByteArray("POST") << QByteArray() << QByteArray("text/xml") << action
            << envelope("<x:GetMyGames xmlns:x=\"http://www.bennedik.com/webservices/XfccBasic\">"
                        "<username>w</username><x:password>w</x:password></x:GetMyGames>")
            << 500 << QStringLiteral("Expected the parameter \"username\"");
        QTest::newRow("missing parameter")
            << QByteArray("POST") << QByteArray() << QByteArray("text/xml") << action
            << getMyGames("<username>w</username>") << 500 << QStringLiteral("\"password\" is missing");
        QTest::newRow("extra parameter")
            << QByteArray("POST") << QByteArray() << QByteArray("text/xml") << action
            << getMyGames("<username>w</username><password>w</password><extra/>") << 500
            << QStringLiteral("Unexpected element \"extra\"");
        QTest::newRow("malformed XML")
            << QByteArray("POST") << QByteArray() << QByteArray("text/xml") << action
            << valid.left(valid.size() - 10) << 500 << QStringLiteral("not well-formed XML");
        QTest::newRow("not an envelope") << QByteArray("POST") << QByteArray() << QByteArray("text/xml")
                                         << action << QByteArray("<GetMyGames/>") << 500
                                         << QStringLiteral("not a SOAP envelope");
        QTest::newRow("a number that is none")
            << QByteArray("POST") << QByteArray() << QByteArray("text/xml")
            << QByteArray("\"http://www.bennedik.com/webservices/XfccBasic/MakeAMove\"")
            << envelope("<MakeAMove xmlns=\"http://www.bennedik.com/webservices/XfccBasic\">"
                        "<username>w</username><password>w</password><gameId>one</gameId>"
                        "<resign>false</resign><acceptDraw>false</acceptDraw><movecount>1</movecount>"
                        "<myMove>e4</myMove><offerDraw>false</offerDraw><claimDraw>false</claimDraw>"
                        "<myMessage/></MakeAMove>")
            << 500 << QStringLiteral("wrong type");
    }

    void requestsAreReadStrictly()
    {
        QFETCH(QByteArray, method);
        QFETCH(QByteArray, path);
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, action);
        QFETCH(QByteArray, body);
        QFETCH(int, status);
        QFETCH(QString, fault);
        TXfccTestServerProcess server;
        QVERIFY2(server.start(source(QStringLiteral("tests/tools/data/rules.json"))), qPrintable(server.errorString()));
        QString address = server.serviceAddress();
        if (!path.isEmpty())
            address.replace(QStringLiteral("/XfccBasic.asmx"), QString::fromLatin1(path));
        const Exchange exchange = send(address, method, contentType, action, body);
        QCOMPARE(exchange.status, status);
        if (status == 200)
            QCOMPARE(ReadGetMyGamesResponse(exchange.body).size(), 3);
        if (!fault.isEmpty()) {
            const QString text = ReadSoapFault(exchange.body).value_or(QStringLiteral("(no fault)"));
            QVERIFY2(text.contains(fault), qPrintable(text));
        }
    }

    void makeAMoveFollowsTheRules()
    {
        TXfccTestServerProcess server;
        QVERIFY2(server.start(copyOf(QStringLiteral("tests/tools/data/rules.json"))), qPrintable(server.errorString()));
        const auto service = GetXfccBasicSoap(false, server.serviceAddress());
        const QString w = QStringLiteral("w"), b = QStringLiteral("b"), e5 = QStringLiteral("e5");

        QCOMPARE(service->MakeAMove(b, w, 1, false, false, 1, e5, false, false, {}), MakeAMoveResult::AuthenticationFailed);
        QCOMPARE(move(*service, QStringLiteral("nobody"), 1, 1, e5), MakeAMoveResult::AuthenticationFailed);
        QCOMPARE(move(*service, b, 999, 1, e5), MakeAMoveResult::InvalidGameID);
        QCOMPARE(move(*service, QStringLiteral("o"), 1, 1, e5), MakeAMoveResult::NotYourGame);
        QCOMPARE(move(*service, w, 1, 2, QStringLiteral("d4")), MakeAMoveResult::NotYourTurn);
        QCOMPARE(move(*service, b, 1, 2, e5), MakeAMoveResult::InvalidMoveNumber);
        QCOMPARE(move(*service, b, 1, 1, QString()), MakeAMoveResult::InvalidMove);
        QCOMPARE(move(*service, b, 1, 1, e5, false, true), MakeAMoveResult::NoDrawWasOffered);
        const MakeAMoveResult claim = move(*service, b, 1, 1, e5, false, false, false, true);
        QCOMPARE(claim, MakeAMoveResult::Other);
        QCOMPARE(claim.name(), QStringLiteral("ClaimsNotSupported"));
        // None of the refusals changed the game.
        XfccGame seenByWhite = gameOf(*service, w, 1);
        QCOMPARE(seenByWhite.moves, QStringLiteral("1. e4"));
        QCOMPARE(seenByWhite.message, QString());

        QCOMPARE(move(*service, b, 1, 1, e5, false, false, true, false, QStringLiteral("Draw?")), MakeAMoveResult::Success);
        seenByWhite = gameOf(*service, w, 1);
        QCOMPARE(seenByWhite.moves, QStringLiteral("1. e4 e5"));
        QCOMPARE(seenByWhite.myTurn, true);
        QCOMPARE(seenByWhite.hasWhite, true);
        QCOMPARE(seenByWhite.drawOffered, true);
        QCOMPARE(seenByWhite.message, QStringLiteral("Draw?"));
        QCOMPARE(gameOf(*service, b, 1).myTurn, false);

        QCOMPARE(move(*service, w, 1, 2, QString(), false, true), MakeAMoveResult::Success);
        QCOMPARE(gameOf(*service, w, 1).result, Result::Draw);
        QCOMPARE(gameOf(*service, w, 1).myTurn, false);
        QCOMPARE(move(*service, w, 1, 2, QStringLiteral("Nf3")), MakeAMoveResult::NotYourTurn);

        QCOMPARE(move(*service, w, 2, 1, QString(), true), MakeAMoveResult::Success);
        QCOMPARE(gameOf(*service, b, 2).result, Result::BlackWins);
    }

    void aSetUpPositionNumbersTheMoves()
    {
        TXfccTestServerProcess server;
        QVERIFY2(server.start(copyOf(QStringLiteral("tests/tools/data/rules.json"))), qPrintable(server.errorString()));
        const auto service = GetXfccBasicSoap(false, server.serviceAddress());
        QCOMPARE(gameOf(*service, QStringLiteral("w"), 3).moves, QStringLiteral("12... Kd5"));
        QCOMPARE(gameOf(*service, QStringLiteral("w"), 3).myTurn, true);
        QCOMPARE(move(*service, QStringLiteral("w"), 3, 12, QStringLiteral("Kd2")), MakeAMoveResult::InvalidMoveNumber);
        QCOMPARE(move(*service, QStringLiteral("w"), 3, 13, QStringLiteral("Kd2")), MakeAMoveResult::Success);
        QCOMPARE(move(*service, QStringLiteral("b"), 3, 13, QStringLiteral("Kc4")), MakeAMoveResult::Success);
        QCOMPARE(gameOf(*service, QStringLiteral("b"), 3).moves, QStringLiteral("12... Kd5 13. Kd2 Kc4"));
    }

    void changesAreSavedOnlyWhenAsked()
    {
        const QString saved = copyOf(QStringLiteral("tests/tools/data/rules.json"));
        const QString unsaved = copyOf(QStringLiteral("tests/tools/data/rules.json"));
        for (const QString &file : {saved, unsaved}) {
            TXfccTestServerProcess server;
            const QStringList arguments = file == saved ? QStringList{QStringLiteral("--save")} : QStringList{};
            QVERIFY2(server.start(file, arguments), qPrintable(server.errorString()));
            const auto service = GetXfccBasicSoap(false, server.serviceAddress());
            QCOMPARE(move(*service, QStringLiteral("b"), 1, 1, QStringLiteral("c5"), false, false, true, false,
                          QStringLiteral("¡Hola! <3")),
                     MakeAMoveResult::Success);
        }
        const TestServerState after = LoadTestServerData(saved);
        QCOMPARE(after.games[0].moves, (QStringList{"e4", "c5"}));
        QCOMPARE(after.games[0].blackMessage, QStringLiteral("¡Hola! <3"));
        QCOMPARE(after.games[0].drawOfferedBy, TestGame::Side::Black);
        QCOMPARE(after.games[2].common.fen, QStringLiteral("8/8/8/4k3/8/8/4P3/4K3 b - - 0 12"));
        QCOMPARE(after.passwords.size(), 3);
        QCOMPARE(LoadTestServerData(unsaved).games[0].moves, QStringList{"e4"});
    }

    void badDataFilesAreRefusedClearly_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("message");
        QTest::newRow("not JSON") << QByteArray("{ \"users\": [ }") << QStringLiteral("at byte");
        QTest::newRow("not an object") << QByteArray("[]") << QStringLiteral("top level: an object is expected");
        QTest::newRow("unknown key") << QByteArray("{ \"gmaes\": [] }") << QStringLiteral("gmaes: unknown key");
        QTest::newRow("per-player field")
            << QByteArray("{ \"games\": [ { \"id\": 1, \"myTurn\": true } ] }")
            << QStringLiteral("games[0].myTurn: unknown key");
        QTest::newRow("wrong type")
            << QByteArray("{ \"games\": [ { \"id\": 1, \"whiteElo\": \"2100\" } ] }")
            << QStringLiteral("games[0].whiteElo: a 32-bit integer is expected");
        QTest::newRow("fraction") << QByteArray("{ \"games\": [ { \"id\": 1.5 } ] }")
                                  << QStringLiteral("games[0].id: a 32-bit integer is expected");
        QTest::newRow("no id") << QByteArray("{ \"games\": [ { \"white\": \"A\" } ] }")
                               << QStringLiteral("games[0]: the game has no \"id\"");
        QTest::newRow("same id twice") << QByteArray("{ \"games\": [ { \"id\": 1 }, { \"id\": 1 } ] }")
                                       << QStringLiteral("games[1]: another game has the same id");
        QTest::newRow("bad side") << QByteArray("{ \"games\": [ { \"id\": 1, \"drawOfferedBy\": \"both\" } ] }")
                                  << QStringLiteral("games[0].drawOfferedBy");
        QTest::newRow("bad user") << QByteArray("{ \"users\": [ { \"username\": \"a\" } ] }")
                                  << QStringLiteral("users[0]: a user has exactly");
    }

    void badDataFilesAreRefusedClearly()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, message);
        const QString file = m_dir.filePath(QStringLiteral("bad-%1.json").arg(++m_copies));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(json);
        out.close();
        QByteArray error;
        QCOMPARE(TXfccTestServerProcess::runToExit({QStringLiteral("--port"), QStringLiteral("0"), file}, &error), 1);
        QVERIFY2(QString::fromUtf8(error).contains(file + QStringLiteral(": ") + message), error.constData());
    }

    void repliesReadBackAsWritten()
    {
        // What the client reads of the server's replies is what the server
        // wrote, carriage returns included.
        XfccGame game;
        game.id = 7;
        game.white = QStringLiteral("Ann\r\nand <Bob> & co");
        game.message = QStringLiteral("\r");
        game.result = Result::fromName(QStringLiteral("Adjourned\rlater"));
        const ArrayOfXfccGame games{game, XfccGame{}};
        QCOMPARE(ReadGetMyGamesResponse(WriteGetMyGamesResponse(games)), games);
        const MakeAMoveResult result = MakeAMoveResult::fromName(QStringLiteral("Refused\rfor now"));
        QCOMPARE(ReadMakeAMoveResponse(WriteMakeAMoveResponse(result)).name(), result.name());
    }

    void aMissingDataFileIsRefused()
    {
        QByteArray error;
        QCOMPARE(TXfccTestServerProcess::runToExit({QStringLiteral("/nonexistent/data.json")}, &error), 1);
        QVERIFY2(error.contains("/nonexistent/data.json"), error.constData());
    }

    void theDemoDataShowsEveryState()
    {
        TXfccTestServerProcess server;
        QVERIFY2(server.start(source(QStringLiteral("tools/xfcc-test-server/demo.json"))), qPrintable(server.errorString()));
        const ArrayOfXfccGame games =
            GetXfccBasicSoap(false, server.serviceAddress())->GetMyGames(QStringLiteral("demo"), QStringLiteral("demo"));
        QSet<int> results;
        bool myTurn = false, theirTurn = false, drawOffered = false, message = false, serverInfo = false;
        bool specialNames = false, longGame = false, comments = false, clocks = false;
        for (const XfccGame &game : games) {
            results.insert(game.result.ordinal());
            const bool ongoing = ResultToString(game.result) == u"*";
            myTurn |= ongoing && game.myTurn;
            theirTurn |= game.result == Result::Ongoing && !game.myTurn;
            drawOffered |= game.drawOffered;
            message |= !game.message.isEmpty();
            serverInfo |= !game.serverInfo.isEmpty();
            const QString names = game.white + game.black + game.event;
            specialNames |= names.contains(u'<') && names.contains(u'&') && names.contains(u'"')
                         && std::any_of(names.begin(), names.end(), [](QChar c) { return c.unicode() > 127; });
            longGame |= game.moves.contains(QStringLiteral(" 101. "));
            comments |= game.moves.contains(u'{');
            clocks |= game.moves.contains(QStringLiteral("[%clk "));
        }
        const QSet<int> everyState{Result::Ongoing, Result::WhiteWins, Result::BlackWins, Result::Draw,
                                   Result::WhiteWinAdjudicated, Result::BlackDefaulted, Result::Cancelled,
                                   Result::AdjudicationPending};
        QVERIFY(results.contains(everyState));
        QVERIFY(myTurn && theirTurn && drawOffered && message && serverInfo);
        QVERIFY(specialNames && longGame && comments && clocks);
    }
};

QTEST_GUILESS_MAIN(TestXfccTestServer)
#include "tst_xfcc_test_server.moc"
