#include "engine/numbertext.h"

#include <cmath>

QString GroupDigits(qint64 value)
{
    const bool negative = value < 0;
    // The magnitude of the smallest qint64 fits only in an unsigned number.
    QString digits = QString::number(negative ? 0 - quint64(value) : quint64(value));
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char('.'));
    return negative ? QLatin1Char('-') + digits : digits;
}

QString NodeRateText(qint64 centiseconds, qint64 nodes)
{
    const qint64 seconds = centiseconds / 100 + 1;
    const auto speed = static_cast<qint64>(std::llround(double(nodes) / double(seconds)));
    return GroupDigits(nodes) + QStringLiteral(" / ") + GroupDigits(speed) + QStringLiteral(" nps");
}
