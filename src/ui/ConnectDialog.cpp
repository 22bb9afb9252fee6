#include "ui/ConnectDialog.h"

#include "app/LanguageTable.h"
#include "app/MessagePresenter.h"
#include "remote/RemoteLink.h"
#include "ui/BusyCursor.h"
#include "ui/WrapLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

enum Key {
    Title = 1,
    SelectBlackBox = 2,
    Select = 3,
    TelephoneNumber = 4,
    Cancel = 5,
    CommunicatorNumber = 6,
    Password = 7,
    BlackBox = 37,
    NotConnected = 38,
    FillTelephoneNumber = 40,
    Connect = 46,
    Gsm = 48,
    AddHash = 49,
    Step = 50,
    Status = 51,
};

// A typed or pasted text with a character the BlackBox does not dial is refused
// whole; the letters that stand for others are replaced.
class TelephoneNumberValidator : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        const std::optional<QString> number = dialNumberOf(input);
        if (!number)
            return Invalid;
        input = *number;
        return Acceptable;
    }
};

QLineEdit *digitsEdit(int length, QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setMaxLength(length);
    edit->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(length)), edit));
    return edit;
}

QColor statusColour(DialStatus status, const QPalette &palette)
{
    switch (status) {
    case DialStatus::Normal: break;
    case DialStatus::TimedOut: return QColor(0x00, 0xFF, 0x00);   // lime
    case DialStatus::Refused: return QColor(0xFF, 0x00, 0x00);    // red
    case DialStatus::NoReset: return QColor(0x80, 0x80, 0x00);    // olive
    case DialStatus::Redialled: return QColor(0x80, 0x00, 0x80);  // purple
    case DialStatus::Connected: return QColor(0xFF, 0x00, 0xFF);  // fuchsia
    }
    return palette.color(QPalette::Window);
}

}  // namespace

ConnectDialog::ConnectDialog(RemoteLink &link, const LanguageTable &texts, MessagePresenter &messages,
                             QWidget *parent)
    : QDialog(parent), link_(link), texts_(texts), messages_(messages)
{
    buildLayout();
    setWindowTitle(text(Title));

    connect(selectButton_, &QPushButton::clicked, this, &ConnectDialog::selectChosenBox);
    connect(connectButton_, &QPushButton::clicked, this, &ConnectDialog::dial);
    connect(firstCancelButton_, &QPushButton::clicked, this, &ConnectDialog::cancelBeforeSelect);
    connect(secondCancelButton_, &QPushButton::clicked, this, &ConnectDialog::cancelAfterSelect);
    for (QLineEdit *edit : {telephoneNumber_, parallelNumber_, password_})
        connect(edit, &QLineEdit::textChanged, this, &ConnectDialog::updateConnectButton);
}

void ConnectDialog::buildLayout()
{
    deviceGroup_ = new QGroupBox(text(SelectBlackBox), this);
    deviceBox_ = new QComboBox(deviceGroup_);
    deviceBox_->setMinimumContentsLength(10);
    deviceBox_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    selectButton_ = new QPushButton(text(Select), deviceGroup_);
    auto *deviceRow = new QHBoxLayout(deviceGroup_);
    deviceRow->addWidget(deviceBox_, 1);
    deviceRow->addWidget(selectButton_);

    prompt_ = new WrapLabel(text(FillTelephoneNumber), this);

    dialPanel_ = new QWidget(this);
    telephoneNumber_ = new QLineEdit(dialPanel_);
    telephoneNumber_->setMaxLength(telephoneNumberLength);
    telephoneNumber_->setValidator(new TelephoneNumberValidator(telephoneNumber_));
    parallelNumber_ = digitsEdit(1, dialPanel_);
    password_ = digitsEdit(passwordLength, dialPanel_);
    password_->setEchoMode(QLineEdit::Password);
    // Room for the longest number the field takes.
    telephoneNumber_->setMinimumWidth(
        telephoneNumber_->fontMetrics().horizontalAdvance(QString(telephoneNumberLength, u'0')) + 12);
    gsm_ = new QCheckBox(text(Gsm), dialPanel_);
    addHash_ = new QCheckBox(text(AddHash), dialPanel_);
    auto *dialForm = new QFormLayout(dialPanel_);
    dialForm->setContentsMargins(0, 0, 0, 0);
    dialForm->setRowWrapPolicy(QFormLayout::WrapLongRows);
    dialForm->addRow(text(TelephoneNumber), telephoneNumber_);
    dialForm->addRow(text(CommunicatorNumber), parallelNumber_);
    dialForm->addRow(text(Password), password_);
    dialForm->addRow(gsm_);
    dialForm->addRow(addHash_);

    statusPanel_ = new QWidget(this);
    stepLabel_ = new QLabel(statusPanel_);
    statusLabel_ = new QLabel(statusPanel_);
    statusLabel_->setAutoFillBackground(true);
    statusLabel_->setMinimumHeight(statusLabel_->fontMetrics().height() + 4);
    progress_ = new QProgressBar(statusPanel_);
    progress_->setRange(0, progressMaximum);
    progress_->setTextVisible(false);
    auto *statusForm = new QFormLayout(statusPanel_);
    statusForm->setContentsMargins(0, 0, 0, 0);
    statusForm->addRow(text(Step), stepLabel_);
    statusForm->addRow(text(Status), statusLabel_);
    statusForm->addRow(progress_);

    firstCancelButton_ = new QPushButton(text(Cancel), this);
    secondCancelButton_ = new QPushButton(text(Cancel), this);
    connectButton_ = new QPushButton(text(Connect), this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(connectButton_);
    buttons->addWidget(firstCancelButton_);
    buttons->addWidget(secondCancelButton_);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(deviceGroup_);
    layout->addWidget(prompt_);
    layout->addWidget(dialPanel_);
    layout->addWidget(statusPanel_);
    layout->addStretch(1);
    layout->addLayout(buttons);
}

QString ConnectDialog::text(int key) const
{
    return texts_.text(QStringLiteral("Remote"), key);
}

void ConnectDialog::prepare(const QString &servicePassword, const QString &rememberedSerial)
{
    closing_ = false;
    gsm_->setChecked(false);
    prompt_->hide();
    setDialStatus(DialStatus::Normal);
    statusLabel_->clear();
    stepLabel_->clear();
    progress_->setValue(0);
    password_->setText(servicePassword);
    showSelectedState(false);

    // Only the boxes whose serial number begins with "QUE" are offered.
    deviceBox_->clear();
    deviceBox_->addItems(link_.blackBox().deviceList().mid(0, link_.blackBox().prefixedCount()));
    const int remembered = deviceBox_->findText(rememberedSerial, Qt::MatchExactly);
    deviceBox_->setCurrentIndex(rememberedSerial.isEmpty() ? -1 : remembered);
    if (remembered < 0 && rememberedSerial.size() > 2)
        messages_.showMessage(text(BlackBox) + u' ' + rememberedSerial + u' ' + text(NotConnected));
    updateConnectButton();
}

// Before Select only the device box, Select and the first Cancel; afterwards the
// dial and status panels, the second Cancel and Connect.
void ConnectDialog::showSelectedState(bool selected)
{
    deviceBox_->setEnabled(!selected);
    selectButton_->setEnabled(!selected);
    selectButton_->setVisible(!selected);
    firstCancelButton_->setVisible(!selected);
    prompt_->setVisible(selected);
    dialPanel_->setVisible(selected);
    statusPanel_->setVisible(selected);
    secondCancelButton_->setVisible(selected);
    connectButton_->setVisible(selected);
}

void ConnectDialog::updateConnectButton()
{
    connectButton_->setEnabled(!telephoneNumber_->text().trimmed().isEmpty()
                               && password_->text().trimmed().size() == passwordLength);
}

void ConnectDialog::setDialFields(const DialParameters &dial)
{
    telephoneNumber_->setText(dial.telephoneNumber);
    parallelNumber_->setText(dial.parallelNumber);
    addHash_->setChecked(dial.addHash);
    updateConnectButton();
}

DialParameters ConnectDialog::dialParameters() const
{
    DialParameters dial;
    dial.telephoneNumber = telephoneNumber_->text();
    dial.parallelNumber = parallelNumber_->text();
    dial.password = password_->text();
    dial.gsm = gsm_->isChecked();
    dial.addHash = addHash_->isChecked();
    return dial;
}

void ConnectDialog::selectChosenBox()
{
    progress_->setValue(1);
    if (deviceBox_->currentText().trimmed().size() < 2)
        return;
    if (!link_.selectBlackBox(deviceBox_->currentIndex())) {
        closeWindow(Rejected);
        return;
    }
    showSelectedState(true);
    updateConnectButton();
    telephoneNumber_->setFocus();
}

void ConnectDialog::dial()
{
    prompt_->hide();
    connectButton_->setEnabled(false);
    link_.startDialling(dialParameters());
}

void ConnectDialog::cancelBeforeSelect()
{
    const BusyCursor busy;
    link_.cancelBeforeSelect();
    closeWindow(Rejected);
}

// A cancel during a dialling step takes effect once the step has unwound; the link
// then reports connectAbandoned(), which closes the window.
void ConnectDialog::cancelAfterSelect()
{
    const BusyCursor busy;
    if (link_.isDialling())
        link_.requestCancel();
    else
        link_.cancelAfterSelect();
    if (!link_.isDialling())
        closeWindow(Rejected);
}

void ConnectDialog::reject()
{
    if (closing_)
        return;
    // The device box is disabled once a box was selected.
    if (deviceBox_->isEnabled())
        cancelBeforeSelect();
    else
        cancelAfterSelect();
}

void ConnectDialog::closeWindow(int result)
{
    if (closing_)
        return;
    closing_ = true;
    QDialog::done(result);
}

void ConnectDialog::showDialStep(int step)
{
    stepLabel_->setNum(step);
    progress_->setValue(step + 2);
}

void ConnectDialog::setDialStatus(DialStatus status)
{
    status_ = status;
    QPalette palette = statusLabel_->palette();
    const QColor background = statusColour(status, this->palette());
    palette.setColor(QPalette::Window, background);
    // The text stays readable on the dark colours.
    palette.setColor(QPalette::WindowText, background.lightness() < 128 ? QColor(Qt::white)
                                                                        : this->palette().color(QPalette::WindowText));
    statusLabel_->setPalette(palette);
}

void ConnectDialog::setDialStatusText(const QString &text)
{
    statusLabel_->setText(text);
}

void ConnectDialog::connectAbandoned()
{
    closeWindow(Rejected);
}

void ConnectDialog::remoteConnected()
{
    closeWindow(Accepted);
    // Ready for the next connect.
    connectButton_->setEnabled(true);
}
