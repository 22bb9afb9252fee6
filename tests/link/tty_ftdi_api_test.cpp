// The FTDI calls answered by a serial device: what the BlackBox code sees of a box
// that the kernel's driver holds as a tty.
#include "link/PseudoTerminal.h"
#include "link/TtyFtdiApi.h"

#include <gtest/gtest.h>

namespace {

class TtyFtdiApiTest : public ::testing::Test {
protected:
    PseudoTerminal pty;
    TtyFtdiApi api{pty.slavePath(), "QUENTAmodul"};
};

TEST_F(TtyFtdiApiTest, ListsTheOneDeviceByItsPathWhileItExists)
{
    ASSERT_TRUE(pty.isValid());
    quint32 count = 0;
    ASSERT_EQ(api.deviceCount(count), FtStatus::Ok);
    EXPECT_EQ(count, 1u);
    QByteArray text;
    ASSERT_EQ(api.serialNumber(0, text), FtStatus::Ok);
    EXPECT_EQ(QString::fromLocal8Bit(text), pty.slavePath());
    ASSERT_EQ(api.description(0, text), FtStatus::Ok);
    EXPECT_EQ(text, QByteArray("QUENTAmodul"));
    EXPECT_EQ(api.serialNumber(1, text), FtStatus::DeviceNotFound);

    TtyFtdiApi missing(QStringLiteral("/dev/ostrakel-no-such-tty"), "QUENTAmodul");
    ASSERT_EQ(missing.deviceCount(count), FtStatus::Ok);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(missing.open(QStringLiteral("/dev/ostrakel-no-such-tty")), FtStatus::DeviceNotFound);
}

TEST_F(TtyFtdiApiTest, OpensOnlyItsOwnPath)
{
    ASSERT_TRUE(pty.isValid());
    EXPECT_EQ(api.open(QStringLiteral("QUE00001")), FtStatus::DeviceNotFound);
    int written = 0;
    EXPECT_EQ(api.write(reinterpret_cast<const quint8 *>("x"), 1, written), FtStatus::DeviceNotOpened);
    EXPECT_EQ(api.setBaudRate(9600), FtStatus::DeviceNotOpened);
    EXPECT_EQ(api.open(pty.slavePath()), FtStatus::Ok);
}

TEST_F(TtyFtdiApiTest, CarriesBytesBothWays)
{
    ASSERT_TRUE(pty.isValid());
    ASSERT_EQ(api.open(pty.slavePath()), FtStatus::Ok);
    EXPECT_EQ(api.setBitMode(0, 0), FtStatus::Ok);
    EXPECT_EQ(api.setBaudRate(9600), FtStatus::Ok);
    // A pseudo-terminal has no modem lines: the refusal is told, with the tty named.
    EXPECT_EQ(api.setDtr(true), FtStatus::IoError);
    EXPECT_TRUE(api.errorText().startsWith(pty.slavePath())) << api.errorText().toStdString();

    const QByteArray command("ATH\r\n");
    int written = 0;
    ASSERT_EQ(api.write(reinterpret_cast<const quint8 *>(command.constData()), int(command.size()), written),
              FtStatus::Ok);
    EXPECT_EQ(written, command.size());
    EXPECT_EQ(pty.read(int(command.size())), command);

    ASSERT_TRUE(pty.write("OK\r\n"));
    QByteArray received;
    for (int attempt = 0; attempt < 1000 && received.size() < 4; ++attempt) {
        quint8 buffer[2];
        int count = 0;
        ASSERT_EQ(api.read(buffer, int(sizeof buffer), count), FtStatus::Ok);
        ASSERT_LE(count, 2);
        received.append(reinterpret_cast<const char *>(buffer), count);
    }
    EXPECT_EQ(received, QByteArray("OK\r\n"));
}

TEST_F(TtyFtdiApiTest, ABoxThatGoesAwayFailsTheRead)
{
    ASSERT_TRUE(pty.isValid());
    ASSERT_EQ(api.open(pty.slavePath()), FtStatus::Ok);
    pty.closeMaster();
    quint8 buffer[16];
    int count = 0;
    FtStatus status = FtStatus::Ok;
    for (int attempt = 0; attempt < 100 && status == FtStatus::Ok; ++attempt)
        status = api.read(buffer, int(sizeof buffer), count);
    EXPECT_NE(status, FtStatus::Ok);
    EXPECT_EQ(count, 0);
}

}  // namespace
