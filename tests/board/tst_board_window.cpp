#include "app/color_box.h"
#include "app/options_dialog.h"
#include "app/quorval_main.h"
#include "board/chess_diagram_2d.h"
#include "board/promotion_dialog.h"
#include "recording_prompts.h"
#include "when_modal.h"
#include "ui/radiogroup.h"
#include "ui/waitwindow.h"

#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

class TestBoardWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TRecordingPrompts> m_prompts;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQuorvalMain> m_window;
    TChessDiagram2D *m_board = nullptr;

    static constexpr int S = TChessDiagram2D::S;

    QPoint centre(Square q) const { return m_board->squareOrigin(q) + QPoint(S / 2, S / 2); }
    void drag(Square from, Square to)
    {
        QTest::mousePress(m_board, Qt::LeftButton, {}, centre(from));
        QTest::mouseMove(m_board, centre(to));
        QTest::mouseRelease(m_board, Qt::LeftButton, {}, centre(to));
    }
    QImage squareImage(Square q) const { return m_board->canvas().copy(QRect(m_board->squareOrigin(q), QSize(S, S))); }
    // Sets the board and the game to a position text.
    void setUp(const char *fen)
    {
        GameRecord &game = m_window->game();
        game = GameRecord{};
        PackedPosition packed;
        QVERIFY(m_board->Position().FromFEN(fen, packed));
        game.Setup = true;
        game.SetupFEN = fen;
        game.StartWhiteToMove = m_board->Position().WhiteToMove();
        game.Position = packed;
        m_board->Redraw();
    }
    void choosePromotion(const QString &item)
    {
        WhenModal([item](QWidget *modal) {
            QVERIFY(qobject_cast<TPromotionDialog *>(modal));
            for (QRadioButton *button : modal->findChildren<QRadioButton *>())
                if (button->text() == item)
                    button->click();
            QTest::mouseClick(modal->findChild<QPushButton *>("Button1"), Qt::LeftButton);
        });
    }

private Q_SLOTS:
    void init()
    {
        m_prompts = std::make_unique<TRecordingPrompts>();
        m_dir = std::make_unique<QTemporaryDir>();
        QFile ini(m_dir->filePath("quorval.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[SETUP]\r\nLIGHT_SQUARES_COLOR=11917808\r\nDARK_SQUARES_COLOR=6523061\r\n");
        ini.close();
        m_window = std::make_unique<TQuorvalMain>(TProgramContext::forFolder(m_dir->path()));
        m_window->createDialogs();
        m_board = m_window->findChild<TChessDiagram2D *>("Diagram");
        QVERIFY(m_board);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
    void cleanup()
    {
        m_window.reset();
        m_prompts.reset();
    }

    void theBoardSitsInItsPanelInTheSettingsColours()
    {
        QCOMPARE(m_board, m_window->diagram());
        QCOMPARE(m_board->parentWidget(), m_window->boardPanel());
        QCOMPARE(m_board->geometry(), QRect(6, 8, 305, 305));
        QVERIFY(m_board->WhiteIsAtBottom());
        QCOMPARE(m_board->LightSquareColor(), QColor(0xF0, 0xD9, 0xB5));
        QCOMPARE(m_board->DarkSquareColor(), QColor(0xB5, 0x88, 0x63));
        QCOMPARE(m_board->canvas().pixelColor(1, 1), QColor(0xF0, 0xD9, 0xB5));  // a8 is light
        QCOMPARE(m_board->PieceAt(4), Piece::WhiteKing);
        QCOMPARE(m_window->game().MoveCount, 0);

        const QObjectList order = m_window->children();
        const auto index = [&](QObject *o) { return order.indexOf(o); };
        QVERIFY(index(m_window->optionsDialog()) < index(m_window->promotionDialog()));
        QVERIFY(index(m_window->promotionDialog()) < index(m_window->waitWindow()));
        QCOMPARE(m_window->promotionDialog()->windowTitle(), QString("Promotion piece"));
        QCOMPARE(m_window->promotionDialog()->findChild<TRadioGroup *>("EditPromotion")->itemIndex(), 0);
    }

    void confirmedOptionsRepaintTheSquares()
    {
        WhenModal([](QWidget *modal) {
            modal->findChild<TColorBox *>("ColorBox2")->setSelected(QColor(0x40, 0x80, 0x40));
            QTest::mouseClick(modal->findChild<QPushButton *>("OKBtn"), Qt::LeftButton);
        });
        m_window->Options1Click();
        QCOMPARE(m_board->DarkSquareColor(), QColor(0x40, 0x80, 0x40));
        QCOMPARE(m_board->canvas().pixelColor(S + 1, 1), QColor(0x40, 0x80, 0x40));  // b8 is dark
    }

    void aDraggedMoveEntersTheGame()
    {
        const QImage pawn = squareImage(14);
        drag(14, 34);
        const GameRecord &game = m_window->game();
        QCOMPARE(game.MoveCount, 1);
        QCOMPARE(game.CurrentPly, 1);
        QCOMPARE(game.Moves[1].From, Square(14));
        QCOMPARE(game.Moves[1].To, Square(34));
        QCOMPARE(m_board->PieceAt(34), Piece::WhitePawn);
        QCOMPARE(m_board->PieceAt(14), Piece::Empty);
        QVERIFY(squareImage(34) != squareImage(44));  // the pawn shows on e4
        QCOMPARE(squareImage(24), squareImage(44).copy());  // e3 and e5 are both empty light squares

        // Black answers with the board turned.
        m_board->setWhiteIsAtBottom(false);
        drag(64, 44);
        QCOMPARE(game.MoveCount, 2);
        QCOMPARE(game.Moves[2].To, Square(44));
        QVERIFY(squareImage(14) != pawn);
    }

    void anIllegalDropPutsThePieceBack()
    {
        const QImage before = squareImage(14);
        drag(14, 44);
        QCOMPARE(m_window->game().MoveCount, 0);
        QCOMPARE(m_board->PieceAt(14), Piece::WhitePawn);
        QCOMPARE(squareImage(14), before);
        drag(64, 44);  // Black's pawn while White is to move
        QCOMPARE(m_window->game().MoveCount, 0);
        QVERIFY(m_prompts->messages.isEmpty());
    }

    void promotionAsksAndKeepsTheLastChoice()
    {
        setUp("7k/1P6/8/8/8/8/6p1/K7 w - -");
        choosePromotion("Knight");
        drag(61, 71);
        QCOMPARE(m_window->game().Moves[1].Promotion, Piece::WhiteKnight);
        QCOMPARE(m_board->PieceAt(71), Piece::WhiteKnight);

        // Closed without a click: the knight stays chosen.
        WhenModal([](QWidget *modal) { static_cast<QDialog *>(modal)->reject(); });
        drag(16, 6);
        QCOMPARE(m_window->game().Moves[2].Promotion, Piece::BlackKnight);
        QCOMPARE(m_board->PieceAt(6), Piece::BlackKnight);

        // Taking both back puts the pawns where they came from.
        m_window->ReverseMove(m_window->game().Moves[2]);
        m_window->game().CurrentPly = 1;
        m_window->ReverseMove(m_window->game().Moves[1]);
        m_window->game().CurrentPly = 0;
        QCOMPARE(m_board->PieceAt(61), Piece::WhitePawn);
        QCOMPARE(m_board->PieceAt(16), Piece::BlackPawn);
        QCOMPARE(m_board->PieceAt(71), Piece::Empty);
    }

    void castlingThroughCheckIsTakenBackOnTheBoard()
    {
        setUp("4kr2/8/8/8/8/8/8/R3K2R w KQ -");
        const QImage king = squareImage(4);
        drag(4, 6);
        QCOMPARE(m_window->game().MoveCount, 0);
        QCOMPARE(m_board->PieceAt(4), Piece::WhiteKing);
        QCOMPARE(m_board->PieceAt(7), Piece::WhiteRook);
        QCOMPARE(m_board->PieceAt(5), Piece::Empty);
        QCOMPARE(squareImage(4), king);
        drag(4, 2);
        QCOMPARE(m_window->game().MoveCount, 1);
        QCOMPARE(m_board->PieceAt(3), Piece::WhiteRook);
    }

    void replayingAGameAsLoadingDoes()
    {
        drag(14, 34);
        drag(64, 44);
        drag(6, 25);
        GameRecord &game = m_window->game();
        const PackedPosition after = m_board->Position().Packed();
        m_board->Position().SetStartPosition();
        for (int j = 1; j <= game.MoveCount; ++j) {
            game.CurrentPly = std::uint16_t(j);
            QVERIFY(m_window->DoMove(game.Moves[j]));
        }
        m_board->Redraw();
        QCOMPARE(m_board->Position().Packed(), after);
        QCOMPARE(game.CurrentPly, 3);

        const QString dir = qEnvironmentVariable("QUORVAL_SCREENSHOT_DIR");
        if (!dir.isEmpty()) {
            QVERIFY(m_board->grab().save(dir + "/board-after-moves-white.png"));
            m_board->setWhiteIsAtBottom(false);
            QVERIFY(m_board->grab().save(dir + "/board-after-moves-black.png"));
        }
    }
};

QTEST_MAIN(TestBoardWindow)
#include "tst_board_window.moc"
