#include "service/move_answer.h"

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
