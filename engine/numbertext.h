#pragma once

#include <QString>

// Writes a count with "." between groups of three digits: 1234567 -> "1.234.567".
QString GroupDigits(qint64 value);

// "nodes / speed nps" with both numbers grouped; the speed divides the nodes by
// the search time rounded down to whole seconds plus one, so it is defined from
// the first centisecond on.
QString NodeRateText(qint64 centiseconds, qint64 nodes);
