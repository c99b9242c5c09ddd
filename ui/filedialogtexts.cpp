#include "ui/filedialogtexts.h"

#include <QStringList>

QString TFileDialogTexts::toQtFilter(const QString &filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts.at(i + 1);
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters.append(QStringLiteral("%1 (%2)").arg(parts.at(i), patterns));
    }
    if (parts.size() % 2 == 1 && !parts.last().isEmpty())
        filters.append(parts.last()); // a description without a pattern
    return filters.join(QStringLiteral(";;"));
}
