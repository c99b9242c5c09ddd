#include "app/program_context.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

QString ApplicationTitle()
{
    return QStringLiteral("Quorval ") + QLatin1String(VersionText);
}

TProgramContext TProgramContext::forFolder(const QString &programFolder, bool debugMode)
{
    TProgramContext context;
    context.DebugMode = debugMode;
    context.ProgramFolder = QDir::toNativeSeparators(QDir::cleanPath(programFolder));
    if (!context.ProgramFolder.endsWith(QDir::separator()))
        context.ProgramFolder += QDir::separator();
    context.ServersFolder = context.ProgramFolder + QStringLiteral("servers");
    context.TempFolder = context.ProgramFolder + QStringLiteral("temp");
    return context;
}

QString TProgramContext::defaultProgramFolder()
{
    return programFolderFor(QCoreApplication::applicationDirPath());
}

QString TProgramContext::programFolderFor(const QString &folder)
{
    // An installed program keeps the user's files with the user, also when
    // it runs with the rights to write into its own folder.
    const bool installed = QFileInfo(folder).fileName() == QLatin1String("bin") &&
                           QFileInfo(folder + QStringLiteral("/../share/quorval")).isDir();
    if (!installed && QFileInfo(folder).isWritable())
        return folder;
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return data;
}

void TProgramContext::createFolders() const
{
    QDir().mkpath(ServersFolder);
    QDir().mkpath(TempFolder);
}

QString TProgramContext::settingsFileName() const
{
    return ProgramFolder + QStringLiteral("quorval.ini");
}

bool IsDebugModeRequested(const QStringList &arguments)
{
    for (const QString &argument : arguments) {
        if (argument.toUpper() == QLatin1String("-DEBUGMODE"))
            return true;
    }
    return false;
}
