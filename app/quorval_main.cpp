#include "app/quorval_main.h"

#include "app/add_server_dialog.h"
#include "app/color_ref.h"
#include "app/game_list_controller.h"
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
#include "ui/aboutbox.h"
#include "ui/filedialogtexts.h"
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
{
    setObjectName(QStringLiteral("QuorvalMain"));
    resize(767, 547);
    createToolBar();
    createMenus();
    createPanels();
    createBoard();
    createMoveList();
    wireCommands();
    // The export's save dialog: its texts come from the word list.
    m_pgnSaveDialog = new TFileDialogTexts(this);
    m_pgnSaveDialog->setObjectName(QStringLiteral("pgnSaveDialog"));
    m_pgnSaveDialog->setFilter(QStringLiteral("PGN files|*.pgn"));
    m_translator = createMultiLang(this, WordList::QuorvalMain);
    m_games->setTranslator(m_translator);
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
    m_games->applySettings();
    applyTray();

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
        RunGuarded([this] { m_games->refreshServerList(true); });
        if (m_settings.CheckServersPeriodically)
            m_games->checkServers();
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
    m_games->setWaitWindow(m_waitWindow);
    const auto listServers = [this] { RunGuarded([this] { m_games->refreshServerList(false); }); };
    connect(m_addServerDialog, &TAddServerDialog::serverSaved, this, listServers);
    connect(m_optionsDialog, &TOptionsDialog::serversChanged, this, listServers);
}

void TQuorvalMain::showOptions()
{
    if (m_optionsDialog->exec() == QDialog::Accepted) {
        m_translator->setActiveLanguage(m_settings.ActiveLanguage);
        m_games->applySettings();
        applyTray();
        updateMoveList();
        applyBoardColors();
    }
}

void TQuorvalMain::applyTray()
{
    if (!m_settings.PollServers) {
        if (m_tray)
            m_tray->hide();
        return;
    }
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
    const int due = m_games->dueCount();
    m_tray->setIcon(DueCountIcon(due));
    m_tray->setToolTip(m_translator->Translate(QStringLiteral("@traydue")).replace(QLatin1String("%1"), QString::number(due)));
    m_tray->show();
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
    m_games->showGame(m_alertServer, m_alertGameId);
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
    openServerAddress(m_games->currentServer().WebSite);
}

void TQuorvalMain::openGameWebPage()
{
    const XfccGame *game = m_games->currentGame();
    if (!m_gameList->currentItem() || !game) {
        MessageDlg(QStringLiteral("No game active!"), TPrompts::Icon::Error, TPrompts::Button::Ok, this);
        return;
    }
    openServerAddress(game->gameLink);
}

void TQuorvalMain::showAbout()
{
    m_aboutBox->setVersionText(QLatin1String(VersionText));
    m_aboutBox->exec();
}

template <typename Receiver, typename Slot>
void TQuorvalMain::wire(const char *name, Receiver *receiver, Slot slot)
{
    if (auto *button = findChild<QToolButton *>(QLatin1String(name))) {
        button->setEnabled(true);
        connect(button, &QToolButton::clicked, receiver, Guarded(receiver, slot));
    } else if (auto *action = findChild<QAction *>(QLatin1String(name))) {
        action->setEnabled(true);
        connect(action, &QAction::triggered, receiver, Guarded(receiver, slot));
    }
}

// Connects the tool buttons and menu entries to their commands; those not
// connected here stay disabled.
void TQuorvalMain::wireCommands()
{
    wire("closeButton", this, &TQuorvalMain::close);
    wire("exitAction", this, &TQuorvalMain::close);
    wire("optionsButton", this, &TQuorvalMain::showOptions);
    wire("optionsAction", this, &TQuorvalMain::showOptions);
    wire("checkServersButton", m_games, &TGameListController::checkServers);
    wire("checkServersAction", m_games, &TGameListController::checkServers);
    wire("refreshGamesAction", m_games, &TGameListController::refreshGames);
    wire("reloadGameButton", this, &TQuorvalMain::loadSelectedGame);
    wire("gameWebPageButton", this, &TQuorvalMain::openGameWebPage);
    wire("onlineHelpAction", this, &TQuorvalMain::openOnlineHelp);
    wire("programHistoryAction", this, &TQuorvalMain::openProgramHistory);
    wire("forumsAction", this, &TQuorvalMain::openForums);
    wire("aboutAction", this, &TQuorvalMain::showAbout);
    wire("engineButton", this, &TQuorvalMain::toggleEngine);
    wire("sendMoveAction", this, &TQuorvalMain::sendMove);
    wire("copyGameAction", this, &TQuorvalMain::copyGame);
    wire("appendGameToClipboardAction", this, &TQuorvalMain::appendGameToClipboard);
    wire("saveGameAction", this, &TQuorvalMain::saveGame);
    wire("appendGameToFileAction", this, &TQuorvalMain::appendGameToFile);
    wire("copyEpdAction", this, &TQuorvalMain::copyEpd);
    wire("showGameLogAction", this, &TQuorvalMain::showGameLog);
    wire("sendMoveButton", this, &TQuorvalMain::sendMove);
    wire("checkServerAction", m_games, &TGameListController::showServerGames);
    wire("serverWebSiteAction", this, &TQuorvalMain::openServerWebSite);
    connect(m_serverList, &QListWidget::itemClicked, m_games, Guarded(m_games, &TGameListController::showServerGames));
    connect(m_serverList, &QListWidget::customContextMenuRequested, this,
            [this](const QPoint &at) { m_serverMenu->popup(m_serverList->viewport()->mapToGlobal(at)); });
    connect(m_gameList, &QTreeWidget::itemClicked, this, Guarded(this, &TQuorvalMain::loadSelectedGame));
    connect(m_games, &TGameListController::gameChosen, this, Guarded(this, &TQuorvalMain::loadSelectedGame));
    connect(m_games, &TGameListController::dueAlert, this, &TQuorvalMain::notify);
    connect(m_games, &TGameListController::dueCountChanged, this, &TQuorvalMain::updateTrayIcon);
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
    // Keep the selection visible when the list loses the focus.
    QPalette gamePalette = m_gameList->palette();
    gamePalette.setColor(QPalette::Inactive, QPalette::Highlight,
                         gamePalette.color(QPalette::Active, QPalette::Highlight));
    gamePalette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                         gamePalette.color(QPalette::Active, QPalette::HighlightedText));
    m_gameList->setPalette(gamePalette);
    lowerLayout->addWidget(m_gameList, 1);
    m_games = new TGameListController({m_serverList, m_gameList}, m_context.ServersFolder, m_settings, this);
    splitter->addWidget(lower);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);

    setCentralWidget(central);
}
