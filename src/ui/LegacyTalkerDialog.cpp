#include "ui/LegacyTalkerDialog.h"

#include "ui/AppState.h"

#include "app/MessagePresenter.h"
#include "link/LinkPort.h"
#include "voice/LegacyTalkerUpload.h"
#include "voice/TalkerMessage.h"
#include "voice/WavFile.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace {

// The slots' captions and the message numbers of the log's select lines.
struct SlotText {
    int captionKey;
    int selectLogNumber;
};
constexpr SlotText slotTexts[LegacyTalkerDialog::slots] = {{9, 4}, {6, 1}, {7, 3}, {8, 4}};
static_assert(talkerAreas.size() == LegacyTalkerDialog::slots);

}  // namespace

LegacyTalkerDialog::LegacyTalkerDialog(AppState &state, QWidget *parent)
    : VoiceSlotsDialog(state, slots, parent),
      upload_(std::make_unique<LegacyTalkerUpload>(*state.link(), state.clock(), state.messages(), state.texts(),
                                                   &state.log(), *this)),
      tolerance_(new QSpinBox),
      compression_(new QLabel)
{
    setWindowTitle(QStringLiteral("Talker settings"));
    for (int slot = 1; slot <= slots; ++slot)
        captionLabel(slot)->setText(text(QStringLiteral("Talker"), slotTexts[slot - 1].captionKey));
    descriptionLabel()->setText(text(QStringLiteral("Talker"), 2) + QStringLiteral(":\r\n")
                                + text(QStringLiteral("Talker"), 3) + QStringLiteral(": WAV-8bit - 11 kHz / mono"));
    tolerance_->setRange(0, talkerMaximumTolerance);
    buttonRow()->insertWidget(0, new QLabel(text(QStringLiteral("Talker"), 22)));
    buttonRow()->insertWidget(1, tolerance_);
    buttonRow()->insertWidget(2, compression_);
}

LegacyTalkerDialog::~LegacyTalkerDialog() = default;

int LegacyTalkerDialog::selectLogNumber(int slot) const
{
    return slotTexts[slot - 1].selectLogNumber;
}

QString LegacyTalkerDialog::fileDialogTitle() const
{
    return QStringLiteral("Recorder of message to BlackBox");
}

QString LegacyTalkerDialog::closingLogLine() const
{
    return QStringLiteral(">>>> Talker close <<<<");
}

bool LegacyTalkerDialog::isBusy() const
{
    const LegacyTalkerUpload::State s = upload_->state();
    return s == LegacyTalkerUpload::State::Waiting || s == LegacyTalkerUpload::State::Sending;
}

void LegacyTalkerDialog::stopUploads()
{
    upload_->stop();
}

void LegacyTalkerDialog::write(int slot)
{
    const QString path = slotPath(slot);
    if (path.isEmpty())
        return;
    const TalkerArea &area = talkerAreas[slot - 1];
    log(QStringLiteral("Write msg%1 to Talker module").arg(area.logNumber));
    setSlotButtonsEnabled(false);
    closeButton()->setEnabled(false);
    state_.clock().wait(Millis(10));
    repaint();

    // The module is reached through the USB cable alone.
    if (!state_.link()->isPolled()) {
        state_.messages().showMessage(text(QStringLiteral("Extensions"), 37));
        writeEnded();
        return;
    }
    const TalkerMessage message = prepareTalkerMessage(path, tolerance_->value(), area, state_.texts());
    if (message.stream.cut)
        state_.messages().showMessage(text(QStringLiteral("Extensions"), 38).arg(path));
    if (!message.logLines.isEmpty()) {
        compression_->setText(message.statistics.compression);
        sizeLabel()->setText(message.statistics.size
                             + conversionNote(message.converted, VoiceRate::module, state_.texts()));
        timeText_ = message.statistics.time;
        for (const QString &line : message.logLines)
            log(line);
    }
    if (!message.problem.isEmpty()) {
        state_.messages().showMessage(message.problem);
        writeEnded();
        return;
    }
    upload_->start(area.character, message.blocks.blocks, area.blocks);
}

// The module has answered "A": the playing time joins the size.
void LegacyTalkerDialog::setProgressVisible(bool visible)
{
    VoiceSlotsDialog::setProgressVisible(visible);
    if (visible && !timeText_.isEmpty()) {
        sizeLabel()->setText(sizeLabel()->text() + timeText_);
        timeText_.clear();
    }
}

void LegacyTalkerDialog::uploadEnded(bool stored)
{
    (void)stored;
    writeEnded();
}

void LegacyTalkerDialog::writeEnded()
{
    setSlotButtonsEnabled(true);
    closeButton()->setEnabled(true);
}
