#include "app/general_error.h"
#include "board/rich_view.h"
#include "hostile_replies.h"
#include "main_window_rig.h"
#include "ui/waitwindow.h"
#include "when_modal.h"

#include <QClipboard>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

// The main window against servers that misbehave, and against games that no
// real server would send: each command ends with a clear error or a sane
// display, and neither the game list nor the move made on the board is lost.
class TestHostileServerWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<TMainWindowRig> m_rig;

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

    TQuorvalMain *window() const { return m_rig->window.get(); }
    TRecordingPrompts &prompts() const { return m_rig->prompts; }

    void sendMove()
    {
        WhenModal([](QWidget *dialog) { dialog->findChild<QPushButton *>("okButton")->click(); });
        m_rig->trigger("sendMoveAction");
    }

    // The one game is listed and selected, the board holds the move made on
    // it, and the window is ready for the next command.
    void checkNothingLost(ServerState serverState = ServerState::MoveDue)
    {
        QTreeWidget *list = window()->gameList();
        QCOMPARE(list->topLevelItemCount(), 1);
        QCOMPARE(list->currentItem(), list->topLevelItem(0));
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("Ann"));
        QVERIFY(window()->games()->currentGame());
        QCOMPARE(window()->games()->currentGame()->id, 7);
        QCOMPARE(window()->games()->currentServer().Name, QStringLiteral("Loopback"));
        QCOMPARE(window()->game().MoveCount, 3);
        QCOMPARE(window()->game().CurrentPly, 3);
        QCOMPARE(window()->diagram()->PieceAt(25), Piece::WhiteKnight);
        QCOMPARE(window()->serverList()->item(0)->data(Qt::UserRole).toInt(), int(serverState));
        QVERIFY(!window()->waitWindow()->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    // One more message, in the general error box, containing `part`.
    void checkOneError(qsizetype before, const QString &part)
    {
        QCOMPARE(prompts().messages.size(), before + 1);
        const TRecordingPrompts::Message &box = prompts().messages.last();
        QCOMPARE(box.caption, QStringLiteral("Quorval 1.13"));
        QCOMPARE(box.icon, TPrompts::Icon::Error);
        QVERIFY2(box.text.contains(part), qPrintable(box.text.left(300)));
    }

    QString moveListText() const
    {
        return window()->findChild<TRichView *>("moveListView")->document()->toPlainText();
    }

private Q_SLOTS:
    void init() { m_rig = std::make_unique<TMainWindowRig>(); }
    void cleanup() { m_rig.reset(); }

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
        m_rig->start({openGame()}, hostile.transport);
        QVERIFY(prompts().messages.isEmpty());
        m_rig->drag(6, 25);  // Nf3, not sent yet
        QCOMPARE(window()->game().MoveCount, 3);
        hostile.apply(m_rig->server);

        qsizetype before = prompts().messages.size();
        m_rig->trigger("refreshGamesAction");
        checkOneError(before, hostile.failure);
        checkNothingLost();

        before = prompts().messages.size();
        sendMove();
        checkOneError(before, hostile.failure);
        checkNothingLost();

        // The check marks the server not reached, saying why; showing the
        // games again reports the failure.
        before = prompts().messages.size();
        m_rig->trigger("checkServersAction");
        checkOneError(before, hostile.failure);
        checkNothingLost(ServerState::NotReached);
        QVERIFY2(window()->serverList()->item(0)->toolTip().startsWith("Not reached: "),
                 qPrintable(window()->serverList()->item(0)->toolTip()));

        // Once the server behaves, the same move goes out.
        const qsizetype requests = m_rig->server.requests().size();
        m_rig->server.setReply(200, WriteGetMyGamesResponse({openGame()}));
        m_rig->server.setKeepOpen(false);
        m_rig->server.setTrickle({});
        m_rig->server.queueRawReply(TCannedHttpServer::response(200, WriteMakeAMoveResponse(MakeAMoveResult::Success)));
        sendMove();
        QCOMPARE(prompts().messages.last().text, QStringLiteral("Move sent successfully!"));
        QCOMPARE(m_rig->server.requests().size(), requests + 2);  // the move, then the game list
        const QByteArray sent = m_rig->server.requests()[requests].body;
        QVERIFY2(sent.contains("<gameId>7</gameId>") && sent.contains("<movecount>2</movecount>")
                     && sent.contains("<myMove>Nf3</myMove>"),
                 sent.constData());
    }

    // A server that takes the move and never answers: the player cancels.
    void aCancelledSendKeepsTheMoveAndSaysItMayHaveArrived()
    {
        m_rig->start({openGame()});
        m_rig->drag(6, 25);  // Nf3
        m_rig->server.setSilent();
        TWaitWindow *wait = window()->waitWindow();
        QTimer poll;
        connect(&poll, &QTimer::timeout, this, [&] {
            if (wait->isVisible() && !m_rig->server.requests().isEmpty()
                && m_rig->server.requests().last().body.contains("<myMove>Nf3</myMove>")) {
                poll.stop();
                QTest::mouseClick(wait->findChild<QPushButton *>("cancelButton"), Qt::LeftButton);
            }
        });
        poll.start(20);
        const qsizetype before = prompts().messages.size();
        sendMove();
        QCOMPARE(prompts().messages.size(), before + 1);
        QCOMPARE(prompts().messages.last().icon, TPrompts::Icon::Warning);
        QVERIFY(prompts().messages.last().text.startsWith("Sending was cancelled before the server answered. "
                                                          "The move may or may not have reached the server"));
        checkNothingLost();
    }

    void aThousandMoveGameShowsWhatFitsAndSaysSo()
    {
        XfccGame game = openGame();
        QString moves;
        for (int move = 1; move <= 1000; ++move)
            moves += QString::number(move) + (move % 2 ? QStringLiteral(".Nf3 Nf6 ") : QStringLiteral(".Ng1 Ng8 "));
        game.moves = moves;
        m_rig->start({game});
        QCOMPARE(prompts().messageTexts(),
                 QStringList{"This game has more than 399 half-moves; only the first 399 are shown"});
        QCOMPARE(window()->game().MoveCount, 399);
        QCOMPARE(window()->game().CurrentPly, 399);
        QCOMPARE(window()->diagram()->PieceAt(6), Piece::WhiteKnight);  // after 200.Ng1
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
        m_rig->start({game});
        QCOMPARE(window()->game().MoveCount, plies);
        QCOMPARE(window()->game().CurrentPly, plies);
        QVERIFY(window()->games()->currentGame());
        QVERIFY(moveListText().contains(QStringLiteral("Ann")));
        QFETCH(QString, message);
        QCOMPARE(prompts().messageTexts().join('|').left(message.size()), message);
    }

    void aGameThatCannotBeReadLeavesNoMoveOfTheGameBefore()
    {
        XfccGame unreadable = openGame();
        unreadable.id = 8;
        unreadable.moves = QString(5000, QChar(u'{')) + QString(5000, QChar(u'}'));
        m_rig->start({openGame(), unreadable});
        m_rig->drag(6, 25);  // Nf3 in game 7, not sent
        m_rig->clickGame(1);
        QCOMPARE(prompts().messageTexts(), QStringList{"Error parsing game!!"});
        QCOMPARE(window()->games()->currentGame()->id, 8);
        QCOMPARE(window()->game().MoveCount, 0);
        QCOMPARE(window()->diagram()->PieceAt(6), Piece::WhiteKnight);  // back at the start, as the empty game
        // Nothing to send, so nothing goes to the server.
        const qsizetype requests = m_rig->server.requests().size();
        m_rig->trigger("sendMoveAction");
        QCOMPARE(m_rig->server.requests().size(), requests);
        QCOMPARE(prompts().messages.size(), 2);
        QVERIFY(prompts().messages.last().text.startsWith(QStringLiteral("This game could not be read in full")));
    }

    // The server would refuse the move number of a game read in part; the
    // window says why and sends nothing, as the command line does.
    void aGameReadInPartSendsNothing_data()
    {
        QTest::addColumn<QString>("moves");
        QTest::addColumn<QString>("message");
        QTest::newRow("a refused move") << QStringLiteral("1.e4 e5 2.Ke3 Nc6 3.Bb5") << "Error parsing move 2 \"Ke3\"";
        QString moves;
        for (int move = 1; move <= 200; ++move)
            moves += QString::number(move) + (move % 2 ? QStringLiteral(".Nf3 Nf6 ") : QStringLiteral(".Ng1 Ng8 "));
        QTest::newRow("moves left over") << moves << "This game has more than 399 half-moves";
    }

    void aGameReadInPartSendsNothing()
    {
        QFETCH(QString, moves);
        QFETCH(QString, message);
        XfccGame game = openGame();
        game.moves = moves;
        m_rig->start({game});
        QCOMPARE(prompts().messages.size(), 1);
        QVERIFY2(prompts().messages[0].text.startsWith(message), qPrintable(prompts().messages[0].text));
        if (window()->game().MoveCount % 2 == 0)
            m_rig->drag(1, 21);  // b2-b4 on White's turn
        else
            m_rig->drag(61, 41);  // b7-b5 on Black's
        QCOMPARE(window()->game().MoveCount, window()->game().CurrentPly);
        const qsizetype requests = m_rig->server.requests().size();
        m_rig->trigger("sendMoveAction");
        QCOMPARE(m_rig->server.requests().size(), requests);
        QCOMPARE(prompts().messages.size(), 2);
        QCOMPARE(prompts().messages[1].icon, TPrompts::Icon::Warning);
        QCOMPARE(prompts().messages[1].text,
                 QStringLiteral("This game could not be read in full, so no move is sent for it. Reload it, or play "
                                "it on the server's web site."));
    }

    void namesOfTenThousandCharacters()
    {
        XfccGame game = openGame();
        game.white = QString(10000, QChar(u'W'));
        game.black = QString(9999, QChar(u'ñ')) + QChar(u'"');
        game.event = QStringLiteral("[Event \"x\"]\n") + QString(10000, QChar(u'E'));
        game.site = QString(10000, QChar(u'S'));
        m_rig->start({game});
        QVERIFY(prompts().messages.isEmpty());
        QTreeWidget *list = window()->gameList();
        QCOMPARE(list->topLevelItem(0)->text(1), game.white);
        QCOMPARE(list->topLevelItem(0)->text(2), game.black);
        QCOMPARE(list->topLevelItem(0)->text(3), game.event);
        QCOMPARE(window()->game().MoveCount, 2);  // the moves are the server's, whatever the event says
        QVERIFY(moveListText().contains(game.white));

        prompts().buttonAnswers.enqueue(TPrompts::Button::No);
        window()->copyGame();
        const QString pgn = QGuiApplication::clipboard()->text();
        QVERIFY(pgn.contains(QStringLiteral("[White \"%1\"]").arg(game.white)));
        QVERIFY(pgn.contains(QStringLiteral("1. e4 e5")) || pgn.contains(QStringLiteral("1.e4 e5")));
        QCOMPARE(prompts().messageTexts(), QStringList{"Include comments?"});
    }

};

int main(int argc, char **argv)
{
    TQuorvalApplication app(argc, argv);
    TestHostileServerWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_hostile_server_window.moc"
