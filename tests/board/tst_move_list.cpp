#include "board/figurines.h"
#include "board/game_navigator.h"
#include "board/move_list.h"
#include "board/rich_view.h"
#include "chess/move_text.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>
#include <QScrollBar>
#include <QToolButton>

#include <memory>
#include <vector>

namespace {

// A real game: figurines, captures, castling on both sides, checks.
const char *const GameMoves[] = {
    "e4", "d5", "Nf3", "Nf6", "exd5", "Nxd5", "Bc4", "e6", "O-O", "Be7", "d4", "O-O", "c3", "b6",
    "Qe2", "Bb7", "Re1", "Nd7", "Nbd2", "c5", "Ne4", "cxd4", "cxd4", "Rc8", "Bd3", "N7f6", "Nxf6+",
    "Bxf6", "Be4", "Qd6", "Bd2", "Rfd8", "Rac1", "h6", "Rxc8", "Rxc8", "Rc1", "Rxc1+", "Bxc1", "Qb4"};

// The game as the loader builds it, and the squares after every ply as the
// move library saw them.
struct LoadedGame {
    GameRecord Record;
    std::vector<TChessPosition> After;
};

LoadedGame LoadGame(int plies)
{
    LoadedGame g;
    ResetMoveLibrary();
    TChessPosition position;
    g.After.push_back(position);
    for (int p = 1; p <= plies; ++p) {
        position.SetWhiteToMove(p % 2 == 1);
        g.Record.Moves[p] = ApplySanMove(position, "", GameMoves[p - 1]);
        g.After.push_back(position);
    }
    g.Record.MoveCount = std::uint16_t(plies);
    g.Record.CurrentPly = std::uint16_t(plies);
    return g;
}

bool SameSquares(const TChessPosition &a, const TChessPosition &b)
{
    for (int rank = 0; rank < 8; ++rank)
        for (int file = 0; file < 8; ++file)
            if (a.GetPiece(MakeSquare(rank, file)) != b.GetPiece(MakeSquare(rank, file)))
                return false;
    return true;
}

XfccGame ServerGame()
{
    XfccGame x;
    x.white = "Smith";
    x.black = "Jones";
    x.whiteElo = 2410;
    x.blackElo = 2385;
    x.site = "Test server";
    x.event = "Autumn cup";
    x.eventDate = "2026.09.01";
    x.result = Result(ResultValues::Ongoing);
    return x;
}

// All text of the view's paragraphs.
QStringList Paragraphs(const TRichView &view)
{
    QStringList lines;
    for (QTextBlock b = view.document()->begin(); b.isValid(); b = b.next())
        lines << b.text();
    return lines;
}

// The item just after jump number jump.
int After(const TRichView &view, int jump, int offset = 1) { return view.ItemOfJump(jump) + offset; }

} // namespace

class TestMoveList : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void figurinePictures();
    void gameWithoutMoves();
    void noActiveGame();
    void figurineNotationOnAndOff();
    void commentsAndMessages();
    void notesAndMissingElo();
    void wrapsToTheViewsWidth_data();
    void wrapsToTheViewsWidth();
    void lastHighlightsWithoutScrolling();
    void clickOnFirstMoveTellsEngineOnce();
    void buttonsKeepBoardEqualToRecord();
    void setUpGameStartsFromItsPosition();
    void highlightAndRuleArePainted();

private:
    void build();

    LoadedGame m_game;
    XfccGame m_server;
    MoveListContent m_content;
    std::unique_ptr<TRichView> m_view;
    std::unique_ptr<TMoveList> m_list;
};

void TestMoveList::init()
{
    m_game = LoadGame(40);
    m_server = ServerGame();
    m_content = MoveListContent{};
    m_content.Game = &m_game.Record;
    m_content.CurrentGame = &m_server;
    m_content.ServerMoveCount = m_game.Record.MoveCount;
    m_view = std::make_unique<TRichView>();
    m_view->resize(320, 160);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    m_list = std::make_unique<TMoveList>(m_view.get());
}

void TestMoveList::build()
{
    m_list->UpdateMoveList(m_content);
    m_list->HighlightCurrentMove();
}

void TestMoveList::figurinePictures()
{
    const QList<QImage> white = DrawFigurines(true), black = DrawFigurines(false);
    QCOMPARE(white.size(), 5);
    QCOMPARE(black.size(), 5);
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(white[i].size(), QSize(18, 18));
        int light = 0, dark = 0, blackLight = 0, blackDark = 0;
        for (int y = 0; y < 18; ++y)
            for (int x = 0; x < 18; ++x) {
                const QColor w = white[i].pixelColor(x, y), b = black[i].pixelColor(x, y);
                light += w.alpha() == 255 && w.lightness() > 200;
                dark += w.alpha() == 255 && w.lightness() < 60;
                blackLight += b.alpha() == 255 && b.lightness() > 200;
                blackDark += b.alpha() == 255 && b.lightness() < 60;
            }
        QVERIFY2(light > 5 && dark > 5, qPrintable(QString::number(i)));  // white body, black outline
        QCOMPARE(blackLight, 0);
        QVERIFY(blackDark > light);
        QVERIFY(white[i] != white[(i + 1) % 5]);
    }
}

void TestMoveList::gameWithoutMoves()
{
    m_game = LoadGame(0);
    build();
    QCOMPARE(Paragraphs(*m_view), QStringList({"Smith (2410) - Jones (2385)", "Test server", "Autumn cup (2026.09.01)",
                                             "", " *"}));
    QCOMPARE(m_view->JumpCount(), 0);
    QCOMPARE(m_view->ItemStyle(3), -1);  // the rule

    TGameNavigator navigator(m_game.Record);
    QSignalSpy board(&navigator, &TGameNavigator::BoardChanged);
    QSignalSpy current(&navigator, &TGameNavigator::CurrentMoveChanged);
    navigator.First();
    navigator.Last();
    navigator.Previous();
    navigator.Next();
    navigator.GoToJump(0);
    QCOMPARE(m_game.Record.CurrentPly, 0);
    QCOMPARE(board.count(), 0);
    QCOMPARE(current.count(), 0);
}

void TestMoveList::noActiveGame()
{
    m_content.CurrentGame = nullptr;
    build();
    QCOMPARE(Paragraphs(*m_view), QStringList({"NO ACTIVE GAME", ""}));
    QCOMPARE(m_view->ItemCount(), 2);
    QCOMPARE(m_view->ItemStyle(0), int(TRichView::BigNormal));
    QCOMPARE(m_view->JumpCount(), 0);
}

void TestMoveList::figurineNotationOnAndOff()
{
    build();
    QCOMPARE(m_view->JumpCount(), 40);
    // White's second move: the number, the knight figurine and "f3".
    QCOMPARE(m_view->ItemText(After(*m_view, 2, -2)), QString("2. "));
    QCOMPARE(m_view->ItemStyle(After(*m_view, 2, -1)), -1);
    QCOMPARE(m_view->ItemText(m_view->ItemOfJump(2)), QString("f3"));
    QCOMPARE(m_view->ItemStyle(m_view->ItemOfJump(2)), int(TRichView::Moves));
    // Black's knight has its figurine and no number.
    QCOMPARE(m_view->ItemText(After(*m_view, 3, -2)), QString(" "));
    QCOMPARE(m_view->ItemText(m_view->ItemOfJump(3)), QString("f6"));
    QCOMPARE(m_view->ItemText(m_view->ItemOfJump(4)), QString("exd5"));
    QCOMPARE(m_view->ItemText(m_view->ItemOfJump(8)), QString("O-O"));
    QCOMPARE(m_view->ItemText(After(*m_view, 8, -1)), QString("5. "));
    QVERIFY(Paragraphs(*m_view).contains(QString::fromUtf8("1. e4 d5 2. \uFFFCf3 \uFFFCf6 3. exd5 \uFFFCxd5 ")
                                       + QString::fromUtf8("4. \uFFFCc4 e6 5. O-O \uFFFCe7 ") + "6. d4 O-O 7. c3 b6 "
                                       + QString::fromUtf8("8. \uFFFCe2 \uFFFCb7 9. \uFFFCe1 \uFFFCd7 10. \uFFFCbd2 c5 ")
                                       + QString::fromUtf8("11. \uFFFCe4 cxd4 12. cxd4 \uFFFCc8 13. \uFFFCd3 \uFFFC7f6 ")
                                       + QString::fromUtf8("14. \uFFFCxf6+ \uFFFCxf6 15. \uFFFCe4 \uFFFCd6 16. \uFFFCd2 \uFFFCfd8 ")
                                       + QString::fromUtf8("17. \uFFFCac1 h6 18. \uFFFCxc8 \uFFFCxc8 19. \uFFFCc1 \uFFFCxc1+ ")
                                       + QString::fromUtf8("20. \uFFFCxc1 \uFFFCb4  *")));

    m_content.UseFigurineNotation = false;
    build();
    QCOMPARE(m_view->ItemText(m_view->ItemOfJump(2)), QString("Nf3"));
    QCOMPARE(m_view->ItemText(After(*m_view, 2, -1)), QString("2. "));
    QCOMPARE(m_view->ItemText(m_view->ItemOfJump(4)), QString("exd5"));
    QCOMPARE(m_view->ItemText(m_view->ItemOfJump(8)), QString("O-O"));
    QCOMPARE(m_view->ItemText(m_view->ItemOfJump(11)), QString("O-O"));
}

void TestMoveList::commentsAndMessages()
{
    m_server.message = "Good luck";
    m_content.GameComments = {"7,first note", "17,old", "7,main line", "70,nothing"};
    build();
    QCOMPARE(m_view->ItemText(After(*m_view, 6)), QString(" main line "));
    QCOMPARE(m_view->ItemStyle(After(*m_view, 6)), int(TRichView::Comments));
    QCOMPARE(m_view->ItemText(After(*m_view, 16)), QString(" old "));
    // The opponent's message follows the last server move, and closes the text.
    QCOMPARE(m_view->ItemText(After(*m_view, 39)), QString(" Good luck "));
    QCOMPARE(Paragraphs(*m_view).last(), QString("Opp. Message: \"Good luck\""));
    QCOMPARE(m_view->ItemStyle(m_view->ItemCount() - 1), int(TRichView::SmallText));

    m_content.ShowComments = false;
    build();
    QCOMPARE(m_view->ItemText(After(*m_view, 6)), QString(" "));
    QCOMPARE(m_view->ItemStyle(After(*m_view, 6)), int(TRichView::BigNormal));

    // Comments on but none stored: the message is shown only at the end.
    m_content.ShowComments = true;
    m_content.GameComments.clear();
    build();
    for (int i = 0; i < m_view->ItemCount(); ++i)
        QVERIFY(m_view->ItemStyle(i) != TRichView::Comments);
    QCOMPARE(Paragraphs(*m_view).last(), QString("Opp. Message: \"Good luck\""));
}

void TestMoveList::notesAndMissingElo()
{
    m_server.whiteElo = 0;
    m_server.myTurn = true;
    m_server.result = Result(ResultValues::Draw);
    m_server.serverInfo = "Holiday until Monday";
    m_content.DrawOffered = true;
    build();
    const QStringList lines = Paragraphs(*m_view);
    QCOMPARE(lines.first(), QString("Smith  - Jones (2385)"));
    QVERIFY(lines[4].endsWith(" 1/2-1/2"));
    QCOMPARE(lines.mid(5), QStringList({"", " Your opponent offered a draw!", "", "Server info: \"Holiday until Monday\""}));
    QCOMPARE(m_view->ItemStyle(m_view->ItemCount() - 2), int(TRichView::Warning));

    m_server.myTurn = false;
    m_server.blackElo = 0;
    build();
    QCOMPARE(Paragraphs(*m_view).first(), QString("Smith  - Jones "));
    QCOMPARE(Paragraphs(*m_view)[6], QString(" You offered a draw"));
}

void TestMoveList::wrapsToTheViewsWidth_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("narrow") << 120;
    QTest::newRow("as built") << 320;
    QTest::newRow("wide") << 900;
}

void TestMoveList::wrapsToTheViewsWidth()
{
    QFETCH(int, width);
    build();
    m_view->resize(width, 160);
    QTRY_COMPARE(m_view->width(), width);
    QApplication::processEvents();
    QVERIFY(!m_view->horizontalScrollBar()->isVisible());
    QCOMPARE(m_view->horizontalScrollBar()->maximum(), 0);
    // Every line of the moves fits the view, and no move is cut.
    QTextBlock moves = m_view->document()->begin();
    for (QTextBlock b = moves; b.isValid(); b = b.next())
        if (b.length() > moves.length())
            moves = b;
    QVERIFY(moves.text().contains(QStringLiteral("20. ")));
    QVERIFY(moves.layout()->lineCount() > (width < 900 ? 2 : 0));
    for (int i = 0; i < moves.layout()->lineCount(); ++i)
        QVERIFY2(moves.layout()->lineAt(i).naturalTextWidth() <= m_view->viewport()->width(),
                 qPrintable(QString::number(i)));
    QVERIFY(m_view->document()->idealWidth() <= m_view->viewport()->width());
}

void TestMoveList::lastHighlightsWithoutScrolling()
{
    m_game.Record.CurrentPly = 10;
    build();
    TGameNavigator navigator(m_game.Record);
    connect(&navigator, &TGameNavigator::CurrentMoveChanged, m_list.get(), &TMoveList::HighlightCurrentMove);
    QVERIFY(m_view->JumpPosition(39) > m_view->height());  // the list is longer than the view
    // The whole text is laid out already: laying it out to its end changes
    // no scroll range.
    QScrollBar *bar = m_view->verticalScrollBar();
    const int range = bar->maximum();
    m_view->document()->documentLayout()->blockBoundingRect(m_view->document()->lastBlock());
    QCOMPARE(bar->maximum(), range);
    // Mid-game the next move is scrolled to 20 pixels below the top, as far
    // as the scroll range goes.
    QCOMPARE(m_view->ScrollPosition(), qBound(0, m_view->JumpPosition(10) - 20, bar->maximum()));
    QCOMPARE(m_view->ItemStyle(m_view->ItemOfJump(9)), int(TRichView::Keywords));

    const int scrolled = m_view->ScrollPosition();
    m_view->ScrollTo(m_view->verticalScrollBar()->maximum() / 2);
    const int before = m_view->ScrollPosition();
    QVERIFY(before != scrolled);
    navigator.Last();
    QCOMPARE(m_game.Record.CurrentPly, m_game.Record.MoveCount);
    QCOMPARE(m_view->ItemStyle(m_view->ItemOfJump(39)), int(TRichView::Keywords));
    QCOMPARE(m_view->ItemStyle(m_view->ItemOfJump(9)), int(TRichView::Moves));
    QCOMPARE(m_view->ScrollPosition(), before);
    int highlighted = 0;
    for (int i = 0; i < m_view->ItemCount(); ++i)
        highlighted += m_view->ItemStyle(i) == TRichView::Keywords;
    QCOMPARE(highlighted, 1);
}

void TestMoveList::clickOnFirstMoveTellsEngineOnce()
{
    build();
    TGameNavigator navigator(m_game.Record);
    connect(m_view.get(), &TRichView::Jump, &navigator, &TGameNavigator::GoToJump);
    connect(&navigator, &TGameNavigator::CurrentMoveChanged, m_list.get(), &TMoveList::HighlightCurrentMove);
    QSignalSpy engine(&navigator, &TGameNavigator::CurrentMoveChanged);
    QSignalSpy board(&navigator, &TGameNavigator::BoardChanged);

    // The middle of the first move where the view shows it now.
    const auto onE4 = [&] {
        QTextCursor c(m_view->document());
        c.setPosition(m_view->document()->find("e4").position() - 1);
        return m_view->cursorRect(c).center();
    };
    m_view->ScrollToTop();
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, onE4());

    QCOMPARE(m_game.Record.CurrentPly, 1);
    QCOMPARE(engine.count(), 1);
    QCOMPARE(board.count(), 39);
    QVERIFY(SameSquares(board.last().first().value<TChessPosition>(), m_game.After[1]));
    QCOMPARE(m_view->ItemStyle(m_view->ItemOfJump(0)), int(TRichView::Keywords));

    // Hovering a move paints it in the highlight-text colour on button face;
    // leaving it restores its style.
    QTextCursor e6(m_view->document());
    e6.setPosition(m_view->document()->find("e6").selectionStart());
    const QPoint onE6 = m_view->cursorRect(e6).center() + QPoint(4, 0);
    e6.movePosition(QTextCursor::NextCharacter);
    const auto moveTo = [&](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, m_view->viewport()->mapToGlobal(at), Qt::NoButton, {}, {});
        QApplication::sendEvent(m_view->viewport(), &move);
    };
    moveTo(onE6);
    QCOMPARE(e6.charFormat().foreground().color(), m_view->palette().color(QPalette::HighlightedText));
    QCOMPARE(e6.charFormat().background().color(), m_view->palette().color(QPalette::Button));
    moveTo(QPoint(m_view->viewport()->width() - 2, 2));
    QCOMPARE(e6.charFormat().foreground().color(), QColor(Qt::black));

    // A click on the current move changes nothing.
    m_view->ScrollToTop();
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, {}, onE4());
    QCOMPARE(m_game.Record.CurrentPly, 1);
    QCOMPARE(engine.count(), 1);
    QCOMPARE(board.count(), 39);

    // Forward to ply 6 in one jump: once again.
    navigator.GoToJump(5);
    QCOMPARE(m_game.Record.CurrentPly, 6);
    QCOMPARE(engine.count(), 2);
    // A jump number beyond the game does nothing.
    navigator.GoToJump(40);
    navigator.GoToJump(-1);
    QCOMPARE(m_game.Record.CurrentPly, 6);
    QCOMPARE(engine.count(), 2);
}

void TestMoveList::buttonsKeepBoardEqualToRecord()
{
    build();
    TGameNavigator navigator(m_game.Record);
    TChessPosition shown = navigator.Position();
    connect(&navigator, &TGameNavigator::BoardChanged, this, [&](const TChessPosition &p) { shown = p; });
    connect(&navigator, &TGameNavigator::CurrentMoveChanged, m_list.get(), &TMoveList::HighlightCurrentMove);
    connect(&navigator, &TGameNavigator::ScrollToTop, m_list.get(), &TMoveList::ScrollToTop);
    QSignalSpy engine(&navigator, &TGameNavigator::CurrentMoveChanged);
    QToolButton first, previous, next, last;
    connect(&first, &QToolButton::clicked, &navigator, &TGameNavigator::First);
    connect(&previous, &QToolButton::clicked, &navigator, &TGameNavigator::Previous);
    connect(&next, &QToolButton::clicked, &navigator, &TGameNavigator::Next);
    connect(&last, &QToolButton::clicked, &navigator, &TGameNavigator::Last);

    const auto check = [&](int ply) {
        QCOMPARE(int(m_game.Record.CurrentPly), ply);
        QVERIFY2(SameSquares(shown, m_game.After[ply]), qPrintable(QString::number(ply)));
        if (ply > 0)
            QCOMPARE(m_view->ItemStyle(m_view->ItemOfJump(ply - 1)), int(TRichView::Keywords));
    };
    QTest::mouseClick(&first, Qt::LeftButton);
    check(0);
    QCOMPARE(m_view->ScrollPosition(), 0);
    QCOMPARE(engine.count(), 1);
    for (int ply = 1; ply <= 40; ++ply) {
        QTest::mouseClick(&next, Qt::LeftButton);
        check(ply);
    }
    QTest::mouseClick(&next, Qt::LeftButton);  // past the end
    check(40);
    QCOMPARE(engine.count(), 41);
    for (int ply = 39; ply >= 0; --ply) {
        QTest::mouseClick(&previous, Qt::LeftButton);
        check(ply);
    }
    QTest::mouseClick(&last, Qt::LeftButton);
    check(40);
    QCOMPARE(engine.count(), 82);
    // Side to move and castling rights follow the game.
    QVERIFY(shown.WhiteToMove());
    QVERIFY(!shown.CastleWhiteShort() && !shown.CastleBlackShort());
    const TChessPosition start = PositionAfterPly(m_game.Record, 0);
    QVERIFY(start.WhiteToMove() && start.CastleWhiteLong() && start.CastleBlackLong());
}

void TestMoveList::setUpGameStartsFromItsPosition()
{
    GameRecord g;
    g.Setup = true;
    g.SetupFEN = "4k3/8/8/8/8/8/4P3/4K2R w K - 0 1";
    ResetMoveLibrary();
    TChessPosition position;
    PackedPosition packed;
    QVERIFY(position.FromFEN(g.SetupFEN.view(), packed));
    g.Moves[1] = ApplySanMove(position, g.SetupFEN.view(), "O-O");
    g.MoveCount = 1;
    const TChessPosition after = PositionAfterPly(g, 1);
    QCOMPARE(after.GetPiece(6), Piece::WhiteKing);
    QCOMPARE(after.GetPiece(5), Piece::WhiteRook);
    QCOMPARE(after.GetPiece(7), Piece::Empty);
    QCOMPARE(after.GetPiece(14), Piece::WhitePawn);
    QVERIFY(SameSquares(after, position));

    // A set-up text that places the pieces but lacks later fields, as the
    // PGN reader keeps a bare placement, still gives its board.
    g.SetupFEN = "4k3/8/8/8/8/8/4P3/4K2R w";
    ResetMoveLibrary();
    TChessPosition bare;
    QVERIFY(!bare.FromFEN(g.SetupFEN.view(), packed));
    g.Moves[1] = ApplySanMove(bare, g.SetupFEN.view(), "Kf1");
    const TChessPosition afterBare = PositionAfterPly(g, 1);
    QCOMPARE(afterBare.GetPiece(5), Piece::WhiteKing);
    QCOMPARE(afterBare.GetPiece(14), Piece::WhitePawn);
    QVERIFY(SameSquares(afterBare, bare));
}

void TestMoveList::highlightAndRuleArePainted()
{
    m_server.message = "Your move, I think";
    m_content.GameComments = {"21,the knight heads for the king side"};
    m_view->resize(360, 300);
    m_game.Record.CurrentPly = 21;
    build();
    QTest::qWait(50);
    const QImage shot = m_view->viewport()->grab().toImage();
    if (const QString dir = qEnvironmentVariable("QUORVAL_SCREENSHOT_DIR"); !dir.isEmpty())
        shot.save(dir + "/move_list.png");
    int blue = 0, face = 0;
    const QColor buttonFace = m_view->palette().color(QPalette::Button);
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            blue += shot.pixelColor(x, y) == QColor(Qt::blue);
            face += shot.pixelColor(x, y) == buttonFace;
        }
    QVERIFY2(blue > 100, qPrintable(QString::number(blue)));  // the current move's background
    QVERIFY(face > shot.width() * shot.height() / 2);

    // The rule is one pixel high: one line across the view under the header.
    m_view->ScrollToTop();
    QTest::qWait(20);
    const QImage top = m_view->viewport()->grab().toImage();
    const QTextBlock ruleBlock = m_view->document()->findBlockByNumber(3);
    const QRectF ruleBox = m_view->document()->documentLayout()->blockBoundingRect(ruleBlock);
    int ruleRows = 0;
    for (int y = int(ruleBox.top()); y <= int(ruleBox.bottom()) + 2 && y < top.height(); ++y)
        ruleRows += top.pixelColor(top.width() / 2, y) != buttonFace;
    QCOMPARE(ruleRows, 1);
}

QTEST_MAIN(TestMoveList)
#include "tst_move_list.moc"
