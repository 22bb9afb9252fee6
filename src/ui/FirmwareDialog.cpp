#include "ui/FirmwareDialog.h"

#include "ui/AppState.h"
#include "ui/BusyCursor.h"

#include "app/AppConfig.h"
#include "app/MessagePresenter.h"
#include "app/ProgramFolder.h"
#include "firmware/BootloaderUpgrade.h"
#include "firmware/FirmwareCheck.h"
#include "firmware/FirmwareLog.h"
#include "firmware/LegacyPackets.h"
#include "firmware/LegacyUpload.h"
#include "firmware/LoaderEntry.h"
#include "firmware/UpgradeResult.h"
#include "link/LinkPort.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString firmwarePathKey = QStringLiteral("FIRM");
const QString noStatus = QStringLiteral("--------");

QPlainTextEdit *readOnlyView()
{
    auto *view = new QPlainTextEdit;
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return view;
}

} // namespace

FirmwareDialog::FirmwareDialog(AppState &state, QWidget *parent)
    : QDialog(parent),
      state_(state),
      title_(new QLabel),
      file_(new QLabel),
      status_(new QLabel),
      packet_(new QLabel),
      byte_(new QLabel),
      hexView_(readOnlyView()),
      logView_(readOnlyView()),
      phaseBar_(new QProgressBar),
      overallBar_(new QProgressBar),
      open_(new QPushButton(state.texts().firmwareOpenButtonText())),
      write_(new QPushButton(state.texts().text(QStringLiteral("Firmware"), 2))),
      cancel_(new QPushButton(state.texts().text(QStringLiteral("Firmware"), 3)))
{
    setWindowTitle(state_.texts().text(QStringLiteral("Firmware"), 5));
    setModal(true);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    status_->setFont(bold);
    status_->setWordWrap(true);
    status_->setMinimumHeight(3 * status_->fontMetrics().height());
    file_->setWordWrap(true);
    for (QProgressBar *bar : {phaseBar_, overallBar_})
        bar->setTextVisible(false);
    for (QPushButton *button : {open_, write_, cancel_})
        button->setAutoDefault(false);

    auto *views = new QHBoxLayout;
    views->addWidget(hexView_, 1);
    views->addWidget(logView_, 1);
    auto *position = new QHBoxLayout;
    position->addWidget(status_, 1);
    position->addWidget(packet_);
    position->addWidget(byte_);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(open_);
    buttons->addStretch(1);
    buttons->addWidget(write_);
    buttons->addWidget(cancel_);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(file_);
    layout->addLayout(views, 1);
    layout->addLayout(position);
    layout->addWidget(phaseBar_);
    layout->addWidget(overallBar_);
    layout->addLayout(buttons);
    resize(760, 520);

    connect(open_, &QPushButton::clicked, this, &FirmwareDialog::chooseFile);
    connect(write_, &QPushButton::clicked, this, &FirmwareDialog::write);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

FirmwareDialog::~FirmwareDialog() = default;

QString FirmwareDialog::message(int key) const
{
    return state_.texts().text(QStringLiteral("Message"), key);
}

void FirmwareDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (state_.log().isEnabled())
        state_.log().writeLine(QStringLiteral("Go to FIRMWARE programing"));
    const QString remembered = AppConfig::readPath(ProgramFolder::path(), firmwarePathKey);
    selectedFile_ = remembered.size() < 3 ? ProgramFolder::path() : remembered;
    setStatus(noStatus);
    hexText_.clear();
    cancel_->setText(state_.texts().text(QStringLiteral("Firmware"), 3));
    setButtons(true, false, true);
    hexView_->clear();
    file_->clear();
    // Whatever the device sent meanwhile goes.
    if (LinkPort *link = state_.link(); link && state_.linkReady()) {
        if (link->kind() == LinkKind::UsbCable)
            link->open();
        (void)link->readAll();
    }
    for (QProgressBar *bar : {phaseBar_, overallBar_})
        bar->setValue(0);
    logView_->clear();
    title_->setText(message(state_.model() == CommunicatorModel::TkvC3 ? 64 : 29));
    packet_->clear();
    byte_->clear();
}

void FirmwareDialog::keyPressEvent(QKeyEvent *event)
{
    event->accept();
}

void FirmwareDialog::done(int result)
{
    if (legacy_)
        legacy_->stop();
    // The next identification tells again whether the communicator takes "F".
    state_.identification().deviceInfo().firmware38 = false;
    QString error;
    if (!AppConfig::writePath(ProgramFolder::path(), firmwarePathKey, selectedFile_, &error))
        state_.messages().showMessage(error);
    if (state_.log().isEnabled())
        state_.log().writeLine(QStringLiteral("Leave the FIRMWARE programing"));
    QDialog::done(result);
}

void FirmwareDialog::setButtons(bool open, bool write, bool cancel)
{
    open_->setEnabled(open);
    write_->setEnabled(write);
    cancel_->setEnabled(cancel);
}

void FirmwareDialog::chooseFile()
{
    const QString path = QFileDialog::getOpenFileName(
        this, message(25), QFileInfo(selectedFile_).absolutePath(),
        message(26) + QStringLiteral(" (*.HEX *.hex)"));
    if (!path.isEmpty())
        openFile(path);
}

bool FirmwareDialog::openFile(const QString &path)
{
    selectedFile_ = path;
    file_->setText(path);
    if (path.size() < 8 || path.mid(path.lastIndexOf(u'.') + 1).trimmed().toUpper() != QLatin1String("HEX")) {
        state_.messages().showMessage(message(27));
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        state_.messages().showMessage(message(27) + QStringLiteral(": ") + path + QStringLiteral(" - ")
                                      + file.errorString());
        return false;
    }
    const QByteArray text = file.readAll();
    hexText_ = QByteArrayList(text.split('\n')).join("\r\n");
    hexView_->setPlainText(QString::fromLatin1(text));
    hexView_->moveCursor(QTextCursor::Start);
    hexView_->setFocus();
    write_->setEnabled(!state_.deviceInfo().version.isEmpty());
    setStatus(message(91));
    if (state_.log().isEnabled())
        state_.log().writeLine(QStringLiteral("Source : ") + path);
    return true;
}

bool FirmwareDialog::confirm()
{
    const bool c3 = state_.model() == CommunicatorModel::TkvC3;
    const QString text = message(c3 ? 63 : 32) + u'\n' + message(33) + u'\n' + message(34) + QStringLiteral("\n\n")
                         + message(35);
    return state_.messages().askYesNo(text, message(c3 ? 64 : 31));
}

void FirmwareDialog::write()
{
    if (!confirm())
        return;
    setButtons(false, false, false);
    LinkPort *link = state_.link();
    if (!link || !state_.linkReady())
        return;
    const CommunicatorModel model = state_.model();
    const DeviceInfo &info = state_.deviceInfo();
    // A file the upgrade would refuse goes nowhere, not even the command to load.
    if (const int problem = firmwareFileProblem(hexText_, model, info.version)) {
        const QString reason = UpgradeResult::text(problem, state_.texts());
        setStatus(message(65) + QStringLiteral("\r\n") + reason);
        state_.messages().showMessage(reason);
        setButtons(true, false, true);
        return;
    }
    {
        const BusyCursor busy;
        enterFirmwareLoader(*link, state_.clock(), model, info.firmware38);
        log_ = std::make_unique<FirmwareLog>(FirmwareLog::defaultPath(), state_.messages());
        log_->begin(state_.texts());
    }
    if (model == CommunicatorModel::TkvC3) {
        BootloaderUpgrade upgrade(*link, state_.clock(), state_.messages(), state_.texts(), *this, state_.expertView);
        upgrade.runBootloaderUpgrade(hexText_);
        return;
    }
    legacy_ = std::make_unique<LegacyUpload>(*link, state_.clock(), state_.messages(), state_.texts(), *this,
                                             buildLegacyPackets(hexText_, info.version).packets);
    legacy_->start();
}

// --- UpgradeView ---

void FirmwareDialog::setStatus(const QString &text)
{
    status_->setText(text);
}

void FirmwareDialog::setPhaseMaximum(int maximum)
{
    phaseBar_->setMaximum(std::max(maximum, 1));
}

void FirmwareDialog::setPhasePosition(int position)
{
    phaseBar_->setValue(std::min(position, phaseBar_->maximum()));
}

void FirmwareDialog::stepPhase()
{
    setPhasePosition(phaseBar_->value() + 1);
}

void FirmwareDialog::setPhaseColour(QRgb colour)
{
    QPalette palette = phaseBar_->palette();
    palette.setColor(QPalette::Highlight, QColor(colour));
    phaseBar_->setPalette(palette);
}

void FirmwareDialog::setOverallMaximum(int maximum)
{
    overallBar_->setMaximum(std::max(maximum, 1));
}

void FirmwareDialog::setOverallPosition(int position)
{
    overallBar_->setValue(std::min(position, overallBar_->maximum()));
}

void FirmwareDialog::stepOverall()
{
    setOverallPosition(overallBar_->value() + 1);
}

void FirmwareDialog::setStatusColour(StatusColour colour)
{
    QPalette palette = status_->palette();
    palette.setColor(QPalette::WindowText, colour == StatusColour::Blue      ? QColor(Qt::blue)
                                           : colour == StatusColour::Magenta ? QColor(Qt::magenta)
                                                                             : this->palette().color(QPalette::WindowText));
    status_->setPalette(palette);
}

void FirmwareDialog::showPosition(int packet, int byte)
{
    packet_->setNum(packet);
    byte_->setNum(byte);
}

void FirmwareDialog::logLine(const QString &line)
{
    if (log_)
        log_->writeLine(line);
}

void FirmwareDialog::upgradeEnded(bool success)
{
    if (success) {
        phaseBar_->setValue(phaseBar_->maximum());
        overallBar_->setValue(overallBar_->maximum());
        cancel_->setText(QStringLiteral("OK"));
    }
    setButtons(false, false, true);
    if (log_) {
        log_->close();
        logView_->setPlainText(log_->contents());
    }
}
