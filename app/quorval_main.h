#pragma once

#include "app/due_alerts.h"
#include "app/program_context.h"
#include "app/settings.h"
#include "chess/game_record.h"

#include <QIcon>
#include <QMainWindow>
#include <QStringList>

#include <memory>

class QListWidget;
class QMenu;
class QSystemTrayIcon;
class QToolButton;
class QTreeWidget;
class QWidget;
class TAboutBox;
class TAddServerDialog;
class TChessDiagram2D;
class TEngineController;
class TEnginePanel;
class TFileDialogTexts;
class TGameListController;
class TGameNavigator;
class TMoveEntry;
class TMoveList;
class TMultiLang;
class TNotesPane;
class TOptionsDialog;
class TPromotionDialog;
class TRichView;
class TSaveForm;
class TWaitWindow;

// The main window: owns the program's state for its whole life and wires
// the tool bar, menus and lists to the logic behind them.
class TQuorvalMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TQuorvalMain(const TProgramContext &context, QWidget *parent = nullptr);
    ~TQuorvalMain() override;

    // Creates the dialogs that live as long as the main window, in their
    // fixed order.
    void createDialogs();

    const TProgramContext &context() const { return m_context; }
    TSettings &settings() { return m_settings; }
    const TSettings &settings() const { return m_settings; }
    // The server and game lists and the checks of the servers.
    TGameListController *games() const { return m_games; }
    QListWidget *serverList() const { return m_serverList; }
    QTreeWidget *gameList() const { return m_gameList; }
    QWidget *boardPanel() const { return m_boardPanel; }
    QWidget *moveListPanel() const { return m_moveListPanel; }
    TEnginePanel *enginePanel() const { return m_enginePanel; }
    TEngineController *engine() const { return m_engine; }
    TMultiLang *translator() const { return m_translator; }
    TAddServerDialog *addServerDialog() const { return m_addServerDialog; }
    TOptionsDialog *optionsDialog() const { return m_optionsDialog; }
    TAboutBox *aboutBox() const { return m_aboutBox; }
    TWaitWindow *waitWindow() const { return m_waitWindow; }
    TNotesPane *notesPane() const { return m_notesPane; }

    // The board and the current game (app/quorval_main_board.cpp).
    TChessDiagram2D *diagram() const { return m_diagram; }
    TPromotionDialog *promotionDialog() const { return m_promotionDialog; }
    GameRecord &game() { return m_game; }
    // Plays move on the board as ply game().CurrentPly, which callers
    // advance first; false, after "Too many moves!", beyond 400 plies.
    bool doMove(const MoveRecord &move);
    // Takes back Moves[CurrentPly] on the board; callers then step CurrentPly back.
    void reverseMove(const MoveRecord &move);
    // The square colours and the board's marks from the settings, and a repaint.
    void applyBoardColors();
    // Marks the last move and a king in check of the shown position.
    void markBoard();

    // The base address of the program's own web pages.
    static QString webSiteBase();

Q_SIGNALS:
    // The player was told of a game through a desktop notification.
    void alerted(const QString &server, int gameId, const QString &text);

public Q_SLOTS:
    void showOptions();

    // Shows the game of the game list's selected row on the board.
    void loadSelectedGame();

    // Web pages and the about box.
    void openOnlineHelp();
    void openProgramHistory();
    void openForums();
    void openServerWebSite();
    void openGameWebPage();
    void showAbout();

    // Starts or stops the analysis engine named in the settings.
    void toggleEngine();

    // Shows the window with the server and game of the latest alert selected.
    void showAlertedGame();

    // Export, EPD and the game log.
    void copyGame();
    void appendGameToClipboard();
    void saveGame();
    void appendGameToFile();
    void copyEpd();
    void showGameLog();
    // Enters the move just dragged on the board.
    void enterDraggedMove();
    // Sends the one move made since the game was loaded, with the dialog's
    // message and choices.
    void sendMove();

Q_SIGNALS:
    // The first activation's work is over: the servers are listed, the first
    // one's games shown and, when set, every server checked.
    void startupWorkDone();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void applyStoredSettings();
    void windowActivated();
    void shutDown();
    // Shows or hides the tray icon of the background check from the settings.
    void applyTray();
    void notify(const DueAlert &alert);
    void updateTrayIcon();

    void createToolBar();
    void createMenus();
    void createPanels();
    void createBoard();
    void createMoveList();
    void updateMoveList();
    void highlightCurrentMove();
    void sendPositionToEngine();
    // The game as PGN to the clipboard or a file, with the player's notes when
    // "With my notes" is checked.
    void exportGame(bool toClipboard, bool append);
    void wireCommands();
    template <typename Receiver, typename Slot>
    void wire(const char *name, Receiver *receiver, Slot slot);
    QToolButton *addToolButton(const char *name, const QString &hint, const QIcon &icon);

    void openAddress(const QString &address);
    // Opens an address that came from a server or a server file: only web
    // pages, anything else gets a warning naming it.
    void openServerAddress(const QString &address);

    TProgramContext m_context;
    TSettings m_settings;
    bool m_activatedOnce = false;
    bool m_firstRunOptionsShown = false;
    bool m_destroyed = false;
    GameRecord m_game;
    GameRecord m_serverCopy;  // the game as loaded from the server
    // A game read only in part has another move number than the server's:
    // no move is sent for it.
    bool m_gameReadInFull = false;
    QStringList m_gameComments;  // "<ply>,<comment>"
    QString m_gameLog;           // the server's move text as sent
    bool m_drawOffered = false;
    std::unique_ptr<TMoveEntry> m_moveEntry;

    QWidget *m_boardPanel = nullptr;
    QWidget *m_moveListPanel = nullptr;
    TEnginePanel *m_enginePanel = nullptr;
    TEngineController *m_engine = nullptr;
    QListWidget *m_serverList = nullptr;
    QTreeWidget *m_gameList = nullptr;
    QMenu *m_serverMenu = nullptr;
    TMultiLang *m_translator = nullptr;
    TSaveForm *m_windowPlacement = nullptr;
    TAddServerDialog *m_addServerDialog = nullptr;
    TAboutBox *m_aboutBox = nullptr;
    TOptionsDialog *m_optionsDialog = nullptr;
    TChessDiagram2D *m_diagram = nullptr;
    TRichView *m_moveListView = nullptr;
    TFileDialogTexts *m_pgnSaveDialog = nullptr;
    TMoveList *m_moveList = nullptr;
    TNotesPane *m_notesPane = nullptr;
    TGameListController *m_games = nullptr;
    QSystemTrayIcon *m_tray = nullptr;
    QString m_alertServer;  // of the latest alert
    int m_alertGameId = 0;
    TGameNavigator *m_navigator = nullptr;
    TPromotionDialog *m_promotionDialog = nullptr;
    TWaitWindow *m_waitWindow = nullptr;
};
