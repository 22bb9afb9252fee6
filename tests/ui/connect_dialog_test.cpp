#include "remote/RemoteRig.h"
#include "ui/ConnectDialog.h"
#include "ui/WrapLabel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The main window's part: the link's hooks reach the open dialog.
struct DialogRelay : RecordingRemoteView {
    void showDialStep(int step) override { dialog->showDialStep(step); }
    void setDialStatus(DialStatus status) override { dialog->setDialStatus(status); }
    void setDialStatusText(const QString &text) override { dialog->setDialStatusText(text); }
    void connectAbandoned() override
    {
        RecordingRemoteView::connectAbandoned();
        dialog->connectAbandoned();
    }
    void remoteConnected() override
    {
        RecordingRemoteView::remoteConnected();
        dialog->remoteConnected();
    }

    ConnectDialog *dialog = nullptr;
};

// The simulated BlackBox and communicator of the remote rig, with a link that
// reports to the dialog.
class ConnectDialogTest : public ::testing::Test {
protected:
    ConnectDialogTest() { relay.dialog = &dialog; }

    // Connect menu: lists the boxes, prepares and shows the window.
    void open(const QString &rememberedSerial = {}, const QString &servicePassword = QStringLiteral("1234"))
    {
        ASSERT_TRUE(link.beginConnect());
        dialog.prepare(servicePassword, rememberedSerial);
        dialog.show();
    }
    void select()
    {
        dialog.deviceBox()->setCurrentIndex(0);
        click(dialog.selectButton());
        ASSERT_TRUE(dialog.dialPanel()->isVisible());
    }
    void fillAndConnect()
    {
        QTest::keyClicks(dialog.telephoneNumberEdit(), QStringLiteral("0123456"));
        QTest::keyClicks(dialog.parallelNumberEdit(), QStringLiteral("3"));
        ASSERT_TRUE(dialog.connectButton()->isEnabled());
        click(dialog.connectButton());
    }
    bool runUntil(const std::function<bool()> &done) { return rig.clock.runUntil(done, std::chrono::minutes(20)); }
    static void click(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }

    RemoteRig rig;
    DialogRelay relay;
    RemoteLink link{rig.bus, rig.clock, rig.messages, rig.texts, nullptr, &relay};
    ConnectDialog dialog{link, rig.texts, rig.messages};
};

TEST_F(ConnectDialogTest, DialFieldsTakeOnlyTheirCharacters)
{
    open();
    select();
    struct Case {
        QLineEdit *edit;
        QString typed;
        QString kept;
    };
    const Case cases[] = {
        {dialog.telephoneNumberEdit(), QStringLiteral("0123456789*#PRf"), QStringLiteral("0123456789*#PRf")},
        {dialog.telephoneNumberEdit(), QStringLiteral("phkHK"), QStringLiteral("P*#*#")},
        {dialog.telephoneNumberEdit(), QStringLiteral("1r a-F+2"), QStringLiteral("12")},
        {dialog.telephoneNumberEdit(), QStringLiteral("01234567890123456789"), QStringLiteral("0123456789012345")},
        {dialog.parallelNumberEdit(), QStringLiteral("a75"), QStringLiteral("7")},
        {dialog.passwordEdit(), QStringLiteral("12x3*456"), QStringLiteral("1234")},
    };
    for (const Case &c : cases) {
        c.edit->clear();
        QTest::keyClicks(c.edit, c.typed);
        EXPECT_EQ(c.edit->text(), c.kept) << c.typed.toStdString();
    }
    // Backspace edits as usual.
    QTest::keyClick(dialog.passwordEdit(), Qt::Key_Backspace);
    EXPECT_EQ(dialog.passwordEdit()->text(), QStringLiteral("123"));
}

TEST_F(ConnectDialogTest, ConnectNeedsATelephoneNumberAndAFourDigitPassword)
{
    open();
    select();
    struct Case {
        QString telephone;
        QString password;
        bool enabled;
    };
    const Case cases[] = {
        {QStringLiteral("0123"), QStringLiteral("1234"), true},
        {QString(), QStringLiteral("1234"), false},
        {QStringLiteral("   "), QStringLiteral("1234"), false},
        {QStringLiteral("0123"), QStringLiteral("123"), false},
        {QStringLiteral("0123"), QString(), false},
    };
    for (const Case &c : cases) {
        dialog.telephoneNumberEdit()->setText(c.telephone);
        dialog.passwordEdit()->setText(c.password);
        EXPECT_EQ(dialog.connectButton()->isEnabled(), c.enabled)
            << c.telephone.toStdString() << " / " << c.password.toStdString();
    }
}

TEST_F(ConnectDialogTest, ShowingOffersTheListedBoxesAndNamesAMissingRememberedOne)
{
    open(QStringLiteral("QUE00042"));
    EXPECT_EQ(dialog.deviceBox()->count(), 1);
    EXPECT_EQ(dialog.deviceBox()->currentText(), QStringLiteral("QUE00042"));
    EXPECT_TRUE(rig.messages.messages.isEmpty());
    EXPECT_TRUE(dialog.selectButton()->isVisible());
    EXPECT_TRUE(dialog.firstCancelButton()->isVisible());
    EXPECT_FALSE(dialog.dialPanel()->isVisible());
    EXPECT_FALSE(dialog.connectButton()->isVisible());
    EXPECT_EQ(dialog.passwordEdit()->text(), QStringLiteral("1234"));
    dialog.hide();

    open(QStringLiteral("QUE99999"));
    EXPECT_EQ(rig.messages.messages, QStringList{QStringLiteral("BlackBox QUE99999 not connected")});
    EXPECT_TRUE(dialog.deviceBox()->currentText().isEmpty());
    // Select without a box chosen does nothing more than start the progress.
    click(dialog.selectButton());
    EXPECT_EQ(dialog.progressBar()->value(), 1);
    EXPECT_FALSE(link.blackBox().isOpen());
    EXPECT_TRUE(dialog.isVisible());
}

TEST_F(ConnectDialogTest, DiallingEndsConnectedAndClosesTheWindow)
{
    open();
    select();
    EXPECT_TRUE(link.blackBox().isOpen());
    EXPECT_TRUE(dialog.promptLabel()->isVisible());
    EXPECT_FALSE(dialog.deviceBox()->isEnabled());
    EXPECT_FALSE(dialog.selectButton()->isVisible());
    EXPECT_FALSE(dialog.firstCancelButton()->isVisible());
    EXPECT_TRUE(dialog.secondCancelButton()->isVisible());
    fillAndConnect();
    EXPECT_FALSE(dialog.connectButton()->isEnabled());
    EXPECT_FALSE(dialog.promptLabel()->isVisible());

    ASSERT_TRUE(runUntil([this] { return link.isRemoteMode(); }));
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.dialStatus(), DialStatus::Connected);
    EXPECT_EQ(dialog.statusLabel()->text(), QStringLiteral("Connecting"));
    EXPECT_EQ(dialog.progressBar()->value(), DialStep::Count + 1);
    EXPECT_EQ(rig.count("ATDE0123456"), 1);
    EXPECT_EQ(rig.count("ATDE3B"), 1);
    EXPECT_EQ(rig.count("ATDE#1234"), 1);
    EXPECT_TRUE(rig.messages.messages.isEmpty());
    // The remote read and write wait for replies as long as the GSM tick says.
    EXPECT_FALSE(dialog.dialParameters().gsm);
}

TEST_F(ConnectDialogTest, TheTicksReachTheDiallingAndTheReplyTimeOut)
{
    open();
    select();
    dialog.gsmBox()->setChecked(true);
    dialog.addHashBox()->setChecked(true);
    fillAndConnect();
    ASSERT_TRUE(runUntil([this] { return link.isRemoteMode(); }));
    EXPECT_EQ(rig.count("ATDE0123456#"), 1);
    EXPECT_TRUE(dialog.dialParameters().gsm);
}

TEST_F(ConnectDialogTest, CancelBeforeSelectClosesWithoutABox)
{
    for (const bool byEscape : {false, true}) {
        rig.messages.messages.clear();
        open(QStringLiteral("QUE00042"));
        if (byEscape)
            dialog.reject();
        else
            click(dialog.firstCancelButton());
        EXPECT_FALSE(dialog.isVisible()) << byEscape;
        EXPECT_EQ(relay.abandoned, byEscape ? 2 : 1);
        EXPECT_FALSE(link.blackBox().isOpen());
        link.finishConnectDialog();
        EXPECT_EQ(rig.messages.messages, QStringList{QStringLiteral("Not selected any BlackBox")});
    }
}

TEST_F(ConnectDialogTest, CancelAfterSelectHangsUpAndKeepsTheBoxOpen)
{
    open();
    select();
    click(dialog.secondCancelButton());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(relay.abandoned, 1);
    EXPECT_TRUE(link.blackBox().isOpen());
    EXPECT_EQ(rig.count("ATH"), 1);
    link.finishConnectDialog();
    EXPECT_TRUE(rig.messages.messages.isEmpty());
}

TEST_F(ConnectDialogTest, CancelWhileDiallingStopsTheDialling)
{
    open();
    select();
    fillAndConnect();
    ASSERT_TRUE(runUntil([this] { return dialog.stepLabel()->text() == QStringLiteral("4"); }));
    EXPECT_EQ(dialog.progressBar()->value(), 6);
    EXPECT_TRUE(link.isDialling());
    click(dialog.secondCancelButton());
    EXPECT_FALSE(link.isDialling());
    EXPECT_FALSE(link.isRemoteMode());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(rig.count("ATH"), 1);
}

TEST_F(ConnectDialogTest, ARefusedPasswordEndsTheAttemptWithItsMessage)
{
    rig.communicator.password = "4321";
    open();
    select();
    fillAndConnect();
    ASSERT_TRUE(runUntil([this] { return !link.isDialling(); }));
    EXPECT_FALSE(link.isRemoteMode());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.dialStatus(), DialStatus::Redialled);
    EXPECT_EQ(rig.messages.messages,
              QStringList{QStringLiteral("Isn't possible connect the communicator '8A -> B'")});
    link.finishConnectDialog();
    EXPECT_EQ(rig.messages.messages.last(), QStringLiteral("Not selected any BlackBox"));
}

}  // namespace
