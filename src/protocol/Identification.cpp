#include "protocol/Identification.h"

#include "app/CommLog.h"
#include "app/LanguageTable.h"
#include "protocol/NumberTexts.h"

#include <algorithm>

namespace {

// [Menu] keys of the device menu caption.
constexpr int communicatorMenuKey = 8;
constexpr int optionMenuKey = 51;
constexpr int switchBoardMenuKey = 52;
constexpr int talkerMenuKey = 67;

// "V" value of a TKV-C3 that wants to be asked with "v".
constexpr int tkvC3Redirect = 99;

// Positions (1-based) of the serial number after "C": two bytes in the 13- and
// 19-byte replies, the TKV-C3 data block in the 34-byte reply.
constexpr int serialHighPosition = 12;
constexpr int serialLowPosition = 13;
constexpr int tkvC3BlockFirst = 13;
constexpr int tkvC3BlockLast = 28;

// Upper and lower nibble in decimal, both always: 0x05 -> "05", 0x31 -> "31".
QString bothNibbles(quint8 value)
{
    return QString::number(value >> 4) + QString::number(value & 0x0f);
}

// As bothNibbles, but without an upper nibble of 0: 0x05 -> "5", 0x12 -> "12".
QString nibbleText(quint8 value)
{
    return (value >> 4) == 0 ? QString::number(value & 0x0f) : bothNibbles(value);
}

// Tenths of a volt with a decimal comma and a trailing blank: 7 -> "0,7 ", 123 -> "12,3 ".
QString voltageText(int value)
{
    const QString digits = QString::number(value);
    const QString whole = digits.size() == 1 ? QStringLiteral("0") : digits.chopped(1);
    return whole + QLatin1Char(',') + digits.right(1) + QLatin1Char(' ');
}

// Decimal text with leading zeros, cut to its last `width` characters.
QString zeroPadded(qint64 value, int width)
{
    return QString::number(value).rightJustified(width + 1, QLatin1Char('0')).right(width);
}

LampColour activeColour(bool active)
{
    return active ? LampColour::Green : LampColour::Inactive;
}

} // namespace

struct Identification::Walk {
    bool tkvC3Layout = false;  // 34-byte reply: the data block follows "C"
    qint64 accumulator = 0;    // shared by "I"/"J", "H"/"D", "S"/"T"/"U" and "C"

    // Whether the byte after a value at this position is another value of the
    // same tag rather than the next tag.
    bool valueFollows(char tag, int position) const
    {
        if (tag == 'v')
            return position == 2;
        if (tag != 'C')
            return false;
        if (tkvC3Layout)
            return position >= tkvC3BlockFirst && position < tkvC3BlockLast;
        return position == serialHighPosition;
    }
};

Identification::Identification(const LanguageTable &texts, CommLog *log, IdentificationView *view)
    : texts_(texts), log_(log), view_(view)
{
}

void Identification::parseIdentification(const QByteArray &reply)
{
    info_.identified = true;
    info_.resetCount.clear();
    info_.serialNumber.clear();
    info_.version.clear();
    info_.serviceInterval.clear();

    Walk walk;
    walk.tkvC3Layout = flags_.tkvC3;
    const int length = std::min(int(reply.size()), flags_.identificationLength());
    bool expectTag = true;
    char tag = 0;
    for (int position = 1; position <= length; ++position) {
        const auto byte = static_cast<quint8>(reply.at(position - 1));
        if (expectTag) {
            tag = char(byte);
            expectTag = false;
            continue;
        }
        if (!applyValue(walk, tag, position, byte))
            return;
        expectTag = !walk.valueFollows(tag, position);
    }
}

// Returns false when the parse must stop here.
bool Identification::applyValue(Walk &walk, char tag, int position, quint8 value)
{
    switch (tag) {
    case 'V':
        if (value == tkvC3Redirect) {
            changeModel(CommunicatorModel::TkvC3);
            return false;
        }
        communicatorVersion(value);
        break;
    case 'v':
        if (position == 2)
            tkvC3VersionMajor(value);
        else if (position == 3)
            tkvC3VersionMinor(value);
        break;
    case 'Z':
        auxiliaryDevice(QStringLiteral("Switch"), ">>> SwitchBoard connected <<<", switchBoardMenuKey, value);
        changeModel(CommunicatorModel::TkvC);  // the new-model flag is cleared
        break;
    case 'B':
        auxiliaryDevice(QStringLiteral("Option"), ">>> Option connected <<<", optionMenuKey, value);
        break;
    case 'L':
        auxiliaryDevice(QStringLiteral("Talker"), ">>> Talker connected <<<", talkerMenuKey, value);
        break;
    case 'I':
    case 'H':
    case 'S':
        walk.accumulator = value;
        break;
    case 'J':
        info_.resetCount = QString::number(walk.accumulator + value * 256);
        break;
    case 'D':
        info_.serviceInterval = QString::number(walk.accumulator + value * 24);
        break;
    case 'T':
        walk.accumulator += value * 256;
        break;
    case 'U':
        info_.liftStartCounter = QString::number(walk.accumulator + value * 65536);
        break;
    case 'C':
        if (walk.tkvC3Layout)
            tkvC3BlockByte(walk, position, value);
        else
            serialByte(walk, position, value);
        break;
    case 'Y':
        supplyVoltage(value);
        break;
    case 'M':
        secondVoltage(value);
        break;
    case 'P':
        ioStates(value);
        break;
    default:
        break;  // an unknown tag is skipped with its value
    }
    return true;
}

void Identification::communicatorVersion(quint8 value)
{
    communicatorSeen(">>> TKV-C communicator connected <<<");
    info_.version = firmwareVersionText(value);
    if (value < 10)
        return;
    info_.firmware38 = value >= 38;
    const bool newModel = value >= 60;
    if (!newModel)
        changeModel(CommunicatorModel::TkvC);
    else if (!flags_.newModel)
        changeModel(CommunicatorModel::TkvC2);
    logVersionOnce(flags_.newModel ? ">>> TKV-C2 version <<<" : ">>> TKV-C version <<<");
}

void Identification::tkvC3VersionMajor(quint8 value)
{
    communicatorSeen(">>> TKV-C3 communicator connected <<<");
    info_.version = nibbleText(value) + QLatin1Char('.');
}

void Identification::tkvC3VersionMinor(quint8 value)
{
    info_.version += bothNibbles(value);
    info_.firmware38 = true;
    changeModel(CommunicatorModel::TkvC3);
    logVersionOnce(">>> TKV-C3 version <<<");
}

void Identification::auxiliaryDevice(const QString &type, const char *connectedLine, int menuKey,
                                     quint8 value)
{
    if (info_.deviceType != type) {
        logBlock(connectedLine);
        // A communicator seen after this device writes its version line again.
        info_.logVersionOnce = true;
        setMenuCaption(menuKey);
    }
    info_.deviceType = type;
    showModelSelector(false);
    info_.version = firmwareVersionText(value);
}

void Identification::serialByte(Walk &walk, int position, quint8 value)
{
    if (position == serialHighPosition)
        walk.accumulator = value * 256;
    else if (position == serialLowPosition)
        info_.serialNumber = zeroPadded(walk.accumulator + value, 5);
}

void Identification::tkvC3BlockByte(Walk &walk, int position, quint8 value)
{
    switch (position) {
    // The serial number: a 32-bit value whose bytes, most significant first,
    // stand at positions 15, 16, 13, 14.
    case 13: walk.accumulator = value * 256; break;
    case 14: walk.accumulator += value; break;
    case 15: walk.accumulator += qint64(value) * 16777216; break;
    case 16: info_.serialNumber = zeroPadded(walk.accumulator + qint64(value) * 65536, 10); break;
    case 17: info_.initialFirmwareVersion = nibbleText(value) + QLatin1Char('.'); break;
    case 18: info_.initialFirmwareVersion += bothNibbles(value); break;
    case 19: info_.clientCode = value; break;
    case 20: info_.modelCode = value; break;
    case 21: info_.featureFlags = value; break;
    case 23:
        info_.externalPowerVersion =
            QString::number(value >> 4) + QLatin1Char('.') + QString::number(value & 0x0f);
        break;
    case 24: info_.bootloaderVersion = nibbleText(value) + QLatin1Char('.'); break;
    case 25: info_.bootloaderVersion += nibbleText(value); break;
    case 26: info_.ioModuleFirmwareVersion = nibbleText(value) + QLatin1Char('.'); break;
    case 27: info_.ioModuleFirmwareVersion += nibbleText(value); break;
    case 28: info_.defaultModeVersion = firmwareVersionText(value); break;
    default: break;  // 22 is not used
    }
}

void Identification::supplyVoltage(int value)
{
    info_.supplyVoltageText = voltageText(value);
    if (flags_.tkvC3) {
        info_.presentVoltage = value;
        if (value <= 80)
            info_.supplyVoltageLamp = LampColour::Red;
        if (value > 80 && value * 10 < info_.nominalVoltage * 8)
            info_.supplyVoltageLamp = LampColour::Yellow;
        if (value * 10 >= info_.nominalVoltage * 8)  // 80 % of nominal or more; wins
            info_.supplyVoltageLamp = LampColour::Green;
        return;
    }
    // Exactly 50 and 105 keep the colour the lamp had.
    if (value < 50)
        info_.supplyVoltageLamp = LampColour::Neutral;
    else if (value > 50 && value < 105)
        info_.supplyVoltageLamp = LampColour::Red;
    else if (value > 105)
        info_.supplyVoltageLamp = LampColour::Green;
}

void Identification::secondVoltage(int value)
{
    if (flags_.tkvC3) {
        info_.nominalVoltage = value;
        info_.secondVoltageText = voltageText(value);
        info_.secondVoltageLamp = LampColour::Neutral;
        return;
    }
    if (value <= 90) {
        info_.secondVoltageText = voltageText(0);
        info_.secondVoltageLamp = LampColour::Neutral;
        return;
    }
    info_.secondVoltageText = voltageText(value);
    // Exactly 105 and 140 keep the colour the lamp had.
    if (value < 105 || value > 140)
        info_.secondVoltageLamp = LampColour::Red;
    else if (value > 105 && value < 140)
        info_.secondVoltageLamp = LampColour::Green;
}

void Identification::ioStates(quint8 value)
{
    const auto bit = [value](int index) { return ((value >> index) & 1) != 0; };
    if (flags_.tkvC3) {
        for (int i = 0; i < DeviceInfo::c3IoLampCount; ++i)
            info_.c3IoLamps[i] = activeColour(bit(i));
    }
    // ioLamps[i] shows bit 7 - i; "BLK", "BTN 2" and "BTN 1" (bits 4, 3, 2) are
    // active when their bit is clear.
    for (int i = 0; i < DeviceInfo::ioLampCount; ++i) {
        const int index = 7 - i;
        const bool activeLow = index >= 2 && index <= 4;
        info_.ioLamps[i] = activeColour(bit(index) != activeLow);
    }
}

void Identification::communicatorSeen(const char *connectedLine)
{
    if (info_.deviceType != QLatin1String("Alarm")) {
        logBlock(connectedLine);
        setMenuCaption(communicatorMenuKey);
    }
    info_.deviceType = QStringLiteral("Alarm");
    showModelSelector(true);
}

void Identification::logVersionOnce(const char *versionLine)
{
    if (!logOn() || !info_.logVersionOnce)
        return;
    logBlock(versionLine);
    info_.logVersionOnce = false;
}

// The model selector offers TKV-C (neither flag), TKV-C2 (new model) and TKV-C3
// (both); every change the parse makes goes through here.
void Identification::changeModel(CommunicatorModel model)
{
    if (flags_.model() == model)
        return;
    flags_.select(model);
    if (onModelChange)
        onModelChange(model);
}

void Identification::finishDevicePoll()
{
    if (!info_.identified)
        clearAfterSilentPoll();
    logConnectionSummary();
    info_.identified = false;
}

void Identification::clearAfterSilentPoll()
{
    info_.deviceType.clear();
    info_.version.clear();
    info_.serialNumber.clear();
    info_.resetCount.clear();
    info_.liftStartCounter.clear();
    info_.serviceInterval.clear();
    info_.supplyVoltageText.clear();
    info_.secondVoltageText.clear();
    info_.firmware38 = false;
    setMenuCaption(communicatorMenuKey);
}

void Identification::logConnectionSummary()
{
    const QString &type = info_.deviceType;
    if (type != lastSummarisedType_ && !type.isEmpty() && logOn()) {
        log_->writeLine(QStringLiteral("Connect to: ") + type);
        log_->writeLine(QStringLiteral("Serial number: ") + info_.serialNumber);
        log_->writeLine(QStringLiteral("Version: ") + info_.version);
        log_->writeLine(QStringLiteral("No. of resets: ") + info_.resetCount);
        log_->writeLine(QStringLiteral("Counter: ") + info_.liftStartCounter);
        log_->writeLine(QStringLiteral("Service interval: ") + info_.serviceInterval);
    }
    lastSummarisedType_ = type;
}

void Identification::setMenuCaption(int menuKey)
{
    menuKey_ = menuKey;
    if (view_)
        view_->setDeviceMenuCaption(texts_.text(QStringLiteral("Menu"), menuKey));
}

void Identification::showModelSelector(bool show)
{
    if (view_)
        view_->showModelSelector(show);
}

bool Identification::logOn() const
{
    return log_ && log_->isEnabled();
}

// A log line followed by an empty line, when the log is on.
void Identification::logBlock(const char *line)
{
    if (!logOn())
        return;
    log_->writeLine(QString::fromLatin1(line));
    log_->writeLine(QString());
}
