#pragma once

#include "app/due_alerts.h"
#include "app/server_entry.h"
#include "app/state_icons.h"
#include "service/xfcc_account.h"
#include "service/xfcc_transport.h"
#include "service/xfcc_types.h"

#include <QIcon>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTimer>

#include <chrono>
#include <exception>

class QListWidget;
class QListWidgetItem;
class QTreeWidget;
class TMultiLang;
class TServerCheck;
class TWaitWindow;
struct ServerCheckOutcome;
struct TSettings;

// The player's servers and their games as the main window lists them: the
// server list with each server's state, the game list of the selected
// server, the checks of every server (asked for, or in the background while
// "POLL_SERVERS" is on) and the alerts they raise. It works on the window's
// two lists; the window loads the game that gameChosen() names.
//
// Requests run in a local event loop where timers and window events keep
// arriving. While one runs, the commands that talk to a server or rebuild the
// lists return at once, so that no request has its list items deleted under it.
class TGameListController : public QObject
{
    Q_OBJECT
public:
    struct Lists
    {
        QListWidget *servers = nullptr;
        QTreeWidget *games = nullptr;
    };
    TGameListController(const Lists &lists, const QString &serversFolder, TSettings &settings,
                        QObject *parent = nullptr);
    ~TGameListController() override;

    // Set once the window has made them: the wait window of server requests
    // and the texts of the active language.
    void setWaitWindow(TWaitWindow *waitWindow) { m_waitWindow = waitWindow; }
    void setTranslator(TMultiLang *translator) { m_translator = translator; }

    // The selected server as last listed, and its game the board shows.
    const ServerEntry &currentServer() const { return m_currentServer; }
    const XfccGame *currentGame() const { return m_hasCurrentGame ? &m_currentGame : nullptr; }
    // The board now shows `game`, a row of the game list.
    void setCurrentGame(const XfccGame &game);
    // Selects the game list's row of the current game again, when it has one.
    void selectCurrentGameRow();

    // How server requests travel and how long they may take: the defaults of
    // XfccTransport with the time-out of the settings, unless set here.
    const XfccTransport &transport() const { return m_transport; }
    void setXfccTransport(const XfccTransport &transport) { m_transport = transport; }
    bool requestRunning() const { return m_requestRunning; }
    // Marks a request of the window's own (a move sent) as running while the
    // value lives.
    [[nodiscard]] QScopedValueRollback<bool> runningRequest() { return QScopedValueRollback(m_requestRunning, true); }

    // "SERVER_TIMEOUT_SECONDS", "POLL_SERVERS", "MINUTES_TO_CHECK" and
    // "ALERT_DAYS_LEFT" as the settings now hold them.
    void applySettings();
    // How often the background check runs while "POLL_SERVERS" is on; tests
    // set seconds, the settings give minutes.
    void setPollIntervalForTesting(std::chrono::milliseconds interval);
    int dueCount() const { return m_dueAlerts.dueCount(); }

    // Selects the server and the game of an alert, and has the game loaded.
    void showGame(const QString &server, int gameId);

public Q_SLOTS:
    // Lists the server files, each server marked "no move due"; a server file
    // that cannot be read ends the listing with its error.
    void listServers();
    // listServers(), the first server selected and, with `withGames`, its games shown.
    void refreshServerList(bool withGames);
    // Asks the selected server for its games and lists them in the order of
    // "GAME_LIST_SORT". When the listed server's refresh fails, its rows, the
    // selected game and the server's icon come back as they were, so that a
    // move made on the board can still be sent once the server answers again.
    void refreshGames();
    // refreshGames(), then the first game chosen.
    void showServerGames();
    // Asks every server at once and marks each as its answer arrives; one that
    // cannot be reached says why. A server file that cannot be read is
    // reported once the check is over. A cancelled check ends there.
    void checkServers();
    // The background check: every server at once, no wait window, the board
    // left alone; a server that cannot be reached is marked, never reported.
    void pollServers();

Q_SIGNALS:
    // The selected row of the game list is to be shown on the board.
    void gameChosen();
    // A background check found a game the player should be told of.
    void dueAlert(const DueAlert &alert);
    // The number of games whose move is due may have changed.
    void dueCountChanged();

private:
    void applyPolling();
    void sortGameList();
    void headingClicked(int column);
    void setServerStateIcon(QListWidgetItem *server, ServerState state, const QString &reason = {});
    // The icon of a server from its answer to a check; the reason as its tool tip when not reached.
    void markCheckedServer(QListWidgetItem *server, const ServerCheckOutcome &outcome);
    QString notReachedText(const ServerCheckOutcome &outcome) const;
    QString connectingText(const QString &serverName) const;
    QString text(const char *id) const;
    // The accounts of the listed servers; a file that cannot be read is left
    // out and, when `unreadable` is given, its first failure kept there.
    QList<XfccAccount> listedAccounts(QList<QListWidgetItem *> *asked, std::exception_ptr *unreadable) const;

    QListWidget *m_serverList;
    QTreeWidget *m_gameList;
    QString m_serversFolder;
    TSettings &m_settings;
    TWaitWindow *m_waitWindow = nullptr;
    TMultiLang *m_translator = nullptr;
    const QList<QIcon> m_serverStateIcons;
    const QList<QIcon> m_gameStateIcons;
    ServerEntry m_currentServer;
    XfccGame m_currentGame;
    bool m_hasCurrentGame = false;
    XfccTransport m_transport;
    bool m_requestRunning = false;
    TDueAlerts m_dueAlerts;
    QTimer m_pollTimer;
    std::chrono::milliseconds m_pollIntervalForTesting{0};
    QPointer<TServerCheck> m_backgroundCheck;
};
