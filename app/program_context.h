#pragma once

#include <QString>

// The process-wide values fixed at start-up.
inline constexpr char VersionText[] = "1.13";

// "Quorval 1.13": the application title, the main window's caption and the
// caption of the general error box.
QString ApplicationTitle();

struct TProgramContext
{
    bool DebugMode = false;
    QString ProgramFolder;  // ends with a separator
    QString ServersFolder;  // ProgramFolder + "servers"
    QString TempFolder;     // ProgramFolder + "temp"

    // The folders of a program installed in programFolder.
    static TProgramContext forFolder(const QString &programFolder, bool debugMode = false);
    // The executable's folder, or the user's application data folder when the
    // executable's folder cannot be written.
    static QString defaultProgramFolder();
    // The program folder of an executable in executableFolder: the user's
    // application data folder (created) when executableFolder cannot be
    // written or belongs to an installed program, a "bin" folder beside a
    // "share/quorval" folder; executableFolder otherwise.
    static QString programFolderFor(const QString &executableFolder);

    // Creates ServersFolder and TempFolder when missing; failures are silent.
    void createFolders() const;
    QString settingsFileName() const;
};

// True when one of the arguments, upper-cased, is "-DEBUGMODE" as a whole.
bool IsDebugModeRequested(const QStringList &arguments);
