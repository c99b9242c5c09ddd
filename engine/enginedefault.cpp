#include "engine/enginedefault.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

const QString ShippedPath = QStringLiteral("engines/crafty/wcrafty.exe");

QString ShippedEngine(const QString &programFolder)
{
    return QDir(programFolder).filePath(ShippedPath);
}

QString FindProgram(const QString &name, const QStringList &searchFolders)
{
    if (!searchFolders.isEmpty())
        return QStandardPaths::findExecutable(name, searchFolders);
    const QString found = QStandardPaths::findExecutable(name);
    return found.isEmpty() ? QStandardPaths::findExecutable(name, {QStringLiteral("/usr/games")}) : found;
}

} // namespace

TEngineChoice DefaultEngine(const QString &programFolder, const QStringList &searchFolders)
{
    const TEngineChoice shipped{ShippedEngine(programFolder), 0, {}};
#ifdef Q_OS_WIN
    Q_UNUSED(searchFolders);
    return shipped;
#else
    if (QFileInfo::exists(shipped.file))
        return shipped;
    const struct { const char *name; int protocol; } installed[] = {
        {"stockfish", 1}, {"fairy-stockfish", 0}, {"gnuchess", 0}};
    for (const auto &engine : installed) {
        const QString file = FindProgram(QLatin1String(engine.name), searchFolders);
        if (!file.isEmpty())
            return {file, engine.protocol, ArgumentsFor(file, {})};
    }
    return shipped;
#endif
}

TEngineChoice InstalledEngine(const TEngineChoice &configured, const QStringList &searchFolders)
{
    const QString file = QDir::cleanPath(QDir::fromNativeSeparators(configured.file));
    if (!file.endsWith(QLatin1Char('/') + ShippedPath) || QFileInfo::exists(file))
        return configured;
    return DefaultEngine(file.chopped(ShippedPath.size()), searchFolders);
}

QString ArgumentsFor(const QString &engineFile, const QString &arguments)
{
    if (!arguments.trimmed().isEmpty())
        return arguments;
    const QFileInfo engine(engineFile);
    const QString gnuchess = QStringLiteral("gnuchess");
    const bool isGnuchess = engine.completeBaseName() == gnuchess
                            || QFileInfo(engine.canonicalFilePath()).completeBaseName() == gnuchess;
    return isGnuchess ? QStringLiteral("-x") : arguments;
}
