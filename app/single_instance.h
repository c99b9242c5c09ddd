#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second copy of the program from running beside the first: a lock
// file named after the mutex in the temporary folder. The lock of a run that
// crashed is stale and does not block a new start.
class TSingleInstance
{
public:
    explicit TSingleInstance(const QString &name = QStringLiteral("QuorvalMutex"));

    // False when another running process holds the lock.
    bool acquire();

private:
    QLockFile m_lock;
};
