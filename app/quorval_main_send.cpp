// The main window's "Send move" command.
#include "app/quorval_main.h"

#include "app/game_list_controller.h"
#include "app/program_context.h"
#include "service/move_sender.h"
#include "ui/multilang.h"
#include "ui/prompts.h"

#include <QTreeWidget>

void TQuorvalMain::sendMove()
{
    const XfccGame *game = m_games->currentGame();
    if (m_gameList->topLevelItemCount() == 0 || !m_gameList->currentItem() || !game || m_games->requestRunning())
        return;
    if (!m_gameReadInFull) {
        MessageDlg(m_translator->Translate(QStringLiteral("@gamenotreadinfull")), TPrompts::Icon::Warning,
                   TPrompts::Button::Ok, this);
        return;
    }
    TMoveSender sender({this, m_translator, m_waitWindow, [this] { return int(m_settings.ActiveLanguage); },
                        ApplicationTitle(), m_games->transport()});
    const ServerEntry &listed = m_games->currentServer();
    const XfccAccount server{listed.Name, listed.ServiceUrl, listed.UserName, listed.Password};
    bool sent = false;
    {
        const auto running = m_games->runningRequest();
        sent = sender.Send(m_game, m_serverCopy.MoveCount, *game, server);
    }
    if (sent)
        m_games->refreshGames();
}
