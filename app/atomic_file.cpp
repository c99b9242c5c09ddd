#include "app/atomic_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <stdexcept>

namespace {

[[noreturn]] void FailToWrite(const QString &fileName, const QString &reason)
{
    throw std::runtime_error(
        QStringLiteral("Cannot write file %1: %2").arg(QDir::toNativeSeparators(fileName), reason).toStdString());
}

// Writes all of contents to a file opened unbuffered. A write cut short (the
// disk filled up) is followed by one for the rest, which then fails with the
// system's reason. Buffered writes are avoided: a QSaveFile would commit a
// file whose last buffered bytes could not be written.
bool WriteWhole(QFileDevice &file, const QByteArray &contents)
{
    for (qint64 written = 0; written < contents.size();) {
        const qint64 n = file.write(contents.constData() + written, contents.size() - written);
        if (n <= 0)
            return false;
        written += n;
    }
    return true;
}

} // namespace

void WriteFileAtomically(const QString &fileName, const QByteArray &contents, QFileDevice::Permissions permissions)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        FailToWrite(fileName, file.errorString());
    // Set on the temporary file before anything is written to it, so the
    // contents are never readable by others, not even for a moment.
    if (permissions && !file.setPermissions(permissions))
        FailToWrite(fileName, file.errorString());
    if (!WriteWhole(file, contents) || !file.commit())
        FailToWrite(fileName, file.errorString());
}

void AppendToFile(const QString &fileName, const QByteArray &contents)
{
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        FailToWrite(fileName, file.errorString());
    const qint64 oldSize = file.size();
    if (WriteWhole(file, contents))
        return;
    const QString reason = file.errorString();
    file.resize(oldSize);
    FailToWrite(fileName, reason);
}
