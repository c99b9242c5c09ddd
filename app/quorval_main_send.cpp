// The main window's "Send move" command.
#include "app/quorval_main.h"

#include "app/program_context.h"
#include "service/move_sender.h"
#include "ui/multilang.h"
#include "ui/prompts.h"

#include <QScopedValueRollback>
#include <QTreeWidget>

void TQuorvalMain::sendMove()
{
    if (m_gameList->topLevelItemCount() == 0 || !m_gameList->currentItem() || !m_hasCurrentGame
        || m_serverRequestRunning)
        return;
    if (!m_gameReadInFull) {
        MessageDlg(m_translator->Translate(QStringLiteral("@gamenotreadinfull")), TPrompts::Icon::Warning,
                   TPrompts::Button::Ok, this);
        return;
    }
    TMoveSender sender({this, m_translator, m_waitWindow, [this] { return int(m_settings.ActiveLanguage); },
                        ApplicationTitle(), m_xfccTransport});
    const XfccAccount server{m_currentServer.Name, m_currentServer.ServiceUrl, m_currentServer.UserName,
                             m_currentServer.Password};
    bool sent = false;
    {
        const QScopedValueRollback running(m_serverRequestRunning, true);
        sent = sender.Send(m_game, m_serverCopy.MoveCount, m_currentGame, server);
    }
    if (sent)
        refreshGames();
}
