#include "movelib/board.h"
#include "movelib/movegen.h"

#include <QTest>

using namespace tlm;

// The legal-move generator against the published node counts of the usual
// perft positions: pins, checks, double checks, en passant that would expose
// the king, castling out of, through and into check, promotions.
class TestMoveGen : public QObject
{
    Q_OBJECT

private slots:
    void perft_data();
    void perft();
    void generates_data();
    void generates();
    void sixteenPiecesAndTheMostMovesKnown();
    void refusesImpossiblePositions_data();
    void refusesImpossiblePositions();
    void dropsRightsAndEnPassantThatCannotHold();
};

void TestMoveGen::perft_data()
{
    QTest::addColumn<QString>("fen");
    QTest::addColumn<int>("depth");
    QTest::addColumn<qulonglong>("nodes");

    const QString start = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";
    const QString kiwipete = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -";
    QTest::newRow("initial 4") << start << 4 << 197281ull;
    QTest::newRow("initial 5") << start << 5 << 4865609ull;
    QTest::newRow("kiwipete 4") << kiwipete << 4 << 4085603ull;
    QTest::newRow("kiwipete 3") << kiwipete << 3 << 97862ull;
    QTest::newRow("rook endgame 5") << "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -" << 5 << 674624ull;
    QTest::newRow("promotions 4")
        << "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1" << 4 << 422333ull;
    QTest::newRow("promotions mirrored 4")
        << "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1" << 4 << 422333ull;
    QTest::newRow("discovered checks 3")
        << "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8" << 3 << 62379ull;
    QTest::newRow("middlegame 3")
        << "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10" << 3 << 89890ull;
    // Small positions of single rules (counts checked with a reference
    // engine); generates() below names the moves that decide them.
    QTest::newRow("en passant pinned") << "8/8/8/K1pP3r/8/8/8/7k w - c6 0 1" << 1 << 5ull;
    QTest::newRow("en passant evasion") << "8/8/8/2k5/3Pp3/8/8/4K3 b - d3 0 1" << 1 << 9ull;
    // Castling through an attacked square and out of check.
    QTest::newRow("castling through check") << "4k3/8/8/8/8/8/5r2/R3K2R w KQ - 0 1" << 1 << 22ull;
    QTest::newRow("castling out of check") << "4k3/8/8/8/8/8/4r3/R3K2R w KQ - 0 1" << 1 << 3ull;
    // Double check: only the king moves.
    QTest::newRow("double check") << "4k3/8/8/8/1b6/8/4r3/4K3 w - - 0 1" << 1 << 3ull;
}

void TestMoveGen::perft()
{
    QFETCH(QString, fen);
    QFETCH(int, depth);
    QFETCH(qulonglong, nodes);
    Board board;
    QVERIFY(board.SetFromFEN(fen.toStdString()));
    QCOMPARE(Perft(board, depth), nodes);
}

void TestMoveGen::generates_data()
{
    QTest::addColumn<QString>("fen");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("legal");
    // Squares as bit indices: a1 = 0, h1 = 7, a8 = 56.
    QTest::newRow("en passant uncovering the king") << "8/8/8/K1pP3r/8/8/8/7k w - c6 0 1" << 35 << 42 << false;
    QTest::newRow("en passant removing the checker") << "8/8/8/2k5/3Pp3/8/8/4K3 b - d3 0 1" << 28 << 19 << true;
    QTest::newRow("castling through an attacked square") << "4k3/8/8/8/8/8/5r2/R3K2R w KQ - 0 1" << 4 << 6 << false;
    QTest::newRow("castling beside an attacked square") << "4k3/8/8/8/8/8/5r2/R3K2R w KQ - 0 1" << 4 << 2 << true;
    QTest::newRow("castling out of check") << "4k3/8/8/8/8/8/4r3/R3K2R w KQ - 0 1" << 4 << 6 << false;
    QTest::newRow("castling into check") << "4k3/8/8/8/8/8/6r1/R3K2R w KQ - 0 1" << 4 << 6 << false;
    QTest::newRow("long castling with b1 attacked") << "4k3/8/8/8/8/8/1r6/R3K2R w KQ - 0 1" << 4 << 2 << true;
    QTest::newRow("pinned knight") << "4k3/4r3/8/8/8/8/4N3/4K3 w - - 0 1" << 12 << 29 << false;
    QTest::newRow("pinned rook along the pin") << "4k3/4r3/8/8/8/8/4R3/4K3 w - - 0 1" << 12 << 52 << true;
    QTest::newRow("double check, blocking") << "4k3/8/8/8/1b6/8/4r3/3QK3 w - - 0 1" << 3 << 12 << false;
    QTest::newRow("king stepping along the checking ray") << "4k3/8/8/8/8/8/8/r3K3 w - - 0 1" << 4 << 5 << false;
}

void TestMoveGen::sixteenPiecesAndTheMostMovesKnown()
{
    Board board;
    // White has sixteen pieces, as many as a side may have.
    QVERIFY(board.SetFromFEN("R6R/3Q4/1Q4Q1/4Q3/2Q4Q/Q4Q2/pp1Q4/kBNN1KB1 w - - 0 1"));
    QCOMPARE(LegalMoves(board).Size(), 218);
}

void TestMoveGen::generates()
{
    QFETCH(QString, fen);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(bool, legal);
    Board board;
    QVERIFY(board.SetFromFEN(fen.toStdString()));
    bool found = false;
    for (const Move m : LegalMoves(board))
        found = found || (m.From == from && m.To == to);
    QCOMPARE(found, legal);
}

void TestMoveGen::refusesImpossiblePositions_data()
{
    QTest::addColumn<QString>("fen");
    QTest::newRow("empty") << "";
    QTest::newRow("seven ranks") << "8/8/8/8/8/8/4K2k w - -";
    QTest::newRow("rank too long") << "9/8/8/8/8/8/8/4K2k w - -";
    QTest::newRow("unknown letter") << "8/8/8/8/8/8/8/4K2x w - -";
    QTest::newRow("no side") << "8/8/8/8/8/8/8/4K2k";
    QTest::newRow("bad side") << "8/8/8/8/8/8/8/4K2k x - -";
    QTest::newRow("no black king") << "8/8/8/8/8/8/8/4K3 w - -";
    QTest::newRow("two white kings") << "8/8/8/8/8/8/8/K3K2k w - -";
    QTest::newRow("seventeen white pieces") << "4k3/8/8/8/8/7N/PPPPPPPP/RNBQKBNR w - -";
    QTest::newRow("271 moves, more than any list holds") << "BQQQQQBk/Q5RB/Q6Q/Q6Q/Q6Q/Q6Q/Q6Q/KQQQQQQQ w - - 0 1";
    QTest::newRow("pawn on last rank") << "P7/8/8/8/8/8/8/4K2k w - -";
    QTest::newRow("side not to move in check") << "4k3/8/8/8/8/8/8/4RK2 w - -";
    QTest::newRow("bad castling field") << "4k3/8/8/8/8/8/8/4K3 w KX -";
    QTest::newRow("bad en-passant field") << "4k3/8/8/8/8/8/8/4K3 w - e9";
}

void TestMoveGen::refusesImpossiblePositions()
{
    QFETCH(QString, fen);
    Board board;
    const Board before = board;
    QVERIFY(!board.SetFromFEN(fen.toStdString()));
    QCOMPARE(Perft(board, 2), Perft(before, 2));
}

void TestMoveGen::dropsRightsAndEnPassantThatCannotHold()
{
    Board board;
    // No rook on h1 and no pawn that could have stepped over e6.
    QVERIFY(board.SetFromFEN("r3k2r/8/8/8/8/8/8/R3K3 w KQkq e6 0 1"));
    QCOMPARE(board.CastlingRights(), std::uint8_t(WhiteLong | BlackShort | BlackLong));
    QCOMPARE(board.EnPassantSquare(), NoSquare);
    QVERIFY(board.SetFromFEN("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1"));
    QCOMPARE(board.EnPassantSquare(), MakeSquare(5, 3));
}

QTEST_APPLESS_MAIN(TestMoveGen)
#include "tst_movegen.moc"
