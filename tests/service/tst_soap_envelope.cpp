#include "service/games_reply_scanner.h"
#include "service/soap_envelope.h"
#include "service/xfcc_error.h"
#include "service/xfcc_wire.h"
#include "tests/support/xfcc_checks.h"

#include <QFile>
#include <QTest>

// The SOAP messages of the service, written and read without a network.
class TestSoapEnvelope : public QObject
{
    Q_OBJECT

private:
    static QByteArray envelope(const QByteArray &bodyContent, const QByteArray &prefix = "soap")
    {
        const QByteArray open = prefix.isEmpty() ? QByteArray() : prefix + ':';
        const QByteArray declaration = prefix.isEmpty() ? QByteArray("xmlns") : "xmlns:" + prefix;
        return "<?xml version=\"1.0\" encoding=\"utf-8\"?><" + open + "Envelope " + declaration
             + "=\"http://schemas.xmlsoap.org/soap/envelope/\"><" + open + "Body>" + bodyContent + "</"
             + open + "Body></" + open + "Envelope>";
    }

    static QByteArray gamesReply(const QByteArray &resultContent)
    {
        return envelope("<GetMyGamesResponse xmlns=\"http://www.bennedik.com/webservices/XfccBasic\">"
                        "<GetMyGamesResult>" + resultContent + "</GetMyGamesResult></GetMyGamesResponse>");
    }

    static QByteArray moveReply(const QByteArray &name)
    {
        return envelope("<MakeAMoveResponse xmlns=\"http://www.bennedik.com/webservices/XfccBasic\">"
                        "<MakeAMoveResult>" + name + "</MakeAMoveResult></MakeAMoveResponse>");
    }

private slots:
    void requestsAreExact()
    {
        QCOMPARE(WriteSoapRequest(GetMyGamesOperation, GetMyGamesParameters,
                                  {QStringLiteral("anna"), QString()}),
                 QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                            "<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body>"
                            "<GetMyGames xmlns=\"http://www.bennedik.com/webservices/XfccBasic\">"
                            "<username>anna</username><password></password>"
                            "</GetMyGames></soap:Body></soap:Envelope>\n"));
        QCOMPARE(XfccSoapAction(MakeAMoveOperation),
                 QByteArray("\"http://www.bennedik.com/webservices/XfccBasic/MakeAMove\""));
    }

    void readsEveryFieldByNameInAnyOrder()
    {
        QFile file(qEnvironmentVariable("QUORVAL_SOURCE_DIR")
                   + QStringLiteral("/tests/service/data/get_my_games_shuffled.xml"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const ArrayOfXfccGame games = ReadGetMyGamesResponse(file.readAll());
        QCOMPARE(games.size(), 2);
        const XfccGame expected{
            .id = 4242, .white = QStringLiteral("Whïte \"W\""), .black = QStringLiteral("Bläck"),
            .event = QStringLiteral("event <4> & co"), .site = QStringLiteral("site 5"), .myTurn = true,
            .hasWhite = true, .moves = QStringLiteral("1. d4 {comment} d5"), .drawOffered = true,
            .message = QStringLiteral("line 1\r\nline 2"), .serverInfo = QStringLiteral("info & <11>"),
            .whiteTitle = QStringLiteral("t12"), .blackTitle = QStringLiteral("t13"), .whiteElo = -1414,
            .blackElo = 1515, .whiteNA = QStringLiteral("NA16"), .blackNA = QStringLiteral("NA17"),
            .eventSponsor = QStringLiteral("sp18"), .section = QStringLiteral("s19"),
            .stage = QStringLiteral("s20"), .board = QStringLiteral("b21"), .timeControl = QStringLiteral("tc"),
            .setup = QStringLiteral("true"), .fen = QStringLiteral("8/8/8/8/8/8/8/K1k5 w - - 0 1"),
            .result = Result::BlackWinAdjudicated, .daysPlayer = 26, .hoursPlayer = 27, .minutesPlayer = 28,
            .daysOpponent = 29, .hoursOpponent = 30, .minutesOpponent = 31,
            .gameLink = QStringLiteral("http://server.test/g/4242"), .eventDate = QStringLiteral("2026.05.06")};
        const QString difference = XfccGameDifference(games[0], expected);
        QVERIFY2(difference.isEmpty(), qPrintable(difference));
        // A nil or empty number keeps its default.
        QCOMPARE(games[1].id, 2);
        QCOMPARE(games[1].whiteElo, 0);
        QCOMPARE(games[1].blackElo, 0);
    }

    void missingFieldsKeepTheirDefaults()
    {
        const ArrayOfXfccGame games = ReadGetMyGamesResponse(gamesReply("<XfccGame><id>9</id></XfccGame>"));
        QCOMPARE(games.size(), 1);
        QCOMPARE(games[0].id, 9);
        QCOMPARE(games[0].result, Result::Ongoing);
        QCOMPARE(games[0].result.name(), QStringLiteral("Ongoing"));
        QCOMPARE(games[0].myTurn, false);
        QCOMPARE(games[0].hasWhite, false);
        QCOMPARE(games[0].daysPlayer, 0);
        QVERIFY(games[0].white.isEmpty());
    }

    void emptyResultGivesNoGames_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::newRow("empty element") << gamesReply("");
        QTest::newRow("self-closing element")
            << envelope("<GetMyGamesResponse xmlns=\"http://www.bennedik.com/webservices/XfccBasic\">"
                        "<GetMyGamesResult/></GetMyGamesResponse>");
        QTest::newRow("unqualified result element")
            << envelope("<q:GetMyGamesResponse xmlns:q=\"http://www.bennedik.com/webservices/XfccBasic\">"
                        "<GetMyGamesResult/></q:GetMyGamesResponse>");
    }

    void emptyResultGivesNoGames()
    {
        QFETCH(QByteArray, reply);
        QVERIFY(ReadGetMyGamesResponse(reply).isEmpty());
    }

    void unqualifiedResultHoldsGames()
    {
        const ArrayOfXfccGame games = ReadGetMyGamesResponse(
            envelope("<q:GetMyGamesResponse xmlns:q=\"http://www.bennedik.com/webservices/XfccBasic\">"
                     "<GetMyGamesResult><XfccGame><id>7</id></XfccGame></GetMyGamesResult></q:GetMyGamesResponse>"));
        QCOMPARE(games.size(), 1);
        QCOMPARE(games[0].id, 7);
    }

    // The one-pass scan reads the plain form of a game list and leaves every
    // other form to the full reader; both give the same games.
    void plainAndOtherFormsReadAlike_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("scanned");
        const QByteArray game = "<XfccGame><id>5</id><white>A &amp; B &lt;&#233;&#x1F600;&gt; &quot;q&quot; &apos;</white>"
                                "<moves>1.e4 e5\n2.Nf3</moves><message>line&#13;\nnext</message><myTurn> true </myTurn>"
                                "<whiteElo></whiteElo><result>Draw</result><unknown><x/>y</unknown></XfccGame>";
        const auto undeclared = [](const QByteArray &reply) { return reply.mid(reply.indexOf("?>") + 2); };
        QTest::newRow("plain") << gamesReply(game) << true;
        QTest::newRow("byte order mark and declaration")
            << "\xEF\xBB\xBF<?xml version='1.0' encoding='UTF-8' standalone=\"yes\"?>\n" + undeclared(gamesReply(game))
            << true;
        QTest::newRow("indented") << envelope("\n  <q:GetMyGamesResponse xmlns:q=\"http://www.bennedik.com/webservices/XfccBasic\">\n"
                                              "    <GetMyGamesResult>\n      " + game + "\n    </GetMyGamesResult>\n"
                                              "  </q:GetMyGamesResponse>\n") + "\n" << true;
        QTest::newRow("Zoë in UTF-8") << gamesReply("<XfccGame><black>Zo\xC3\xAB \xE2\x82\xAC \xF0\x9F\x98\x80</black></XfccGame>") << true;
        QTest::newRow("header skipped")
            << gamesReply(game).replace("<soap:Body>", "<soap:Header><h xmlns:a=\"urn:a\"><a:x/> </h></soap:Header><soap:Body>")
            << true;
        QTest::newRow("comment") << gamesReply("<!-- c -->" + game) << false;
        QTest::newRow("CDATA") << gamesReply("<XfccGame><white><![CDATA[<A>]]></white></XfccGame>") << false;
        QTest::newRow("carriage return") << gamesReply("<XfccGame><message>a\r\nb</message></XfccGame>") << false;
        QTest::newRow("nil field")
            << gamesReply("<XfccGame xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><id xsi:nil=\"true\"/></XfccGame>")
            << false;
        QTest::newRow("another encoding")
            << "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>"
                   + undeclared(gamesReply("<XfccGame><white>Zo\xEB</white></XfccGame>"))
            << false;
        QTest::newRow("control character reference") << gamesReply("<XfccGame><white>&#127;&#133;</white></XfccGame>") << false;
    }

    void plainAndOtherFormsReadAlike()
    {
        QFETCH(QByteArray, reply);
        QFETCH(bool, scanned);
        const ArrayOfXfccGame full = ReadGetMyGamesResponseWithXmlReader(reply);
        const std::optional<ArrayOfXfccGame> scan = ScanGetMyGamesReply(reply);
        QCOMPARE(scan.has_value(), scanned);
        if (scan)
            QCOMPARE(*scan, full);
        QCOMPARE(ReadGetMyGamesResponse(reply), full);
    }

    void prefixesAreTheServersChoice_data()
    {
        QTest::addColumn<QByteArray>("reply");
        const QByteArray prefixed =
            "<q:MakeAMoveResponse xmlns:q=\"http://www.bennedik.com/webservices/XfccBasic\">"
            "<q:MakeAMoveResult>NotYourTurn</q:MakeAMoveResult></q:MakeAMoveResponse>";
        QTest::newRow("soap:") << envelope(prefixed, "soap");
        QTest::newRow("s:") << envelope(prefixed, "s");
        QTest::newRow("SOAP-ENV:") << envelope(prefixed, "SOAP-ENV");
        QTest::newRow("default namespaces") << envelope(
            "<MakeAMoveResponse xmlns=\"http://www.bennedik.com/webservices/XfccBasic\">"
            "<MakeAMoveResult>NotYourTurn</MakeAMoveResult></MakeAMoveResponse>", "");
        QTest::newRow("unqualified result") << envelope(
            "<q:MakeAMoveResponse xmlns:q=\"http://www.bennedik.com/webservices/XfccBasic\">"
            "<MakeAMoveResult>NotYourTurn</MakeAMoveResult></q:MakeAMoveResponse>");
    }

    void prefixesAreTheServersChoice()
    {
        QFETCH(QByteArray, reply);
        QCOMPARE(ReadMakeAMoveResponse(reply), MakeAMoveResult::NotYourTurn);
    }

    // Every name is read over HTTP in tst_xfccbasic; here the forms around it.
    void makeAMoveResultsByName()
    {
        QCOMPARE(ReadMakeAMoveResponse(moveReply("MoveIsAmbigous")).ordinal(), 11);
        QCOMPARE(ReadMakeAMoveResponse(moveReply("\n  Success  ")), MakeAMoveResult::Success);
        const MakeAMoveResult unknown = ReadMakeAMoveResponse(moveReply("ClaimsNotSupported"));
        QCOMPARE(unknown, MakeAMoveResult::Other);
        QCOMPARE(unknown.name(), QStringLiteral("ClaimsNotSupported"));
        QCOMPARE(ReadMakeAMoveResponse(moveReply("")).name(), QString());
    }

    void resultTexts_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("ordinal");
        QTest::addColumn<QString>("text");
        const QStringList texts{"*", "1-0", "0-1", "1/2-1/2", "1-0 {Adjudicated}",
                                "0-1 {Adjudicated}", "1/2-1/2 {Adjudicated}", "* White defaulted",
                                "* Black Defaulted", "* Both defaulted", "* Cancelled", "*"};
        for (std::size_t i = 0; i < Result::Names.size(); ++i)
            QTest::newRow(Result::Names[i]) << QString(Result::Names[i]) << int(i) << texts[qsizetype(i)];
        QTest::newRow("unknown") << QStringLiteral("Forfeited") << int(Result::Other) << QStringLiteral("*");
    }

    void resultTexts()
    {
        QFETCH(QString, name);
        QFETCH(int, ordinal);
        QFETCH(QString, text);
        const ArrayOfXfccGame games = ReadGetMyGamesResponse(
            gamesReply("<XfccGame><result>" + name.toUtf8() + "</result></XfccGame>"));
        QCOMPARE(games.size(), 1);
        QCOMPARE(games[0].result.ordinal(), ordinal);
        QCOMPARE(games[0].result.name(), name);
        QCOMPARE(ResultToString(games[0].result), text);
    }

    void unknownElementsAreIgnored()
    {
        const ArrayOfXfccGame games = ReadGetMyGamesResponse(gamesReply(
            "<Notice>hello</Notice><XfccGame><rating2>1</rating2><id>5</id>"
            "<white xmlns=\"urn:other\">not ours</white></XfccGame>"));
        QCOMPARE(games.size(), 1);
        QCOMPARE(games[0].id, 5);
        QVERIFY(games[0].white.isEmpty());
    }

    void faultGivesItsFaultString_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("message");
        QTest::newRow("soap:") << envelope("<soap:Fault><faultcode>soap:Server</faultcode>"
                                           "<faultstring>Wrong &lt;password&gt;</faultstring>"
                                           "<detail><x>1</x></detail></soap:Fault>")
                               << QStringLiteral("Wrong <password>");
        QTest::newRow("s:") << envelope("<s:Fault><faultcode>s:Client</faultcode>"
                                        "<faultstring>Bad request</faultstring></s:Fault>", "s")
                            << QStringLiteral("Bad request");
        QTest::newRow("empty faultstring")
            << envelope("<soap:Fault><faultcode>soap:Server</faultcode><faultstring/></soap:Fault>")
            << QStringLiteral("The server reported a fault (soap:Server)");
    }

    void faultGivesItsFaultString()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, message);
        QCOMPARE(XfccFailureOf([&] { ReadGetMyGamesResponse(reply); }), message);
        QCOMPARE(XfccFailureOf([&] { ReadMakeAMoveResponse(reply); }), message);
        QCOMPARE(ReadSoapFault(reply), std::optional<QString>(message));
    }

    void unreadableRepliesFailClearly_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<QString>("message");
        QTest::newRow("empty") << QByteArray() << "not valid XML";
        QTest::newRow("HTML page") << QByteArray("<html><body>Oops</body></html>") << "not a SOAP envelope";
        QTest::newRow("malformed") << QByteArray("<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"><soap:Body><a></b>")
                                   << "not valid XML";
        QTest::newRow("cut off") << gamesReply("<XfccGame><id>1</id></XfccGame>").left(300) << "not valid XML";
        QTest::newRow("SOAP 1.2 envelope")
            << QByteArray("<e:Envelope xmlns:e=\"http://www.w3.org/2003/05/soap-envelope\"><e:Body/></e:Envelope>")
            << "not a SOAP envelope";
        QTest::newRow("no body")
            << QByteArray("<soap:Envelope xmlns:soap=\"http://schemas.xmlsoap.org/soap/envelope/\"/>")
            << "no SOAP body";
        QTest::newRow("wrong namespace")
            << envelope("<GetMyGamesResponse xmlns=\"http://example.org/Other\"><GetMyGamesResult/></GetMyGamesResponse>")
            << "did not answer GetMyGames";
        QTest::newRow("no result element")
            << envelope("<GetMyGamesResponse xmlns=\"http://www.bennedik.com/webservices/XfccBasic\"/>")
            << "The server's GetMyGames reply holds no \"GetMyGamesResult\" element in "
               "\"http://www.bennedik.com/webservices/XfccBasic\" or without a namespace";
        QTest::newRow("result in another namespace")
            << envelope("<q:GetMyGamesResponse xmlns:q=\"http://www.bennedik.com/webservices/XfccBasic\">"
                        "<GetMyGamesResult xmlns=\"http://example.org/Other\"><XfccGame/></GetMyGamesResult>"
                        "</q:GetMyGamesResponse>")
            << "holds no \"GetMyGamesResult\" element in \"http://www.bennedik.com/webservices/XfccBasic\" or "
               "without a namespace; it holds \"GetMyGamesResult\" in \"http://example.org/Other\"";
        QTest::newRow("other operation")
            << envelope("<MakeAMoveResponse xmlns=\"http://www.bennedik.com/webservices/XfccBasic\"/>")
            << "did not answer GetMyGames";
        QTest::newRow("invalid number") << gamesReply("<XfccGame><whiteElo>12a</whiteElo></XfccGame>")
                                        << "invalid value for \"whiteElo\"";
        QTest::newRow("number beyond 32 bits") << gamesReply("<XfccGame><id>4294967296</id></XfccGame>")
                                               << "invalid value for \"id\"";
        QTest::newRow("invalid flag") << gamesReply("<XfccGame><myTurn>yes</myTurn></XfccGame>")
                                      << "invalid value for \"myTurn\"";
        QTest::newRow("markup in a text") << gamesReply("<XfccGame><white><b>x</b></white></XfccGame>")
                                          << "not valid XML";
        QTest::newRow("undeclared prefix") << gamesReply("<XfccGame><p:id>1</p:id></XfccGame>")
                                           << "not valid XML";
    }

    void unreadableRepliesFailClearly()
    {
        QFETCH(QByteArray, reply);
        QFETCH(QString, message);
        const QString failure = XfccFailureOf([&] { ReadGetMyGamesResponse(reply); });
        QVERIFY2(failure.contains(message), qPrintable(failure));
    }

    void makeAMoveReplyWithoutResultFails()
    {
        const QString failure = XfccFailureOf([&] {
            ReadMakeAMoveResponse(envelope(
                "<MakeAMoveResponse xmlns=\"http://www.bennedik.com/webservices/XfccBasic\"/>"));
        });
        QCOMPARE(failure, QStringLiteral("The server's MakeAMove reply holds no \"MakeAMoveResult\" element in "
                                         "\"http://www.bennedik.com/webservices/XfccBasic\" or without a namespace"));
    }
};

QTEST_GUILESS_MAIN(TestSoapEnvelope)
#include "tst_soap_envelope.moc"
