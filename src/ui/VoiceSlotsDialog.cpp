#include "ui/VoiceSlotsDialog.h"

#include "ui/AppState.h"
#include "ui/VoicePreview.h"

#include "app/AppConfig.h"
#include "app/MessagePresenter.h"
#include "app/ProgramFolder.h"
#include "link/LinkPort.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString pathKey(int slot)
{
    return QStringLiteral("AUDIO%1").arg(slot);
}

}  // namespace

VoiceSlotsDialog::VoiceSlotsDialog(AppState &state, int slots, QWidget *parent)
    : QDialog(parent),
      state_(state),
      preview_(std::make_unique<VoicePreview>(state, [this](bool playing) { setSlotButtonsEnabled(!playing); })),
      outputs_(new QComboBox),
      noOutput_(new QLabel),
      firmware_(new QLabel),
      description_(new QLabel),
      message_(new QLabel),
      size_(new QLabel),
      counter_(new QLabel),
      progress_(new QProgressBar),
      buttons_(new QHBoxLayout),
      close_(new QPushButton(state.texts().text(QStringLiteral("Talker"), 26)))
{
    setModal(true);
    fileChooser = [this](const QString &folder, const QString &title, const QString &filter) {
        return QFileDialog::getOpenFileName(this, title, folder, filter);
    };
    auto *grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    for (int slot = 1; slot <= slots; ++slot) {
        Row r{new QLabel, new QLineEdit, new QPushButton(text(QStringLiteral("Talker"), 10)),
              new QPushButton(text(QStringLiteral("Talker"), 11)), new QPushButton(text(QStringLiteral("Talker"), 12)),
              {}};
        r.file->setReadOnly(true);
        r.file->setMinimumWidth(320);
        const int line = 2 * (slot - 1);
        grid->addWidget(r.caption, line, 0, 1, 5);
        grid->addWidget(r.file, line + 1, 0, 1, 2);
        grid->addWidget(r.select, line + 1, 2);
        grid->addWidget(r.play, line + 1, 3);
        grid->addWidget(r.write, line + 1, 4);
        for (QPushButton *button : {r.select, r.play, r.write})
            button->setAutoDefault(false);
        connect(r.select, &QPushButton::clicked, this, [this, slot] { chooseFile(slot); });
        connect(r.play, &QPushButton::clicked, this, [this, slot] { play(slot); });
        connect(r.write, &QPushButton::clicked, this, [this, slot] { write(slot); });
        rows_.append(r);
    }
    QFont bold = message_->font();
    bold.setBold(true);
    message_->setFont(bold);
    firmware_->setFont(bold);
    noOutput_->setWordWrap(true);
    progress_->setTextVisible(false);
    progress_->setVisible(false);
    close_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);

    auto *output = new QHBoxLayout;
    output->addWidget(new QLabel(text(QStringLiteral("Talker"), 4)));
    output->addWidget(outputs_, 1);
    auto *stateRow = new QHBoxLayout;
    stateRow->addWidget(message_);
    stateRow->addWidget(size_, 1);
    stateRow->addWidget(counter_);
    buttons_->addStretch(1);
    buttons_->addWidget(close_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(firmware_);
    layout->addLayout(grid);
    layout->addWidget(description_);
    layout->addLayout(output);
    layout->addWidget(noOutput_);
    layout->addLayout(stateRow);
    layout->addWidget(progress_);
    layout->addLayout(buttons_);
}

VoiceSlotsDialog::~VoiceSlotsDialog() = default;

QString VoiceSlotsDialog::text(const QString &section, int key) const
{
    return state_.texts().text(section, key);
}

void VoiceSlotsDialog::log(const QString &line)
{
    if (state_.log().isEnabled())
        state_.log().writeLine(line);
}

bool VoiceSlotsDialog::isPreviewing() const
{
    return preview_->isPlaying();
}

void VoiceSlotsDialog::setSlotButtonsEnabled(bool enabled)
{
    for (const Row &r : rows_) {
        for (QPushButton *button : {r.select, r.play, r.write})
            button->setEnabled(enabled);
    }
}

void VoiceSlotsDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    for (int slot = 1; slot <= slotCount(); ++slot) {
        Row &r = row(slot);
        r.path = AppConfig::readPath(ProgramFolder::path(), pathKey(slot));
        r.file->setText(r.path);
        log(QStringLiteral("Open msg%1: %2").arg(slot).arg(r.path));
    }
    outputs_->clear();
    outputs_->addItems(state_.soundOutputs);
    outputs_->setCurrentIndex(0);
    noOutput_->setText(state_.soundOutputs.isEmpty() ? text(QStringLiteral("Extensions"), 39) : QString());
    noOutput_->setVisible(state_.soundOutputs.isEmpty());
    for (QLabel *label : {message_, size_, counter_})
        label->clear();
    setSlotButtonsEnabled(true);
    firmware_->setText(QStringLiteral("Firmware: ") + state_.deviceInfo().version);
    // The USB cable was let go after the identification; what came meanwhile goes.
    if (LinkPort *link = state_.link(); link && state_.linkReady()) {
        if (link->kind() == LinkKind::UsbCable)
            link->open();
        (void)link->readAll();
    }
}

void VoiceSlotsDialog::reject()
{
    if (!isBusy())
        QDialog::reject();
}

void VoiceSlotsDialog::done(int result)
{
    progress_->setVisible(false);
    size_->clear();
    preview_->stop();
    stopUploads();
    for (int slot = 1; slot <= slotCount(); ++slot) {
        QString error;
        if (!AppConfig::writePath(ProgramFolder::path(), pathKey(slot), row(slot).path, &error)) {
            state_.messages().showMessage(error);
            break;
        }
    }
    log(closingLogLine());
    QDialog::done(result);
}

void VoiceSlotsDialog::setSlotFile(int slot, const QString &path)
{
    Row &r = row(slot);
    r.path = path;
    r.file->setText(path);
    if (!path.isEmpty())
        log(QStringLiteral("Change msg%1: %2").arg(selectLogNumber(slot)).arg(path));
}

void VoiceSlotsDialog::chooseFile(int slot)
{
    Row &r = row(slot);
    const QString folder = r.path.size() > 3 ? r.path : ProgramFolder::path() + QStringLiteral("messages/");
    r.file->clear();
    const QString filter = text(QStringLiteral("Talker"), 24) + QStringLiteral(" (*.WAV *.wav);;")
                           + text(QStringLiteral("Talker"), 25) + QStringLiteral(" (*)");
    setSlotFile(slot, fileChooser(folder, fileDialogTitle(), filter));
}

void VoiceSlotsDialog::play(int slot)
{
    if (!row(slot).path.isEmpty())
        preview_->play(row(slot).path, outputs_->currentIndex());
}

void VoiceSlotsDialog::setProgressVisible(bool visible)
{
    progress_->setVisible(visible);
}

void VoiceSlotsDialog::setProgress(int position, int maximum)
{
    progress_->setRange(0, std::max(maximum, 1));
    progress_->setValue(std::min(position, progress_->maximum()));
}

void VoiceSlotsDialog::showCounter(const QString &text)
{
    counter_->setText(text);
}
