// The Winboard and UCI line formats, read straight into the panel's labels.

#include "engine/numbertext.h"
#include "engine/thinkingline.h"
#include "engine/uciprotocol.h"
#include "engine/winboardprotocol.h"

#include <QTest>

#include <limits>

using Effect = TEngineProtocol::LineEffect;

namespace {

TAnalysedPosition Position(int ply, bool whiteToMove)
{
    TAnalysedPosition position;
    position.ply = ply;
    position.whiteToMove = whiteToMove;
    return position;
}

// A Winboard link that has been told the position.
TWinboardProtocol WinboardAt(int ply, bool whiteToMove)
{
    TWinboardProtocol winboard;
    winboard.PositionCommands(Position(ply, whiteToMove));
    return winboard;
}

} // namespace

class TestEngineProtocols : public QObject
{
    Q_OBJECT

private slots:
    void groupsDigits();
    void floodKeepsWhatIsNotThinking();

    void winboardThinkingLine_data();
    void winboardThinkingLine();
    void winboardScores_data();
    void winboardScores();
    void winboardCraftyScoresAreNeverNegated();
    void winboardVariationNumbering_data();
    void winboardVariationNumbering();
    void winboardStatusLine_data();
    void winboardStatusLine();
    void winboardFeatures();
    void winboardRefusedFeatures_data();
    void winboardRefusedFeatures();
    void winboardRejectedStatusRequest_data();
    void winboardRejectedStatusRequest();
    void winboardCommands();
    void winboardPositionCommands_data();
    void winboardPositionCommands();
    void winboardOldSearchLinesAreDropped_data();
    void winboardOldSearchLinesAreDropped();

    void uciInfoLine();
    void uciKeysAreWholeWords();
    void uciNodesWaitForAVariation();
    void uciBadValuesAreIgnored();
    void uciIdentity();
    void uciStoppedSearchIsIgnored();
    void uciPositionCommand_data();
    void uciPositionCommand();
};

void TestEngineProtocols::groupsDigits()
{
    QCOMPARE(GroupDigits(0), QStringLiteral("0"));
    QCOMPARE(GroupDigits(999), QStringLiteral("999"));
    QCOMPARE(GroupDigits(1000), QStringLiteral("1.000"));
    QCOMPARE(GroupDigits(1234567), QStringLiteral("1.234.567"));
    QCOMPARE(GroupDigits(-12345), QStringLiteral("-12.345"));
    QCOMPARE(GroupDigits(std::numeric_limits<qint64>::min()), QStringLiteral("-9.223.372.036.854.775.808"));
    QCOMPARE(NodeRateText(250, 1000000), QStringLiteral("1.000.000 / 333.333 nps"));
    QCOMPARE(NodeRateText(0, 500), QStringLiteral("500 / 500 nps"));
}

void TestEngineProtocols::floodKeepsWhatIsNotThinking()
{
    QList<QByteArrayView> lines{"info depth 5 pv e2e4", "bestmove e2e4", "\t5 10 0 1 e4", "pong 3",
                                "stat01: 250 1000", "12 -5 100 4000 Nf3 Nc6", "feature done=1",
                                "Error (unknown command): x", "info depth 6 pv d2d4", "readyok", "1-0 {White mates}"};
    QCOMPARE(DropOlderThinkingLines(lines), 4);
    QCOMPARE(lines, (QList<QByteArrayView>{"bestmove e2e4", "pong 3", "feature done=1", "Error (unknown command): x",
                                           "info depth 6 pv d2d4", "readyok", "1-0 {White mates}"}));
    QList<QByteArrayView> none{"uciok", "id name X"};
    QCOMPARE(DropOlderThinkingLines(none), 0);
    QCOMPARE(none.size(), 2);
}

void TestEngineProtocols::winboardThinkingLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("whiteToMove");
    QTest::addColumn<QString>("depth");
    QTest::addColumn<QString>("score");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("nodes");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<QString>("variation");

    QTest::newRow("tab-led line") << "\t9   25   123   45678   e4 e5 Nf3" << true << "9"
                                  << "[25 w] Position is even" << "1" << "45.678 / 22.839 nps" << "e4"
                                  << "1.e4 e5 2.Nf3";
    // A line that starts with its depth keeps it; the score has a sign.
    QTest::newRow("leading digit") << "5 +0 1 5028 Nf6 e5 Ne4 Nc3" << false << "5"
                                   << "[0 b] Position is even" << "0" << "5.028 / 5.028 nps" << "Nf6"
                                   << "1...Nf6 2.e5 Ne4 3.Nc3";
    QTest::newRow("move numbers dropped") << " 7 -40 250 9000 12. Nf3 Nc6 13. Bb5" << true << "7"
                                          << "[40 b] Black is slightly better" << "2"
                                          << "9.000 / 3.000 nps" << "Nf3" << "1.Nf3 Nc6 2.Bb5";
    // Extra fields up to a tab before the moves; 0-0 castling is a move.
    QTest::newRow("extra fields") << "8 -16 0 2131 16 266375 0\t e7e5 g1f3 0-0" << true << "8"
                                  << "[16 b] Position is even" << "0" << "2.131 / 2.131 nps" << "e7e5"
                                  << "1.e7e5 g1f3 2.0-0";
    QTest::newRow("book moves") << "\t3 10 0 0 (e4 d4 c4) e4" << true << "3" << "[10 w] Position is even"
                                << "0" << "0 / 0 nps" << "e4" << "Book moves: e4 d4 c4";
    QTest::newRow("hint in parentheses") << "\t4 10 5 50 (Nf3)" << true << "4"
                                         << "[10 w] Position is even" << "0" << "50 / 50 nps" << "Nf3)"
                                         << "Book moves: Nf3";
    // Lines that end early change only what was read before.
    QTest::newRow("ends after score") << "\t6 80 " << true << "6" << "[80 w] White is better" << "....."
                                      << "....." << "....." << ".....";
    QTest::newRow("no depth") << "\tdepth 80 1 1 e4" << true << "....." << "....." << "....." << "....."
                              << "....." << ".....";
    QTest::newRow("empty time") << "\t6 80 x 100 e4" << true << "6" << "[80 w] White is better" << "....."
                                << "....." << "e4" << "1.e4";
}

void TestEngineProtocols::winboardThinkingLine()
{
    QFETCH(QString, line);
    QFETCH(bool, whiteToMove);
    TWinboardProtocol winboard = WinboardAt(whiteToMove ? 0 : 1, whiteToMove);
    TAnalysisLabels labels;
    QCOMPARE(winboard.ProcessCommandLine(line, labels), Effect::None);
    QTEST(labels.depth, "depth");
    QTEST(labels.score, "score");
    QTEST(labels.searchTime, "time");
    QTEST(labels.nodes, "nodes");
    QTEST(labels.hint, "hint");
    QTEST(labels.variation, "variation");
}

void TestEngineProtocols::winboardScores_data()
{
    QTest::addColumn<QString>("token");
    QTest::addColumn<bool>("whiteToMove");
    QTest::addColumn<QString>("score");

    QTest::newRow("black to move, non-Crafty") << "40" << false << "[40 b] Black is slightly better";
    QTest::newRow("white, better") << "67" << true << "[67 w] White is better";
    QTest::newRow("white, winning") << "+133" << true << "[133 w] White is winning";
    QTest::newRow("black, better") << "-70" << true << "[70 b] Black is better";
    QTest::newRow("just even") << "33" << true << "[33 w] Position is even";
    QTest::newRow("white mates") << "32765" << true << "Mate in 1 White is winning";
    QTest::newRow("white is mated") << "-32763" << true << "Mated in 2 Black is winning";
    QTest::newRow("protocol's mate") << "100003" << true << "Mate in 3 White is winning";
    QTest::newRow("protocol's mated") << "-100002" << true << "Mated in 2 Black is winning";
    QTest::newRow("protocol's mate, black to move") << "100001" << false << "Mate in 1 Black is winning";
    QTest::newRow("protocol's mated, black to move") << "-100004" << false << "Mated in 4 White is winning";
    QTest::newRow("mate in plies from 10000") << "+9989" << true << "Mate in 6 White is winning";
    QTest::newRow("mated in plies from 10000") << "-9990" << false << "Mated in 5 White is winning";
    QTest::newRow("large, not a mate") << "40000" << true << "[40000 w] White is winning";
    QTest::newRow("no score") << "-32768" << true << " ";
    QTest::newRow("not a number") << "abc" << true << ".....";
    QTest::newRow("smallest int, ignored") << "-2147483648" << false << ".....";
}

void TestEngineProtocols::winboardScores()
{
    QFETCH(QString, token);
    QFETCH(bool, whiteToMove);
    TAnalysisLabels labels;
    WinboardAt(1, whiteToMove).ParseScore(token, labels);
    QTEST(labels.score, "score");
}

void TestEngineProtocols::winboardCraftyScoresAreNeverNegated()
{
    TWinboardProtocol winboard = WinboardAt(1, false);
    TAnalysisLabels labels;
    QCOMPARE(winboard.ProcessCommandLine(QStringLiteral("feature myname=\"Crafty 19\" setboard=1"), labels),
             Effect::None);
    QCOMPARE(labels.engine, QStringLiteral("Winboard Engine: Crafty 19"));
    winboard.ProcessCommandLine(QStringLiteral("\t9 40 100 1000 e5"), labels);
    QCOMPARE(labels.score, QStringLiteral("[40 w] White is slightly better"));
}

void TestEngineProtocols::winboardVariationNumbering_data()
{
    QTest::addColumn<int>("ply");
    QTest::addColumn<bool>("whiteToMove");
    QTest::addColumn<QString>("variation");

    QTest::newRow("start") << 0 << true << "1.e4 e5 2.Nf3";
    QTest::newRow("black to move") << 1 << false << "1...e4 2.e5 Nf3";
    QTest::newRow("after 23...Nf6") << 46 << true << "24.e4 e5 25.Nf3";
    QTest::newRow("after 24.Nf3") << 47 << false << "24...e4 25.e5 Nf3";
    // A set-up position with Black to move at an even ply counts on.
    QTest::newRow("set-up, black at ply 0") << 0 << false << "1...e4 2.e5 Nf3";
}

void TestEngineProtocols::winboardVariationNumbering()
{
    QFETCH(int, ply);
    QFETCH(bool, whiteToMove);
    QTEST(TWinboardProtocol::NumberedVariation({"e4", "e5", "Nf3"}, ply, whiteToMove), "variation");
    QCOMPARE(TWinboardProtocol::NumberedVariation({}, ply, whiteToMove), QString());
}

void TestEngineProtocols::winboardStatusLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("nodes");

    QTest::newRow("status") << "stat01: 250 1000000 9 12 30 e4" << "3" << "1.000.000 / 333.333 nps";
    QTest::newRow("time not a number") << "stat01: x 1000000 9" << "....." << ".....";
    QTest::newRow("nodes not a number") << "stat01: 250 many 9" << "....." << ".....";
    QTest::newRow("no nodes") << "stat01: 250" << "....." << ".....";
}

void TestEngineProtocols::winboardStatusLine()
{
    QFETCH(QString, line);
    TAnalysisLabels labels;
    QCOMPARE(WinboardAt(0, true).ProcessCommandLine(line, labels), Effect::None);
    QTEST(labels.searchTime, "time");
    QTEST(labels.nodes, "nodes");
    QCOMPARE(labels.depth, TAnalysisLabels::Unknown);
}

void TestEngineProtocols::winboardFeatures()
{
    TWinboardProtocol winboard;
    TAnalysisLabels labels;
    // Features on lines of their own, as one engine sends them.
    for (const char *line : {"feature done=0", "feature analyze=1", "feature myname=\"GNU Chess\"",
                             "feature setboard=1", "feature done=1"})
        QCOMPARE(winboard.ProcessCommandLine(QLatin1String(line), labels), Effect::None);
    QCOMPARE(labels.engine, QStringLiteral("Winboard Engine: GNU Chess"));
    QVERIFY(winboard.SupportsSetboard() && winboard.SupportsAnalyze() && winboard.FeaturesDone());

    // All on one line, the name unquoted, analyze left at its default.
    TWinboardProtocol second;
    QCOMPARE(second.ProcessCommandLine(
                 QStringLiteral("feature setboard=1 usermove=1 myname=Fairy-Stockfish variants=\"chess\""),
                 labels),
             Effect::None);
    QCOMPARE(labels.engine, QStringLiteral("Winboard Engine: Fairy-Stockfish"));
    QCOMPARE(second.ProcessCommandLine(QStringLiteral("feature done=1"), labels), Effect::None);

    // Lines that are recognised and have no effect.
    TAnalysisLabels untouched;
    for (const char *line : {"move e2e4", "ack 12", "search_time 100", "node_count 5", "Chess", ""})
        QCOMPARE(winboard.ProcessCommandLine(QLatin1String(line), untouched), Effect::None);
    QCOMPARE(untouched, TAnalysisLabels());
}

void TestEngineProtocols::winboardRefusedFeatures_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<Effect>("effect");

    QTest::newRow("done without setboard") << QStringList{"feature analyze=1", "feature done=1"}
                                           << Effect::LacksSetboard;
    QTest::newRow("analyze refused") << QStringList{"feature setboard=1 analyze=0", "feature done=1"}
                                     << Effect::LacksAnalyze;
    QTest::newRow("setboard withdrawn later")
        << QStringList{"feature setboard=1 done=1", "feature setboard=0"} << Effect::LacksSetboard;
    QTest::newRow("analyze withdrawn later")
        << QStringList{"feature setboard=1 done=1", "feature analyze=0"} << Effect::LacksAnalyze;
}

void TestEngineProtocols::winboardRefusedFeatures()
{
    QFETCH(QStringList, lines);
    TWinboardProtocol winboard;
    TAnalysisLabels labels;
    Effect last = Effect::None;
    for (const QString &line : lines)
        last = winboard.ProcessCommandLine(line, labels);
    QTEST(last, "effect");
}

void TestEngineProtocols::winboardRejectedStatusRequest_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<Effect>("effect");

    QTest::newRow("error") << "Error (unkown command): ." << Effect::StopStatusRequests;
    QTest::newRow("invalid move") << "Invalid move: ." << Effect::StopStatusRequests;
    QTest::newRow("illegal move") << "Illegal move: ." << Effect::StopStatusRequests;
    QTest::newRow("other command refused") << "Error (unkown command): post" << Effect::None;
}

void TestEngineProtocols::winboardRejectedStatusRequest()
{
    QFETCH(QString, line);
    TAnalysisLabels labels;
    QTEST(WinboardAt(0, true).ProcessCommandLine(line, labels), "effect");
}

void TestEngineProtocols::winboardCommands()
{
    TWinboardProtocol winboard;
    QCOMPARE(winboard.OpeningCommands(),
             QStringList({"xboard", "xboard", "protover 2", "new", "force", "post"}));
    TAnalysedPosition position;
    position.epd = QStringLiteral("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3");
    position.fullMoveNumber = 1;
    QCOMPARE(winboard.PositionCommands(position),
             QStringList({"setboard rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1", "analyze"}));
    QVERIFY(winboard.SendsStatusRequests());
    QVERIFY(!TUciProtocol().SendsStatusRequests());
}

void TestEngineProtocols::winboardPositionCommands_data()
{
    QTest::addColumn<QStringList>("features");
    QTest::addColumn<QString>("epd");
    QTest::addColumn<QStringList>("second");

    const QString after = QStringLiteral("setboard r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 0 3");
    const QString epd = QStringLiteral("r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq -");
    QTest::newRow("with ping") << QStringList{"feature ping=1 setboard=1", "feature done=1"} << epd
                               << QStringList{"exit", "force", after, "ping 1", "analyze"};
    QTest::newRow("without ping") << QStringList{"feature setboard=1 done=1"} << epd
                                  << QStringList{"exit", "force", after, "analyze"};
    // A set-up game without moves gives its FEN, which holds the counters.
    QTest::newRow("set-up FEN") << QStringList{"feature setboard=1 done=1"} << "8/8/8/8/8/8/k7/K7 w - - 12 40"
                                << QStringList{"exit", "force", "setboard 8/8/8/8/8/8/k7/K7 w - - 12 40", "analyze"};
    QTest::newRow("set-up FEN, placement and side only")
        << QStringList{"feature setboard=1 done=1"} << "8/8/8/8/8/8/k7/K7 b"
        << QStringList{"exit", "force", "setboard 8/8/8/8/8/8/k7/K7 b - - 0 3", "analyze"};
}

void TestEngineProtocols::winboardPositionCommands()
{
    QFETCH(QStringList, features);
    QFETCH(QString, epd);
    TWinboardProtocol winboard;
    TAnalysisLabels labels;
    TAnalysedPosition position;
    position.epd = QStringLiteral("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    QCOMPARE(winboard.PositionCommands(position).first(), QStringLiteral("setboard %1 0 1").arg(position.epd));
    for (const QString &line : features)
        winboard.ProcessCommandLine(line, labels);
    // An engine that analyses leaves analyze mode before it takes a position.
    position.epd = epd;
    position.fullMoveNumber = 3;
    QTEST(winboard.PositionCommands(position), "second");
}

void TestEngineProtocols::winboardOldSearchLinesAreDropped_data()
{
    QTest::addColumn<QString>("features");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("hint");

    const QString ping = QStringLiteral("feature ping=1 setboard=1 done=1");
    const QString noPing = QStringLiteral("feature setboard=1 done=1");
    QTest::newRow("before the pong") << ping << QStringList{"\t13 40 300 9000 Nf3", "stat01: 300 9000 13"}
                                     << ".....";
    QTest::newRow("after the pong") << ping << QStringList{"\t13 40 300 9000 Nf3", "pong 1", "\t1 -20 0 5 Nf6"}
                                    << "Nf6";
    QTest::newRow("pong of an earlier ping") << ping << QStringList{"pong 0", "\t13 40 300 9000 Nf3"} << ".....";
    QTest::newRow("pong after console prompts")
        << ping << QStringList{"White (1) : White (1) : pong 1", "White (1) : 1 +26 0 6 Nf6"} << "Nf6";
    QTest::newRow("no ping, deeper lines") << noPing << QStringList{"\t13 40 300 9000 Nf3", "\t14 40 300 9000 Nf3"}
                                           << ".....";
    QTest::newRow("no ping, depth starts again")
        << noPing << QStringList{"\t13 40 300 9000 Nf3", "\t2 -20 0 5 Nf6", "\t3 -20 0 5 Bc5"} << "Bc5";
}

void TestEngineProtocols::winboardOldSearchLinesAreDropped()
{
    QFETCH(QString, features);
    QFETCH(QStringList, lines);
    TWinboardProtocol winboard;
    TAnalysisLabels labels;
    winboard.PositionCommands(Position(0, true));
    winboard.ProcessCommandLine(features, labels);
    winboard.ProcessCommandLine(QStringLiteral("\t12 30 200 8000 e4 e5"), labels);
    QCOMPARE(labels.hint, QStringLiteral("e4"));
    // The position changes while the old search still writes.
    winboard.PositionCommands(Position(1, false));
    labels.ResetValues();
    for (const QString &line : lines)
        winboard.ProcessCommandLine(line, labels);
    QTEST(labels.hint, "hint");
    if (labels.hint == TAnalysisLabels::Unknown)
        QCOMPARE(labels, TAnalysisLabels());
}

void TestEngineProtocols::uciInfoLine()
{
    TUciProtocol uci;
    TAnalysisLabels labels;
    const QString line = QStringLiteral("info depth 12 score cp 31 nodes 123456 nps 12345 time 1500 pv e2e4 e7e5");
    QCOMPARE(uci.ProcessLine(line, labels), Effect::None);
    QCOMPARE(labels.depth, QStringLiteral("12 "));
    QCOMPARE(labels.score, QStringLiteral("31 "));
    QCOMPARE(labels.searchTime, QStringLiteral("1 s"));
    QCOMPARE(labels.variation, QStringLiteral("e2e4 e7e5"));
    QCOMPARE(labels.hint, QStringLiteral("e2e4 "));
    QCOMPARE(labels.nodes, TAnalysisLabels::Unknown);
    uci.ProcessLine(line, labels);
    QCOMPARE(labels.nodes, QStringLiteral("123.456 / 12.345"));

    // Mate scores, counted in moves from the side to move.
    uci.ProcessLine(QStringLiteral("info depth 9 score mate 3 nodes 10 pv d1h5"), labels);
    QCOMPARE(labels.score, QStringLiteral("Mate in 3"));
    uci.ProcessLine(QStringLiteral("info depth 9 score mate -2 nodes 10 pv g8f6"), labels);
    QCOMPARE(labels.score, QStringLiteral("Mated in 2"));
}

void TestEngineProtocols::uciKeysAreWholeWords()
{
    TUciProtocol uci;
    TAnalysisLabels labels;
    // The pv is the one after the "pv" word, not after "multipv".
    uci.ProcessLine(QStringLiteral("info depth 20 seldepth 28 multipv 1 score cp -15 nodes 2000000 nps 1000000 "
                                   "hashfull 300 tbhits 0 time 2000 pv e7e5 g1f3 b8c6"),
                    labels);
    QCOMPARE(labels.variation, QStringLiteral("e7e5 g1f3 b8c6"));
    QCOMPARE(labels.hint, QStringLiteral("e7e5 "));
    QCOMPARE(labels.score, QStringLiteral("-15 "));
    QCOMPARE(labels.depth, QStringLiteral("20 "));
    QCOMPARE(labels.searchTime, QStringLiteral("2 s"));

    // seldepth before depth: the depth is still the depth.
    uci.ProcessLine(QStringLiteral("info seldepth 30 depth 21 nodes 5000 nps 100 time 50 hashfull 1"), labels);
    QCOMPARE(labels.depth, QStringLiteral("21 "));
    QCOMPARE(labels.nodes, QStringLiteral("5.000 / 100"));
    QCOMPARE(labels.searchTime, QStringLiteral("0 s"));

    // A mate score is told in moves; a promotion fills the hint.
    uci.ProcessLine(QStringLiteral("info depth 22 score mate 3 pv a7a8q e8d7"), labels);
    QCOMPARE(labels.score, QStringLiteral("Mate in 3"));
    QCOMPARE(labels.hint, QStringLiteral("a7a8q"));
}

void TestEngineProtocols::uciNodesWaitForAVariation()
{
    TUciProtocol uci;
    TAnalysisLabels labels;
    uci.ProcessLine(QStringLiteral("info depth 1 nps 4000 time 10"), labels);
    QCOMPARE(labels.nodes, TAnalysisLabels::Unknown);
    uci.ProcessLine(QStringLiteral("info depth 2 nodes 30 pv d2d4"), labels);
    QCOMPARE(labels.nodes, TAnalysisLabels::Unknown);
    // Without a nodes field the speed stands for both.
    uci.ProcessLine(QStringLiteral("info nps 4000 time 10"), labels);
    QCOMPARE(labels.nodes, QStringLiteral("4.000 / 4.000"));
    // A line without counts keeps them.
    uci.ProcessLine(QStringLiteral("info depth 3 currmove e2e4 currmovenumber 1"), labels);
    QCOMPARE(labels.nodes, QStringLiteral("4.000 / 4.000"));
    QCOMPARE(labels.depth, QStringLiteral("3 "));
    // Counts at both ends of their range.
    uci.ProcessLine(QStringLiteral("info nodes -9223372036854775808 nps 9223372036854775807 time 1"), labels);
    QCOMPARE(labels.nodes, QStringLiteral("-9.223.372.036.854.775.808 / 9.223.372.036.854.775.807"));
}

void TestEngineProtocols::uciBadValuesAreIgnored()
{
    TUciProtocol uci;
    TAnalysisLabels labels;
    uci.ProcessLine(QStringLiteral("info time  pv e2e4"), labels);
    QCOMPARE(labels.searchTime, TAnalysisLabels::Unknown);
    uci.ProcessLine(QStringLiteral("info time soon pv e2e4"), labels);
    QCOMPARE(labels.searchTime, TAnalysisLabels::Unknown);
    // A key at the very end of the line has no value.
    uci.ProcessLine(QStringLiteral("info depth"), labels);
    QCOMPARE(labels.depth, QString());
    for (const char *line : {"uciok", "readyok", "bestmove e2e4 ponder e7e5", "option name Hash type spin"})
        uci.ProcessLine(QLatin1String(line), labels);
    QCOMPARE(labels.variation, QStringLiteral("e2e4"));
}

void TestEngineProtocols::uciIdentity()
{
    TUciProtocol uci;
    TAnalysisLabels labels;
    uci.ProcessLine(QStringLiteral("id name Stockfish 15.1"), labels);
    uci.ProcessLine(QStringLiteral("id author the Stockfish developers"), labels);
    QCOMPARE(labels.engine, QStringLiteral("UCI engine: Stockfish 15.1 by the Stockfish developers"));
    QCOMPARE(uci.OpeningCommands(), QStringList({"uci", "isready"}));
}

void TestEngineProtocols::uciStoppedSearchIsIgnored()
{
    TUciProtocol uci;
    TAnalysisLabels labels;
    uci.PositionCommands(TAnalysedPosition());
    uci.ProcessLine(QStringLiteral("info depth 30 score cp 20 pv e2e4 e7e5"), labels);
    QCOMPARE(labels.hint, QStringLiteral("e2e4 "));

    // The last words of the stopped search belong to the previous position.
    labels.ResetValues();
    uci.PositionCommands(TAnalysedPosition());
    uci.ProcessLine(QStringLiteral("info depth 31 score cp 25 pv e2e4 e7e5"), labels);
    QCOMPARE(labels, TAnalysisLabels());
    uci.ProcessLine(QStringLiteral("bestmove e2e4 ponder e7e5"), labels);
    uci.ProcessLine(QStringLiteral("info depth 1 score cp 10 pv d7d5"), labels);
    QCOMPARE(labels.hint, QStringLiteral("d7d5"));
}

void TestEngineProtocols::uciPositionCommand_data()
{
    QTest::addColumn<QString>("startFen");
    QTest::addColumn<QStringList>("moves");
    QTest::addColumn<QString>("command");

    const QString fen = QStringLiteral("8/P7/8/8/8/8/k6K/8 w - - 0 1");
    QTest::newRow("start, ply 0") << QString() << QStringList() << "position startpos";
    QTest::newRow("start, two plies") << QString() << QStringList{"e2e4", "e7e5"}
                                      << "position startpos moves e2e4 e7e5 ";
    QTest::newRow("set-up, two plies") << fen << QStringList{"h2g3", "a2b2"}
                                       << "position fen " + fen + " moves h2g3 a2b2 ";
    QTest::newRow("promotions") << fen << QStringList{"a7a8=n", "a2b2", "e7e8q"}
                                << "position fen " + fen + " moves a7a8n a2b2 e7e8q ";
}

void TestEngineProtocols::uciPositionCommand()
{
    QFETCH(QString, startFen);
    QFETCH(QStringList, moves);
    TAnalysedPosition position;
    position.startFen = startFen;
    position.moves = moves;
    TUciProtocol uci;
    const QStringList commands = uci.PositionCommands(position);
    QCOMPARE(commands.size(), 3);
    QCOMPARE(commands.first(), QStringLiteral("stop"));
    QTEST(commands.at(1), "command");
    QCOMPARE(commands.last(), QStringLiteral("go infinite"));
}

QTEST_GUILESS_MAIN(TestEngineProtocols)
#include "tst_engine_protocols.moc"
