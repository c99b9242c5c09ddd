#include "engine/enginedefault.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

TEngineChoice DefaultEngine(const QString &programFolder)
{
    const TEngineChoice shipped{QDir(programFolder).filePath(QStringLiteral("engines/crafty/wcrafty.exe")), 0};
#ifdef Q_OS_WIN
    return shipped;
#else
    if (QFileInfo::exists(shipped.file))
        return shipped;
    QString stockfish = QStandardPaths::findExecutable(QStringLiteral("stockfish"));
    if (stockfish.isEmpty())
        stockfish = QStandardPaths::findExecutable(QStringLiteral("stockfish"), {QStringLiteral("/usr/games")});
    return stockfish.isEmpty() ? shipped : TEngineChoice{stockfish, 1};
#endif
}
