#include "service/move_sender.h"
#include "service/send_move_dialog.h"
#include "service/xfcc_error.h"
#include "service/xfccbasic.h"
#include "tests/service/played_record.h"
#include "tests/support/canned_http_server.h"
#include "tests/support/recording_prompts.h"
#include "tests/support/xfcc_test_server_process.h"
#include "tools/xfcc-test-server/server_soap.h"
#include "ui/multilang.h"
#include "ui/radiogroup.h"
#include "ui/waitwindow.h"
#include "ui/wordlists.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

// The send-move command end to end: a real dialog filled in as a player
// does, real HTTP on loopback to xfcc-test-server (or to a scripted peer
// where the exact request matters), and the boxes the player sees.
class TestSendMove : public QObject
{
    Q_OBJECT

private:
    // What the dialog showed when it opened.
    struct Shown {
        bool shown = false;
        QString title;
        QString move;
        QString opponentMessage;
        int choice = -2;
        QString message;
    };

    // The player in front of the dialog: a choice (-1 none), a message, and
    // OK or Cancel.
    struct Player {
        int choice = -1;
        QString message;
        bool ok = true;
    };

    static QString dataFile()
    {
        return qEnvironmentVariable("QUORVAL_SOURCE_DIR") + QStringLiteral("/tests/service/data/send_move.json");
    }

    bool startServer(TXfccTestServerProcess &server)
    {
        const QString copy = m_dir.filePath(QStringLiteral("send-move-%1.json").arg(++m_copies));
        return QFile::copy(dataFile(), copy) && server.start(copy);
    }

    static XfccAccount account(const QString &address, const QString &user)
    {
        return {QStringLiteral("Loopback"), address, user, user};
    }

    static XfccGame serverGame(const QString &address, const QString &user, int id)
    {
        const ArrayOfXfccGame games = GetXfccBasicSoap(false, address)->GetMyGames(user, user);
        for (const XfccGame &game : games) {
            if (game.id == id)
                return game;
        }
        return {};
    }

    // Sends as the player would, answering the dialog when it opens.
    bool send(const GameRecord &game, int serverPlies, const XfccGame &current, const XfccAccount &server,
              const Player &player, Shown *shown = nullptr)
    {
        Shown seen;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<TSendMoveDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            seen.shown = true;
            seen.title = dialog->windowTitle();
            seen.move = dialog->findChild<QLabel *>(QStringLiteral("moveLabel"))->text();
            seen.opponentMessage =
                dialog->findChild<QPlainTextEdit *>(QStringLiteral("opponentMessage"))->toPlainText();
            auto *group = dialog->findChild<TRadioGroup *>(QStringLiteral("resultOffer"));
            seen.choice = group->itemIndex();
            auto *memo = dialog->findChild<QPlainTextEdit *>(QStringLiteral("messageEdit"));
            seen.message = memo->toPlainText();
            if (player.choice >= 0)
                group->findChildren<QRadioButton *>().at(player.choice)->click();
            for (const QString &line : player.message.split(u'\n')) {
                if (!memo->toPlainText().isEmpty())
                    QTest::keyClick(memo, Qt::Key_Return);
                QTest::keyClicks(memo, line);
            }
            const char *button = player.ok ? "okButton" : "cancelButton";
            QTest::mouseClick(dialog->findChild<QPushButton *>(QLatin1String(button)), Qt::LeftButton);
        });
        const bool sent = m_sender->Send(game, serverPlies, current, server);
        QTest::qWait(0);  // the answer above has run, also when no dialog opened
        if (shown)
            *shown = seen;
        return sent;
    }

    // The moves of the Spanish game up to n half-moves, continued.
    static GameRecord spanish(int plies)
    {
        const QStringList moves = ClosedSpanishGame() << QStringLiteral("Nf3") << QStringLiteral("Nf6");
        return PlayedRecord(moves.mid(0, plies));
    }

    QString lastBox() const { return m_prompts.messages.isEmpty() ? QString() : m_prompts.messages.last().text; }

    void checkWaitIsOver() const
    {
        QVERIFY(!m_waitWindow->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
    }

    QTemporaryDir m_dir;
    int m_copies = 0;
    int m_language = 0;
    TRecordingPrompts m_prompts;
    QWidget *m_window = nullptr;
    TMultiLang *m_words = nullptr;
    TWaitWindow *m_waitWindow = nullptr;
    std::unique_ptr<TMoveSender> m_sender;

private slots:
    void initTestCase()
    {
        m_window = new QWidget;
        m_window->setObjectName(QStringLiteral("QuorvalMain"));
        m_words = createMultiLang(m_window, WordList::QuorvalMain);
        m_waitWindow = new TWaitWindow([] { return QColor(Qt::white); }, m_window);
        m_sender = std::make_unique<TMoveSender>(TMoveSender::Context{
            m_window, m_words, m_waitWindow, [this] { return m_language; }, QStringLiteral("Quorval 1.13"), {}});
        m_window->show();
    }

    void cleanupTestCase()
    {
        m_sender.reset();
        delete m_window;
    }

    void init()
    {
        m_prompts.messages.clear();
        m_language = 0;
        m_words->setActiveLanguage(0);
    }

    void whiteSendsTheTwentyThirdMoveWithAMessage()
    {
        TXfccTestServerProcess server;
        QVERIFY2(startServer(server), qPrintable(server.errorString()));
        const QString address = server.serviceAddress();
        const XfccGame current = serverGame(address, QStringLiteral("anna"), 201);
        QCOMPARE(current.id, 201);
        const GameRecord game = spanish(45);

        Shown shown;
        QVERIFY(send(game, 44, current, account(address, QStringLiteral("anna")),
                     {-1, QStringLiteral("Thanks!\nSee you"), true}, &shown));
        QVERIFY(shown.shown);
        QCOMPARE(shown.title, QStringLiteral("Send a move"));
        QCOMPARE(shown.move, QStringLiteral("23. Nf3"));
        QCOMPARE(shown.opponentMessage, QStringLiteral("Your move, Anna."));
        QCOMPARE(shown.choice, -1);
        QCOMPARE(shown.message, QString());
        QCOMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(m_prompts.messages[0].icon, TPrompts::Icon::Information);
        QCOMPARE(m_prompts.messages[0].caption, QStringLiteral("Information"));
        QCOMPARE(lastBox(), QStringLiteral("Move sent successfully!"));
        QCOMPARE(m_waitWindow->message(), QStringLiteral("Sending move to: Loopback"));
        checkWaitIsOver();

        const XfccGame mine = serverGame(address, QStringLiteral("anna"), 201);
        const XfccGame theirs = serverGame(address, QStringLiteral("boris"), 201);
        QVERIFY(mine.moves.endsWith(QStringLiteral("22. Bxe7 Qxe7 23. Nf3")));
        QCOMPARE(theirs.moves, mine.moves);
        QVERIFY(!mine.myTurn);
        QVERIFY(theirs.myTurn);
        QVERIFY(!theirs.drawOffered);
        QCOMPARE(theirs.message, QStringLiteral("Thanks!\r\nSee you"));
        QCOMPARE(theirs.result, Result::Ongoing);

        // The same move again: the server has it already and refuses.
        QVERIFY(!send(game, 44, mine, account(address, QStringLiteral("anna")), {}));
        QCOMPARE(lastBox(), QStringLiteral("Not your turn!!"));
    }

    void blackSendsTheTwentyThirdMove()
    {
        TXfccTestServerProcess server;
        QVERIFY2(startServer(server), qPrintable(server.errorString()));
        const QString address = server.serviceAddress();
        Shown shown;
        QVERIFY(send(spanish(46), 45, serverGame(address, QStringLiteral("anna"), 202),
                     account(address, QStringLiteral("anna")), {}, &shown));
        QCOMPARE(shown.move, QStringLiteral("23. Nf6"));
        QCOMPARE(lastBox(), QStringLiteral("Move sent successfully!"));
        QVERIFY(serverGame(address, QStringLiteral("boris"), 202).myTurn);
        QVERIFY(serverGame(address, QStringLiteral("anna"), 202).moves.endsWith(QStringLiteral("23. Nf3 Nf6")));
    }

    void aDrawOfferedWithAMoveIsAccepted()
    {
        TXfccTestServerProcess server;
        QVERIFY2(startServer(server), qPrintable(server.errorString()));
        const QString address = server.serviceAddress();
        QVERIFY(send(spanish(45), 44, serverGame(address, QStringLiteral("anna"), 201),
                     account(address, QStringLiteral("anna")), {0, QStringLiteral("Draw?"), true}));
        const XfccGame offered = serverGame(address, QStringLiteral("boris"), 201);
        QVERIFY(offered.drawOffered);
        QCOMPARE(offered.message, QStringLiteral("Draw?"));

        // Boris accepts without a move: his record ends with Anna's move.
        m_prompts.messages.clear();
        Shown shown;
        QVERIFY(send(spanish(45), 45, offered, account(address, QStringLiteral("boris")),
                     {2, QStringLiteral("Agreed"), true}, &shown));
        QCOMPARE(shown.opponentMessage, QStringLiteral("Draw?"));
        QCOMPARE(m_prompts.messageTexts().first(),
                 m_words->Translate(QStringLiteral("@badmoveentered")));
        QCOMPARE(lastBox(), QStringLiteral("Move sent successfully!"));
        QCOMPARE(serverGame(address, QStringLiteral("anna"), 201).result, Result::Draw);
        QCOMPARE(serverGame(address, QStringLiteral("anna"), 201).message, QStringLiteral("Agreed"));
    }

    void decisionsWithoutAMove_data()
    {
        QTest::addColumn<int>("gameId");
        QTest::addColumn<QString>("user");
        QTest::addColumn<int>("plies");
        QTest::addColumn<int>("choice");
        QTest::addColumn<QByteArray>("arguments");
        QTest::addColumn<Result>("result");
        QTest::newRow("White resigns after 20 moves")
            << 203 << "anna" << 40 << 1
            << QByteArray("<gameId>203</gameId><resign>true</resign><acceptDraw>false</acceptDraw>"
                          "<movecount>21</movecount><myMove></myMove><offerDraw>false</offerDraw>")
            << Result(Result::BlackWins);
        QTest::newRow("Black resigns after White's 21st")
            << 204 << "anna" << 41 << 1
            << QByteArray("<gameId>204</gameId><resign>true</resign><acceptDraw>false</acceptDraw>"
                          "<movecount>21</movecount><myMove></myMove>")
            << Result(Result::WhiteWins);
        QTest::newRow("White resigns at the second half-move")
            << 205 << "anna" << 2 << 1
            << QByteArray("<resign>true</resign><acceptDraw>false</acceptDraw><movecount>1</movecount><myMove></myMove>")
            << Result(Result::BlackWins);
        QTest::newRow("White accepts a draw")
            << 206 << "anna" << 40 << 2
            << QByteArray("<resign>false</resign><acceptDraw>true</acceptDraw><movecount>20</movecount>"
                          "<myMove></myMove><offerDraw>false</offerDraw><claimDraw>false</claimDraw>")
            << Result(Result::Draw);
    }

    void decisionsWithoutAMove()
    {
        QFETCH(int, gameId);
        QFETCH(QString, user);
        QFETCH(int, plies);
        QFETCH(int, choice);
        QFETCH(QByteArray, arguments);
        QFETCH(Result, result);
        TXfccTestServerProcess server;
        QVERIFY2(startServer(server), qPrintable(server.errorString()));
        const XfccGame current = serverGame(server.serviceAddress(), user, gameId);
        QCOMPARE(current.id, gameId);

        // The exact request, to a peer that records it.
        TCannedHttpServer peer;
        peer.setReply(200, WriteMakeAMoveResponse(MakeAMoveResult::Success));
        QVERIFY(send(spanish(plies), plies, current, account(peer.serviceAddress(), user), {choice, {}, true}));
        QCOMPARE(peer.requests().size(), 1);
        QVERIFY2(peer.requests()[0].body.contains(arguments), peer.requests()[0].body.constData());
        QCOMPARE(m_prompts.messageTexts().first(), m_words->Translate(QStringLiteral("@badmoveentered")));
        QCOMPARE(m_prompts.messages.first().icon, TPrompts::Icon::Warning);

        // The same to the real server, which ends the game.
        QVERIFY(send(spanish(plies), plies, current, account(server.serviceAddress(), user), {choice, {}, true}));
        QCOMPARE(lastBox(), QStringLiteral("Move sent successfully!"));
        const XfccGame after = serverGame(server.serviceAddress(), user, gameId);
        QCOMPARE(after.result, result);
        QVERIFY(!after.myTurn);
        QCOMPARE(after.moves, current.moves);
        checkWaitIsOver();
    }

    void okWithoutAMoveRefusesAnythingButADecision_data()
    {
        QTest::addColumn<int>("choice");
        QTest::newRow("no choice") << -1;
        QTest::newRow("Offer a draw") << 0;
    }

    void okWithoutAMoveRefusesAnythingButADecision()
    {
        QFETCH(int, choice);
        TCannedHttpServer peer;
        peer.setReply(200, WriteMakeAMoveResponse(MakeAMoveResult::Success));
        XfccGame current;
        current.id = 208;
        current.hasWhite = true;
        QVERIFY(!send(spanish(40), 40, current, account(peer.serviceAddress(), QStringLiteral("anna")),
                      {choice, QStringLiteral("lost"), true}));
        QCOMPARE(peer.requests().size(), 0);
        QCOMPARE(m_prompts.messages.size(), 2);
        QCOMPARE(m_prompts.messages[1].icon, TPrompts::Icon::Error);
        QCOMPARE(lastBox(), QStringLiteral("Invalid move number, reload game, make a valid move and try again"));

        // Cancel sends nothing either, with a move made.
        QVERIFY(!send(spanish(41), 40, current, account(peer.serviceAddress(), QStringLiteral("anna")),
                      {-1, {}, false}));
        QCOMPARE(peer.requests().size(), 0);
        checkWaitIsOver();
    }

    void noMoveNoDialog()
    {
        Shown shown;
        XfccGame current;
        current.id = 207;
        QVERIFY(!send(GameRecord{}, 0, current, account(QStringLiteral("http://127.0.0.1:1/XfccBasic.asmx"),
                                                       QStringLiteral("anna")), {}, &shown));
        QVERIFY(!shown.shown);
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void refusalsOfTheRealServer()
    {
        TXfccTestServerProcess server;
        QVERIFY2(startServer(server), qPrintable(server.errorString()));
        const QString address = server.serviceAddress();
        const XfccGame current = serverGame(address, QStringLiteral("anna"), 201);
        const XfccAccount anna = account(address, QStringLiteral("anna"));

        // A move the server's position does not allow: the record is another game.
        const QStringList other{"d4", "d5", "Bf4"};
        XfccGame early = serverGame(address, QStringLiteral("anna"), 205);
        QVERIFY(!send(PlayedRecord(other), 2, early, anna, {}));
        QCOMPARE(lastBox(), QStringLiteral("Invalid move!!"));

        // Nf1 names both of White's knights on the server's board.
        GameRecord ambiguous = spanish(44);
        MoveRecord &knight = ambiguous.Moves[45];
        knight.Piece = 2;
        knight.From = 16;  // g2: not a knight's square on the server's board either
        knight.To = 5;
        ambiguous.MoveCount = 45;
        QVERIFY(!send(ambiguous, 44, current, anna, {}));
        QCOMPARE(lastBox(), QStringLiteral("Move is ambiguous!!"));

        // A record ahead of the server's game: the number sent is shown.
        QVERIFY(!send(spanish(45), 44, serverGame(address, QStringLiteral("anna"), 203), anna, {}));
        QCOMPARE(lastBox(), QStringLiteral("Invalid move number: 23 !!"));

        QVERIFY(!send(spanish(40), 40, serverGame(address, QStringLiteral("anna"), 208), anna, {2, {}, true}));
        QCOMPARE(lastBox(), QStringLiteral("No draw was offered!"));

        XfccAccount wrong = anna;
        wrong.Password = QStringLiteral("guess");
        QVERIFY(!send(spanish(45), 44, current, wrong, {}));
        QCOMPARE(lastBox(), QStringLiteral("Authentication failed!"));
        QCOMPARE(m_prompts.messages.last().icon, TPrompts::Icon::Error);

        QVERIFY(!send(spanish(45), 44, current, account(address, QStringLiteral("carl")), {}));
        QCOMPARE(lastBox(), QStringLiteral("Not your game!!"));

        XfccGame missing = current;
        missing.id = 999;
        QVERIFY(!send(spanish(45), 44, missing, anna, {}));
        QCOMPARE(lastBox(), QStringLiteral("Invalid game ID"));

        // Nothing of that reached the game.
        QCOMPARE(serverGame(address, QStringLiteral("anna"), 201).moves, current.moves);
        QCOMPARE(serverGame(address, QStringLiteral("anna"), 208).result, Result::Ongoing);
        checkWaitIsOver();
    }

    void answersOnlyAPeerGives_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<TPrompts::Icon>("icon");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("text");
        using Icon = TPrompts::Icon;
        QTest::newRow("ServerError") << QByteArray("ServerError") << Icon::Error << "Error" << "Server error!!";
        QTest::newRow("LostOnTime") << QByteArray("LostOnTime") << Icon::Information << "Information" << "Lost on time";
        QTest::newRow("YouAreOnLeave") << QByteArray("YouAreOnLeave") << Icon::Information << "Information"
                                       << "You are on leave";
        QTest::newRow("unknown") << QByteArray("TournamentNotYetStarted") << Icon::None << "Quorval 1.13"
                                 << "Unexpected error!!";
    }

    void answersOnlyAPeerGives()
    {
        QFETCH(QByteArray, name);
        TCannedHttpServer peer;
        peer.setReply(200, WriteMakeAMoveResponse(MakeAMoveResult::fromName(QString::fromLatin1(name))));
        XfccGame current;
        current.id = 1;
        current.hasWhite = true;
        QVERIFY(!send(spanish(45), 44, current, account(peer.serviceAddress(), QStringLiteral("anna")), {}));
        QCOMPARE(m_prompts.messages.size(), 1);
        QTEST(m_prompts.messages[0].icon, "icon");
        QTEST(m_prompts.messages[0].caption, "caption");
        QTEST(m_prompts.messages[0].text, "text");
    }

    void aFailedCallLeavesNothingBehind()
    {
        XfccGame current;
        current.id = 201;
        current.hasWhite = true;
        const GameRecord game = spanish(45);
        const GameRecord before = game;
        QString failure;
        try {
            send(game, 44, current, account(QStringLiteral("http://127.0.0.1:1/XfccBasic.asmx"),
                                            QStringLiteral("anna")), {});
        } catch (const EXfccError &error) {
            failure = error.message();
        }
        QVERIFY2(!failure.isEmpty(), "the failure reaches the caller");
        QVERIFY(m_prompts.messages.isEmpty());
        checkWaitIsOver();
        QCOMPARE(std::memcmp(&before, &game, sizeof game), 0);
    }

    void theDialogSpeaksTheActiveLanguage()
    {
        m_language = 1;
        m_words->setActiveLanguage(1);
        TCannedHttpServer peer;
        XfccGame current;
        current.hasWhite = true;
        Shown shown;
        QVERIFY(!send(spanish(40), 40, current, account(peer.serviceAddress(), QStringLiteral("anna")), {},
                      &shown));
        QCOMPARE(shown.title, QStringLiteral("Enviar movimiento"));
        QCOMPARE(m_prompts.messageTexts(),
                 QStringList({QStringLiteral("No ha introducido un movimiento válido. La ventana de enviar movimiento "
                                             "se mostrará pero sólo podra aceptar tablas o resignar."),
                              QStringLiteral("Numero de movimiento no valido, recargue la partida, haga un "
                                             "movimiento váildo y pruebe de nuevo")}));
    }

    void twoPlayersPlayToMate()
    {
        TXfccTestServerProcess server;
        QVERIFY2(startServer(server), qPrintable(server.errorString()));
        const QString address = server.serviceAddress();
        const QStringList moves{"f3", "e5", "g4", "Qh4"};
        for (int n = 1; n <= moves.size(); ++n) {
            const QString player = n % 2 ? QStringLiteral("anna") : QStringLiteral("boris");
            const XfccGame current = serverGame(address, player, 207);
            QVERIFY2(current.myTurn, qPrintable(player));
            Shown shown;
            QVERIFY(send(PlayedRecord(moves.mid(0, n)), n - 1, current, account(address, player),
                         {-1, QStringLiteral("move %1").arg(n), true}, &shown));
            QCOMPARE(shown.move, QStringLiteral("%1. %2").arg((n + 1) / 2).arg(moves[n - 1]));
            QCOMPARE(lastBox(), QStringLiteral("Move sent successfully!"));
        }
        for (const QString &player : {QStringLiteral("anna"), QStringLiteral("boris")}) {
            const XfccGame game = serverGame(address, player, 207);
            QCOMPARE(game.moves, QStringLiteral("1. f3 e5 2. g4 Qh4#"));
            QCOMPARE(game.result, Result::BlackWins);
            QVERIFY(!game.myTurn);
        }
        QCOMPARE(serverGame(address, QStringLiteral("anna"), 207).message, QStringLiteral("move 4"));
    }
};

QTEST_MAIN(TestSendMove)
#include "tst_send_move.moc"
