#include "app/game_row.h"
#include "app/general_error.h"
#include "app/game_list_controller.h"
#include "app/quorval_main.h"
#include "app/server_entry.h"
#include "board/chess_diagram_2d.h"
#include "board/rich_view.h"
#include "service/send_move_dialog.h"
#include "service/xfccbasic.h"
#include "ui/waitwindow.h"
#include "recording_prompts.h"
#include "when_modal.h"
#include "xfcc_test_server_process.h"

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

// Two players in front of two Quorval windows, one account each, dragging
// their moves on the board and sending them to a real xfcc-test-server.
class TestPlayInWindows : public QObject
{
    Q_OBJECT

    // One player's Quorval: its own program folder, the loopback server as
    // its one server, the window shown so the board takes real mouse input.
    class Player
    {
    public:
        Player(const QString &serviceAddress, const QString &user)
            : m_user(user)
        {
            QFile ini(m_folder.filePath(QStringLiteral("quorval.ini")));
            if (ini.open(QIODevice::WriteOnly))
                ini.write("[SETUP]\r\nSHOW_ONLY_ONGOING_GAMES=0\r\n");
            ini.close();
            window = std::make_unique<TQuorvalMain>(TProgramContext::forFolder(m_folder.path()));
            window->createDialogs();
            WriteServerFile(window->context().ServersFolder, {"Loopback", serviceAddress, user, user, ""});
            window->show();
            // The start-up refresh of the first show fires while this one
            // waits for the server; it must leave this one's list alone.
            window->games()->refreshServerList(true);
        }

        // Reloads the game list and opens the game on the board.
        bool open(int gameId)
        {
            window->games()->refreshGames();
            QTreeWidget *games = window->gameList();
            for (int row = 0; row < games->topLevelItemCount(); ++row) {
                auto *item = static_cast<GameRow *>(games->topLevelItem(row));
                if (item->game().id == gameId) {
                    games->setCurrentItem(item);
                    button("reloadGameButton")->click();  // "Reload game"
                    return window->games()->currentGame() && window->games()->currentGame()->id == gameId;
                }
            }
            return false;
        }

        void drag(Square from, Square to)
        {
            TChessDiagram2D *board = window->diagram();
            const QPoint half(TChessDiagram2D::S / 2, TChessDiagram2D::S / 2);
            QTest::mousePress(board, Qt::LeftButton, {}, board->squareOrigin(from) + half);
            QTest::mouseMove(board, board->squareOrigin(to) + half);
            QTest::mouseRelease(board, Qt::LeftButton, {}, board->squareOrigin(to) + half);
        }

        // Clicks "Send move" and answers the dialog with OK or Cancel; returns
        // the move the dialog showed (empty when none opened).
        QString send(bool ok = true)
        {
            QString shown;
            WhenModal([&shown, ok](QWidget *modal) {
                if (auto *dialog = qobject_cast<TSendMoveDialog *>(modal)) {
                    shown = dialog->findChild<QLabel *>(QStringLiteral("moveLabel"))->text();
                    QTest::mouseClick(dialog->findChild<QPushButton *>(ok ? "okButton" : "cancelButton"),
                                      Qt::LeftButton);
                }
            });
            button("sendMoveButton")->click();
            return shown;
        }

        QString moveListText() const
        {
            return window->findChild<TRichView *>(QStringLiteral("moveListView"))->document()->toPlainText();
        }

        XfccGame serverGame(int gameId) const
        {
            const ServerEntry &server = window->games()->currentServer();
            for (const XfccGame &game : GetXfccBasicSoap(false, server.ServiceUrl)->GetMyGames(m_user, m_user)) {
                if (game.id == gameId)
                    return game;
            }
            return {};
        }

        QToolButton *button(const char *name) const { return window->findChild<QToolButton *>(name); }

        std::unique_ptr<TQuorvalMain> window;

    private:
        QTemporaryDir m_folder;
        QString m_user;
    };

    static constexpr Square sq(char file, int rank) { return Square((rank - 1) * 10 + (file - 'a')); }

    QString lastBox() const { return m_prompts.messages.isEmpty() ? QString() : m_prompts.messages.last().text; }

    TRecordingPrompts m_prompts;
    QTemporaryDir m_dir;
    TXfccTestServerProcess m_server;

private Q_SLOTS:
    void init()
    {
        const QString data = m_dir.filePath(QStringLiteral("games.json"));
        QFile::remove(data);
        QVERIFY(QFile::copy(qEnvironmentVariable("QUORVAL_SOURCE_DIR") + "/tests/service/data/send_move.json", data));
        QVERIFY2(m_server.start(data), qPrintable(m_server.errorString()));
        m_prompts.messages.clear();
    }

    void cleanup() { m_server.stop(); }

    void twoPlayersPlayToMate()
    {
        Player anna(m_server.serviceAddress(), QStringLiteral("anna"));
        Player boris(m_server.serviceAddress(), QStringLiteral("boris"));
        struct Turn {
            Player *player;
            Square from, to;
            QString shown;
        };
        const QList<Turn> scholarsMate{
            {&anna, sq('e', 2), sq('e', 4), "1. e4"},    {&boris, sq('e', 7), sq('e', 5), "1. e5"},
            {&anna, sq('f', 1), sq('c', 4), "2. Bc4"},   {&boris, sq('b', 8), sq('c', 6), "2. Nc6"},
            {&anna, sq('d', 1), sq('h', 5), "3. Qh5"},   {&boris, sq('g', 8), sq('f', 6), "3. Nf6"},
            {&anna, sq('h', 5), sq('f', 7), "4. Qxf7+"},
        };
        for (const Turn &turn : scholarsMate) {
            QVERIFY(turn.player->open(207));
            QCOMPARE(turn.player->window->diagram()->WhiteIsAtBottom(), turn.player == &anna);
            turn.player->drag(turn.from, turn.to);
            QCOMPARE(turn.player->send(), turn.shown);
            QCOMPARE(lastBox(), QStringLiteral("Move sent successfully!"));
        }
        const XfccGame game = boris.serverGame(207);
        QCOMPARE(game.moves, QStringLiteral("1. e4 e5 2. Bc4 Nc6 3. Qh5 Nf6 4. Qxf7#"));
        QCOMPARE(game.result, Result::WhiteWins);
        QCOMPARE(m_prompts.messages.size(), scholarsMate.size());

        // Both windows list the finished game with its result after a refresh.
        for (Player *player : {&anna, &boris}) {
            QVERIFY(player->open(207));
            QCOMPARE(player->window->game().MoveCount, 7);
            QVERIFY(player->moveListText().contains(QStringLiteral("4.")));
        }
    }

    void theTwentyThirdMoveIsKeptThroughCancelAndRefusal()
    {
        Player anna(m_server.serviceAddress(), QStringLiteral("anna"));
        Player boris(m_server.serviceAddress(), QStringLiteral("boris"));
        QVERIFY(anna.open(201));
        QCOMPARE(anna.window->game().MoveCount, 44);
        anna.drag(sq('h', 2), sq('f', 3));
        QCOMPARE(anna.window->game().MoveCount, 45);

        // Cancelled: nothing sent, the move stays on the board, in the record
        // and in the move list.
        QCOMPARE(anna.send(false), QStringLiteral("23. Nf3"));
        QVERIFY(m_prompts.messages.isEmpty());
        QCOMPARE(anna.serverGame(201).moves.count(u'.'), 22);
        QCOMPARE(anna.window->game().MoveCount, 45);
        QCOMPARE(anna.window->diagram()->PieceAt(sq('f', 3)), Piece::WhiteKnight);
        QVERIFY(anna.moveListText().contains(QStringLiteral("23.")));

        // Boris, in his own window, drags a move for Anna's side: the server
        // refuses it and his board keeps it too.
        QVERIFY(boris.open(201));
        QVERIFY(!boris.window->diagram()->WhiteIsAtBottom());
        boris.drag(sq('h', 2), sq('f', 3));
        QCOMPARE(boris.send(), QStringLiteral("23. Nf3"));
        QCOMPARE(lastBox(), QStringLiteral("Not your turn!!"));
        QCOMPARE(boris.window->game().MoveCount, 45);

        // Sent again: accepted, and Boris's list shows it is his move.
        QCOMPARE(anna.send(), QStringLiteral("23. Nf3"));
        QCOMPARE(lastBox(), QStringLiteral("Move sent successfully!"));
        QVERIFY(boris.open(201));
        QCOMPARE(boris.window->game().MoveCount, 45);
        QVERIFY(boris.window->games()->currentGame()->myTurn);
        QCOMPARE(static_cast<GameRow *>(boris.window->gameList()->currentItem())->GameStateIcon(), 0);

        // Boris answers; then the server is gone while Anna sends her 24th:
        // the error is shown and her move stays for another try.
        boris.drag(sq('h', 7), sq('f', 6));
        QCOMPARE(boris.send(), QStringLiteral("23. Nf6"));
        QCOMPARE(lastBox(), QStringLiteral("Move sent successfully!"));
        QVERIFY(anna.open(201));
        anna.drag(sq('f', 3), sq('h', 4));
        m_server.stop();
        const qsizetype boxes = m_prompts.messages.size();
        QCOMPARE(anna.send(), QStringLiteral("24. Nh4"));
        QCOMPARE(m_prompts.messages.size(), boxes + 1);
        QCOMPARE(m_prompts.messages.last().icon, TPrompts::Icon::Error);
        QCOMPARE(anna.window->game().MoveCount, 47);
        QCOMPARE(anna.window->diagram()->PieceAt(sq('h', 4)), Piece::WhiteKnight);
        QVERIFY(!anna.window->waitWindow()->isVisible());
        QVERIFY(!QGuiApplication::overrideCursor());
    }
};

int main(int argc, char **argv)
{
    TQuorvalApplication app(argc, argv);
    TestPlayInWindows test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_play_in_windows.moc"
