#include "ui/LegacyTalkerDialog.h"

#include "ui/AppState.h"

#include "app/MessagePresenter.h"
#include "link/LinkPort.h"
#include "voice/LegacyTalkerUpload.h"
#include "voice/TalkerCompression.h"
#include "voice/WavFile.h"

#include <QBoxLayout>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QSpinBox>

namespace {

// The slots: caption key, the character the module knows the area by, its size in
// blocks, and the message numbers of the log's select and write lines.
struct Slot {
    int captionKey;
    char character;
    int areaBlocks;
    int selectLogNumber;
    int writeLogNumber;
};
constexpr Slot slotTable[LegacyTalkerDialog::slots] = {
    {9, '4', 944, 4, 4},
    {6, '1', 288, 1, 1},
    {7, '3', 384, 3, 2},
    {8, '2', 384, 4, 3},
};

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
        captionLabel(slot)->setText(text(QStringLiteral("Talker"), slotTable[slot - 1].captionKey));
    descriptionLabel()->setText(text(QStringLiteral("Talker"), 2) + QStringLiteral(":\r\n")
                                + text(QStringLiteral("Talker"), 3) + QStringLiteral(": WAV-8bit - 11 kHz / mono"));
    tolerance_->setRange(0, 7);
    buttonRow()->insertWidget(0, new QLabel(text(QStringLiteral("Talker"), 22)));
    buttonRow()->insertWidget(1, tolerance_);
    buttonRow()->insertWidget(2, compression_);
}

LegacyTalkerDialog::~LegacyTalkerDialog() = default;

int LegacyTalkerDialog::selectLogNumber(int slot) const
{
    return slotTable[slot - 1].selectLogNumber;
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

bool LegacyTalkerDialog::saveFile(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    state_.messages().showMessage(QStringLiteral("%1: %2").arg(path, file.errorString()));
    return false;
}

void LegacyTalkerDialog::write(int slot)
{
    const QString path = slotPath(slot);
    if (path.isEmpty())
        return;
    const Slot &s = slotTable[slot - 1];
    log(QStringLiteral("Write msg%1 to Talker module").arg(s.writeLogNumber));
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
    const DeviceSamples samples = readDeviceSamples(path, VoiceRate::module);
    if (!samples.ok()) {
        state_.messages().showMessage(samples.problemText(state_.texts(), path));
        writeEnded();
        return;
    }
    // The module's compression takes the file as it is, header and all.
    QByteArray wav;
    if (samples.converted) {
        wav = wavOfSamples(samples.samples, VoiceRate::module);
    } else {
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            wav = file.readAll();
    }
    const TalkerStream stream = compressForTalker(wav, tolerance_->value());
    if (stream.cut)
        state_.messages().showMessage(text(QStringLiteral("Extensions"), 38).arg(path));
    const TalkerBlocks blocks = talkerBlocksOf(stream.stream);
    if (!saveFile(path.chopped(4) + QStringLiteral("k.TXT"), stream.stream)
        || !saveFile(path.chopped(3) + QStringLiteral("TXT"), blocks.blockFile)) {
        writeEnded();
        return;
    }
    const TalkerStatistics statistics = talkerStatistics(stream, blocks, s.areaBlocks);
    compression_->setText(statistics.compression);
    sizeLabel()->setText(statistics.size
                         + (samples.converted
                                ? QStringLiteral(" (%1)").arg(text(QStringLiteral("Extensions"), 36).arg(VoiceRate::module))
                                : QString()));
    timeText_ = statistics.time;
    log(statistics.size);
    log(QStringLiteral("Original: %1").arg(stream.inputBytes));
    log(QStringLiteral("Compresed: %1").arg(stream.stream.size() + 1));
    log(QStringLiteral("Compres ratio: %1").arg(tolerance_->value()));
    if (blocks.blockCount >= s.areaBlocks) {
        state_.messages().showMessage(QStringLiteral("File is too big size\r- not performed!"));
        log(QStringLiteral("Error write msg%1: %2 file is too big").arg(s.writeLogNumber).arg(path));
        writeEnded();
        return;
    }
    upload_->start(s.character, blocks.blocks, s.areaBlocks);
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
