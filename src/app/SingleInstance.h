#pragma once

#include <QLockFile>
#include <QString>

// Makes sure only one copy of the program runs: a lock file named after "Ostrakel",
// held for the life of this object. A lock left by a copy that died is taken over.
class SingleInstance {
public:
    // lockFolder: where the lock lives; by default the user's runtime folder.
    explicit SingleInstance(const QString &lockFolder = defaultLockFolder());

    // True when this is the only running copy (the lock is now ours).
    bool tryAcquire();
    QString lockFilePath() const { return lockFilePath_; }

    // The runtime folder ($XDG_RUNTIME_DIR), else the temporary folder.
    static QString defaultLockFolder();

private:
    QString lockFilePath_;
    QLockFile lock_;
};
