#include "app/color_box.h"
#include "app/options_dialog.h"
#include "app/quorval_main.h"
#include "board/chess_diagram_2d.h"
#include "board/promotion_dialog.h"
#include "recording_prompts.h"
#include "when_modal.h"
#include "ui/radiogroup.h"
#include "ui/waitwindow.h"

#include <QCheckBox>
#include <QPushButton>
#include <QSettings>
#include <QSplitter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

class TestBoardWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TRecordingPrompts> m_prompts;
    std::unique_ptr<QTemporaryDir> m_store;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TQuorvalMain> m_window;
    TChessDiagram2D *m_board = nullptr;

    static constexpr int S = TChessDiagram2D::S;

    QPoint centre(Square q) const { return m_board->squareCentre(q); }
    void drag(Square from, Square to)
    {
        QTest::mousePress(m_board, Qt::LeftButton, {}, centre(from));
        QTest::mouseMove(m_board, centre(to));
        QTest::mouseRelease(m_board, Qt::LeftButton, {}, centre(to));
    }
    QImage squareImage(Square q) const { return m_board->squareImage(q); }
    // The square's ground at its top middle, above any piece.
    QColor groundOf(Square q) const
    {
        return squareImage(q).pixelColor(m_board->deviceSquareSide() / 2, m_board->deviceSquareSide() / 25);
    }
    void makeWindow()
    {
        m_window = std::make_unique<TQuorvalMain>(TProgramContext::forFolder(m_dir->path()));
        m_window->createDialogs();
        m_board = m_window->findChild<TChessDiagram2D *>("diagram");
        QVERIFY(m_board);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }
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
            QTest::mouseClick(modal->findChild<QPushButton *>("okButton"), Qt::LeftButton);
        });
    }

private Q_SLOTS:
    void initTestCase()
    {
        // The window's placement goes to a store of this run only.
        m_store = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_store->path());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_store->path());
    }
    void init()
    {
        m_prompts = std::make_unique<TRecordingPrompts>();
        m_dir = std::make_unique<QTemporaryDir>();
        QFile ini(m_dir->filePath("quorval.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[SETUP]\r\nLIGHT_SQUARES_COLOR=11917808\r\nDARK_SQUARES_COLOR=6523061\r\n");
        ini.close();
        makeWindow();
    }
    void cleanup()
    {
        m_window.reset();
        m_prompts.reset();
        QSettings().clear();
    }

    void theBoardGrowsWithTheWindow_data()
    {
        QTest::addColumn<QSize>("windowSize");
        QTest::addColumn<bool>("grows");
        QTest::newRow("the first size") << QSize(767, 547) << false;
        QTest::newRow("a large window") << QSize(1400, 1000) << true;
        QTest::newRow("smaller than the board needs") << QSize(400, 300) << false;
    }
    void theBoardGrowsWithTheWindow()
    {
        QFETCH(QSize, windowSize);
        QFETCH(bool, grows);
        m_window->resize(windowSize);
        QTRY_COMPARE(m_window->size(), m_window->size().expandedTo(m_window->minimumSizeHint()));
        QCoreApplication::processEvents();
        const QRect board = m_board->geometry();
        const QSize pane = m_window->boardPanel()->size();
        QCOMPARE(board.width(), board.height());
        QVERIFY2(board.width() >= 305, qPrintable(QString::number(board.width())));
        QCOMPARE(board.width() > 305, grows);
        QCOMPARE(board.width(), std::max(305, std::min(pane.width() - 12, pane.height() - 16)));
        QVERIFY(QRect(QPoint(), pane).contains(board));
        QCOMPARE(m_board->deviceSquareSide(), int(board.width() * m_board->pixelRatio() / 8));

        // A move entered at this size, with its squares tinted.
        const QColor e2Before = groundOf(14);
        drag(14, 34);
        QCOMPARE(m_window->game().MoveCount, 1);
        QCOMPARE(m_board->PieceAt(34), Piece::WhitePawn);
        QVERIFY(groundOf(14) != e2Before);
        QVERIFY(groundOf(34) != m_board->squareColor(34));
        QCOMPARE(groundOf(24), m_board->squareColor(24));

        // A promotion at this size.
        setUp("7k/1P6/8/8/8/8/8/K7 w - -");
        choosePromotion("Rook");
        drag(61, 71);
        QCOMPARE(m_window->game().MoveCount, 1);
        QCOMPARE(m_window->game().Moves[1].Promotion, Piece::WhiteRook);
        QCOMPARE(m_board->PieceAt(71), Piece::WhiteRook);
        QCOMPARE(m_board->marks(), (BoardMarks{61, 71, 77}));  // the new rook checks along the rank
    }

    void checkAndLastMoveMarksFollowTheOptions()
    {
        setUp("4k3/8/8/8/8/8/8/4K2R w K -");
        drag(7, 77);
        QCOMPARE(m_window->game().MoveCount, 1);
        QCOMPARE(m_board->marks(), (BoardMarks{7, 77, 74}));
        const QColor glow = groundOf(74);
        QVERIFY2(glow.red() > glow.green() + 60, qPrintable(glow.name()));
        QVERIFY(groundOf(7) != m_board->squareColor(7));
        QVERIFY(!squareImage(0).isNull());

        // The options turn each mark off, and the settings keep it.
        WhenModal([](QWidget *modal) {
            for (const char *box : {"coordinatesBox", "lastMoveBox", "kingInCheckBox"}) {
                QCheckBox *check = modal->findChild<QCheckBox *>(box);
                QVERIFY(check && check->isChecked());
                check->setChecked(false);
            }
            QTest::mouseClick(modal->findChild<QPushButton *>("okButton"), Qt::LeftButton);
        });
        m_window->showOptions();
        QVERIFY(!m_window->settings().ShowCoordinates);
        QVERIFY(!m_window->settings().ShowLastMove);
        QVERIFY(!m_window->settings().ShowCheck);
        QCOMPARE(groundOf(74), m_board->squareColor(74));
        QCOMPARE(groundOf(7), m_board->squareColor(7));
        const QImage a1 = squareImage(0);
        for (int y = 0; y < a1.height(); ++y)
            for (int x = 0; x < a1.width(); ++x)
                QCOMPARE(a1.pixelColor(x, y), m_board->squareColor(0));

        // Stepping back to the start leaves nothing to mark.
        m_window->findChild<QToolButton *>("firstMoveButton")->click();
        QCOMPARE(m_board->marks(), BoardMarks{});
    }

    void theSplittersAreKeptWithThePlacement()
    {
        m_window->resize(1200, 900);
        QCoreApplication::processEvents();
        auto *main = m_window->findChild<QSplitter *>("MainSplitter");
        auto *upper = m_window->findChild<QSplitter *>("UpperPanel");
        QVERIFY(main && upper);
        main->setSizes({600, main->height() - 600 - main->handleWidth()});
        upper->setSizes({700, upper->width() - 700 - upper->handleWidth()});
        QCoreApplication::processEvents();
        const QList<int> mainSizes = main->sizes(), upperSizes = upper->sizes();
        const int boardSide = m_board->width();
        QVERIFY2(boardSide > 500, qPrintable(QString::number(boardSide)));

        m_window.reset();  // saves the placement
        makeWindow();
        QCoreApplication::processEvents();
        QCOMPARE(m_window->size(), QSize(1200, 900));
        QCOMPARE(m_window->findChild<QSplitter *>("MainSplitter")->sizes(), mainSizes);
        QCOMPARE(m_window->findChild<QSplitter *>("UpperPanel")->sizes(), upperSizes);
        QCOMPARE(m_board->width(), boardSide);
    }

    void theBoardSitsInItsPanelInTheSettingsColours()
    {
        QCOMPARE(m_board, m_window->diagram());
        QCOMPARE(m_board->parentWidget(), m_window->boardPanel());
        QCOMPARE(m_board->geometry(), QRect(6, 8, 305, 305));
        QVERIFY(m_board->WhiteIsAtBottom());
        QCOMPARE(m_board->LightSquareColor(), QColor(0xF0, 0xD9, 0xB5));
        QCOMPARE(m_board->DarkSquareColor(), QColor(0xB5, 0x88, 0x63));
        QCOMPARE(squareImage(70).pixelColor(1, 1), QColor(0xF0, 0xD9, 0xB5));  // a8 is light
        QCOMPARE(m_board->PieceAt(4), Piece::WhiteKing);
        QCOMPARE(m_window->game().MoveCount, 0);

        const QObjectList order = m_window->children();
        const auto index = [&](QObject *o) { return order.indexOf(o); };
        QVERIFY(index(m_window->optionsDialog()) < index(m_window->promotionDialog()));
        QVERIFY(index(m_window->promotionDialog()) < index(m_window->waitWindow()));
        QCOMPARE(m_window->promotionDialog()->windowTitle(), QString("Promotion piece"));
        QCOMPARE(m_window->promotionDialog()->findChild<TRadioGroup *>("pieceChoice")->itemIndex(), 0);
    }

    void confirmedOptionsRepaintTheSquares()
    {
        WhenModal([](QWidget *modal) {
            modal->findChild<TColorBox *>("darkSquaresColor")->setSelected(QColor(0x40, 0x80, 0x40));
            QTest::mouseClick(modal->findChild<QPushButton *>("okButton"), Qt::LeftButton);
        });
        m_window->showOptions();
        QCOMPARE(m_board->DarkSquareColor(), QColor(0x40, 0x80, 0x40));
        QCOMPARE(squareImage(71).pixelColor(1, 1), QColor(0x40, 0x80, 0x40));  // b8 is dark
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
        m_window->reverseMove(m_window->game().Moves[2]);
        m_window->game().CurrentPly = 1;
        m_window->reverseMove(m_window->game().Moves[1]);
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
            QVERIFY(m_window->doMove(game.Moves[j]));
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
