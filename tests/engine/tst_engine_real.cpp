// Real engines from the system: stockfish over UCI, fairy-stockfish and
// gnuchess over the Winboard protocol, each set up through the options
// dialog and driven through the real controller and panel over the positions
// of a game loaded into the game model.

#include "app/engine_position.h"
#include "app/options_dialog.h"
#include "app/settings.h"
#include "chess/move_text.h"
#include "engine/engineprocess.h"
#include "engine_rig.h"
#include "legal_moves.h"

#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QToolButton>

namespace {

// ms; engines answer within seconds, but gnuchess has needed 25 s on a
// loaded two-core machine with the sanitizers on.
constexpr int Wait = 60000;
// ms a mated position is watched for a move that cannot be there.
constexpr int MateWatch = 1500;

// A promotion with capture at 5.bxa8=Q, and a mate at 17.g4#.
const char *const GameMoves[] = {
    "e4",    "d5",  "exd5",  "c6",  "dxc6", "e5",  "cxb7", "Bc5",   "bxa8=Q", "Qd4",  "Qe2",
    "Qd6",   "Qb5+", "Kd8",  "Qbxb8", "Qxb8", "Qxb8", "e4",  "Ba6",   "Bb6",    "Qxc8+", "Ke7",
    "b3",    "Bc7", "Qxc7+", "Ke6", "Bc8+", "Kf6", "Qd6+", "Kg5",   "h4+",    "Kh5",  "g4#"};
constexpr int PromotionPly = 9;
constexpr int GamePlies = int(std::size(GameMoves));

// Forwards through the whole game, then backwards over the last moves and
// over the promotion.
const QList<int> Steps = [] {
    QList<int> steps;
    for (int ply = 0; ply <= GamePlies; ++ply)
        steps << ply;
    steps << 32 << 31 << 30 << PromotionPly + 1 << PromotionPly << PromotionPly - 1 << PromotionPly;
    return steps;
}();

// The game as the main window holds it, and the position it asks an engine
// to analyse after each ply.
struct TLoadedGame
{
    GameRecord game{};
    QList<TChessPosition> positions;

    TLoadedGame()
    {
        ResetMoveLibrary();
        TChessPosition position;
        position.SetStartPosition();
        positions << position;
        for (const char *san : GameMoves) {
            game.Moves[++game.MoveCount] = ApplySanMove(position, {}, san);
            positions << position;
        }
    }

    TAnalysedPosition At(int ply) const
    {
        GameRecord shown = game;
        shown.CurrentPly = ply;
        return AnalysedPositionOf(shown, positions.at(ply));
    }
};

// An engine of the system, linked into a folder of its own so that its
// traffic log is written there.
struct TSystemEngine
{
    QTemporaryDir folder;
    QString file;

    explicit TSystemEngine(const QString &name)
    {
        const QString installed = FindEngine(name);
        if (installed.isEmpty())
            return;
        file = folder.filePath(name);
        if (!QFile::link(installed, file))
            file.clear();
    }

    QStringList Log() const { return FileLines(file + QStringLiteral(".tellmar.log")); }
};

// The engine settings the options dialog makes when the user browses to the
// engine file: its file, protocol and arguments.
TSettings BrowsedTo(const QString &engineFile, const QString &programFolder)
{
    TSettings settings = TSettings::defaults(programFolder);
    TRecordingPrompts prompts;
    prompts.fileAnswers.enqueue(engineFile);
    TOptionsDialog dialog(settings, programFolder + QStringLiteral("servers"), nullptr);
    dialog.show();
    dialog.findChild<QToolButton *>(QStringLiteral("browseEngineButton"))->click();
    dialog.accept();
    return settings;
}

// The first move of the variation the panel shows, without a move number.
// Winboard variations are numbered: the number must be the position's, in
// the form of its side to move.
QString FirstVariationMove(const TEngineRig &rig, int protocol, const TAnalysedPosition &position, QString &error)
{
    QString first = rig.Shown("variation").section(QLatin1Char(' '), 0, 0);
    if (protocol != TEngineController::Winboard || rig.Shown("variation").startsWith(QLatin1String("Book moves: ")))
        return first;
    const QString number = QString::number(position.fullMoveNumber) + QLatin1String(position.whiteToMove ? "." : "...");
    if (!first.startsWith(number) || first.mid(number.size()).startsWith(QLatin1Char('.')))
        error = QStringLiteral("numbered for another position: %1").arg(rig.Shown("variation"));
    first.remove(0, number.size());
    if (first != rig.Shown("hintLabel").trimmed())
        error = QStringLiteral("hint %1, variation %2").arg(rig.Shown("hintLabel"), rig.Shown("variation"));
    return first;
}

} // namespace

class TestEngineReal : public QObject
{
    Q_OBJECT

private slots:
    void theGameIsLoaded();
    void followsTheBoardThroughAGame_data();
    void followsTheBoardThroughAGame();
    void toggleStopsAndRestarts();
};

void TestEngineReal::theGameIsLoaded()
{
    const TLoadedGame loaded;
    QCOMPARE(loaded.At(PromotionPly).moves.last(), QStringLiteral("b7a8=q"));
    QCOMPARE(LegalMoves(loaded.At(GamePlies).epd + QStringLiteral(" 0 1")), QStringList());
    QCOMPARE(LegalMoves(loaded.At(0).epd + QStringLiteral(" 0 1")).size(), 20);
}

void TestEngineReal::followsTheBoardThroughAGame_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QString>("identity");
    QTest::addColumn<QString>("arguments");

    QTest::newRow("stockfish, UCI") << "stockfish" << int(TEngineController::Uci) << "UCI engine: Stockfish" << "";
    QTest::newRow("fairy-stockfish, Winboard") << "fairy-stockfish" << int(TEngineController::Winboard)
                                               << "Winboard Engine: Fairy-Stockfish" << "";
    QTest::newRow("gnuchess, Winboard") << "gnuchess" << int(TEngineController::Winboard)
                                        << "Winboard Engine: GNU Chess" << "-x";
}

void TestEngineReal::followsTheBoardThroughAGame()
{
    QFETCH(QString, engine);
    QFETCH(int, protocol);
    QFETCH(QString, identity);
    TSystemEngine system(engine);
    if (system.file.isEmpty())
        QSKIP(qPrintable(engine + QStringLiteral(" is not installed (scripts/packages.txt lists it)")));
    const TSettings settings = BrowsedTo(system.file, system.folder.path() + QLatin1Char('/'));
    QTEST(settings.EngineArguments, "arguments");

    // Started as the main window starts the engine of the settings.
    TEngineRig rig(settings.EngineFileName, protocol);
    rig.controller.SetEngineArguments(QProcess::splitCommand(settings.EngineArguments));
    const TLoadedGame loaded;
    rig.controller.SetPosition(loaded.At(0));
    rig.controller.ToggleEngine();
    QVERIFY(rig.controller.Connected());

    for (int ply : Steps) {
        const TAnalysedPosition position = loaded.At(ply);
        rig.controller.SetPosition(position);
        const QString fen = position.epd + QStringLiteral(" 0 1");
        const QString step = QStringLiteral("ply %1 (%2): ").arg(ply).arg(fen);
        if (LegalMoves(fen).isEmpty()) {
            // Mated: any move shown would belong to another position.
            QElapsedTimer watch;
            watch.start();
            while (watch.elapsed() < MateWatch) {
                const QString hint = rig.Shown("hintLabel").trimmed();
                QVERIFY2(hint == TAnalysisLabels::Unknown || hint.isEmpty(), qPrintable(step + rig.Shown("variation")));
                QTest::qWait(20);
            }
            continue;
        }
        QTRY_VERIFY2_WITH_TIMEOUT(rig.Shown("hintLabel") != TAnalysisLabels::Unknown
                                      && rig.Shown("variation") != TAnalysisLabels::Unknown,
                                  qPrintable(step + QStringLiteral("no analysis; the engine's traffic ends:\n")
                                             + system.Log().mid(system.Log().size() - 40).join(QLatin1Char('\n'))),
                                  Wait);
        QString error;
        const QString first = FirstVariationMove(rig, protocol, position, error);
        QVERIFY2(error.isEmpty(), qPrintable(step + error));
        QVERIFY2(IsLegal(first, fen), qPrintable(step + QStringLiteral("%1 is not legal").arg(first)));
        QVERIFY2(!rig.Shown("scoreLabel").contains(QLatin1String("in -")), qPrintable(step + rig.Shown("scoreLabel")));
    }
    QVERIFY2(rig.Shown("engineLabel").startsWith(identity), qPrintable(rig.Shown("engineLabel")));
    QVERIFY(rig.prompts.messages.isEmpty());

    const QStringList log = system.Log();
    if (protocol == TEngineController::Uci) {
        // The promotion goes out as UCI writes it.
        QVERIFY(log.contains(QStringLiteral("<-- position startpos moves ")
                             + QStringList(loaded.At(PromotionPly).moves).replaceInStrings(QStringLiteral("="), QString())
                                   .join(QLatin1Char(' '))
                             + QLatin1Char(' ')));
    } else {
        // Positions go out with their six FEN fields, each after leaving the
        // analysis of the one before.
        const QStringList setboards = log.filter(QRegularExpression(QStringLiteral("^<-- setboard ")));
        QVERIFY(setboards.size() >= Steps.size());
        for (const QString &line : setboards)
            QCOMPARE(line.split(QLatin1Char(' ')).size(), 8);
        QVERIFY(log.count(QStringLiteral("<-- exit")) >= Steps.size());
    }
}

void TestEngineReal::toggleStopsAndRestarts()
{
    TSystemEngine system(QStringLiteral("stockfish"));
    if (system.file.isEmpty())
        QSKIP("stockfish is not installed (scripts/packages.txt lists it)");
    TEngineRig rig(system.file, TEngineController::Uci);
    rig.controller.SetPosition(TLoadedGame().At(2));
    rig.controller.ToggleEngine();
    QTRY_VERIFY_WITH_TIMEOUT(rig.Shown("hintLabel") != TAnalysisLabels::Unknown, Wait);
    QList<QProcess *> running = rig.controller.Process()->findChildren<QProcess *>();
    QCOMPARE(running.size(), 1);
    const qint64 firstId = running.first()->processId();

    rig.controller.ToggleEngine();
    QVERIFY(!rig.controller.Connected());
    QVERIFY(rig.panel.isHidden());
    QCOMPARE(system.Log().last(), QStringLiteral("<-- quit"));
    // The engine ends by itself on "quit", long before it would be killed.
    QTRY_VERIFY_WITH_TIMEOUT(rig.controller.Process()->findChildren<QProcess *>().isEmpty(), 1500);

    rig.controller.ToggleEngine();
    QVERIFY(rig.controller.Connected());
    QVERIFY(rig.panel.isVisible());
    running = rig.controller.Process()->findChildren<QProcess *>();
    QCOMPARE(running.size(), 1);
    QVERIFY(running.first()->processId() != firstId);
    QTRY_VERIFY_WITH_TIMEOUT(rig.Shown("hintLabel") != TAnalysisLabels::Unknown, Wait);
    const QStringList log = system.Log();
    QCOMPARE(log.first(), QStringLiteral("<-- uci"));
    QVERIFY(!log.contains(QStringLiteral("<-- quit")));
    QCOMPARE(log.count(QStringLiteral("<-- uci")), 1);
}

QTEST_MAIN(TestEngineReal)
#include "tst_engine_real.moc"
