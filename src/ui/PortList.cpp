#include "ui/PortList.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace {

constexpr int rowsPerColumn = PortList::maxComPorts / 2;

// Ports below 10 get their digit as the keyboard accelerator.
QString buttonText(const SerialPortEntry &port)
{
    const QString number = port.number < 10 ? QStringLiteral("&%1").arg(port.number) : QString::number(port.number);
    if (port.devicePath.isEmpty())
        return QStringLiteral("COM ") + number;
    return QStringLiteral("COM %1 (%2)").arg(number, port.devicePath);
}

} // namespace

PortList::PortList(QWidget *parent) : QGroupBox(parent), group_(new QButtonGroup(this))
{
    auto *grid = new QGridLayout(this);
    grid->setHorizontalSpacing(18);
    for (int number = 1; number <= maxComPorts; ++number) {
        auto *button = new QRadioButton;
        group_->addButton(button, number);
        grid->addWidget(button, (number - 1) % rowsPerColumn, (number - 1) / rowsPerColumn);
    }
    connect(group_, &QButtonGroup::idClicked, this, &PortList::portChosen);
    setEntries({});
}

void PortList::setEntries(const QList<SerialPortEntry> &entries)
{
    entries_.clear();
    for (const SerialPortEntry &port : entries) {
        if (port.number >= 1 && port.number <= maxComPorts)
            entries_.append(port);
    }
    for (int number = 1; number <= maxComPorts; ++number) {
        const SerialPortEntry port = entry(number);
        QRadioButton *radio = button(number);
        radio->setText(buttonText(port));
        radio->setEnabled(port.state == PortState::Free);
        radio->setToolTip(port.stablePath != port.devicePath ? port.stablePath : QString());
    }
    if (const int chosen = selectedNumber(); chosen && !button(chosen)->isEnabled())
        select(0);
}

SerialPortEntry PortList::entry(int number) const
{
    for (const SerialPortEntry &port : entries_) {
        if (port.number == number)
            return port;
    }
    SerialPortEntry absent;
    absent.number = number;
    return absent;
}

int PortList::selectedNumber() const
{
    return std::max(group_->checkedId(), 0);
}

void PortList::select(int number)
{
    if (number >= 1 && number <= maxComPorts && button(number)->isEnabled()) {
        button(number)->setChecked(true);
        return;
    }
    // An exclusive group never lets its last checked button go by itself.
    group_->setExclusive(false);
    if (QAbstractButton *checked = group_->checkedButton())
        checked->setChecked(false);
    group_->setExclusive(true);
}

QRadioButton *PortList::button(int number) const
{
    return static_cast<QRadioButton *>(group_->button(number));
}
