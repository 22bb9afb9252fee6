#include "report/DeviceDataLines.h"

#include "app/LanguageTable.h"
#include "params/ParameterDef.h"
#include "protocol/DeviceInfo.h"

namespace {

constexpr int noCode = 255;
constexpr int c3ModelCode = 3;
constexpr int extendedParallelMode = 0x20;
constexpr int p100Installed = 0x10;

constexpr DeviceFeatureBox featureBoxes[] = {
    {C3Feature::ExternalPower, 13, false},   {C3Feature::MessageFlash, 14, false},
    {C3Feature::DigitalPotentiometers, 15, false}, {C3Feature::VoiceReports, 16, true},
    {p100Installed, 17, true},               {C3Feature::OptionInstalled, 20, true},
    {C3Feature::LinePolarityCheck, 12, true},
};

QString deviceText(const LanguageTable &texts, int key)
{
    return texts.text(QStringLiteral("Device"), key);
}

// A code of the configuration block: "Unknown" for none, else the numbered text.
QString codeText(int code, int extensionKey, const LanguageTable &texts)
{
    const QString extensions = QStringLiteral("Extensions");
    if (code == noCode)
        return texts.text(extensions, 14);
    return texts.text(extensions, extensionKey).arg(code);
}

} // namespace

std::span<const DeviceFeatureBox> deviceFeatureBoxes()
{
    return featureBoxes;
}

QString deviceModelText(const DeviceInfo &info, const LanguageTable &texts)
{
    return info.modelCode == c3ModelCode ? deviceText(texts, 23) : codeText(info.modelCode, 15, texts);
}

QString deviceClientText(const DeviceInfo &info, const LanguageTable &texts)
{
    return codeText(info.clientCode, 16, texts);
}

QList<DeviceDataLine> deviceDataLines(const DeviceInfo &info, const LanguageTable &texts)
{
    QList<DeviceDataLine> lines{
        {deviceText(texts, 3), info.version},
        {deviceText(texts, 4), info.initialFirmwareVersion},
        {deviceText(texts, 5), info.bootloaderVersion},
        {deviceText(texts, 6), info.defaultModeVersion},
        {deviceText(texts, 7), info.externalPowerVersion},
        {deviceText(texts, 8), info.ioModuleFirmwareVersion},
        {deviceText(texts, 9), info.serialNumber},
        {deviceText(texts, 10), deviceModelText(info, texts)},
        {deviceText(texts, 11), deviceClientText(info, texts)},
    };
    // Without a configuration block no feature is known to be there.
    const bool known = info.modelCode != noCode;
    for (const DeviceFeatureBox &box : featureBoxes)
        lines.append({deviceText(texts, box.key),
                      known && (info.featureFlags & box.bit) ? QStringLiteral("+") : QStringLiteral("-")});
    lines.append({texts.text(QStringLiteral("Tree"), 2),
                  deviceText(texts, info.featureFlags & extendedParallelMode ? 19 : 18)});
    return lines;
}
