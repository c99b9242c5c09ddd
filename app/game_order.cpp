#include "app/game_order.h"

#include "app/game_columns.h"

#include <QCollator>

#include <cstdlib>

namespace {

int MinutesLeft(int days, int hours, int minutes)
{
    return (days * 24 + hours) * 60 + minutes;
}

int PlayerMinutesLeft(const XfccGame &game)
{
    return MinutesLeft(game.daysPlayer, game.hoursPlayer, game.minutesPlayer);
}

// -1, 0 or 1 as a sorts before, with or after b in the column.
int CompareIn(int column, const XfccGame &a, const XfccGame &b)
{
    const auto numbers = [](int x, int y) { return (x > y) - (x < y); };
    // In the order of the user's locale, as it is now.
    const auto texts = [](const QString &x, const QString &y) {
        QCollator collator;
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        collator.setNumericMode(true);
        const int c = collator.compare(x, y);
        return (c > 0) - (c < 0);
    };
    switch (column) {
    case 0:
        return numbers(a.id, b.id);
    case 1:
        return texts(a.white, b.white);
    case 2:
        return texts(a.black, b.black);
    case 3:
        return texts(a.event, b.event);
    case 4:
        return numbers(PlayerMinutesLeft(a), PlayerMinutesLeft(b));
    case 5:
        return numbers(MinutesLeft(a.daysOpponent, a.hoursOpponent, a.minutesOpponent),
                       MinutesLeft(b.daysOpponent, b.hoursOpponent, b.minutesOpponent));
    case 6:
        return texts(ResultToString(a.result), ResultToString(b.result));
    default:
        return 0;
    }
}

} // namespace

GameListOrder GameListOrder::fromSetting(int value)
{
    if (value == 0 || std::abs(value) > ColumnCount)
        return {};
    return {std::abs(value) - 1, value < 0};
}

int GameListOrder::toSetting() const
{
    if (isDefault())
        return 0;
    return descending ? -(column + 1) : column + 1;
}

GameListOrder GameListOrder::afterClickOn(int clickedColumn) const
{
    if (clickedColumn != column)
        return {clickedColumn, false};
    if (!descending)
        return {column, true};
    return {};
}

bool GameListOrder::less(const XfccGame &a, const XfccGame &b) const
{
    if (isDefault()) {
        const bool aDue = GameListColumns::AwaitsMyMove(a);
        const bool bDue = GameListColumns::AwaitsMyMove(b);
        if (aDue != bDue)
            return aDue;
        return PlayerMinutesLeft(a) < PlayerMinutesLeft(b);
    }
    const int c = CompareIn(column, a, b);
    return descending ? c > 0 : c < 0;
}
