#include "app/server_entry.h"

#include "app/atomic_file.h"
#include "app/server_name.h"

#include <QDir>
#include <QFile>

#include <stdexcept>

QString ServerFileName(const QString &folder, const QString &name)
{
    return folder + QDir::separator() + name;
}

QStringList ListServerFiles(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
}

ServerEntry ReadServerFile(const QString &folder, const QString &name)
{
    QFile file(ServerFileName(folder, name));
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error(QStringLiteral("Cannot open server file %1: %2")
                                     .arg(QDir::toNativeSeparators(file.fileName()), file.errorString())
                                     .toStdString());
    }
    QString lines[4];
    for (QString &line : lines) {
        if (file.atEnd())
            break;
        QByteArray bytes = file.readLine();
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        line = QString::fromLocal8Bit(bytes);
    }
    if (file.error() != QFile::NoError) {
        throw std::runtime_error(QStringLiteral("Cannot read server file %1: %2")
                                     .arg(QDir::toNativeSeparators(file.fileName()), file.errorString())
                                     .toStdString());
    }
    return ServerEntry{name, lines[0], lines[1], lines[2], lines[3]};
}

void WriteServerFile(const QString &folder, const ServerEntry &entry)
{
    if (CheckServerName(entry.Name) != ServerNameProblem::None) {
        throw std::runtime_error(
            QStringLiteral("Not a server name: \"%1\"").arg(entry.Name.left(MaxServerNameLength)).toStdString());
    }
    QByteArray contents;
    for (const QString *line : {&entry.ServiceUrl, &entry.UserName, &entry.Password, &entry.WebSite})
        contents += line->toLocal8Bit() + "\r\n";
    WriteFileAtomically(ServerFileName(folder, entry.Name), contents, OwnerOnly);
}
