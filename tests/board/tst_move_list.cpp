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
    void Build();

    LoadedGame Game;
    XfccGame Server;
    MoveListContent Content;
    std::unique_ptr<TRichView> View;
    std::unique_ptr<TMoveList> List;
};

void TestMoveList::init()
{
    Game = LoadGame(40);
    Server = ServerGame();
    Content = MoveListContent{};
    Content.Game = &Game.Record;
    Content.CurrentGame = &Server;
    Content.ServerMoveCount = Game.Record.MoveCount;
    View = std::make_unique<TRichView>();
    View->resize(320, 160);
    View->show();
    QVERIFY(QTest::qWaitForWindowExposed(View.get()));
    List = std::make_unique<TMoveList>(View.get());
}

void TestMoveList::Build()
{
    List->UpdateMoveList(Content);
    List->RichViewUpdateCurrentMove();
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
    Game = LoadGame(0);
    Build();
    QCOMPARE(Paragraphs(*View), QStringList({"Smith (2410) - Jones (2385)", "Test server", "Autumn cup (2026.09.01)",
                                             "", " *"}));
    QCOMPARE(View->JumpCount(), 0);
    QCOMPARE(View->ItemStyle(3), -1);  // the rule

    TGameNavigator navigator(Game.Record);
    QSignalSpy board(&navigator, &TGameNavigator::BoardChanged);
    QSignalSpy current(&navigator, &TGameNavigator::CurrentMoveChanged);
    navigator.First();
    navigator.Last();
    navigator.Previous();
    navigator.Next();
    navigator.RichView1Jump(0);
    QCOMPARE(Game.Record.CurrentPly, 0);
    QCOMPARE(board.count(), 0);
    QCOMPARE(current.count(), 0);
}

void TestMoveList::noActiveGame()
{
    Content.CurrentGame = nullptr;
    Build();
    QCOMPARE(Paragraphs(*View), QStringList({"NO ACTIVE GAME", ""}));
    QCOMPARE(View->ItemCount(), 2);
    QCOMPARE(View->ItemStyle(0), int(TRichView::BigNormal));
    QCOMPARE(View->JumpCount(), 0);
}

void TestMoveList::figurineNotationOnAndOff()
{
    Build();
    QCOMPARE(View->JumpCount(), 40);
    // White's second move: the number, the knight figurine and "f3".
    QCOMPARE(View->ItemText(After(*View, 2, -2)), QString("2. "));
    QCOMPARE(View->ItemStyle(After(*View, 2, -1)), -1);
    QCOMPARE(View->ItemText(View->ItemOfJump(2)), QString("f3"));
    QCOMPARE(View->ItemStyle(View->ItemOfJump(2)), int(TRichView::Moves));
    // Black's knight has its figurine and no number.
    QCOMPARE(View->ItemText(After(*View, 3, -2)), QString(" "));
    QCOMPARE(View->ItemText(View->ItemOfJump(3)), QString("f6"));
    QCOMPARE(View->ItemText(View->ItemOfJump(4)), QString("exd5"));
    QCOMPARE(View->ItemText(View->ItemOfJump(8)), QString("O-O"));
    QCOMPARE(View->ItemText(After(*View, 8, -1)), QString("5. "));
    QVERIFY(Paragraphs(*View).contains(QString::fromUtf8("1. e4 d5 2. \uFFFCf3 \uFFFCf6 3. exd5 \uFFFCxd5 ")
                                       + QString::fromUtf8("4. \uFFFCc4 e6 5. O-O \uFFFCe7 ") + "6. d4 O-O 7. c3 b6 "
                                       + QString::fromUtf8("8. \uFFFCe2 \uFFFCb7 9. \uFFFCe1 \uFFFCd7 10. \uFFFCbd2 c5 ")
                                       + QString::fromUtf8("11. \uFFFCe4 cxd4 12. cxd4 \uFFFCc8 13. \uFFFCd3 \uFFFC7f6 ")
                                       + QString::fromUtf8("14. \uFFFCxf6+ \uFFFCxf6 15. \uFFFCe4 \uFFFCd6 16. \uFFFCd2 \uFFFCfd8 ")
                                       + QString::fromUtf8("17. \uFFFCac1 h6 18. \uFFFCxc8 \uFFFCxc8 19. \uFFFCc1 \uFFFCxc1+ ")
                                       + QString::fromUtf8("20. \uFFFCxc1 \uFFFCb4  *")));

    Content.UseFigurineNotation = false;
    Build();
    QCOMPARE(View->ItemText(View->ItemOfJump(2)), QString("Nf3"));
    QCOMPARE(View->ItemText(After(*View, 2, -1)), QString("2. "));
    QCOMPARE(View->ItemText(View->ItemOfJump(4)), QString("exd5"));
    QCOMPARE(View->ItemText(View->ItemOfJump(8)), QString("O-O"));
    QCOMPARE(View->ItemText(View->ItemOfJump(11)), QString("O-O"));
}

void TestMoveList::commentsAndMessages()
{
    Server.message = "Good luck";
    Content.GameComments = {"7,first note", "17,old", "7,main line", "70,nothing"};
    Build();
    QCOMPARE(View->ItemText(After(*View, 6)), QString(" main line "));
    QCOMPARE(View->ItemStyle(After(*View, 6)), int(TRichView::Comments));
    QCOMPARE(View->ItemText(After(*View, 16)), QString(" old "));
    // The opponent's message follows the last server move, and closes the text.
    QCOMPARE(View->ItemText(After(*View, 39)), QString(" Good luck "));
    QCOMPARE(Paragraphs(*View).last(), QString("Opp. Message: \"Good luck\""));
    QCOMPARE(View->ItemStyle(View->ItemCount() - 1), int(TRichView::SmallText));

    Content.ShowComments = false;
    Build();
    QCOMPARE(View->ItemText(After(*View, 6)), QString(" "));
    QCOMPARE(View->ItemStyle(After(*View, 6)), int(TRichView::BigNormal));

    // Comments on but none stored: the message is shown only at the end.
    Content.ShowComments = true;
    Content.GameComments.clear();
    Build();
    for (int i = 0; i < View->ItemCount(); ++i)
        QVERIFY(View->ItemStyle(i) != TRichView::Comments);
    QCOMPARE(Paragraphs(*View).last(), QString("Opp. Message: \"Good luck\""));
}

void TestMoveList::notesAndMissingElo()
{
    Server.whiteElo = 0;
    Server.myTurn = true;
    Server.result = Result(ResultValues::Draw);
    Server.serverInfo = "Holiday until Monday";
    Content.DrawOffered = true;
    Build();
    const QStringList lines = Paragraphs(*View);
    QCOMPARE(lines.first(), QString("Smith  - Jones (2385)"));
    QVERIFY(lines[4].endsWith(" 1/2-1/2"));
    QCOMPARE(lines.mid(5), QStringList({"", " Your opponent offered a draw!", "", "Server info: \"Holiday until Monday\""}));
    QCOMPARE(View->ItemStyle(View->ItemCount() - 2), int(TRichView::Warning));

    Server.myTurn = false;
    Server.blackElo = 0;
    Build();
    QCOMPARE(Paragraphs(*View).first(), QString("Smith  - Jones "));
    QCOMPARE(Paragraphs(*View)[6], QString(" You offered a draw"));
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
    Build();
    View->resize(width, 160);
    QTRY_COMPARE(View->width(), width);
    QApplication::processEvents();
    QVERIFY(!View->horizontalScrollBar()->isVisible());
    QCOMPARE(View->horizontalScrollBar()->maximum(), 0);
    // Every line of the moves fits the view, and no move is cut.
    QTextBlock moves = View->document()->begin();
    for (QTextBlock b = moves; b.isValid(); b = b.next())
        if (b.length() > moves.length())
            moves = b;
    QVERIFY(moves.text().contains(QStringLiteral("20. ")));
    QVERIFY(moves.layout()->lineCount() > (width < 900 ? 2 : 0));
    for (int i = 0; i < moves.layout()->lineCount(); ++i)
        QVERIFY2(moves.layout()->lineAt(i).naturalTextWidth() <= View->viewport()->width(),
                 qPrintable(QString::number(i)));
    QVERIFY(View->document()->idealWidth() <= View->viewport()->width());
}

void TestMoveList::lastHighlightsWithoutScrolling()
{
    Game.Record.CurrentPly = 10;
    Build();
    TGameNavigator navigator(Game.Record);
    connect(&navigator, &TGameNavigator::CurrentMoveChanged, List.get(), &TMoveList::RichViewUpdateCurrentMove);
    QVERIFY(View->JumpPosition(39) > View->height());  // the list is longer than the view
    // The whole text is laid out already: laying it out to its end changes
    // no scroll range.
    QScrollBar *bar = View->verticalScrollBar();
    const int range = bar->maximum();
    View->document()->documentLayout()->blockBoundingRect(View->document()->lastBlock());
    QCOMPARE(bar->maximum(), range);
    // Mid-game the next move is scrolled to 20 pixels below the top, as far
    // as the scroll range goes.
    QCOMPARE(View->ScrollPosition(), qBound(0, View->JumpPosition(10) - 20, bar->maximum()));
    QCOMPARE(View->ItemStyle(View->ItemOfJump(9)), int(TRichView::Keywords));

    const int scrolled = View->ScrollPosition();
    View->ScrollTo(View->verticalScrollBar()->maximum() / 2);
    const int before = View->ScrollPosition();
    QVERIFY(before != scrolled);
    navigator.Last();
    QCOMPARE(Game.Record.CurrentPly, Game.Record.MoveCount);
    QCOMPARE(View->ItemStyle(View->ItemOfJump(39)), int(TRichView::Keywords));
    QCOMPARE(View->ItemStyle(View->ItemOfJump(9)), int(TRichView::Moves));
    QCOMPARE(View->ScrollPosition(), before);
    int highlighted = 0;
    for (int i = 0; i < View->ItemCount(); ++i)
        highlighted += View->ItemStyle(i) == TRichView::Keywords;
    QCOMPARE(highlighted, 1);
}

void TestMoveList::clickOnFirstMoveTellsEngineOnce()
{
    Build();
    TGameNavigator navigator(Game.Record);
    connect(View.get(), &TRichView::Jump, &navigator, &TGameNavigator::RichView1Jump);
    connect(&navigator, &TGameNavigator::CurrentMoveChanged, List.get(), &TMoveList::RichViewUpdateCurrentMove);
    QSignalSpy engine(&navigator, &TGameNavigator::CurrentMoveChanged);
    QSignalSpy board(&navigator, &TGameNavigator::BoardChanged);

    // The middle of the first move where the view shows it now.
    const auto onE4 = [&] {
        QTextCursor c(View->document());
        c.setPosition(View->document()->find("e4").position() - 1);
        return View->cursorRect(c).center();
    };
    View->ScrollToTop();
    QTest::mouseClick(View->viewport(), Qt::LeftButton, {}, onE4());

    QCOMPARE(Game.Record.CurrentPly, 1);
    QCOMPARE(engine.count(), 1);
    QCOMPARE(board.count(), 39);
    QVERIFY(SameSquares(board.last().first().value<TChessPosition>(), Game.After[1]));
    QCOMPARE(View->ItemStyle(View->ItemOfJump(0)), int(TRichView::Keywords));

    // Hovering a move paints it in the highlight-text colour on button face;
    // leaving it restores its style.
    QTextCursor e6(View->document());
    e6.setPosition(View->document()->find("e6").selectionStart());
    const QPoint onE6 = View->cursorRect(e6).center() + QPoint(4, 0);
    e6.movePosition(QTextCursor::NextCharacter);
    const auto moveTo = [&](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, View->viewport()->mapToGlobal(at), Qt::NoButton, {}, {});
        QApplication::sendEvent(View->viewport(), &move);
    };
    moveTo(onE6);
    QCOMPARE(e6.charFormat().foreground().color(), View->palette().color(QPalette::HighlightedText));
    QCOMPARE(e6.charFormat().background().color(), View->palette().color(QPalette::Button));
    moveTo(QPoint(View->viewport()->width() - 2, 2));
    QCOMPARE(e6.charFormat().foreground().color(), QColor(Qt::black));

    // A click on the current move changes nothing.
    View->ScrollToTop();
    QTest::mouseClick(View->viewport(), Qt::LeftButton, {}, onE4());
    QCOMPARE(Game.Record.CurrentPly, 1);
    QCOMPARE(engine.count(), 1);
    QCOMPARE(board.count(), 39);

    // Forward to ply 6 in one jump: once again.
    navigator.RichView1Jump(5);
    QCOMPARE(Game.Record.CurrentPly, 6);
    QCOMPARE(engine.count(), 2);
    // A jump number beyond the game does nothing.
    navigator.RichView1Jump(40);
    navigator.RichView1Jump(-1);
    QCOMPARE(Game.Record.CurrentPly, 6);
    QCOMPARE(engine.count(), 2);
}

void TestMoveList::buttonsKeepBoardEqualToRecord()
{
    Build();
    TGameNavigator navigator(Game.Record);
    TChessPosition shown = navigator.Position();
    connect(&navigator, &TGameNavigator::BoardChanged, this, [&](const TChessPosition &p) { shown = p; });
    connect(&navigator, &TGameNavigator::CurrentMoveChanged, List.get(), &TMoveList::RichViewUpdateCurrentMove);
    connect(&navigator, &TGameNavigator::ScrollToTop, List.get(), &TMoveList::ScrollToTop);
    QSignalSpy engine(&navigator, &TGameNavigator::CurrentMoveChanged);
    QToolButton first, previous, next, last;
    connect(&first, &QToolButton::clicked, &navigator, &TGameNavigator::First);
    connect(&previous, &QToolButton::clicked, &navigator, &TGameNavigator::Previous);
    connect(&next, &QToolButton::clicked, &navigator, &TGameNavigator::Next);
    connect(&last, &QToolButton::clicked, &navigator, &TGameNavigator::Last);

    const auto check = [&](int ply) {
        QCOMPARE(int(Game.Record.CurrentPly), ply);
        QVERIFY2(SameSquares(shown, Game.After[ply]), qPrintable(QString::number(ply)));
        if (ply > 0)
            QCOMPARE(View->ItemStyle(View->ItemOfJump(ply - 1)), int(TRichView::Keywords));
    };
    QTest::mouseClick(&first, Qt::LeftButton);
    check(0);
    QCOMPARE(View->ScrollPosition(), 0);
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
    const TChessPosition start = PositionAfterPly(Game.Record, 0);
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
    Server.message = "Your move, I think";
    Content.GameComments = {"21,the knight heads for the king side"};
    View->resize(360, 300);
    Game.Record.CurrentPly = 21;
    Build();
    QTest::qWait(50);
    const QImage shot = View->viewport()->grab().toImage();
    if (const QString dir = qEnvironmentVariable("QUORVAL_SCREENSHOT_DIR"); !dir.isEmpty())
        shot.save(dir + "/move_list.png");
    int blue = 0, face = 0;
    const QColor buttonFace = View->palette().color(QPalette::Button);
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x) {
            blue += shot.pixelColor(x, y) == QColor(Qt::blue);
            face += shot.pixelColor(x, y) == buttonFace;
        }
    QVERIFY2(blue > 100, qPrintable(QString::number(blue)));  // the current move's background
    QVERIFY(face > shot.width() * shot.height() / 2);

    // The rule is one pixel high: one line across the view under the header.
    View->ScrollToTop();
    QTest::qWait(20);
    const QImage top = View->viewport()->grab().toImage();
    const QTextBlock ruleBlock = View->document()->findBlockByNumber(3);
    const QRectF ruleBox = View->document()->documentLayout()->blockBoundingRect(ruleBlock);
    int ruleRows = 0;
    for (int y = int(ruleBox.top()); y <= int(ruleBox.bottom()) + 2 && y < top.height(); ++y)
        ruleRows += top.pixelColor(top.width() / 2, y) != buttonFace;
    QCOMPARE(ruleRows, 1);
}

QTEST_MAIN(TestMoveList)
#include "tst_move_list.moc"
