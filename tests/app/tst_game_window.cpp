#include "app/general_error.h"
#include "app/game_list_controller.h"
#include "app/quorval_main.h"
#include "app/server_entry.h"
#include "app/server_game_loader.h"
#include "board/chess_diagram_2d.h"
#include "board/game_navigator.h"
#include "board/rich_view.h"
#include "recording_prompts.h"
#include "when_modal.h"
#include "xfcc_test_server_process.h"

#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>

// The whole road of a server game in the real window: listed, clicked,
// replayed on the board, stepped through and exported.
class TestGameWindow : public QObject
{
    Q_OBJECT

    TXfccTestServerProcess m_server;

    static QString boardText(const TChessPosition &position)
    {
        QString squares;
        for (int rank = 0; rank < 8; ++rank) {
            for (int file = 0; file < 8; ++file)
                squares += QChar(u'a' + position.GetPiece(Square(rank * 10 + file)));
        }
        return squares;
    }

    // The window with its dialogs and the demo server as its one server.
    void addDemoServer(TQuorvalMain &window)
    {
        window.createDialogs();
        WriteServerFile(window.context().ServersFolder, {"Demo", m_server.serviceAddress(), "demo", "demo", ""});
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_server.start(qEnvironmentVariable("QUORVAL_SOURCE_DIR") + "/tools/xfcc-test-server/demo.json"),
                 qPrintable(m_server.errorString()));
    }

    void everyDemoGameShowsItsLastPosition()
    {
        TRecordingPrompts prompts;
        QTemporaryDir dir;
        TQuorvalMain window(TProgramContext::forFolder(dir.path()));
        addDemoServer(window);
        window.settings().ShowOnlyOngoingGames = false;
        window.games()->refreshServerList(true);
        QTreeWidget *games = window.gameList();
        QVERIFY(games->topLevelItemCount() >= 10);
        for (int row = 0; row < games->topLevelItemCount(); ++row) {
            games->setCurrentItem(games->topLevelItem(row));
            window.loadSelectedGame();
            const GameRecord &game = window.game();
            QCOMPARE(game.CurrentPly, game.MoveCount);
            // The replay on the board against an independent replay of the record.
            QCOMPARE(boardText(window.diagram()->Position()), boardText(PositionAfterPly(game, game.MoveCount)));
            QCOMPARE(window.diagram()->WhiteIsAtBottom(), window.games()->currentGame()->hasWhite);
        }
        QVERIFY2(prompts.messages.isEmpty(), qPrintable(prompts.messageTexts().join('|')));
    }

    void stepThroughAndExport()
    {
        TRecordingPrompts prompts;
        QTemporaryDir dir;
        TQuorvalMain window(TProgramContext::forFolder(dir.path()));
        addDemoServer(window);
        window.games()->refreshServerList(true);
        QVERIFY(window.games()->currentGame());
        QVERIFY(window.game().MoveCount > 0);
        const QString last = boardText(window.diagram()->Position());

        window.findChild<QToolButton *>("firstMoveButton")->click();
        QCOMPARE(window.game().CurrentPly, 0);
        // The game's own start: the first listed game may begin from a set-up.
        QCOMPARE(boardText(window.diagram()->Position()), boardText(PositionAfterPly(window.game(), 0)));
        window.findChild<QToolButton *>("nextMoveButton")->click();
        QCOMPARE(window.game().CurrentPly, 1);
        window.findChild<QToolButton *>("lastMoveButton")->click();
        QCOMPARE(boardText(window.diagram()->Position()), last);

        window.copyEpd();
        QVERIFY(QGuiApplication::clipboard()->text().contains(" KQkq") || QGuiApplication::clipboard()->text().contains(" b ")
                || QGuiApplication::clipboard()->text().contains(" w "));

        prompts.buttonAnswers.enqueue(TPrompts::Button::No);
        window.copyGame();
        const QString pgn = QGuiApplication::clipboard()->text();
        QVERIFY(pgn.startsWith("[Event "));
        QVERIFY(pgn.contains(QStringLiteral("[White \"%1\"]").arg(window.games()->currentGame()->white)));
        QVERIFY(pgn.contains("1."));
        prompts.buttonAnswers.enqueue(TPrompts::Button::No);
        window.appendGameToClipboard();
        QCOMPARE(QGuiApplication::clipboard()->text().count("[Event "), 2);

        // To a file chosen in the save dialog: rewritten, then appended to.
        const QString file = dir.filePath("games.pgn");
        const auto readFile = [&file] {
            QFile f(file);
            return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
        };
        for (int i = 0; i < 2; ++i) {
            prompts.fileAnswers.enqueue(file);
            prompts.buttonAnswers.enqueue(TPrompts::Button::Yes);
            window.saveGame();
        }
        QCOMPARE(readFile().count("[Event "), 1);
        prompts.fileAnswers.enqueue(file);
        prompts.buttonAnswers.enqueue(TPrompts::Button::No);
        window.appendGameToFile();
        QCOMPARE(readFile().count("[Event "), 2);

        window.showGameLog();
        QVERIFY(QFile::exists(dir.filePath("quorval.log")));
        QCOMPARE(prompts.openedUrls.size(), 1);
    }

    void confirmedOptionsRebuildTheMoveListAtOnce()
    {
        TRecordingPrompts prompts;
        QTemporaryDir dir;
        TQuorvalMain window(TProgramContext::forFolder(dir.path()));
        addDemoServer(window);
        window.games()->refreshServerList(true);
        auto *view = window.findChild<TRichView *>("moveListView");
        const auto images = [view] { return view->document()->toHtml().count("<img"); };
        QVERIFY(images() > 0);  // figurines
        WhenModal([](QWidget *options) {
            options->findChild<QCheckBox *>("figurineBox")->setChecked(false);
            options->findChild<QPushButton *>("okButton")->click();
        });
        window.showOptions();
        QVERIFY(!window.settings().UseFigurineNotation);
        QCOMPARE(images(), 0);  // letters now
    }
};

int main(int argc, char **argv)
{
    TQuorvalApplication app(argc, argv);
    TestGameWindow test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_game_window.moc"
