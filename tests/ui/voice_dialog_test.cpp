#include "support/WindowFixture.h"

#include "../voice/WavText.h"
#include "app/AppConfig.h"
#include "app/ProgramFolder.h"
#include "ui/LegacyTalkerDialog.h"
#include "ui/ToneSamplesDialog.h"
#include "ui/VoiceMessagesDialog.h"
#include "voice/AudioPlayer.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

namespace {

using namespace std::chrono_literals;

// A player that plays for a given time of the simulated clock, recording what it was given.
class FakePlayer : public AudioPlayback {
public:
    FakePlayer(Clock &clock, qint64 durationMs) : clock_(clock), duration_(durationMs) {}
    void play() override { started_ = clock_.now(); }
    void stop() override {}
    qint64 position() const override
    {
        return std::chrono::duration_cast<Millis>(clock_.now() - started_).count();
    }
    qint64 duration() const override { return duration_; }

private:
    Clock &clock_;
    qint64 duration_;
    Nanos started_{0};
};

class VoiceDialogTest : public WindowFixture {
protected:
    QString wav(const QString &name, const QByteArray &bytes)
    {
        const QString path = home_.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    // Runs simulated time until the dialog no longer writes (at most ten minutes).
    bool runUntilDone(VoiceSlotsDialog &dialog)
    {
        return clock_.runUntil([&dialog] { return !dialog.isBusy(); }, std::chrono::minutes(10));
    }
    // Plays with fake players of the given length, noting the files.
    void fakeSound(qint64 durationMs = 300)
    {
        state_->soundOutputs = {QStringLiteral("Speakers"), QStringLiteral("Headphones")};
        state_->audioPlayers = [this, durationMs](int output, const QString &path) -> std::unique_ptr<AudioPlayback> {
            played.append(path);
            outputs.append(output);
            return std::make_unique<FakePlayer>(clock_, durationMs);
        };
    }
    QString text(const char *section, int key) const { return state_->texts().text(QLatin1String(section), key); }

    QStringList played;
    QList<int> outputs;
};

TEST_F(VoiceDialogTest, ATechnicianWritesThreeMessagesToATkvC3)
{
    selectModel(CommunicatorModel::TkvC3);
    SimDevice &device = connectSimulator("TKV-C3");
    ASSERT_TRUE(identify());
    window_->pollDevice();
    ASSERT_TRUE(window_->voiceAction()->isEnabled());

    const QByteArray first = rampSamples(1000);
    QByteArray stereo;
    for (int i = 0; i < 4000; ++i)
        stereo += QByteArray::fromHex(i % 2 ? "00400040" : "00C000C0");
    const QByteArray third = rampSamples(47999, 9);
    bool shown = false;
    QStringList sizes;
    window_->runDialog = [&](QDialog &d) {
        auto *dialog = dynamic_cast<VoiceMessagesDialog *>(&d);
        EXPECT_NE(dialog, nullptr);
        if (!dialog)
            return int(QDialog::Rejected);
        shown = true;
        dialog->show();
        EXPECT_EQ(dialog->captionLabel(5)->text(), QStringLiteral("Message #4 End of call"));
        EXPECT_TRUE(dialog->descriptionLabel()->text().endsWith(QStringLiteral(": WAV-8bit - 8 kHz / mono")));
        EXPECT_FALSE(window_->isPolling());
        dialog->setSlotFile(1, wav(QStringLiteral("address.wav"), wavFile(8000, 1, 8, first)));
        dialog->setSlotFile(4, wav(QStringLiteral("terminate.wav"), wavFile(16000, 2, 16, stereo)));
        dialog->setSlotFile(8, wav(QStringLiteral("start.wav"), wavFile(8000, 1, 8, third)));

        // No sound output: listening says so and changes nothing.
        EXPECT_TRUE(dialog->noOutputLabel()->isVisible());
        dialog->playButton(1)->click();
        EXPECT_EQ(messages_.messages, QStringList{text("Message", 54)});
        EXPECT_TRUE(dialog->writeButton(1)->isEnabled());
        messages_.messages.clear();

        dialog->writeAllButton()->click();
        EXPECT_FALSE(dialog->writeAllButton()->isEnabled());
        EXPECT_FALSE(dialog->closeButton()->isEnabled());
        // Each write shows its size; the sequencer goes on until every slot is done.
        bool sawProgress = false;
        EXPECT_TRUE(clock_.runUntil(
            [&] {
                if (dialog->progressBar()->isVisible())
                    sawProgress = true;
                if (!sizes.contains(dialog->sizeLabel()->text()) && !dialog->sizeLabel()->text().isEmpty())
                    sizes.append(dialog->sizeLabel()->text());
                return dialog->writeAllButton()->isEnabled();
            },
            std::chrono::minutes(20)));
        EXPECT_TRUE(sawProgress);
        EXPECT_TRUE(dialog->writeButton(1)->isEnabled());
        dialog->closeButton()->click();
        return dialog->result();
    };
    window_->voiceAction()->trigger();
    ASSERT_TRUE(shown);
    EXPECT_TRUE(messages_.messages.isEmpty()) << messages_.messages.join('|').toStdString();
    EXPECT_EQ(device.c3Voice.messages[0], first);
    EXPECT_EQ(device.c3Voice.messages[3].size(), 2000);  // 4000 frames at 16 kHz make 2000 samples at 8 kHz
    EXPECT_EQ(device.c3Voice.messages[7], third);
    EXPECT_TRUE(device.c3Voice.messages[1].isEmpty());
    EXPECT_EQ(sizes.size(), 3);
    EXPECT_TRUE(sizes.join('|').contains(QStringLiteral("converted"))) << sizes.join('|').toStdString();
    EXPECT_TRUE(window_->isPolling());
    // The files are remembered for the next time.
    EXPECT_EQ(AppConfig::readPath(ProgramFolder::path(), QStringLiteral("AUDIO4")), home_.filePath("terminate.wav"));
    EXPECT_EQ(AppConfig::readPath(ProgramFolder::path(), QStringLiteral("AUDIO2")), QString());
}

TEST_F(VoiceDialogTest, WriteAllSkipsEmptySlotsAndComesBack)
{
    selectModel(CommunicatorModel::TkvC3);
    SimDevice &device = connectSimulator("TKV-C3");
    ASSERT_TRUE(identify());
    VoiceMessagesDialog dialog(*state_, VoiceDevice::Communicator);
    dialog.show();
    for (int slot = 1; slot <= 8; ++slot)
        dialog.setSlotFile(slot, wav(QStringLiteral("m%1.wav").arg(slot), wavFile(8000, 1, 8, rampSamples(40, slot))));
    // Cancelling the file dialog empties the slot.
    dialog.fileChooser = [](const QString &, const QString &, const QString &) { return QString(); };
    dialog.chooseFile(8);
    EXPECT_TRUE(dialog.fileField(8)->text().isEmpty());
    dialog.writeAll();
    ASSERT_TRUE(runUntilDone(dialog));
    EXPECT_TRUE(dialog.writeAllButton()->isEnabled());
    for (int slot = 1; slot <= 7; ++slot)
        EXPECT_EQ(device.c3Voice.messages[size_t(slot - 1)], rampSamples(40, slot)) << slot;
    EXPECT_TRUE(device.c3Voice.messages[7].isEmpty());

    // A refused file ends its write and the others still go.
    device.c3Voice.messages = {};
    dialog.setSlotFile(2, wav(QStringLiteral("text.wav"), "this is no sound"));
    dialog.writeAll();
    ASSERT_TRUE(runUntilDone(dialog));
    EXPECT_EQ(messages_.messages, QStringList{text("Extensions", 33).arg(home_.filePath("text.wav"))});
    EXPECT_TRUE(device.c3Voice.messages[1].isEmpty());
    EXPECT_EQ(device.c3Voice.messages[2], rampSamples(40, 3));
    EXPECT_TRUE(dialog.writeAllButton()->isEnabled());
}

TEST_F(VoiceDialogTest, ListeningDisablesTheSlotsUntilTheFileHasPlayed)
{
    selectModel(CommunicatorModel::TkvC3);
    connectSimulator("TKV-C3");
    ASSERT_TRUE(identify());
    fakeSound(300);
    VoiceMessagesDialog dialog(*state_, VoiceDevice::Communicator);
    dialog.show();
    EXPECT_EQ(dialog.outputBox()->count(), 2);
    EXPECT_FALSE(dialog.noOutputLabel()->isVisible());
    const QString path = wav(QStringLiteral("a.wav"), wavFile(8000, 1, 8, rampSamples(100)));
    dialog.setSlotFile(3, path);
    dialog.outputBox()->setCurrentIndex(1);
    dialog.playButton(3)->click();
    EXPECT_EQ(played, QStringList{path});
    EXPECT_EQ(outputs, QList<int>{1});
    EXPECT_FALSE(dialog.writeButton(1)->isEnabled());
    clock_.advanceBy(200ms);
    EXPECT_FALSE(dialog.playButton(3)->isEnabled());
    clock_.advanceBy(200ms);
    EXPECT_TRUE(dialog.playButton(3)->isEnabled());

    // A file the player refuses: its message, and the window as it was.
    state_->audioPlayers = [](int, const QString &) -> std::unique_ptr<AudioPlayback> {
        throw AudioPlayError{QStringLiteral("Specified file doesn't have any audio stream."),
                             AudioPlayError::noAudioStream};
    };
    dialog.playButton(3)->click();
    EXPECT_EQ(messages_.messages, QStringList{QStringLiteral("Specified file doesn't have any audio stream.")});
    EXPECT_TRUE(dialog.playButton(3)->isEnabled());
}

TEST_F(VoiceDialogTest, TheSystemPlayerRefusesAFileWithoutAudio)
{
    const QString path = wav(QStringLiteral("no.wav"), "RIFF....WAVEjunk");
    try {
        AudioPlayer player(0, path);
        FAIL() << "a file without audio was taken";
    } catch (const AudioPlayError &error) {
        EXPECT_EQ(error.code, AudioPlayError::noAudioStream);
        EXPECT_EQ(error.message, QStringLiteral("Specified file doesn't have any audio stream."));
    }
}

TEST_F(VoiceDialogTest, AVoiceModuleOpensTheWindowOfItsKindOnce)
{
    struct Case {
        const char *name;
        CommunicatorModel model;
        const char *sim;
        bool legacy;
    };
    const Case cases[] = {
        {"newer module (new-model flag)", CommunicatorModel::TkvC2, "Talker", false},
        {"older module", CommunicatorModel::TkvC, "TalkerOld", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        selectModel(c.model);
        SimDevice &device = connectSimulator(c.sim);
        device.oldTalkerVoice.areaBlocks['1'] = 4;
        const QString path = wav(QStringLiteral("h.wav"), wavFile(11025, 1, 8, rampSamples(100, 3)));
        int opened = 0;
        window_->runDialog = [&](QDialog &d) {
            ++opened;
            auto *dialog = dynamic_cast<VoiceSlotsDialog *>(&d);
            EXPECT_NE(dialog, nullptr);
            if (!dialog)
                return int(QDialog::Rejected);
            dialog->show();
            EXPECT_EQ(dynamic_cast<LegacyTalkerDialog *>(dialog) != nullptr, c.legacy);
            EXPECT_EQ(dialog->slotCount(), c.legacy ? 4 : 8);
            EXPECT_FALSE(window_->menuBar()->actions().first()->isEnabled());
            dialog->setSlotFile(2, path);
            dialog->write(2);
            EXPECT_TRUE(runUntilDone(*dialog));
            dialog->closeButton()->click();
            return dialog->result();
        };
        ASSERT_TRUE(identify());
        EXPECT_EQ(opened, 1);
        EXPECT_TRUE(messages_.messages.isEmpty()) << messages_.messages.join('|').toStdString();
        if (c.legacy)
            EXPECT_EQ(device.oldTalkerVoice.messages.value('1').size(), 4 * 64);
        else
            EXPECT_EQ(device.talkerVoice.messages.value('2').left(100), rampSamples(100, 3).replace(char(0xFF), char(0xFE)));
        // Closed, it stays closed; the menus are back and the item opens it again.
        window_->pollDevice();
        ASSERT_TRUE(runUntilIdle());
        window_->pollDevice();
        EXPECT_EQ(opened, 1);
        EXPECT_TRUE(window_->talkerAction()->isVisible());
        EXPECT_TRUE(window_->menuBar()->actions().first()->isEnabled());
        window_->runDialog = [&](QDialog &) {
            ++opened;
            return int(QDialog::Rejected);
        };
        window_->talkerAction()->trigger();
        EXPECT_EQ(opened, 2);
        messages_.messages.clear();
    }
}

TEST_F(VoiceDialogTest, TheOlderModuleRefusesAMessageLargerThanItsArea)
{
    selectModel(CommunicatorModel::TkvC);
    SimDevice &device = connectSimulator("TalkerOld");
    window_->runDialog = [](QDialog &) { return int(QDialog::Rejected); };
    ASSERT_TRUE(identify());
    LegacyTalkerDialog dialog(*state_);
    dialog.show();
    // Noise does not compress: 20000 samples need more than the 288 blocks of slot 2.
    QByteArray noise;
    for (int i = 0; i < 20000; ++i)
        noise += char((i * 7919) % 251);
    const QString path = wav(QStringLiteral("long.wav"), wavFile(11025, 1, 8, noise));
    dialog.setSlotFile(2, path);
    const qsizetype sentBefore = device.received.size();
    dialog.write(2);
    EXPECT_EQ(messages_.messages, QStringList{QStringLiteral("File is too big size\r- not performed!")});
    EXPECT_EQ(device.received.size(), sentBefore);
    EXPECT_TRUE(dialog.writeButton(2)->isEnabled());
    EXPECT_TRUE(dialog.compressionLabel()->text().startsWith(QStringLiteral("Compr: ")));
    // The stream and the blocks are left beside the file.
    EXPECT_TRUE(QFile::exists(home_.filePath("longk.TXT")));
    EXPECT_TRUE(QFile::exists(home_.filePath("long.TXT")));
}

TEST_F(VoiceDialogTest, ToneSamplesPlayTheFileOfTheChosenStyle)
{
    // No sound output: the window does not open.
    bool opened = false;
    window_->runDialog = [&](QDialog &) {
        opened = true;
        return int(QDialog::Rejected);
    };
    window_->openToneSamples();
    EXPECT_FALSE(opened);
    EXPECT_EQ(messages_.messages, QStringList{text("Message", 54)});

    fakeSound(500);
    for (const char *name : {"Confirm.WAV", "Morse_Confirm.WAV"})
        wav(QLatin1String(name), wavFile(8000, 1, 8, rampSamples(10)));
    window_->openToneSamples();
    EXPECT_TRUE(opened);
    ToneSamplesDialog dialog(*state_);
    EXPECT_TRUE(dialog.toneButton(5)->isHidden());
    const Nanos before = clock_.now();
    dialog.toneButton(3)->click();
    EXPECT_GE(clock_.now() - before, 500ms);  // the window waits for the tone
    dialog.morseChoice()->setChecked(true);
    dialog.toneButton(3)->click();
    // A tone the program folder lacks is played from the shipped data.
    dialog.toneButton(9)->click();
    const QString shipped = ProgramFolder::findDataFile(QStringLiteral("Morse_Error.WAV"));
    EXPECT_FALSE(shipped.startsWith(ProgramFolder::path()));
    EXPECT_EQ(played, (QStringList{ProgramFolder::path() + "Confirm.WAV", ProgramFolder::path() + "Morse_Confirm.WAV",
                                   shipped}));
    EXPECT_EQ(messages_.messages.size(), 1);
}

}  // namespace
