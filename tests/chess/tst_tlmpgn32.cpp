#include "movelib/tlmpgn32.h"

#include <QTest>

// The move library through its two C functions, as the program binds them.
class TestTlmpgn32 : public QObject
{
    Q_OBJECT

private slots:
    void init() { TLMpgn2move("", ""); }

    void resetsToTheInitialPosition();
    void playsOnASetUpPosition();
    void keepsSideToMoveCastlingAndEnPassant();
    void returnsTheKingsMoveForCastling();
    void acceptsTheWaysMovesAreWritten_data();
    void acceptsTheWaysMovesAreWritten();
    void refusesWhatIsNotALegalMove_data();
    void refusesWhatIsNotALegalMove();
    void resolvesAPinnedPieceAway();
    void refusalLeavesTheBoardAsItWas();
};

namespace {

struct Played {
    int from, to;
    bool enPassant;
    std::int32_t error;
};

Played Play(const char *san, const char *setup = "")
{
    const std::uint32_t r = TLMpgn2move(setup, san);
    return {int(r & 0xFF), int((r >> 8) & 0xFF), bool((r >> 16) & 1), TLMgetRCMGerrno()};
}

// Plays a sequence on the library's board; false at the first refusal.
bool PlayAll(std::initializer_list<const char *> moves)
{
    for (const char *san : moves)
        if (Play(san).error != TLM_NoError)
            return false;
    return true;
}

} // namespace

void TestTlmpgn32::resetsToTheInitialPosition()
{
    QVERIFY(PlayAll({"e4", "e5", "Nf3"}));
    TLMpgn2move("", "");
    QCOMPARE(TLMgetRCMGerrno(), TLM_NoError);
    // White to move again on the initial position.
    QCOMPARE(Play("e5").error, TLM_IllegalMove);
    const Played e4 = Play("e4");
    QCOMPARE(e4.error, TLM_NoError);
    QCOMPARE(e4.from, 14);
    QCOMPARE(e4.to, 34);
}

void TestTlmpgn32::playsOnASetUpPosition()
{
    QVERIFY(PlayAll({"d4"}));
    const Played e5 = Play("e5", "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq e3 0 1");
    QCOMPARE(e5.error, TLM_NoError);
    QCOMPARE(e5.from, 64);
    QCOMPARE(e5.to, 44);
    // Later calls go on from there: White's e-pawn stands on e4.
    QCOMPARE(Play("e5").error, TLM_IllegalMove);
    QCOMPARE(Play("Nf3").error, TLM_NoError);
    QCOMPARE(Play("x", "not a position").error, TLM_InvalidSetup);
}

void TestTlmpgn32::keepsSideToMoveCastlingAndEnPassant()
{
    QVERIFY(PlayAll({"e4", "d5", "e5", "f5"}));
    const Played ep = Play("exf6");
    QCOMPARE(ep.error, TLM_NoError);
    QVERIFY(ep.enPassant);
    QCOMPARE(ep.from, 44);
    QCOMPARE(ep.to, 55);
    // The chance passes after one move.
    TLMpgn2move("", "");
    QVERIFY(PlayAll({"e4", "d5", "e5", "f5", "Nf3", "Nc6"}));
    QCOMPARE(Play("exf6").error, TLM_IllegalMove);

    // A king that went and came back has lost both rights; a rook's move
    // only its own side's.
    TLMpgn2move("", "");
    QVERIFY(PlayAll({"e4", "e5", "Nf3", "Nf6", "Bc4", "Bc5", "Ke2", "Ke7", "Ke1", "Ke8"}));
    QCOMPARE(Play("O-O").error, TLM_IllegalMove);
    TLMpgn2move("", "");
    QVERIFY(PlayAll({"e4", "e5", "Nf3", "Nf6", "Bc4", "Bc5", "Rg1", "Rg8", "Rh1", "Rh8"}));
    QCOMPARE(Play("O-O").error, TLM_IllegalMove);
    QVERIFY(PlayAll({"d3", "d6", "Be3", "Be6", "Nc3", "Nc6", "Qd2", "Qd7"}));
    QCOMPARE(Play("O-O-O").error, TLM_NoError);
}

void TestTlmpgn32::returnsTheKingsMoveForCastling()
{
    QVERIFY(PlayAll({"e4", "e5", "Nf3", "Nf6", "Bc4", "Bc5"}));
    const Played white = Play("O-O");
    QCOMPARE(white.error, TLM_NoError);
    QCOMPARE(white.from, 4);
    QCOMPARE(white.to, 6);
    const Played black = Play("O-O", "r3k2r/8/8/8/8/8/8/R3K2R b KQkq - 0 1");
    QCOMPARE(black.from, 74);
    QCOMPARE(black.to, 76);
    const Played whiteLong = Play("O-O-O");
    QCOMPARE(whiteLong.from, 4);
    QCOMPARE(whiteLong.to, 2);
}

void TestTlmpgn32::acceptsTheWaysMovesAreWritten_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("san");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");

    const QString promotion = "1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1";
    const QString knights = "4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1";
    QTest::newRow("plain") << "" << "Nf3" << 6 << 25;
    QTest::newRow("check mark") << "" << "e4+" << 14 << 34;
    QTest::newRow("annotation") << "" << "e4!?" << 14 << 34;
    QTest::newRow("over-disambiguated file") << "" << "Ngf3" << 6 << 25;
    QTest::newRow("over-disambiguated square") << "" << "Ng1f3" << 6 << 25;
    QTest::newRow("capture mark on a quiet move") << "" << "Nxf3" << 6 << 25;
    QTest::newRow("needed file") << knights << "Nbd2" << 1 << 13;
    QTest::newRow("promotion with =") << promotion << "a8=Q" << 60 << 70;
    QTest::newRow("promotion without =") << promotion << "a8Q" << 60 << 70;
    QTest::newRow("capturing promotion with check") << promotion << "axb8=R+" << 60 << 71;
    QTest::newRow("castling with zeros") << "4k3/8/8/8/8/8/8/4K2R w K - 0 1" << "0-0" << 4 << 6;
    QTest::newRow("mate mark") << "rnbqkbnr/pppp1ppp/8/4p3/6P1/5P2/PPPPP2P/RNBQKBNR b KQkq - 0 2"
                               << "Qh4#" << 73 << 37;
}

void TestTlmpgn32::acceptsTheWaysMovesAreWritten()
{
    QFETCH(QString, setup);
    QFETCH(QString, san);
    QFETCH(int, from);
    QFETCH(int, to);
    const Played played = Play(san.toLatin1().constData(), setup.toLatin1().constData());
    QCOMPARE(played.error, TLM_NoError);
    QCOMPARE(played.from, from);
    QCOMPARE(played.to, to);
}

void TestTlmpgn32::refusesWhatIsNotALegalMove_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("san");
    QTest::addColumn<int>("error");

    const QString promotion = "1n2k3/P7/8/8/8/8/8/4K3 w - - 0 1";
    for (const char *result : {"1-0", "0-1", "1/2-1/2", "*"})
        QTest::newRow(result) << "" << result << int(TLM_InvalidField);
    QTest::newRow("marks only") << "" << "+!" << int(TLM_InvalidField);
    QTest::newRow("word") << "" << "resigns" << int(TLM_InvalidField);
    QTest::newRow("coordinates") << "" << "e2e4" << int(TLM_InvalidField);
    QTest::newRow("off the board") << "" << "e9" << int(TLM_InvalidField);
    QTest::newRow("lower-case piece") << "" << "nf3" << int(TLM_InvalidField);
    QTest::newRow("overlong") << "" << "Nf3aaaaaaaaaaaaaaaaaaaaaaaaaaaaaa" << int(TLM_InvalidParameter);
    QTest::newRow("unreachable") << "" << "Nf4" << int(TLM_IllegalMove);
    QTest::newRow("blocked") << "" << "Bc4" << int(TLM_IllegalMove);
    QTest::newRow("other side's move") << "" << "e5" << int(TLM_IllegalMove);
    QTest::newRow("pawn capture onto nothing") << "" << "exd3" << int(TLM_IllegalMove);
    QTest::newRow("castling with pieces between") << "" << "O-O" << int(TLM_IllegalMove);
    QTest::newRow("ambiguous") << "4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1" << "Nd2" << int(TLM_AmbiguousMove);
    QTest::newRow("ambiguous after rank") << "4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1" << "N1d2" << int(TLM_AmbiguousMove);
    QTest::newRow("promotion missing") << promotion << "a8" << int(TLM_InvalidPieceType);
    QTest::newRow("promotion to king") << promotion << "a8=K" << int(TLM_InvalidPieceType);
    QTest::newRow("promotion before the last rank") << "4k3/8/P7/8/8/8/8/4K3 w - - 0 1" << "a7=Q"
                                                    << int(TLM_InvalidPieceType);
    QTest::newRow("piece promoting") << "" << "Nf3=Q" << int(TLM_InvalidPieceType);
    QTest::newRow("king left in check") << "4k3/4r3/8/8/8/8/4N3/4K3 w - - 0 1" << "Nf4" << int(TLM_IllegalMove);
}

void TestTlmpgn32::refusesWhatIsNotALegalMove()
{
    QFETCH(QString, setup);
    QFETCH(QString, san);
    QFETCH(int, error);
    const Played played = Play(san.toLatin1().constData(), setup.toLatin1().constData());
    QCOMPARE(played.error, error);
    QCOMPARE(played.from + played.to, 0);

    QCOMPARE(TLMpgn2move(nullptr, "e4"), 0u);
    QCOMPARE(TLMgetRCMGerrno(), TLM_InvalidParameter);
    QCOMPARE(TLMpgn2move("", nullptr), 0u);
    QCOMPARE(TLMgetRCMGerrno(), TLM_InvalidParameter);
}

void TestTlmpgn32::resolvesAPinnedPieceAway()
{
    // Both knights reach d2, but the one on f3 shields its king from the
    // bishop on d5: Nd2 names the b1 knight alone.
    const Played played = Play("Nd2", "4k3/8/8/3b4/8/5N2/8/1N5K w - - 0 1");
    QCOMPARE(played.error, TLM_NoError);
    QCOMPARE(played.from, 1);
    QCOMPARE(played.to, 13);
}

void TestTlmpgn32::refusalLeavesTheBoardAsItWas()
{
    QVERIFY(PlayAll({"e4", "e5"}));
    QCOMPARE(Play("Ke3").error, TLM_IllegalMove);
    QCOMPARE(Play("1-0").error, TLM_InvalidField);
    // Still White to move after e4 e5.
    QVERIFY(PlayAll({"Ke2", "Ke7"}));
}

QTEST_APPLESS_MAIN(TestTlmpgn32)
#include "tst_tlmpgn32.moc"
