#pragma once

#include "chess/game_record.h"
#include "service/move_to_send.h"
#include "service/xfcc_transport.h"
#include "service/xfcc_types.h"

#include <QString>

#include <functional>

class QWidget;
class TBaseMultiLang;
class TWaitWindow;

// The "Send move" command: confirms the record's last move in a new
// TSendMoveDialog, sends it with MakeAMove and shows the server's answer.
class TMoveSender
{
public:
    struct Context {
        QWidget *window = nullptr;        // parent of the dialog and the boxes
        TBaseMultiLang *words = nullptr;  // the window's "@" messages
        TWaitWindow *waitWindow = nullptr;
        std::function<int()> activeLanguage;
        QString applicationTitle;         // caption of the box without icon
        XfccTransport transport;          // how the move travels, and its time limits
    };

    explicit TMoveSender(Context context) : m_context(std::move(context)) {}

    // True when the server answered "Success"; the caller then refreshes the
    // game list. Nothing happens without a move in the record. The record is
    // never changed, so a refused or failed move can be sent again. A failed
    // call throws EXfccError once the wait window is hidden. A send cancelled
    // before the answer says that the move may or may not have reached the
    // server, and gives false.
    bool Send(const GameRecord &game, int serverMoveCount, const XfccGame &currentGame,
              const XfccAccount &server);

private:
    Context m_context;
};
