#pragma once

#include "engine/engineprotocol.h"

// The UCI protocol in infinite analysis: "position" with the moves from the
// start, "go infinite", and the "id" and "info" lines read into the labels.
class TUciProtocol final : public TEngineProtocol
{
public:
    QStringList OpeningCommands() const override;
    QStringList PositionCommands(const TAnalysedPosition &position) override;
    LineEffect ProcessLine(const QString &line, TAnalysisLabels &labels) override;
    bool SendsStatusRequests() const override { return false; }

    void ProcessUCICommand(const QString &line, TAnalysisLabels &labels) const;

    // The "position" command: startpos or the set-up FEN, then the moves.
    static QString PositionCommand(const TAnalysedPosition &position);
    // The value after a key word of an info line, up to and including the
    // next blank; empty when the key is missing or ends the line.
    static QString ValueAfter(const QString &line, const QString &key);

private:
    // A search runs since the last "go infinite"; the info lines of a search
    // stopped for a new position are ignored until its "bestmove".
    bool m_searching = false;
    bool m_stopping = false;
};
