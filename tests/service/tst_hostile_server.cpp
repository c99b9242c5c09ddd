#include "service/xfcc_error.h"
#include "service/xfccbasic.h"
#include "tests/support/canned_http_server.h"
#include "tests/support/hostile_replies.h"
#include "tests/support/xfcc_checks.h"

#include <QElapsedTimer>
#include <QTest>

using namespace std::chrono_literals;

// The service binding against servers that misbehave: replies that never
// end, are huge, trickle, break off or redirect, and XML built to hurt a
// reader. Every call must end within its limits with a text that says what
// went wrong.
class TestHostileServer : public QObject
{
    Q_OBJECT

private:
    static QString failureOf(TCannedHttpServer &peer, const XfccTransport &transport = {})
    {
        return XfccFailureOf([&] {
            GetXfccBasicSoap(false, peer.serviceAddress(), transport)->GetMyGames(QStringLiteral("a"), QStringLiteral("b"));
        });
    }

    static XfccTransport quick()
    {
        XfccTransport transport;
        transport.stallTimeout = 300ms;
        transport.callTimeout = 5s;
        return transport;
    }

private slots:
    void everyMisbehaviourEndsWithAClearText_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("move");
        const QList<THostileMode> modes = HostileModes();
        for (qsizetype i = 0; i < modes.size(); ++i) {
            QTest::addRow("GetMyGames: %s", modes[i].name) << int(i) << false;
            QTest::addRow("MakeAMove: %s", modes[i].name) << int(i) << true;
        }
    }

    void everyMisbehaviourEndsWithAClearText()
    {
        QFETCH(int, mode);
        QFETCH(bool, move);
        const THostileMode hostile = HostileModes().at(mode);
        TCannedHttpServer peer;
        hostile.apply(peer);
        const auto service = GetXfccBasicSoap(false, peer.serviceAddress(), hostile.transport);
        QElapsedTimer clock;
        clock.start();
        const QString failure = XfccFailureOf([&] {
            if (move)
                service->MakeAMove({}, {}, 1, false, false, 1, QStringLiteral("e4"), false, false, {});
            else
                service->GetMyGames({}, {});
        });
        QVERIFY2(failure.contains(hostile.failure), qPrintable(failure.left(300)));
        QVERIFY2(clock.elapsed() < 30000, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(peer.requests().size(), 1);
    }

    void aReplyWithoutEndIsCutAtTheSizeLimit()
    {
        TCannedHttpServer peer;
        peer.setStreamedReply(ReplyHead("Connection: close\r\n") + GetMyGamesReply({}).left(200),
                              QByteArray(64 * 1024, ' '), -1);
        XfccTransport transport;
        transport.maxReplySize = 4 * 1024 * 1024;
        QCOMPARE(failureOf(peer, transport), QStringLiteral("The server's reply is larger than 4.00 MiB"));
    }

    void aHundredMegabyteReplyWithoutALengthIsCutAtTheRealLimit()
    {
        constexpr qint64 size = qint64(100) * 1024 * 1024;
        TCannedHttpServer peer;
        peer.setStreamedReply(ReplyHead("Connection: close\r\n"), QByteArray(256 * 1024, 'x'), size);
        QCOMPARE(failureOf(peer), QStringLiteral("The server's reply is larger than 32.00 MiB"));
    }

    void aReplyCutWithoutALengthIsNotTakenForAnAnswer()
    {
        TCannedHttpServer peer;
        const QByteArray whole = GetMyGamesReply("<XfccGame><id>1</id><white>Ann</white></XfccGame>");
        peer.setRawReply(ReplyHead("Connection: close\r\n") + whole.left(whole.size() - 30));
        const QString failure = failureOf(peer, quick());
        QVERIFY2(failure.startsWith(QStringLiteral("The server's reply is not valid XML")), qPrintable(failure));
    }

    void aRedirectIsReportedWithItsTarget_data()
    {
        QTest::addColumn<int>("status");
        for (int status : {301, 303, 307, 308})
            QTest::newRow(QByteArray::number(status)) << status;
    }

    void aRedirectIsReportedWithItsTarget()
    {
        QFETCH(int, status);
        TCannedHttpServer target;
        target.setReply(200, GetMyGamesReply({}));
        TCannedHttpServer peer;
        peer.setRawReply("HTTP/1.1 " + QByteArray::number(status) + " Moved\r\nLocation: "
                         + target.serviceAddress().toUtf8() + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
        const QString failure = failureOf(peer, quick());
        QCOMPARE(failure, QStringLiteral("The server redirected the request to %1; enter that address for the server if you trust it")
                              .arg(target.serviceAddress()));
        // Neither the password nor anything else went to the other address.
        QVERIFY(target.requests().isEmpty());
    }

    void faultsWithoutTheirTexts_data()
    {
        QTest::addColumn<QByteArray>("fault");
        QTest::addColumn<QString>("message");
        QTest::newRow("no faultstring") << QByteArray("<faultcode>soap:Server</faultcode>")
                                        << QStringLiteral("The server reported a fault (soap:Server)");
        QTest::newRow("empty faultstring") << QByteArray("<faultcode>soap:Client</faultcode><faultstring/>")
                                           << QStringLiteral("The server reported a fault (soap:Client)");
        QTest::newRow("nothing at all") << QByteArray() << QStringLiteral("The server reported a fault");
        QTest::newRow("blanks only") << QByteArray("<faultcode> </faultcode><faultstring>\n</faultstring>")
                                     << QStringLiteral("The server reported a fault");
    }

    void faultsWithoutTheirTexts()
    {
        QFETCH(QByteArray, fault);
        QFETCH(QString, message);
        // As a real server sends them: with status 500, and with 200.
        for (int status : {500, 200}) {
            TCannedHttpServer peer;
            peer.setReply(status, SoapReply("<soap:Fault>" + fault + "</soap:Fault>"));
            QCOMPARE(failureOf(peer, quick()), message);
        }
    }

    void deeplyNestedXml_data()
    {
        constexpr int depth = 200000;
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("message");
        QTest::newRow("among the games")
            << GetMyGamesReply(NestedElements("x", depth)) << QString();
        QTest::newRow("inside a game's field")
            << GetMyGamesReply("<XfccGame><white>" + NestedElements("b", depth, "Ann") + "</white></XfccGame>")
            << QStringLiteral("Unexpected element \"b\" inside a value");
        QTest::newRow("inside the fault string")
            << SoapReply("<soap:Fault><faultstring>" + NestedElements("i", depth, "deep") + "</faultstring></soap:Fault>")
            << QStringLiteral("deep");
        QTest::newRow("unclosed")
            << GetMyGamesReply(QByteArray("<x>").repeated(depth)) << QStringLiteral("not valid XML");
    }

    void deeplyNestedXml()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, message);
        TCannedHttpServer peer;
        peer.setReply(200, reply);
        const QString failure = failureOf(peer, quick());
        if (message.isEmpty())
            QCOMPARE(failure, QStringLiteral("(no failure)"));  // an unknown element is skipped
        else
            QVERIFY2(failure.contains(message), qPrintable(failure.left(300)));
    }

    void documentTypeDeclarationsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("billion laughs in a field")
            << GetMyGamesReply("<XfccGame><id>&l9;</id></XfccGame>", EntityBombDoctype());
        QTest::newRow("external entity")
            << GetMyGamesReply("<XfccGame><white>&secret;</white></XfccGame>",
                          "<!DOCTYPE soap:Envelope [<!ENTITY secret SYSTEM \"file:///etc/passwd\">]>");
        QTest::newRow("quadratic blow-up")
            << GetMyGamesReply("<XfccGame><white>" + QByteArray("&big;").repeated(20000) + "</white></XfccGame>",
                          "<!DOCTYPE soap:Envelope [<!ENTITY big \"" + QByteArray(100000, 'a') + "\">]>");
    }

    void documentTypeDeclarationsAreRefused()
    {
        QFETCH(QByteArray, reply);
        TCannedHttpServer peer;
        peer.setReply(200, reply);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(failureOf(peer, quick()), QStringLiteral("The server's reply holds a document type declaration, "
                                                          "which SOAP messages may not have"));
        QVERIFY2(clock.elapsed() < 20000, qPrintable(QString::number(clock.elapsed())));
    }

    void wrongNamespaces_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("message");
        QTest::newRow("SOAP 1.2 envelope")
            << QByteArray("<e:Envelope xmlns:e=\"http://www.w3.org/2003/05/soap-envelope\"><e:Body>"
                          "<GetMyGamesResponse xmlns=\"http://www.bennedik.com/webservices/XfccBasic\"/>"
                          "</e:Body></e:Envelope>")
            << QStringLiteral("The server's reply is not a SOAP envelope");
        QTest::newRow("another service's response")
            << SoapReply("<GetMyGamesResponse xmlns=\"http://www.bennedik.com/webservices/XfccBasic2\"/>")
            << QStringLiteral("The server did not answer GetMyGames: its reply holds \"GetMyGamesResponse\" in "
                              "\"http://www.bennedik.com/webservices/XfccBasic2\"");
        QTest::newRow("no namespace at all")
            << QByteArray("<Envelope><Body><GetMyGamesResponse/></Body></Envelope>")
            << QStringLiteral("The server's reply is not a SOAP envelope");
    }

    void wrongNamespaces()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, message);
        TCannedHttpServer peer;
        peer.setReply(200, reply);
        QCOMPARE(failureOf(peer, quick()), message);
    }

    void longTextsArriveWhole()
    {
        const QString name = QString(10000, QChar(u'ñ'));
        QByteArray moves;
        for (int move = 1; move <= 1000; ++move)
            moves += QByteArray::number(move) + (move % 2 ? ".Nf3 Nf6 " : ".Ng1 Ng8 ");
        TCannedHttpServer peer;
        peer.setReply(200, GetMyGamesReply("<XfccGame><id>5</id><white>" + name.toUtf8() + "</white><black>"
                                      + name.toUtf8() + "</black><event>" + name.toUtf8() + "</event><moves>"
                                      + moves + "</moves></XfccGame>"));
        const ArrayOfXfccGame games =
            GetXfccBasicSoap(false, peer.serviceAddress(), quick())->GetMyGames({}, {});
        QCOMPARE(games.size(), 1);
        QCOMPARE(games[0].white, name);
        QCOMPARE(games[0].event, name);
        QCOMPARE(games[0].moves, QString::fromLatin1(moves));
    }
};

QTEST_GUILESS_MAIN(TestHostileServer)
#include "tst_hostile_server.moc"
