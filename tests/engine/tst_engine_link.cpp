// The engine link driven through a scripted engine: starting and stopping,
// line splitting, the traffic log, status requests and failures.

#include "engine/enginedefault.h"
#include "engine/engineprocess.h"
#include "engine/gearanimation.h"
#include "engine_rig.h"
#include "scripted_engine.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QSignalSpy>
#include <QToolButton>

namespace {

constexpr int Wait = 5000; // ms; a condition that takes longer has failed

const QString WinboardScript = QStringLiteral(R"(@start
feature myname="Scripted One" setboard=1 analyze=1 done=1
@on analyze
	9   25   123   45678   e4 e5 Nf3
@on .
stat01: 250 1000000 9 12 30
)");

// The position after 23...Nf6: White to move at ply 46.
TAnalysedPosition MiddleGame()
{
    TAnalysedPosition position;
    position.epd = QStringLiteral("r1bq1rk1/pp3ppp/2n2n2/3p4/3P4/2NB1N2/PP3PPP/R2Q1RK1 w - -");
    position.fullMoveNumber = 24;
    position.ply = 46;
    position.whiteToMove = true;
    return position;
}

TAnalysedPosition StartPosition(const QStringList &moves)
{
    TAnalysedPosition position;
    position.moves = moves;
    position.ply = int(moves.size());
    position.whiteToMove = moves.size() % 2 == 0;
    return position;
}

} // namespace

class TestEngineLink : public QObject
{
    Q_OBJECT

private slots:
    void missingEngine_data();
    void missingEngine();
    void winboardAnalysisAndToggle();
    void uciLinesAcrossReads();
    void steppingSendsEachPositionOnce();
    void unansweredWinboardPositionIsSentAgain();
    void overlongLineIsCut();
    void engineWithoutSetboardIsStopped();
    void rejectedStatusRequestIsNotRepeated();
    void engineThatExitsIsNoticedOnce();
    void logFallsBackWhenTheEngineFolderIsClosed();
    void defaultEngine_data();
    void defaultEngine();
    void gnuchessGetsItsArgument();
    void panelLooks();
};

void TestEngineLink::missingEngine_data()
{
    QTest::addColumn<QString>("file");
    QTest::newRow("no such file") << "/nonexistent/engines/crafty/wcrafty.exe";
    QTest::newRow("empty setting") << QString();
}

void TestEngineLink::missingEngine()
{
    QFETCH(QString, file);
    TEngineRig rig(file, TEngineController::Winboard);
    QCOMPARE(rig.Shown("engineLabel"), QStringLiteral("Starting Engine....."));
    QSignalSpy visibility(&rig.controller, &TEngineController::panelVisibleChanged);
    rig.controller.ToggleEngine();
    QCOMPARE(rig.prompts.messageTexts(),
             QStringList({"Could not find the engine", "Could not connect with engine."}));
    QCOMPARE(rig.prompts.messages.first().icon, TPrompts::Icon::Information);
    QCOMPARE(rig.prompts.messages.first().caption, QStringLiteral("Information"));
    QVERIFY(!rig.controller.Connected());
    QVERIFY(rig.panel.isHidden());
    QCOMPARE(visibility.size(), 2); // shown while loading, hidden again
}

void TestEngineLink::winboardAnalysisAndToggle()
{
    TScriptedEngine engine(WinboardScript, QStringLiteral("wcrafty.exe"));
    TEngineRig rig(engine.File(), TEngineController::Winboard);
    rig.controller.SetPosition(MiddleGame());
    rig.controller.ToggleEngine();
    QVERIFY(rig.controller.Connected());
    QVERIFY(rig.panel.isVisible());

    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("variation"), QStringLiteral("24.e4 e5 25.Nf3"), Wait);
    QCOMPARE(rig.Shown("hintLabel"), QStringLiteral("e4"));
    QCOMPARE(rig.Shown("depthLabel"), QStringLiteral("9"));
    QCOMPARE(rig.Shown("scoreLabel"), QStringLiteral("[25 w] Position is even"));
    QCOMPARE(rig.Shown("engineLabel"), QStringLiteral("Winboard Engine: Scripted One"));
    // The status line answers the "." sent about every second and a half.
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("nodesLabel"), QStringLiteral("1.000.000 / 333.333 nps"), Wait);
    QCOMPARE(rig.Shown("searchTimeLabel"), QStringLiteral("3"));

    const QStringList opening{"xboard", "xboard", "protover 2", "new", "force", "post",
                              "setboard " + MiddleGame().epd + " 0 24", "analyze"};
    QCOMPARE(FileLines(engine.ReceivedFile()).mid(0, opening.size()), opening);
    const QString log = engine.Folder() + QStringLiteral("/wcrafty.tellmar.log");
    const QStringList logLines = FileLines(log);
    QCOMPARE(logLines.first(), QStringLiteral("<-- xboard"));
    QVERIFY(logLines.contains(QStringLiteral("--> feature myname=\"Scripted One\" setboard=1 analyze=1 done=1")));
    QVERIFY(logLines.contains(QStringLiteral("<-- .")));

    // Stop: "quit", the panel hides, the engine ends.
    rig.controller.ToggleEngine();
    QVERIFY(!rig.controller.Connected());
    QVERIFY(rig.panel.isHidden());
    QCOMPARE(rig.Shown("engineLabel"), QStringLiteral("Closing engine.... "));
    QTRY_VERIFY_WITH_TIMEOUT(FileLines(engine.ReceivedFile()).contains(QStringLiteral("quit")), Wait);
    QTRY_VERIFY_WITH_TIMEOUT(rig.controller.Process()->findChildren<QProcess *>().isEmpty(), Wait);
    QCOMPARE(FileLines(log).last(), QStringLiteral("<-- quit"));

    // Start again: a new process and a new log.
    rig.panel.findChild<QToolButton *>(QStringLiteral("stopButton"))->click(); // hidden: no effect
    QVERIFY(!rig.controller.Connected());
    rig.controller.ToggleEngine();
    QVERIFY(rig.controller.Connected());
    QCOMPARE(rig.controller.Process()->findChildren<QProcess *>().size(), 1);
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("hintLabel"), QStringLiteral("e4"), Wait);
    QCOMPARE(FileLines(log).count(QStringLiteral("<-- xboard")), 2);
    QVERIFY(!FileLines(log).contains(QStringLiteral("<-- quit")));
    QVERIFY(rig.prompts.messages.isEmpty());
}

void TestEngineLink::uciLinesAcrossReads()
{
    // "id author" and the second info line arrive in two parts each, with a
    // pause longer than one tick between them; the first line ends in CR LF.
    TScriptedEngine engine(QStringLiteral(R"(@on uci
id name Split
@part id auth
@sleep 700
or Tester
uciok
@on go
@crlf info depth 12 score cp 31 nodes 123456 nps 12345 time 1500 pv e2e4 e7e5
@sleep 1700
@part inf
@sleep 700
o depth 13 score cp 20 nodes 200000 nps 20000 time 2500 pv d2d4 d7d5
)"));
    TEngineRig rig(engine.File(), TEngineController::Uci);
    rig.controller.ToggleEngine();
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("engineLabel"), QStringLiteral("UCI engine: Split by Tester"), Wait);
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("variation"), QStringLiteral("e2e4 e7e5"), Wait);
    QCOMPARE(rig.Shown("scoreLabel"), QStringLiteral("31 "));
    QCOMPARE(rig.Shown("nodesLabel"), TAnalysisLabels::Unknown);
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("variation"), QStringLiteral("d2d4 d7d5"), Wait);
    QCOMPARE(rig.Shown("depthLabel"), QStringLiteral("13 "));
    QCOMPARE(rig.Shown("searchTimeLabel"), QStringLiteral("2 s"));
    QCOMPARE(rig.Shown("nodesLabel"), QStringLiteral("200.000 / 20.000"));

    // Well over a second and a half has passed: a Winboard link would have
    // asked for the status by now.
    const QStringList log = FileLines(engine.Folder() + QStringLiteral("/scripted.tellmar.log"));
    QCOMPARE(log.mid(0, 5), QStringList({"<-- uci", "<-- isready", "<-- stop", "<-- position startpos",
                                         "<-- go infinite"}));
    QVERIFY(!log.contains(QStringLiteral("<-- .")));
    QVERIFY(log.contains(QStringLiteral("--> id author Tester")));
    QVERIFY(log.contains(QStringLiteral("--> info depth 12 score cp 31 nodes 123456 nps 12345 time 1500 pv e2e4 e7e5")));
}

void TestEngineLink::steppingSendsEachPositionOnce()
{
    TScriptedEngine engine(QStringLiteral("@on uci\nuciok\n"));
    TEngineRig rig(engine.File(), TEngineController::Uci);
    const QStringList game{"e2e4", "e7e5", "g1f3", "b8c6"};
    rig.controller.SetPosition(StartPosition(game)); // not running yet: nothing sent
    rig.controller.ToggleEngine();
    for (qsizetype ply = 0; ply <= game.size(); ++ply)
        rig.controller.SetPosition(StartPosition(game.mid(0, ply)));

    QStringList expected{"uci", "isready"};
    for (const char *position : {"position startpos moves e2e4 e7e5 g1f3 b8c6 ", "position startpos",
                                 "position startpos moves e2e4 ", "position startpos moves e2e4 e7e5 ",
                                 "position startpos moves e2e4 e7e5 g1f3 ",
                                 "position startpos moves e2e4 e7e5 g1f3 b8c6 "})
        expected << "stop" << position << "go infinite";
    QTRY_COMPARE_WITH_TIMEOUT(FileLines(engine.ReceivedFile()), expected, Wait);
}

void TestEngineLink::unansweredWinboardPositionIsSentAgain()
{
    // An engine that takes the commands and never analyses, as one that lost
    // its "analyze" would: the position goes out again, less and less often.
    TScriptedEngine engine(QStringLiteral("@start\nfeature setboard=1 analyze=1 done=1\n"));
    TEngineRig rig(engine.File(), TEngineController::Winboard);
    rig.controller.SetPosition(MiddleGame());
    rig.controller.ToggleEngine();
    const auto analyses = [&engine] { return FileLines(engine.ReceivedFile()).count(QStringLiteral("analyze")); };
    QTRY_COMPARE_WITH_TIMEOUT(analyses(), 4, 3 * Wait);
    const QStringList received = FileLines(engine.ReceivedFile());
    const QString setboard = QStringLiteral("setboard ") + MiddleGame().epd + QStringLiteral(" 0 24");
    QCOMPARE(received.count(setboard), 4);
    const qsizetype last = received.lastIndexOf(setboard);
    QCOMPARE(received.mid(last - 2, 4), (QStringList{"exit", "force", setboard, "analyze"}));
    QTest::qWait(2500);
    QCOMPARE(analyses(), 4);
    QVERIFY(rig.controller.Connected());
}

void TestEngineLink::overlongLineIsCut()
{
    TScriptedEngine engine(QStringLiteral("@on go\ninfo string ") + QString(300000, QLatin1Char('x'))
                           + QStringLiteral("\ninfo depth 7 score cp 1 pv e2e4 e7e5\n"));
    TEngineRig rig(engine.File(), TEngineController::Uci);
    rig.controller.ToggleEngine();
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("depthLabel"), QStringLiteral("7 "), Wait);
    const QStringList log = FileLines(engine.Folder() + QStringLiteral("/scripted.tellmar.log"));
    const QStringList kept = log.filter(QStringLiteral("--> info string"));
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept.first().size(), 4 + 65536);
}

void TestEngineLink::engineWithoutSetboardIsStopped()
{
    TScriptedEngine engine(QStringLiteral("@start\nfeature myname=\"Old\" analyze=1 done=1\n"));
    TEngineRig rig(engine.File(), TEngineController::Winboard);
    rig.controller.ToggleEngine();
    QTRY_VERIFY_WITH_TIMEOUT(!rig.controller.Connected(), Wait);
    QCOMPARE(rig.prompts.messageTexts(), QStringList{"Engine doesnt support setboard command!"});
    QVERIFY(rig.panel.isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(FileLines(engine.ReceivedFile()).contains(QStringLiteral("quit")), Wait);
}

void TestEngineLink::rejectedStatusRequestIsNotRepeated()
{
    TScriptedEngine engine(QStringLiteral(R"(@on analyze
	1 10 0 10 e4
@on .
Error (unkown command): .
@sleep 2500
	2 20 300 500 d4
)"));
    TEngineRig rig(engine.File(), TEngineController::Winboard);
    rig.controller.ToggleEngine();
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("hintLabel"), QStringLiteral("e4"), Wait);
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("hintLabel"), QStringLiteral("d4"), Wait);
    const QStringList log = FileLines(engine.Folder() + QStringLiteral("/scripted.tellmar.log"));
    QCOMPARE(log.count(QStringLiteral("<-- .")), 1);
    QVERIFY(rig.controller.Connected());
}

void TestEngineLink::engineThatExitsIsNoticedOnce()
{
    TScriptedEngine engine(QStringLiteral("@on analyze\n\t3 15 10 99 Nf3\n@exit\n"));
    TEngineRig rig(engine.File(), TEngineController::Winboard);
    rig.controller.ToggleEngine();
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("engineLabel"), QStringLiteral("The engine has stopped"), Wait);
    QVERIFY(!rig.controller.Connected());
    QVERIFY(!rig.controller.Process()->PipeCheckingTimer()->isActive());
    QCOMPARE(rig.Shown("hintLabel"), QStringLiteral("Nf3")); // its last words were read
    QVERIFY(rig.panel.isVisible());
    QVERIFY(rig.prompts.messages.isEmpty());

    // The stop button now only hides the panel.
    rig.panel.findChild<QToolButton *>(QStringLiteral("stopButton"))->click();
    QVERIFY(rig.panel.isHidden());
    QVERIFY(!rig.controller.Connected());
    QVERIFY(rig.prompts.messages.isEmpty());
}

void TestEngineLink::logFallsBackWhenTheEngineFolderIsClosed()
{
    TScriptedEngine engine(QStringLiteral("@on uci\nid name Logged\n"));
    // A folder in the log's place keeps the log from being written beside the engine.
    QVERIFY(QDir(engine.Folder()).mkdir(QStringLiteral("scripted.tellmar.log")));
    QTemporaryDir fallback;
    TEngineRig rig(engine.File(), TEngineController::Uci);
    rig.controller.SetLogFallbackFolder(fallback.path());
    rig.controller.ToggleEngine();
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("engineLabel"), QStringLiteral("UCI engine: Logged"), Wait);
    QCOMPARE(rig.controller.Process()->LogFileName(), fallback.filePath(QStringLiteral("scripted.tellmar.log")));
    QCOMPARE(FileLines(rig.controller.Process()->LogFileName()).first(), QStringLiteral("<-- uci"));
}

void TestEngineLink::defaultEngine_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QString>("arguments");

    QTest::newRow("stockfish first") << QStringList{"gnuchess", "fairy-stockfish", "stockfish"} << "stockfish"
                                     << int(TEngineController::Uci) << "";
    QTest::newRow("then fairy-stockfish") << QStringList{"gnuchess", "fairy-stockfish"} << "fairy-stockfish"
                                          << int(TEngineController::Winboard) << "";
    QTest::newRow("then gnuchess, with -x") << QStringList{"gnuchess"} << "gnuchess"
                                            << int(TEngineController::Winboard) << "-x";
    QTest::newRow("none installed") << QStringList() << "engines/crafty/wcrafty.exe"
                                    << int(TEngineController::Winboard) << "";
}

void TestEngineLink::defaultEngine()
{
    QFETCH(QStringList, installed);
    QFETCH(QString, file);
    QTemporaryDir programFolder;
    QTemporaryDir games;
    for (const QString &name : installed) {
        QFile program(games.filePath(name));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    }
    const QString shipped = programFolder.filePath(QStringLiteral("engines/crafty/wcrafty.exe"));
    const TEngineChoice chosen = DefaultEngine(programFolder.path(), {games.path()});
    file = installed.isEmpty() ? shipped : games.filePath(file);
    QCOMPARE(chosen.file, file);
    QTEST(chosen.protocol, "protocol");
    QTEST(chosen.arguments, "arguments");
    // The missing shipped engine in the settings stands for that choice;
    // another engine, missing or not, is kept.
    const TEngineChoice configured{QDir::toNativeSeparators(shipped), 0, QStringLiteral("-v")};
    QCOMPARE(InstalledEngine(configured, {games.path()}).file, file);
    const TEngineChoice own{games.filePath(QStringLiteral("mine")), 1, QStringLiteral("-v")};
    QCOMPARE(InstalledEngine(own, {games.path()}).file, own.file);
    QCOMPARE(InstalledEngine(own, {games.path()}).arguments, own.arguments);

    // A shipped engine that is there is always the one.
    QVERIFY(QDir(programFolder.path()).mkpath(QStringLiteral("engines/crafty")));
    QFile engine(shipped);
    QVERIFY(engine.open(QIODevice::WriteOnly));
    engine.close();
    const TEngineChoice present = DefaultEngine(programFolder.path(), {games.path()});
    QCOMPARE(present.file, shipped);
    QCOMPARE(present.protocol, int(TEngineController::Winboard));
    QCOMPARE(InstalledEngine(configured, {games.path()}).file, configured.file);
}

void TestEngineLink::gnuchessGetsItsArgument()
{
    QCOMPARE(ArgumentsFor(QStringLiteral("/usr/games/gnuchess"), QString()), QStringLiteral("-x"));
    QCOMPARE(ArgumentsFor(QStringLiteral("/usr/games/gnuchess"), QStringLiteral(" ")), QStringLiteral("-x"));
    QCOMPARE(ArgumentsFor(QStringLiteral("/usr/games/gnuchess"), QStringLiteral("-x -e")), QStringLiteral("-x -e"));
    QCOMPARE(ArgumentsFor(QStringLiteral("/usr/games/stockfish"), QString()), QString());
    // A link to it under another name is gnuchess too.
    QTemporaryDir folder;
    const QString gnuchess = QStandardPaths::findExecutable(QStringLiteral("gnuchess"), {QStringLiteral("/usr/games")});
    if (gnuchess.isEmpty())
        QSKIP("gnuchess is not installed (scripts/packages.txt lists it)");
    QVERIFY(QFile::link(gnuchess, folder.filePath(QStringLiteral("analyser"))));
    QCOMPARE(ArgumentsFor(folder.filePath(QStringLiteral("analyser")), QString()), QStringLiteral("-x"));
}

void TestEngineLink::panelLooks()
{
    TEnginePanel panel;
    QCOMPARE(panel.objectName(), QStringLiteral("enginePanel"));
    QCOMPARE(panel.height(), 88);
    for (const char *name : {"engineLabel", "hintLabel", "scoreLabel", "depthLabel", "nodesLabel",
                             "searchTimeLabel"})
        QVERIFY2(panel.findChild<QLabel *>(QLatin1String(name)), name);
    QVERIFY(panel.findChild<QLabel *>(QStringLiteral("engineLabel"))->font().bold());
    auto *stop = panel.findChild<QToolButton *>(QStringLiteral("stopButton"));
    QCOMPARE(stop->text(), QStringLiteral("X"));
    QCOMPARE(stop->toolTip(), QStringLiteral("Stop analysis engine"));
    panel.SetBackgroundColor(QColor(0xA6, 0xCA, 0xF0));
    QCOMPARE(panel.palette().color(QPalette::Window), QColor(0xA6, 0xCA, 0xF0));

    auto *gear = panel.findChild<TGearAnimation *>(QStringLiteral("gear"));
    QVERIFY(gear && !gear->Playing());
    panel.show();
    QVERIFY(gear->Playing());
    const int first = gear->CurrentFrame();
    QTRY_VERIFY_WITH_TIMEOUT(gear->CurrentFrame() != first, Wait);
    panel.hide();
    QVERIFY(!gear->Playing());
}

QTEST_MAIN(TestEngineLink)
#include "tst_engine_link.moc"
