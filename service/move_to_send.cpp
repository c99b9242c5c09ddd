#include "service/move_to_send.h"

#include "chess/move_text.h"

TMoveToSend::TMoveToSend(const GameRecord &game, int serverMoveCount, const XfccGame &currentGame)
    : m_plies(game.MoveCount),
      m_serverPlies(serverMoveCount),
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
    const int plies = IsNextMove() ? m_plies : m_serverPlies;
    arguments.movecount = FullMoveNumber(plies);
    if (arguments.resign && m_hasWhite && !IsNextMove() && arguments.movecount > 1)
        ++arguments.movecount;
    return arguments;
}

TMoveAnswer MoveAnswerFor(const MakeAMoveResult &result, int movecount,
                          const std::function<QString(const QString &)> &translate)
{
    using Icon = TPrompts::Icon;
    switch (result.value()) {
    case MakeAMoveResult::Success:
        return {Icon::Information, translate(QStringLiteral("@movesentsuccessfully"))};
    case MakeAMoveResult::ServerError:
        return {Icon::Error, translate(QStringLiteral("@servererror"))};
    case MakeAMoveResult::AuthenticationFailed:
        return {Icon::Error, translate(QStringLiteral("@authenticationfailed"))};
    case MakeAMoveResult::InvalidGameID:
        return {Icon::Error, QStringLiteral("Invalid game ID")};
    case MakeAMoveResult::NotYourGame:
        return {Icon::Error, QStringLiteral("Not your game!!")};
    case MakeAMoveResult::NotYourTurn:
        return {Icon::Error, QStringLiteral("Not your turn!!")};
    case MakeAMoveResult::InvalidMoveNumber:
        return {Icon::Error, QStringLiteral("Invalid move number: %1 !!").arg(movecount)};
    case MakeAMoveResult::InvalidMove:
        return {Icon::Error, QStringLiteral("Invalid move!!")};
    case MakeAMoveResult::NoDrawWasOffered:
        return {Icon::Error, QStringLiteral("No draw was offered!")};
    case MakeAMoveResult::LostOnTime:
        return {Icon::Information, QStringLiteral("Lost on time")};
    case MakeAMoveResult::YouAreOnLeave:
        return {Icon::Information, QStringLiteral("You are on leave")};
    case MakeAMoveResult::MoveIsAmbigous:
        return {Icon::Error, QStringLiteral("Move is ambiguous!!")};
    case MakeAMoveResult::Other:
        break;
    }
    return {Icon::None, QStringLiteral("Unexpected error!!")};
}
