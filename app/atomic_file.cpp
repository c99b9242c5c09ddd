#include "app/atomic_file.h"

#include <QDir>
#include <QSaveFile>

#include <stdexcept>

void WriteFileAtomically(const QString &fileName, const QByteArray &contents)
{
    QSaveFile file(fileName);
    const auto fail = [&] {
        throw std::runtime_error(QStringLiteral("Cannot write file %1: %2")
                                     .arg(QDir::toNativeSeparators(fileName), file.errorString())
                                     .toStdString());
    };
    if (!file.open(QIODevice::WriteOnly))
        fail();
    if (file.write(contents) != contents.size())
        fail();
    if (!file.commit())
        fail();
}
