#include "chess/epd.h"
#include "chess/move_text.h"
#include "chess/rules.h"

#include <QTest>

class TestRules : public QObject
{
    Q_OBJECT

private slots:
    void turns();
    void castlingRightsFromHistory();
    void castlingRightsOfASetUpGame();
    void pawnMoves();
    void enPassant();
    void piecesAndPaths();
    void kingsAndCastling();
    void enforcedSide();
    void attacksAndChecks();
    void epd();
};

namespace {

struct Game {
    GameRecord record{};
    TChessPosition position;
};

// Plays SAN moves as the PGN reader does and keeps them in a record;
// CurrentPly follows the moves.
Game Play(std::initializer_list<const char *> moves, const char *setupFen = "")
{
    Game game;
    ResetMoveLibrary();
    std::string setup = setupFen;
    if (!setup.empty()) {
        game.record.Setup = true;
        game.record.SetupFEN = setup;
        PackedPosition out;
        game.position.FromFEN(setup, out);
        game.record.StartWhiteToMove = game.position.WhiteToMove();
    }
    for (const char *san : moves) {
        game.position.SetWhiteToMove(SideToMoveIsWhite(game.record));
        ++game.record.MoveCount;
        game.record.Moves[game.record.MoveCount] = ApplySanMove(game.position, setup, san);
        game.record.CurrentPly = game.record.MoveCount;
        setup.clear();
    }
    return game;
}

TChessPosition PositionOf(const char *fen)
{
    TChessPosition position;
    PackedPosition out;
    position.FromFEN(fen, out);
    return position;
}

bool Legal(const Game &game, Square from, Square to, bool enforceSide = false)
{
    MoveRecord m;
    m.From = from;
    m.To = to;
    return IsMoveLegal(game.record, game.position, m, enforceSide);
}

Game Board(const char *fen)
{
    Game game;
    game.position = PositionOf(fen);
    return game;
}

} // namespace

void TestRules::turns()
{
    GameRecord g{};
    QVERIFY(SideToMoveIsWhite(g));
    g.CurrentPly = 3;
    QVERIFY(!SideToMoveIsWhite(g));
    QVERIFY(PlyIsWhite(g, 1));
    QVERIFY(!PlyIsWhite(g, 2));

    g.Setup = true;
    g.StartWhiteToMove = false;
    g.CurrentPly = 0;
    QVERIFY(!SideToMoveIsWhite(g));
    g.CurrentPly = 1;
    QVERIFY(SideToMoveIsWhite(g));
    QVERIFY(!PlyIsWhite(g, 1));
    QVERIFY(PlyIsWhite(g, 2));
    g.StartWhiteToMove = true;
    QVERIFY(!SideToMoveIsWhite(g));
    QVERIFY(PlyIsWhite(g, 1));
}

void TestRules::castlingRightsFromHistory()
{
    Game game = Play({"e4", "e5", "Ke2"});
    QCOMPARE(QString::fromStdString(CastlingText(game.record)), "kq");
    // Only the moves played on the shown board count.
    game.record.CurrentPly = 2;
    QCOMPARE(QString::fromStdString(CastlingText(game.record)), "KQkq");
    QVERIFY(CanCastleWhiteShort(game.record) && CanCastleWhiteLong(game.record));

    // A black rook taking on h1 costs White the king side.
    game = Play({"g4", "h5", "gxh5", "Rxh5", "Nf3", "Rxh2", "e3", "Rxh1"});
    QCOMPARE(QString::fromStdString(CastlingText(game.record)), "Qq");
    // A rook's move, out and back, loses its side only.
    game = Play({"a4", "h5", "Ra3", "Rh6", "Ra1", "Rh8"});
    QCOMPARE(QString::fromStdString(CastlingText(game.record)), "Kq");
    game = Play({"e4", "e5", "Ke2", "Ke7"});
    QCOMPARE(QString::fromStdString(CastlingText(game.record)), "-");
}

void TestRules::castlingRightsOfASetUpGame()
{
    Game game = Play({"Kf8"}, "r3k2r/8/8/8/8/8/8/R3K2R b - - 0 1");
    QCOMPARE(QString::fromStdString(CastlingText(game.record)), "-");
    game.record.CurrentPly = 0;
    QCOMPARE(QString::fromStdString(CastlingText(game.record)), "-");

    game = Play({"Rb1", "Rg8"}, "r3k2r/8/8/8/8/8/8/R3K2R w Kq - 0 1");
    QCOMPARE(QString::fromStdString(CastlingText(game.record)), "Kq");
    game = Play({"Rg1", "Rb8"}, "r3k2r/8/8/8/8/8/8/R3K2R w Kq - 0 1");
    QCOMPARE(QString::fromStdString(CastlingText(game.record)), "-");

    GameRecord placementOnly{};
    placementOnly.Setup = true;
    placementOnly.SetupFEN = "r3k2r/8/8/8/8/8/8/R3K2R";
    QCOMPARE(QString::fromStdString(CastlingText(placementOnly)), "-");
}

void TestRules::pawnMoves()
{
    Game game = Board("4k3/8/8/8/8/4n3/4P3/4K3 w - - 0 1");
    QVERIFY(!Legal(game, 14, 34));  // e3 occupied
    QVERIFY(!Legal(game, 14, 24));
    game = Board("4k3/8/8/8/8/3n1N2/4P3/4K3 w - - 0 1");
    QVERIFY(Legal(game, 14, 24));
    QVERIFY(Legal(game, 14, 34));
    QVERIFY(Legal(game, 14, 23));   // takes the black knight
    QVERIFY(!Legal(game, 14, 25));  // not its own
    QVERIFY(!Legal(game, 14, 44));
    QVERIFY(!Legal(game, 14, 4));   // never backwards
    game = Board("4k3/8/8/8/4p3/4P3/8/4K3 w - - 0 1");
    QVERIFY(!Legal(game, 24, 34));
    QVERIFY(!Legal(game, 24, 44));  // a double step only from the second rank

    game = Board("4k3/4p3/3P4/8/8/8/8/4K3 b - - 0 1");
    QVERIFY(Legal(game, 64, 54));
    QVERIFY(Legal(game, 64, 44));
    QVERIFY(Legal(game, 64, 53));
    QVERIFY(!Legal(game, 64, 55));
    // A pawn on the edge may not wrap to the far file.
    game = Board("4k3/8/8/8/8/8/P7/4K2n w - - 0 1");
    QVERIFY(!Legal(game, 10, 19));
    QVERIFY(!Legal(game, 10, 9));
}

void TestRules::enPassant()
{
    Game game = Board("4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1");
    game.position.SetEnPassant(53);
    QVERIFY(Legal(game, 44, 53));
    QVERIFY(LastMoveWasEnPassant);
    QVERIFY(Legal(game, 44, 54));
    QVERIFY(!LastMoveWasEnPassant);
    game.position.SetEnPassant(0);
    QVERIFY(!Legal(game, 44, 53));

    game = Board("4k3/8/8/8/3pP3/8/8/4K3 b - - 0 1");
    game.position.SetEnPassant(24);
    QVERIFY(Legal(game, 33, 24));
    QVERIFY(LastMoveWasEnPassant);
    game.position.SetEnPassant(22);
    QVERIFY(!Legal(game, 33, 22));  // no white pawn on c4
    // An ordinary capture is no en-passant capture.
    game = Board("4k3/8/3p4/4P3/8/8/8/4K3 w - - 0 1");
    QVERIFY(Legal(game, 44, 53));
    QVERIFY(!LastMoveWasEnPassant);
}

void TestRules::piecesAndPaths()
{
    Game game = Board("4k3/8/8/8/8/8/3P4/2B1K3 w - - 0 1");
    QVERIFY(!Legal(game, 2, 24));  // bishop blocked on d2
    QVERIFY(Legal(game, 2, 11));
    QVERIFY(!Legal(game, 2, 13));  // its own pawn
    game = Board("4k3/8/8/8/8/8/3p4/2B1K3 w - - 0 1");
    QVERIFY(Legal(game, 2, 13));
    QVERIFY(!Legal(game, 2, 24));
    QVERIFY(!Legal(game, 2, 12));

    game = Board("4k3/8/8/8/R2p4/8/8/4K3 w - - 0 1");
    QVERIFY(Legal(game, 30, 33));
    QVERIFY(!Legal(game, 30, 34));
    QVERIFY(Legal(game, 30, 70));
    QVERIFY(!Legal(game, 30, 41));
    QVERIFY(!Legal(game, 30, 38));  // off the board

    game = Board("4k3/8/8/8/3Q4/8/8/4K3 w - - 0 1");
    QVERIFY(Legal(game, 33, 77));
    QVERIFY(Legal(game, 33, 3));
    QVERIFY(Legal(game, 33, 37));
    QVERIFY(!Legal(game, 33, 45));

    game = Board("4k3/8/8/8/8/6N1/8/4K3 w - - 0 1");
    QVERIFY(Legal(game, 26, 45));
    QVERIFY(Legal(game, 26, 14));
    QVERIFY(!Legal(game, 26, 36));
    QVERIFY(!Legal(game, 26, 38));  // wrapping over the h-file edge
    QVERIFY(!Legal(game, 34, 46));  // no piece on e4
}

void TestRules::kingsAndCastling()
{
    Game game = Play({"e4", "e5", "Nf3", "Nf6", "Bc4", "Bc5"});
    QVERIFY(Legal(game, 4, 6));
    QVERIFY(!Legal(game, 4, 2));  // b1, c1, d1 occupied
    QVERIFY(Legal(game, 4, 14));
    QVERIFY(!Legal(game, 4, 24));
    game = Play({"e4", "e5", "Nf3", "Nf6", "Bc4", "Bc5", "Kf1", "Kf8", "Ke1", "Ke8"});
    QVERIFY(!Legal(game, 4, 6));  // the king went and came back
    QVERIFY(Legal(game, 4, 5));

    game = Play({"Rg1", "Rc8", "Rh1", "Rb8"}, "1r2k2r/8/8/8/8/8/8/R3K2R w KQk - 0 1");
    QVERIFY(!Legal(game, 4, 6));   // the rook has moved
    QVERIFY(Legal(game, 4, 2));
    QVERIFY(!Legal(game, 74, 72)); // no right
    QVERIFY(Legal(game, 74, 76));
    game.position.SetPiece(0, 77);
    QVERIFY(!Legal(game, 74, 76)); // no rook on h8
}

void TestRules::enforcedSide()
{
    Game game = Play({"e4"});
    QVERIFY(!Legal(game, 11, 21, true));  // a white move with Black to move
    QVERIFY(Legal(game, 11, 21, false));
    QVERIFY(Legal(game, 61, 51, true));
    game = Board("4k3/8/8/8/8/8/8/4KR2 w - - 0 1");
    game.position.SetPiece(12, 75);
    QVERIFY(!Legal(game, 5, 75, true));   // never onto the king
    QVERIFY(Legal(game, 5, 75, false));
}

void TestRules::attacksAndChecks()
{
    Game game = Board("4k3/8/b7/8/8/8/8/K7 w - - 0 1");
    QVERIFY(SquareAttacked(game.record, game.position, 5));
    game.position.SetPiece(1, 23);
    QVERIFY(!SquareAttacked(game.record, game.position, 5));
    // A piece on the square is attacked only by the other colour.
    game.position.SetPiece(0, 23);
    game.position.SetPiece(9, 5);
    QVERIFY(!SquareAttacked(game.record, game.position, 5));
    game.position.SetPiece(3, 5);
    QVERIFY(SquareAttacked(game.record, game.position, 5));

    game = Play({"e4", "f6", "Qh5+"});
    QVERIFY(SideToMoveInCheck(game.record, game.position));
    QVERIFY(!SideNotToMoveInCheck(game.record, game.position));
    game = Play({"e4", "f6", "Qh5+", "g6"});
    QVERIFY(!SideToMoveInCheck(game.record, game.position));
    // Black's reply left his king open: the mover's own king is attacked.
    game.position.SetPiece(0, 56);
    QVERIFY(SideNotToMoveInCheck(game.record, game.position));
}

void TestRules::epd()
{
    Game game;
    QCOMPARE(QString::fromStdString(MakeEPD(game.record, game.position).Text),
             "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
    game = Play({"e4"});
    const EPDResult afterE4 = MakeEPD(game.record, game.position);
    QCOMPARE(QString::fromStdString(afterE4.Text), "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq -");
    QVERIFY(!afterE4.InvalidPiece);
    game = Play({"e4", "e5", "Ke2"});
    QCOMPARE(QString::fromStdString(MakeEPD(game.record, game.position).Text),
             "rnbqkbnr/pppp1ppp/8/4p3/4P3/8/PPPPKPPP/RNBQ1BNR b kq -");

    game = Play({}, "4k3/8/8/8/8/8/8/4K3 b - - 0 40");
    QCOMPARE(QString::fromStdString(MakeEPD(game.record, game.position).Text), "4k3/8/8/8/8/8/8/4K3 b - - 0 40");

    game = Game{};
    game.position.SetPiece(13, 34);
    const EPDResult broken = MakeEPD(game.record, game.position);
    QVERIFY(broken.InvalidPiece);
    QVERIFY(broken.Text.empty());
}

QTEST_APPLESS_MAIN(TestRules)
#include "tst_rules.moc"
