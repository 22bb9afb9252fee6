#include "link/SerialPortList.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPort>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

// "ttyUSB10" after "ttyUSB2": ordered by the number that ends the name.
QStringList sortedDevices(const QDir &folder, const QString &prefix)
{
    QStringList names = folder.entryList({prefix + QLatin1Char('*')}, QDir::System | QDir::Files,
                                         QDir::Name);
    names.removeIf([&](const QString &name) {
        bool numeric = false;
        name.mid(prefix.size()).toInt(&numeric);
        return !numeric;
    });
    std::stable_sort(names.begin(), names.end(), [&](const QString &a, const QString &b) {
        return a.mid(prefix.size()).toInt() < b.mid(prefix.size()).toInt();
    });
    for (QString &name : names)
        name = folder.filePath(name);
    return names;
}

// A built-in port counts when it opens, or when another program holds it; a port
// without a chip behind it fails with an I/O error, one we may not use with EACCES.
bool hasHardware(const QString &path)
{
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EBUSY;
    ::close(fd);
    return true;
}

QString canonical(const QString &path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? path : resolved;
}

} // namespace

QString SerialPortEntry::displayText() const
{
    return QStringLiteral("COM %1 (%2)").arg(number).arg(devicePath);
}

SerialPortList::SerialPortList(QString deviceFolder)
    : deviceFolder_(std::move(deviceFolder))
{
}

QStringList SerialPortList::devicePaths() const
{
    const QDir folder(deviceFolder_);
    QStringList paths = sortedDevices(folder, QStringLiteral("ttyUSB"));
    paths += sortedDevices(folder, QStringLiteral("ttyACM"));
    const QStringList builtIn = sortedDevices(folder, QStringLiteral("ttyS"));
    std::copy_if(builtIn.begin(), builtIn.end(), std::back_inserter(paths), hasHardware);
    return paths;
}

QString SerialPortList::devicePathOf(int number) const
{
    return number > 0 ? devicePaths().value(number - 1) : QString();
}

int SerialPortList::numberOf(const QString &path) const
{
    const QString target = canonical(path);
    const QStringList paths = devicePaths();
    for (int i = 0; i < paths.size(); ++i) {
        if (canonical(paths[i]) == target)
            return i + 1;
    }
    return 0;
}

QString SerialPortList::stablePathOf(const QString &devicePath) const
{
    const QDir byId(QDir(deviceFolder_).filePath(QStringLiteral("serial/by-id")));
    const QString target = canonical(devicePath);
    const QStringList links = byId.entryList(QDir::System | QDir::Files, QDir::Name);
    for (const QString &link : links) {
        QString linkPath = byId.filePath(link);
        if (canonical(linkPath) == target)
            return linkPath;
    }
    return devicePath;
}

QList<SerialPortEntry> SerialPortList::entries() const
{
    QList<SerialPortEntry> result;
    const QStringList paths = devicePaths();
    for (int i = 0; i < paths.size(); ++i)
        result.append({i + 1, paths[i], stablePathOf(paths[i]), probe(paths[i])});
    return result;
}

PortState SerialPortList::probe(const QString &path)
{
    QSerialPort port(path);
    if (port.open(QIODevice::ReadWrite)) {
        port.close();
        return PortState::Free;
    }
    return port.error() == QSerialPort::DeviceNotFoundError ? PortState::Absent : PortState::InUse;
}
