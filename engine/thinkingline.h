#pragma once

#include <QByteArrayView>

// Whether an engine's output line is thinking output: a UCI "info" line, a
// Winboard thinking line (led by a tab or blanks, then the depth and a blank)
// or a Winboard "stat01:" status line. Such lines are superseded by the next
// one; every other line ("bestmove", "feature", "pong", errors) matters.
inline bool IsThinkingLine(QByteArrayView line)
{
    if (line.startsWith("info") || line.startsWith("stat01:"))
        return true;
    qsizetype at = 0;
    while (at < line.size() && (line.at(at) == '\t' || line.at(at) == ' '))
        ++at;
    const qsizetype digits = at;
    while (at < line.size() && line.at(at) >= '0' && line.at(at) <= '9')
        ++at;
    return at > digits && at < line.size() && line.at(at) == ' ';
}
