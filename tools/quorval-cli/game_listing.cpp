#include "tools/quorval-cli/game_listing.h"

#include "app/game_columns.h"
#include "tools/quorval-cli/text_table.h"

#include <QJsonObject>

#include <algorithm>

namespace {

QString ToMove(const XfccGame &game)
{
    if (ResultToString(game.result) != QLatin1String("*"))
        return {};
    return game.myTurn ? QStringLiteral("you") : QStringLiteral("opponent");
}

QJsonObject TimeJson(int days, int hours, int minutes)
{
    return {{QStringLiteral("days"), days}, {QStringLiteral("hours"), hours}, {QStringLiteral("minutes"), minutes}};
}

} // namespace

void SortDueFirst(QList<TListedGame> &games)
{
    std::stable_sort(games.begin(), games.end(), [](const TListedGame &a, const TListedGame &b) {
        return GameListColumns::AwaitsMyMove(a.game) && !GameListColumns::AwaitsMyMove(b.game);
    });
}

void WriteGameTable(QTextStream &out, const QList<TListedGame> &games)
{
    QList<QStringList> rows;
    for (const TListedGame &listed : games)
        rows << (QStringList{listed.server} + GameListColumns::Texts(listed.game) + QStringList{ToMove(listed.game)});
    WriteTextTable(out,
                   {QStringLiteral("Server"), QStringLiteral("Game#"), QStringLiteral("White"), QStringLiteral("Black"),
                    QStringLiteral("Event"), QStringLiteral("Your time"), QStringLiteral("Opp. time"),
                    QStringLiteral("Result"), QStringLiteral("To move")},
                   rows);
}

QJsonArray GamesJson(const QList<TListedGame> &games)
{
    QJsonArray array;
    for (const TListedGame &listed : games) {
        const XfccGame &g = listed.game;
        array.append(QJsonObject{
            {QStringLiteral("server"), listed.server},
            {QStringLiteral("id"), g.id},
            {QStringLiteral("white"), g.white},
            {QStringLiteral("black"), g.black},
            {QStringLiteral("event"), g.event},
            {QStringLiteral("site"), g.site},
            {QStringLiteral("yourTime"), TimeJson(g.daysPlayer, g.hoursPlayer, g.minutesPlayer)},
            {QStringLiteral("opponentTime"), TimeJson(g.daysOpponent, g.hoursOpponent, g.minutesOpponent)},
            {QStringLiteral("result"), ResultToString(g.result)},
            {QStringLiteral("resultName"), g.result.name()},
            {QStringLiteral("myTurn"), g.myTurn},
            {QStringLiteral("hasWhite"), g.hasWhite},
            {QStringLiteral("drawOffered"), g.drawOffered},
            {QStringLiteral("due"), GameListColumns::AwaitsMyMove(g)},
            {QStringLiteral("gameLink"), g.gameLink},
        });
    }
    return array;
}
