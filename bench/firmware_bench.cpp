// Prints how long a full bootloader upgrade of a 128KB TKV-C3 and a packet upload of
// a 64KB image to a TKV-C2 take through the simulator at 9600 baud, against the time
// their bytes need on the wire.
#include "app/LanguageTable.h"
#include "app/MessagePresenter.h"
#include "firmware/BootloaderUpgrade.h"
#include "firmware/HexRecords.h"
#include "firmware/LegacyPackets.h"
#include "firmware/LegacyUpload.h"
#include "firmware/LoaderEntry.h"
#include "firmware/UpgradeView.h"
#include "link/SimLink.h"
#include "sim/SimDevice.h"
#include "sim/VirtualClock.h"

#include "BenchRow.h"

#include <cstdio>

namespace {

struct QuietPresenter : MessagePresenter {
    void showMessage(const QString &) override {}
};

struct Ending : UpgradeView {
    void upgradeEnded(bool wasSuccess) override
    {
        ended = true;
        success = wasSuccess;
    }
    bool ended = false;
    bool success = false;
};

QByteArray data16(int address)
{
    QByteArray bytes;
    for (int i = 0; i < 16; ++i)
        bytes.append(char((address + i) * 7));
    return bytes;
}

// Every byte of program memory from the start page on, and the configuration.
QByteArray fullImage128KB()
{
    QByteArray text;
    for (int address = 0x1000; address < 0x20000; address += 16) {
        if (address % 0x10000 == 0 || address == 0x1000)
            text += hexRecord(4, 0, QByteArray(1, char(0)) + char(address >> 16));
        text += hexRecord(0, address & 0xFFFF, data16(address));
    }
    text += hexRecord(4, 0, QByteArray::fromHex("0030")) + hexRecord(0, 0, data16(0).left(10));
    return text + hexRecord(1, 0, {});
}

// 64 KB of program words; the upload sends them up to the end of the memory.
QByteArray image64KB()
{
    QByteArray text;
    for (int address = 0; address < 0x10000; address += 16)
        text += hexRecord(0, address, data16(address));
    return text + hexRecord(1, 0, {});
}

void report(const char *name, double seconds, qint64 wireBytes, bool success, bool rows)
{
    const double wire = double(wireBytes) * 10.0 / 9600.0;
    if (rows) {
        printBenchRow(name, success ? "simulated" : "FAILED", seconds, wire, "s");
        return;
    }
    std::printf("%-44s %s simulated %7.1f s, wire bytes %7lld, wire time %6.1f s, simulated/wire %.2f\n", name,
                success ? "done  " : "FAILED", seconds, wireBytes, wire, seconds / wire);
}

} // namespace

int main(int argc, char **argv)
{
    const bool rows = rowsWanted(argc, argv);
    QuietPresenter messages;
    LanguageTable texts;
    {
        VirtualClock clock;
        SimDevice device(SimKind::TkvC3);
        SimLink link(clock, device, true);
        link.open();
        Ending view;
        BootloaderUpgrade upgrade(link, clock, messages, texts, view, false);
        enterFirmwareLoader(link, clock, CommunicatorModel::TkvC3, false);
        const QByteArray hex = fullImage128KB();
        const Nanos start = clock.now();
        const qint64 bytes = link.wireBytes();
        upgrade.runBootloaderUpgrade(hex);
        report("firmware upgrade, TKV-C3 bootloader 128 KB",
               std::chrono::duration<double>(clock.now() - start).count(), link.wireBytes() - bytes, view.success,
               rows);
    }
    {
        VirtualClock clock;
        SimDevice device(SimKind::TkvC2);
        SimLink link(clock, device, true);
        link.open();
        Ending view;
        const LegacyPackets packets = buildLegacyPackets(image64KB(), QStringLiteral("6.2"));
        enterFirmwareLoader(link, clock, CommunicatorModel::TkvC2, true);
        LegacyUpload upload(link, clock, messages, texts, view, packets.packets);
        const Nanos start = clock.now();
        const qint64 bytes = link.wireBytes();
        upload.start();
        clock.runUntil([&] { return view.ended; }, std::chrono::hours(2));
        report("firmware upgrade, TKV-C2 packets 64 KB",
               std::chrono::duration<double>(clock.now() - start).count(), link.wireBytes() - bytes, view.success,
               rows);
    }
    return 0;
}
