#include "chess/move_text.h"

#include <QTest>

Q_DECLARE_METATYPE(MoveRecord)

class TestMoveText : public QObject
{
    Q_OBJECT

private slots:
    void init() { ResetMoveLibrary(); }

    void moveToSan_data();
    void moveToSan();
    void annotationText();
    void moveToCoordinates();
    void squareFromText();

    void appliesMovesInTurn();
    void readsDisambiguationChecksAndMates_data();
    void readsDisambiguationChecksAndMates();
    void writesWhatTellsThreeOrMoreCandidatesApart_data();
    void writesWhatTellsThreeOrMoreCandidatesApart();
    void movesThePieceThatIsNotPinned();
    void removesThePawnTakenEnPassant();
    void movesTheRookWhenCastling();
    void promotesInTheMoversColour();
    void readsTheMoveUpToANul();
    void refusalThrowsAndChangesNothing();
};

namespace {

MoveRecord Move(PieceCode piece, Square from, Square to, PieceCode captured = 0)
{
    MoveRecord m;
    m.Piece = piece;
    m.From = from;
    m.To = to;
    m.Captured = captured;
    return m;
}

template <typename Change>
MoveRecord With(MoveRecord m, Change change)
{
    change(m);
    return m;
}

// A position read from a FEN text, with the move library's board set up by
// the first move played on it.
TChessPosition PositionOf(const char *fen)
{
    TChessPosition position;
    PackedPosition out;
    [&] { QVERIFY(position.FromFEN(fen, out)); }();
    return position;
}

// The pieces on the given squares, as "6 4 0" for a king, a rook, nothing.
QString PiecesOn(const TChessPosition &position, std::initializer_list<int> squares)
{
    QStringList pieces;
    for (const int q : squares)
        pieces << QString::number(position.GetPiece(Square(q)));
    return pieces.join(' ');
}

} // namespace

void TestMoveText::moveToSan_data()
{
    QTest::addColumn<MoveRecord>("move");
    QTest::addColumn<QString>("san");

    const MoveRecord knight = With(Move(2, 1, 13), [](MoveRecord &m) { m.Disambiguation = 0x01; });
    QTest::newRow("file named") << knight << "Nbd2";
    QTest::newRow("file named, capture") << With(knight, [](MoveRecord &m) { m.Captured = 7; }) << "Nbxd2";
    QTest::newRow("rank named") << With(Move(4, 4, 14), [](MoveRecord &m) { m.Disambiguation = 0x10; }) << "R1e2";
    QTest::newRow("file and rank named") << With(knight, [](MoveRecord &m) { m.Disambiguation = 0x11; }) << "Nb1d2";
    QTest::newRow("black piece") << Move(11, 73, 37, 1) << "Qxh4";
    QTest::newRow("pawn push") << Move(1, 14, 34) << "e4";
    QTest::newRow("pawn capture") << Move(7, 64, 53, 1) << "exd6";
    QTest::newRow("en passant") << With(Move(1, 44, 53), [](MoveRecord &m) { m.EnPassantCapture = true; }) << "exd6";
    QTest::newRow("promotion") << With(Move(1, 64, 74), [](MoveRecord &m) { m.Promotion = 5; }) << "e8=Q";
    QTest::newRow("capturing black promotion")
        << With(Move(7, 11, 0, 4), [](MoveRecord &m) { m.Promotion = 8; }) << "bxa1=N";
    QTest::newRow("promotion to a king code") << With(Move(1, 64, 74), [](MoveRecord &m) { m.Promotion = 12; })
                                              << "e8=K";
    QTest::newRow("check") << With(Move(5, 3, 47), [](MoveRecord &m) { m.Check = true; }) << "Qh5+";
    QTest::newRow("mate as read") << With(Move(5, 47, 65, 7), [](MoveRecord &m) {
        m.Check = true;
        m.Annotation = 2;
    }) << "Qxf7";
    QTest::newRow("check with another annotation")
        << With(Move(5, 3, 47), [](MoveRecord &m) { m.Check = true; m.Annotation = 3; }) << "Qh5+";
    QTest::newRow("short castling") << Move(6, 4, 6) << "O-O";
    QTest::newRow("short castling with check") << With(Move(6, 4, 6), [](MoveRecord &m) { m.Check = true; })
                                               << "O-O+";
    QTest::newRow("black long castling") << Move(12, 74, 72) << "O-O-O";
    QTest::newRow("long castling mating")
        << With(Move(12, 74, 72), [](MoveRecord &m) { m.Check = true; m.Annotation = 2; }) << "O-O-O";
    QTest::newRow("king step") << With(Move(6, 4, 5), [](MoveRecord &m) { m.Disambiguation = 0x01; }) << "Kef1";
}

void TestMoveText::moveToSan()
{
    QFETCH(MoveRecord, move);
    QFETCH(QString, san);
    QCOMPARE(QString::fromStdString(MoveToSAN(move)), san);
}

void TestMoveText::annotationText()
{
    const char *const texts[] = {"", "", "#", "!", "!!", "?", "??", "?!", "!?", "*", "", ""};
    for (int code = 0; code < 12; ++code) {
        MoveRecord m;
        m.Annotation = std::uint8_t(code);
        QCOMPARE(QString::fromStdString(AnnotationText(m)), QString(texts[code]));
    }
}

void TestMoveText::moveToCoordinates()
{
    QCOMPARE(QString::fromStdString(MoveToCoordinates(Move(1, 14, 34))), "e2e4");
    QCOMPARE(QString::fromStdString(MoveToCoordinates(Move(6, 4, 6))), "e1g1");
    QCOMPARE(QString::fromStdString(MoveToCoordinates(With(Move(1, 64, 74), [](MoveRecord &m) {
                 m.Promotion = 5;
             }))),
             "e7e8=q");
    QCOMPARE(QString::fromStdString(MoveToCoordinates(With(Move(7, 11, 0, 4), [](MoveRecord &m) {
                 m.Promotion = 8;
             }))),
             "b2a1=n");
    QCOMPARE(QString::fromStdString(MoveToCoordinates(With(Move(7, 11, 1), [](MoveRecord &m) {
                 m.Promotion = 10;
             }))),
             "b2b1=r");
    QCOMPARE(QString::fromStdString(MoveToCoordinates(With(Move(1, 64, 74), [](MoveRecord &m) {
                 m.Promotion = 3;
             }))),
             "e7e8=b");
}

void TestMoveText::squareFromText()
{
    QCOMPARE(SquareFromText("e4"), Square(34));
    QCOMPARE(SquareFromText("a1"), Square(0));
    QCOMPARE(SquareFromText("h8"), Square(77));
    QCOMPARE(SquareFromText("d6xx"), Square(53));
    QVERIFY(TChessPosition::IsOffBoard(SquareFromText("i4")));
    QVERIFY(TChessPosition::IsOffBoard(SquareFromText("E4")));
    QVERIFY(TChessPosition::IsOffBoard(SquareFromText("a9")));
    QVERIFY(TChessPosition::IsOffBoard(SquareFromText("a0")));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, SquareFromText("ex"));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, SquareFromText("e"));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, SquareFromText(""));
}

void TestMoveText::appliesMovesInTurn()
{
    TChessPosition position;
    const MoveRecord e4 = ApplySanMove(position, "", "e4");
    QCOMPARE(e4.Piece, PieceCode(1));
    QCOMPARE(e4.From, Square(14));
    QCOMPARE(e4.To, Square(34));
    QCOMPARE(e4.Captured, PieceCode(0));
    QCOMPARE(position.GetPiece(14), PieceCode(0));
    QCOMPARE(position.GetPiece(34), PieceCode(1));
    QCOMPARE(QString::fromStdString(MoveLibraryErrorText()), "No error");

    position.SetWhiteToMove(false);
    ApplySanMove(position, "", "d5");
    position.SetWhiteToMove(true);
    const MoveRecord exd5 = ApplySanMove(position, "", "exd5");
    QCOMPARE(exd5.Captured, PieceCode(7));
    QCOMPARE(exd5.Disambiguation, std::uint8_t(0));
    QCOMPARE(position.GetPiece(43), PieceCode(1));
    // Only squares change: side to move, rights and en passant are the caller's.
    QVERIFY(position.WhiteToMove());
    QCOMPARE(position.Packed().State, std::uint16_t(0x1F));
}

void TestMoveText::readsDisambiguationChecksAndMates_data()
{
    QTest::addColumn<QString>("fen");
    QTest::addColumn<QString>("san");
    QTest::addColumn<int>("disambiguation");
    QTest::addColumn<bool>("check");
    QTest::addColumn<int>("annotation");

    const QString knights = "4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1";
    const QString rooks = "4k3/8/8/8/R7/8/8/R3K3 w - - 0 1";
    QTest::newRow("file") << knights << "Nbd2" << 0x01 << false << 0;
    QTest::newRow("file and capture mark") << knights << "Nbxd2" << 0x01 << false << 0;
    QTest::newRow("rank") << rooks << "R1a2" << 0x10 << false << 0;
    QTest::newRow("rank and capture mark") << rooks << "R4xa3" << 0x10 << false << 0;
    QTest::newRow("file and rank") << knights << "Nb1d2" << 0x11 << false << 0;
    QTest::newRow("file and rank, capture mark") << knights << "Nb1xd2" << 0x11 << false << 0;
    QTest::newRow("check") << rooks << "Ra8+" << 0 << true << 0;
    QTest::newRow("mate") << "6k1/5ppp/8/8/8/8/8/R3K3 w - - 0 1" << "Ra8#" << 0 << true << 2;
}

void TestMoveText::writesWhatTellsThreeOrMoreCandidatesApart_data()
{
    QTest::addColumn<QString>("fen");
    QTest::addColumn<QString>("san");
    // Each position has three or more pieces of a kind that reach one square.
    const QString knights = "4k3/8/8/8/8/1N6/8/1N2KN2 w - - 0 1";      // b3, b1, f1 to d2
    const QString bishops = "k7/B7/8/8/8/8/8/B5BK w - - 0 1";          // a7, a1, g1 to d4
    const QString rooks = "8/8/8/4R3/1k6/R7/8/K3R3 w - - 0 1";         // e5, a3, e1 to e3
    const QString queens = "8/8/1k6/8/4Q2Q/K7/8/7Q w - - 0 1";         // e4, h4, h1 to e1
    QTest::newRow("knight, file") << knights << "Nfd2";
    QTest::newRow("knight, rank") << knights << "N3d2";
    QTest::newRow("knight, both") << knights << "Nb1d2";
    QTest::newRow("bishop, file") << bishops << "Bgd4";
    QTest::newRow("bishop, rank") << bishops << "B7d4";
    QTest::newRow("bishop, both") << bishops << "Ba1d4";
    QTest::newRow("rook, file") << rooks << "Rae3";
    QTest::newRow("rook, rank") << rooks << "R5e3";
    QTest::newRow("rook, rank of the first") << rooks << "R1e3";
    QTest::newRow("queen, file") << queens << "Qee1";
    QTest::newRow("queen, rank") << queens << "Q1e1";
    QTest::newRow("queen, both") << queens << "Qh4e1";
    QTest::newRow("queen, both, capture") << "8/8/1k6/8/4Q2Q/K7/8/4n2Q w - - 0 1" << "Qh4xe1";
    QTest::newRow("pawn, file") << "4k3/8/8/3p4/2P1P3/8/8/4K3 w - - 0 1" << "cxd5";
    QTest::newRow("king beside a queen") << queens << "Kb2";
}

void TestMoveText::writesWhatTellsThreeOrMoreCandidatesApart()
{
    QFETCH(QString, fen);
    QFETCH(QString, san);
    TChessPosition position = PositionOf(fen.toLatin1().constData());
    const MoveRecord m = ApplySanMove(position, fen.toStdString(), san.toStdString());
    QCOMPARE(QString::fromStdString(MoveToSAN(m)), san);
}

void TestMoveText::readsDisambiguationChecksAndMates()
{
    QFETCH(QString, fen);
    QFETCH(QString, san);
    QFETCH(int, disambiguation);
    QFETCH(bool, check);
    QFETCH(int, annotation);
    TChessPosition position = PositionOf(fen.toLatin1().constData());
    const MoveRecord m = ApplySanMove(position, fen.toStdString(), san.toStdString());
    QCOMPARE(int(m.Disambiguation), disambiguation);
    QCOMPARE(m.Check, check);
    QCOMPARE(int(m.Annotation), annotation);
}

void TestMoveText::movesThePieceThatIsNotPinned()
{
    const char *fen = "4k3/8/8/3b4/8/5N2/8/1N5K w - - 0 1";
    TChessPosition position = PositionOf(fen);
    const MoveRecord m = ApplySanMove(position, fen, "Nd2");
    QCOMPARE(m.From, Square(1));
    QCOMPARE(m.Piece, PieceCode(2));
    QCOMPARE(PiecesOn(position, {1, 13, 25}), "0 2 2");
}

void TestMoveText::removesThePawnTakenEnPassant()
{
    const char *white = "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1";
    TChessPosition position = PositionOf(white);
    const MoveRecord m = ApplySanMove(position, white, "exd6");
    QVERIFY(m.EnPassantCapture);
    QCOMPARE(m.Captured, PieceCode(0));
    QCOMPARE(m.To, Square(53));
    QCOMPARE(PiecesOn(position, {53, 43, 44}), "1 0 0");
    QCOMPARE(QString::fromStdString(MoveToSAN(m)), "exd6");

    const char *black = "4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1";
    position = PositionOf(black);
    const MoveRecord b = ApplySanMove(position, black, "exd3");
    QVERIFY(b.EnPassantCapture);
    QCOMPARE(PiecesOn(position, {23, 33, 34}), "7 0 0");

    // An ordinary capture removes nothing beside it.
    const char *plain = "4k3/8/3p4/3pP3/8/8/8/4K3 w - - 0 1";
    position = PositionOf(plain);
    ApplySanMove(position, plain, "exd6");
    QCOMPARE(position.GetPiece(43), PieceCode(7));
}

void TestMoveText::movesTheRookWhenCastling()
{
    const char *fen = "r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1";
    TChessPosition position = PositionOf(fen);
    const MoveRecord white = ApplySanMove(position, fen, "O-O");
    QCOMPARE(white.From, Square(4));
    QCOMPARE(white.To, Square(6));
    QCOMPARE(PiecesOn(position, {4, 5, 6, 7}), "0 4 6 0");
    QCOMPARE(QString::fromStdString(MoveToSAN(white)), "O-O");

    position.SetWhiteToMove(false);
    const MoveRecord black = ApplySanMove(position, "", "O-O-O+");
    QCOMPARE(PiecesOn(position, {70, 71, 72, 73, 74}), "0 0 12 10 0");
    QCOMPARE(QString::fromStdString(MoveToSAN(black)), "O-O-O+");

    position = PositionOf(fen);
    ApplySanMove(position, fen, "O-O-O");
    QCOMPARE(PiecesOn(position, {0, 1, 2, 3, 4}), "0 0 6 4 0");
    position.SetWhiteToMove(false);
    ApplySanMove(position, "", "O-O");
    QCOMPARE(PiecesOn(position, {74, 75, 76, 77}), "0 10 12 0");
}

void TestMoveText::promotesInTheMoversColour()
{
    const char *white = "1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1";
    TChessPosition position = PositionOf(white);
    const MoveRecord queen = ApplySanMove(position, white, "a8=Q");
    QCOMPARE(queen.Promotion, PieceCode(5));
    QCOMPARE(queen.Piece, PieceCode(1));
    QCOMPARE(position.GetPiece(70), PieceCode(5));
    QCOMPARE(position.GetPiece(60), PieceCode(0));

    position = PositionOf(white);
    const MoveRecord knight = ApplySanMove(position, white, "axb8N+");
    QCOMPARE(knight.Promotion, PieceCode(2));
    QCOMPARE(knight.Captured, PieceCode(8));
    QCOMPARE(position.GetPiece(71), PieceCode(2));
    QCOMPARE(QString::fromStdString(MoveToSAN(knight)), "axb8=N+");

    const char *black = "4k3/8/8/8/8/8/p7/4K3 b - - 0 1";
    position = PositionOf(black);
    QCOMPARE(ApplySanMove(position, black, "a1=Q").Promotion, PieceCode(11));
    QCOMPARE(position.GetPiece(0), PieceCode(11));
    position = PositionOf(black);
    QCOMPARE(ApplySanMove(position, black, "a1R").Promotion, PieceCode(10));
    QCOMPARE(position.GetPiece(0), PieceCode(10));
}

void TestMoveText::readsTheMoveUpToANul()
{
    // The library plays c2-c4 for this text, so that is the move described.
    TChessPosition position;
    const MoveRecord c4 = ApplySanMove(position, "", std::string_view("c4\0=N#", 6));
    QCOMPARE(c4.Promotion, PieceCode(0));
    QVERIFY(!c4.Check);
    QCOMPARE(position.GetPiece(32), Piece::WhitePawn);

    // A set-up text that ends at once is no position, not the previous board.
    const PackedPosition before = position.Packed();
    QVERIFY_THROWS_EXCEPTION(PGNtoTLMexception, ApplySanMove(position, std::string_view("\0w", 2), "e5"));
    QCOMPARE(position.Packed(), before);
}

void TestMoveText::refusalThrowsAndChangesNothing()
{
    TChessPosition position;
    ApplySanMove(position, "", "e4");
    const PackedPosition before = position.Packed();
    position.SetWhiteToMove(false);
    const PackedPosition turned = position.Packed();

    const struct {
        const char *san;
        const char *text;
    } refusals[] = {
        {"1-0", "Invalid field"},
        {"*", "Invalid field"},
        {"Ke3", "Illegal move"},
        {"e4", "Illegal move"},
        {"Nd7f6", "Illegal move"},
    };
    for (const auto &refusal : refusals) {
        try {
            ApplySanMove(position, "", refusal.san);
            QFAIL(refusal.san);
        } catch (const PGNtoTLMexception &e) {
            QCOMPARE(QString(e.what()), QString(refusal.text));
        }
        QCOMPARE(position.Packed(), turned);
    }
    QCOMPARE(QString::fromStdString(MoveLibraryErrorText()), "Illegal move");
    ApplySanMove(position, "", "e5");
    QVERIFY(position.Packed() != before);

    const char *knights = "4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1";
    position = PositionOf(knights);
    QVERIFY_THROWS_EXCEPTION(PGNtoTLMexception, ApplySanMove(position, knights, "Nd2"));
    QCOMPARE(QString::fromStdString(MoveLibraryErrorText()), "Ambiguous move");
}

QTEST_APPLESS_MAIN(TestMoveText)
#include "tst_move_text.moc"
