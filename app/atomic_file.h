#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

// For files that hold passwords: only their owner may read or write them.
inline constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// Replaces fileName with contents through a temporary file and a rename, so a
// crash or a full disk never leaves a half-written file. Throws
// std::runtime_error with the file name and the system's reason on failure;
// the old file then stays as it was. With permissions, the new file gets
// exactly those; without, those of the file it replaces (or the usual ones).
void WriteFileAtomically(const QString &fileName, const QByteArray &contents,
                         QFileDevice::Permissions permissions = {});

// Appends contents to fileName, creating it when missing. When the write
// fails part-way (a full disk), the file is cut back to its old length, so it
// never ends in half an addition. Throws std::runtime_error as above.
void AppendToFile(const QString &fileName, const QByteArray &contents);
