#pragma once

#include <QString>

// The analysis engine used when the settings name none.
struct TEngineChoice
{
    QString file;
    int protocol = 0; // 0 Winboard, 1 UCI
};

// On Windows the Winboard engine shipped in the program folder; elsewhere
// that one when it is there, else stockfish (UCI) from the PATH or the
// system's games folder.
TEngineChoice DefaultEngine(const QString &programFolder);
