#include "app/general_error.h"
#include "app/quorval_main.h"
#include "app/server_entry.h"
#include "board/chess_diagram_2d.h"
#include "board/rich_view.h"
#include "canned_http_server.h"
#include "hostile_replies.h"
#include "recording_prompts.h"
#include "tools/xfcc-test-server/server_soap.h"
#include "ui/waitwindow.h"
#include "when_modal.h"

#include <QAction>
#include <QClipboard>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

// The main window against servers that misbehave, and against games that no
// real server would send: each command ends with a clear error or a sane
// display, and neither the game list nor the move made on the board is lost.
class TestHostileServerWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TRecordingPrompts> m_prompts;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<TCannedHttpServer> m_server;
    std::unique_ptr<TQuorvalMain> m_window;

    // White to play the second move, with the opponent's message.
    static XfccGame openGame()
    {
        XfccGame game;
        game.id = 7;
        game.white = QStringLiteral("Ann");
        game.black = QStringLiteral("Bob");
        game.event = QStringLiteral("Club");
        game.myTurn = true;
        game.hasWhite = true;
        game.moves = QStringLiteral("1.e4 e5");
        game.message = QStringLiteral("Your move");
        return game;
    }

    // The window, shown, with one server that answers with these games; the
    // first game is loaded as at a start, quietly unless said otherwise.
    void startWindow(const ArrayOfXfccGame &games, const XfccTransport &transport = {}, bool quiet = true)
    {
        m_server->setReply(200, WriteGetMyGamesResponse(games));
        QFile ini(m_dir->filePath("quorval.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("[SETUP]\r\nSHOW_ONLY_ONGOING_GAMES=1\r\n");
        ini.close();
        m_window = std::make_unique<TQuorvalMain>(TProgramContext::forFolder(m_dir->path()));
        m_window->createDialogs();
        m_window->setXfccTransport(transport);
        WriteServerFile(m_window->context().ServersFolder,
                        {"Hostile", m_server->serviceAddress(), "ann", "secret", ""});
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTRY_VERIFY(m_window->CurrentGame());
        if (quiet)
            QVERIFY2(m_prompts->messages.isEmpty(), qPrintable(m_prompts->messageTexts().join('|')));
    }

    void drag(Square from, Square to)
    {
        TChessDiagram2D *board = m_window->diagram();
        const auto centre = [board](Square q) {
            return board->squareOrigin(q) + QPoint(TChessDiagram2D::S / 2, TChessDiagram2D::S / 2);
        };
        QTest::mousePress(board, Qt::LeftButton, {}, centre(from));
        QTest::mouseMove(board, centre(to));
        QTest::mouseRelease(board, Qt::LeftButton, {}, centre(to));
    }

    void trigger(const char *action) { m_window->findChild<QAction *>(QLatin1String(action))->trigger(); }

    void sendMove()
    {
        WhenModal([](QWidget *dialog) { dialog->findChild<QPushButton *>("Button1")->click(); });
        trigger("SendMove1");
    }

    // The one game is listed and selected, the board holds the move made on
    // it, and the window is ready for the next command.
    void checkNothingLost()
    {
        QTreeWidget *list = m_window->gameList();
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->currentItem(), list->topLevelItem(0));
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("Ann"));
        QVERIFY(m_window->CurrentGame());
        QCOMPARE(m_window->CurrentGame()->id, 7);
        QCOMPARE(m_window->CurrentServer().Name, QStringLiteral("Hostile"));
        QCOMPARE(m_window->game().MoveCount, 3);
        QCOMPARE(m_window->game().CurrentPly, 3);
        QCOMPARE(m_window->diagram()->PieceAt(25), Piece::WhiteKnight);
        QCOMPARE(m_window->serversList()->item(0)->data(Qt::UserRole).toInt(), 1);
        QVERIFY(!m_window->waitWindow()->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // One more message, in the general error box, containing `part`.
    void checkOneError(qsizetype before, const QString &part)
    {
        QCOMPARE(m_prompts->messages.size(), before + 1);
        const TRecordingPrompts::Message &box = m_prompts->messages.last();
        QCOMPARE(box.caption, QStringLiteral("Quorval 1.13"));
        QCOMPARE(box.icon, TPrompts::Icon::Error);
        QVERIFY2(box.text.contains(part), qPrintable(box.text.left(300)));
    }

    QString moveListText() const
    {
        return m_window->findChild<TRichView *>("RichView1")->document()->toPlainText();
    }

private Q_SLOTS:
    void init()
    {
        m_prompts = std::make_unique<TRecordingPrompts>();
        m_dir = std::make_unique<QTemporaryDir>();
        m_server = std::make_unique<TCannedHttpServer>();
    }
    void cleanup()
    {
        m_window.reset();
        m_server.reset();
        m_prompts.reset();
    }

    void theUnsentMoveAndTheListSurvive_data()
    {
        QTest::addColumn<int>("mode");
        const QList<THostileMode> modes = HostileModes();
        for (qsizetype i = 0; i < modes.size(); ++i)
            QTest::newRow(modes[i].name) << int(i);
    }

    void theUnsentMoveAndTheListSurvive()
    {
        QFETCH(int, mode);
        const THostileMode hostile = HostileModes().at(mode);
        startWindow({openGame()}, hostile.transport);
        drag(6, 25);  // Nf3, not sent yet
        QCOMPARE(m_window->game().MoveCount, 3);
        hostile.apply(*m_server);

        qsizetype before = m_prompts->messages.size();
        trigger("Getgamelist2");
        checkOneError(before, hostile.failure);
        checkNothingLost();

        before = m_prompts->messages.size();
        sendMove();
        checkOneError(before, hostile.failure);
        checkNothingLost();

        // The check of every server is silent; showing the games again is not.
        before = m_prompts->messages.size();
        trigger("Checkservers1");
        checkOneError(before, hostile.failure);
        checkNothingLost();

        // Once the server behaves, the same move goes out.
        const qsizetype requests = m_server->requests().size();
        m_server->setReply(200, WriteGetMyGamesResponse({openGame()}));
        m_server->setKeepOpen(false);
        m_server->setTrickle({});
        m_server->queueRawReply(TCannedHttpServer::response(200, WriteMakeAMoveResponse(MakeAMoveResult::Success)));
        sendMove();
        QCOMPARE(m_prompts->messages.last().text, QStringLiteral("Move sent successfully!"));
        QCOMPARE(m_server->requests().size(), requests + 2);  // the move, then the game list
        const QByteArray sent = m_server->requests()[requests].body;
        QVERIFY2(sent.contains("<gameId>7</gameId>") && sent.contains("<movecount>2</movecount>")
                     && sent.contains("<myMove>Nf3</myMove>"),
                 sent.constData());
    }

    void aThousandMoveGameShowsWhatFitsAndSaysSo()
    {
        XfccGame game = openGame();
        QString moves;
        for (int move = 1; move <= 1000; ++move)
            moves += QString::number(move) + (move % 2 ? QStringLiteral(".Nf3 Nf6 ") : QStringLiteral(".Ng1 Ng8 "));
        game.moves = moves;
        startWindow({game}, {}, false);
        QCOMPARE(m_prompts->messageTexts(),
                 QStringList{"This game has more than 399 half-moves; only the first 399 are shown"});
        QCOMPARE(m_window->game().MoveCount, 399);
        QCOMPARE(m_window->game().CurrentPly, 399);
        QCOMPARE(m_window->diagram()->PieceAt(6), Piece::WhiteKnight);  // after 200.Ng1
        QVERIFY(moveListText().contains(QStringLiteral("200.")));
        QVERIFY(!moveListText().contains(QStringLiteral("201.")));
    }

    void moveTextsFullOfUnmatchedBraces_data()
    {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<int>("plies");
        QTest::addColumn<QString>("message");  // the start of the messages shown, joined by "|"
        QTest::newRow("closing braces only") << QStringLiteral("1.e4 }}} e5 } 2.Nf3 }") << 3 << QString();
        QTest::newRow("an opening brace never closed")
            << QStringLiteral("1.e4 e5 {a comment 2.Nf3 Nc6 3.Bb5") << 2 << QString();
        // The comment runs to the first "}"; the rest of it is no move.
        QTest::newRow("nested braces") << QStringLiteral("1.e4 {{{a} b} c} e5 2.Nf3") << 1
                                       << QStringLiteral("Error parsing move 1 \"b\"");
        QTest::newRow("braces everywhere") << QString(5000, QChar(u'{')) + QString(5000, QChar(u'}')) << 0
                                           << QStringLiteral("Error parsing game!!");
    }

    void moveTextsFullOfUnmatchedBraces()
    {
        QFETCH(QString, moves);
        QFETCH(int, plies);
        XfccGame game = openGame();
        game.moves = moves;
        startWindow({game}, {}, false);
        QCOMPARE(m_window->game().MoveCount, plies);
        QCOMPARE(m_window->game().CurrentPly, plies);
        QVERIFY(m_window->CurrentGame());
        QVERIFY(moveListText().contains(QStringLiteral("Ann")));
        QFETCH(QString, message);
        QCOMPARE(m_prompts->messageTexts().join('|').left(message.size()), message);
    }

    void aGameThatCannotBeReadLeavesNoMoveOfTheGameBefore()
    {
        XfccGame unreadable = openGame();
        unreadable.id = 8;
        unreadable.moves = QString(5000, QChar(u'{')) + QString(5000, QChar(u'}'));
        startWindow({openGame(), unreadable});
        drag(6, 25);  // Nf3 in game 7, not sent
        QTreeWidget *list = m_window->gameList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(1)).center());
        QCOMPARE(m_prompts->messageTexts(), QStringList{"Error parsing game!!"});
        QCOMPARE(m_window->CurrentGame()->id, 8);
        QCOMPARE(m_window->game().MoveCount, 0);
        QCOMPARE(m_window->diagram()->PieceAt(6), Piece::WhiteKnight);  // back at the start, as the empty game
        // Nothing to send, so nothing goes to the server.
        const qsizetype requests = m_server->requests().size();
        trigger("SendMove1");
        QCOMPARE(m_server->requests().size(), requests);
        QCOMPARE(m_prompts->messages.size(), 1);
    }

    void namesOfTenThousandCharacters()
    {
        XfccGame game = openGame();
        game.white = QString(10000, QChar(u'W'));
        game.black = QString(9999, QChar(u'ñ')) + QChar(u'"');
        game.event = QStringLiteral("[Event \"x\"]\n") + QString(10000, QChar(u'E'));
        game.site = QString(10000, QChar(u'S'));
        startWindow({game});
        QTreeWidget *list = m_window->gameList();
        QCOMPARE(list->topLevelItem(0)->text(1), game.white);
        QCOMPARE(list->topLevelItem(0)->text(2), game.black);
        QCOMPARE(list->topLevelItem(0)->text(3), game.event);
        QCOMPARE(m_window->game().MoveCount, 2);  // the moves are the server's, whatever the event says
        QVERIFY(moveListText().contains(game.white));

        m_prompts->buttonAnswers.enqueue(TPrompts::Button::No);
        m_window->Clearclipboard1Click();
        const QString pgn = QGuiApplication::clipboard()->text();
        QVERIFY(pgn.contains(QStringLiteral("[White \"%1\"]").arg(game.white)));
        QVERIFY(pgn.contains(QStringLiteral("1. e4 e5")) || pgn.contains(QStringLiteral("1.e4 e5")));
        QCOMPARE(m_prompts->messageTexts(), QStringList{"Include comments?"});
    }

};

int main(int argc, char **argv)
{
    TQuorvalApplication app(argc, argv);
    TestHostileServerWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_hostile_server_window.moc"
