#pragma once

#include <QByteArrayView>
#include <QList>

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

// Thins the lines of one read of a flood: every thinking line but the latest
// is dropped, every other line is kept, in order. Returns how many were dropped.
inline qsizetype DropOlderThinkingLines(QList<QByteArrayView> &lines)
{
    qsizetype latest = lines.size() - 1;
    while (latest >= 0 && !IsThinkingLine(lines.at(latest)))
        --latest;
    QList<QByteArrayView> kept;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i == latest || !IsThinkingLine(lines.at(i)))
            kept.append(lines.at(i));
    }
    const qsizetype dropped = lines.size() - kept.size();
    lines = kept;
    return dropped;
}
