#pragma once

#include "service/xfcc_types.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>

// What a background check tells the player, once each: a game that became
// due since the server was last asked, and a due game whose time left fell
// below the player's threshold.
struct DueAlert {
    enum class Kind { MoveDue, TimeShort };
    Kind kind;
    QString server;
    XfccGame game;
};

class TDueAlerts
{
public:
    explicit TDueAlerts(int daysLeftThreshold = 3) : m_thresholdDays(daysLeftThreshold) {}
    void setThreshold(int days) { m_thresholdDays = days; }

    // The server's answer to a background check: the alerts it gives rise
    // to, remembered so that none is given twice.
    QList<DueAlert> take(const QString &server, const ArrayOfXfccGame &games);
    // The server's games as the player has seen them in the window: what is
    // due there is known, and gives no alert.
    void seen(const QString &server, const ArrayOfXfccGame &games);

    // The games due on every server, as last answered.
    int dueCount() const;

private:
    QList<DueAlert> compare(const QString &server, const ArrayOfXfccGame &games, bool alert);

    int m_thresholdDays;
    QHash<QString, QSet<int>> m_due;        // per server, the ids of due games
    QHash<QString, QSet<int>> m_timeShort;  // per server, the due games told of their time
};
