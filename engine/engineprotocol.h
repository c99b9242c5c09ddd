#pragma once

#include "engine/analysedposition.h"
#include "engine/analysislabels.h"

#include <QStringList>

// One way of talking to an analysis engine: the commands that open a
// connection and that set up a position, and the reading of the engine's
// output lines into the panel's labels. One object serves one connection.
class TEngineProtocol
{
public:
    // What a line asks of the connection beyond new label texts.
    enum class LineEffect {
        None,
        StopStatusRequests,  // the engine rejected the "." status request
        LacksSetboard,       // the engine cannot take a position
        LacksAnalyze,        // the engine cannot analyse
    };

    virtual ~TEngineProtocol() = default;

    virtual QStringList OpeningCommands() const = 0;
    // The commands that make the engine analyse the position; the protocol
    // remembers the position for reading the lines that follow.
    virtual QStringList PositionCommands(const TAnalysedPosition &position) = 0;
    // Reads one complete output line (without line end) into the labels.
    virtual LineEffect ProcessLine(const QString &line, TAnalysisLabels &labels) = 0;
    // Whether the engine is asked for its status with "." every second.
    virtual bool SendsStatusRequests() const = 0;
};
