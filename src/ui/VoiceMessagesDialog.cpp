#include "ui/VoiceMessagesDialog.h"

#include "ui/AppState.h"

#include "app/MessagePresenter.h"
#include "voice/WavFile.h"

#include <QLabel>
#include <QPushButton>
#include <QBoxLayout>

namespace {

// The captions' [Talker] keys, slot by slot.
constexpr int captionKeys[VoiceMessagesDialog::slots] = {21, 18, 19, 20, 14, 15, 16, 17};

}  // namespace

VoiceMessagesDialog::VoiceMessagesDialog(AppState &state, VoiceDevice device, QWidget *parent)
    : VoiceSlotsDialog(state, slots, parent),
      device_(device),
      upload_(std::make_unique<VoiceUpload>(*state.link(), state.clock(), state.messages(), state.texts(),
                                            &state.log(), *this, device)),
      sequencer_(state.clock().createTimer(Millis(sequencerIntervalMs), [this] { sequencerTick(); })),
      writeAll_(new QPushButton(text(QStringLiteral("Talker"), 5)))
{
    setWindowTitle(text(QStringLiteral("Talker"), 1));
    const bool module = device == VoiceDevice::Module;
    for (int slot = 1; slot <= slots; ++slot) {
        const QString prefix = module ? QStringLiteral("H%1").arg(slot - 1)
                                      : text(QStringLiteral("Talker"), 13) + QString::number(slot - 1);
        captionLabel(slot)->setText(prefix + u' ' + text(QStringLiteral("Talker"), captionKeys[slot - 1]));
    }
    descriptionLabel()->setText(text(QStringLiteral("Talker"), 2) + QStringLiteral(":\r\n")
                                + text(QStringLiteral("Talker"), 3)
                                + (module ? QStringLiteral(": WAV-8bit - 11 kHz / mono")
                                          : QStringLiteral(": WAV-8bit - 8 kHz / mono")));
    writeAll_->setAutoDefault(false);
    buttonRow()->insertWidget(0, writeAll_);
    connect(writeAll_, &QPushButton::clicked, this, &VoiceMessagesDialog::writeAll);
}

VoiceMessagesDialog::~VoiceMessagesDialog()
{
    sequencer_->stop();
}

QString VoiceMessagesDialog::fileDialogTitle() const
{
    return text(QStringLiteral("Talker"), 23);
}

QString VoiceMessagesDialog::closingLogLine() const
{
    return QStringLiteral(">>>> Voice message handling closed <<<<");
}

bool VoiceMessagesDialog::isBusy() const
{
    const VoiceUpload::State s = upload_->state();
    return writingAll_ || s == VoiceUpload::State::Waiting || s == VoiceUpload::State::Transferring;
}

void VoiceMessagesDialog::stopUploads()
{
    sequencer_->stop();
    writingAll_ = false;
    step_ = 0;
    showWriteAllIdle();
    upload_->stop();
}

void VoiceMessagesDialog::showWriteAllIdle()
{
    writeAll_->setStyleSheet(QString());
    writeAll_->setEnabled(true);
    closeButton()->setEnabled(true);
}

void VoiceMessagesDialog::write(int slot)
{
    const QString path = slotPath(slot);
    if (path.isEmpty())
        return;
    const bool module = device_ == VoiceDevice::Module;
    log(QStringLiteral("Write msg%1").arg(module ? slot : slot - 1)
        + (module ? QStringLiteral(" to Talker module") : QStringLiteral(" to Lift Communicator")));
    setSlotButtonsEnabled(false);
    closeButton()->setEnabled(false);
    state_.clock().wait(Millis(10));
    repaint();

    const int rate = module ? VoiceRate::module : VoiceRate::communicator;
    const DeviceSamples samples = readDeviceSamples(path, rate);
    if (!samples.ok()) {
        state_.messages().showMessage(samples.problemText(state_.texts(), path));
        writeEnded();
        return;
    }
    const bool started = upload_->start(slot, samples.samples, path);
    messageLabel()->setText(upload_->messageLabel());
    sizeLabel()->setText(upload_->sizeLabel() + conversionNote(samples.converted, rate, state_.texts()));
    if (!started)
        writeEnded();
}

void VoiceMessagesDialog::uploadEnded(bool stored)
{
    (void)stored;
    writeEnded();
}

// Every end of a write, stored or not: the buttons come back, "Write all" goes on.
void VoiceMessagesDialog::writeEnded()
{
    setSlotButtonsEnabled(true);
    closeButton()->setEnabled(!writingAll_);
    if (writingAll_)
        sequencer_->start();
    else
        showWriteAllIdle();
}

void VoiceMessagesDialog::writeAll()
{
    writingAll_ = true;
    step_ = 0;
    writeAll_->setStyleSheet(QStringLiteral("background-color: rgb(0, 255, 0);"));
    writeAll_->setEnabled(false);
    closeButton()->setEnabled(false);
    sequencer_->start();
}

void VoiceMessagesDialog::sequencerTick()
{
    while (step_ < slots) {
        const int slot = ++step_;
        if (slotPath(slot).size() > 3) {
            sequencer_->stop();
            write(slot);
            return;
        }
    }
    writingAll_ = false;
    sequencer_->stop();
    showWriteAllIdle();
}
