#include "link/FT232.h"
#include "link/FakeFtdi.h"
#include "link/FtdiDeviceList.h"

#include <gtest/gtest.h>

namespace {

class FT232Test : public ::testing::Test {
protected:
    Journal journal;
    RecordingClock clock{journal};
    FakeFtdiApi api{journal};
};

TEST_F(FT232Test, OpenFailureRaisesErrorNamingTheDevice)
{
    for (const FtStatus status : {FtStatus::DeviceNotFound, FtStatus::DeviceNotOpened, FtStatus::IoError}) {
        api.openResults = {status};
        try {
            FT232 device(api, clock, QStringLiteral("ZEDA-USB"));
            FAIL() << "opened despite status " << quint32(status);
        } catch (const FT232Error &error) {
            EXPECT_EQ(error.message(), QStringLiteral("Device ZEDA-USB can not open"));
        }
    }
    // A device that never opened is never closed.
    EXPECT_FALSE(journal.entries.contains(QStringLiteral("close")));
}

TEST_F(FT232Test, DestructionClosesThenWaitsTenMilliseconds)
{
    { FT232 device(api, clock, QStringLiteral("QUE123")); }
    EXPECT_EQ(journal.entries, QStringList({"open QUE123", "close", "wait 10"}));
}

TEST_F(FT232Test, LineSettingsStopAtTheFirstRefusedCall)
{
    struct Case {
        const char *name;
        FtStatus FakeFtdiApi::*refused;
        QStringList calls;
    };
    const QStringList all{"bitmode 0 0", "dtr on", "rts off", "baud 9600"};
    const std::vector<Case> cases{
        {"none", nullptr, all},
        {"bit mode", &FakeFtdiApi::bitModeResult, all.mid(0, 1)},
        {"dtr", &FakeFtdiApi::dtrResult, all.mid(0, 2)},
        {"rts", &FakeFtdiApi::rtsResult, all.mid(0, 3)},
        {"baud rate", &FakeFtdiApi::baudRateResult, all},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        Journal calls;
        FakeFtdiApi device{calls};
        if (c.refused)
            device.*c.refused = FtStatus::IoError;
        FT232 ft232(device, clock, QStringLiteral("ZEDA-USB"));
        EXPECT_EQ(ft232.applyLineSettings(), c.refused == nullptr);
        EXPECT_EQ(calls.entries.mid(1), c.calls);
    }
}

TEST_F(FT232Test, SetBitModeKeepsItsStatus)
{
    FT232 device(api, clock, QStringLiteral("ZEDA-USB"));
    api.bitModeResult = FtStatus::IoError;
    EXPECT_FALSE(device.setBitMode(0, 0));
    EXPECT_EQ(device.lastStatus(), FtStatus::IoError);
    api.bitModeResult = FtStatus::Ok;
    EXPECT_TRUE(device.setBitMode(0, 0));
    EXPECT_EQ(device.lastStatus(), FtStatus::Ok);
}

TEST_F(FT232Test, BytesWaitingCountsEverythingArrivedSoFar)
{
    FT232 device(api, clock, QStringLiteral("ZEDA-USB"));
    EXPECT_EQ(device.bytesWaiting(), 0);
    api.arrived = "AB";
    EXPECT_EQ(device.bytesWaiting(), 2);
    api.arrived = "CDE";
    EXPECT_EQ(device.bytesWaiting(), 5);

    QByteArray read;
    while (const std::optional<quint8> byte = device.readByte())
        read.append(char(*byte));
    EXPECT_EQ(read, "ABCDE");
    EXPECT_EQ(device.bytesWaiting(), 0);
}

TEST_F(FT232Test, ReadByteFetchesWhenNothingIsHeld)
{
    FT232 device(api, clock, QStringLiteral("ZEDA-USB"));
    EXPECT_EQ(device.readByte(), std::nullopt);
    api.arrived = "Z";
    EXPECT_EQ(device.readByte(), std::optional<quint8>('Z'));
}

TEST_F(FT232Test, FailedFetchMarksTheConnectionUnreadableUntilAFetchWorks)
{
    FT232 device(api, clock, QStringLiteral("ZEDA-USB"));
    api.arrived = "AB";
    ASSERT_EQ(device.bytesWaiting(), 2);
    api.readResult = FtStatus::IoError;
    EXPECT_EQ(device.bytesWaiting(), 2);  // what arrived before stays readable
    EXPECT_TRUE(device.readFailed());
    EXPECT_EQ(device.readByte(), std::optional<quint8>('A'));
    api.readResult = FtStatus::Ok;
    EXPECT_EQ(device.bytesWaiting(), 1);
    EXPECT_FALSE(device.readFailed());
}

TEST_F(FT232Test, WriteByteReportsWhetherTheDeviceTookIt)
{
    FT232 device(api, clock, QStringLiteral("ZEDA-USB"));
    api.writesAccepted = 1;
    EXPECT_TRUE(device.writeByte('W'));
    EXPECT_FALSE(device.writeByte('P'));
    EXPECT_EQ(api.written, "W");
}

class FT232ListingTest : public FT232Test {
protected:
    FtdiDeviceList list{api};
};

TEST_F(FT232ListingTest, DeviceStringIsCutToTheListingBuffer)
{
    const QByteArray fortyNine(49, 'a');
    struct Case {
        const char *name;
        QByteArray listed;
        QString expected;
    };
    const std::vector<Case> cases{
        {"empty", QByteArray(), QString()},
        {"short", "QUENTAmodul", QStringLiteral("QUENTAmodul")},
        {"exactly 49", fortyNine, QString::fromLatin1(fortyNine)},
        {"50", fortyNine + "b", QString::fromLatin1(fortyNine)},
        {"80", fortyNine + QByteArray(31, 'c'), QString::fromLatin1(fortyNine)},
        {"NUL inside", QByteArray("QUE1\0junk", 9), QStringLiteral("QUE1")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        api.devices = {{c.listed, c.listed}};
        ASSERT_EQ(list.getFTDeviceSerialNo(0), FtStatus::Ok);
        EXPECT_EQ(list.deviceString(), c.expected);
        ASSERT_EQ(list.getFTDeviceDescription(0), FtStatus::Ok);
        EXPECT_EQ(list.deviceString(), c.expected);
    }
}

TEST_F(FT232ListingTest, SerialNumberAndDescriptionByIndex)
{
    api.devices = {{"FT1", "USB-LNK"}, {"QUE7", "QUENTAmodul"}};
    ASSERT_EQ(list.getFTDeviceCount(), FtStatus::Ok);
    EXPECT_EQ(list.deviceCount(), 2u);
    ASSERT_EQ(list.getFTDeviceDescription(1), FtStatus::Ok);
    EXPECT_EQ(list.deviceString(), QStringLiteral("QUENTAmodul"));
    ASSERT_EQ(list.getFTDeviceSerialNo(1), FtStatus::Ok);
    EXPECT_EQ(list.deviceString(), QStringLiteral("QUE7"));
}

TEST_F(FT232ListingTest, FailedListingLeavesTheStateUnchanged)
{
    api.devices = {{"QUE7", "QUENTAmodul"}};
    ASSERT_EQ(list.getFTDeviceCount(), FtStatus::Ok);
    ASSERT_EQ(list.getFTDeviceSerialNo(0), FtStatus::Ok);

    EXPECT_EQ(list.getFTDeviceDescription(5), FtStatus::DeviceNotFound);
    EXPECT_EQ(list.deviceString(), QStringLiteral("QUE7"));

    api.listResult = FtStatus::IoError;
    EXPECT_EQ(list.getFTDeviceCount(), FtStatus::IoError);
    EXPECT_EQ(list.getFTDeviceDescription(0), FtStatus::IoError);
    EXPECT_EQ(list.getFTDeviceSerialNo(0), FtStatus::IoError);
    EXPECT_EQ(list.deviceCount(), 1u);
    EXPECT_EQ(list.deviceString(), QStringLiteral("QUE7"));
}

}  // namespace
