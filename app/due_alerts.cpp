#include "app/due_alerts.h"

#include "app/game_columns.h"

QList<DueAlert> TDueAlerts::take(const QString &server, const ArrayOfXfccGame &games)
{
    return compare(server, games, true);
}

void TDueAlerts::seen(const QString &server, const ArrayOfXfccGame &games)
{
    compare(server, games, false);
}

QList<DueAlert> TDueAlerts::compare(const QString &server, const ArrayOfXfccGame &games, bool alert)
{
    QList<DueAlert> alerts;
    const QSet<int> wasDue = m_due.value(server);
    const QSet<int> wasShort = m_timeShort.value(server);
    QSet<int> due;
    QSet<int> timeShort;
    for (const XfccGame &game : games) {
        if (!GameListColumns::AwaitsMyMove(game))
            continue;
        due.insert(game.id);
        if (alert && !wasDue.contains(game.id))
            alerts.append({DueAlert::Kind::MoveDue, server, game});
        const bool isShort = (game.daysPlayer * 24 + game.hoursPlayer) * 60 + game.minutesPlayer
                             < m_thresholdDays * 24 * 60;
        if (!isShort)
            continue;
        timeShort.insert(game.id);
        // A game just due says its time with the move; a short time is told once.
        if (alert && wasDue.contains(game.id) && !wasShort.contains(game.id))
            alerts.append({DueAlert::Kind::TimeShort, server, game});
    }
    m_due.insert(server, due);
    m_timeShort.insert(server, timeShort);
    return alerts;
}

int TDueAlerts::dueCount() const
{
    int count = 0;
    for (const QSet<int> &ids : m_due)
        count += int(ids.size());
    return count;
}
