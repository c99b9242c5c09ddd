#pragma once

#include <QByteArray>
#include <QString>

// Replaces fileName with contents through a temporary file and a rename, so a
// crash or a full disk never leaves a half-written file. Throws
// std::runtime_error with the file name and the system's reason on failure;
// the old file then stays as it was.
void WriteFileAtomically(const QString &fileName, const QByteArray &contents);
