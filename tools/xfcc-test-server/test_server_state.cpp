#include "tools/xfcc-test-server/test_server_state.h"

#include <algorithm>

using Side = TestGame::Side;

bool TestServerState::authenticate(const QString &username, const QString &password) const
{
    const auto user = passwords.constFind(username);
    return user != passwords.constEnd() && *user == password;
}

ArrayOfXfccGame TestServerState::gamesOf(const QString &username) const
{
    ArrayOfXfccGame result;
    for (const TestGame &game : games) {
        const Side side = game.sideOf(username);
        if (side != Side::None)
            result.append(game.viewFor(side));
    }
    return result;
}

MakeAMoveResult TestServerState::makeAMove(const MakeAMoveRequest &request)
{
    if (!authenticate(request.username, request.password))
        return MakeAMoveResult::AuthenticationFailed;
    const auto game = std::find_if(games.begin(), games.end(), [&](const TestGame &g) {
        return g.common.id == request.gameId;
    });
    if (game == games.end())
        return MakeAMoveResult::InvalidGameID;
    const Side side = game->sideOf(request.username);
    if (side == Side::None)
        return MakeAMoveResult::NotYourGame;
    // A finished game has nobody to move.
    if (game->sideToMove() != side)
        return MakeAMoveResult::NotYourTurn;
    const bool makesMove = !request.acceptDraw && !request.resign;
    // Without a move, clients count either the move in progress or, when
    // White is to move, Black's last one; both name the same moment.
    const int number = game->moveNumber();
    const bool numberFits = request.movecount == number
                         || (!makesMove && side == Side::White && request.movecount == number - 1);
    if (!numberFits)
        return MakeAMoveResult::InvalidMoveNumber;
    if (request.claimDraw)
        return MakeAMoveResult::fromName(u"ClaimsNotSupported");

    const Side opponent = side == Side::White ? Side::Black : Side::White;
    if (request.acceptDraw && game->drawOfferedBy != opponent)
        return MakeAMoveResult::NoDrawWasOffered;
    if (makesMove) {
        const MakeAMoveResult played = game->playMove(request.myMove.trimmed());
        if (played != MakeAMoveResult::Success)
            return played;
    } else if (request.acceptDraw) {
        game->common.result = Result::Draw;
    } else {
        game->common.result = side == Side::White ? Result::BlackWins : Result::WhiteWins;
    }
    (side == Side::White ? game->whiteMessage : game->blackMessage) = request.myMessage;
    game->drawOfferedBy = request.offerDraw && game->common.result == Result::Ongoing ? side
                                                                                       : Side::None;
    return MakeAMoveResult::Success;
}
