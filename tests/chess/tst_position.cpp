#include "chess/position.h"

#include <QTest>

class TestPosition : public QObject
{
    Q_OBJECT

private slots:
    void initialPosition();
    void packsFourSquaresAWord();
    void everySquareKeepsItsOwnPiece();
    void ignoresOffBoardSquares_data();
    void ignoresOffBoardSquares();
    void stateBits();
    void toFen();
    void fromFenReadsAPosition();
    void fromFenStoresTheSquarePassedOver_data();
    void fromFenStoresTheSquarePassedOver();
    void fromFenFailures_data();
    void fromFenFailures();
    void fromFenQuirksOfThePlacementWalk();
    void fenRoundTrip();
};

namespace {

TChessPosition EmptyBoard()
{
    TChessPosition position;
    position.Packed() = PackedPosition{};
    return position;
}

const char *const InitialFEN = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -";

} // namespace

void TestPosition::initialPosition()
{
    const TChessPosition position;
    QCOMPARE(position.GetPiece(77), PieceCode(10));
    QCOMPARE(position.GetPiece(70), PieceCode(10));
    QCOMPARE(position.GetPiece(4), PieceCode(6));
    QCOMPARE(position.GetPiece(74), PieceCode(12));
    QCOMPARE(position.GetPiece(34), PieceCode(0));
    QCOMPARE(position.Packed().State, std::uint16_t(0x001F));
    // a1 rook, b1 knight, c1 bishop, d1 queen in word 0.
    QCOMPARE(position.Packed().Board[0], std::uint16_t(0x4235));

    TChessPosition changed;
    changed.SetPiece(0, 14);
    changed.SetEnPassant(24);
    changed.SetWhiteToMove(false);
    changed.SetStartPosition();
    QCOMPARE(changed.Packed(), position.Packed());
}

void TestPosition::packsFourSquaresAWord()
{
    TChessPosition position = EmptyBoard();
    position.SetPiece(5, 0);
    QCOMPARE(position.Packed().Board[0], std::uint16_t(0x5000));
    position.SetPiece(12, 3);
    QCOMPARE(position.Packed().Board[0], std::uint16_t(0x500C));
    position.SetPiece(7, 4);  // e1 opens word 1
    QCOMPARE(position.Packed().Board[1], std::uint16_t(0x7000));
    position.SetPiece(1, 77);  // h8 closes word 15
    QCOMPARE(position.Packed().Board[15], std::uint16_t(0x0001));
    position.SetPiece(0, 0);
    QCOMPARE(position.Packed().Board[0], std::uint16_t(0x000C));
}

void TestPosition::everySquareKeepsItsOwnPiece()
{
    TChessPosition position = EmptyBoard();
    for (int rank = 0; rank < 8; ++rank)
        for (int file = 0; file < 8; ++file)
            position.SetPiece(PieceCode((rank * 8 + file) % 12 + 1), MakeSquare(rank, file));
    for (int rank = 0; rank < 8; ++rank)
        for (int file = 0; file < 8; ++file)
            QCOMPARE(position.GetPiece(MakeSquare(rank, file)), PieceCode((rank * 8 + file) % 12 + 1));
    QCOMPARE(position.Packed().State, std::uint16_t(0));
}

void TestPosition::ignoresOffBoardSquares_data()
{
    QTest::addColumn<int>("square");
    for (const int q : {8, 9, 18, 69, 78, 79, 99, 127, 128, 255})
        QTest::addRow("%d", q) << q;
}

void TestPosition::ignoresOffBoardSquares()
{
    QFETCH(int, square);
    TChessPosition position;
    QVERIFY(TChessPosition::IsOffBoard(Square(square)));
    QCOMPARE(position.GetPiece(Square(square)), PieceCode(0));
    const PackedPosition before = position.Packed();
    position.SetPiece(5, Square(square));
    QCOMPARE(position.Packed(), before);
    QVERIFY(!TChessPosition::IsOffBoard(0));
    QVERIFY(!TChessPosition::IsOffBoard(77));
}

void TestPosition::stateBits()
{
    TChessPosition position;
    position.SetCastleWhiteLong(false);
    position.SetCastleBlackShort(false);
    QCOMPARE(position.Packed().State, std::uint16_t(0x0019));
    QVERIFY(position.CastleWhiteShort() && !position.CastleWhiteLong());
    QVERIFY(!position.CastleBlackShort() && position.CastleBlackLong());
    position.SetEnPassant(43);
    QCOMPARE(position.Packed().State, std::uint16_t(43 << 8 | 0x19));
    position.SetWhiteToMove(false);
    QCOMPARE(position.Packed().State, std::uint16_t(43 << 8 | 0x09));
    QCOMPARE(position.EnPassant(), Square(43));
    QVERIFY(!position.WhiteToMove());
    position.SetEnPassant(0);
    QCOMPARE(position.Packed().State, std::uint16_t(0x0009));
}

void TestPosition::toFen()
{
    TChessPosition position;
    QCOMPARE(QString::fromStdString(position.ToFEN()), QString(InitialFEN) + " ");

    position.SetCastleWhiteShort(false);
    position.SetCastleWhiteLong(false);
    position.SetCastleBlackShort(false);
    position.SetCastleBlackLong(false);
    position.SetWhiteToMove(false);
    position.SetEnPassant(24);
    position.SetPiece(0, 14);
    position.SetPiece(1, 34);
    QCOMPARE(QString::fromStdString(position.ToFEN()),
             "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b - e3 ");

    TChessPosition sparse = EmptyBoard();
    sparse.SetPiece(6, 7);
    sparse.SetPiece(12, 70);
    sparse.SetCastleBlackLong(true);
    QCOMPARE(QString::fromStdString(sparse.ToFEN()), "k7/8/8/8/8/8/8/7K b q - ");
}

void TestPosition::fromFenReadsAPosition()
{
    TChessPosition position = EmptyBoard();
    PackedPosition out;
    QVERIFY(position.FromFEN(InitialFEN, out));
    QCOMPARE(position.Packed(), TChessPosition().Packed());
    QCOMPARE(out, position.Packed());

    QVERIFY(position.FromFEN("8/8/8/8/8/8/8/8 w - -", out));
    QCOMPARE(out, (PackedPosition{{}, 0x10}));

    QVERIFY(position.FromFEN("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR b Kq - 0 1", out));
    QVERIFY(position.CastleWhiteShort() && !position.CastleWhiteLong());
    QVERIFY(!position.CastleBlackShort() && position.CastleBlackLong());
    QVERIFY(!position.WhiteToMove());
}

void TestPosition::fromFenStoresTheSquarePassedOver_data()
{
    QTest::addColumn<QString>("fields");
    QTest::addColumn<int>("enPassant");
    QTest::newRow("e3, Black to move") << "b KQkq e3" << 24;
    QTest::newRow("e4, Black to move") << "b KQkq e4" << 0;
    QTest::newRow("e6, Black to move") << "b KQkq e6" << 0;
    QTest::newRow("d6, White to move") << "w KQkq d6" << 53;
    QTest::newRow("a6, White to move") << "w - a6 0 3" << 50;
    QTest::newRow("h3, Black to move") << "b - h3" << 27;
    QTest::newRow("d3, White to move") << "w KQkq d3" << 0;
    QTest::newRow("d5, White to move") << "w KQkq d5" << 0;
    QTest::newRow("dash") << "w KQkq -" << 0;
    QTest::newRow("not a square") << "b KQkq x3" << 0;
}

void TestPosition::fromFenStoresTheSquarePassedOver()
{
    QFETCH(QString, fields);
    QFETCH(int, enPassant);
    TChessPosition position;
    position.SetEnPassant(55);
    PackedPosition out;
    const std::string fen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR " + fields.toStdString();
    QVERIFY(position.FromFEN(fen, out));
    QCOMPARE(int(position.EnPassant()), enPassant);
    QCOMPARE(out.State >> 8, enPassant);
}

void TestPosition::fromFenFailures_data()
{
    QTest::addColumn<QString>("fen");
    QTest::newRow("seven ranks") << "8/8/8/8/8/8/8 w - -";
    QTest::newRow("nine ranks") << "8/8/8/8/8/8/8/8/8 w - -";
    QTest::newRow("run past the edge") << "8/8/8/8/8/8/8/pp8 w - -";
    QTest::newRow("placement only") << "8/8/8/8/8/8/8/8";
    QTest::newRow("no side") << "8/8/8/8/8/8/8/8 ";
    QTest::newRow("bad side") << "8/8/8/8/8/8/8/8 x - -";
    QTest::newRow("no castling field") << "8/8/8/8/8/8/8/8 w";
    QTest::newRow("no en-passant field") << "8/8/8/8/8/8/8/8 w -";
    QTest::newRow("empty") << "";
}

void TestPosition::fromFenFailures()
{
    QFETCH(QString, fen);
    TChessPosition position;
    PackedPosition out;
    out.State = 0xBEEF;
    QVERIFY(!position.FromFEN(fen.toStdString(), out));
    QCOMPARE(out, (PackedPosition{{}, 0xBEEF}));
}

void TestPosition::fromFenQuirksOfThePlacementWalk()
{
    TChessPosition position = EmptyBoard();
    PackedPosition out;
    // "9" is no digit: it repeats the previous piece (a rook on b8).
    QVERIFY(position.FromFEN("r96/8/8/8/8/8/8/8 w - -", out));
    QCOMPARE(position.GetPiece(70), PieceCode(10));
    QCOMPARE(position.GetPiece(71), PieceCode(10));
    QCOMPARE(position.GetPiece(72), PieceCode(0));
    // A run may spill one square over the end of a rank; the walk still has
    // to cover 64 squares.
    position.SetStartPosition();
    QVERIFY(position.FromFEN("6r2/7/8/8/8/8/8/8 w - -", out));
    QCOMPARE(position.GetPiece(76), PieceCode(10));
    QCOMPARE(position.GetPiece(77), PieceCode(0));
    QCOMPARE(position.GetPiece(60), PieceCode(0));
    QCOMPARE(position.GetPiece(67), PieceCode(0));
    QVERIFY(!position.FromFEN("6r3/7/8/8/8/8/8/8 w - -", out));
    // An unknown letter before any piece letter places empty squares.
    QVERIFY(position.FromFEN("x7/8/8/8/8/8/8/8 w - -", out));
    QCOMPARE(position.GetPiece(70), PieceCode(0));
}

void TestPosition::fenRoundTrip()
{
    // ToFEN writes the en-passant square as stored: the one the text names.
    const char *const fens[][2] = {
        {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -",
         "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - "},
        {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 b - - 0 1", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 b - - "},
        {"rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w Kk f6 0 3",
         "rnbqkbnr/ppp1p1pp/8/3pPp2/8/8/PPPP1PPP/RNBQKBNR w Kk f6 "},
    };
    for (const auto &[fen, written] : fens) {
        TChessPosition position;
        PackedPosition out;
        QVERIFY(position.FromFEN(fen, out));
        QCOMPARE(QString::fromStdString(position.ToFEN()), QString(written));
    }
}

QTEST_APPLESS_MAIN(TestPosition)
#include "tst_position.moc"
