#include "service/move_sender.h"

#include "service/move_answer.h"
#include "service/request_wait.h"
#include "service/send_move_dialog.h"
#include "ui/basemultilang.h"
#include "ui/prompts.h"
#include "ui/waitwindow.h"

#include <QWidget>

bool TMoveSender::Send(const GameRecord &game, int serverMoveCount, const XfccGame &currentGame,
                       const XfccAccount &server)
{
    const TMoveToSend move(game, serverMoveCount, currentGame);
    if (!move.HasMove())
        return false;
    const auto translate = [this](const QString &id) { return m_context.words->Translate(id); };
    if (!move.IsNextMove())
        MessageDlg(translate(QStringLiteral("@badmoveentered")), TPrompts::Icon::Warning,
                   TPrompts::Button::Ok, m_context.window);

    MakeAMoveRequest request;
    {
        TSendMoveDialog dialog(move, currentGame.message, m_context.activeLanguage, m_context.window);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        request = move.Arguments(dialog.choice(), dialog.message());
    }
    if (m_context.window)
        m_context.window->repaint();
    MakeAMoveResult result;
    try {
        TRequestWait wait(m_context.waitWindow, translate(QStringLiteral("@sendingmove")) + server.Name,
                          m_context.transport);
        result = SendMakeAMove(server, request, wait.transport());
    } catch (const EXfccError &failure) {
        if (failure.kind() != EXfccError::Kind::Cancelled)
            throw;
        // The request may have reached the server before the cancel: the
        // move stays on the board, and the next refresh tells.
        MessageDlg(translate(QStringLiteral("@sendcancelled")), TPrompts::Icon::Warning, TPrompts::Button::Ok,
                   m_context.window);
        return false;
    }
    const TMoveAnswer answer = MoveAnswerFor(result, request.movecount, translate);
    const QString caption = answer.icon == TPrompts::Icon::None ? m_context.applicationTitle
                                                                : IconCaption(answer.icon);
    ShowMessage(answer.icon, caption, answer.text, TPrompts::Button::Ok, m_context.window);
    return result == MakeAMoveResult::Success;
}
