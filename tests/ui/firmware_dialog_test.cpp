#include "support/WindowFixture.h"

#include "../firmware/HexText.h"
#include "app/AppConfig.h"
#include "app/ProgramFolder.h"
#include "firmware/LegacyUpload.h"
#include "sim/SimBootloader.h"
#include "sim/SimLegacyLoader.h"
#include "ui/FirmwareDialog.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

namespace {

// The firmware window over the simulator of a communicator, on simulated time.
class FirmwareDialogTest : public WindowFixture {
protected:
    SimDevice &identified(const char *kind)
    {
        SimDevice &device = connectSimulator(kind);
        EXPECT_TRUE(identify());
        return device;
    }
    QString hexFile(const QByteArray &text, const char *name = "firmware.HEX")
    {
        const QString path = home_.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return path;
    }
    QString message(int key) const { return state_->texts().text(QStringLiteral("Message"), key); }
};

TEST_F(FirmwareDialogTest, ATkvC3IsUpgradedThroughItsBootloader)
{
    SimDevice &device = identified("TKV-C3");
    FirmwareDialog dialog(*state_);
    dialog.show();
    EXPECT_EQ(dialog.titleLabel()->text(), message(64));
    EXPECT_FALSE(dialog.writeButton()->isEnabled());
    ASSERT_TRUE(dialog.openFile(hexFile(firmwareHex({0x1000, 0x1100}))));
    EXPECT_EQ(dialog.statusLabel()->text(), message(91));
    EXPECT_TRUE(dialog.writeButton()->isEnabled());
    EXPECT_TRUE(dialog.hexView()->toPlainText().startsWith(QStringLiteral(":02000004")));

    messages_.answer = true;
    dialog.write();
    ASSERT_NE(device.bootloader(), nullptr);
    EXPECT_FALSE(device.bootloader()->isRunning());
    EXPECT_EQ(device.bootloader()->programMemory.mid(0x1100, 16), countingBytes(16, 0x11));
    EXPECT_EQ(messages_.questions.size(), 1);
    EXPECT_TRUE(messages_.questions[0].startsWith(message(63)));
    EXPECT_EQ(dialog.cancelButton()->text(), QStringLiteral("OK"));
    EXPECT_FALSE(dialog.openButton()->isEnabled());
    EXPECT_FALSE(dialog.writeButton()->isEnabled());
    EXPECT_TRUE(dialog.cancelButton()->isEnabled());
    EXPECT_EQ(dialog.phaseBar()->value(), dialog.phaseBar()->maximum());
    EXPECT_EQ(dialog.overallBar()->value(), dialog.overallBar()->maximum());
    const QString log = dialog.logView()->toPlainText();
    EXPECT_TRUE(log.contains(QStringLiteral("Sent<=>Received")));
    EXPECT_TRUE(log.contains(QStringLiteral("Firmware update succesfully finished.")));
    EXPECT_TRUE(QFile::exists(home_.filePath(QStringLiteral("LOG_FW_file.TXT"))));
}

TEST_F(FirmwareDialogTest, ATkvC2GetsThePacketsAfterFAndX)
{
    SimDevice &device = identified("TKV-C2");
    FirmwareDialog dialog(*state_);
    dialog.show();
    EXPECT_EQ(dialog.titleLabel()->text(), message(29));
    ASSERT_TRUE(dialog.openFile(hexFile(dataRecord(0x0100, countingBytes(16)) + endRecord())));
    messages_.answer = true;
    dialog.write();
    ASSERT_NE(dialog.legacyUpload(), nullptr);
    EXPECT_FALSE(dialog.openButton()->isEnabled());
    EXPECT_FALSE(dialog.cancelButton()->isEnabled());
    ASSERT_TRUE(clock_.runUntil([&] { return dialog.legacyUpload()->state() == LegacyUpload::State::Finished; },
                                std::chrono::minutes(1)));
    ASSERT_NE(device.legacyLoader(), nullptr);
    EXPECT_EQ(device.legacyLoader()->flash.mid(0x0100, 16), countingBytes(16));
    EXPECT_EQ(dialog.statusLabel()->text(), QStringLiteral("Finish"));
    EXPECT_TRUE(dialog.logView()->toPlainText().contains(QStringLiteral("77<=>Y")));
    EXPECT_EQ(dialog.cancelButton()->text(), QStringLiteral("OK"));
    EXPECT_TRUE(messages_.questions[0].startsWith(message(32)));
}

TEST_F(FirmwareDialogTest, AFileTheUpgradeWouldRefuseSendsNothing)
{
    SimDevice &device = identified("TKV-C3");
    FirmwareDialog dialog(*state_);
    dialog.show();
    ASSERT_TRUE(dialog.openFile(hexFile(firmwareHex({0x1100}))));
    messages_.answer = true;
    const qsizetype received = device.received.size();
    dialog.write();
    EXPECT_EQ(device.received.size(), received);
    EXPECT_EQ(device.bootloader(), nullptr);
    EXPECT_TRUE(dialog.statusLabel()->text().endsWith(message(80)));
    EXPECT_EQ(messages_.messages, QStringList{message(80)});
    EXPECT_TRUE(dialog.openButton()->isEnabled());
    EXPECT_FALSE(dialog.writeButton()->isEnabled());
}

TEST_F(FirmwareDialogTest, EscapeDoesNotStopAnUpload)
{
    identified("TKV-C2");
    FirmwareDialog dialog(*state_);
    dialog.show();
    ASSERT_TRUE(dialog.openFile(hexFile(dataRecord(0x0100, countingBytes(16)) + endRecord())));
    messages_.answer = true;
    dialog.write();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.legacyUpload()->state(), LegacyUpload::State::Connecting);
}

TEST_F(FirmwareDialogTest, NoAtTheQuestionSendsNothing)
{
    SimDevice &device = identified("TKV-C3");
    FirmwareDialog dialog(*state_);
    dialog.show();
    ASSERT_TRUE(dialog.openFile(hexFile(firmwareHex({0x1000}))));
    const qsizetype received = device.received.size();
    dialog.write();
    EXPECT_EQ(device.received.size(), received);
    EXPECT_TRUE(dialog.writeButton()->isEnabled());
    EXPECT_TRUE(dialog.openButton()->isEnabled());
}

TEST_F(FirmwareDialogTest, FileNamesAreCheckedAndTheLastOneRemembered)
{
    identified("TKV-C2");
    {
        FirmwareDialog dialog(*state_);
        dialog.show();
        EXPECT_FALSE(dialog.openFile(QStringLiteral("/a.HEX")));
        EXPECT_FALSE(dialog.openFile(hexFile("x", "firmware.txt")));
        EXPECT_EQ(messages_.messages, (QStringList{message(27), message(27)}));
        EXPECT_TRUE(dialog.openFile(hexFile(endRecord(), "lower.hex")));
        dialog.reject();
    }
    EXPECT_EQ(AppConfig::readPath(ProgramFolder::path(), QStringLiteral("FIRM")),
              home_.filePath(QStringLiteral("lower.hex")));
}

TEST_F(FirmwareDialogTest, WriteWaitsForAnIdentifiedCommunicator)
{
    connectSimulator("TKV-C2");
    FirmwareDialog dialog(*state_);
    dialog.show();
    ASSERT_TRUE(dialog.openFile(hexFile(endRecord())));
    EXPECT_FALSE(dialog.writeButton()->isEnabled());
}

TEST_F(FirmwareDialogTest, TheMenuOffersTheWindowForAnIdentifiedDevice)
{
    EXPECT_EQ(window_->firmwareAction()->text(), state_->texts().text(QStringLiteral("Menu"), 19));
    EXPECT_FALSE(window_->firmwareAction()->isEnabled());
    identified("TKV-C3");
    window_->pollDevice();
    ASSERT_TRUE(window_->firmwareAction()->isEnabled());
    bool shown = false;
    window_->runDialog = [&](QDialog &dialog) {
        shown = dynamic_cast<FirmwareDialog *>(&dialog) != nullptr;
        EXPECT_FALSE(window_->isPolling());
        return int(QDialog::Rejected);
    };
    window_->firmwareAction()->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(window_->isPolling());
}

}  // namespace
