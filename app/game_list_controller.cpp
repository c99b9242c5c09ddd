#include "app/game_list_controller.h"

#include "app/game_columns.h"
#include "app/game_order.h"
#include "app/game_row.h"
#include "app/general_error.h"
#include "app/settings.h"
#include "service/request_wait.h"
#include "service/server_check.h"
#include "service/xfccbasic.h"
#include "ui/multilang.h"

#include <QHeaderView>
#include <QListWidget>
#include <QScopeGuard>
#include <QTreeWidget>

#include <algorithm>
#include <exception>
#include <utility>

TGameListController::TGameListController(const Lists &lists, const QString &serversFolder, TSettings &settings,
                                         QObject *parent)
    : QObject(parent)
    , m_serverList(lists.servers)
    , m_gameList(lists.games)
    , m_serversFolder(serversFolder)
    , m_settings(settings)
    , m_serverStateIcons(ServerStateIcons())
    , m_gameStateIcons(GameStateIcons())
{
    // A click on a heading orders the list by that column; the list sorts
    // itself only then, so that new rows keep the chosen order.
    m_gameList->header()->setSectionsClickable(true);
    connect(m_gameList->header(), &QHeaderView::sectionClicked, this, &TGameListController::headingClicked);
    connect(&m_pollTimer, &QTimer::timeout, this, Guarded(this, &TGameListController::pollServers));
}

TGameListController::~TGameListController() = default;

void TGameListController::setCurrentGame(const XfccGame &game)
{
    m_currentGame = game;
    m_hasCurrentGame = true;
}

void TGameListController::selectCurrentGameRow()
{
    for (int i = 0; m_hasCurrentGame && i < m_gameList->topLevelItemCount(); ++i) {
        const auto *row = dynamic_cast<const GameRow *>(m_gameList->topLevelItem(i));
        if (row && row->game().id == m_currentGame.id) {
            m_gameList->setCurrentItem(m_gameList->topLevelItem(i));
            return;
        }
    }
}

void TGameListController::applySettings()
{
    m_transport.stallTimeout = std::chrono::seconds(m_settings.ServerTimeoutSeconds);
    applyPolling();
}

void TGameListController::applyPolling()
{
    m_dueAlerts.setThreshold(m_settings.AlertDaysLeft);
    if (!m_settings.PollServers) {
        m_pollTimer.stop();
        return;
    }
    m_pollTimer.start(m_pollIntervalForTesting.count() > 0
                          ? m_pollIntervalForTesting
                          : std::chrono::milliseconds(std::chrono::minutes(m_settings.MinutesToCheck)));
}

void TGameListController::setPollIntervalForTesting(std::chrono::milliseconds interval)
{
    m_pollIntervalForTesting = interval;
    applyPolling();
}

void TGameListController::showGame(const QString &serverName, int gameId)
{
    QListWidgetItem *server = m_serverList->findItems(serverName, Qt::MatchExactly).value(0);
    if (!server || m_requestRunning)
        return;
    m_serverList->setCurrentItem(server);
    showServerGames();
    for (int i = 0; i < m_gameList->topLevelItemCount(); ++i) {
        const auto *row = static_cast<const GameRow *>(m_gameList->topLevelItem(i));
        if (row->game().id == gameId && m_gameList->currentItem() != row) {
            m_gameList->setCurrentItem(m_gameList->topLevelItem(i));
            Q_EMIT gameChosen();
            return;
        }
    }
}

void TGameListController::listServers()
{
    if (m_requestRunning)
        return;
    m_serverList->clear();
    m_serverList->repaint();
    for (const QString &name : ListServerFiles(m_serversFolder)) {
        ReadServerFile(m_serversFolder, name);
        setServerStateIcon(new QListWidgetItem(name, m_serverList), ServerState::NoMoveDue);
    }
}

void TGameListController::refreshServerList(bool withGames)
{
    if (m_requestRunning)
        return;
    listServers();
    if (m_serverList->count() == 0)
        return;
    m_serverList->setCurrentRow(0);
    if (withGames)
        showServerGames();
}

void TGameListController::refreshGames()
{
    QListWidgetItem *server = m_serverList->currentItem();
    if (!server || m_requestRunning)
        return;
    const QScopedValueRollback running(m_requestRunning, true);
    const ServerEntry listedServer = m_currentServer;
    const bool hadCurrentGame = m_hasCurrentGame;
    const int selectedRow = m_gameList->indexOfTopLevelItem(m_gameList->currentItem());
    ServerState state = ServerState(server->data(Qt::UserRole).toInt());
    QString stateReason = server->toolTip();
    m_currentServer.Name = server->text();
    // Last of all, also when the request failed: the server's icon.
    const auto markServer = qScopeGuard([&] { setServerStateIcon(server, state, stateReason); });
    TRequestWait wait(m_waitWindow, connectingText(server->text()), m_transport);
    QList<QTreeWidgetItem *> listedRows = m_gameList->invisibleRootItem()->takeChildren();
    const auto dropListedRows = qScopeGuard([&] { qDeleteAll(listedRows); });
    m_hasCurrentGame = false;
    m_gameList->repaint();

    try {
        const ServerEntry entry = ReadServerFile(m_serversFolder, server->text());
        m_currentServer.ServiceUrl = entry.ServiceUrl;
        m_currentServer.UserName = entry.UserName;
        m_currentServer.Password = entry.Password;
        m_currentServer.WebSite = entry.WebSite;

        const ArrayOfXfccGame games = GetXfccBasicSoap(false, m_currentServer.ServiceUrl, wait.transport())
                                          ->GetMyGames(m_currentServer.UserName, m_currentServer.Password);
        state = ServerState::NoMoveDue;
        stateReason.clear();
        m_dueAlerts.seen(server->text(), games);
        Q_EMIT dueCountChanged();
        for (const XfccGame &game : games) {
            if (!GameListColumns::IsListed(game, m_settings.ShowOnlyOngoingGames))
                continue;
            if (GameListColumns::AwaitsMyMove(game))
                state = ServerState::MoveDue;
            new GameRow(m_gameList, game, m_gameStateIcons);
        }
        sortGameList();
    } catch (...) {
        if (listedServer.Name == server->text() && !listedRows.isEmpty()) {
            m_gameList->clear();
            m_gameList->addTopLevelItems(std::exchange(listedRows, {}));
            m_gameList->setCurrentItem(m_gameList->topLevelItem(selectedRow));
            m_currentServer = listedServer;
            m_hasCurrentGame = hadCurrentGame;
        } else {
            state = ServerState::NoMoveDue;
            stateReason.clear();
        }
        throw;
    }
}

void TGameListController::showServerGames()
{
    if (m_requestRunning)
        return;
    refreshGames();
    if (m_gameList->topLevelItemCount() == 0)
        return;
    m_gameList->setCurrentItem(m_gameList->topLevelItem(0));
    Q_EMIT gameChosen();
}

QList<XfccAccount> TGameListController::listedAccounts(QList<QListWidgetItem *> *asked,
                                                       std::exception_ptr *unreadable) const
{
    QList<XfccAccount> accounts;
    for (int i = 0; i < m_serverList->count(); ++i) {
        QListWidgetItem *server = m_serverList->item(i);
        try {
            const ServerEntry entry = ReadServerFile(m_serversFolder, server->text());
            accounts << XfccAccount{server->text(), entry.ServiceUrl, entry.UserName, entry.Password};
            if (asked)
                *asked << server;
        } catch (const std::exception &) {
            if (unreadable && !*unreadable)
                *unreadable = std::current_exception();
        }
    }
    return accounts;
}

void TGameListController::checkServers()
{
    if (m_serverList->count() == 0 || m_requestRunning)
        return;
    std::exception_ptr unreadableServerFile;
    bool cancelled = false;
    {
        const QScopedValueRollback running(m_requestRunning, true);
        TRequestWait wait(m_waitWindow, QString(), m_transport);
        m_serverList->repaint();
        m_gameList->repaint();
        QList<QListWidgetItem *> asked;
        const QList<XfccAccount> accounts = listedAccounts(&asked, &unreadableServerFile);
        TServerCheck check(accounts, wait.transport());
        QStringList waitingFor;
        for (const XfccAccount &account : accounts)
            waitingFor << account.Name;
        wait.scope().setMessage(connectingText(waitingFor.join(QStringLiteral(", "))));
        connect(&check, &TServerCheck::serverChecked, this, [&](int index) {
            markCheckedServer(asked[index], check.outcome(index));
            if (check.outcome(index).answered)
                m_dueAlerts.seen(accounts[index].Name, check.outcome(index).games);
            waitingFor.removeOne(accounts[index].Name);
            if (!waitingFor.isEmpty())
                wait.scope().setMessage(connectingText(waitingFor.join(QStringLiteral(", "))));
        });
        check.wait();
        cancelled = wait.cancellation().isCancelled();
    }
    if (!cancelled)
        RunGuarded([this] { showServerGames(); });
    if (unreadableServerFile)
        std::rethrow_exception(unreadableServerFile);
}

void TGameListController::pollServers()
{
    if (m_requestRunning || m_backgroundCheck || m_serverList->count() == 0)
        return;
    // "Check servers" reports a server file that cannot be read; a
    // background check never shows a box.
    auto *check = new TServerCheck(listedAccounts(nullptr, nullptr), m_transport, this);
    m_backgroundCheck = check;
    // The list may be read again meanwhile: each answer finds its server by name.
    connect(check, &TServerCheck::serverChecked, this, [this, check](int index) {
        const QString name = check->servers().at(index).Name;
        const ServerCheckOutcome &outcome = check->outcome(index);
        if (QListWidgetItem *server = m_serverList->findItems(name, Qt::MatchExactly).value(0))
            markCheckedServer(server, outcome);
        if (outcome.answered) {
            for (const DueAlert &alert : m_dueAlerts.take(name, outcome.games))
                Q_EMIT dueAlert(alert);
        }
    });
    connect(check, &TServerCheck::finished, this, [this, check] {
        check->deleteLater();
        Q_EMIT dueCountChanged();
    });
    check->start();
}

void TGameListController::sortGameList()
{
    const GameListOrder order = GameListOrder::fromSetting(m_settings.GameListSort);
    QTreeWidgetItem *current = m_gameList->currentItem();
    QList<QTreeWidgetItem *> rows = m_gameList->invisibleRootItem()->takeChildren();
    std::stable_sort(rows.begin(), rows.end(), [&order](const QTreeWidgetItem *a, const QTreeWidgetItem *b) {
        return order.less(static_cast<const GameRow *>(a)->game(), static_cast<const GameRow *>(b)->game());
    });
    m_gameList->addTopLevelItems(rows);
    m_gameList->setCurrentItem(current);
    m_gameList->header()->setSortIndicatorShown(!order.isDefault());
    if (!order.isDefault())
        m_gameList->header()->setSortIndicator(order.column, order.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TGameListController::headingClicked(int column)
{
    m_settings.GameListSort = GameListOrder::fromSetting(m_settings.GameListSort).afterClickOn(column).toSetting();
    sortGameList();
}

void TGameListController::setServerStateIcon(QListWidgetItem *server, ServerState state, const QString &reason)
{
    server->setIcon(m_serverStateIcons.at(int(state)));
    server->setData(Qt::UserRole, int(state));
    server->setToolTip(reason);
}

void TGameListController::markCheckedServer(QListWidgetItem *server, const ServerCheckOutcome &outcome)
{
    if (!outcome.answered) {
        setServerStateIcon(server, ServerState::NotReached, notReachedText(outcome));
        return;
    }
    const bool moveDue = std::any_of(outcome.games.begin(), outcome.games.end(),
                                     [](const XfccGame &game) { return game.myTurn; });
    setServerStateIcon(server, moveDue ? ServerState::MoveDue : ServerState::NoMoveDue);
}

QString TGameListController::notReachedText(const ServerCheckOutcome &outcome) const
{
    const char *reason = "@notreachedother";
    switch (outcome.failureKind) {
    case EXfccError::Kind::TimedOut:
        reason = "@notreachedtimeout";
        break;
    case EXfccError::Kind::Refused:
        reason = "@notreachedrefused";
        break;
    case EXfccError::Kind::Tls:
        reason = "@notreachedtls";
        break;
    case EXfccError::Kind::HttpStatus:
        reason = "@notreachedhttp";
        break;
    case EXfccError::Kind::Fault:
        reason = "@notreachedpassword";
        break;
    case EXfccError::Kind::Cancelled:
        reason = "@notreachedcancelled";
        break;
    case EXfccError::Kind::Connection:
    case EXfccError::Kind::Reply:
        break;
    }
    return text(reason) + QLatin1Char('\n') + outcome.failure;
}

QString TGameListController::connectingText(const QString &serverName) const
{
    return text("@connectingtoserver") + serverName;
}

QString TGameListController::text(const char *id) const
{
    return m_translator ? m_translator->Translate(QLatin1String(id)) : QString();
}
