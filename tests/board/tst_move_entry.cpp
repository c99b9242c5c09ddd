#include "board/move_entry.h"
#include "chess/move_text.h"
#include "recording_prompts.h"

#include <QDateTime>
#include <QtTest>

namespace {

MoveRecord Drag(const char *from, const char *to)
{
    MoveRecord m;
    m.From = SquareFromText(from);
    m.To = SquareFromText(to);
    m.Annotation = 1;
    return m;
}

Square Sq(const char *text) { return SquareFromText(text); }

} // namespace

class TestMoveEntry : public QObject
{
    Q_OBJECT

    GameRecord m_game;
    TChessPosition m_position;
    QList<Square> m_redrawn;
    std::unique_ptr<TMoveEntry> m_entry;

    // A game set up from a position text, or the initial position.
    void setUp(const char *fen = nullptr)
    {
        m_game = GameRecord{};
        m_position = TChessPosition();
        if (fen) {
            PackedPosition packed;
            QVERIFY(m_position.FromFEN(fen, packed));
            m_game.Setup = true;
            m_game.SetupFEN = fen;
            m_game.StartWhiteToMove = m_position.WhiteToMove();
            m_game.Position = packed;
        } else {
            m_position.SetStartPosition();
        }
        m_redrawn.clear();
        m_entry = std::make_unique<TMoveEntry>(m_game, m_position, [this](Square q) { m_redrawn << q; });
    }
    TMoveEntry::Outcome enter(const char *from, const char *to) { return m_entry->EnterMove(Drag(from, to)); }
    PieceCode at(const char *square) const { return m_position.GetPiece(Sq(square)); }

private Q_SLOTS:
    void doubleStepSetsTheEnPassantSquareOnlyBesideAnEnemyPawn()
    {
        setUp("4k3/8/8/8/3p4/8/4P3/4K3 w - -");
        QCOMPARE(enter("e2", "e4"), TMoveEntry::Outcome::Entered);
        QCOMPARE(m_position.EnPassant(), Square(24));
        const MoveRecord &m = m_game.Moves[1];
        QCOMPARE(m.From, Sq("e2"));
        QCOMPARE(m.To, Sq("e4"));
        QCOMPARE(m.Piece, Piece::WhitePawn);
        QCOMPARE(m.Captured, Piece::Empty);
        QCOMPARE(m.Annotation, 1);
        QCOMPARE(m_game.MoveCount, 1);
        QCOMPARE(m_game.CurrentPly, 1);
        QCOMPARE(m_game.Position, m_position.Packed());
        QVERIFY(m_redrawn.contains(Sq("e2")) && m_redrawn.contains(Sq("e4")));

        setUp("4k3/8/8/8/8/8/4P3/4K3 w - -");
        QCOMPARE(enter("e2", "e4"), TMoveEntry::Outcome::Entered);
        QCOMPARE(m_position.EnPassant(), Square(0));
    }

    void enPassantCaptureAndItsTakeBack()
    {
        setUp("4k3/8/8/8/3p4/8/4P3/4K3 w - -");
        QCOMPARE(enter("e2", "e4"), TMoveEntry::Outcome::Entered);
        QCOMPARE(enter("d4", "e3"), TMoveEntry::Outcome::Entered);
        const MoveRecord &m = m_game.Moves[2];
        QVERIFY(m.EnPassantCapture);
        QCOMPARE(m.Captured, Piece::Empty);
        QCOMPARE(at("e4"), Piece::Empty);
        QCOMPARE(at("e3"), Piece::BlackPawn);
        QCOMPARE(QString::fromStdString(MoveToSAN(m)), QString("dxe3"));

        QVERIFY(m_entry->StepBack());
        QCOMPARE(at("e4"), Piece::WhitePawn);
        QCOMPARE(at("d4"), Piece::BlackPawn);
        QCOMPARE(at("e3"), Piece::Empty);
        QCOMPARE(m_position.EnPassant(), Square(24));
        QCOMPARE(m_game.CurrentPly, 1);
        // The capture can be entered again from there.
        QCOMPARE(enter("d4", "e3"), TMoveEntry::Outcome::Entered);
        QCOMPARE(m_game.MoveCount, 2);
    }

    void enPassantRightAfterASetUp_data()
    {
        QTest::addColumn<QString>("fen");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<QString>("taken");
        QTest::addColumn<bool>("entered");
        QTest::newRow("white takes on d6") << "4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1" << "e5" << "d6" << "d5" << true;
        QTest::newRow("black takes on d3") << "4k3/8/8/8/3Pp3/8/8/4K3 b - d3 0 1" << "e4" << "d3" << "d4" << true;
        QTest::newRow("no en-passant field") << "4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1" << "e5" << "d6" << "d5" << false;
    }
    void enPassantRightAfterASetUp()
    {
        QFETCH(QString, fen);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(QString, taken);
        QFETCH(bool, entered);
        const QByteArray setup = fen.toLatin1(), f = from.toLatin1(), t = to.toLatin1(), x = taken.toLatin1();
        setUp(setup.constData());
        const PieceCode pawn = at(f.constData());
        QCOMPARE(enter(f.constData(), t.constData()),
                 entered ? TMoveEntry::Outcome::Entered : TMoveEntry::Outcome::Illegal);
        QCOMPARE(int(m_game.MoveCount), entered ? 1 : 0);
        if (!entered)
            return;
        QVERIFY(m_game.Moves[1].EnPassantCapture);
        QCOMPARE(at(t.constData()), pawn);
        QCOMPARE(at(x.constData()), Piece::Empty);
        QCOMPARE(QString::fromStdString(MoveToSAN(m_game.Moves[1])), from.left(1) + "x" + to);
    }

    void steppingBackOverAQuietMoveKeepsAnEnPassantChance()
    {
        setUp();
        for (auto [from, to] : {std::pair{"e2", "e4"}, {"a7", "a6"}, {"e4", "e5"}, {"d7", "d5"}, {"g1", "f3"}})
            QCOMPARE(enter(from, to), TMoveEntry::Outcome::Entered);
        QVERIFY(m_entry->StepBack());
        QCOMPARE(m_position.EnPassant(), Sq("d6"));
        QCOMPARE(enter("e5", "d6"), TMoveEntry::Outcome::Entered);
        QVERIFY(m_game.Moves[5].EnPassantCapture);
        QCOMPARE(at("d5"), Piece::Empty);
    }

    void promotionToAKnightForBothColours()
    {
        setUp("7k/1P6/8/8/8/8/6p1/K6B w - -");
        QList<bool> asked;
        m_entry->setPromotionChooser([&](bool white) {
            asked << white;
            // The pawn is shown on the last rank while the choice is made.
            return white ? (at("b8") == Piece::WhitePawn ? Piece::WhiteKnight : Piece::Empty)
                         : (at("h1") == Piece::BlackPawn ? Piece::BlackKnight : Piece::Empty);
        });
        QCOMPARE(enter("b7", "b8"), TMoveEntry::Outcome::Entered);
        QCOMPARE(m_game.Moves[1].Promotion, Piece::WhiteKnight);
        QCOMPARE(m_game.Moves[1].Piece, Piece::WhitePawn);
        QCOMPARE(at("b8"), Piece::WhiteKnight);
        QCOMPARE(QString::fromStdString(MoveToSAN(m_game.Moves[1])), QString("b8=N"));

        QCOMPARE(enter("g2", "h1"), TMoveEntry::Outcome::Entered);
        QCOMPARE(m_game.Moves[2].Promotion, Piece::BlackKnight);
        QCOMPARE(m_game.Moves[2].Piece, Piece::BlackPawn);
        QCOMPARE(m_game.Moves[2].Captured, Piece::WhiteBishop);
        QCOMPARE(QString::fromStdString(MoveToSAN(m_game.Moves[2])), QString("gxh1=N"));
        QCOMPARE(asked, QList<bool>({true, false}));

        QVERIFY(m_entry->StepBack());
        QCOMPARE(at("g2"), Piece::BlackPawn);
        QCOMPARE(at("h1"), Piece::WhiteBishop);
        QVERIFY(m_entry->StepBack());
        QCOMPARE(at("b7"), Piece::WhitePawn);
        QCOMPARE(at("b8"), Piece::Empty);
        // And forward again, as the move list steps.
        QVERIFY(m_entry->StepForward());
        QVERIFY(m_entry->StepForward());
        QCOMPARE(at("b8"), Piece::WhiteKnight);
        QCOMPARE(at("h1"), Piece::BlackKnight);
        QVERIFY(!m_entry->StepForward());
    }

    void castlingIsRefusedOutOfAndThroughCheck_data()
    {
        QTest::addColumn<QString>("fen");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("entered");
        QTest::newRow("short, king in check") << "4k3/4r3/8/8/8/8/8/R3K2R w KQ -" << "e1" << "g1" << false;
        QTest::newRow("long, king in check") << "4k3/4r3/8/8/8/8/8/R3K2R w KQ -" << "e1" << "c1" << false;
        QTest::newRow("short across attacked f1") << "4kr2/8/8/8/8/8/8/R3K2R w KQ -" << "e1" << "g1" << false;
        QTest::newRow("long with f1 attacked") << "4kr2/8/8/8/8/8/8/R3K2R w KQ -" << "e1" << "c1" << true;
        QTest::newRow("long across attacked d1") << "3rk3/8/8/8/8/8/8/R3K2R w KQ -" << "e1" << "c1" << false;
        QTest::newRow("into check on g1") << "4k1r1/8/8/8/8/8/8/R3K2R w KQ -" << "e1" << "g1" << false;
        QTest::newRow("black short across attacked f8") << "r3k2r/8/8/8/8/8/8/4KR2 b kq -" << "e8" << "g8" << false;
        QTest::newRow("black long, d8 free") << "r3k2r/8/8/8/8/8/8/4KR2 b kq -" << "e8" << "c8" << true;
        QTest::newRow("black long across attacked d8") << "r3k2r/8/8/8/8/8/8/3RK3 b kq -" << "e8" << "c8" << false;
    }
    void castlingIsRefusedOutOfAndThroughCheck()
    {
        QFETCH(QString, fen);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, entered);
        setUp(qPrintable(fen));
        const PackedPosition before = m_position.Packed();
        const auto outcome = enter(qPrintable(from), qPrintable(to));
        if (entered) {
            QCOMPARE(outcome, TMoveEntry::Outcome::Entered);
            const bool white = from == "e1";
            QCOMPARE(at(white ? "d1" : "d8"), white ? Piece::WhiteRook : Piece::BlackRook);
            QCOMPARE(at(white ? "a1" : "a8"), Piece::Empty);
            QCOMPARE(QString::fromStdString(MoveToSAN(m_game.Moves[1])), QString("O-O-O"));
        } else {
            QCOMPARE(outcome, TMoveEntry::Outcome::KingExposed);
            QCOMPARE(m_position.Packed(), before);
            QCOMPARE(m_game.MoveCount, 0);
            QCOMPARE(m_game.CurrentPly, 0);
        }
    }

    void aPinnedPieceIsTakenBack()
    {
        setUp("4k3/4r3/8/8/8/8/4B3/4K3 w - -");
        const PackedPosition before = m_position.Packed();
        m_game.Event = "kept";
        QCOMPARE(enter("e2", "d3"), TMoveEntry::Outcome::KingExposed);
        QCOMPARE(m_position.Packed(), before);
        QCOMPARE(m_game.MoveCount, 0);
        QCOMPARE(m_game.Event.str(), std::string("kept"));
        QVERIFY(m_redrawn.contains(Sq("e2")) && m_redrawn.contains(Sq("d3")));
        // Along the pin it may go.
        QCOMPARE(enter("e1", "d1"), TMoveEntry::Outcome::Entered);
    }

    void disambiguation_data()
    {
        QTest::addColumn<QString>("fen");
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<int>("bits");
        QTest::addColumn<QString>("san");
        QTest::newRow("knights b1 and f3") << "4k3/8/8/8/8/5N2/8/1N2K3 w - -" << "b1" << "d2" << 0x01 << "Nbd2";
        QTest::newRow("rooks a1 and a5") << "4k3/8/8/R7/8/8/8/R3K3 w - -" << "a1" << "a3" << 0x10 << "R1a3";
        QTest::newRow("knights b1, b3 and f1") << "4k3/8/8/8/8/1N6/8/1N2KN2 w - -" << "b1" << "d2" << 0x11 << "Nb1d2";
        const char *knights = "4k3/8/8/8/8/1N6/8/1N2KN2 w - -";
        const char *bishops = "k7/B7/8/8/8/8/8/B5BK w - -";
        const char *rooks = "8/8/8/4R3/1k6/R7/8/K3R3 w - -";
        const char *queens = "8/8/1k6/8/4Q2Q/K7/8/7Q w - -";
        QTest::newRow("three knights, file") << knights << "f1" << "d2" << 0x01 << "Nfd2";
        QTest::newRow("three knights, rank") << knights << "b3" << "d2" << 0x10 << "N3d2";
        QTest::newRow("three bishops, file") << bishops << "g1" << "d4" << 0x01 << "Bgd4";
        QTest::newRow("three bishops, rank") << bishops << "a7" << "d4" << 0x10 << "B7d4";
        QTest::newRow("three bishops, both") << bishops << "a1" << "d4" << 0x11 << "Ba1d4";
        QTest::newRow("three rooks, file") << rooks << "a3" << "e3" << 0x01 << "Rae3";
        QTest::newRow("three rooks, rank") << rooks << "e1" << "e3" << 0x10 << "R1e3";
        QTest::newRow("three queens, file") << queens << "e4" << "e1" << 0x01 << "Qee1";
        QTest::newRow("three queens, rank") << queens << "h1" << "e1" << 0x10 << "Q1e1";
        QTest::newRow("three queens, both") << queens << "h4" << "e1" << 0x11 << "Qh4e1";
        QTest::newRow("one knight") << "4k3/8/8/8/8/8/8/1N2K3 w - -" << "b1" << "d2" << 0 << "Nd2";
        QTest::newRow("the other knight is blocked off") << "4k3/8/8/8/8/8/8/1N2K1N1 w - -" << "b1" << "c3" << 0 << "Nc3";
    }
    void disambiguation()
    {
        QFETCH(QString, fen);
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(int, bits);
        QFETCH(QString, san);
        setUp(qPrintable(fen));
        QCOMPARE(enter(qPrintable(from), qPrintable(to)), TMoveEntry::Outcome::Entered);
        QCOMPARE(int(m_game.Moves[1].Disambiguation), bits);
        QCOMPARE(QString::fromStdString(MoveToSAN(m_game.Moves[1])), san);
    }

    void enteringAMoveInThePastDropsTheLaterPlies()
    {
        setUp();
        for (auto [from, to] : {std::pair{"e2", "e4"}, {"e7", "e5"}, {"g1", "f3"}, {"b8", "c6"}})
            QCOMPARE(enter(from, to), TMoveEntry::Outcome::Entered);
        QVERIFY(m_entry->StepBack());
        QVERIFY(m_entry->StepBack());
        QCOMPARE(at("g1"), Piece::WhiteKnight);
        QCOMPARE(enter("d2", "d4"), TMoveEntry::Outcome::Entered);
        QCOMPARE(m_game.CurrentPly, 3);
        QCOMPARE(m_game.MoveCount, 3);
        QCOMPARE(m_game.Moves[3].From, Sq("d2"));
        QCOMPARE(at("c6"), Piece::Empty);
        QCOMPARE(at("b8"), Piece::BlackKnight);
    }

    void illegalDropsAreRefusedAndRedrawn()
    {
        setUp();
        const PackedPosition before = m_position.Packed();
        QCOMPARE(enter("e2", "e5"), TMoveEntry::Outcome::Illegal);
        QCOMPARE(m_redrawn, QList<Square>{Sq("e2")});
        QCOMPARE(enter("e7", "e5"), TMoveEntry::Outcome::Illegal);  // Black's pawn, White to move
        QCOMPARE(enter("e2", "e2"), TMoveEntry::Outcome::Illegal);
        QCOMPARE(enter("e4", "e5"), TMoveEntry::Outcome::Illegal);  // no piece
        QCOMPARE(m_position.Packed(), before);
        QCOMPARE(m_game.MoveCount, 0);
    }

    void checkAndTimeStamps()
    {
        setUp("4k3/8/8/8/8/8/8/R3K3 w - -");
        const double now = QDate(1899, 12, 30).daysTo(QDate::currentDate());
        QCOMPARE(enter("a1", "a8"), TMoveEntry::Outcome::Entered);
        const MoveRecord first = m_game.Moves[1];
        QVERIFY(first.Check);
        QCOMPARE(QString::fromStdString(MoveToSAN(first)), QString("Ra8+"));
        QVERIFY(first.MoveTime >= now && first.MoveTime < now + 1.0001);
        QCOMPARE(first.PreviousTime, first.MoveTime);
        QCOMPARE(enter("e8", "e7"), TMoveEntry::Outcome::Entered);
        QVERIFY(!m_game.Moves[2].Check);
        QCOMPARE(m_game.Moves[2].PreviousTime, first.MoveTime);
        QVERIFY(m_game.Moves[2].MoveTime >= first.MoveTime);
    }

    void fourHundredPliesOnEveryPath()
    {
        TRecordingPrompts prompts;
        setUp();
        const std::pair<const char *, const char *> shuffle[] = {{"g1", "f3"}, {"g8", "f6"}, {"f3", "g1"}, {"f6", "g8"}};
        for (int n = 0; n < MoveList::Capacity; ++n)
            QCOMPARE(enter(shuffle[n % 4].first, shuffle[n % 4].second), TMoveEntry::Outcome::Entered);
        QCOMPARE(m_game.MoveCount, 400);
        QVERIFY(prompts.messages.isEmpty());
        const PackedPosition full = m_position.Packed();
        m_redrawn.clear();
        QCOMPARE(enter("g1", "f3"), TMoveEntry::Outcome::TooManyMoves);
        QCOMPARE(prompts.messageTexts(), QStringList{"Too many moves!"});
        QCOMPARE(prompts.messages.at(0).icon, TPrompts::Icon::Error);
        QCOMPARE(m_redrawn, QList<Square>{Sq("g1")});
        QCOMPARE(m_position.Packed(), full);
        QCOMPARE(m_game.MoveCount, 400);

        // Replaying all 400 as game loading does, CurrentPly advanced first.
        m_position.SetStartPosition();
        for (int j = 1; j <= m_game.MoveCount; ++j) {
            m_game.CurrentPly = std::uint16_t(j);
            QVERIFY(m_entry->DoMove(m_game.Moves[j]));
        }
        QCOMPARE(m_position.Packed(), full);
        QCOMPARE(prompts.messages.size(), 1);
        m_game.CurrentPly = 401;
        QVERIFY(!m_entry->DoMove(m_game.Moves[400]));
        QCOMPARE(prompts.messages.size(), 2);
        QCOMPARE(m_position.Packed(), full);
    }
};

QTEST_GUILESS_MAIN(TestMoveEntry)
#include "tst_move_entry.moc"
