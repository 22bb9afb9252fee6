#include "FirmwareRig.h"
#include "HexText.h"
#include "firmware/BootloaderUpgrade.h"
#include "firmware/FirmwareImage.h"
#include "firmware/HexLoader.h"
#include "firmware/UpgradeResult.h"

#include <gtest/gtest.h>

namespace {

struct BootloaderRig : FirmwareRig {
    explicit BootloaderRig(quint16 deviceId = 0x7480, bool expertView = false)
        : FirmwareRig(SimKind::TkvC3), upgrade(link, clock, messages, texts, view, expertView)
    {
        device.bootloaderSettings.deviceId = deviceId;
        enterLoader(CommunicatorModel::TkvC3, false);
        // Old firmware in the application area: what the upgrade does not write is erased.
        bootloader().programMemory.replace(0x1000, bootloader().programSize() - 0x1000,
                                           QByteArray(bootloader().programSize() - 0x1000, '\0'));
    }
    SimBootloader &bootloader() { return *device.bootloader(); }
    int run(const QByteArray &hex) { return upgrade.runBootloaderUpgrade(hex); }

    BootloaderUpgrade upgrade;
};

// The program memory a device should hold after the image was written over it.
QByteArray expectedProgram(const QByteArray &before, const QByteArray &hex, int programSize)
{
    QByteArray memory = before.left(0x1000) + QByteArray(programSize - 0x1000, char(0xFF));
    const HexLoad load = loadHexImage(hex, quint32(programSize));
    for (const ImageBlock &block : load.image.blocks())
        if (block.address >= 0x1000 && block.address < quint32(programSize))
            memory.replace(int(block.address), ImageBlock::length, block.data);
    return memory;
}

class BootloaderUpgradeOfSize : public ::testing::TestWithParam<quint16> {};

TEST_P(BootloaderUpgradeOfSize, TheDeviceHoldsTheImageAndTheLogTellsEveryStep)
{
    BootloaderRig rig(GetParam());
    const int size = rig.bootloader().programSize();
    const QByteArray hex = firmwareHex({0x1200, 0x1000, 0x8000, size - 0x100, 0x2C0000});
    const QByteArray before = rig.bootloader().programMemory;

    ASSERT_EQ(rig.run(hex), UpgradeResult::Ok) << rig.view.statuses.join(u'|').toStdString();
    EXPECT_TRUE(rig.bootloader().programMemory == expectedProgram(before, hex, size));
    EXPECT_EQ(rig.bootloader().configuration, countingBytes(10, 0x40));
    const HexLoad load = loadHexImage(hex, quint32(size));
    EXPECT_EQ(rig.bootloader().deviceInformation, load.image.find(0x2C0000)->data);
    EXPECT_FALSE(rig.bootloader().isRunning());  // restarted
    EXPECT_EQ(rig.messages.messages, QStringList{rig.message(28) + QStringLiteral("\r\n") + rig.message(88)});
    EXPECT_TRUE(rig.view.success);

    const QString sizeName = size == 0x20000 ? QStringLiteral("128KB") : QStringLiteral("64KB");
    ASSERT_GE(rig.view.log.size(), 14);
    EXPECT_EQ(rig.view.log[0], QStringLiteral("Version request sent."));
    EXPECT_EQ(rig.view.log[1], QStringLiteral("Detected version 1.5 on CPU ID %1 with %2")
                                   .arg(QString::number(GetParam(), 16).toUpper(), sizeName));
    EXPECT_EQ(rig.view.log[2], QStringLiteral("Erased 0x%1 bytes starting from: 0x1000")
                                   .arg(QString::number(size - 0x1000, 16).toUpper().rightJustified(4, u'0')));
    // File order, the start page last, the configuration apart.
    EXPECT_EQ(rig.view.log[3], QStringLiteral("Written 0x0100 bytes of code beginning at 0x1200"));
    EXPECT_EQ(rig.view.log[4], QStringLiteral("Written 0x0100 bytes of code beginning at 0x8000"));
    EXPECT_EQ(rig.view.log[6], QStringLiteral("Written 0x0100 bytes of code beginning at 0x2C0000"));
    EXPECT_EQ(rig.view.log[7], QStringLiteral("Written 0x100 bytes of start page code beginning at 0x1000"));
    EXPECT_EQ(rig.view.log[8], QStringLiteral("Written 0x0A bytes of configuration beginning at 0x300000"));
    EXPECT_EQ(rig.view.log.mid(9, 6),
              (QStringList{QStringLiteral("Device Info Checksum succesfully checked"),
                           QStringLiteral("Program memory Checksum succesfully checked"),
                           QStringLiteral("Config Area Checksum succesfully checked"),
                           QStringLiteral("Device reboot requested"), QStringLiteral("========================"),
                           QStringLiteral("Firmware update succesfully finished.")}));
    EXPECT_TRUE(rig.view.statuses.last().endsWith(rig.message(87)));
}

INSTANTIATE_TEST_SUITE_P(Sizes, BootloaderUpgradeOfSize, ::testing::Values(quint16(0x7480), quint16(0x7440)),
                         [](const auto &info) { return info.param == 0x7480 ? "KB128" : "KB64"; });

TEST(BootloaderUpgrade, TheUserIdGoesOnlyInTheExpertView)
{
    const QByteArray hex = firmwareHex({0x1000, 0x200000});
    for (const bool expert : {false, true}) {
        SCOPED_TRACE(expert);
        BootloaderRig rig(0x7480, expert);
        ASSERT_EQ(rig.run(hex), UpgradeResult::Ok);
        const HexLoad load = loadHexImage(hex, 0x20000);
        EXPECT_EQ(rig.bootloader().userId, expert ? load.image.find(0x200000)->data.left(64) : QByteArray(64, char(0xFF)));
        EXPECT_EQ(rig.view.log.contains(QStringLiteral("UserID Checksum succesfully checked")), expert);
    }
}

TEST(BootloaderUpgrade, FailuresOfTheDeviceEndWithTheirCode)
{
    const QByteArray hex = firmwareHex({0x1000, 0x1100});
    struct Case {
        const char *name;
        std::function<void(SimBootloader &)> inject;
        int result;
    };
    const Case cases[] = {
        {"silence", [](SimBootloader &b) { b.faults.silentFrames = -1; }, 108},
        {"a wrong header", [](SimBootloader &b) { b.faults.wrongHeaders = -1; }, 102},
        {"a wrong address", [](SimBootloader &b) { b.faults.refusedWrites = -1; }, 104},
        {"an unsupported command",
         [](SimBootloader &b) {
             b.faults.refusedWrites = -1;
             b.faults.refusedWriteStatus = 0xFF;
         },
         103},
        {"a wrong checksum", [](SimBootloader &b) { b.faults.wrongChecksums = -1; }, 107},
        {"two silences are forgiven", [](SimBootloader &b) { b.faults.silentFrames = 2; }, 0},
        {"other unlock bytes in the echo", [](SimBootloader &b) { b.faults.otherUnlockEchoes = -1; }, 0},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        BootloaderRig rig;
        c.inject(rig.bootloader());
        const int result = rig.run(hex);
        EXPECT_EQ(result, c.result);
        if (result == 0)
            continue;
        EXPECT_EQ(rig.view.statuses.last(), rig.message(66) + QStringLiteral("\r\n")
                                                 + UpgradeResult::text(c.result, rig.texts));
        EXPECT_EQ(rig.messages.messages, QStringList{rig.message(38) + QStringLiteral("\r\n") + rig.message(39)});
        EXPECT_FALSE(rig.view.success);
        EXPECT_EQ(rig.view.log.at(rig.view.log.size() - 2), QStringLiteral("========================"));
    }
}

TEST(BootloaderUpgrade, NoReplyEndsAfterThreeAttemptsOfTenSeconds)
{
    BootloaderRig rig;
    rig.bootloader().faults.silentFrames = -1;
    const Nanos start = rig.clock.now();
    EXPECT_EQ(rig.run(firmwareHex({0x1000})), 108);
    const double seconds = std::chrono::duration<double>(rig.clock.now() - start).count();
    EXPECT_NEAR(seconds, 3 + 1 + 30, 1.0);  // the restart wait, the settling, three attempts
    EXPECT_EQ(rig.view.colours.mid(0, 6), (QList<QRgb>{qRgb(0, 255, 0), qRgb(0, 255, 0), qRgb(176, 255, 0),
                                                       qRgb(176, 255, 0), qRgb(208, 255, 0), qRgb(208, 255, 0)}));
    EXPECT_TRUE(rig.view.statuses.last().endsWith(rig.message(74)));
}

TEST(BootloaderUpgrade, AFileTheUpgradeRefusesErasesNothing)
{
    struct Case {
        const char *name;
        quint16 deviceId;
        quint8 writeLatchWords;
        quint8 eraseRowWords;
        QByteArray hex;
        int result;
    };
    const Case cases[] = {
        {"no start page", 0x7480, 128, 32, firmwareHex({0x1100}), UpgradeResult::MissingStartPage},
        {"only the bootloader's area", 0x7480, 128, 32, firmwareHex({0x0800}), UpgradeResult::MissingStartPage},
        {"no configuration", 0x7480, 128, 32, firmwareHex({0x1000}, false), UpgradeResult::NoConfiguration},
        {"beyond a 64KB device", 0x7440, 128, 32, firmwareHex({0x1000, 0x10000}), UpgradeResult::HexAddress},
        {"a bad record", 0x7480, 128, 32, firmwareHex({0x1000}).replace(":10", ":1G"), UpgradeResult::HexChecksum},
        {"no end", 0x7480, 128, 32, firmwareHex({0x1000}).chopped(13), UpgradeResult::HexEnd},
        {"another write size", 0x7480, 32, 32, firmwareHex({0x1000}), UpgradeResult::UnsupportedWriteSize},
        {"no erase size", 0x7480, 128, 0, firmwareHex({0x1000}), UpgradeResult::UnsupportedWriteSize},
        {"another processor", 0x7380, 128, 32, firmwareHex({0x1000}), UpgradeResult::WrongCpu},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        FirmwareRig base(SimKind::TkvC3);
        base.device.bootloaderSettings.deviceId = c.deviceId;
        base.device.bootloaderSettings.writeLatchWords = c.writeLatchWords;
        base.device.bootloaderSettings.eraseRowWords = c.eraseRowWords;
        base.enterLoader(CommunicatorModel::TkvC3, false);
        BootloaderUpgrade upgrade(base.link, base.clock, base.messages, base.texts, base.view, false);
        EXPECT_EQ(upgrade.runBootloaderUpgrade(c.hex), c.result);
        EXPECT_EQ(base.device.bootloader()->erases, 0);
        EXPECT_EQ(base.device.bootloader()->writes, 0);
        EXPECT_EQ(base.view.statuses.last(), base.message(65) + QStringLiteral("\r\n")
                                                  + UpgradeResult::text(c.result, base.texts));
    }
}

}  // namespace
