// Real engines from the system: stockfish over UCI, gnuchess and
// fairy-stockfish over the Winboard protocol, each analysing the position of
// a loaded game.

#include "engine/engineprocess.h"
#include "engine_rig.h"
#include "legal_moves.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

// ms; engines answer within seconds, but gnuchess has needed 25 s on a
// loaded two-core machine with the sanitizers on.
constexpr int Wait = 60000;

// The game 1.e4 e5 2.Nf3 Nc6 3.Bb5, as loaded, shown after ply `ply`.
const QStringList RuyLopez{"e2e4", "e7e5", "g1f3", "b8c6", "f1b5"};
const QStringList RuyLopezEpd{
    "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -",
    "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3",
    "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPP1PPP/RNBQKBNR w KQkq e6",
    "rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq -",
    "r1bqkbnr/pppp1ppp/2n5/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq -",
    "r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq -",
};

TAnalysedPosition RuyLopezAt(int ply)
{
    TAnalysedPosition position;
    position.epd = RuyLopezEpd.at(ply);
    position.fullMoveNumber = ply / 2 + 1;
    position.moves = RuyLopez.mid(0, ply);
    position.ply = ply;
    position.whiteToMove = ply % 2 == 0;
    return position;
}

QString FenCommandAt(int ply)
{
    const TAnalysedPosition position = RuyLopezAt(ply);
    return QStringLiteral("position fen %1 0 %2").arg(position.epd).arg(position.fullMoveNumber);
}

// What the link must have sent for the position after `ply`.
QString SentAt(int protocol, int ply)
{
    if (protocol == TEngineController::Winboard)
        return QStringLiteral("<-- setboard %1 0 %2").arg(RuyLopezEpd.at(ply)).arg(ply / 2 + 1);
    QString command = QStringLiteral("<-- position startpos");
    if (ply > 0)
        command += QStringLiteral(" moves ") + RuyLopez.mid(0, ply).join(QLatin1Char(' ')) + QLatin1Char(' ');
    return command;
}

// An engine of the system, linked into a folder of its own so that its
// traffic log is written there.
struct TSystemEngine
{
    QTemporaryDir folder;
    QString file;

    explicit TSystemEngine(const QString &name)
    {
        const QString installed = FindEngine(name);
        QVERIFY2(!installed.isEmpty(), qPrintable(name + " is not installed (see scripts/packages.txt)"));
        file = folder.filePath(name);
        QVERIFY(QFile::link(installed, file));
    }

    QStringList Log() const { return FileLines(file + QStringLiteral(".tellmar.log")); }
};

bool AllLabelsFilled(const TEngineRig &rig)
{
    for (const char *name : {"HintLabel", "ScoreLabel", "depthlabel", "nodesPersecondlabel", "SearchtimeLabel",
                             "pvmemo"}) {
        const QString text = rig.Shown(name).trimmed();
        if (text.isEmpty() || text == TAnalysisLabels::Unknown)
            return false;
    }
    return true;
}

// The variation's first move, as the hint shows it.
QString FirstMove(const TEngineRig &rig)
{
    return rig.Shown("HintLabel").trimmed();
}

} // namespace

class TestEngineReal : public QObject
{
    Q_OBJECT

private slots:
    void analyses_data();
    void analyses();
    void steppingAnalysesEachPosition_data();
    void steppingAnalysesEachPosition();
    void toggleStopsAndRestarts();
};

void TestEngineReal::analyses_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("protocol");
    QTest::addColumn<QString>("identity");

    QTest::newRow("stockfish, UCI") << "stockfish" << QStringList() << int(TEngineController::Uci)
                                    << "UCI engine: Stockfish";
    QTest::newRow("gnuchess, Winboard") << "gnuchess" << QStringList{"-x"} << int(TEngineController::Winboard)
                                        << "Winboard Engine: GNU Chess";
    QTest::newRow("fairy-stockfish, Winboard") << "fairy-stockfish" << QStringList()
                                               << int(TEngineController::Winboard)
                                               << "Winboard Engine: Fairy-Stockfish";
}

void TestEngineReal::analyses()
{
    QFETCH(QString, engine);
    QFETCH(QStringList, arguments);
    QFETCH(int, protocol);
    QFETCH(QString, identity);
    TSystemEngine system(engine);
    TEngineRig rig(system.file, protocol);
    rig.controller.SetEngineArguments(arguments);

    // Black to move after 3.Bb5: an engine that played on "setboard" would
    // analyse a White position instead.
    const int ply = 5;
    rig.controller.SendPositionToCrafty(RuyLopezAt(ply));
    rig.controller.EngineButtonClick();
    QVERIFY(rig.controller.Connected());
    QTRY_VERIFY_WITH_TIMEOUT(AllLabelsFilled(rig), Wait);
    QVERIFY2(rig.Shown("EngineLabel").startsWith(identity), qPrintable(rig.Shown("EngineLabel")));

    const QStringList legal = LegalMoves(FenCommandAt(ply));
    QCOMPARE(legal.size(), 30);
    QVERIFY2(IsLegal(FirstMove(rig), RuyLopezEpd.at(ply), legal), qPrintable(FirstMove(rig)));
    if (protocol == TEngineController::Winboard)
        QVERIFY2(rig.Shown("pvmemo").startsWith(QStringLiteral("3...")), qPrintable(rig.Shown("pvmemo")));
    QVERIFY(rig.prompts.messages.isEmpty());
}

void TestEngineReal::steppingAnalysesEachPosition_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("protocol");

    QTest::newRow("stockfish") << "stockfish" << QStringList() << int(TEngineController::Uci);
    QTest::newRow("gnuchess") << "gnuchess" << QStringList{"-x"} << int(TEngineController::Winboard);
}

void TestEngineReal::steppingAnalysesEachPosition()
{
    QFETCH(QString, engine);
    QFETCH(QStringList, arguments);
    QFETCH(int, protocol);
    TSystemEngine system(engine);
    TEngineRig rig(system.file, protocol);
    rig.controller.SetEngineArguments(arguments);
    rig.controller.SendPositionToCrafty(RuyLopezAt(0));
    rig.controller.EngineButtonClick();

    // Step forward through the game; at each step the analysis is of the
    // position shown.
    for (int ply = 1; ply <= RuyLopez.size(); ++ply) {
        rig.controller.SendPositionToCrafty(RuyLopezAt(ply));
        const QStringList legal = LegalMoves(FenCommandAt(ply));
        QTRY_VERIFY_WITH_TIMEOUT(rig.Shown("HintLabel") != TAnalysisLabels::Unknown, Wait);
        QVERIFY2(IsLegal(FirstMove(rig), RuyLopezEpd.at(ply), legal),
                 qPrintable(QStringLiteral("ply %1: %2").arg(ply).arg(FirstMove(rig))));
    }

    // Each position went out exactly once.
    const QStringList log = system.Log();
    QCOMPARE(log.filter(SentAt(protocol, 0).left(12)).size(), RuyLopez.size() + 1);
    for (int ply = 0; ply <= RuyLopez.size(); ++ply)
        QCOMPARE(log.count(SentAt(protocol, ply)), 1);
}

void TestEngineReal::toggleStopsAndRestarts()
{
    TSystemEngine system(QStringLiteral("stockfish"));
    TEngineRig rig(system.file, TEngineController::Uci);
    rig.controller.SendPositionToCrafty(RuyLopezAt(2));
    rig.controller.EngineButtonClick();
    QTRY_VERIFY_WITH_TIMEOUT(rig.Shown("HintLabel") != TAnalysisLabels::Unknown, Wait);
    QList<QProcess *> running = rig.controller.Process()->findChildren<QProcess *>();
    QCOMPARE(running.size(), 1);
    const qint64 firstId = running.first()->processId();

    rig.controller.EngineButtonClick();
    QVERIFY(!rig.controller.Connected());
    QVERIFY(rig.panel.isHidden());
    QCOMPARE(system.Log().last(), QStringLiteral("<-- quit"));
    // The engine ends by itself on "quit", long before it would be killed.
    QTRY_VERIFY_WITH_TIMEOUT(rig.controller.Process()->findChildren<QProcess *>().isEmpty(), 1500);

    rig.controller.EngineButtonClick();
    QVERIFY(rig.controller.Connected());
    QVERIFY(rig.panel.isVisible());
    running = rig.controller.Process()->findChildren<QProcess *>();
    QCOMPARE(running.size(), 1);
    QVERIFY(running.first()->processId() != firstId);
    QTRY_VERIFY_WITH_TIMEOUT(rig.Shown("HintLabel") != TAnalysisLabels::Unknown, Wait);
    const QStringList log = system.Log();
    QCOMPARE(log.first(), QStringLiteral("<-- uci"));
    QVERIFY(!log.contains(QStringLiteral("<-- quit")));
    QCOMPARE(log.count(QStringLiteral("<-- uci")), 1);
}

QTEST_MAIN(TestEngineReal)
#include "tst_engine_real.moc"
