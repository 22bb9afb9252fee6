#include "link/ComLink.h"
#include "link/ComPort.h"
#include "link/PseudoTerminal.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray allByteValues()
{
    QByteArray bytes;
    for (int i = 0; i < 256; ++i)
        bytes.append(static_cast<char>(i));
    return bytes;
}

QString openError(ComPort &port)
{
    try {
        port.open();
    } catch (const ComPortError &error) {
        return error.text();
    }
    return QString();
}

// A port on a fresh pseudo-terminal, opened.
struct OpenPort {
    OpenPort()
    {
        port.setComNumber(1, pty.slavePath());
        port.open();
    }
    PseudoTerminal pty;
    ComPort port;
};

TEST(ComPortData, ArrivalsAreByteExactAnnouncedAndKeptUntilRead)
{
    OpenPort open;
    ASSERT_TRUE(open.pty.isValid());
    QSignalSpy announced(&open.port, &ComPort::dataReceived);
    const QByteArray sent = allByteValues();

    ASSERT_TRUE(open.pty.write(sent));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !announced.isEmpty() && announced.last().at(0).toInt() == sent.size(); }, 5000));

    // Nothing is taken away by the announcement or by later events.
    QCoreApplication::processEvents();
    EXPECT_EQ(open.port.bytesWaiting(), sent.size());
    EXPECT_EQ(open.port.readAll(), sent);
    EXPECT_EQ(open.port.bytesWaiting(), 0);
    EXPECT_TRUE(open.port.readAll().isEmpty());
}

TEST(ComPortData, ArrivalsDuringAWaitingHandlerAreAnnounced)
{
    OpenPort open;
    ASSERT_TRUE(open.pty.isValid());
    QList<int> counts;
    // The first announcement waits in a nested event loop while more bytes arrive,
    // as the exchange does when it lets pending events run.
    QObject::connect(&open.port, &ComPort::dataReceived, [&](int count) {
        counts.append(count);
        if (counts.size() == 1) {
            open.pty.write("5678");
            QTest::qWait(100);
        }
    });
    ASSERT_TRUE(open.pty.write("1234"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !counts.isEmpty() && counts.last() == 8; }, 5000))
        << "announcements: " << counts.size();
    EXPECT_EQ(open.port.readAll(), QByteArray("12345678"));
}

TEST(ComPortData, WaitingBytesAreAnnouncedAgain)
{
    OpenPort open;
    ASSERT_TRUE(open.pty.isValid());
    QSignalSpy announced(&open.port, &ComPort::dataReceived);
    ASSERT_TRUE(open.pty.write("A"));
    // Left unread, the byte is announced again while it waits.
    EXPECT_TRUE(QTest::qWaitFor([&] { return announced.size() >= 2; }, 5000));
    for (const auto &signal : announced)
        EXPECT_EQ(signal.at(0).toInt(), 1);
}

TEST(ComPortData, ReadCharTakesOneByteAndFailsWhenNoneWaits)
{
    OpenPort open;
    ASSERT_TRUE(open.pty.write("AB"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return open.port.bytesWaiting() == 2; }, 5000));

    EXPECT_EQ(open.port.readChar(), 'A');
    EXPECT_EQ(open.port.readChar(), 'B');
    try {
        open.port.readChar();
        FAIL() << "no byte waits";
    } catch (const ComPortError &error) {
        EXPECT_EQ(error.text(), "ComPort - Read data error ");
        EXPECT_STREQ(error.what(), "ComPort - Read data error ");
    }
}

TEST(ComPortData, WrittenBytesReachTheDeviceExactly)
{
    OpenPort open;
    const QByteArray sent = allByteValues();
    open.port.writeText(sent);
    EXPECT_EQ(open.port.bytesPending(), sent.size());
    EXPECT_EQ(open.pty.read(sent.size()), sent);
    EXPECT_TRUE(QTest::qWaitFor([&] { return open.port.bytesPending() == 0; }, 5000));
}

TEST(ComPortData, ClosedPortHasNothingToReadAndTakesNothing)
{
    ComPort port;
    EXPECT_FALSE(port.isActive());
    EXPECT_TRUE(port.readAll().isEmpty());
    EXPECT_EQ(port.bytesWaiting(), 0);
    EXPECT_EQ(port.bytesPending(), 0);
    EXPECT_THROW(port.readChar(), ComPortError);
    EXPECT_THROW(port.writeText("V"), ComPortError);
}

struct WriteOverflowCase {
    int outBufSize;
    int alreadyPending;
    int requested;
    const char *error;
};

class ComPortWriteOverflow : public testing::TestWithParam<WriteOverflowCase> {};

// The buffer is filled without returning to the event loop, so nothing drains it
// between the writes.
TEST_P(ComPortWriteOverflow, IsRefusedWholeWithTheSizes)
{
    const WriteOverflowCase &row = GetParam();
    OpenPort open;
    open.port.setOutBufSize(row.outBufSize);
    const QByteArray first(row.alreadyPending, 'a');
    if (!first.isEmpty())
        open.port.writeText(first);

    try {
        open.port.writeText(QByteArray(row.requested, 'b'));
        FAIL() << "the write must be refused";
    } catch (const ComPortError &error) {
        EXPECT_EQ(error.text(), QString::fromLatin1(row.error));
    }
    EXPECT_EQ(open.port.bytesPending(), row.alreadyPending);

    // The device gets the first write and the marker, none of the refused bytes.
    ASSERT_TRUE(QTest::qWaitFor([&] { return open.port.bytesPending() == 0; }, 5000));
    open.port.writeText("!");
    EXPECT_EQ(open.pty.read(first.size() + 1), first + "!");
}

INSTANTIATE_TEST_SUITE_P(
    ComPort, ComPortWriteOverflow,
    testing::Values(
        WriteOverflowCase{2048, 0, 2049, "ComPort - Write data error [requested: 2049, free: 2048] "},
        WriteOverflowCase{2048, 2000, 49, "ComPort - Write data error [requested: 49, free: 48] "},
        WriteOverflowCase{2048, 2048, 1, "ComPort - Write data error [requested: 1, free: 0] "},
        WriteOverflowCase{16, 0, 17, "ComPort - Write data error [requested: 17, free: 16] "}));

TEST(ComPortOpen, ErrorsNameTheComponentAndThePort)
{
    QTemporaryDir emptyDevices;
    QTemporaryDir files;
    const QString notATerminal = files.filePath(QStringLiteral("plain"));
    QFile plain(notATerminal);
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();

    struct Row {
        int number;
        QString path;
        QString name;
        QString error;
    };
    const Row rows[] = {
        {0, QString(), QString(), "ComPort - Invalid port number (COM0) "},
        {-1, QString(), QString(), "ComPort - Invalid port number (COM-1) "},
        {2, QString(), QString(), "ComPort - Invalid port number (COM2) "},
        {3, files.filePath(QStringLiteral("missing")), QString(), "ComPort - Invalid port number (COM3) "},
        {4, notATerminal, QString(), "ComPort - Can't open device COM4 "},
        {5, QString(), QStringLiteral("AfComPort1"), "AfComPort1 - Invalid port number (COM5) "},
    };
    for (const Row &row : rows) {
        ComPort port;
        port.setDeviceFolder(emptyDevices.path());
        port.setObjectName(row.name);
        port.setComNumber(row.number, row.path);
        EXPECT_EQ(openError(port), row.error) << row.number;
        EXPECT_FALSE(port.isActive());
    }
}

TEST(ComPortOpen, PortHeldElsewhereCannotBeOpened)
{
    OpenPort holder;
    ComPort second;
    second.setComNumber(7, holder.pty.slavePath());
    EXPECT_EQ(openError(second), "ComPort - Can't open device COM7 ");
    EXPECT_TRUE(holder.port.isActive());
}

TEST(ComPortOpen, PseudoTerminalWithoutModemLinesOpensWithAWarning)
{
    PseudoTerminal pty;
    ComPort port;
    QSignalSpy warnings(&port, &ComPort::warning);
    port.setComNumber(1, pty.slavePath());
    port.open();
    EXPECT_TRUE(port.isActive());
    EXPECT_EQ(warnings.size(), 1);
    EXPECT_FALSE(port.dtr());
    EXPECT_TRUE(port.rts());

    port.setDtr(true);
    EXPECT_TRUE(port.dtr());
    EXPECT_EQ(warnings.size(), 2);
    EXPECT_TRUE(port.isActive());
}

TEST(ComPortOpen, OpenIsIdempotentAndCloseEndsReading)
{
    OpenPort open;
    open.port.open();
    EXPECT_TRUE(open.port.isActive());
    open.port.close();
    EXPECT_FALSE(open.port.isActive());
    EXPECT_TRUE(open.port.readAll().isEmpty());
}

// COM 1 and COM 2 are two pseudo-terminals placed in a device folder of their own.
struct TwoNumberedPorts {
    TwoNumberedPorts()
    {
        QFile::link(first.slavePath(), devices.filePath(QStringLiteral("ttyUSB0")));
        QFile::link(second.slavePath(), devices.filePath(QStringLiteral("ttyUSB1")));
        port.setDeviceFolder(devices.path());
    }
    PseudoTerminal first;
    PseudoTerminal second;
    QTemporaryDir devices;
    ComPort port;
};

TEST(ComPortNumber, RenumberingAnOpenPortReopensItOnTheNewPort)
{
    TwoNumberedPorts ports;
    ports.port.setComNumber(1);
    ports.port.open();
    ASSERT_TRUE(ports.port.isActive());
    ports.port.writeText("1");
    EXPECT_EQ(ports.first.read(1), "1");

    ports.port.setComNumber(2);
    ASSERT_TRUE(ports.port.isActive());
    ports.port.writeText("2");
    EXPECT_EQ(ports.second.read(1), "2");
    // COM 1 is free again: another port can have it.
    ComPort other;
    other.setComNumber(9, ports.first.slavePath());
    EXPECT_NO_THROW(other.open());

    // An explicit path wins over the number.
    other.close();
    ports.port.setComNumber(2, ports.first.slavePath());
    ASSERT_TRUE(ports.port.isActive());
    ports.port.writeText("3");
    EXPECT_EQ(ports.first.read(1), "3");
}

TEST(ComPortNumber, RenumberingAClosedPortOpensNothing)
{
    TwoNumberedPorts ports;
    ports.port.setComNumber(2);
    EXPECT_FALSE(ports.port.isActive());
    EXPECT_EQ(ports.port.resolvedPath(), ports.devices.filePath(QStringLiteral("ttyUSB1")));
    ports.port.setComNumber(3);
    EXPECT_EQ(openError(ports.port), "ComPort - Invalid port number (COM3) ");
}

TEST(ComPortLost, ClosedPeerClosesThePortOnce)
{
    OpenPort open;
    QSignalSpy lost(&open.port, &ComPort::portLost);
    QSignalSpy announced(&open.port, &ComPort::dataReceived);

    open.pty.closeMaster();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !open.port.isActive(); }, 5000));
    EXPECT_EQ(lost.size(), 1);
    // Closed means quiet: no error loop and no announcements follow.
    QCoreApplication::processEvents();
    EXPECT_EQ(lost.size(), 1);
    EXPECT_TRUE(announced.isEmpty());
}

TEST(ComLinkOpen, FailureKeepsThePortErrorText)
{
    ComPort port;
    ComLink link(port);
    EXPECT_EQ(link.kind(), LinkKind::ComPort);
    EXPECT_FALSE(link.isPolled());
    EXPECT_FALSE(link.open());
    EXPECT_FALSE(link.isOpen());
    EXPECT_EQ(link.lastError(), "ComPort - Invalid port number (COM0) ");

    PseudoTerminal pty;
    port.setComNumber(1, pty.slavePath());
    EXPECT_TRUE(link.open());
    EXPECT_TRUE(link.isOpen());
    EXPECT_TRUE(link.lastError().isEmpty());
    link.close();
    EXPECT_FALSE(port.isActive());
}

TEST(ComLinkData, ArrivalsReachTheHandlerAndStayUntilRead)
{
    OpenPort open;
    ComLink link(open.port);
    int announced = 0;
    link.setArrivalHandler([&](int count) { announced = count; });

    ASSERT_TRUE(open.pty.write("V\x01"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return announced == 2; }, 5000));
    EXPECT_EQ(link.bytesWaiting(), 2);
    EXPECT_EQ(link.readByte(), 'V');
    EXPECT_EQ(link.readAll(), "\x01");
    EXPECT_EQ(link.readByte(), std::nullopt);
    EXPECT_EQ(link.lastError(), "ComPort - Read data error ");
}

TEST(ComLinkData, WritesCharacterByCharacterAndStopsAtTheFirstRefusal)
{
    OpenPort open;
    ComLink link(open.port);
    EXPECT_FALSE(link.writeText(QByteArray()));
    EXPECT_EQ(link.bytesPending(), 0);

    EXPECT_TRUE(link.writeByte(0x55));
    EXPECT_TRUE(link.writeText("AB"));
    EXPECT_EQ(link.bytesPending(), 3);
    EXPECT_EQ(open.pty.read(3), "\x55" "AB");

    // Nothing drains between these writes: three of the five characters fit.
    open.port.setOutBufSize(3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.bytesPending() == 0; }, 5000));
    EXPECT_FALSE(link.writeText("CDEFG"));
    EXPECT_EQ(link.lastError(), "ComPort - Write data error [requested: 1, free: 0] ");
    EXPECT_EQ(link.bytesPending(), 3);
    EXPECT_EQ(open.pty.read(3), "CDE");
}

} // namespace
