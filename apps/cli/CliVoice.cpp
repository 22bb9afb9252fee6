#include "CliVoice.h"

#include "CliOutput.h"
#include "CliSession.h"

#include "sim/SimDevice.h"
#include "voice/LegacyTalkerUpload.h"
#include "voice/TalkerMessage.h"
#include "voice/VoiceUpload.h"
#include "voice/WavFile.h"

#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

constexpr int voiceSlots = 8;

constexpr int talkerSlots = int(talkerAreas.size());

// The upload's progress as a bar on a terminal, its messages on standard error in
// one line each.
class CliVoiceView : public VoiceUploadView, public MessagePresenter {
public:
    void setProgress(int position, int maximum) override
    {
        if (!terminal_ || maximum <= 0)
            return;
        constexpr int width = 40;
        const int filled = std::clamp(position, 0, maximum) * width / maximum;
        std::fprintf(stderr, "\rWriting [%s%s]", QByteArray(filled, '#').constData(),
                     QByteArray(width - filled, ' ').constData());
        std::fflush(stderr);
        barShown_ = true;
    }
    void setProgressVisible(bool visible) override
    {
        if (!visible)
            endBar();
    }
    void uploadEnded(bool) override { endBar(); }

    void showMessage(const QString &text) override
    {
        endBar();
        printError(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" - ")).replace(u'\r', u' '));
    }
    void status(const QString &text)
    {
        endBar();
        std::fprintf(stderr, "%s\n", qPrintable(text));
    }

private:
    void endBar()
    {
        if (barShown_)
            std::fputc('\n', stderr);
        barShown_ = false;
    }

    const bool terminal_ = isatty(STDERR_FILENO);
    bool barShown_ = false;
};

// What the command line asks for, checked before the cable is opened.
struct VoiceRequest {
    int slot = 0;
    int tolerance = 0;
    QString path;
};

std::optional<int> numberIn(const QString &text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

std::optional<VoiceRequest> voiceRequestOf(const CliOptions &options)
{
    if (options.arguments.size() != 1) {
        printError(QStringLiteral("voice needs one FILE"));
        return std::nullopt;
    }
    if (options.slot.isEmpty()) {
        printError(QStringLiteral("voice needs --slot N"));
        return std::nullopt;
    }
    VoiceRequest request;
    request.path = options.arguments.front();
    const int slots = options.talkerOld ? talkerSlots : voiceSlots;
    const std::optional<int> slot = numberIn(options.slot, 1, slots);
    if (!slot) {
        printError(QStringLiteral("--slot is 1 to %1%2")
                       .arg(slots)
                       .arg(options.talkerOld ? QStringLiteral(" on the older voice module") : QString()));
        return std::nullopt;
    }
    request.slot = *slot;
    if (!options.tolerance.isEmpty()) {
        const std::optional<int> tolerance = numberIn(options.tolerance, 0, talkerMaximumTolerance);
        if (!options.talkerOld) {
            printError(QStringLiteral("--tolerance goes with --talker-old"));
            return std::nullopt;
        }
        if (!tolerance) {
            printError(QStringLiteral("--tolerance is 0 to %1").arg(talkerMaximumTolerance));
            return std::nullopt;
        }
        request.tolerance = *tolerance;
    }
    return request;
}

// Neither the USB cable nor the simulator: a COM-port cable.
bool isComPort(const QString &port)
{
    return port != QLatin1String("usb") && !port.startsWith(QLatin1String("sim:"));
}

void logLine(CliSession &session, const QString &line)
{
    if (session.commLog() && session.commLog()->isEnabled())
        session.commLog()->writeLine(line);
}

void printResult(int slot, const QString &countKey, int count, bool converted)
{
    QTextStream out(stdout);
    out << "slot: " << slot << "\n" << countKey << ": " << count << "\nconverted: " << (converted ? "yes" : "no")
        << "\n";
}

// A TKV-C3 or the newer voice module: every sample, in blocks of 16.
int uploadSamples(CliSession &session, const VoiceRequest &request, VoiceDevice device)
{
    const bool module = device == VoiceDevice::Module;
    const int rate = module ? VoiceRate::module : VoiceRate::communicator;
    CliVoiceView view;
    const DeviceSamples samples = readDeviceSamples(request.path, rate);
    if (!samples.ok()) {
        view.showMessage(samples.problemText(session.texts(), request.path));
        return ExitBadInput;
    }
    const QString target = module ? QStringLiteral("the voice module") : QStringLiteral("the TKV-C3");
    logLine(session, QStringLiteral("Write msg%1").arg(module ? request.slot : request.slot - 1)
                         + (module ? QStringLiteral(" to Talker module") : QStringLiteral(" to Lift Communicator")));
    VoiceUpload upload(session.link(), session.clock(), view, session.texts(), session.commLog(), view, device);
    // A message too big for the device is refused before anything is sent.
    if (!upload.start(request.slot, samples.samples, request.path))
        return ExitBadInput;
    view.status(QStringLiteral("writing %1 samples into slot %2 of %3: %4%5")
                    .arg(samples.samples.size())
                    .arg(request.slot)
                    .arg(target, upload.sizeLabel(), conversionNote(samples.converted, rate, session.texts())));
    while (upload.state() != VoiceUpload::State::Stored && upload.state() != VoiceUpload::State::Failed)
        session.clock().wait(Millis(5));
    if (upload.state() != VoiceUpload::State::Stored)
        return ExitDeviceFailed;
    view.status(QStringLiteral("voice message stored"));
    printResult(request.slot, QStringLiteral("samples"), int(samples.samples.size()), samples.converted);
    return ExitDone;
}

// The older voice module: the file compressed, in blocks of 64, the stream and block
// files beside the WAV file as the module's own tools keep them.
int uploadToOlderModule(CliSession &session, const VoiceRequest &request)
{
    CliVoiceView view;
    const TalkerArea &area = talkerAreas[request.slot - 1];
    logLine(session, QStringLiteral("Write msg%1 to Talker module").arg(area.logNumber));
    const TalkerMessage message = prepareTalkerMessage(request.path, request.tolerance, area, session.texts());
    if (message.stream.cut)
        view.showMessage(session.texts().text(QStringLiteral("Extensions"), 38).arg(request.path));
    for (const QString &line : message.logLines)
        logLine(session, line);
    if (!message.problem.isEmpty()) {
        view.showMessage(message.problem);
        return ExitBadInput;
    }
    view.status(QStringLiteral("writing %1 blocks into slot %2 of the older voice module: %3, %4%5%6")
                    .arg(message.blocks.blockCount)
                    .arg(request.slot)
                    .arg(message.statistics.compression, message.statistics.size, message.statistics.time,
                         conversionNote(message.converted, VoiceRate::module, session.texts())));
    LegacyTalkerUpload upload(session.link(), session.clock(), view, session.texts(), session.commLog(), view);
    upload.start(area.character, message.blocks.blocks, area.blocks);
    while (upload.state() != LegacyTalkerUpload::State::Stored && upload.state() != LegacyTalkerUpload::State::Failed) {
        session.clock().wait(Millis(5));
        // The older module ends with "K" once its area is full; a device that keeps
        // asking beyond it (a newer module taken for an older one) would never end.
        if (upload.blockPosition() > area.blocks) {
            upload.stop();
            view.showMessage(QStringLiteral("the module asked for more than the %1 blocks of its area: "
                                            "is it the older voice module?")
                                 .arg(area.blocks));
        }
    }
    if (upload.state() != LegacyTalkerUpload::State::Stored)
        return ExitDeviceFailed;
    view.status(QStringLiteral("voice message stored"));
    printResult(request.slot, QStringLiteral("blocks"), message.blocks.blockCount, message.converted);
    return ExitDone;
}

}  // namespace

int runVoice(const CliOptions &options)
{
    if (options.port.startsWith(QLatin1String("sim:")) && !simKindFromName(options.port.mid(4))) {
        printError(QStringLiteral("unknown simulated device \"%1\"").arg(options.port.mid(4)));
        return ExitBadInput;
    }
    const std::optional<VoiceRequest> request = voiceRequestOf(options);
    if (!request)
        return ExitBadInput;
    // Whether the file is a WAV that can be sent does not depend on the device's rate.
    const DeviceSamples samples = readDeviceSamples(request->path, VoiceRate::module);
    if (!samples.ok()) {
        printError(samples.problemText(LanguageTable(), request->path));
        return ExitBadInput;
    }

    // A long message takes no longer than the work on the simulator.
    CliSession session(options, true);
    // The older module is reached through the USB cable alone.
    if (options.talkerOld && isComPort(session.port())) {
        printError(session.texts().text(QStringLiteral("Extensions"), 37));
        return ExitBadInput;
    }
    if (!session.connect() || !session.identify())
        return ExitDeviceFailed;
    const QString &type = session.deviceInfo().deviceType;
    const bool talker = type == QLatin1String("Talker");
    const bool tkvC3 = type == QLatin1String("Alarm") && session.modelFlags().model() == CommunicatorModel::TkvC3;
    if (!talker && !tkvC3) {
        const QString name = type == QLatin1String("Alarm") ? modelName(session.modelFlags().model()) : type;
        printError(QStringLiteral("a %1 takes no voice messages (a TKV-C3 or a voice module does)").arg(name));
        return ExitBadInput;
    }
    if (talker)
        return options.talkerOld ? uploadToOlderModule(session, *request)
                                 : uploadSamples(session, *request, VoiceDevice::Module);
    if (options.talkerOld) {
        printError(QStringLiteral("--talker-old: the device on the cable is a TKV-C3, not the older voice module"));
        return ExitBadInput;
    }
    return uploadSamples(session, *request, VoiceDevice::Communicator);
}
