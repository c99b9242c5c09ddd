#pragma once

#include <QString>

// The texts of the engine panel's value labels, filled by the protocols.
struct TAnalysisLabels
{
    static inline const QString Unknown = QStringLiteral(".....");

    QString engine;                // EngineLabel: engine status or identity
    QString hint = Unknown;        // HintLabel: first move of the variation
    QString score = Unknown;       // ScoreLabel
    QString depth = Unknown;       // depthlabel
    QString nodes = Unknown;       // nodesPersecondlabel: nodes and speed
    QString searchTime = Unknown;  // SearchtimeLabel
    QString variation = Unknown;   // pvmemo: principal variation or book moves

    // Sets every value label back to "....."; the engine label stays.
    void ResetValues()
    {
        const QString keep = engine;
        *this = TAnalysisLabels();
        engine = keep;
    }

    friend bool operator==(const TAnalysisLabels &, const TAnalysisLabels &) = default;
};
