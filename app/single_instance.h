#pragma once

#include <QLockFile>
#include <QString>

// Keeps a second copy of the program from running beside the first in the
// same user's session: a lock file in the temporary folder named after the
// mutex and the user, so other users of the machine run their own copies. The
// lock of a run that crashed is stale and does not block a new start.
class TSingleInstance
{
public:
    explicit TSingleInstance(const QString &name = QStringLiteral("QuorvalMutex"), const QString &user = currentUser());

    // False when another running process holds the lock.
    bool acquire();

    // The lock file of name and user: "<temp>/<name>-<user>.lock".
    static QString lockFileName(const QString &name, const QString &user);
    // Who runs this process: the user id on Unix, the user name elsewhere.
    static QString currentUser();

private:
    QLockFile m_lock;
};
