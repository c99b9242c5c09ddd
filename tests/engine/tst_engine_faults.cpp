// Engines that misbehave, through the real controller and panel: one that
// floods its output, one that exits at once, one that never answers, one that
// never reads its input. The window must stay responsive and the panel must
// tell what happened.

#include "engine/analysedposition.h"
#include "engine/engineprocess.h"
#include "engine_rig.h"
#include "scripted_engine.h"
#include "ui/multilang.h"
#include "ui/wordlists.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTimer>
#include <QToolButton>

#include <algorithm>

using namespace std::chrono_literals;

namespace {

constexpr int Wait = 10000; // ms; a condition that takes longer has failed

// The longest time the event loop went without serving a timer that asks
// every 10 ms: how long the window would not have reacted to the player.
class TEventLoopDelay
{
public:
    TEventLoopDelay()
    {
        QObject::connect(&m_timer, &QTimer::timeout, [this] { m_longest = std::max(m_longest, m_clock.restart()); });
        m_clock.start();
        m_timer.start(10);
    }
    qint64 Longest() const { return m_longest; }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_longest = 0;
};

constexpr int FloodMegabytes = 8;  // what a flooding engine writes, as fast as it is taken

// Steps back and forth at the end of a 400-ply game, as a player holding the
// arrow keys would: each step sends a UCI position of some 2 KB, so an engine
// that stops reading has its input pipe full within a few dozen steps.
// Returns the commands sent, in order.
QStringList StepThroughALongGame(TEngineController &controller)
{
    QStringList sent;
    TAnalysedPosition position;
    position.moves = QStringList(400, QStringLiteral("g1f3"));
    for (int step = 0; step < 100; ++step) {
        position.moves.resize(400 - step % 2);
        position.ply = int(position.moves.size());
        position.whiteToMove = position.ply % 2 == 0;
        controller.SetPosition(position);
        sent << QStringLiteral("stop")
             << QStringLiteral("position startpos moves ") + position.moves.join(QLatin1Char(' ')) + QLatin1Char(' ')
             << QStringLiteral("go infinite");
        QTest::qWait(1); // the next key press comes through the event loop
    }
    return sent;
}

} // namespace

class TestEngineFaults : public QObject
{
    Q_OBJECT

private slots:
    void aFloodingEngineLeavesTheWindowResponsive_data();
    void aFloodingEngineLeavesTheWindowResponsive();
    void anEngineThatExitsAtOnce_data();
    void anEngineThatExitsAtOnce();
    void anEngineThatNeverAnswers();
    void anEngineThatTakesNoInput();
    void anEngineThatPausesGetsEveryCommandInOrder();
    void aWinboardEngineThatStartsOnlyAsInputArrives();
    void anEngineThatIgnoresQuitIsEnded();
};

void TestEngineFaults::aFloodingEngineLeavesTheWindowResponsive_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("hint");
    QTest::addColumn<bool>("newPosition");
    QTest::newRow("UCI") << int(TEngineController::Uci)
                         << QStringLiteral("@on uci\nid name Flood\nuciok\n@on go\n"
                                           "@flood %1 info depth 5 score cp 10 nodes # pv e2e4 e7e5\n"
                                           "info depth 42 score cp 7 nodes 1 pv d2d4 d7d5\n")
                                .arg(FloodMegabytes)
                         << QStringLiteral("d2d4 ") << false;
    // A search stopped for a new position ends with "bestmove", which must
    // come through a flood: until it does, the new search's lines are not shown.
    QTest::newRow("UCI, bestmove amid the flood")
        << int(TEngineController::Uci)
        << QStringLiteral("@on uci\nid name Flood\nuciok\n@on go\n"
                          "@flood %1 info depth 5 score cp 10 nodes # pv e2e4 e7e5\nbestmove e2e4\n"
                          "@flood %1 info depth 6 score cp 10 nodes # pv e2e4 e7e5\n"
                          "info depth 42 score cp 7 nodes 1 pv d2d4 d7d5\n")
               .arg(FloodMegabytes / 2)
        << QStringLiteral("d2d4 ") << true;
    QTest::newRow("Winboard") << int(TEngineController::Winboard)
                              << QStringLiteral("@start\nfeature myname=\"Flood\" setboard=1 analyze=1 done=1\n"
                                                "@on analyze\n@flood %1 \t5 10 0 # e4 e5\n\t42 7 0 1 d4 d5\n")
                                     .arg(FloodMegabytes)
                              << QStringLiteral("d4") << false;
}

void TestEngineFaults::aFloodingEngineLeavesTheWindowResponsive()
{
    QFETCH(int, protocol);
    QFETCH(QString, script);
    QFETCH(QString, hint);
    QFETCH(bool, newPosition);
    TScriptedEngine engine(script);
    TEngineRig rig(engine.File(), protocol);
    // The engine starts before the timer does: starting is waited for, and
    // the time it takes is the machine's. The flood comes after.
    rig.controller.ToggleEngine();
    const TEventLoopDelay delay;
    QVERIFY(rig.panel.isVisible());
    // The position changes while the engine floods.
    if (newPosition)
        rig.controller.SetPosition(TAnalysedPosition());
    // The line after the flood is shown once the flood is through.
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("hintLabel"), hint, 120000);
    qInfo("longest event-loop gap: %lld ms", qint64(delay.Longest()));
    QVERIFY2(delay.Longest() < 1000, qPrintable(QStringLiteral("the window froze for %1 ms").arg(delay.Longest())));
    QVERIFY(rig.controller.Connected());
    QVERIFY(rig.prompts.messages.isEmpty());
    // Only the latest lines of each read were taken, and the log says so.
    QFile log(engine.Folder() + QStringLiteral("/scripted.tellmar.log"));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY2(log.size() < FloodMegabytes * 1024 * 1024 / 4, qPrintable(QString::number(log.size())));
    QVERIFY(log.readAll().contains(" lines of output skipped\n"));
}

void TestEngineFaults::anEngineThatExitsAtOnce_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("language");
    QTest::addColumn<QString>("stopped");
    QTest::newRow("UCI") << int(TEngineController::Uci) << 0 << "The engine has stopped";
    QTest::newRow("Winboard") << int(TEngineController::Winboard) << 0 << "The engine has stopped";
    QTest::newRow("Winboard, Spanish") << int(TEngineController::Winboard) << 1 << "El motor se ha detenido";
}

void TestEngineFaults::anEngineThatExitsAtOnce()
{
    QFETCH(int, protocol);
    QFETCH(int, language);
    QFETCH(QString, stopped);
    TScriptedEngine engine(QStringLiteral("@start\n@exit\n"));
    TEngineRig rig(engine.File(), protocol);
    // The main window's words, in the language of its settings.
    QWidget window;
    TMultiLang *words = createMultiLang(&window, WordList::QuorvalMain);
    words->setActiveLanguage(language);
    rig.controller.SetWords(words);
    rig.controller.ToggleEngine();
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("engineLabel"), stopped, Wait);
    QVERIFY(!rig.controller.Connected());
    QVERIFY(rig.panel.isVisible());
    QVERIFY2(rig.prompts.messages.isEmpty(), qPrintable(rig.prompts.messageTexts().join('|')));
    // It can be started again, and stops again.
    rig.controller.ToggleEngine();
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("engineLabel"), stopped, Wait);
    QTRY_VERIFY_WITH_TIMEOUT(rig.controller.Process()->findChildren<QProcess *>().isEmpty(), Wait);
}

void TestEngineFaults::anEngineThatNeverAnswers()
{
    TScriptedEngine engine(QStringLiteral("@on never\n"));
    TEngineRig rig(engine.File(), TEngineController::Uci);
    rig.controller.SetNoAnswerTimeout(300ms);
    const TEventLoopDelay delay;
    rig.controller.ToggleEngine();
    QVERIFY(rig.controller.Connected());
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("engineLabel"), QStringLiteral("The engine does not answer"), Wait);
    QVERIFY(rig.controller.Connected());  // it may still answer
    QVERIFY2(delay.Longest() < 1000, qPrintable(QStringLiteral("the window froze for %1 ms").arg(delay.Longest())));
    // The stop button still stops it.
    rig.panel.findChild<QToolButton *>(QStringLiteral("stopButton"))->click();
    QVERIFY(!rig.controller.Connected());
    QVERIFY(rig.panel.isHidden());
    QTRY_VERIFY_WITH_TIMEOUT(FileLines(engine.ReceivedFile()).contains(QStringLiteral("quit")), Wait);
    QVERIFY(rig.prompts.messages.isEmpty());
}

void TestEngineFaults::anEngineThatTakesNoInput()
{
    TScriptedEngine engine(QStringLiteral("@start\n@sleep 600000\n"));
    TEngineRig rig(engine.File(), TEngineController::Uci);
    rig.controller.SetNoAnswerTimeout(300ms);
    rig.controller.ToggleEngine();
    QVERIFY(rig.controller.Connected());
    const TEventLoopDelay delay;
    StepThroughALongGame(rig.controller);
    qInfo("longest event-loop gap: %lld ms", qint64(delay.Longest()));
    QVERIFY2(delay.Longest() < 1000, qPrintable(QStringLiteral("the window froze for %1 ms").arg(delay.Longest())));
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("engineLabel"), QStringLiteral("The engine does not answer"), Wait);
    QVERIFY(rig.controller.Connected());
    QVERIFY(rig.prompts.messages.isEmpty());
    // Stopping it does not wait for the queued commands: it is ended.
    rig.panel.findChild<QToolButton *>(QStringLiteral("stopButton"))->click();
    QVERIFY(!rig.controller.Connected());
    QTRY_VERIFY_WITH_TIMEOUT(rig.controller.Process()->findChildren<QProcess *>().isEmpty(), Wait);
    QVERIFY(FileLines(engine.ReceivedFile()).isEmpty());
}

void TestEngineFaults::anEngineThatPausesGetsEveryCommandInOrder()
{
    TScriptedEngine engine(QStringLiteral("@start\n@sleep 3000\n@on uci\nid name Late\nuciok\n"));
    TEngineRig rig(engine.File(), TEngineController::Uci);
    rig.controller.ToggleEngine();
    QVERIFY(rig.controller.Connected());
    const QStringList sent = QStringList{"uci", "isready", "stop", "position startpos", "go infinite"}
                             + StepThroughALongGame(rig.controller);
    QTRY_COMPARE_WITH_TIMEOUT(FileLines(engine.ReceivedFile()).size(), sent.size(), Wait);
    QCOMPARE(FileLines(engine.ReceivedFile()), sent);
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("engineLabel"), QStringLiteral("UCI engine: Late"), Wait);
    QVERIFY(rig.prompts.messages.isEmpty());
}

void TestEngineFaults::aWinboardEngineThatStartsOnlyAsInputArrives()
{
    // Like gnuchess, whose start-up waits on its input thread: each line that
    // arrives gives it a chance to go on, and under load it needs many.
    TScriptedEngine engine(QStringLiteral("@start\n@awaitlines 40\n"
                                          "@on protover\nfeature setboard=1 analyze=1 myname=\"Sleepy\" done=1\n"
                                          "@on analyze\n1 10 0 100 e2e4\n"));
    TEngineRig rig(engine.File(), TEngineController::Winboard);
    rig.controller.ToggleEngine();
    QVERIFY(rig.controller.Connected());
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("hintLabel"), QStringLiteral("e2e4"), Wait);
    QCOMPARE(rig.Shown("engineLabel"), QStringLiteral("Winboard Engine: Sleepy"));
    // Awake, it gets no more blank lines.
    const auto blankLines = [&engine] {
        QFile received(engine.ReceivedFile());
        if (!received.open(QIODevice::ReadOnly))
            return qsizetype(-1);
        QList<QByteArray> lines = received.readAll().split('\n');
        lines.removeLast();  // what follows the last line end
        return lines.count(QByteArray());
    };
    const qsizetype woken = blankLines();
    QVERIFY(woken > 0);
    QTest::qWait(500);
    QCOMPARE(blankLines(), woken);
    QVERIFY(rig.prompts.messages.isEmpty());
}

void TestEngineFaults::anEngineThatIgnoresQuitIsEnded()
{
    TScriptedEngine engine(QStringLiteral("@on uci\nid name Stubborn\nuciok\n@on quit\n@sleep 600000\n"));
    TEngineRig rig(engine.File(), TEngineController::Uci);
    rig.controller.ToggleEngine();
    QTRY_COMPARE_WITH_TIMEOUT(rig.Shown("engineLabel"), QStringLiteral("UCI engine: Stubborn"), Wait);
    const TEventLoopDelay delay;
    rig.controller.ToggleEngine();
    QVERIFY(!rig.controller.Connected());
    QTRY_VERIFY_WITH_TIMEOUT(rig.controller.Process()->findChildren<QProcess *>().isEmpty(), Wait);
    QVERIFY2(delay.Longest() < 1000, qPrintable(QStringLiteral("the window froze for %1 ms").arg(delay.Longest())));
}

QTEST_MAIN(TestEngineFaults)
#include "tst_engine_faults.moc"
