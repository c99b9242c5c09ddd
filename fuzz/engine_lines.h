#pragma once

#include "engine/engineprotocol.h"
#include "fuzz/fuzz_check.h"

#include <QByteArray>

#include <cstdint>

// An engine's output fed to a protocol line by line, as the engine process
// hands it on: split at line feeds, carriage returns dropped, UTF-8. A line
// that starts with the byte 0x01 stands for the program asking for a new
// position instead; its next bytes give the ply and the side to move, and
// the rest of it, when there is one, the position's EPD text.
template <typename Protocol>
void FeedEngineLines(const std::uint8_t *data, std::size_t size, qsizetype longestHint)
{
    Protocol protocol;
    TAnalysisLabels labels;
    const QByteArray output = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
    for (QByteArray line : output.split('\n')) {
        if (line.startsWith('\x01')) {
            TAnalysedPosition position;
            position.ply = line.size() > 1 ? std::uint8_t(line[1]) : 0;
            position.whiteToMove = line.size() > 2 && (line[2] & 1);
            position.fullMoveNumber = position.ply / 2 + 1;
            position.epd = line.size() > 3 ? QString::fromUtf8(line.mid(3)) : QStringLiteral("8/8/8/8/8/8/8/K6k w - -");
            position.moves = QStringList(qsizetype(position.ply), QStringLiteral("a1a2"));
            FUZZ_CHECK(!protocol.PositionCommands(position).isEmpty());
            labels.ResetValues();
            continue;
        }
        line.removeIf([](char c) { return c == '\r'; });
        protocol.ProcessLine(QString::fromUtf8(line), labels);
        FUZZ_CHECK(labels.hint.size() <= longestHint);
    }
}
