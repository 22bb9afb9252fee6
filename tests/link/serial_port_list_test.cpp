#include "link/ComPort.h"
#include "link/PseudoTerminal.h"
#include "link/SerialPortList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A device folder: plain files stand for devices that open, a dangling link for a
// built-in port without hardware.
class FakeDevices {
public:
    void device(const QString &name)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    }
    void link(const QString &target, const QString &name)
    {
        QDir().mkpath(QFileInfo(dir.filePath(name)).path());
        ASSERT_TRUE(QFile::link(target, dir.filePath(name))) << name.toStdString();
    }
    QString path(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
};

TEST(SerialPortList, NumbersUsbThenAcmThenBuiltInPortsWithHardware)
{
    FakeDevices devices;
    for (const char *name : {"ttyS1", "ttyACM0", "ttyUSB10", "ttyUSB2", "ttyS0", "ttyUSBx", "tty0"})
        devices.device(QString::fromLatin1(name));
    devices.link(devices.path(QStringLiteral("nothing")), QStringLiteral("ttyS2"));

    const SerialPortList list(devices.dir.path());
    const QStringList expected = {devices.path("ttyUSB2"), devices.path("ttyUSB10"),
                                  devices.path("ttyACM0"), devices.path("ttyS0"),
                                  devices.path("ttyS1")};
    EXPECT_EQ(list.devicePaths(), expected);

    EXPECT_EQ(list.devicePathOf(1), devices.path("ttyUSB2"));
    EXPECT_EQ(list.devicePathOf(5), devices.path("ttyS1"));
    EXPECT_TRUE(list.devicePathOf(0).isEmpty());
    EXPECT_TRUE(list.devicePathOf(6).isEmpty());
    EXPECT_EQ(list.numberOf(devices.path("ttyACM0")), 3);
    EXPECT_EQ(list.numberOf(devices.path("ttyS2")), 0);
}

TEST(SerialPortList, EmptyOrMissingFolderHasNoPorts)
{
    QTemporaryDir empty;
    EXPECT_TRUE(SerialPortList(empty.path()).devicePaths().isEmpty());
    EXPECT_TRUE(SerialPortList(empty.filePath("missing")).entries().isEmpty());
}

TEST(SerialPortList, StablePathIsTheByIdLinkOfTheDevice)
{
    FakeDevices devices;
    devices.device(QStringLiteral("ttyUSB0"));
    devices.device(QStringLiteral("ttyUSB1"));
    const QString byId = QStringLiteral("serial/by-id/usb-FTDI_USB-LNKv2_A1B2-if00-port0");
    devices.link(QStringLiteral("../../ttyUSB1"), byId);

    const SerialPortList list(devices.dir.path());
    EXPECT_EQ(list.stablePathOf(devices.path("ttyUSB1")), devices.path(byId));
    EXPECT_EQ(list.stablePathOf(devices.path("ttyUSB0")), devices.path("ttyUSB0"));
    // The stored stable path finds the port again after the numbers shifted.
    EXPECT_EQ(list.numberOf(devices.path(byId)), 2);
}

TEST(SerialPortList, EntriesShowNumberPathAndWhetherThePortIsFree)
{
    PseudoTerminal freePty;
    PseudoTerminal heldPty;
    FakeDevices devices;
    devices.link(freePty.slavePath(), QStringLiteral("ttyUSB0"));
    devices.link(heldPty.slavePath(), QStringLiteral("ttyUSB1"));
    devices.link(devices.path(QStringLiteral("gone")), QStringLiteral("ttyUSB2"));

    ComPort holder;
    holder.setComNumber(2, devices.path(QStringLiteral("ttyUSB1")));
    holder.open();

    const QList<SerialPortEntry> entries = SerialPortList(devices.dir.path()).entries();
    ASSERT_EQ(entries.size(), 3);
    const PortState states[] = {PortState::Free, PortState::InUse, PortState::Absent};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(entries[i].number, i + 1);
        EXPECT_EQ(entries[i].state, states[i]) << i;
        EXPECT_EQ(entries[i].stablePath, entries[i].devicePath);
    }
    EXPECT_EQ(entries[0].displayText(),
              QStringLiteral("COM 1 (%1)").arg(devices.path(QStringLiteral("ttyUSB0"))));
    // Probing leaves a free port free.
    EXPECT_EQ(SerialPortList::probe(devices.path(QStringLiteral("ttyUSB0"))), PortState::Free);
}

} // namespace
