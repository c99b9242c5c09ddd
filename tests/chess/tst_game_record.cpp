#include "chess/game_record.h"

#include <QTest>

#include <cstring>
#include <stdexcept>

class TestGameRecord : public QObject
{
    Q_OBJECT

private slots:
    void shortStringKeepsTheFirstCharacters();
    void shortStringNeverCutsACharacterInHalf_data();
    void shortStringNeverCutsACharacterInHalf();
    void zeroedRecord();
    void copiesShareNothing();
    void movesAreNumberedFromOne();
};

void TestGameRecord::shortStringKeepsTheFirstCharacters()
{
    GameRecord g{};
    const std::string event(45, 'e');
    g.Event = event;
    QCOMPARE(g.Event.size(), std::size_t(40));
    QVERIFY(g.Event == event.substr(0, 40));
    g.Round = "12.3";
    QVERIFY(g.Round == "12");
    g.WhiteCountry = "ESPANA";
    QVERIFY(g.WhiteCountry == "ESP");
    g.RecordId = "TLM300";
    QVERIFY(g.RecordId == "TLM300");
    // A shorter value replaces a longer one completely.
    g.Event = "Cup";
    QCOMPARE(QString::fromStdString(g.Event.str()), "Cup");
    g.Event = "";
    QVERIFY(g.Event.empty());
}

void TestGameRecord::shortStringNeverCutsACharacterInHalf_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("kept");
    // Capacity 4 bytes.
    QTest::newRow("two-byte across the end") << "abcñ" << "abc";
    QTest::newRow("two-byte fitting") << "abñd" << "abñ";
    QTest::newRow("three-byte across the end") << "ab€" << "ab";
    QTest::newRow("four-byte fitting exactly") << "😀x" << "😀";
    QTest::newRow("four-byte across the end") << "a😀" << "a";
    QTest::newRow("only wide characters") << "€€" << "€";
}

void TestGameRecord::shortStringNeverCutsACharacterInHalf()
{
    QFETCH(QString, value);
    QFETCH(QString, kept);
    ShortString<4> text;
    text = value.toStdString();
    QCOMPARE(QString::fromStdString(text.str()), kept);
}

void TestGameRecord::zeroedRecord()
{
    const GameRecord g{};
    QVERIFY(g.Event.empty() && g.SetupFEN.empty() && g.BlackNA.empty());
    QCOMPARE(g.MoveCount, std::uint16_t(0));
    QCOMPARE(g.CurrentPly, std::uint16_t(0));
    QVERIFY(!g.Setup && !g.StartWhiteToMove);
    QCOMPARE(g.Position, PackedPosition{});
    QCOMPARE(g.Moves[1].From, Square(0));
    QCOMPARE(g.Moves[400].MoveTime, 0.0);
}

void TestGameRecord::copiesShareNothing()
{
    GameRecord g{};
    g.White = "Player, One";
    g.MoveCount = 1;
    g.Moves[1].From = 14;
    g.Moves[1].To = 34;
    const GameRecord copy = g;

    g.White = "Someone Else";
    g.MoveCount = 2;
    g.Moves[2].From = 64;
    g.Moves[1].To = 24;
    g.Position.Board[3] = 0x1234;
    QVERIFY(copy.White == "Player, One");
    QCOMPARE(copy.MoveCount, std::uint16_t(1));
    QCOMPARE(copy.Moves[1].To, Square(34));
    QCOMPARE(copy.Moves[2].From, Square(0));
    QCOMPARE(copy.Position.Board[3], std::uint16_t(0));

    // A copy taken as raw bytes is a complete copy as well.
    GameRecord bytes;
    std::memcpy(&bytes, &copy, sizeof copy);
    QVERIFY(bytes.White == "Player, One");
    QCOMPARE(bytes.Moves[1].To, Square(34));
}

void TestGameRecord::movesAreNumberedFromOne()
{
    GameRecord g{};
    g.Moves[1].Piece = 1;
    g.Moves[400].Piece = 12;
    QCOMPARE(g.Moves[1].Piece, PieceCode(1));
    QCOMPARE(g.Moves[400].Piece, PieceCode(12));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, g.Moves[0]);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, g.Moves[401]);
}

QTEST_APPLESS_MAIN(TestGameRecord)
#include "tst_game_record.moc"
