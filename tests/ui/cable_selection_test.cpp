#include "support/WindowFixture.h"

#include "link/PseudoTerminal.h"

#include "link/UsbCable.h"
#include "ui/CableSelectionDialog.h"
#include "ui/PortList.h"

#include <QComboBox>
#include <QFile>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString noCableText = QStringLiteral("Select either USB-LNK or USB-LNKv2 or USB-LNKv3");
const QString usbFailedText = QStringLiteral("USB-LNK failed");
const QString comFailedText = QStringLiteral("USB-LNKv2 or USB-LNKv3 failed");

using Cable = CableSelectionDialog::Cable;

// The dialog over the fixture's window, with a port listing the test decides.
class CableSelectionTest : public WindowFixture {
protected:
    std::unique_ptr<CableSelectionDialog> makeDialog()
    {
        auto dialog = std::make_unique<CableSelectionDialog>(*state_, *window_, window_.get(),
                                                             [this] { return ports; });
        changes = std::make_unique<QSignalSpy>(dialog.get(), &CableSelectionDialog::linkChanged);
        return dialog;
    }
    static void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    QList<SerialPortEntry> ports;
    std::unique_ptr<QSignalSpy> changes;
};

TEST_F(CableSelectionTest, ACableWithoutAPortConnectsNothingAndSaysSo)
{
    for (const Cable cable : {Cable::UsbLnkV2, Cable::UsbLnkV3}) {
        ports = {{1, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB0"), PortState::Free}};
        messages_.messages.clear();
        auto dialog = makeDialog();
        dialog->show();
        EXPECT_EQ(dialog->cable(), Cable::NoCable);
        EXPECT_FALSE(dialog->portList()->isVisible());
        click(dialog->cableButton(cable));
        EXPECT_TRUE(dialog->portList()->isVisible());
        dialog->accept();
        EXPECT_EQ(messages_.messages, QStringList{noCableText}) << cable;
        EXPECT_EQ(state_->link(), nullptr);
        EXPECT_TRUE(dialog->portText().isEmpty());
        EXPECT_EQ(changes->count(), 0);
    }
}

TEST_F(CableSelectionTest, LeavingTheSimulatorForACableWithoutPortKeepsTheSimulator)
{
    connectSimulator("TKV-C3");
    auto dialog = makeDialog();
    dialog->show();
    click(dialog->cableButton(Cable::UsbLnkV3));
    dialog->reject();  // the close box applies the choice as "OK" does
    EXPECT_EQ(messages_.messages, QStringList{noCableText});
    EXPECT_EQ(state_->port(), QStringLiteral("sim:TKV-C3"));
    EXPECT_TRUE(state_->linkReady());
}

TEST_F(CableSelectionTest, PortsInUseAndNumbersWithoutDeviceCannotBeChosen)
{
    ports = {
        {1, QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/serial/by-id/usb-A"), PortState::Free},
        {2, QStringLiteral("/dev/ttyUSB1"), QStringLiteral("/dev/ttyUSB1"), PortState::InUse},
        {3, QStringLiteral("/dev/ttyACM0"), QStringLiteral("/dev/ttyACM0"), PortState::Absent},
        {12, QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS0"), PortState::Free},
        {17, QStringLiteral("/dev/ttyS5"), QStringLiteral("/dev/ttyS5"), PortState::Free},
    };
    auto dialog = makeDialog();
    dialog->show();
    click(dialog->cableButton(Cable::UsbLnkV2));
    PortList &list = *dialog->portList();
    struct Case {
        int number;
        const char *text;
        bool enabled;
    };
    const Case cases[] = {
        {1, "COM &1 (/dev/ttyUSB0)", true}, {2, "COM &2 (/dev/ttyUSB1)", false},
        {3, "COM &3 (/dev/ttyACM0)", false}, {4, "COM &4", false},
        {12, "COM 12 (/dev/ttyS0)", true},  {16, "COM 16", false},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(list.button(c.number)->text(), QLatin1String(c.text)) << c.number;
        EXPECT_EQ(list.button(c.number)->isEnabled(), c.enabled) << c.number;
    }
    EXPECT_EQ(list.button(1)->toolTip(), QStringLiteral("/dev/serial/by-id/usb-A"));
    // Ports 1 to 8 in the first column, 9 to 16 in the second.
    EXPECT_EQ(list.button(8)->x(), list.button(1)->x());
    EXPECT_GT(list.button(9)->x(), list.button(1)->x());

    click(list.button(2));
    EXPECT_EQ(list.selectedNumber(), 0);
    click(list.button(12));
    EXPECT_EQ(list.selectedNumber(), 12);

    // The chosen port is taken by another program before the window opens again.
    dialog->hide();
    ports[3].state = PortState::InUse;
    dialog->show();
    EXPECT_EQ(list.selectedNumber(), 0);
    EXPECT_FALSE(list.button(12)->isEnabled());
}

TEST_F(CableSelectionTest, SwitchingFromUsbLnkToAComCableAndBackOpensUsbLnkAgain)
{
    QString error;
    ASSERT_TRUE(state_->connect(QStringLiteral("usb"), *window_, &error));
    const auto *before = dynamic_cast<UsbCable *>(state_->link());
    ASSERT_NE(before, nullptr);
    ASSERT_FALSE(state_->linkReady()) << "a USB-LNK cable is attached to this machine";

    auto dialog = makeDialog();
    dialog->show();
    EXPECT_EQ(dialog->cable(), Cable::UsbLnk);
    EXPECT_FALSE(dialog->portList()->isVisible());
    click(dialog->cableButton(Cable::UsbLnkV2));
    EXPECT_EQ(before->statusText(), QStringLiteral("--"));
    EXPECT_TRUE(dialog->portList()->isVisible());
    click(dialog->cableButton(Cable::UsbLnk));
    EXPECT_EQ(before->statusText(), QString());
    EXPECT_FALSE(dialog->portList()->isVisible());

    dialog->accept();
    const auto *after = dynamic_cast<UsbCable *>(state_->link());
    ASSERT_NE(after, nullptr);
    EXPECT_EQ(after->statusText(), QStringLiteral("------------"));
    EXPECT_EQ(messages_.messages, QStringList{usbFailedText});
    EXPECT_EQ(dialog->portText(), QStringLiteral("usb"));
    EXPECT_EQ(changes->count(), 1);
}

TEST_F(CableSelectionTest, AChosenComPortIsConnectedAndKeptWhileItWorks)
{
    PseudoTerminal device;
    ASSERT_TRUE(device.isValid());
    // The port is connected by its stable link, which is what Config.ini keeps.
    QTemporaryDir byId;
    const QString stable = byId.filePath(QStringLiteral("usb-FTDI_USB-LNKv3-if00-port0"));
    ASSERT_TRUE(QFile::link(device.slavePath(), stable));
    ports = {{1, device.slavePath(), stable, PortState::Free}};
    auto dialog = makeDialog();
    dialog->show();
    click(dialog->cableButton(Cable::UsbLnkV3));
    click(dialog->portList()->button(1));
    dialog->accept();
    EXPECT_TRUE(messages_.messages.isEmpty()) << messages_.messages.join(u'\n').toStdString();
    EXPECT_EQ(state_->port(), stable);
    EXPECT_TRUE(state_->linkReady());
    EXPECT_EQ(dialog->portText(), stable);
    EXPECT_EQ(changes->count(), 1);

    // The port we hold is busy for everyone else, but stays ours to choose.
    ports[0].state = PortState::InUse;
    const LinkPort *link = state_->link();
    dialog->show();
    EXPECT_EQ(dialog->cable(), Cable::UsbLnkV3);
    EXPECT_EQ(dialog->portList()->selectedNumber(), 1);
    EXPECT_TRUE(dialog->portList()->button(1)->isEnabled());
    dialog->accept();
    EXPECT_EQ(state_->link(), link);
    EXPECT_EQ(changes->count(), 1);

    EXPECT_TRUE(dialog->connectComPort());
    EXPECT_FALSE(dialog->writeComPort({}));
    EXPECT_TRUE(dialog->writeComPort("V\r"));
    EXPECT_EQ(device.read(2), QByteArray("V\r"));

    // A window made afresh knows only the port: the COM cable shows as USB-LNKv2.
    auto fresh = makeDialog();
    fresh->show();
    EXPECT_EQ(fresh->cable(), Cable::UsbLnkV2);
    EXPECT_EQ(fresh->portList()->selectedNumber(), 1);
}

TEST_F(CableSelectionTest, AComPortThatDoesNotOpenSaysSo)
{
    QTemporaryDir folder;
    const QString missing = folder.filePath(QStringLiteral("ttyUSB9"));
    ports = {{1, missing, missing, PortState::Free}};
    auto dialog = makeDialog();
    dialog->show();
    click(dialog->cableButton(Cable::UsbLnkV2));
    click(dialog->portList()->button(1));
    dialog->accept();
    EXPECT_EQ(messages_.messages, QStringList{comFailedText});
    EXPECT_EQ(state_->port(), missing);
    EXPECT_FALSE(state_->linkReady());
    EXPECT_FALSE(dialog->connectComPort());
}

TEST_F(CableSelectionTest, TheSimulatorEntryConnectsTheChosenModel)
{
    auto dialog = makeDialog();
    dialog->show();
    EXPECT_EQ(dialog->simulatorModel()->count(), 6);
    click(dialog->cableButton(Cable::Simulator));
    dialog->simulatorModel()->setCurrentText(QStringLiteral("Option"));
    dialog->accept();
    EXPECT_TRUE(messages_.messages.isEmpty());
    EXPECT_EQ(state_->port(), QStringLiteral("sim:Option"));
    EXPECT_EQ(dialog->portText(), QStringLiteral("sim:Option"));
    EXPECT_TRUE(state_->linkReady());
    ASSERT_NE(state_->simDevice(), nullptr);
    EXPECT_FALSE(dialog->writeComPort("V"));

    // Shown again: the same entry and model, and the same link when nothing changed.
    const LinkPort *link = state_->link();
    dialog->show();
    EXPECT_EQ(dialog->cable(), Cable::Simulator);
    EXPECT_EQ(dialog->simulatorModel()->currentText(), QStringLiteral("Option"));
    EXPECT_FALSE(dialog->portList()->isVisible());
    dialog->accept();
    EXPECT_EQ(state_->link(), link);

    dialog->show();
    dialog->simulatorModel()->setCurrentText(QStringLiteral("TKV-C2"));
    dialog->accept();
    EXPECT_EQ(state_->port(), QStringLiteral("sim:TKV-C2"));
    EXPECT_EQ(changes->count(), 2);
    // The simulated device answers on the new link.
    EXPECT_TRUE(identify());
}

TEST_F(CableSelectionTest, StaysOnTopModalAndCentredOnTheMainWindow)
{
    window_->resize(1000, 720);
    window_->move(100, 50);
    window_->show();
    auto dialog = makeDialog();
    dialog->show();
    EXPECT_TRUE(dialog->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(dialog->isModal());
    const QPoint offset = dialog->frameGeometry().center() - window_->frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 4) << offset.x() << "," << offset.y();
}

} // namespace
