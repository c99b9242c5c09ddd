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
    MultiLang1 = createMultiLang(this, WordList::QuorvalMain);
    SaveForm1 = new TSaveForm(this);
    SaveForm1->setObjectName(QStringLiteral("SaveForm1"));
    SaveForm1->setRegistryKey(QStringLiteral("Software\\Quorval\\QuorvalMain"));
    SaveForm1->setCentreAtFirstShow(true);
    SaveForm1->setEnabled(true);
    // The described layout until the player moves a splitter: the board
    // pane at its smallest, the lists below taking the rest.
    SaveForm1->addSplitter(findChild<QSplitter *>(QStringLiteral("MainSplitter")), UpperAreaHeight);
    SaveForm1->addSplitter(findChild<QSplitter *>(QStringLiteral("UpperPanel")), BoardPanelWidth);
    FormCreate();
    SaveForm1->afterLoad();
}

TQuorvalMain::~TQuorvalMain() = default;

void TQuorvalMain::FormCreate()
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
    PanelEngine->SetBackgroundColor(ColorFromColorRef(m_settings.LightSquaresColor));
    applyBoardColors();

    // Now and at every activation: the options dialog may have changed it. A
    // language the program does not have is reported once here; from then on
    // the default is used, and stored at shutdown.
    MultiLang1->setActiveLanguage(m_settings.ActiveLanguage);
    if (m_settings.ActiveLanguage >= MultiLang1->languages())
        m_settings.ActiveLanguage = TSettings().ActiveLanguage;
    MultiLang1->followActivation([this] { return int(m_settings.ActiveLanguage); });
    update();
}

bool TQuorvalMain::event(QEvent *event)
{
    const bool handled = QMainWindow::event(event);
    if (event->type() == QEvent::WindowDeactivate && m_notesPane) {
        m_notesPane->flush();  // the player turns to another window
    } else if (event->type() == QEvent::WindowActivate) {
        RunGuarded([this] { FormActivate(); });
    } else if (event->type() == QEvent::Show && !m_activatedOnce) {
        // Without a window manager (a bare X server) the window may never be
        // activated; the start-up work must not wait for that.
        QTimer::singleShot(0, this, [this] {
            if (!m_activatedOnce && isVisible())
                RunGuarded([this] { FormActivate(); });
        });
    }
    return handled;
}

void TQuorvalMain::FormActivate()
{
    if (!m_activatedOnce) {
        m_activatedOnce = true;
        const auto done = qScopeGuard([this] { Q_EMIT startupWorkDone(); });
        repaint();
        // The first server's failure is reported and does not keep the
        // others from being checked.
        RunGuarded([this] { refreshServerList(true); });
        if (m_settings.CheckServersPeriodically)
            SpyServers();
    }
    // A first run starts in the options dialog, where the user adds servers.
    if (OptionsDialog && !m_firstRunOptionsShown && !QFile::exists(m_context.settingsFileName())) {
        m_firstRunOptionsShown = true;
        Options1Click();
    }
}

void TQuorvalMain::createDialogs()
{
    const auto language = [this] { return int(m_settings.ActiveLanguage); };
    AddServerDialog = new TAddServerDialog(m_context.ServersFolder, language, this);
    AboutBox = new TAboutBox(language, this);
    OptionsDialog = new TOptionsDialog(m_settings, m_context.ServersFolder, AddServerDialog, this);
    PromotionDialog = new TPromotionDialog(this);
    WaitWindow = new TWaitWindow([this] { return ColorFromColorRef(m_settings.LightSquaresColor); }, this);
    WaitWindow->setLanguageSource(language);
    const auto listServers = [this] { RunGuarded([this] { refreshServerList(false); }); };
    connect(AddServerDialog, &TAddServerDialog::serverSaved, this, listServers);
    connect(OptionsDialog, &TOptionsDialog::serversChanged, this, listServers);
}

void TQuorvalMain::Options1Click()
{
    if (OptionsDialog->exec() == QDialog::Accepted) {
        MultiLang1->setActiveLanguage(m_settings.ActiveLanguage);
        applyServerTimeout();
        applyPolling();
        UpdateMoveList();
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
    m_tray->setToolTip(MultiLang1->Translate(QStringLiteral("@traydue")).replace(QLatin1String("%1"), QString::number(due)));
    m_tray->show();
}

void TQuorvalMain::pollServers()
{
    if (m_serverRequestRunning || m_backgroundCheck || ServersList->count() == 0)
        return;
    QList<XfccAccount> accounts;
    for (int i = 0; i < ServersList->count(); ++i) {
        const QString name = ServersList->item(i)->text();
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
        if (QListWidgetItem *server = ServersList->findItems(name, Qt::MatchExactly).value(0))
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
    QString text = MultiLang1->Translate(id);
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
    QListWidgetItem *server = ServersList->findItems(m_alertServer, Qt::MatchExactly).value(0);
    if (!server || m_serverRequestRunning)
        return;
    ServersList->setCurrentItem(server);
    ServersListClick();
    for (int i = 0; i < GameList->topLevelItemCount(); ++i) {
        const auto *row = static_cast<const GameRow *>(GameList->topLevelItem(i));
        if (row->game().id == m_alertGameId && GameList->currentItem() != row) {
            GameList->setCurrentItem(GameList->topLevelItem(i));
            GameListClick();
            return;
        }
    }
}

void TQuorvalMain::closeEvent(QCloseEvent *event)
{
    FormDestroy();
    event->accept();
}

void TQuorvalMain::FormDestroy()
{
    if (m_destroyed)
        return;
    m_destroyed = true;
    if (!m_notesPane->flush())
        MessageDlg(m_notesPane->problem(), TPrompts::Icon::Warning, TPrompts::Button::Ok, this);
    if (Engine->Connected())
        EngineButtonClick();
    // Both places a temporary game file may have been left in.
    QFile::remove(m_context.ProgramFolder + QStringLiteral("temporal.pgn"));
    QFile::remove(m_context.TempFolder + QDir::separator() + QStringLiteral("temporal.pgn"));

    TIniFile ini(m_context.settingsFileName());
    ini.load();
    m_settings.write(ini);
    ini.save();
}

void TQuorvalMain::Exit1Click()
{
    close();
}

void TQuorvalMain::RefreshNodeList()
{
    if (m_serverRequestRunning)
        return;
    ServersList->clear();
    ServersList->repaint();
    for (const QString &name : ListServerFiles(m_context.ServersFolder)) {
        ReadServerFile(m_context.ServersFolder, name);
        setServerStateIcon(new QListWidgetItem(name, ServersList), ServerState::NoMoveDue);
    }
}

void TQuorvalMain::refreshServerList(bool withGames)
{
    if (m_serverRequestRunning)
        return;
    RefreshNodeList();
    if (ServersList->count() == 0)
        return;
    ServersList->setCurrentRow(0);
    if (withGames)
        ServersListClick();
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
    return MultiLang1->Translate(QLatin1String(reason)) + QLatin1Char('\n') + outcome.failure;
}

QString TQuorvalMain::connectingText(const QString &serverName) const
{
    return MultiLang1->Translate(QStringLiteral("@connectingtoserver")) + serverName;
}

void TQuorvalMain::RefreshGameList()
{
    QListWidgetItem *server = ServersList->currentItem();
    if (!server || m_serverRequestRunning)
        return;
    const QScopedValueRollback running(m_serverRequestRunning, true);
    // When the listed server's refresh fails, its rows, the selected game and
    // the server's icon come back as they were, so that a move made on the
    // board can still be sent once the server answers again.
    const ServerEntry listedServer = m_currentServer;
    const bool hadCurrentGame = m_hasCurrentGame;
    const int selectedRow = GameList->indexOfTopLevelItem(GameList->currentItem());
    ServerState state = ServerState(server->data(Qt::UserRole).toInt());
    QString stateReason = server->toolTip();
    m_currentServer.Name = server->text();
    // Last of all, also when the request failed: the server's icon.
    const auto markServer = qScopeGuard([&] { setServerStateIcon(server, state, stateReason); });
    TRequestWait wait(WaitWindow, connectingText(server->text()), m_xfccTransport);
    QList<QTreeWidgetItem *> listedRows = GameList->invisibleRootItem()->takeChildren();
    const auto dropListedRows = qScopeGuard([&] { qDeleteAll(listedRows); });
    m_hasCurrentGame = false;
    GameList->repaint();

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
            new GameRow(GameList, game, m_gameStateIcons);
        }
        sortGameList();
    } catch (...) {
        if (listedServer.Name == server->text() && !listedRows.isEmpty()) {
            GameList->clear();
            GameList->addTopLevelItems(std::exchange(listedRows, {}));
            GameList->setCurrentItem(GameList->topLevelItem(selectedRow));
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
    QTreeWidgetItem *current = GameList->currentItem();
    QList<QTreeWidgetItem *> rows = GameList->invisibleRootItem()->takeChildren();
    std::stable_sort(rows.begin(), rows.end(), [&order](const QTreeWidgetItem *a, const QTreeWidgetItem *b) {
        return order.less(static_cast<const GameRow *>(a)->game(), static_cast<const GameRow *>(b)->game());
    });
    GameList->addTopLevelItems(rows);
    GameList->setCurrentItem(current);
    GameList->header()->setSortIndicatorShown(!order.isDefault());
    if (!order.isDefault())
        GameList->header()->setSortIndicator(order.column, order.descending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void TQuorvalMain::gameListHeadingClicked(int column)
{
    m_settings.GameListSort = GameListOrder::fromSetting(m_settings.GameListSort).afterClickOn(column).toSetting();
    sortGameList();
}

void TQuorvalMain::ServersListClick()
{
    if (m_serverRequestRunning)
        return;
    RefreshGameList();
    if (GameList->topLevelItemCount() == 0)
        return;
    GameList->setCurrentItem(GameList->topLevelItem(0));
    GameListClick();
}

void TQuorvalMain::SpyServers()
{
    if (ServersList->count() == 0 || m_serverRequestRunning)
        return;
    // Every server is asked at once and marked as its answer arrives; one that
    // cannot be reached says why. A server file that cannot be read is
    // reported once the check is over. A cancelled check ends there.
    std::exception_ptr unreadableServerFile;
    bool cancelled = false;
    {
        const QScopedValueRollback running(m_serverRequestRunning, true);
        TRequestWait wait(WaitWindow, QString(), m_xfccTransport);
        ServersList->repaint();
        GameList->repaint();
        QList<QListWidgetItem *> asked;
        QList<XfccAccount> accounts;
        for (int i = 0; i < ServersList->count(); ++i) {
            QListWidgetItem *server = ServersList->item(i);
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
        RunGuarded([this] { ServersListClick(); });
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

void TQuorvalMain::Getgamelist2Click()
{
    RefreshGameList();
}

void TQuorvalMain::Checkservers1Click()
{
    SpyServers();
}

QString TQuorvalMain::WebSiteBase()
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
        MessageDlg(MultiLang1->Translate(QStringLiteral("@notawebaddress")).replace(QLatin1String("%1"), address),
                   TPrompts::Icon::Warning, TPrompts::Button::Ok, this);
        return;
    }
    openAddress(address);
}

void TQuorvalMain::Mainhelp1Click()
{
    openAddress(WebSiteBase() + QStringLiteral("/xfcc/index.html"));
}

void TQuorvalMain::Programhistory1Click()
{
    openAddress(WebSiteBase() + QStringLiteral("/xfcc/index.html#history"));
}

void TQuorvalMain::Quorvalforums1Click()
{
    openAddress(WebSiteBase() + QStringLiteral("/cgi-bin/simpleforum.cgi"));
}

void TQuorvalMain::Gotoserverwebsite1Click()
{
    openServerAddress(m_currentServer.WebSite);
}

void TQuorvalMain::SpeedButton1Click()
{
    if (!GameList->currentItem() || !m_hasCurrentGame) {
        MessageDlg(QStringLiteral("No game active!"), TPrompts::Icon::Error, TPrompts::Button::Ok, this);
        return;
    }
    openServerAddress(m_currentGame.gameLink);
}

void TQuorvalMain::About1Click()
{
    AboutBox->setVersionText(QLatin1String(VersionText));
    AboutBox->exec();
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
    wire("SpeedButton2", &TQuorvalMain::Exit1Click);
    wire("Exit1", &TQuorvalMain::Exit1Click);
    wire("SpeedButton3", &TQuorvalMain::Options1Click);
    wire("Options1", &TQuorvalMain::Options1Click);
    wire("SpeedButton4", &TQuorvalMain::Checkservers1Click);
    wire("Checkservers1", &TQuorvalMain::Checkservers1Click);
    wire("Getgamelist2", &TQuorvalMain::Getgamelist2Click);
    wire("SpeedButton6", &TQuorvalMain::GameListClick);
    wire("SpeedButton1", &TQuorvalMain::SpeedButton1Click);
    wire("Mainhelp1", &TQuorvalMain::Mainhelp1Click);
    wire("Programhistory1", &TQuorvalMain::Programhistory1Click);
    wire("Quorvalforums1", &TQuorvalMain::Quorvalforums1Click);
    wire("About1", &TQuorvalMain::About1Click);
    wire("EngineButton", &TQuorvalMain::EngineButtonClick);
    wire("SendMove1", &TQuorvalMain::SendMove1Click);
    wire("Clearclipboard1", &TQuorvalMain::Clearclipboard1Click);
    wire("Appendtoclipboard1", &TQuorvalMain::Appendtoclipboard1Click);
    wire("Rewritefile1", &TQuorvalMain::Rewritefile1Click);
    wire("Appendtofile1", &TQuorvalMain::Appendtofile1Click);
    wire("CopyEPDtoclipboard1", &TQuorvalMain::CopyEPDtoclipboard1Click);
    wire("Showgamelog1", &TQuorvalMain::Showgamelog1Click);
    wire("SpeedButton10", &TQuorvalMain::SendMove1Click);
    wire("Checkserver1", &TQuorvalMain::ServersListClick);
    wire("Gotoserverwebsite1", &TQuorvalMain::Gotoserverwebsite1Click);
    connect(ServersList, &QListWidget::itemClicked, this, Guarded(this, &TQuorvalMain::ServersListClick));
    connect(ServersList, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { ServersPopup->popup(ServersList->viewport()->mapToGlobal(at)); });
    connect(GameList, &QTreeWidget::itemClicked, this, Guarded(this, &TQuorvalMain::GameListClick));
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
    findChild<QToolBar *>(QStringLiteral("ToolBar1"))->addWidget(button);
    return button;
}

void TQuorvalMain::createToolBar()
{
    auto *toolBar = new QToolBar(this);
    toolBar->setObjectName(QStringLiteral("ToolBar1"));
    toolBar->setMovable(false);
    toolBar->setFloatable(false);
    toolBar->setFixedHeight(ToolBarHeight);
    toolBar->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(toolBar);

    const QStyle *s = style();
    addToolButton("SpeedButton2", QStringLiteral("Close Quorval"), s->standardIcon(QStyle::SP_DialogCloseButton));
    addToolButton("SpeedButton3", QStringLiteral("Opens the config dialog"),
                  s->standardIcon(QStyle::SP_FileDialogDetailedView));
    addToolButton("SpeedButton4", QStringLiteral("Check servers"), s->standardIcon(QStyle::SP_BrowserReload));
    addToolButton("SpeedButton6", QStringLiteral("Reload game"), s->standardIcon(QStyle::SP_FileDialogContentsView));
    addToolButton("SpeedButton10", QStringLiteral("Send move"), s->standardIcon(QStyle::SP_DialogApplyButton));
    addToolButton("SpeedButton1", QStringLiteral("Go to game web page"), s->standardIcon(QStyle::SP_DriveNetIcon));
    addToolButton("SpeedButton5", QStringLiteral("Go to the first move"), s->standardIcon(QStyle::SP_MediaSkipBackward));
    addToolButton("SpeedButton7", QStringLiteral("Go to previous move"), s->standardIcon(QStyle::SP_MediaSeekBackward));
    addToolButton("SpeedButton8", QStringLiteral("Go next move"), s->standardIcon(QStyle::SP_MediaSeekForward));
    addToolButton("SpeedButton9", QStringLiteral("Go to last move"), s->standardIcon(QStyle::SP_MediaSkipForward));
    addToolButton("EngineButton", QStringLiteral("Toggle engine analysis"), s->standardIcon(QStyle::SP_ComputerIcon));
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
    file->setObjectName(QStringLiteral("File1"));
    addEntry(file, "Options1", QStringLiteral("Options ..."));
    file->addSeparator()->setObjectName(QStringLiteral("N1"));
    addEntry(file, "Exit1", QStringLiteral("Exit"));

    QMenu *commands = menuBar()->addMenu(QStringLiteral("Commands"));
    commands->setObjectName(QStringLiteral("Commands1"));
    addEntry(commands, "SendMove1", QStringLiteral("Send Move ..."));
    addEntry(commands, "Getgamelist2", QStringLiteral("Refresh game list"));
    addEntry(commands, "Checkservers1", QStringLiteral("Check servers"));
    commands->addSeparator()->setObjectName(QStringLiteral("N2"));
    QMenu *exportPgn = commands->addMenu(QStringLiteral("Export PGN"));
    exportPgn->setObjectName(QStringLiteral("ExportPGN1"));
    QMenu *toClipboard = exportPgn->addMenu(QStringLiteral("To Clipboard"));
    toClipboard->setObjectName(QStringLiteral("ToClipboard1"));
    addEntry(toClipboard, "Clearclipboard1", QStringLiteral("Clear clipboard"));
    addEntry(toClipboard, "Appendtoclipboard1", QStringLiteral("Append to clipboard"));
    QMenu *toFile = exportPgn->addMenu(QStringLiteral("To PGN file"));
    toFile->setObjectName(QStringLiteral("ToPGNfile1"));
    addEntry(toFile, "Rewritefile1", QStringLiteral("Rewrite file"));
    addEntry(toFile, "Appendtofile1", QStringLiteral("Append to file"));
    QAction *withNotes = exportPgn->addAction(QStringLiteral("With my notes"));
    withNotes->setObjectName(QStringLiteral("ExportWithNotes"));
    withNotes->setCheckable(true);
    addEntry(commands, "CopyEPDtoclipboard1", QStringLiteral("Copy EPD to clipboard"));
    addEntry(commands, "Showgamelog1", QStringLiteral("Show game log"));

    QMenu *help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help1"));
    addEntry(help, "Mainhelp1", QStringLiteral("Online help"));
    addEntry(help, "Programhistory1", QStringLiteral("Program history"));
    addEntry(help, "Quorvalforums1", QStringLiteral("Quorval forums"));
    help->addSeparator()->setObjectName(QStringLiteral("N3"));
    addEntry(help, "About1", QStringLiteral("About ..."));

    ServersPopup = new QMenu(this);
    ServersPopup->setObjectName(QStringLiteral("ServersPopup"));
    addEntry(ServersPopup, "Checkserver1", QStringLiteral("Check server"));
    addEntry(ServersPopup, "Gotoserverwebsite1", QStringLiteral("Go to server website"));
}

void TQuorvalMain::createPanels()
{
    auto *central = new QWidget(this);
    central->setObjectName(QStringLiteral("CentralPanel"));
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
    BoardPanel = boardPane;
    BoardPanel->setObjectName(QStringLiteral("Panel1"));
    upper->addWidget(BoardPanel);

    auto *right = new QWidget(upper);
    right->setObjectName(QStringLiteral("RightPanel"));
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    rightLayout->setSpacing(0);
    MoveListPanel = new QWidget(right);
    MoveListPanel->setObjectName(QStringLiteral("MoveListPanel"));
    new QVBoxLayout(MoveListPanel);
    MoveListPanel->layout()->setContentsMargins(0, 0, 0, 0);
    PanelEngine = new TEnginePanel(right);
    Engine = new TEngineController(this);
    Engine->setObjectName(QStringLiteral("EngineLink"));
    Engine->SetLogFallbackFolder(m_context.TempFolder);
    PanelEngine->Follow(Engine);
    rightLayout->addWidget(MoveListPanel, 1);
    rightLayout->addWidget(PanelEngine);
    upper->addWidget(right);
    upper->setStretchFactor(0, 1);
    upper->setStretchFactor(1, 1);
    splitter->addWidget(upper);
    layout->addWidget(splitter, 1);

    auto *lower = new QWidget(splitter);
    lower->setObjectName(QStringLiteral("LowerPanel"));
    auto *lowerLayout = new QHBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->setSpacing(0);

    ServersList = new QListWidget(lower);
    ServersList->setObjectName(QStringLiteral("ServersList"));
    ServersList->setViewMode(QListView::IconMode);
    ServersList->setIconSize(QSize(32, 32));
    ServersList->setMovement(QListView::Static);
    ServersList->setResizeMode(QListView::Adjust);
    ServersList->setWordWrap(true);
    ServersList->setFixedWidth(ServersListWidth);
    ServersList->setContextMenuPolicy(Qt::CustomContextMenu);
    lowerLayout->addWidget(ServersList);

    GameList = new QTreeWidget(lower);
    GameList->setObjectName(QStringLiteral("GameList"));
    GameList->setRootIsDecorated(false);
    GameList->setItemsExpandable(false);
    GameList->setUniformRowHeights(true);
    GameList->setSelectionMode(QAbstractItemView::SingleSelection);
    GameList->setSelectionBehavior(QAbstractItemView::SelectRows);
    GameList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    GameList->setIconSize(QSize(16, 16));
    GameList->setHeaderLabels({QStringLiteral("Game#"), QStringLiteral("White"), QStringLiteral("Black"),
                               QStringLiteral("Event"), QStringLiteral("Your time"),
                               QStringLiteral("Opp. time"), QStringLiteral("Result")});
    const int widths[] = {60, 100, 100, 120, 60, 60, 60};
    for (int column = 0; column < 7; ++column)
        GameList->setColumnWidth(column, widths[column]);
    GameList->header()->setStretchLastSection(false);
    // A click on a heading orders the list by that column; the list sorts
    // itself only then, so that new rows keep the chosen order.
    GameList->header()->setSectionsClickable(true);
    connect(GameList->header(), &QHeaderView::sectionClicked, this, &TQuorvalMain::gameListHeadingClicked);
    // Keep the selection visible when the list loses the focus.
    QPalette gamePalette = GameList->palette();
    gamePalette.setColor(QPalette::Inactive, QPalette::Highlight,
                         gamePalette.color(QPalette::Active, QPalette::Highlight));
    gamePalette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         gamePalette.color(QPalette::Active, QPalette::HighlightedText));
    GameList->setPalette(gamePalette);
    lowerLayout->addWidget(GameList, 1);
    splitter->addWidget(lower);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);

    setCentralWidget(central);
}
