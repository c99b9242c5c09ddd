#include "app/quorval_main.h"

#include "app/add_server_dialog.h"
#include "app/color_ref.h"
#include "app/game_order.h"
#include "app/game_row.h"
#include "app/general_error.h"
#include "app/ini_file.h"
#include "app/notes_pane.h"
#include "app/options_dialog.h"
#include "app/server_name.h"
#include "app/state_icons.h"
#include "board/move_entry.h"
#include "board/promotion_dialog.h"
#include "board/square_pane.h"
#include "engine/enginecontroller.h"
#include "engine/enginepanel.h"
#include "service/request_wait.h"
#include "service/server_check.h"
#include "service/xfccbasic.h"
#include "ui/aboutbox.h"
#include "ui/multilang.h"
#include "ui/prompts.h"
#include "ui/saveform.h"
#include "ui/waitwindow.h"
#include "ui/wordlists.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QListWidget>
#include <QMenuBar>
#include <QStyle>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <QSplitter>

#include <QVBoxLayout>

#include <algorithm>
#include <exception>
#include <utility>

namespace {
constexpr int ToolBarHeight = 33;
constexpr int UpperAreaHeight = 328;
constexpr int BoardPanelWidth = 317;  // the 305-pixel board at left 6 with the same margin right
constexpr int ServersListWidth = 177;
} // namespace

TQuorvalMain::TQuorvalMain(const TProgramContext &context, QWidget *parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_serverStateIcons(ServerStateIcons())
    , m_gameStateIcons(GameStateIcons())
{
    setObjectName(QStringLiteral("QuorvalMain"));
    resize(767, 547);
    createToolBar();
    createMenus();
    createPanels();
    createBoard();
    createMoveList();
    wireCommands();
    m_translator = createMultiLang(this, WordList::QuorvalMain);
    m_windowPlacement = new TSaveForm(this);
    m_windowPlacement->setRegistryKey(QStringLiteral("Software\\Quorval\\QuorvalMain"));
    m_windowPlacement->setCentreAtFirstShow(true);
    m_windowPlacement->setEnabled(true);
    // The described layout until the player moves a splitter: the board
    // pane at its smallest, the lists below taking the rest.
    m_windowPlacement->addSplitter(findChild<QSplitter *>(QStringLiteral("MainSplitter")), UpperAreaHeight);
    m_windowPlacement->addSplitter(findChild<QSplitter *>(QStringLiteral("UpperPanel")), BoardPanelWidth);
    applyStoredSettings();
    m_windowPlacement->afterLoad();
}

TQuorvalMain::~TQuorvalMain() = default;

void TQuorvalMain::applyStoredSettings()
{
    setWindowTitle(ApplicationTitle());

    m_context.createFolders();
    if (!QDir::setCurrent(m_context.ProgramFolder))
        MessageDlg(QStringLiteral("I/O error: cannot change to folder %1")
                       .arg(QDir::toNativeSeparators(m_context.ProgramFolder)),
                   TPrompts::Icon::Error, TPrompts::Button::Ok, this);

    TIniFile ini(m_context.settingsFileName());
    ini.load();
    m_settings = TSettings::read(ini, m_context.ProgramFolder);
    applyServerTimeout();
    connect(&m_pollTimer, &QTimer::timeout, this, Guarded(this, &TQuorvalMain::pollServers));
    applyPolling();

    // The engine panel keeps the colour it gets here for the whole run.
    m_enginePanel->SetBackgroundColor(ColorFromColorRef(m_settings.LightSquaresColor));
    applyBoardColors();

    // Now and at every activation: the options dialog may have changed it. A
    // language the program does not have is reported once here; from then on
    // the default is used, and stored at shutdown.
    m_translator->setActiveLanguage(m_settings.ActiveLanguage);
    if (m_settings.ActiveLanguage >= m_translator->languages())
        m_settings.ActiveLanguage = TSettings().ActiveLanguage;
    m_translator->followActivation([this] { return int(m_settings.ActiveLanguage); });
    update();
}

bool TQuorvalMain::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowDeactivate && m_notesPane) {
        m_notesPane->flush();  // the player turns to another window
    } else if (event->type() == QEvent::WindowActivate) {
        RunGuarded([this] { windowActivated(); });
    } else if (event->type() == QEvent::Show && !m_activatedOnce) {
        // Without a window manager (a bare X server) the window may never be
        // activated; the start-up work must not wait for that.
        QTimer::singleShot(0, this, [this] {
            if (!m_activatedOnce && isVisible())
                RunGuarded([this] { windowActivated(); });
        });
    }
    return handled;
}

void TQuorvalMain::windowActivated()
{
    if (!m_activatedOnce) {
        m_activatedOnce = true;
        const auto done = qScopeGuard([this] { Q_EMIT startupWorkDone(); });
        repaint();
        // The first server's failure is reported and does not keep the
        // others from being checked.
        RunGuarded([this] { refreshServerList(true); });
        if (m_settings.CheckServersPeriodically)
            checkServers();
    }
    // A first run starts in the options dialog, where the user adds servers.
    if (m_optionsDialog && !m_firstRunOptionsShown && !QFile::exists(m_context.settingsFileName())) {
        m_firstRunOptionsShown = true;
        showOptions();
    }
}

void TQuorvalMain::createDialogs()
{
    const auto language = [this] { return int(m_settings.ActiveLanguage); };
    m_addServerDialog = new TAddServerDialog(m_context.ServersFolder, language, this);
    m_aboutBox = new TAboutBox(language, this);
    m_optionsDialog = new TOptionsDialog(m_settings, m_context.ServersFolder, m_addServerDialog, this);
    m_promotionDialog = new TPromotionDialog(this);
    m_waitWindow = new TWaitWindow([this] { return ColorFromColorRef(m_settings.LightSquaresColor); }, this);
    m_waitWindow->setLanguageSource(language);
    const auto listServers = [this] { RunGuarded([this] { refreshServerList(false); }); };
    connect(m_addServerDialog, &TAddServerDialog::serverSaved, this, listServers);
    connect(m_optionsDialog, &TOptionsDialog::serversChanged, this, listServers);
}

void TQuorvalMain::showOptions()
{
    if (m_optionsDialog->exec() == QDialog::Accepted) {
        m_translator->setActiveLanguage(m_settings.ActiveLanguage);
        applyServerTimeout();
        applyPolling();
        updateMoveList();
        applyBoardColors();
    }
}

void TQuorvalMain::applyServerTimeout()
{
    m_xfccTransport.stallTimeout = std::chrono::seconds(m_settings.ServerTimeoutSeconds);
}

void TQuorvalMain::setPollIntervalForTesting(std::chrono::milliseconds interval)
{
    m_pollIntervalForTesting = interval;
    applyPolling();
}

void TQuorvalMain::applyPolling()
{
    m_dueAlerts.setThreshold(m_settings.AlertDaysLeft);
    if (!m_settings.PollServers) {
        m_pollTimer.stop();
        if (m_tray)
            m_tray->hide();
        return;
    }
    m_pollTimer.start(m_pollIntervalForTesting.count() > 0
                          ? m_pollIntervalForTesting
                          : std::chrono::milliseconds(std::chrono::minutes(m_settings.MinutesToCheck)));
    if (!m_tray && QSystemTrayIcon::isSystemTrayAvailable()) {
        m_tray = new QSystemTrayIcon(this);
        connect(m_tray, &QSystemTrayIcon::messageClicked, this, Guarded(this, &TQuorvalMain::showAlertedGame));
        connect(m_tray, &QSystemTrayIcon::activated, this, Guarded(this, &TQuorvalMain::showAlertedGame));
    }
    updateTrayIcon();
}

void TQuorvalMain::updateTrayIcon()
{
    if (!m_tray || !m_settings.PollServers)
        return;
    const int due = m_dueAlerts.dueCount();
    m_tray->setIcon(DueCountIcon(due));
    m_tray->setToolTip(m_translator->Translate(QStringLiteral("@traydue")).replace(QLatin1String("%1"), QString::number(due)));
    m_tray->show();
}

void TQuorvalMain::pollServers()
{
    if (m_serverRequestRunning || m_backgroundCheck || m_serverList->count() == 0)
        return;
    QList<XfccAccount> accounts;
    for (int i = 0; i < m_serverList->count(); ++i) {
        const QString name = m_serverList->item(i)->text();
        try {
            const ServerEntry entry = ReadServerFile(m_context.ServersFolder, name);
            accounts << XfccAccount{name, entry.ServiceUrl, entry.UserName, entry.Password};
        } catch (const std::exception &) {
            // "Check servers" reports it; a background check never shows a box.
        }
    }
    auto *check = new TServerCheck(accounts, m_xfccTransport, this);
    m_backgroundCheck = check;
    // The list may be read again meanwhile: each answer finds its server by name.
    connect(check, &TServerCheck::serverChecked, this, [this, check](int index) {
        const QString name = check->servers().at(index).Name;
        const ServerCheckOutcome &outcome = check->outcome(index);
        if (QListWidgetItem *server = m_serverList->findItems(name, Qt::MatchExactly).value(0))
            markCheckedServer(server, outcome);
        if (outcome.answered) {
            for (const DueAlert &alert : m_dueAlerts.take(name, outcome.games))
                notify(alert);
        }
    });
    connect(check, &TServerCheck::finished, this, [this, check] {
        check->deleteLater();
        updateTrayIcon();
    });
    check->start();
}

void TQuorvalMain::notify(const DueAlert &alert)
{
    const XfccGame &game = alert.game;
    const QString id = alert.kind == DueAlert::Kind::MoveDue ? QStringLiteral("@alertmovedue")
                                                             : QStringLiteral("@alerttimeshort");
    QString text = m_translator->Translate(id);
    text.replace(QLatin1String("%game"), QString::number(game.id))
        .replace(QLatin1String("%white"), game.white)
        .replace(QLatin1String("%black"), game.black)
        .replace(QLatin1String("%server"), alert.server)
        .replace(QLatin1String("%days"), QString::number(game.daysPlayer))
        .replace(QLatin1String("%hours"), QString::number(game.hoursPlayer))
        .replace(QLatin1String("%limit"), QString::number(m_settings.AlertDaysLeft));
    m_alertServer = alert.server;
    m_alertGameId = game.id;
    if (m_tray)
        m_tray->showMessage(ApplicationTitle(), text, QSystemTrayIcon::Information, 15000);
    Q_EMIT alerted(alert.server, game.id, text);
}

void TQuorvalMain::showAlertedGame()
{
    showNormal();
    raise();
    activateWindow();
    QListWidgetItem *server = m_serverList->findItems(m_alertServer, Qt::MatchExactly).value(0);
    if (!server || m_serverRequestRunning)
        return;
    m_serverList->setCurrentItem(server);
    showServerGames();
    for (int i = 0; i < m_gameList->topLevelItemCount(); ++i) {
        const auto *row = static_cast<const GameRow *>(m_gameList->topLevelItem(i));
        if (row->game().id == m_alertGameId && m_gameList->currentItem() != row) {
            m_gameList->setCurrentItem(m_gameList->topLevelItem(i));
            loadSelectedGame();
            return;
        }
    }
}

void TQuorvalMain::closeEvent(QCloseEvent *event)
{
    shutDown();
    event->accept();
}

void TQuorvalMain::shutDown()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    if (!m_notesPane->flush())
        MessageDlg(m_notesPane->problem(), TPrompts::Icon::Warning, TPrompts::Button::Ok, this);
    if (m_engine->Connected())
        toggleEngine();
    // Both places a temporary game file may have been left in.
    QFile::remove(m_context.ProgramFolder + QStringLiteral("temporal.pgn"));
    QFile::remove(m_context.TempFolder + QDir::separator() + QStringLiteral("temporal.pgn"));

    TIniFile ini(m_context.settingsFileName());
    ini.load();
    m_settings.write(ini);
    ini.save();
}

void TQuorvalMain::listServers()
{
    if (m_serverRequestRunning)
        return;
    m_serverList->clear();
    m_serverList->repaint();
    for (const QString &name : ListServerFiles(m_context.ServersFolder)) {
        ReadServerFile(m_context.ServersFolder, name);
        setServerStateIcon(new QListWidgetItem(name, m_serverList), ServerState::NoMoveDue);
    }
}

void TQuorvalMain::refreshServerList(bool withGames)
{
    if (m_serverRequestRunning)
        return;
    listServers();
    if (m_serverList->count() == 0)
        return;
    m_serverList->setCurrentRow(0);
    if (withGames)
        showServerGames();
}

void TQuorvalMain::setServerStateIcon(QListWidgetItem *server, ServerState state, const QString &reason)
{
    server->setIcon(m_serverStateIcons.at(int(state)));
    server->setData(Qt::UserRole, int(state));
    server->setToolTip(reason);
}

QString TQuorvalMain::notReachedText(const ServerCheckOutcome &outcome) const
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
    return m_translator->Translate(QLatin1String(reason)) + QLatin1Char('\n') + outcome.failure;
}

QString TQuorvalMain::connectingText(const QString &serverName) const
{
    return m_translator->Translate(QStringLiteral("@connectingtoserver")) + serverName;
}

void TQuorvalMain::refreshGames()
{
    QListWidgetItem *server = m_serverList->currentItem();
    if (!server || m_serverRequestRunning)
        return;
    const QScopedValueRollback running(m_serverRequestRunning, true);
    // When the listed server's refresh fails, its rows, the selected game and
    // the server's icon come back as they were, so that a move made on the
    // board can still be sent once the server answers again.
    const ServerEntry listedServer = m_currentServer;
    const bool hadCurrentGame = m_hasCurrentGame;
    const int selectedRow = m_gameList->indexOfTopLevelItem(m_gameList->currentItem());
    ServerState state = ServerState(server->data(Qt::UserRole).toInt());
    QString stateReason = server->toolTip();
    m_currentServer.Name = server->text();
    // Last of all, also when the request failed: the server's icon.
    const auto markServer = qScopeGuard([&] { setServerStateIcon(server, state, stateReason); });
    TRequestWait wait(m_waitWindow, connectingText(server->text()), m_xfccTransport);
    QList<QTreeWidgetItem *> listedRows = m_gameList->invisibleRootItem()->takeChildren();
    const auto dropListedRows = qScopeGuard([&] { qDeleteAll(listedRows); });
    m_hasCurrentGame = false;
    m_gameList->repaint();

    try {
        const ServerEntry entry = ReadServerFile(m_context.ServersFolder, server->text());
        m_currentServer.ServiceUrl = entry.ServiceUrl;
        m_currentServer.UserName = entry.UserName;
        m_currentServer.Password = entry.Password;
        m_currentServer.WebSite = entry.WebSite;

        const ArrayOfXfccGame games = GetXfccBasicSoap(false, m_currentServer.ServiceUrl, wait.transport())
                                          ->GetMyGames(m_currentServer.UserName, m_currentServer.Password);
        state = ServerState::NoMoveDue;
        stateReason.clear();
        m_dueAlerts.seen(server->text(), games);
        updateTrayIcon();
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

void TQuorvalMain::sortGameList()
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

void TQuorvalMain::gameListHeadingClicked(int column)
{
    m_settings.GameListSort = GameListOrder::fromSetting(m_settings.GameListSort).afterClickOn(column).toSetting();
    sortGameList();
}

void TQuorvalMain::showServerGames()
{
    if (m_serverRequestRunning)
        return;
    refreshGames();
    if (m_gameList->topLevelItemCount() == 0)
        return;
    m_gameList->setCurrentItem(m_gameList->topLevelItem(0));
    loadSelectedGame();
}

void TQuorvalMain::checkServers()
{
    if (m_serverList->count() == 0 || m_serverRequestRunning)
        return;
    // Every server is asked at once and marked as its answer arrives; one that
    // cannot be reached says why. A server file that cannot be read is
    // reported once the check is over. A cancelled check ends there.
    std::exception_ptr unreadableServerFile;
    bool cancelled = false;
    {
        const QScopedValueRollback running(m_serverRequestRunning, true);
        TRequestWait wait(m_waitWindow, QString(), m_xfccTransport);
        m_serverList->repaint();
        m_gameList->repaint();
        QList<QListWidgetItem *> asked;
        QList<XfccAccount> accounts;
        for (int i = 0; i < m_serverList->count(); ++i) {
            QListWidgetItem *server = m_serverList->item(i);
            try {
                const ServerEntry entry = ReadServerFile(m_context.ServersFolder, server->text());
                accounts << XfccAccount{server->text(), entry.ServiceUrl, entry.UserName, entry.Password};
                asked << server;
            } catch (const std::exception &) {
                if (!unreadableServerFile)
                    unreadableServerFile = std::current_exception();
            }
        }
        TServerCheck check(accounts, wait.transport());
        QStringList waitingFor;
        for (const XfccAccount &account : std::as_const(accounts))
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

void TQuorvalMain::markCheckedServer(QListWidgetItem *server, const ServerCheckOutcome &outcome)
{
    if (!outcome.answered) {
        setServerStateIcon(server, ServerState::NotReached, notReachedText(outcome));
        return;
    }
    const bool moveDue = std::any_of(outcome.games.begin(), outcome.games.end(),
                                     [](const XfccGame &game) { return game.myTurn; });
    setServerStateIcon(server, moveDue ? ServerState::MoveDue : ServerState::NoMoveDue);
}

QString TQuorvalMain::webSiteBase()
{
    return QStringLiteral("https://www.quorval.org");
}

void TQuorvalMain::openAddress(const QString &address)
{
    if (!address.isEmpty())
        TPrompts::instance().openUrl(QUrl(address));
}

void TQuorvalMain::openServerAddress(const QString &address)
{
    if (address.isEmpty())
        return;
    // A server or a hand-made file could name a local file or program here.
    if (!IsWebAddress(address)) {
        MessageDlg(m_translator->Translate(QStringLiteral("@notawebaddress")).replace(QLatin1String("%1"), address),
                   TPrompts::Icon::Warning, TPrompts::Button::Ok, this);
        return;
    }
    openAddress(address);
}

void TQuorvalMain::openOnlineHelp()
{
    openAddress(webSiteBase() + QStringLiteral("/xfcc/index.html"));
}

void TQuorvalMain::openProgramHistory()
{
    openAddress(webSiteBase() + QStringLiteral("/xfcc/index.html#history"));
}

void TQuorvalMain::openForums()
{
    openAddress(webSiteBase() + QStringLiteral("/cgi-bin/simpleforum.cgi"));
}

void TQuorvalMain::openServerWebSite()
{
    openServerAddress(m_currentServer.WebSite);
}

void TQuorvalMain::openGameWebPage()
{
    if (!m_gameList->currentItem() || !m_hasCurrentGame) {
        MessageDlg(QStringLiteral("No game active!"), TPrompts::Icon::Error, TPrompts::Button::Ok, this);
        return;
    }
    openServerAddress(m_currentGame.gameLink);
}

void TQuorvalMain::showAbout()
{
    m_aboutBox->setVersionText(QLatin1String(VersionText));
    m_aboutBox->exec();
}

template <typename Slot>
void TQuorvalMain::wire(const char *name, Slot slot)
{
    if (auto *button = findChild<QToolButton *>(QLatin1String(name))) {
        button->setEnabled(true);
        connect(button, &QToolButton::clicked, this, Guarded(this, slot));
    } else if (auto *action = findChild<QAction *>(QLatin1String(name))) {
        action->setEnabled(true);
        connect(action, &QAction::triggered, this, Guarded(this, slot));
    }
}

// Connects the tool buttons and menu entries to their commands; those not
// connected here stay disabled.
void TQuorvalMain::wireCommands()
{
    wire("closeButton", &TQuorvalMain::close);
    wire("exitAction", &TQuorvalMain::close);
    wire("optionsButton", &TQuorvalMain::showOptions);
    wire("optionsAction", &TQuorvalMain::showOptions);
    wire("checkServersButton", &TQuorvalMain::checkServers);
    wire("checkServersAction", &TQuorvalMain::checkServers);
    wire("refreshGamesAction", &TQuorvalMain::refreshGames);
    wire("reloadGameButton", &TQuorvalMain::loadSelectedGame);
    wire("gameWebPageButton", &TQuorvalMain::openGameWebPage);
    wire("onlineHelpAction", &TQuorvalMain::openOnlineHelp);
    wire("programHistoryAction", &TQuorvalMain::openProgramHistory);
    wire("forumsAction", &TQuorvalMain::openForums);
    wire("aboutAction", &TQuorvalMain::showAbout);
    wire("engineButton", &TQuorvalMain::toggleEngine);
    wire("sendMoveAction", &TQuorvalMain::sendMove);
    wire("copyGameAction", &TQuorvalMain::copyGame);
    wire("appendGameToClipboardAction", &TQuorvalMain::appendGameToClipboard);
    wire("saveGameAction", &TQuorvalMain::saveGame);
    wire("appendGameToFileAction", &TQuorvalMain::appendGameToFile);
    wire("copyEpdAction", &TQuorvalMain::copyEpd);
    wire("showGameLogAction", &TQuorvalMain::showGameLog);
    wire("sendMoveButton", &TQuorvalMain::sendMove);
    wire("checkServerAction", &TQuorvalMain::showServerGames);
    wire("serverWebSiteAction", &TQuorvalMain::openServerWebSite);
    connect(m_serverList, &QListWidget::itemClicked, this, Guarded(this, &TQuorvalMain::showServerGames));
    connect(m_serverList, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_serverMenu->popup(m_serverList->viewport()->mapToGlobal(at)); });
    connect(m_gameList, &QTreeWidget::itemClicked, this, Guarded(this, &TQuorvalMain::loadSelectedGame));
}

QToolButton *TQuorvalMain::addToolButton(const char *name, const QString &hint, const QIcon &icon)
{
    auto *button = new QToolButton(this);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    button->setIcon(icon);
    button->setAutoRaise(true);
    button->setEnabled(false);  // until wireCommands() connects it
    button->setFixedSize(30, 30);
    button->setIconSize(QSize(22, 22));
    findChild<QToolBar *>(QStringLiteral("toolBar"))->addWidget(button);
    return button;
}

void TQuorvalMain::createToolBar()
{
    auto *toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("toolBar"));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setFixedHeight(ToolBarHeight);
    toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(toolBar);

    const QStyle *s = style();
    addToolButton("closeButton", QStringLiteral("Close Quorval"), s->standardIcon(QStyle::SP_DialogCloseButton));
    addToolButton("optionsButton", QStringLiteral("Opens the config dialog"),
                  s->standardIcon(QStyle::SP_FileDialogDetailedView));
    addToolButton("checkServersButton", QStringLiteral("Check servers"), s->standardIcon(QStyle::SP_BrowserReload));
    addToolButton("reloadGameButton", QStringLiteral("Reload game"), s->standardIcon(QStyle::SP_FileDialogContentsView));
    addToolButton("sendMoveButton", QStringLiteral("Send move"), s->standardIcon(QStyle::SP_DialogApplyButton));
    addToolButton("gameWebPageButton", QStringLiteral("Go to game web page"), s->standardIcon(QStyle::SP_DriveNetIcon));
    addToolButton("firstMoveButton", QStringLiteral("Go to the first move"), s->standardIcon(QStyle::SP_MediaSkipBackward));
    addToolButton("previousMoveButton", QStringLiteral("Go to previous move"), s->standardIcon(QStyle::SP_MediaSeekBackward));
    addToolButton("nextMoveButton", QStringLiteral("Go next move"), s->standardIcon(QStyle::SP_MediaSeekForward));
    addToolButton("lastMoveButton", QStringLiteral("Go to last move"), s->standardIcon(QStyle::SP_MediaSkipForward));
    addToolButton("engineButton", QStringLiteral("Toggle engine analysis"), s->standardIcon(QStyle::SP_ComputerIcon));
}

void TQuorvalMain::createMenus()
{
    const auto addEntry = [this](QMenu *menu, const char *name, const QString &text) {
        QAction *action = menu->addAction(text);
        action->setObjectName(QLatin1String(name));
        action->setEnabled(false);  // until wireCommands() connects it
        return action;
    };

    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    addEntry(file, "optionsAction", QStringLiteral("Options ..."));
    file->addSeparator()->setObjectName(QStringLiteral("fileSeparator"));
    addEntry(file, "exitAction", QStringLiteral("Exit"));

    QMenu *commands = menuBar()->addMenu(QStringLiteral("Commands"));
    commands->setObjectName(QStringLiteral("commandsMenu"));
    addEntry(commands, "sendMoveAction", QStringLiteral("Send Move ..."));
    addEntry(commands, "refreshGamesAction", QStringLiteral("Refresh game list"));
    addEntry(commands, "checkServersAction", QStringLiteral("Check servers"));
    commands->addSeparator()->setObjectName(QStringLiteral("commandsSeparator"));
    QMenu *exportPgn = commands->addMenu(QStringLiteral("Export PGN"));
    exportPgn->setObjectName(QStringLiteral("exportPgnMenu"));
    QMenu *toClipboard = exportPgn->addMenu(QStringLiteral("To Clipboard"));
    toClipboard->setObjectName(QStringLiteral("toClipboardMenu"));
    addEntry(toClipboard, "copyGameAction", QStringLiteral("Clear clipboard"));
    addEntry(toClipboard, "appendGameToClipboardAction", QStringLiteral("Append to clipboard"));
    QMenu *toFile = exportPgn->addMenu(QStringLiteral("To PGN file"));
    toFile->setObjectName(QStringLiteral("toPgnFileMenu"));
    addEntry(toFile, "saveGameAction", QStringLiteral("Rewrite file"));
    addEntry(toFile, "appendGameToFileAction", QStringLiteral("Append to file"));
    QAction *withNotes = exportPgn->addAction(QStringLiteral("With my notes"));
    withNotes->setObjectName(QStringLiteral("exportWithNotesAction"));
    withNotes->setCheckable(true);
    addEntry(commands, "copyEpdAction", QStringLiteral("Copy EPD to clipboard"));
    addEntry(commands, "showGameLogAction", QStringLiteral("Show game log"));

    QMenu *help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    addEntry(help, "onlineHelpAction", QStringLiteral("Online help"));
    addEntry(help, "programHistoryAction", QStringLiteral("Program history"));
    addEntry(help, "forumsAction", QStringLiteral("Quorval forums"));
    help->addSeparator()->setObjectName(QStringLiteral("helpSeparator"));
    addEntry(help, "aboutAction", QStringLiteral("About ..."));

    m_serverMenu = new QMenu(this);
    m_serverMenu->setObjectName(QStringLiteral("serverMenu"));
    addEntry(m_serverMenu, "checkServerAction", QStringLiteral("Check server"));
    addEntry(m_serverMenu, "serverWebSiteAction", QStringLiteral("Go to server website"));
}

void TQuorvalMain::createPanels()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralPanel"));
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The board with the move list beside it over the server and game
    // lists; the player moves both splitters, the board stays square.
    auto *splitter = new QSplitter(Qt::Vertical, central);
    splitter->setObjectName(QStringLiteral("MainSplitter"));
    splitter->setChildrenCollapsible(false);
    auto *upper = new QSplitter(Qt::Horizontal, splitter);
    upper->setObjectName(QStringLiteral("UpperPanel"));
    upper->setChildrenCollapsible(false);

    auto *boardPane = new TSquarePane(upper);
    boardPane->setMinimumSide(BoardPanelWidth - 2 * TSquarePane::MarginX);
    m_boardPanel = boardPane;
    m_boardPanel->setObjectName(QStringLiteral("boardPanel"));
    upper->addWidget(m_boardPanel);

    auto *right = new QWidget(upper);
    right->setObjectName(QStringLiteral("rightPanel"));
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    m_moveListPanel = new QWidget(right);
    m_moveListPanel->setObjectName(QStringLiteral("moveListPanel"));
    new QVBoxLayout(m_moveListPanel);
    m_moveListPanel->layout()->setContentsMargins(0, 0, 0, 0);
    m_enginePanel = new TEnginePanel(right);
    m_engine = new TEngineController(this);
    m_engine->setObjectName(QStringLiteral("engine"));
    m_engine->SetLogFallbackFolder(m_context.TempFolder);
    m_enginePanel->Follow(m_engine);
    rightLayout->addWidget(m_moveListPanel, 1);
    rightLayout->addWidget(m_enginePanel);
    upper->addWidget(right);
    upper->setStretchFactor(0, 1);
    upper->setStretchFactor(1, 1);
    splitter->addWidget(upper);
    layout->addWidget(splitter, 1);

    auto *lower = new QWidget(splitter);
    lower->setObjectName(QStringLiteral("lowerPanel"));
    auto *lowerLayout = new QHBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->setSpacing(0);

    m_serverList = new QListWidget(lower);
    m_serverList->setObjectName(QStringLiteral("serverList"));
    m_serverList->setViewMode(QListView::IconMode);
    m_serverList->setIconSize(QSize(32, 32));
    m_serverList->setMovement(QListView::Static);
    m_serverList->setResizeMode(QListView::Adjust);
    m_serverList->setWordWrap(true);
    m_serverList->setFixedWidth(ServersListWidth);
    m_serverList->setContextMenuPolicy(Qt::CustomContextMenu);
    lowerLayout->addWidget(m_serverList);

    m_gameList = new QTreeWidget(lower);
    m_gameList->setObjectName(QStringLiteral("gameList"));
    m_gameList->setRootIsDecorated(false);
    m_gameList->setItemsExpandable(false);
    m_gameList->setUniformRowHeights(true);
    m_gameList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_gameList->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_gameList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_gameList->setIconSize(QSize(16, 16));
    m_gameList->setHeaderLabels({QStringLiteral("Game#"), QStringLiteral("White"), QStringLiteral("Black"),
                               QStringLiteral("Event"), QStringLiteral("Your time"),
                               QStringLiteral("Opp. time"), QStringLiteral("Result")});
    const int widths[] = {60, 100, 100, 120, 60, 60, 60};
    for (int column = 0; column < 7; ++column)
        m_gameList->setColumnWidth(column, widths[column]);
    m_gameList->header()->setStretchLastSection(false);
    // A click on a heading orders the list by that column; the list sorts
    // itself only then, so that new rows keep the chosen order.
    m_gameList->header()->setSectionsClickable(true);
    connect(m_gameList->header(), &QHeaderView::sectionClicked, this, &TQuorvalMain::gameListHeadingClicked);
    // Keep the selection visible when the list loses the focus.
    QPalette gamePalette = m_gameList->palette();
    gamePalette.setColor(QPalette::Inactive, QPalette::Highlight,
                         gamePalette.color(QPalette::Active, QPalette::Highlight));
    gamePalette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         gamePalette.color(QPalette::Active, QPalette::HighlightedText));
    m_gameList->setPalette(gamePalette);
    lowerLayout->addWidget(m_gameList, 1);
    splitter->addWidget(lower);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);

    setCentralWidget(central);
}
