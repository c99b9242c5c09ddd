#pragma once

#include "app/program_context.h"
#include "app/server_entry.h"
#include "app/settings.h"

#include <QMainWindow>

class QListWidget;
class TAddServerDialog;
class TOptionsDialog;
class QMenu;
class QToolButton;
class QTreeWidget;
class QWidget;

// The main window: owns the program's state for its whole life and wires
// the tool bar, menus and lists to the logic behind them.
class TQuorvalMain : public QMainWindow
{
    Q_OBJECT
public:
    explicit TQuorvalMain(const TProgramContext &context, QWidget *parent = nullptr);
    ~TQuorvalMain() override;

    const TProgramContext &context() const { return m_context; }
    TSettings &settings() { return m_settings; }
    const TSettings &settings() const { return m_settings; }

    QListWidget *serversList() const { return ServersList; }
    QTreeWidget *gameList() const { return GameList; }
    QWidget *boardPanel() const { return BoardPanel; }
    QWidget *moveListPanel() const { return MoveListPanel; }
    QWidget *enginePanel() const { return PanelEngine; }
    TAddServerDialog *addServerDialog() const { return AddServerDialog; }
    TOptionsDialog *optionsDialog() const { return OptionsDialog; }

    // Creates the dialogs that live as long as the main window, in their
    // fixed order.
    void createDialogs();

public Q_SLOTS:
    void Exit1Click();
    // Shows the options dialog; a confirmed change takes effect at once.
    void Options1Click();
    // Lists the server files again; selects the first server and, when
    // withGames is set, shows its games.
    void refreshServerList(bool withGames);
    void RefreshNodeList();

protected:
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void FormCreate();
    void FormActivate();
    void FormDestroy();

    void createToolBar();
    void createMenus();
    void createPanels();
    void wireCommands();
    template <typename Slot>
    void wire(const char *name, Slot slot);
    QToolButton *addToolButton(const char *name, const QString &hint, const QIcon &icon);

    TProgramContext m_context;
    TSettings m_settings;
    bool m_activatedOnce = false;
    bool m_firstRunOptionsShown = false;
    bool m_destroyed = false;

    QWidget *BoardPanel = nullptr;
    QWidget *MoveListPanel = nullptr;
    QWidget *PanelEngine = nullptr;
    QListWidget *ServersList = nullptr;
    QTreeWidget *GameList = nullptr;
    QMenu *ServersPopup = nullptr;
    TAddServerDialog *AddServerDialog = nullptr;
    TOptionsDialog *OptionsDialog = nullptr;
};
