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
    bool SupportsPing() const { return m_ping; }
    bool FeaturesDone() const { return m_featuresDone; }

    // The "setboard" text of a position: its EPD fields and the two move
    // counters, six fields in all, whatever the EPD held.
    static QString SetboardText(const TAnalysedPosition &position);
    // The score text and judgement of a score as the engine wrote it.
    static QString ScoreText(int score, bool whiteToMove, bool fromWhitesSide);

    // The variation with move numbers, counted from the analysed position.
    static QString NumberedVariation(const QStringList &moves, int ply, bool whiteToMove);

private:
    // Whether the line is thinking output (a thinking or status line) of a
    // search other than the one of the position sent last; reads the
    // "pong" that ends the old output.
    bool BelongsToOldSearch(const QString &line);

    bool m_setboard = false;
    // Analyze is on unless the engine says otherwise, as protocol 2 defines.
    bool m_analyze = true;
    bool m_featuresDone = false;
    bool m_ping = false;
    // A position is being analysed: the next one leaves analyze mode first.
    bool m_analysing = false;
    // The "ping" number whose "pong" ends the output of the old search; 0
    // when none is awaited.
    int m_awaitedPong = 0;
    int m_lastPing = 0;
    // Without ping: the old search's output ends where the depth starts
    // again; the depth of the last thinking line read, 0 before the first.
    bool m_awaitingRestart = false;
    int m_lastDepth = 0;
    int m_ply = 0;
    bool m_whiteToMove = true;
};
