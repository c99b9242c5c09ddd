#include "app/game_notes.h"

#include "app/atomic_file.h"
#include "app/server_name.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

TGameNotes::TGameNotes(const QString &programFolder)
    : m_folder(QDir(programFolder).filePath(QStringLiteral("notes")))
{
}

QString TGameNotes::serverFolder(const QString &server) const
{
    // Server names are confined here as they are in the servers folder.
    if (CheckServerName(server) != ServerNameProblem::None)
        throw std::runtime_error(QStringLiteral("Not a server name: \"%1\"").arg(server.left(MaxServerNameLength)).toStdString());
    return QDir(m_folder).filePath(server);
}

QString TGameNotes::fileName(const QString &server, int gameId) const
{
    return QDir(serverFolder(server)).filePath(QString::number(gameId) + QStringLiteral(".txt"));
}

QString TGameNotes::read(const QString &server, int gameId) const
{
    QFile file(fileName(server, gameId));
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error(QStringLiteral("Cannot read the notes %1: %2")
                                     .arg(QDir::toNativeSeparators(file.fileName()), file.errorString())
                                     .toStdString());
    return QString::fromUtf8(file.readAll());
}

void TGameNotes::write(const QString &server, int gameId, const QString &text) const
{
    const QString name = fileName(server, gameId);
    if (text.isEmpty()) {
        if (QFile::exists(name) && !QFile::remove(name))
            throw std::runtime_error(
                QStringLiteral("Cannot remove the notes %1").arg(QDir::toNativeSeparators(name)).toStdString());
        return;
    }
    if (!QDir().mkpath(serverFolder(server)))
        throw std::runtime_error(QStringLiteral("Cannot make the folder %1")
                                     .arg(QDir::toNativeSeparators(serverFolder(server)))
                                     .toStdString());
    WriteFileAtomically(name, text.toUtf8(), OwnerOnly);
}

bool TGameNotes::hasNotes(const QString &server) const
{
    return !QDir(serverFolder(server)).isEmpty(QDir::Files | QDir::NoDotAndDotDot);
}

void TGameNotes::removeAll(const QString &server) const
{
    QDir(serverFolder(server)).removeRecursively();
}

QString NotesAsPgnComment(const QString &notes)
{
    const QString text = notes.trimmed();
    if (text.isEmpty())
        return {};
    QString comment = text;
    comment.replace(QLatin1Char('{'), QLatin1Char('(')).replace(QLatin1Char('}'), QLatin1Char(')'));
    comment.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return QLatin1Char('{') + comment + QLatin1Char('}');
}
