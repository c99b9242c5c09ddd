#pragma once

#include <QString>

// The texts of the engine panel's value labels, filled by the protocols.
struct TAnalysisLabels
{
    static inline const QString Unknown = QStringLiteral(".....");

    QString engine;                // engineLabel: engine status or identity
    QString hint = Unknown;        // hintLabel: first move of the variation
    QString score = Unknown;       // scoreLabel
    QString depth = Unknown;       // depthLabel
    QString nodes = Unknown;       // nodesLabel: nodes and speed
    QString searchTime = Unknown;  // searchTimeLabel
    QString variation = Unknown;   // variation: principal variation or book moves

    // Sets every value label back to "....."; the engine label stays.
    void ResetValues()
    {
        const QString keep = engine;
        *this = TAnalysisLabels();
        engine = keep;
    }

    friend bool operator==(const TAnalysisLabels &, const TAnalysisLabels &) = default;
};
