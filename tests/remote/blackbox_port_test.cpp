#include "link/FakeFtdi.h"
#include "remote/BlackBoxPort.h"

#include <gtest/gtest.h>

namespace {

struct PortRig {
    Journal journal;
    RecordingClock clock{journal};
    FakeFtdiApi api{journal};
    BlackBoxPort port{api, clock};
};

TEST(BlackBoxPort, ListsOnlyBoxesAndCountsThoseWithTheirPrefix)
{
    PortRig rig;
    rig.api.devices = {{"ZEDA-USB", "USB-LNK"},
                       {"QUE001", "QUENTAmodul"},
                       {"XYZ002", "QUENTAmodul"},
                       {"QUE003", "QUENTAmodulX"},
                       {"QUE004", "QUENTAmodul"},
                       {"/dev/ttyUSB0", "QUENTAmodul"}};
    rig.port.listBlackBoxes();
    EXPECT_EQ(rig.port.ftdiDeviceCount(), 6);
    EXPECT_EQ(rig.port.deviceList(), QStringList({"QUE001", "XYZ002", "QUE004", "/dev/ttyUSB0"}));
    // A box named by its tty was chosen by the technician: it is offered too.
    EXPECT_EQ(rig.port.prefixedCount(), 3);
}

TEST(BlackBoxPort, NoDevicesOrAFailingBusListNothing)
{
    for (const FtStatus result : {FtStatus::Ok, FtStatus::IoError}) {
        PortRig rig;
        rig.api.listResult = result;
        rig.port.listBlackBoxes();
        EXPECT_TRUE(rig.port.deviceList().isEmpty());
        EXPECT_EQ(rig.port.prefixedCount(), 0);
    }
}

TEST(BlackBoxPort, ListsAtMost65Boxes)
{
    PortRig rig;
    for (int i = 0; i < 70; ++i)
        rig.api.devices.push_back({"QUE" + QByteArray::number(i), "QUENTAmodul"});
    rig.port.listBlackBoxes();
    EXPECT_EQ(rig.port.deviceList().size(), BlackBoxPort::MaxListed);
    EXPECT_EQ(rig.port.ftdiDeviceCount(), 70);
}

TEST(BlackBoxPort, OpensWithItsLineSettingsAndPauses)
{
    PortRig rig;
    rig.port.openBlackBox(QStringLiteral("QUE001"));
    EXPECT_EQ(rig.journal.entries, QStringList({"open QUE001", "wait 10", "bitmode 0 0", "dtr on", "rts off",
                                                "baud 9600", "wait 10"}));
    EXPECT_TRUE(rig.port.isOpen());
    // A new listing releases the open box.
    rig.port.listBlackBoxes();
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_FALSE(rig.port.hasDevice());
}

TEST(BlackBoxPort, AFailedOpenThrowsAndLeavesNoBox)
{
    PortRig rig;
    rig.api.openDefault = FtStatus::DeviceNotFound;
    EXPECT_THROW(rig.port.openBlackBox(QStringLiteral("QUE001")), FT232Error);
    EXPECT_FALSE(rig.port.isOpen());
    EXPECT_FALSE(rig.port.hasDevice());
    EXPECT_TRUE(rig.port.readBlackBox().isEmpty());
    EXPECT_EQ(rig.journal.entries.count(QStringLiteral("open QUE001")), 1);
}

TEST(BlackBoxPort, SendsByteByByteAndStopsAtARefusedByte)
{
    PortRig rig;
    EXPECT_FALSE(rig.port.sendBlackBox("ATH\r\n"));  // nothing open
    rig.port.openBlackBox(QStringLiteral("QUE001"));
    EXPECT_FALSE(rig.port.sendBlackBox(""));
    EXPECT_TRUE(rig.port.sendBlackBox("ATH\r\n"));
    EXPECT_EQ(rig.journal.entries.count(QStringLiteral("write")), 5);
    rig.api.writesAccepted = 2;
    EXPECT_FALSE(rig.port.sendBlackBox("AT@RECE\r\n"));
    EXPECT_EQ(rig.api.written, "ATH\r\nAT");
}

TEST(BlackBoxPort, ReadsWhatArrivedAndReopensABoxThatCannotBeRead)
{
    PortRig rig;
    rig.port.openBlackBox(QStringLiteral("QUE001"));
    rig.api.arrived = "OK\r\n";
    EXPECT_EQ(rig.port.readBlackBox(), "OK\r\n");
    EXPECT_TRUE(rig.port.readBlackBox().isEmpty());

    rig.journal.entries.clear();
    rig.api.readResult = FtStatus::IoError;
    EXPECT_TRUE(rig.port.readBlackBox().isEmpty());
    EXPECT_EQ(rig.journal.entries,
              QStringList({"close", "wait 10", "open QUE001", "bitmode 0 0", "dtr on", "rts off", "baud 9600"}));

    // A reopening that fails is silent; a later read tries again.
    rig.journal.entries.clear();
    rig.api.openResults = {FtStatus::DeviceNotFound};
    EXPECT_TRUE(rig.port.readBlackBox().isEmpty());
    EXPECT_FALSE(rig.port.hasDevice());
    rig.api.readResult = FtStatus::Ok;
    rig.api.arrived = "RESET\r\n";
    EXPECT_TRUE(rig.port.readBlackBox().isEmpty());
    EXPECT_TRUE(rig.port.hasDevice());
    EXPECT_EQ(rig.port.readBlackBox(), "RESET\r\n");

    // A released box is not reopened by reading.
    rig.port.release();
    rig.journal.entries.clear();
    EXPECT_TRUE(rig.port.readBlackBox().isEmpty());
    EXPECT_TRUE(rig.journal.entries.isEmpty());
}

}  // namespace
