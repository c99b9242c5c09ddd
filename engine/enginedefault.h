#pragma once

#include <QString>
#include <QStringList>

// The analysis engine used when the settings name none.
struct TEngineChoice
{
    QString file;
    int protocol = 0;   // 0 Winboard, 1 UCI
    QString arguments;  // as the options dialog's "Arguments" field holds them
};

// On Windows the Winboard engine shipped in the program folder; elsewhere
// that one when it is there, else the first engine installed in the
// searched folders (the PATH and the system's games folder when none are
// given): stockfish (UCI), else fairy-stockfish or gnuchess (Winboard).
TEngineChoice DefaultEngine(const QString &programFolder, const QStringList &searchFolders = {});

// The engine to use for the configured one: itself, unless it is the shipped
// engine ("engines/crafty/wcrafty.exe" of a program folder) and that file is
// missing, for which DefaultEngine of that folder stands in.
TEngineChoice InstalledEngine(const TEngineChoice &configured, const QStringList &searchFolders = {});

// The arguments an engine needs that the user has not given: "-x" for
// gnuchess, which otherwise drops the commands that open the link.
QString ArgumentsFor(const QString &engineFile, const QString &arguments);
