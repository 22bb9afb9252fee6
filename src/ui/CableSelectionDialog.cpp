#include "ui/CableSelectionDialog.h"

#include "ui/AppState.h"
#include "ui/PortList.h"

#include "app/MessagePresenter.h"
#include "link/ComLink.h"
#include "link/UsbCable.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const QString simPrefix = QStringLiteral("sim:");
const QString usbPort = QStringLiteral("usb");

LinkKind kindOf(const QString &port)
{
    if (port.isEmpty())
        return LinkKind::None;
    if (port == usbPort)
        return LinkKind::UsbCable;
    if (port.startsWith(simPrefix))
        return LinkKind::Simulator;
    return LinkKind::ComPort;
}

QString canonical(const QString &path)
{
    const QString resolved = QFileInfo(path).canonicalFilePath();
    return resolved.isEmpty() ? path : resolved;
}

// Two port texts name the same cable; device paths count by the device they reach.
bool samePort(const QString &a, const QString &b)
{
    if (a == b)
        return true;
    return kindOf(a) == LinkKind::ComPort && kindOf(b) == LinkKind::ComPort && canonical(a) == canonical(b);
}

bool isComEntry(CableSelectionDialog::Cable cable)
{
    return cable == CableSelectionDialog::UsbLnkV2 || cable == CableSelectionDialog::UsbLnkV3;
}

} // namespace

const QStringList CableSelectionDialog::simulatorKinds = {
    QStringLiteral("TKV-C"),  QStringLiteral("TKV-C2"), QStringLiteral("TKV-C3"),
    QStringLiteral("Option"), QStringLiteral("Switch"), QStringLiteral("Talker"),
};

CableSelectionDialog::CableSelectionDialog(AppState &state, ExchangeView &view, QWidget *parent, PortLister listPorts)
    : QDialog(parent),
      state_(state),
      view_(view),
      listPorts_(listPorts ? std::move(listPorts) : PortLister([] { return SerialPortList().entries(); })),
      cableGroup_(new QGroupBox),
      cables_(new QButtonGroup(this)),
      simulatorModel_(new QComboBox),
      portList_(new PortList)
{
    setWindowFlag(Qt::WindowStaysOnTopHint);
    setModal(true);

    auto *cableGrid = new QGridLayout(cableGroup_);
    for (const Cable cable : {UsbLnk, UsbLnkV2, UsbLnkV3, Simulator}) {
        auto *button = new QRadioButton;
        cables_->addButton(button, cable);
        cableGrid->addWidget(button, cable, 0);
    }
    simulatorModel_->addItems(simulatorKinds);
    simulatorModel_->setCurrentText(QStringLiteral("TKV-C3"));
    cableGrid->addWidget(simulatorModel_, Simulator, 1);
    cableGrid->setColumnStretch(2, 1);
    cableGrid->setRowStretch(Simulator + 1, 1);
    connect(cables_, &QButtonGroup::idClicked, this, [this](int id) { chooseCable(static_cast<Cable>(id)); });
    // Picking a model is choosing the simulator.
    connect(simulatorModel_, &QComboBox::activated, this, [this] { chooseCable(Simulator); });

    // The window keeps its size while the port list comes and goes.
    QSizePolicy portPolicy = portList_->sizePolicy();
    portPolicy.setRetainSizeWhenHidden(true);
    portList_->setSizePolicy(portPolicy);
    connect(portList_, &PortList::portChosen, this, &CableSelectionDialog::portChosen);

    auto *ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *choices = new QHBoxLayout;
    choices->addWidget(cableGroup_);
    choices->addWidget(portList_, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    applyTexts();
    showChoice();
}

QRadioButton *CableSelectionDialog::cableButton(Cable cable) const
{
    return static_cast<QRadioButton *>(cables_->button(cable));
}

QString CableSelectionDialog::text(int key) const
{
    return state_.texts().text(QStringLiteral("Communication"), key);
}

void CableSelectionDialog::applyTexts()
{
    const LanguageTable &texts = state_.texts();
    const QString extensions = QStringLiteral("Extensions");
    setWindowTitle(text(1));
    cableGroup_->setTitle(text(2));
    cableButton(UsbLnk)->setText(text(3));
    cableButton(UsbLnkV2)->setText(text(4));
    cableButton(UsbLnkV3)->setText(text(5));
    cableButton(Simulator)->setText(texts.text(extensions, 12));
    const auto hint = [](const QString &cable, const QString &first, const QString &second) {
        return cable + QStringLiteral("\n    ") + first + QStringLiteral("\n    ") + second;
    };
    cableGroup_->setToolTip(hint(text(3), text(7), text(8)) + u'\n' + hint(text(4), text(9), text(8)) + u'\n'
                            + hint(text(5), text(10), text(11)) + u'\n'
                            + hint(texts.text(extensions, 12), texts.text(extensions, 17), texts.text(extensions, 18)));
    simulatorModel_->setToolTip(texts.text(extensions, 19));
    portList_->setTitle(text(6));
    portList_->setToolTip(text(15));
}

void CableSelectionDialog::showEvent(QShowEvent *event)
{
    applyTexts();
    showChoice();
    QDialog::showEvent(event);
    if (const QWidget *parent = parentWidget()) {
        adjustSize();
        move(parent->window()->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}

// The cable in use decides what is selected; the entry chosen before stays when it
// names the same kind of cable (USB-LNKv3 is not told from USB-LNKv2 by the port).
void CableSelectionDialog::showChoice()
{
    const QString current = state_.port();
    linkKind_ = kindOf(current);
    usbSwitchedAway_ = false;
    switch (linkKind_) {
    case LinkKind::UsbCable:
        cable_ = UsbLnk;
        break;
    case LinkKind::ComPort:
        if (!isComEntry(cable_))
            cable_ = UsbLnkV2;
        break;
    case LinkKind::Simulator: {
        cable_ = Simulator;
        const int model = simulatorModel_->findText(current.mid(simPrefix.size()), Qt::MatchFixedString);
        if (model >= 0)
            simulatorModel_->setCurrentIndex(model);
        break;
    }
    case LinkKind::None:
        break;
    }
    if (cable_ == NoCable) {
        cables_->setExclusive(false);
        if (QAbstractButton *checked = cables_->checkedButton())
            checked->setChecked(false);
        cables_->setExclusive(true);
    } else {
        cableButton(cable_)->setChecked(true);
    }
    refreshPorts();
    portList_->setVisible(isComEntry(cable_));
}

// Ports come and go while the program runs, so the list is made anew on every showing.
// The port this program holds itself shows as free: it is the one in use.
void CableSelectionDialog::refreshPorts()
{
    QList<SerialPortEntry> entries = listPorts_();
    const QString current = state_.port();
    int currentNumber = 0;
    if (linkKind_ == LinkKind::ComPort) {
        for (SerialPortEntry &entry : entries) {
            if (samePort(entry.devicePath, current) || samePort(entry.stablePath, current)) {
                currentNumber = entry.number;
                if (state_.link() && state_.link()->isOpen())
                    entry.state = PortState::Free;
            }
        }
    }
    const int chosen = portList_->selectedNumber();
    portList_->setEntries(entries);
    portList_->select(currentNumber ? currentNumber : chosen);
}

void CableSelectionDialog::chooseCable(Cable cable)
{
    cable_ = cable;
    if (cable != NoCable)
        cableButton(cable)->setChecked(true);
    portList_->setVisible(isComEntry(cable));
    auto *usb = dynamic_cast<UsbCable *>(state_.link());
    // Leaving the USB-LNK for another cable: it counts as not open from now on.
    const auto leaveUsb = [&] {
        if (linkKind_ == LinkKind::UsbCable && usb) {
            usb->markSwitchedAway();
            usbSwitchedAway_ = true;
        }
    };
    switch (cable) {
    case UsbLnk:
        if (usb)
            usb->clearStatusText();
        linkKind_ = LinkKind::UsbCable;
        break;
    case UsbLnkV2:
    case UsbLnkV3:
        // Until a port is chosen there is no cable.
        leaveUsb();
        if (linkKind_ != LinkKind::ComPort)
            linkKind_ = LinkKind::None;
        break;
    case Simulator:
        leaveUsb();
        linkKind_ = LinkKind::Simulator;
        break;
    case NoCable:
        linkKind_ = LinkKind::None;
        break;
    }
}

void CableSelectionDialog::portChosen(int number)
{
    if (number > 0)
        linkKind_ = LinkKind::ComPort;
}

void CableSelectionDialog::done(int result)
{
    applyChoice();
    QDialog::done(result);
}

// Connects what was chosen, unless it is the cable that is already working.
void CableSelectionDialog::applyChoice()
{
    if (linkKind_ == LinkKind::None) {
        if (!portList_->selectedNumber()) {
            portText_.clear();
            state_.messages().showMessage(text(14));
            return;
        }
        linkKind_ = LinkKind::ComPort;
    }
    switch (linkKind_) {
    case LinkKind::UsbCable:
        if (!usbSwitchedAway_ && keepsLink(usbPort))
            portText_ = usbPort;
        else
            connectPort(usbPort, 12);
        break;
    case LinkKind::ComPort: {
        // A port given by a path that the list does not show (a pseudo-terminal, a
        // device outside the numbering) stays the port when no other was chosen.
        const int number = portList_->selectedNumber();
        // A chosen port goes by its stable path where it has one: stored for the next
        // start, that path still names the cable when the numbers have moved.
        const SerialPortEntry entry = portList_->entry(number);
        const QString path = number ? (entry.stablePath.isEmpty() ? entry.devicePath : entry.stablePath)
                             : kindOf(state_.port()) == LinkKind::ComPort ? state_.port()
                                                                        : QString();
        if (path.isEmpty()) {
            portText_.clear();
            state_.messages().showMessage(text(14));
        } else if (keepsLink(path) && state_.link()->isOpen()) {
            portText_ = state_.port();
        } else {
            connectPort(path, 13);
        }
        break;
    }
    case LinkKind::Simulator: {
        const QString port = simPrefix + simulatorModel_->currentText();
        if (keepsLink(port))
            portText_ = port;
        else
            connectPort(port, 0);
        break;
    }
    case LinkKind::None:
        break;
    }
}

bool CableSelectionDialog::keepsLink(const QString &port) const
{
    return state_.link() && state_.linkReady() && samePort(state_.port(), port);
}

// failureKey: the message for a cable that does not open (0: none).
void CableSelectionDialog::connectPort(const QString &port, int failureKey)
{
    QString error;
    if (!state_.connect(port, view_, &error)) {
        portText_.clear();
        state_.messages().showMessage(error);
        return;
    }
    portText_ = port;
    Q_EMIT linkChanged();
    if (!state_.linkReady() && failureKey)
        state_.messages().showMessage(text(failureKey));
}

bool CableSelectionDialog::connectComPort()
{
    auto *com = dynamic_cast<ComLink *>(state_.link());
    return com && (com->isOpen() || com->open());
}

bool CableSelectionDialog::writeComPort(const QByteArray &text)
{
    auto *com = dynamic_cast<ComLink *>(state_.link());
    return com && com->writeText(text);
}

