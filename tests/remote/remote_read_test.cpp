#include "RemoteReadRig.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

struct ChoiceCase {
    const char *name;
    ReadChoices choices;
    QByteArrayList blocks;  // "bank block", in reading order
    int maximum;
    QList<ReadPhase> decoded;
};

const QByteArrayList BasicBlocks{"10", "11", "12", "13", "14", "27"};
const QByteArrayList EmergencyBlocks{"15", "16", "17", "20", "21", "22"};
const QByteArrayList OtherBlocks{"23", "24", "25", "26"};

class RemoteReadChoices : public ::testing::TestWithParam<ChoiceCase> {};

TEST_P(RemoteReadChoices, ReadsTheChosenBlocksInOrderIntoTheImages)
{
    const ChoiceCase &c = GetParam();
    RemoteReadRig rig;
    ASSERT_TRUE(rig.start(c.choices));
    const QByteArray before = rig.previous;
    ASSERT_TRUE(rig.runToEnd());

    EXPECT_EQ(rig.blockRequests(), c.blocks);
    EXPECT_EQ(rig.readView.maximum_, c.maximum);
    EXPECT_EQ(rig.readView.progress, c.maximum);
    EXPECT_EQ(rig.readView.decoded, c.decoded);
    EXPECT_TRUE(rig.readView.finished);
    EXPECT_TRUE(rig.messages.messages.isEmpty()) << rig.messages.messages.join(u'|').toStdString();

    // The read blocks come from the communicator; the others keep the previous image.
    QByteArray expected = rig.previous;
    for (const QByteArray &block : c.blocks) {
        const int offset = ReadBlock{block[0] - '0', block[1] - '0'}.imageOffset();
        expected.replace(offset, 16, rig.communicator.memory.mid(offset, 16));
    }
    EXPECT_EQ(rig.working, expected);
    EXPECT_EQ(rig.fresh, rig.working);
    EXPECT_EQ(rig.previous, before);
    EXPECT_EQ(quint8(rig.previous[15]), imageMarker);
    // The keep-alive has the link again.
    EXPECT_TRUE(rig.link.isConnected());
}

INSTANTIATE_TEST_SUITE_P(
    Choices, RemoteReadChoices,
    ::testing::Values(ChoiceCase{"All", {true, true, true}, BasicBlocks + EmergencyBlocks + OtherBlocks, 33,
                                 {ReadPhase::Basic, ReadPhase::Emergency, ReadPhase::Other}},
                      ChoiceCase{"OnlyOther", {false, false, true}, OtherBlocks, 9, {ReadPhase::Other}},
                      ChoiceCase{"BasicAndOther", {true, false, true}, BasicBlocks + OtherBlocks, 21,
                                 {ReadPhase::Basic, ReadPhase::Other}},
                      ChoiceCase{"OnlyEmergency", {false, true, false}, EmergencyBlocks, 13,
                                 {ReadPhase::Emergency}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RemoteRead, FullReadDecodesTheCommunicatorsMemory)
{
    RemoteReadRig rig;
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_EQ(rig.working, rig.communicator.memory);
    ParameterSet expected;
    ParameterStatus expectedStatus;
    ASSERT_TRUE(decodeAlarmImage(rig.communicator.memory, CommunicatorModel::TkvC, expected, expectedStatus).ok());
    EXPECT_EQ(rig.set, expected);
    EXPECT_EQ(rig.status, expectedStatus);
}

TEST(RemoteRead, StartedWhileTheKeepAliveExchangesWaitsForItsReply)
{
    RemoteReadRig rig;
    ASSERT_TRUE(rig.connect());
    ASSERT_FALSE(rig.link.isIdle());
    ASSERT_TRUE(rig.beginRead({false, false, true}));
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_EQ(rig.blockRequests(), (QByteArrayList{"23", "24", "25", "26"}));
    EXPECT_EQ(rig.working.mid(176, 64), rig.communicator.memory.mid(176, 64));
    EXPECT_TRUE(rig.messages.messages.isEmpty()) << rig.messages.messages.join(u'|').toStdString();
}

TEST(RemoteRead, AMemoryWithoutItsMarkerIsReadButNotDecoded)
{
    RemoteReadRig rig;
    rig.communicator.memory[15] = 0;
    const ParameterSet untouched = rig.set;
    ASSERT_TRUE(rig.start({true, false, false}));
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_FALSE(rig.readView.finished);
    EXPECT_EQ(rig.messages.messages.size(), 1);
    EXPECT_EQ(rig.set, untouched);
    EXPECT_EQ(rig.working.left(80), rig.communicator.memory.left(80));
}

TEST(RemoteRead, WithoutAChoiceNothingIsSent)
{
    RemoteReadRig rig;
    ASSERT_TRUE(rig.connect());
    const qsizetype sent = rig.box.commands.size();
    EXPECT_FALSE(rig.read.start({false, false, false}, false));
    EXPECT_EQ(rig.messages.messages, QStringList{rig.text(45)});
    EXPECT_EQ(rig.box.commands.size(), sent);
    EXPECT_TRUE(rig.link.isConnected());
}

struct FaultCase {
    const char *name;
    std::function<void(RemoteReadRig &)> inject;
    QByteArray note;  // the start of the re-request's note
};

class RemoteReadFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(RemoteReadFaults, OneFaultCausesOneReRequestOfTheSameBlock)
{
    const FaultCase &c = GetParam();
    RemoteReadRig rig;
    ASSERT_TRUE(rig.connectAndRest());
    c.inject(rig);
    ASSERT_TRUE(rig.beginRead({false, false, true}));
    ASSERT_TRUE(rig.runToEnd());

    EXPECT_EQ(rig.blockRequests(), (QByteArrayList{"23", "23", "24", "25", "26"}));
    EXPECT_TRUE(rig.readView.finished);
    EXPECT_EQ(rig.working.mid(176, 64), rig.communicator.memory.mid(176, 64));

    QFile report(rig.reportPath());
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QByteArray text = report.readAll();
    EXPECT_EQ(text.count("> ATDE8*23\r\n   repeat"), 1);
    EXPECT_TRUE(text.contains("> ATDE8*23\r\n" + c.note)) << text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, RemoteReadFaults,
    ::testing::Values(
        FaultCase{"WrongChecksum", [](RemoteReadRig &rig) { rig.communicator.faults.wrongChecksums = 1; },
                  "   repeat for checksum"},
        FaultCase{"ShortDigits", [](RemoteReadRig &rig) { rig.communicator.faults.shortBlocks = 1; },
                  "   repeat for checksum"},
        FaultCase{"LineNoise", [](RemoteReadRig &rig) { rig.box.faults.noisyAnswers = 1; },
                  "   repeat for checksum"},
        FaultCase{"NotAvailable", [](RemoteReadRig &rig) { rig.communicator.faults.lateChecksums = 1; },
                  "   repeat timeout"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RemoteRead, ChecksumMismatchNamesBothChecksums)
{
    RemoteReadRig rig;
    rig.communicator.faults.wrongChecksums = 1;
    ASSERT_TRUE(rig.start({false, false, true}));
    ASSERT_TRUE(rig.runToEnd());
    int sum = 0;
    for (const char byte : rig.communicator.memory.mid(176, 16))
        sum += quint8(byte);
    const QByteArray computed = QByteArray::number(sum % 256, 16).toUpper().rightJustified(2, '0');
    const QByteArray received = QByteArray::number((sum + 1) % 256, 16).toUpper().rightJustified(2, '0');
    QFile report(rig.reportPath());
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_TRUE(report.readAll().contains("   repeat for checksum" + received + " <> " + computed + "\r\n"));
}

TEST(RemoteRead, ReportHoldsEveryExchangeLine)
{
    RemoteReadRig rig;
    ASSERT_TRUE(rig.start({false, false, true}));
    ASSERT_TRUE(rig.runToEnd());
    QFile report(rig.reportPath());
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = report.readAll().split('\n');
    ASSERT_GT(lines.size(), 12);
    EXPECT_TRUE(lines[0].startsWith("Read report "));
    EXPECT_EQ(lines[1], "Communicator on telephone number :0123456  - number of communicator :3  - "
                        "normal connection\r");
    // The request with its own CR LF, then the report's: an empty line follows.
    const QList<QByteArray> first{"> ATDE8*23\r", "\r", "< OK\r", "\r", "> AT@RECE\r", "\r", "< OK\r", "\r",
                                  "< FULL\r", "\r", "> AT@RECN\r", "\r"};
    EXPECT_EQ(lines.mid(2, first.size()), first);
    EXPECT_TRUE(lines.contains("> ATDE8**\r"));
    EXPECT_TRUE(lines.contains("   checksum\r"));
    EXPECT_TRUE(lines[lines.size() - 2].startsWith("End of report ")) << lines[lines.size() - 2].toStdString();
    EXPECT_TRUE(lines.last().isEmpty());
}

TEST(RemoteRead, CancelMidPhaseKeepsTheValuesButNotTheImages)
{
    RemoteReadRig rig;
    const ParameterSet untouched = rig.set;
    rig.readView.onBlockCounter = [&rig](int count) {
        if (count == 2) {
            rig.read.requestCancel();
            // Inside a step the cancel waits for the step to unwind.
            EXPECT_NE(rig.read.state(), RemoteRead::State::Closed);
        }
    };
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_EQ(rig.blockRequests(), (QByteArrayList{"10", "11"}));
    EXPECT_FALSE(rig.readView.finished);
    EXPECT_TRUE(rig.readView.decoded.isEmpty());
    EXPECT_EQ(rig.set, untouched);
    EXPECT_EQ(rig.working.left(32), rig.communicator.memory.left(32));
    EXPECT_EQ(rig.fresh, rig.working);
    EXPECT_FALSE(rig.read.isTimerActive());
    EXPECT_TRUE(rig.link.isConnected());
    QFile report(rig.reportPath());
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_TRUE(report.readAll().contains("End of report "));
}

TEST(RemoteRead, HangUpMidReadRequestsTheBlockAgainUntilCancelled)
{
    RemoteReadRig rig;
    rig.readView.onBlockCounter = [&rig](int count) {
        if (count == 1)
            rig.box.remoteHangUp();
    };
    ASSERT_TRUE(rig.start());
    rig.clock.advanceBy(std::chrono::minutes(1));
    EXPECT_EQ(rig.read.state(), RemoteRead::State::WaitingForData);
    const QByteArrayList requests = rig.blockRequests();
    ASSERT_GE(requests.size(), 4);
    EXPECT_EQ(requests.mid(0, 4), (QByteArrayList{"10", "11", "11", "11"}));
    EXPECT_TRUE(rig.messages.messages.isEmpty());

    rig.read.requestCancel();
    EXPECT_EQ(rig.read.state(), RemoteRead::State::Closed);
    EXPECT_EQ(rig.working.left(16), rig.communicator.memory.left(16));
    QFile report(rig.reportPath());
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    EXPECT_TRUE(report.readAll().contains("> ATDE8*11\r\n   repeat time\r\n"));
}

TEST(RemoteRead, MoreThanTenUnexpectedRepliesCloseTheReading)
{
    RemoteReadRig rig;
    ASSERT_TRUE(rig.connectAndRest());
    const Nanos begin = rig.clock.now() + std::chrono::seconds(1);
    for (int i = 0; i < 15; ++i)
        rig.clock.schedule(begin + std::chrono::milliseconds(200) * i, [&rig] { rig.box.inject("XX\r\n"); });
    ASSERT_TRUE(rig.beginRead());
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_EQ(rig.messages.messages, QStringList{rig.text(36) + QStringLiteral(" - 'RECE -> OK'")});
    EXPECT_FALSE(rig.readView.finished);
    EXPECT_TRUE(rig.link.isConnected());
}

TEST(RemoteRead, UntickingTheReportStopsReporting)
{
    RemoteReadRig rig;
    rig.readView.onBlockCounter = [&rig](int count) {
        if (count == 1)
            rig.read.closeReport();
    };
    ASSERT_TRUE(rig.start({false, false, true}));
    ASSERT_TRUE(rig.runToEnd());
    EXPECT_TRUE(rig.readView.finished);
    QFile report(rig.reportPath());
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QByteArray text = report.readAll();
    EXPECT_TRUE(text.contains("> ATDE8*23\r\n"));
    EXPECT_FALSE(text.contains("ATDE8*24"));
    EXPECT_FALSE(text.contains("End of report"));
}

}  // namespace
