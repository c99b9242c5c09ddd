#include "app/engine_position.h"
#include "chess/move_text.h"

#include <QtTest>

class TestEnginePosition : public QObject
{
    Q_OBJECT

    static void play(GameRecord &game, TChessPosition &position, std::initializer_list<const char *> moves)
    {
        // The library starts from the set-up text once, then plays on its own board.
        ResetMoveLibrary();
        std::string_view setup = game.Setup ? game.SetupFEN.view() : "";
        for (const char *san : moves) {
            game.Moves[++game.MoveCount] = ApplySanMove(position, setup, san);
            game.CurrentPly = game.MoveCount;
            setup = {};
        }
    }

private Q_SLOTS:
    void aGameFromTheStart()
    {
        GameRecord game{};
        TChessPosition position;
        position.SetStartPosition();
        QCOMPARE(AnalysedPositionOf(game, position).fullMoveNumber, 1);
        play(game, position, {"e4", "e5", "Nf3"});
        const TAnalysedPosition analysed = AnalysedPositionOf(game, position);
        QCOMPARE(analysed.epd, QStringLiteral("rnbqkbnr/pppp1ppp/8/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R b KQkq -"));
        QCOMPARE(analysed.moves, (QStringList{"e2e4", "e7e5", "g1f3"}));
        QCOMPARE(analysed.fullMoveNumber, 2);
        QCOMPARE(analysed.ply, 3);
        QVERIFY(!analysed.whiteToMove);
        QVERIFY(analysed.startFen.isEmpty());
    }

    void aSetUpGameWithBlackToMove()
    {
        GameRecord game{};
        game.Setup = true;
        game.SetupFEN = "4k3/8/8/8/8/8/4P3/4K3 b - - 0 30";
        TChessPosition position;
        PackedPosition packed;
        QVERIFY(position.FromFEN(game.SetupFEN.str(), packed));
        play(game, position, {"Kd7", "e4"});
        const TAnalysedPosition analysed = AnalysedPositionOf(game, position);
        QCOMPARE(analysed.startFen, QStringLiteral("4k3/8/8/8/8/8/4P3/4K3 b - - 0 30"));
        QCOMPARE(analysed.moves, (QStringList{"e8d7", "e2e4"}));
        QCOMPARE(analysed.fullMoveNumber, 31);
        QVERIFY(!analysed.whiteToMove);
    }
};

QTEST_GUILESS_MAIN(TestEnginePosition)
#include "tst_engine_position.moc"
