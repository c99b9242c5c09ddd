// The main window's "Send move" command. Built once the window holds the
// loaded game; needs in TQuorvalMain (app/quorval_main.h):
//   public Q_SLOTS: void SendMove1Click();
//   const GameRecord &currentRecord() const;   // the record on the board
//   int serverMoveCount() const;               // MoveCount of the server copy
// and wire("SendMove1", ...) / wire("SpeedButton10", ...) in wireCommands().
#include "app/quorval_main.h"

#include "app/program_context.h"
#include "service/move_sender.h"
#include "ui/multilang.h"

#include <QTreeWidget>

void TQuorvalMain::SendMove1Click()
{
    if (GameList->topLevelItemCount() == 0 || !GameList->currentItem() || !m_hasCurrentGame)
        return;
    TMoveSender sender({this, MultiLang1, WaitWindow, [this] { return int(m_settings.ActiveLanguage); },
                        ApplicationTitle()});
    const XfccAccount server{m_currentServer.Name, m_currentServer.ServiceUrl, m_currentServer.UserName,
                             m_currentServer.Password};
    if (sender.Send(currentRecord(), serverMoveCount(), m_currentGame, server))
        RefreshGameList();
}
