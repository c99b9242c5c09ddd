#pragma once

#include "app/game_list_controller.h"
#include "app/quorval_main.h"
#include "app/server_entry.h"
#include "board/chess_diagram_2d.h"
#include "canned_http_server.h"
#include "recording_prompts.h"
#include "tools/xfcc-test-server/server_soap.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

// The main window as a player meets it: shown, its program folder
// "program" in a folder of its own, with one server "Loopback" played by a
// canned peer. The prompts answer and record.
struct TMainWindowRig
{
    TRecordingPrompts prompts;
    QTemporaryDir dir;
    TCannedHttpServer server;
    std::unique_ptr<TQuorvalMain> window;

    QString programFolder() const { return dir.filePath(QStringLiteral("program")); }

    // Starts the window with the server answering with these games, and
    // waits until the first one is loaded, as at a start.
    void start(const ArrayOfXfccGame &games, const XfccTransport &transport = {})
    {
        server.setReply(200, WriteGetMyGamesResponse(games));
        QVERIFY(QDir().mkpath(programFolder()));
        QFile ini(programFolder() + QStringLiteral("/quorval.ini"));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        // One server: the start-up check would only ask it again.
        ini.write("[SETUP]\r\nSHOW_ONLY_ONGOING_GAMES=1\r\nCHECK_SERVERS_PERIODICALLY=0\r\n");
        ini.close();
        window = std::make_unique<TQuorvalMain>(TProgramContext::forFolder(programFolder()));
        window->createDialogs();
        window->games()->setXfccTransport(transport);
        WriteServerFile(window->context().ServersFolder, {"Loopback", server.serviceAddress(), "ann", "secret", ""});
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY(window->games()->currentGame());
    }

    void drag(Square from, Square to)
    {
        TChessDiagram2D *board = window->diagram();
        const auto centre = [board](Square q) {
            return board->squareOrigin(q) + QPoint(TChessDiagram2D::S / 2, TChessDiagram2D::S / 2);
        };
        QTest::mousePress(board, Qt::LeftButton, {}, centre(from));
        QTest::mouseMove(board, centre(to));
        QTest::mouseRelease(board, Qt::LeftButton, {}, centre(to));
    }

    // A menu command, as the player picks it.
    void trigger(const char *action) { window->findChild<QAction *>(QLatin1String(action))->trigger(); }

    // A click on a row of the game list.
    void clickGame(int row)
    {
        QTreeWidget *list = window->gameList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(row)).center());
    }
};
