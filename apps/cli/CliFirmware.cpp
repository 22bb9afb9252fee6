#include "CliFirmware.h"

#include "CliOutput.h"
#include "CliSession.h"

#include "firmware/BootloaderUpgrade.h"
#include "firmware/FirmwareCheck.h"
#include "firmware/FirmwareLog.h"
#include "firmware/HexLoader.h"
#include "firmware/LegacyPackets.h"
#include "firmware/LegacyUpload.h"
#include "firmware/LoaderEntry.h"
#include "firmware/UpgradeResult.h"
#include "firmware/UpgradeView.h"

#include <QFile>
#include <QTextStream>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

std::optional<QByteArray> readHexFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        printError(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    return file.readAll();
}

// Status lines on standard error, the overall bar on a terminal, the log in its file.
class CliUpgradeView : public UpgradeView {
public:
    explicit CliUpgradeView(FirmwareLog &log) : log_(log) {}

    void setStatus(const QString &text) override
    {
        endBar();
        std::fprintf(stderr, "%s\n", qPrintable(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" - "))));
    }
    void setOverallMaximum(int maximum) override { maximum_ = std::max(maximum, 1); }
    void setOverallPosition(int position) override
    {
        position_ = position;
        drawBar();
    }
    void stepOverall() override { setOverallPosition(position_ + 1); }
    void logLine(const QString &line) override { log_.writeLine(line); }
    void upgradeEnded(bool wasSuccess) override
    {
        endBar();
        ended = true;
        success = wasSuccess;
        log_.close();
    }

    bool ended = false;
    bool success = false;

private:
    void drawBar()
    {
        if (!isatty(STDERR_FILENO))
            return;
        constexpr int width = 40;
        const int filled = std::min(position_, maximum_) * width / maximum_;
        std::fprintf(stderr, "\rUpgrading [%s%s]", QByteArray(filled, '#').constData(),
                     QByteArray(width - filled, ' ').constData());
        std::fflush(stderr);
        barShown_ = true;
    }
    void endBar()
    {
        if (barShown_)
            std::fputc('\n', stderr);
        barShown_ = false;
    }

    FirmwareLog &log_;
    int maximum_ = 1;
    int position_ = 0;
    bool barShown_ = false;
};

const char *areaOf(quint32 address, quint32 programSize)
{
    using namespace MemoryArea;
    if (address < startPage)
        return "bootloader (not written)";
    if (address < programSize)
        return address == startPage ? "program, start page" : "program";
    if (address == userIdStart)
        return "user ID (written in the expert view)";
    if (address == deviceInfoStart)
        return "device information";
    return "configuration";
}

} // namespace

int runHexCheck(const CliOptions &options)
{
    if (options.arguments.size() != 1) {
        printError(QStringLiteral("hex-check needs one FILE"));
        return ExitBadInput;
    }
    const QString size = options.size.isEmpty() ? QStringLiteral("128KB") : options.size.toUpper();
    if (size != QLatin1String("64KB") && size != QLatin1String("128KB")) {
        printError(QStringLiteral("--size is 64KB or 128KB"));
        return ExitBadInput;
    }
    const std::optional<QByteArray> text = readHexFile(options.arguments.front());
    if (!text)
        return ExitBadInput;
    QTextStream out(stdout);
    if (options.legacy) {
        const LegacyPackets built = buildLegacyPackets(*text, options.version);
        out << "load: " << built.result << "\nupgrade: " << built.result << "\n";
        out << "packets: " << built.packets.size() << "\n";
        const bool ended = !built.packets.isEmpty() && quint8(built.packets.last()[0]) == 0x55
                           && built.packets.last().mid(1) == QByteArray(9, char(0xFF));
        out << "end packet: " << (ended ? "yes" : "no") << "\n";
        return built.result == UpgradeResult::Ok ? ExitDone : ExitBadInput;
    }
    const quint32 programSize = size == QLatin1String("64KB") ? MemoryArea::size64KB : MemoryArea::size128KB;
    const HexLoad load = loadHexImage(*text, programSize);
    const int upgrade = load.result ? load.result : checkImageForUpgrade(load.image);
    out << "load: " << load.result << "\nupgrade: " << upgrade << "\n";
    if (upgrade != UpgradeResult::Ok)
        out << "refused: " << UpgradeResult::text(upgrade, LanguageTable()) << "\n";
    for (const ImageBlock &block : load.image.blocks())
        out << QStringLiteral("0x%1 ").arg(QString::number(block.address, 16).toUpper().rightJustified(6, u'0'))
            << areaOf(block.address, programSize) << "\n";
    return upgrade == UpgradeResult::Ok ? ExitDone : ExitBadInput;
}

int runFirmware(CliSession &session, const CliOptions &options)
{
    const std::optional<QByteArray> text = readHexFile(options.arguments.front());
    if (!text)
        return ExitBadInput;
    const CommunicatorModel model = session.modelFlags().model();
    const DeviceInfo &info = session.deviceInfo();
    if (info.deviceType != QLatin1String("Alarm")) {
        printError(QStringLiteral("a %1 device takes no firmware here").arg(info.deviceType));
        return ExitDeviceFailed;
    }
    // A file the upgrade would refuse goes nowhere, not even the command to load.
    if (const int problem = firmwareFileProblem(*text, model, info.version)) {
        printError(options.arguments.front() + QStringLiteral(": ") + UpgradeResult::text(problem, session.texts()));
        return ExitBadInput;
    }
    FirmwareLog log(FirmwareLog::defaultPath(), session.messages());
    CliUpgradeView view(log);
    enterFirmwareLoader(session.link(), session.clock(), model, info.firmware38);
    log.begin(session.texts());
    std::fprintf(stderr, "firmware log: %s\n", qPrintable(log.path()));
    if (model == CommunicatorModel::TkvC3) {
        BootloaderUpgrade upgrade(session.link(), session.clock(), session.messages(), session.texts(), view,
                                  options.expert);
        return upgrade.runBootloaderUpgrade(*text) == UpgradeResult::Ok ? ExitDone : ExitDeviceFailed;
    }
    LegacyUpload upload(session.link(), session.clock(), session.messages(), session.texts(), view,
                        buildLegacyPackets(*text, info.version).packets);
    upload.start();
    while (!view.ended)
        session.clock().wait(Millis(5));
    return view.success ? ExitDone : ExitDeviceFailed;
}
