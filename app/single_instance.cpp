#include "app/single_instance.h"

#include <QDir>
#include <QRegularExpression>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

TSingleInstance::TSingleInstance(const QString &name, const QString &user)
    : m_lock(lockFileName(name, user))
{
    m_lock.setStaleLockTime(0);
}

bool TSingleInstance::acquire()
{
    if (m_lock.tryLock(0))
        return true;
    // Only a lock held by a live process keeps us out; anything else
    // (a permission problem, say) lets the program start as if alone.
    return m_lock.error() != QLockFile::LockFailedError;
}

QString TSingleInstance::lockFileName(const QString &name, const QString &user)
{
    // The user's name becomes part of a file name: keep it to safe characters.
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9_.-]"));
    QString safeUser = user;
    safeUser.replace(unsafe, QStringLiteral("_"));
    return QDir::temp().filePath(name + QLatin1Char('-') + safeUser + QStringLiteral(".lock"));
}

QString TSingleInstance::currentUser()
{
#ifdef Q_OS_UNIX
    return QString::number(::getuid());
#else
    return qEnvironmentVariable("USERNAME");
#endif
}
