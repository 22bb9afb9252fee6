#include "link/SimMemoryFile.h"

#include <QFile>
#include <QSaveFile>

QByteArray SimMemoryFile::load(const QByteArray &factoryMemory)
{
    atStart_ = factoryMemory;
    QFile stored(path_);
    if (stored.open(QIODevice::ReadOnly)) {
        const QByteArray memory = stored.readAll();
        if (memory.size() == factoryMemory.size())
            atStart_ = memory;
    }
    return atStart_;
}

bool SimMemoryFile::store(const QByteArray &memory, QString *error)
{
    if (memory == atStart_)
        return true;
    QSaveFile stored(path_);
    if (!stored.open(QIODevice::WriteOnly) || stored.write(memory) != memory.size() || !stored.commit()) {
        *error = QStringLiteral("cannot keep the simulated device's memory in %1: %2").arg(path_, stored.errorString());
        return false;
    }
    atStart_ = memory;
    return true;
}
