#include "WavText.h"
#include "app/LanguageTable.h"
#include "link/SimLink.h"
#include "sim/SimDevice.h"
#include "sim/VirtualClock.h"
#include "support/RecordingMessagePresenter.h"
#include "voice/LegacyTalkerUpload.h"
#include "voice/TalkerCompression.h"
#include "voice/VoiceUpload.h"
#include "voice/WavFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

struct RecordingUploadView : VoiceUploadView {
    void setProgressVisible(bool visible) override { progressVisible = visible; }
    void setProgress(int position, int maximum) override
    {
        lastPosition = position;
        lastMaximum = maximum;
    }
    void showCounter(const QString &text) override { counter = text; }
    void uploadEnded(bool wasStored) override
    {
        ++endings;
        stored = wasStored;
    }
    bool progressVisible = false;
    int lastPosition = 0;
    int lastMaximum = 0;
    QString counter;
    int endings = 0;
    bool stored = false;
};

// A voice device on a cable (polled: the USB cable; else a COM-port cable) and a
// WAV file's folder, on simulated time.
struct VoiceRig {
    explicit VoiceRig(SimKind kind, bool polled = true) : device(kind), link(clock, device, polled)
    {
        link.open();
    }

    QString wavPath(const QString &name = QStringLiteral("msg.wav")) const { return folder.filePath(name); }
    std::unique_ptr<VoiceUpload> upload(VoiceDevice target)
    {
        return std::make_unique<VoiceUpload>(link, clock, messages, texts, nullptr, view, target);
    }
    template <typename Upload>
    bool runToEnd(Upload &upload)
    {
        return clock.runUntil([&upload] { return upload.state() == Upload::State::Stored
                                                 || upload.state() == Upload::State::Failed; },
                              std::chrono::minutes(10));
    }
    QString remote(int key) const { return texts.text(QStringLiteral("Remote"), key); }

    QTemporaryDir folder;
    VirtualClock clock;
    SimDevice device;
    SimLink link;
    LanguageTable texts;
    RecordingMessagePresenter messages;
    RecordingUploadView view;
};

TEST(VoiceUploadCommunicator, MessagesArriveWholeAndUnchanged)
{
    struct Case {
        const char *name;
        QByteArray wav;
        bool polled;
    };
    QByteArray full = rampSamples(47999);
    full[100] = char(0xFF);  // a TKV-C3 takes 0xFF like any sample
    const Case cases[] = {
        {"16-bit stereo at 22050 Hz, converted", wavFile(22050, 2, 16, stereo16(2205)), true},
        {"8-bit, 47999 samples, the most that fit", wavFile(8000, 1, 8, full), true},
        {"over a COM-port cable", wavFile(8000, 1, 8, rampSamples(33)), false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        VoiceRig rig(SimKind::TkvC3, c.polled);
        const DeviceSamples samples = deviceSamplesOf(c.wav, VoiceRate::communicator);
        ASSERT_TRUE(samples.ok());
        auto upload = rig.upload(VoiceDevice::Communicator);
        ASSERT_TRUE(upload->start(3, samples.samples, rig.wavPath()));
        ASSERT_TRUE(rig.runToEnd(*upload));
        EXPECT_EQ(upload->state(), VoiceUpload::State::Stored);
        EXPECT_EQ(rig.device.c3Voice.messages[2], samples.samples);
        EXPECT_EQ(upload->bytesSent(), samples.samples.size());
        EXPECT_TRUE(rig.messages.messages.isEmpty());
        EXPECT_EQ(rig.view.endings, 1);
        EXPECT_TRUE(rig.view.stored);
        EXPECT_FALSE(rig.view.progressVisible);
        EXPECT_EQ(upload->messageLabel(), QStringLiteral("Msg#2:"));
        // The samples in hex, one line, beside the WAV file.
        QFile side(rig.wavPath(QStringLiteral("msg.TXT")));
        ASSERT_TRUE(side.open(QIODevice::ReadOnly));
        EXPECT_EQ(side.readAll().trimmed(), samples.samples.toHex().toUpper());
    }
}

TEST(VoiceUploadCommunicator, AMessageOfTheFullCapacityIsRefusedBeforeAnythingIsSent)
{
    VoiceRig rig(SimKind::TkvC3);
    auto upload = rig.upload(VoiceDevice::Communicator);
    EXPECT_FALSE(upload->start(1, rampSamples(48000), rig.wavPath()));
    EXPECT_EQ(rig.messages.messages, QStringList{rig.texts.text(QStringLiteral("Page11"), 40)});
    EXPECT_TRUE(rig.device.received.isEmpty());
    EXPECT_EQ(upload->sizeLabel(), QStringLiteral("100 % - 6,0sec"));
}

TEST(VoiceUploadCommunicator, AnErrorOrASilenceEndsWithItsMessage)
{
    struct Case {
        const char *name;
        std::function<void(SimDevice &)> inject;
        bool polled;
        Nanos silenceBeforeMessage;
    };
    const Case cases[] = {
        {"E", [](SimDevice &d) { d.c3Voice.faults.errorAfterSamples = 40; }, true, 0ns},
        {"silence on the USB cable", [](SimDevice &d) { d.c3Voice.faults.silentAfterSamples = 40; }, true,
         VoiceUpload::usbTimeout},
        {"silence on a COM-port cable", [](SimDevice &d) { d.c3Voice.faults.silentAfterSamples = 40; }, false,
         VoiceUpload::comTimeout},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        VoiceRig rig(SimKind::TkvC3, c.polled);
        c.inject(rig.device);
        auto upload = rig.upload(VoiceDevice::Communicator);
        ASSERT_TRUE(upload->start(6, rampSamples(100), rig.wavPath()));
        const Nanos started = rig.clock.now();
        ASSERT_TRUE(rig.runToEnd(*upload));
        EXPECT_EQ(upload->state(), VoiceUpload::State::Failed);
        const QString expected = rig.remote(36) + rig.remote(54)
                                 + (c.silenceBeforeMessage == 0ns ? QStringLiteral(" Msg# 5") : QString());
        EXPECT_EQ(rig.messages.messages, QStringList{expected});
        EXPECT_GE(rig.clock.now() - started, c.silenceBeforeMessage);
        EXPECT_LT(rig.clock.now() - started, c.silenceBeforeMessage + 1s);
        EXPECT_EQ(rig.view.endings, 1);
        EXPECT_FALSE(rig.view.stored);
    }
}

TEST(VoiceUploadModule, EverySampleArrivesThenTheEndFiller)
{
    struct Case {
        const char *name;
        int count;
        bool polled;
    };
    const Case cases[] = {
        {"100 samples: the last block of 4 is padded", 100, true},
        {"a last block that is full", 96, true},
        {"a single sample", 1, true},
        {"over a COM-port cable", 100, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        VoiceRig rig(SimKind::Talker, c.polled);
        QByteArray samples = rampSamples(c.count, 200);  // passes 0xFF
        auto upload = rig.upload(VoiceDevice::Module);
        ASSERT_TRUE(upload->start(4, samples, rig.wavPath()));
        ASSERT_TRUE(rig.runToEnd(*upload));
        EXPECT_EQ(upload->state(), VoiceUpload::State::Stored);
        samples.replace(char(0xFF), char(0xFE));
        const int blocks = (c.count + 15) / 16;
        const QByteArray expected = samples + QByteArray(blocks * 16 - c.count, char(0xFF));
        EXPECT_EQ(rig.device.talkerVoice.messages.value('4').toHex(), expected.toHex());
        // The end filler follows the last block, and nothing after it is taken.
        EXPECT_TRUE(rig.device.received.endsWith(expected.right(16) + QByteArray(16, char(0xFF))));
        EXPECT_EQ(upload->bytesSent(), blocks * 16 + 16);
        EXPECT_FALSE(rig.device.isReceivingVoice());
        EXPECT_TRUE(rig.messages.messages.isEmpty());
        EXPECT_EQ(upload->messageLabel(), QStringLiteral("H3:"));
    }
}

TEST(VoiceUploadModule, ASilentModuleGetsOne0xFFAndTheMessage)
{
    VoiceRig rig(SimKind::Talker);
    rig.device.talkerVoice.faults.silentAfterBytes = 20;
    auto upload = rig.upload(VoiceDevice::Module);
    ASSERT_TRUE(upload->start(1, rampSamples(64), rig.wavPath()));
    ASSERT_TRUE(rig.runToEnd(*upload));
    EXPECT_EQ(upload->state(), VoiceUpload::State::Failed);
    EXPECT_EQ(rig.messages.messages, QStringList{rig.remote(36)});
    EXPECT_TRUE(rig.device.received.endsWith(char(0xFF)));
}

TEST(VoiceUploadModule, MessagesUpToTheCapacity)
{
    VoiceRig rig(SimKind::Talker);
    auto upload = rig.upload(VoiceDevice::Module);
    EXPECT_FALSE(upload->start(1, rampSamples(VoiceUpload::moduleCapacity), rig.wavPath()));
    EXPECT_EQ(rig.messages.messages, QStringList{rig.texts.text(QStringLiteral("Page11"), 40)});

    const QByteArray most = rampSamples(VoiceUpload::moduleCapacity - 1, 3).replace(char(0xFF), char(0xFE));
    ASSERT_TRUE(upload->start(8, most, rig.wavPath()));
    ASSERT_TRUE(rig.runToEnd(*upload));
    EXPECT_EQ(upload->state(), VoiceUpload::State::Stored);
    EXPECT_EQ(rig.device.talkerVoice.messages.value('8').left(most.size()), most);
}

TEST(LegacyTalkerUploadTest, TheCompressedBlocksArriveInTheModulesArea)
{
    VoiceRig rig(SimKind::TalkerOld);
    rig.device.oldTalkerVoice.areaBlocks['2'] = 6;
    // A message with runs and literals: three blocks of stream.
    QByteArray samples;
    for (int i = 0; i < 150; ++i)
        samples += i % 30 < 10 ? char(0x80) : char(i);
    const TalkerStream stream = compressForTalker(wavOfSamples(samples, VoiceRate::module), 0);
    const TalkerBlocks blocks = talkerBlocksOf(stream.stream);
    ASSERT_LT(blocks.blockCount, 6);
    LegacyTalkerUpload upload(rig.link, rig.clock, rig.messages, rig.texts, nullptr, rig.view);
    upload.start('2', blocks.blocks, 6);
    ASSERT_TRUE(rig.runToEnd(upload));
    EXPECT_EQ(upload.state(), LegacyTalkerUpload::State::Stored);
    EXPECT_TRUE(rig.device.received.startsWith("NM2"));

    // Each pair goes second byte first; after the message, blocks of 0x80 fill the area.
    QByteArray expected;
    for (const QByteArray &block : blocks.blocks) {
        const QByteArray full = block.leftJustified(64, char(0x80));
        for (int i = 0; i < 64; i += 2)
            expected += QByteArray(1, full[i + 1]) + full[i];
    }
    expected = expected.leftJustified(6 * 64, char(0x80));
    EXPECT_EQ(rig.device.oldTalkerVoice.messages.value('2').toHex(), expected.toHex());
    EXPECT_TRUE(rig.messages.messages.isEmpty());
    EXPECT_TRUE(rig.view.stored);
}

TEST(LegacyTalkerUploadTest, ASilentModuleGetsAnEmptyBlockThenTheMessage)
{
    VoiceRig rig(SimKind::TalkerOld);
    rig.device.oldTalkerVoice.faults.silentAfterBytes = 64;
    LegacyTalkerUpload upload(rig.link, rig.clock, rig.messages, rig.texts, nullptr, rig.view);
    upload.start('1', {QByteArray(64, 'a'), QByteArray(64, 'b')}, 288);
    const Nanos started = rig.clock.now();
    ASSERT_TRUE(rig.runToEnd(upload));
    EXPECT_EQ(upload.state(), LegacyTalkerUpload::State::Failed);
    EXPECT_EQ(rig.messages.messages, QStringList{rig.remote(36)});
    EXPECT_GE(rig.clock.now() - started, LegacyTalkerUpload::replyTimeout);
    EXPECT_TRUE(rig.device.received.endsWith(QByteArray(64, char(0x80))));
}

}  // namespace
