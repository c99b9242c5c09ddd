#include "board/chess_diagram_2d.h"
#include "recording_prompts.h"

#include <QPaintEvent>
#include <QSignalSpy>
#include <QtTest>

namespace {

constexpr int S = TChessDiagram2D::S;

// Collects the rectangles the widget is asked to repaint.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QWidget *widget) { widget->installEventFilter(this); }
    QRegion painted;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(event)->region();
        return false;
    }
};

} // namespace

class TestChessDiagram : public QObject
{
    Q_OBJECT

    std::unique_ptr<TChessDiagram2D> m_board;

    QPoint centre(Square q) const { return m_board->squareOrigin(q) + QPoint(S / 2, S / 2); }
    void press(QPoint at) { QTest::mousePress(m_board.get(), Qt::LeftButton, {}, at); }
    void moveTo(QPoint at) { QTest::mouseMove(m_board.get(), at); }
    void release(QPoint at) { QTest::mouseRelease(m_board.get(), Qt::LeftButton, {}, at); }
    void drag(Square from, QPoint to)
    {
        press(centre(from));
        moveTo(to);
        release(to);
    }
    MoveRecord dragged() const
    {
        MoveRecord m;
        m_board->GetMove(m);
        return m;
    }
    // The canvas of square q shows only the square's colour.
    bool showsEmpty(Square q) const
    {
        const QImage square = m_board->squareImage(q);
        for (int y = 0; y < square.height(); ++y)
            for (int x = 0; x < square.width(); ++x)
                if (square.pixelColor(x, y) != m_board->squareColor(q))
                    return false;
        return true;
    }
    QImage squareImage(Square q) const { return m_board->squareImage(q); }
    void placeOnly(std::initializer_list<std::pair<PieceCode, Square>> pieces)
    {
        m_board->Position() = TChessPosition();
        for (auto [piece, q] : pieces)
            m_board->Position().SetPiece(piece, q);
        m_board->Redraw();
    }

private Q_SLOTS:
    void init()
    {
        m_board = std::make_unique<TChessDiagram2D>();
        m_board->setLightSquareColor(QColor(0xF0, 0xD9, 0xB5));
        m_board->setDarkSquareColor(QColor(0xB5, 0x88, 0x63));
        m_board->Position().SetStartPosition();
        m_board->Redraw();
        m_board->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_board.get()));
    }
    void cleanup() { m_board.reset(); }

    void constructsAsDescribed()
    {
        QCOMPARE(m_board->size(), QSize(304, 304));
        QCOMPARE(m_board->property("Version").toString(), QString("1.0"));
        QVERIFY(m_board->WhiteIsAtBottom());
        QCOMPARE(m_board->DefaultPromotionPiece(), Piece::WhiteQueen);
        QCOMPARE(dragged().From, Square(0));
        QCOMPARE(dragged().Annotation, 0);
    }

    void squareUnderAPoint_data()
    {
        QTest::addColumn<bool>("whiteAtBottom");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("square");
        QTest::newRow("white: top-left is a8") << true << QPoint(0, 0) << 70;
        QTest::newRow("white: bottom-right is h1") << true << QPoint(303, 303) << 7;
        QTest::newRow("white: e4") << true << QPoint(4 * S + 5, 4 * S + 5) << 34;
        QTest::newRow("white: off the board, bottom left") << true << QPoint(-5, 400) << 0;
        QTest::newRow("white: far off, top right") << true << QPoint(999, -999) << 77;
        QTest::newRow("black: top-left is h1") << false << QPoint(0, 0) << 7;
        QTest::newRow("black: bottom-right is a8") << false << QPoint(303, 303) << 70;
        QTest::newRow("black: e4 seen from Black is d5") << false << QPoint(4 * S + 5, 4 * S + 5) << 43;
        QTest::newRow("black: off the board, bottom left") << false << QPoint(-5, 400) << 77;
    }
    void squareUnderAPoint()
    {
        QFETCH(bool, whiteAtBottom);
        QFETCH(QPoint, point);
        QFETCH(int, square);
        m_board->setWhiteIsAtBottom(whiteAtBottom);
        QCOMPARE(m_board->SquareAt(point.x(), point.y()), square);
        // Every square's own pixels map back to it.
        for (int q : {0, 7, 34, 43, 70, 77})
            QCOMPARE(m_board->SquareAt(centre(Square(q)).x(), centre(Square(q)).y()), q);
    }

    void turningTheBoardReflectsItThroughTheCentre()
    {
        QCOMPARE(m_board->squareOrigin(0), QPoint(0, 7 * S));
        const QImage whiteKingFromWhite = squareImage(4);
        PaintRecorder recorder(m_board.get());
        m_board->setWhiteIsAtBottom(false);
        QTRY_VERIFY(recorder.painted.contains(QRect(0, 0, 8 * S, 8 * S)));
        QCOMPARE(m_board->squareOrigin(0), QPoint(7 * S, 0));
        QCOMPARE(m_board->squareOrigin(4), QPoint(3 * S, 0));
        QCOMPARE(squareImage(4), whiteKingFromWhite);
    }

    void dragRecordsTheMoveAndLeavesThePositionAlone()
    {
        QSignalSpy ups(m_board.get(), &TChessDiagram::mouseUp);
        QSignalSpy downs(m_board.get(), &TChessDiagram::mouseDown);
        drag(14, centre(34));
        QCOMPARE(downs.count(), 1);
        QCOMPARE(ups.count(), 1);
        const MoveRecord m = dragged();
        QCOMPARE(m.From, Square(14));
        QCOMPARE(m.To, Square(34));
        QCOMPARE(m.Promotion, 0);
        QCOMPARE(m.Annotation, 1);
        QCOMPARE(m.Piece, 0);
        QCOMPARE(m_board->PieceAt(14), Piece::WhitePawn);
        QCOMPARE(m_board->PieceAt(34), Piece::Empty);
        // Until the owner redraws, the piece shows nowhere.
        QVERIFY(showsEmpty(14));
        QVERIFY(showsEmpty(34));
        m_board->RedrawSquare(14);
        QVERIFY(!showsEmpty(14));
    }

    void aDragStepRepaintsOnlyTheOldAndNewPlaces()
    {
        PaintRecorder recorder(m_board.get());
        press(centre(14));
        QCoreApplication::processEvents();
        QCOMPARE(recorder.painted, QRegion());  // the screen still shows the piece
        const QPoint next = centre(14) + QPoint(9, -25);
        moveTo(next);
        const QRect old(m_board->squareOrigin(14), QSize(S, S));
        const QRect now(next - QPoint(S / 2, S / 2), QSize(S, S));
        QTRY_VERIFY(!recorder.painted.isEmpty());
        QCOMPARE(recorder.painted.boundingRect(), old | now);
        // The floating piece is on screen at its new place, not on the back buffer's square.
        QVERIFY(showsEmpty(14) == false);
        recorder.painted = QRegion();
        release(next);
        QTRY_VERIFY(!recorder.painted.isEmpty());
        QCOMPARE(recorder.painted.boundingRect(), now);
        QCOMPARE(dragged().To, Square(24));  // the centre went to e3
    }

    // At every size a drag step repaints the piece's old and new places only.
    void aDragStepRepaintsLittleAtEverySize_data()
    {
        QTest::addColumn<int>("side");
        QTest::newRow("305") << 305;
        QTest::newRow("800") << 800;
    }
    void aDragStepRepaintsLittleAtEverySize()
    {
        QFETCH(int, side);
        m_board->resize(side, side);
        QCoreApplication::processEvents();
        const QSize square = m_board->SquareSize();
        PaintRecorder recorder(m_board.get());
        press(m_board->squareCentre(14));
        const QPoint next = m_board->squareCentre(14) + QPoint(square.width() / 4, -square.height() * 2 / 3);
        moveTo(next);
        QTRY_VERIFY(!recorder.painted.isEmpty());
        const QRect old(m_board->squareOrigin(14), square);
        const QRect now(next - QPoint(square.width() / 2, square.height() / 2), square);
        const QRect painted = recorder.painted.boundingRect();
        QVERIFY(painted.contains(old.adjusted(1, 1, -1, -1)));
        QVERIFY2((old | now).adjusted(-1, -1, 1, 1).contains(painted),
                 qPrintable(QString("%1,%2 %3x%4").arg(painted.x()).arg(painted.y()).arg(painted.width()).arg(painted.height())));
        release(next);
        QCOMPARE(dragged().To, Square(24));
    }

    void aDropHalfOffTheBoardLandsOnTheEdgeSquare()
    {
        drag(7, QPoint(8 * S + 15, 7 * S + 30));  // h1 rook, right of the board
        QCOMPARE(dragged().To, Square(7));
        drag(8, QPoint(-15, centre(38).y()));     // a2 pawn, left of a5
        QCOMPARE(dragged().To, Square(38 - 8));
        drag(70, QPoint(centre(70).x(), -30));     // a8 rook, above the board
        QCOMPARE(dragged().To, Square(70));
    }

    void pressAndReleaseOnOneSquare()
    {
        QSignalSpy ups(m_board.get(), &TChessDiagram::mouseUp);
        press(centre(6));
        release(centre(6));
        QCOMPARE(ups.count(), 1);
        QCOMPARE(dragged().From, Square(6));
        QCOMPARE(dragged().To, Square(6));
        QVERIFY(showsEmpty(6));
    }

    void aClickOnAnEmptySquareFiresNoMouseUp()
    {
        QSignalSpy ups(m_board.get(), &TChessDiagram::mouseUp);
        QSignalSpy downs(m_board.get(), &TChessDiagram::mouseDown);
        QTest::mouseClick(m_board.get(), Qt::LeftButton, {}, centre(44));
        QCOMPARE(downs.count(), 1);
        QCOMPARE(ups.count(), 0);
        QVERIFY(!m_board->isDragging());
    }

    void defaultPromotionPieces_data()
    {
        QTest::addColumn<int>("piece");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("defaultPiece");
        QTest::addColumn<int>("promotion");
        QTest::newRow("white pawn to the eighth rank") << 1 << 61 << 71 << 5 << 5;
        QTest::newRow("black pawn to the first rank") << 7 << 16 << 6 << 5 << 11;
        QTest::newRow("white knight chosen") << 1 << 61 << 71 << 2 << 2;
        QTest::newRow("black knight chosen") << 7 << 16 << 6 << 2 << 8;
        QTest::newRow("white pawn dragged to rank 1") << 1 << 11 << 1 << 5 << 0;
        QTest::newRow("black pawn dragged to rank 8") << 7 << 61 << 71 << 5 << 0;
        QTest::newRow("a rook to the eighth rank") << 4 << 61 << 71 << 5 << 0;
    }
    void defaultPromotionPieces()
    {
        QFETCH(int, piece);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, defaultPiece);
        QFETCH(int, promotion);
        placeOnly({{PieceCode(piece), Square(from)}});
        m_board->setDefaultPromotionPiece(PieceCode(defaultPiece));
        drag(Square(from), centre(Square(to)));
        QCOMPARE(dragged().To, Square(to));
        QCOMPARE(int(dragged().Promotion), promotion);
    }

    void draggingWithBlackAtTheBottom()
    {
        m_board->setWhiteIsAtBottom(false);
        const QPoint e7 = centre(64);
        QCOMPARE(e7, QPoint(3 * S + S / 2, 6 * S + S / 2));
        drag(64, centre(44));
        QCOMPARE(dragged().From, Square(64));
        QCOMPARE(dragged().To, Square(44));
    }

    void animationMovesThePieceAndEndsOnTheTarget()
    {
        const QImage knight = squareImage(6);
        MoveRecord m;
        m.From = 6;
        m.To = 25;
        m_board->PlayMove(m);
        QCOMPARE(m_board->PieceAt(6), Piece::Empty);
        QCOMPARE(m_board->PieceAt(25), Piece::WhiteKnight);
        QVERIFY(m_board->isAnimating());
        QTRY_VERIFY(!m_board->isAnimating());
        QVERIFY(showsEmpty(6));
        // f3 is light and g1 dark: compare the piece's pixels only.
        const QImage f3 = squareImage(25);
        int differing = 0;
        for (int y = 0; y < S; ++y)
            for (int x = 0; x < S; ++x)
                differing += (knight.pixelColor(x, y) == m_board->squareColor(6)) !=
                             (f3.pixelColor(x, y) == m_board->squareColor(25));
        QCOMPARE(differing, 0);
        // A press ends a pending animation at once.
        m.From = 25;
        m.To = 6;
        m_board->PlayMove(m);
        press(centre(34));
        QVERIFY(!m_board->isAnimating());
        QVERIFY(!showsEmpty(6));
    }

    void piecesAreDrawnWithTheirMasks()
    {
        placeOnly({{Piece::WhiteKing, 4}, {Piece::BlackKing, 74}, {Piece::WhiteQueen, 3}});
        // A white piece: white body inside a dark outline on the square.
        const QImage king = squareImage(4);
        const int area = king.width() * king.height();
        int white = 0, dark = 0, ground = 0;
        for (int y = 0; y < king.height(); ++y)
            for (int x = 0; x < king.width(); ++x) {
                const QColor c = king.pixelColor(x, y);
                if (c == m_board->squareColor(4)) ++ground;
                else if (c.lightness() > 230) ++white;
                else if (c.lightness() < 60) ++dark;
            }
        QVERIFY2(white > area / 10 && dark > area / 10 && ground > area / 3,
                 qPrintable(QString("white %1 dark %2 ground %3").arg(white).arg(dark).arg(ground)));
        // A black piece: solid dark.
        const QImage blackKing = squareImage(74);
        int blackDark = 0;
        for (int y = 0; y < blackKing.height(); ++y)
            for (int x = 0; x < blackKing.width(); ++x)
                blackDark += blackKing.pixelColor(x, y).lightness() < 60;
        QVERIFY(blackDark > white);
    }

    // With QUORVAL_SCREENSHOT_DIR set, saves the initial position from both
    // sides, for the eye.
    void screenshots()
    {
        const QString dir = qEnvironmentVariable("QUORVAL_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("QUORVAL_SCREENSHOT_DIR not set");
        QVERIFY(m_board->grab().save(dir + "/board-start-white.png"));
        m_board->setWhiteIsAtBottom(false);
        QVERIFY(m_board->grab().save(dir + "/board-start-black.png"));
    }

    // The artwork is the program's own: run with the machine's fonts hidden
    // too (tst_board_without_system_fonts).
    void thePiecesNeedNoFontOfTheMachine()
    {
        TRecordingPrompts prompts;
        QVERIFY(TPiecePictures::defaultFontFile().startsWith(":/"));
        TChessDiagram2D board;
        QVERIFY(prompts.messages.isEmpty());
        const TPiecePictures pictures(TPiecePictures::defaultFontFile(), 80);
        for (int index = 1; index <= TPiecePictures::Count; ++index)
            QVERIFY2(!pictures.picture(index).isNull(), qPrintable(TPiecePictures::resourceName(index)));
        // Every piece's mask covers some of the square and leaves some free.
        for (int index = 13; index <= TPiecePictures::Count; ++index) {
            const QImage mask = pictures.picture(index);
            int covered = 0;
            for (int y = 0; y < mask.height(); ++y)
                for (int x = 0; x < mask.width(); ++x)
                    covered += mask.pixel(x, y) == qRgb(0, 0, 0);
            QVERIFY2(covered > 300 && covered < 80 * 80 / 2, qPrintable(QString::number(covered)));
        }
    }

    // The board takes the widget's room, in whole device pixels per square,
    // and every square still maps to itself under the mouse.
    void theBoardGrowsWithItsWidget_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<bool>("whiteAtBottom");
        QTest::newRow("305 square") << QSize(305, 305) << true;
        QTest::newRow("800 square, Black below") << QSize(800, 800) << false;
        QTest::newRow("wider than high") << QSize(900, 500) << true;
        QTest::newRow("smaller than the least board") << QSize(200, 150) << true;
    }
    void theBoardGrowsWithItsWidget()
    {
        QFETCH(QSize, size);
        QFETCH(bool, whiteAtBottom);
        m_board->resize(size);
        m_board->setWhiteIsAtBottom(whiteAtBottom);
        const qreal ratio = m_board->devicePixelRatioF();
        const int side = int(std::max(std::min(size.width(), size.height()), 8 * S) * ratio / 8);
        QCOMPARE(m_board->pixelRatio(), ratio);
        QCOMPARE(m_board->deviceSquareSide(), side);
        QCOMPARE(m_board->canvas().size(), QSize(8 * side, 8 * side));
        for (int q : {0, 7, 34, 43, 70, 77})
            QCOMPARE(m_board->SquareAt(m_board->squareCentre(Square(q)).x(), m_board->squareCentre(Square(q)).y()), q);
        // The pictures are made for this square: a pawn's picture fills it.
        QVERIFY(!showsEmpty(14));
        QCOMPARE(m_board->squareImage(14).size(), QSize(side, side));

        QSignalSpy ups(m_board.get(), &TChessDiagram::mouseUp);
        const Square from = 14, to = 34;
        press(m_board->squareCentre(from));
        moveTo(m_board->squareCentre(to));
        release(m_board->squareCentre(to));
        QCOMPARE(ups.count(), 1);
        QCOMPARE(dragged().From, from);
        QCOMPARE(dragged().To, to);

        // A drop beyond the lower-left corner lands on the corner square.
        press(m_board->squareCentre(6));
        moveTo(QPoint(-40, 4000));
        release(QPoint(-40, 4000));
        QCOMPARE(dragged().To, Square(whiteAtBottom ? 0 : 77));
    }

    // What the screen shows is the canvas pixel for pixel, whatever the
    // pixel ratio, and the pieces' edges are drawn at that resolution, not
    // blown up from a smaller picture.
    void theScreenShowsTheCanvasOneToOne_data()
    {
        QTest::addColumn<int>("side");
        QTest::newRow("305") << 305;
        QTest::newRow("800") << 800;
    }
    void theScreenShowsTheCanvasOneToOne()
    {
        QFETCH(int, side);
        m_board->resize(side, side);
        const QImage screen = m_board->grab().toImage().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(screen.size(), (QSizeF(m_board->size()) * m_board->pixelRatio()).toSize());
        QImage shown = screen.copy(m_board->canvas().rect());
        shown.setDevicePixelRatio(1);
        QCOMPARE(shown, m_board->canvas());

        const QImage king = m_board->squareImage(4);
        int brokenBlocks = 0;
        for (int y = 0; y + 1 < king.height(); y += 2)
            for (int x = 0; x + 1 < king.width(); x += 2) {
                const QRgb c = king.pixel(x, y);
                brokenBlocks += king.pixel(x + 1, y) != c || king.pixel(x, y + 1) != c || king.pixel(x + 1, y + 1) != c;
            }
        QVERIFY2(brokenBlocks > king.width() / 2, qPrintable(QString::number(brokenBlocks)));
    }

    void theMarksAreDrawnWhenShown_data()
    {
        QTest::addColumn<bool>("coordinates");
        QTest::addColumn<bool>("lastMove");
        QTest::addColumn<bool>("check");
        QTest::newRow("none") << false << false << false;
        QTest::newRow("all") << true << true << true;
        QTest::newRow("coordinates only") << true << false << false;
        QTest::newRow("last move and check") << false << true << true;
    }
    void theMarksAreDrawnWhenShown()
    {
        QFETCH(bool, coordinates);
        QFETCH(bool, lastMove);
        QFETCH(bool, check);
        m_board->resize(480, 480);
        for (int rank = 0; rank < 8; ++rank)
            for (int file = 0; file < 8; ++file)
                m_board->Position().SetPiece(Piece::Empty, MakeSquare(rank, file));
        m_board->Position().SetPiece(Piece::WhiteKing, 4);
        m_board->Position().SetPiece(Piece::BlackKing, 74);
        m_board->Position().SetPiece(Piece::BlackQueen, 44);
        m_board->setShowCoordinates(coordinates);
        m_board->setShowLastMove(lastMove);
        m_board->setShowCheck(check);
        m_board->setMarks(BoardMarks{64, 44, 4});
        m_board->Redraw();
        const int side = m_board->deviceSquareSide();
        const auto ground = [&](Square q, int x, int y) { return m_board->squareImage(q).pixelColor(x, y); };
        // The last move's squares: the empty from-square all over.
        QCOMPARE(ground(64, side / 2, side / 2) != m_board->squareColor(64), lastMove);
        QCOMPARE(ground(44, 1, 1) != m_board->squareColor(44), lastMove);
        QCOMPARE(ground(54, side / 2, side / 2), m_board->squareColor(54));
        // The checked king glows red above its crown.
        const QColor glow = ground(4, side / 2, side / 25);
        QCOMPARE(glow.red() > glow.green() + 60, check);
        QCOMPARE(ground(74, side / 2, side / 25), m_board->squareColor(74));
        // Letters along the bottom, numbers along the left, nothing inside.
        const auto marked = [&](Square q) { return !showsEmpty(q); };
        QCOMPARE(marked(0), coordinates);   // a1: "a" and "1"
        QCOMPARE(marked(7), coordinates);   // h1: "h"
        QCOMPARE(marked(70), coordinates);  // a8: "8"
        QVERIFY(!marked(77));
        QVERIFY(!marked(33));
        if (!coordinates)
            return;
        // Turned for Black: h8 is in the lower-left corner and carries "h".
        const QImage a1Corner = m_board->squareImage(0);
        m_board->setWhiteIsAtBottom(false);
        QVERIFY(marked(77));
        QVERIFY(!marked(0));
        QCOMPARE(m_board->squareColor(77), m_board->squareColor(0));
        QVERIFY(m_board->squareImage(77) != a1Corner);
    }

    // What the main window marks: the squares of the ply shown last and the
    // king of the side to move when it is attacked.
    void theMarksOfAPosition_data()
    {
        QTest::addColumn<QString>("fen");
        QTest::addColumn<int>("shownPly");  // a one-ply game from fen: 0 before it, 1 after it
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::addColumn<int>("expectedFrom");
        QTest::addColumn<int>("expectedTo");
        QTest::addColumn<int>("checkedKing");
        QTest::newRow("before the first move") << "4k3/8/8/8/8/8/4P3/4K3 w - -" << 0 << 14 << 34 << -1 << -1 << -1;
        QTest::newRow("after a quiet move") << "4k3/8/8/8/8/8/4P3/4K3 w - -" << 1 << 14 << 34 << 14 << 34 << -1;
        QTest::newRow("a rook gives check") << "4k3/8/8/8/8/8/8/4K2R w K -" << 1 << 7 << 77 << 7 << 77 << 74;
        QTest::newRow("White in check, to move") << "4k3/8/8/8/8/8/8/r3K3 w - -" << 0 << 0 << 0 << -1 << -1 << 4;
        QTest::newRow("a set-up without the mover's king") << "4k3/8/8/8/8/8/8/r7 w - -" << 0 << 0 << 0 << -1 << -1 << -1;
    }
    void theMarksOfAPosition()
    {
        QFETCH(QString, fen);
        QFETCH(int, shownPly);
        QFETCH(int, from);
        QFETCH(int, to);
        QFETCH(int, expectedFrom);
        QFETCH(int, expectedTo);
        QFETCH(int, checkedKing);
        TChessPosition position;
        PackedPosition packed;
        QVERIFY(position.FromFEN(fen.toStdString(), packed));
        GameRecord game{};
        game.Setup = true;
        game.SetupFEN = fen.toStdString();
        game.StartWhiteToMove = position.WhiteToMove();
        game.Position = packed;
        game.MoveCount = 1;
        game.Moves[1].From = Square(from);
        game.Moves[1].To = Square(to);
        if (shownPly == 1) {
            position.SetPiece(position.GetPiece(Square(from)), Square(to));
            position.SetPiece(Piece::Empty, Square(from));
            position.SetWhiteToMove(!position.WhiteToMove());
        }
        game.CurrentPly = std::uint16_t(shownPly);
        QCOMPARE(MarksOf(game, position), (BoardMarks{expectedFrom, expectedTo, checkedKing}));
    }

    void newMarksRedrawOnlyTheirSquares()
    {
        m_board->setShowLastMove(true);
        m_board->setMarks(BoardMarks{14, 34, -1});
        QVERIFY(!showsEmpty(34));
        PaintRecorder recorder(m_board.get());
        m_board->setMarks(BoardMarks{64, 44, -1});
        QTRY_VERIFY(!recorder.painted.isEmpty());
        for (Square q : {14, 34, 64, 44})
            QVERIFY(recorder.painted.contains(QRect(m_board->squareOrigin(q), m_board->SquareSize())));
        QVERIFY(!recorder.painted.intersects(QRect(m_board->squareOrigin(70), m_board->SquareSize())));
        QVERIFY(showsEmpty(34));
        QVERIFY(!showsEmpty(44));
    }

    void aMissingFontIsReportedOnce()
    {
        TRecordingPrompts prompts;
        TChessDiagram2D board(nullptr, QStringLiteral(":/nonexistent/font.ttf"));
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages.at(0).text, QString("Error loading PIECE1"));
        QCOMPARE(prompts.messages.at(0).icon, TPrompts::Icon::Error);
        QCOMPARE(prompts.messages.at(0).buttons, TPrompts::Buttons(TPrompts::Button::Ok));
        // Growing remakes the pictures without a second box.
        board.resize(600, 600);
        QCOMPARE(prompts.messages.size(), 1);
        // The board still draws its squares.
        board.Position().SetStartPosition();
        board.Redraw();
        QCOMPARE(board.canvas().pixelColor(1, 1), board.LightSquareColor());
    }
};

QTEST_MAIN(TestChessDiagram)
#include "tst_chess_diagram.moc"
