#include "SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

SingleInstance::SingleInstance(const QString &lockFolder)
    : lockFilePath_(QDir(lockFolder).filePath(QStringLiteral("Ostrakel.lock")))
    , lock_(lockFilePath_)
{
    // Only a dead owner makes the lock stale, never its age: a copy may run for days.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::tryAcquire()
{
    return lock_.isLocked() || lock_.tryLock(0);
}

QString SingleInstance::defaultLockFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}
