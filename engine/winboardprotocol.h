#pragma once

#include "engine/engineprotocol.h"

// The Winboard (xboard) protocol, version 2, in analysis mode. Thinking lines
// carry depth, score, time, nodes and the principal variation; "stat01:"
// lines answer the "." status request; "feature" lines announce what the
// engine can do.
class TWinboardProtocol final : public TEngineProtocol
{
public:
    QStringList OpeningCommands() const override;
    QStringList PositionCommands(const TAnalysedPosition &position) override;
    LineEffect ProcessLine(const QString &line, TAnalysisLabels &labels) override;
    bool SendsStatusRequests() const override { return true; }

    // The line handlers, each filling the labels it reads.
    LineEffect ProcessCommandLine(const QString &line, TAnalysisLabels &labels);
    void ParsePrincipleVariation(const QString &line, TAnalysisLabels &labels) const;
    void ParseScore(const QString &text, TAnalysisLabels &labels) const;
    // Return the value read, or -1 when the text is not a number.
    qint64 ParseSearchTime(const QString &text, TAnalysisLabels &labels) const;
    qint64 ParseNodeCount(const QString &text) const;
    void ParseStatus(const QString &line, TAnalysisLabels &labels) const;
    LineEffect ParseFeature(const QString &line, TAnalysisLabels &labels);

    bool SupportsSetboard() const { return m_setboard; }
    bool SupportsAnalyze() const { return m_analyze; }
    bool FeaturesDone() const { return m_featuresDone; }

    // The variation with move numbers, counted from the analysed position.
    static QString NumberedVariation(const QStringList &moves, int ply, bool whiteToMove);

private:
    bool m_setboard = false;
    // Analyze is on unless the engine says otherwise, as protocol 2 defines.
    bool m_analyze = true;
    bool m_featuresDone = false;
    int m_ply = 0;
    bool m_whiteToMove = true;
};
