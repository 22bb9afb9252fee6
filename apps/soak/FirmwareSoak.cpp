// Firmware upgrades of simulated communicators: files that must go in, files that
// must be refused before the device is touched.

#include "HexFiles.h"
#include "RandomValues.h"
#include "Soak.h"

#include "firmware/BootloaderUpgrade.h"
#include "firmware/FirmwareCheck.h"
#include "firmware/FirmwareImage.h"
#include "firmware/HexLoader.h"
#include "firmware/LegacyPackets.h"
#include "firmware/LegacyUpload.h"
#include "firmware/LoaderEntry.h"
#include "firmware/UpgradeResult.h"

namespace {

constexpr Nanos uploadLimit = std::chrono::minutes(20);

// A communicator on the cable with random faults on both directions, on a clock of
// its own; each upgrade gets a new one.
struct FirmwareRig {
    FirmwareRig(SimKind kind, quint64 seed) : device(kind), link(clock, device, true)
    {
        device.faults.toDevice = SimFaultPlan(seed * 2 + 1, {});
        device.faults.fromDevice = SimFaultPlan(seed * 2 + 2, {});
        link.open();
    }
    qint64 struck() const
    {
        return device.faults.toDevice.counts().struck() + device.faults.fromDevice.counts().struck();
    }
    // The loader entered without faults, so that its memory can be set up.
    void enterLoaderCleanly(CommunicatorModel model)
    {
        enterFirmwareLoader(link, clock, model, model != CommunicatorModel::TkvC3);
        clock.advanceBy(Millis(20));
        link.readAll();
        device.received.clear();
    }

    VirtualClock clock;
    SimDevice device;
    SimLink link;
    LanguageTable texts;
    KeptMessages messages;
    KeptUpgradeView view;
};

QString countsText(const SimFaultPlan::Counts &c)
{
    return QStringLiteral("%1 lost, %2 changed, %3 late").arg(c.losses).arg(c.corruptions).arg(c.delays);
}

// What struck the rig's lines, for the notes.
QString faultsText(const FirmwareRig &rig)
{
    return QStringLiteral("(to the device %1; from it %2)")
        .arg(countsText(rig.device.faults.toDevice.counts()), countsText(rig.device.faults.fromDevice.counts()));
}

// The program memory the device should hold once the image went over the old one.
QByteArray expectedProgram(const QByteArray &before, const FirmwareImage &image, int programSize)
{
    QByteArray memory = before.left(int(MemoryArea::startPage))
                        + QByteArray(programSize - int(MemoryArea::startPage), char(0xFF));
    for (const ImageBlock &block : image.blocks())
        if (block.address >= MemoryArea::startPage && block.address < quint32(programSize))
            memory.replace(int(block.address), ImageBlock::length, block.data);
    return memory;
}

}  // namespace

// A TKV-C3 through its bootloader. A good file must end with exactly its image in the
// device; a refused one must leave the device as it was: not erased, nothing written.
void Soak::bootloaderUpgrade(bool refusedFile)
{
    FirmwareRig rig(SimKind::TkvC3, random_.next());
    rig.device.bootloaderSettings.deviceId = random_.chance(50) ? 0x7480 : 0x7440;
    const int programSize = SimBootloader::programSizeFor(rig.device.bootloaderSettings.deviceId);
    int refusal = 0;
    const QByteArray hex = refusedFile ? HexFiles::refusedBootloaderImage(random_, programSize, refusal)
                                       : HexFiles::bootloaderImage(random_, programSize);
    const Operation operation = refusedFile ? Operation::RefusedFirmware : Operation::BootloaderUpgrade;

    // The window and the command line check the file before anything goes to the
    // communicator; only what the device itself reports is checked later.
    const int problem = firmwareFileProblem(hex, CommunicatorModel::TkvC3, QStringLiteral("3.18"));
    if (refusedFile && problem == 0 && refusal != UpgradeResult::HexAddress) {
        record(operation, Outcome::Unreported, 0, QStringLiteral("the file check took a file it must refuse"));
        return;
    }
    if (!refusedFile && problem != 0) {
        record(operation, Outcome::Unreported, 0,
               QStringLiteral("the file check refused a good file (%1)").arg(problem));
        return;
    }

    rig.enterLoaderCleanly(CommunicatorModel::TkvC3);
    SimBootloader &loader = *rig.device.bootloader();
    // Old firmware in the application area.
    for (int i = int(MemoryArea::startPage); i < loader.programSize(); ++i)
        loader.programMemory[i] = char(i * 7 + 3);
    const QByteArray program = loader.programMemory;
    const QByteArray configuration = loader.configuration;
    const QByteArray userId = loader.userId;
    const QByteArray deviceInformation = loader.deviceInformation;

    const FaultStrength strength = randomStrength(random_);
    rig.device.faults.toDevice.setChances(randomChances(random_, strength, 4));
    rig.device.faults.fromDevice.setChances(randomChances(random_, strength, 4));
    enterFirmwareLoader(rig.link, rig.clock, CommunicatorModel::TkvC3, false);
    BootloaderUpgrade upgrade(rig.link, rig.clock, rig.messages, rig.texts, rig.view, false);
    // The same file goes to the upgrade even when the check above refused it: the
    // upgrade must refuse it too, before the erase.
    const int result = upgrade.runBootloaderUpgrade(hex);
    const qint64 faults = rig.struck();

    if (loader.programMemory.left(int(MemoryArea::startPage)) != program.left(int(MemoryArea::startPage)))
        halfApplied(operation, QStringLiteral("the bootloader's own memory was written"));
    if (refusedFile) {
        const bool untouched = loader.erases == 0 && loader.writes == 0 && loader.configurationWrites == 0
                               && loader.programMemory == program && loader.configuration == configuration;
        if (!untouched) {
            ++tally_.row(operation).leftErased;
            note(operation, QStringLiteral("a refused file (%1) erased or wrote the device").arg(refusal));
        }
        if (result == 0)
            record(operation, Outcome::Unreported, faults, QStringLiteral("the upgrade took a file it must refuse"));
        else
            record(operation, untouched ? Outcome::Succeeded : Outcome::Unreported, faults,
                   QStringLiteral("refused after touching the device"));
        return;
    }
    if (result != 0) {
        record(operation, rig.messages.messages.isEmpty() ? Outcome::Unreported : Outcome::Reported, faults,
               QStringLiteral("failed without a message"));
        return;
    }
    const HexLoad load = loadHexImage(hex, quint32(programSize));
    const ImageBlock *newConfiguration = load.image.find(MemoryArea::configurationStart);
    const ImageBlock *newInformation = load.image.find(MemoryArea::deviceInfoStart);
    QStringList wrong;
    const QByteArray wanted = expectedProgram(program, load.image, programSize);
    if (loader.programMemory != wanted) {
        int first = -1;
        int count = 0;
        for (int i = 0; i < wanted.size(); ++i)
            if (loader.programMemory[i] != wanted[i]) {
                first = first < 0 ? i : first;
                ++count;
            }
        wrong << QStringLiteral("program memory (%1 bytes from 0x%2)").arg(count).arg(first, 0, 16);
    }
    if (!newConfiguration || loader.configuration != newConfiguration->data.left(MemoryArea::configurationLength))
        wrong << QStringLiteral("configuration");
    if (loader.deviceInformation != (newInformation ? newInformation->data : deviceInformation))
        wrong << QStringLiteral("device information");
    if (loader.userId != userId)
        wrong << QStringLiteral("user ID");
    const int start = int(MemoryArea::startPage);
    const bool sumsAgree =
        SimBootloader::wordSum(loader.programMemory.mid(start)) == SimBootloader::wordSum(wanted.mid(start))
        && (!newConfiguration
            || SimBootloader::wordSum(loader.configuration)
                   == SimBootloader::wordSum(newConfiguration->data.left(MemoryArea::configurationLength)))
        && SimBootloader::wordSum(loader.deviceInformation)
               == SimBootloader::wordSum(newInformation ? newInformation->data : deviceInformation);
    if (wrong.isEmpty())
        record(operation, Outcome::Succeeded, faults);
    else if (sumsAgree && loader.userId == userId)
        // Each area is checked by a 16-bit sum of its words: changes that cancel out
        // in the sum pass, as they would with any program.
        record(operation, Outcome::Unchecked, faults);
    else
        record(operation, Outcome::Unreported, faults,
               QStringLiteral("upgraded, but wrong: ") + wrong.join(u',') + u' ' + faultsText(rig));
}

// A TKV-C or TKV-C2 through its packet loader. A good file must end with its packets
// in the flash; a refused one gives no packets, so nothing is ever sent.
void Soak::legacyUpload(bool refusedFile)
{
    const bool large = random_.chance(50);
    const SimKind kind = large ? SimKind::TkvC2 : SimKind::TkvC;
    const CommunicatorModel model = large ? CommunicatorModel::TkvC2 : CommunicatorModel::TkvC;
    const QString version = large ? QStringLiteral("6.2") : QStringLiteral("5.8");
    FirmwareRig rig(kind, random_.next());
    int refusal = 0;
    const QByteArray hex = refusedFile ? HexFiles::refusedLegacyImage(random_, large, refusal)
                                       : HexFiles::legacyImage(random_, large);
    const Operation operation = refusedFile ? Operation::RefusedFirmware : Operation::LegacyUpload;
    const LegacyPackets built = buildLegacyPackets(hex, version);
    const int problem = firmwareFileProblem(hex, model, version);
    if (refusedFile) {
        if (problem == 0 || !built.packets.isEmpty())
            record(operation, Outcome::Unreported, 0,
                   QStringLiteral("the file check took a file it must refuse (%1)").arg(refusal));
        else
            record(operation, Outcome::Succeeded, 0);
        return;
    }
    if (problem != 0) {
        record(operation, Outcome::Unreported, 0, QStringLiteral("the file check refused a good file (%1)").arg(problem));
        return;
    }

    rig.enterLoaderCleanly(model);
    SimLegacyLoader &loader = *rig.device.legacyLoader();
    for (int i = 0; i < SimLegacyLoader::flashSize; ++i)
        loader.flash[i] = char(i * 13 + 5);
    QByteArray expected = loader.flash;
    for (const QByteArray &packet : built.packets)
        if (!SimLegacyLoader::isEndPacket(packet))
            expected.replace(2 * (quint8(packet[0]) | quint8(packet[1]) << 8), 8, packet.mid(2));

    const FaultStrength strength = randomStrength(random_);
    rig.device.faults.toDevice.setChances(randomChances(random_, strength));
    rig.device.faults.fromDevice.setChances(randomChances(random_, strength));
    enterFirmwareLoader(rig.link, rig.clock, model, true);
    LegacyUpload upload(rig.link, rig.clock, rig.messages, rig.texts, rig.view, built.packets);
    upload.start();
    const auto ended = [&upload] {
        return upload.state() == LegacyUpload::State::Finished || upload.state() == LegacyUpload::State::Failed;
    };
    if (!rig.clock.runUntil(ended, uploadLimit)) {
        upload.stop();
        record(operation, Outcome::CutOff, rig.struck(), QStringLiteral("still uploading"));
        return;
    }
    const qint64 faults = rig.struck();
    if (upload.state() != LegacyUpload::State::Finished) {
        record(operation, rig.messages.messages.isEmpty() ? Outcome::Unreported : Outcome::Reported, faults,
               QStringLiteral("failed without a message"));
        return;
    }
    if (loader.flash == expected && loader.isFinished()) {
        record(operation, Outcome::Succeeded, faults);
        return;
    }
    // Finished must mean that every packet went out whole (the cable's record holds
    // what the program sent, before any fault) and that the loader took its end.
    int missing = 0;
    for (const QByteArray &packet : built.packets)
        missing += !rig.device.received.contains(packet);
    if (missing > 0) {
        record(operation, Outcome::Unreported, faults,
               QStringLiteral("finished, but %1 of %2 packets were never sent %3")
                   .arg(missing)
                   .arg(built.packets.size())
                   .arg(faultsText(rig)));
        return;
    }
    // Every packet went out, and the loader holds something else: it takes packets
    // without a check or a frame, so a byte changed on the way is stored, and after a
    // reply lost or changed a packet sent again from its first byte can be taken
    // shifted, at another address.
    record(operation, Outcome::Unchecked, faults);
}
