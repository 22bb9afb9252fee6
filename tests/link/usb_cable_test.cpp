#include "link/FakeFtdi.h"
#include "link/UsbCable.h"

#include <gtest/gtest.h>

namespace {

const QStringList FirstAttempt{"open ZEDA-USB", "wait 5", "bitmode 0 0", "dtr on", "rts off", "baud 9600", "wait 5"};
const QStringList SecondAttempt{"open ZEDA-USB", "wait 1", "bitmode 0 0", "dtr on", "rts off", "baud 9600", "wait 1"};
const QStringList Release{"close", "wait 10"};

class UsbCableTest : public ::testing::Test {
protected:
    // The entries recorded since the last call.
    QStringList newEntries()
    {
        const QStringList entries = journal.entries.mid(seen_);
        seen_ = journal.entries.size();
        return entries;
    }
    void openCable()
    {
        ASSERT_TRUE(cable.open());
        newEntries();
    }

    Journal journal;
    RecordingClock clock{journal};
    FakeFtdiApi api{journal};
    UsbCable cable{api, clock};

private:
    qsizetype seen_ = 0;
};

TEST_F(UsbCableTest, OpenSetsUpTheLineWithFiveMillisecondWaits)
{
    EXPECT_TRUE(cable.open());
    EXPECT_EQ(journal.entries, FirstAttempt);
    EXPECT_TRUE(cable.isOpen());
    EXPECT_EQ(cable.statusText(), QStringLiteral("OK-Alarm"));
}

TEST_F(UsbCableTest, NoCableMakesBothAttemptsQuietly)
{
    api.openDefault = FtStatus::DeviceNotFound;
    EXPECT_FALSE(cable.open());
    EXPECT_EQ(journal.entries, QStringList({"open ZEDA-USB", "open ZEDA-USB"}));
    EXPECT_FALSE(cable.isOpen());
    EXPECT_EQ(cable.statusText(), QStringLiteral("------------"));
}

TEST_F(UsbCableTest, SecondAttemptUsesOneMillisecondWaits)
{
    api.openResults = {FtStatus::DeviceNotOpened};
    EXPECT_TRUE(cable.open());
    EXPECT_EQ(journal.entries, QStringList{"open ZEDA-USB"} + SecondAttempt);
    EXPECT_TRUE(cable.isOpen());
    EXPECT_EQ(cable.statusText(), QStringLiteral("OK-Alarm"));
}

TEST_F(UsbCableTest, RefusedLineSettingFailsTheAttemptAndClosesTheDevice)
{
    struct Case {
        const char *name;
        FtStatus FakeFtdiApi::*refused;
        qsizetype callsMade;  // of the first attempt, up to the refused one
    };
    for (const Case &c : {Case{"bit mode", &FakeFtdiApi::bitModeResult, 3}, Case{"dtr", &FakeFtdiApi::dtrResult, 4},
                          Case{"rts", &FakeFtdiApi::rtsResult, 5}, Case{"baud rate", &FakeFtdiApi::baudRateResult, 6}}) {
        SCOPED_TRACE(c.name);
        Journal calls;
        RecordingClock waits{calls};
        FakeFtdiApi device{calls};
        UsbCable usb{device, waits};
        device.*c.refused = FtStatus::IoError;
        EXPECT_FALSE(usb.open());
        const QStringList failedSecond = SecondAttempt.mid(0, c.callsMade) + Release;
        EXPECT_EQ(calls.entries, FirstAttempt.mid(0, c.callsMade) + Release + failedSecond);
        EXPECT_FALSE(usb.isOpen());
        EXPECT_EQ(usb.statusText(), QStringLiteral("------------"));
    }
}

TEST_F(UsbCableTest, OpenReleasesAHeldConnectionFirst)
{
    openCable();
    EXPECT_TRUE(cable.open());
    EXPECT_EQ(newEntries(), Release + FirstAttempt);
}

TEST_F(UsbCableTest, ReadAllReturnsEverythingWaitingWithoutReopening)
{
    openCable();
    api.arrived = QByteArray(40, 'r');
    EXPECT_EQ(cable.readAll(), QByteArray(40, 'r'));
    EXPECT_TRUE(newEntries().isEmpty());
}

TEST_F(UsbCableTest, ReadAllWithNothingWaitingOnAnOpenCableDoesNotReopen)
{
    openCable();
    EXPECT_TRUE(cable.readAll().isEmpty());
    EXPECT_TRUE(newEntries().isEmpty());
    EXPECT_TRUE(cable.isOpen());
}

TEST_F(UsbCableTest, ReadAllReopensAReleasedCable)
{
    openCable();
    cable.close();
    EXPECT_EQ(newEntries(), Release);
    EXPECT_FALSE(cable.isOpen());

    EXPECT_TRUE(cable.readAll().isEmpty());
    EXPECT_EQ(newEntries(), FirstAttempt);
    EXPECT_TRUE(cable.isOpen());
    EXPECT_EQ(cable.statusText(), QStringLiteral("OK-Alarm"));
}

TEST_F(UsbCableTest, ReadAllReopensACableThatCanNoLongerBeRead)
{
    openCable();
    api.readResult = FtStatus::IoError;
    EXPECT_TRUE(cable.readAll().isEmpty());
    EXPECT_EQ(newEntries(), Release + FirstAttempt);
    EXPECT_TRUE(cable.isOpen());
}

TEST_F(UsbCableTest, PulledCableShowsAsNotOpenAtOnce)
{
    openCable();
    api.readResult = FtStatus::DeviceNotOpened;
    EXPECT_EQ(cable.bytesWaiting(), 0);
    EXPECT_FALSE(cable.isOpen());
    EXPECT_EQ(cable.statusText(), QStringLiteral("------------"));
}

TEST_F(UsbCableTest, FailedReopenLeavesTheCableClosedAndSaysSo)
{
    openCable();
    cable.close();
    newEntries();
    api.openDefault = FtStatus::DeviceNotFound;
    EXPECT_TRUE(cable.readAll().isEmpty());
    EXPECT_EQ(newEntries(), QStringList{"open ZEDA-USB"});  // one attempt, as a reopen makes
    EXPECT_FALSE(cable.isOpen());
    EXPECT_EQ(cable.statusText(), QStringLiteral("------------"));
}

TEST_F(UsbCableTest, ReadByteTakesWaitingBytesOneAtATime)
{
    openCable();
    api.arrived = "VZ";
    EXPECT_EQ(cable.readByte(), std::optional<quint8>('V'));
    EXPECT_EQ(cable.readByte(), std::optional<quint8>('Z'));
    EXPECT_EQ(cable.readByte(), std::nullopt);
    EXPECT_TRUE(newEntries().isEmpty());
}

TEST_F(UsbCableTest, FailedReadByteReopensTheCable)
{
    openCable();
    api.readResult = FtStatus::IoError;
    EXPECT_EQ(cable.readByte(), std::nullopt);
    EXPECT_EQ(newEntries(), Release + FirstAttempt);
    EXPECT_TRUE(cable.isOpen());
}

TEST_F(UsbCableTest, ReleasedCableNeitherReadsNorWrites)
{
    api.arrived = "X";
    EXPECT_EQ(cable.bytesWaiting(), 0);
    EXPECT_EQ(cable.readByte(), std::nullopt);
    EXPECT_FALSE(cable.writeByte('R'));
    EXPECT_TRUE(journal.entries.isEmpty());  // readByte never reopens
}

TEST_F(UsbCableTest, WriteTextSendsByteByByteAndStopsAtTheFirstRefusal)
{
    struct Case {
        const char *name;
        QByteArray text;
        int accepted;
        bool result;
        QByteArray sent;
        qsizetype attempts;
    };
    const std::vector<Case> cases{
        {"empty", QByteArray(), -1, false, QByteArray(), 0},
        {"all taken", "RP", -1, true, "RP", 2},
        {"third refused", "ABCDE", 2, false, "AB", 3},
        {"first refused", "W", 0, false, QByteArray(), 1},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        openCable();
        api.written.clear();
        api.writesAccepted = c.accepted;
        EXPECT_EQ(cable.writeText(c.text), c.result);
        EXPECT_EQ(api.written, c.sent);
        EXPECT_EQ(newEntries().count(QStringLiteral("write")), c.attempts);
    }
}

TEST_F(UsbCableTest, SwitchingAwayMarksTheCableNotOpenWithoutClosingIt)
{
    openCable();
    cable.markSwitchedAway();
    EXPECT_FALSE(cable.isOpen());
    EXPECT_EQ(cable.statusText(), QStringLiteral("--"));
    EXPECT_TRUE(newEntries().isEmpty());

    // Coming back to the cable opens it anew, releasing the connection left behind.
    cable.clearStatusText();
    EXPECT_TRUE(cable.statusText().isEmpty());
    EXPECT_TRUE(cable.open());
    EXPECT_EQ(newEntries(), Release + FirstAttempt);
}

}  // namespace
