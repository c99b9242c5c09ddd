#include "app/single_instance.h"

#include <QDir>

TSingleInstance::TSingleInstance(const QString &name)
    : m_lock(QDir::temp().filePath(name + QStringLiteral(".lock")))
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
