#include "service/move_to_send.h"

#include "chess/move_text.h"
#include "chess/rules.h"
#include "service/xfccbasic.h"

TMoveToSend::TMoveToSend(const GameRecord &game, int serverMoveCount, const XfccGame &currentGame)
    : m_plies(game.MoveCount),
      m_serverPlies(serverMoveCount),
      m_moveNumber(FullMoveNumber(game, m_plies)),
      m_serverMoveNumber(FullMoveNumber(game, m_serverPlies)),
      m_gameId(currentGame.id),
      m_hasWhite(currentGame.hasWhite)
{
    if (HasMove())
        m_moveText = QString::fromStdString(MoveToSAN(game.Moves[m_plies]));
}

QString TMoveToSend::MoveLabel() const
{
    return QString::number(MoveNumber()) + QStringLiteral(". ") + m_moveText;
}

bool TMoveToSend::MayConfirm(TSendChoice choice) const
{
    return IsNextMove() || choice == TSendChoice::Resign || choice == TSendChoice::AcceptDraw;
}

MakeAMoveRequest TMoveToSend::Arguments(TSendChoice choice, const QString &message) const
{
    MakeAMoveRequest arguments;
    arguments.gameId = m_gameId;
    arguments.resign = choice == TSendChoice::Resign;
    arguments.acceptDraw = choice == TSendChoice::AcceptDraw;
    arguments.offerDraw = choice == TSendChoice::OfferDraw;
    arguments.myMessage = message;
    if (!arguments.resign && !arguments.acceptDraw) {
        arguments.myMove = m_moveText;
        arguments.movecount = MoveNumber();
        return arguments;
    }
    // No move travels: the number is that of the game as the server holds it,
    // with the move just made when there is one. Without it, White's record
    // ends with Black's move, so White resigns in the next move.
    arguments.movecount = IsNextMove() ? m_moveNumber : m_serverMoveNumber;
    if (arguments.resign && m_hasWhite && !IsNextMove() && arguments.movecount > 1)
        ++arguments.movecount;
    return arguments;
}

MakeAMoveResult SendMakeAMove(const XfccAccount &account, MakeAMoveRequest request,
                              const XfccTransport &transport)
{
    request.username = account.UserName;
    request.password = account.Password;
    return GetXfccBasicSoap(false, account.ServiceUrl, transport)
        ->MakeAMove(request.username, request.password, request.gameId, request.resign, request.acceptDraw,
                    request.movecount, request.myMove, request.offerDraw, request.claimDraw, request.myMessage);
}
