#include "app/game_columns.h"

namespace GameListColumns {

QStringList Texts(const XfccGame &game)
{
    const auto time = [](int days, int hours) {
        return QStringLiteral("%1d, %2h").arg(days).arg(hours);
    };
    return {QString::number(game.id), game.white, game.black, game.event,
            time(game.daysPlayer, game.hoursPlayer), time(game.daysOpponent, game.hoursOpponent),
            ResultToString(game.result)};
}

int StateIcon(const XfccGame &game)
{
    const QString result = ResultToString(game.result);
    if (result == QLatin1String("*"))
        return game.myTurn ? 0 : 1;
    if (result.contains(QLatin1String("1-0")))
        return game.hasWhite ? 3 : 2;
    if (result.contains(QLatin1String("0-1")))
        return game.hasWhite ? 2 : 3;
    if (result.contains(QLatin1String("1/2-1/2")))
        return 4;
    return -1;
}

bool IsListed(const XfccGame &game, bool showOnlyOngoingGames)
{
    return !showOnlyOngoingGames || ResultToString(game.result) == QLatin1String("*");
}

bool AwaitsMyMove(const XfccGame &game)
{
    return game.myTurn && ResultToString(game.result) == QLatin1String("*");
}

} // namespace GameListColumns
