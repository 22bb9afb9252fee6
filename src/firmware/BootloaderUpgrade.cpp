#include "firmware/BootloaderUpgrade.h"

#include "app/CommLog.h"
#include "app/LanguageTable.h"
#include "app/MessagePresenter.h"
#include "firmware/HexLoader.h"
#include "firmware/UpgradeResult.h"
#include "firmware/UpgradeView.h"
#include "link/LinkPort.h"

#include <array>

namespace {

constexpr quint8 Sync = 0x55;
constexpr int HeaderLength = 10;
constexpr int Attempts = 3;
// The phase bar turns from green towards yellow with each attempt.
constexpr std::array<QRgb, Attempts> attemptColours = {qRgb(0, 255, 0), qRgb(176, 255, 0), qRgb(208, 255, 0)};

enum Command : quint8 {
    VersionRequest = 0x00,
    Write = 0x02,
    Erase = 0x03,
    WriteConfiguration = 0x07,
    Checksum = 0x08,
    Reset = 0x09,
};

constexpr int StatusReplyLength = 11;
constexpr int ChecksumReplyLength = 12;
constexpr int VersionReplyLength = 26;

constexpr Millis settlePause{1000};

QString hex(quint32 value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

void putLittleEndian(QByteArray &bytes, int at, quint32 value, int length)
{
    for (int i = 0; i < length; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

}  // namespace

BootloaderUpgrade::BootloaderUpgrade(LinkPort &link, Clock &clock, MessagePresenter &messages,
                                     const LanguageTable &texts, UpgradeView &view, bool expertView)
    : link_(link), clock_(clock), messages_(messages), texts_(texts), view_(view), expertView_(expertView)
{
}

QString BootloaderUpgrade::message(int key) const
{
    return texts_.text(QStringLiteral("Message"), key);
}

void BootloaderUpgrade::setStatus(const QString &text)
{
    view_.setStatus(text);
}

void BootloaderUpgrade::log(const QString &line)
{
    view_.logLine(line);
}

int BootloaderUpgrade::runBootloaderUpgrade(const QByteArray &hexText)
{
    clock_.wait(restartWait);
    const int result = upgrade(hexText);
    present(result);
    return result;
}

// --- Frames ---

void BootloaderUpgrade::header(quint8 command, quint32 address, bool unlock)
{
    frame_.fill(0, HeaderLength);
    frame_[0] = char(Sync);
    frame_[1] = char(command);
    if (unlock) {
        frame_[4] = char(0x55);
        frame_[5] = char(0xAA);
    }
    putLittleEndian(frame_, 6, address, 4);
}

void BootloaderUpgrade::buildVersionRequest()
{
    header(VersionRequest, 0, false);
    replyLength_ = VersionReplyLength;
}

void BootloaderUpgrade::buildWrite(quint32 address, const QByteArray &data)
{
    header(Write, address, true);
    putLittleEndian(frame_, 2, quint32(data.size()), 2);
    frame_ += data;
    replyLength_ = StatusReplyLength;
}

void BootloaderUpgrade::buildErase(int rows)
{
    header(Erase, MemoryArea::startPage, true);
    putLittleEndian(frame_, 2, quint32(rows), 2);
    replyLength_ = StatusReplyLength;
}

void BootloaderUpgrade::buildWriteConfiguration(quint32 address, const QByteArray &data)
{
    header(WriteConfiguration, address, true);
    frame_[2] = char(data.size());
    frame_ += data;
    replyLength_ = StatusReplyLength;
}

void BootloaderUpgrade::buildChecksum(quint32 address, int length)
{
    header(Checksum, address, false);
    putLittleEndian(frame_, 2, quint32(length), 3);
    replyLength_ = ChecksumReplyLength;
}

void BootloaderUpgrade::buildReset()
{
    header(Reset, 0, false);
    replyLength_ = StatusReplyLength;
}

// --- Exchange ---

int BootloaderUpgrade::exchangeFrame(Check check, quint16 expectedChecksum)
{
    int result = UpgradeResult::Ok;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        view_.setPhaseColour(attemptColours[size_t(attempt)]);
        (void)link_.readAll();
        for (const char byte : std::as_const(frame_))
            if (!link_.writeByte(quint8(byte)) && link_.kind() == LinkKind::UsbCable)
                break;
        view_.setPhaseColour(attemptColours[size_t(attempt)]);
        result = drain();
        if (attempt == 0)
            view_.stepPhase();
        if (result == UpgradeResult::Ok)
            result = readReply();
        if (result == UpgradeResult::Ok)
            result = checkReply(check, expectedChecksum);
        if (result == UpgradeResult::Ok)
            return result;
    }
    return result + UpgradeResult::Repeated;
}

// Waits until the frame has left the cable; a cable that keeps it longer than a
// reply byte may take fails the attempt like a reply that does not come.
int BootloaderUpgrade::drain()
{
    const Nanos start = clock_.now();
    while (link_.bytesPending() > 0) {
        if (clock_.now() - start >= byteTimeout)
            return UpgradeResult::Timeout;
        clock_.wait(Millis(1));
    }
    return UpgradeResult::Ok;
}

// The reply, byte by byte, each within the byte time-out.
int BootloaderUpgrade::readReply()
{
    reply_.fill(0, replyLength_);
    for (int i = 0; i < replyLength_; ++i) {
        const Nanos start = clock_.now();
        while (link_.bytesWaiting() <= 0) {
            if (clock_.now() - start >= byteTimeout)
                return UpgradeResult::Timeout;
            clock_.wait(Millis(1));
        }
        const std::optional<quint8> byte = link_.readByte();
        if (byte)
            reply_[i] = char(*byte);
        else if (!link_.isOpen())
            return UpgradeResult::ReadFailed;
    }
    return UpgradeResult::Ok;
}

int BootloaderUpgrade::checkReply(Check check, quint16 expectedChecksum) const
{
    // The unlock pair is not echoed faithfully by every bootloader.
    for (int i = 0; i < HeaderLength; ++i)
        if (i != 4 && i != 5 && reply_[i] != frame_[i])
            return UpgradeResult::NotConfirmed;
    switch (check) {
    case Check::Header: return UpgradeResult::Ok;
    case Check::Status:
        switch (quint8(reply_[10])) {
        case 0x01: return UpgradeResult::Ok;
        case 0xFF: return UpgradeResult::UnsupportedCommand;
        case 0xFE: return UpgradeResult::WrongAddress;
        default: return UpgradeResult::UnknownAnswer;
        }
    case Check::Checksum: {
        const quint16 sum = quint16(quint8(reply_[10]) | quint8(reply_[11]) << 8);
        return sum == expectedChecksum ? UpgradeResult::Ok : UpgradeResult::DeviceChecksum;
    }
    }
    return UpgradeResult::UnknownError;
}

int BootloaderUpgrade::parseVersionReply()
{
    const auto byte = [this](int i) { return quint8(reply_[i]); };
    info_.version = QStringLiteral("%1.%2").arg(byte(11)).arg(byte(10));
    if (byte(17) != 0x74)
        return UpgradeResult::WrongCpu;
    switch (byte(16)) {
    case 0x20: case 0x40: case 0x60:
        info_.programSize = MemoryArea::size64KB;
        info_.programSizeName = QStringLiteral("64KB");
        break;
    case 0x80: case 0xA0: case 0xC0:
        info_.programSize = MemoryArea::size128KB;
        info_.programSizeName = QStringLiteral("128KB");
        break;
    default:
        return UpgradeResult::WrongCpu;
    }
    info_.eraseSize = 2 * byte(20);
    info_.writeSize = 2 * byte(21);
    info_.cpuId = quint16(byte(17) << 8 | byte(16));
    info_.eraseCount = info_.eraseSize > 0 ? int((info_.programSize - MemoryArea::startPage) / info_.eraseSize) : 0;
    return UpgradeResult::Ok;
}

int BootloaderUpgrade::sendBlock(const ImageBlock &block, int length, quint16 &checksum)
{
    const QByteArray data = block.data.left(length);
    buildWrite(block.address, data);
    checksum = wordSum(data);
    if (const int result = exchangeFrame(Check::Status))
        return result;
    log(QStringLiteral("Written 0x%1 bytes of code beginning at 0x%2").arg(hex(length, 4), hex(block.address, 4)));
    return UpgradeResult::Ok;
}

int BootloaderUpgrade::checkArea(quint32 start, int length, quint16 expected, const char *logLine)
{
    buildChecksum(start, length);
    if (const int result = exchangeFrame(Check::Checksum, expected))
        return result;
    log(QString::fromLatin1(logLine));
    view_.stepPhase();
    return UpgradeResult::Ok;
}

// --- The upgrade ---

int BootloaderUpgrade::upgrade(const QByteArray &hexText)
{
    using namespace MemoryArea;
    view_.setOverallMaximum(5);
    view_.setOverallPosition(0);
    view_.setPhaseMaximum(3);
    view_.setPhasePosition(0);
    setStatus(message(90));
    clock_.wait(settlePause);

    buildVersionRequest();
    if (const int result = exchangeFrame(Check::Header))
        return result;
    log(QStringLiteral("Version request sent."));
    view_.stepPhase();
    if (const int result = parseVersionReply())
        return result;
    log(QStringLiteral("Detected version %1 on CPU ID %2 with %3")
            .arg(info_.version, hex(info_.cpuId, 4), info_.programSizeName));
    view_.stepPhase();
    view_.setPhaseMaximum(2);
    view_.setPhasePosition(0);
    const QString detected = message(81) + u' ' + info_.version + u' ' + message(82) + u' ' + info_.programSizeName;
    setStatus(detected);
    statusPrefix_ = detected + QStringLiteral("\r\n");
    clock_.wait(settlePause);

    // Everything that can refuse the file is checked before the erase.
    setStatus(statusPrefix_ + message(83));
    const HexLoad load = loadHexImage(hexText, info_.programSize);
    view_.setPhaseMaximum(int(hexText.count('\n')) + 1);
    view_.setPhasePosition(load.records);
    if (load.result != UpgradeResult::Ok)
        return load.result;
    if (const int result = checkImageForUpgrade(load.image))
        return result;
    // The image is made of 256-byte blocks, and the erase must cover the application
    // area exactly.
    if (info_.writeSize != ImageBlock::length || info_.eraseSize <= 0
        || (info_.programSize - startPage) % quint32(info_.eraseSize) != 0)
        return UpgradeResult::UnsupportedWriteSize;
    const FirmwareImage &image = load.image;

    buildErase(info_.eraseCount);
    if (const int result = exchangeFrame(Check::Status))
        return result;
    log(QStringLiteral("Erased 0x%1 bytes starting from: 0x%2")
            .arg(hex(quint32(info_.eraseCount * info_.eraseSize), 4), hex(startPage, 4)));
    view_.stepPhase();
    view_.stepOverall();

    view_.setPhaseMaximum(2 * int(image.blocks().size()));
    view_.setPhasePosition(0);
    setStatus(statusPrefix_ + message(84));
    quint16 programSum = 0;
    quint16 userIdSum = 0;
    quint16 deviceInfoSum = 0;
    int programBlocks = 0;
    bool userIdWritten = false;
    bool deviceInfoWritten = false;
    // The file was refused before anything was sent when it had none; the check here
    // keeps a missing one from ever being read.
    const ImageBlock *configuration = image.find(configurationStart);
    if (!configuration)
        return UpgradeResult::NoConfiguration;
    // The start page goes last, after every other block, and the configuration after
    // it; the bootloader's own area is never written.
    for (const ImageBlock &block : image.blocks()) {
        if (block.address == startPage || block.address == configurationStart)
            continue;
        quint16 sum = 0;
        int result = UpgradeResult::Ok;
        if (block.address < startPage) {
            // not sent
        } else if (block.address < info_.programSize) {
            result = sendBlock(block, info_.writeSize, sum);
            programSum = quint16(programSum + sum);
            ++programBlocks;
        } else if (block.address == userIdStart) {
            if (expertView_) {
                result = sendBlock(block, userIdLength, userIdSum);
                userIdWritten = true;
            }
        } else if (block.address == deviceInfoStart) {
            result = sendBlock(block, info_.writeSize, deviceInfoSum);
            deviceInfoWritten = true;
        }
        if (result != UpgradeResult::Ok)
            return result;
        view_.stepPhase();
    }

    const ImageBlock &start = *image.find(startPage);
    buildWrite(startPage, start.data.left(info_.writeSize));
    // Each block never written reads back as 128 erased words of 0xFFFF.
    const quint32 unwritten = (info_.programSize - startPage) / quint32(info_.writeSize) - programBlocks - 1;
    programSum = quint16(programSum + wordSum(start.data.left(info_.writeSize)) + unwritten * 0xFF80);
    if (const int result = exchangeFrame(Check::Status))
        return result;
    log(QStringLiteral("Written 0x%1 bytes of start page code beginning at 0x%2")
            .arg(hex(info_.writeSize, 2), hex(startPage, 4)));
    view_.stepPhase();

    setStatus(statusPrefix_ + message(85));
    const QByteArray configurationBytes = configuration->data.left(configurationLength);
    buildWriteConfiguration(configuration->address, configurationBytes);
    if (const int result = exchangeFrame(Check::Status))
        return result;
    log(QStringLiteral("Written 0x%1 bytes of configuration beginning at 0x%2")
            .arg(hex(configurationLength, 2), hex(configuration->address, 4)));
    view_.stepPhase();
    view_.stepOverall();

    view_.setPhaseMaximum(4 + (userIdWritten ? 2 : 0) + (deviceInfoWritten ? 2 : 0));
    view_.setPhasePosition(0);
    setStatus(statusPrefix_ + message(86));
    if (userIdWritten)
        if (const int result = checkArea(userIdStart, userIdLength, userIdSum, "UserID Checksum succesfully checked"))
            return result;
    if (deviceInfoWritten)
        if (const int result = checkArea(deviceInfoStart, deviceInfoLength, deviceInfoSum,
                                         "Device Info Checksum succesfully checked"))
            return result;
    if (const int result = checkArea(startPage, int(info_.programSize - startPage), programSum,
                                     "Program memory Checksum succesfully checked"))
        return result;
    if (const int result = checkArea(configurationStart, configurationLength, wordSum(configurationBytes),
                                     "Config Area Checksum succesfully checked"))
        return result;
    view_.stepOverall();

    view_.setPhaseMaximum(2);
    view_.setPhasePosition(0);
    buildReset();
    if (const int result = exchangeFrame(Check::Status))
        return result;
    setStatus(statusPrefix_ + message(87));
    log(QStringLiteral("Device reboot requested"));
    view_.stepPhase();
    view_.stepOverall();
    return UpgradeResult::Ok;
}

void BootloaderUpgrade::present(int result)
{
    const QString rule = QStringLiteral("========================");
    if (result != UpgradeResult::Ok) {
        setStatus(message(result > UpgradeResult::Repeated ? 66 : 65) + QStringLiteral("\r\n")
                  + UpgradeResult::text(result, texts_));
        messages_.showMessage(message(38) + QStringLiteral("\r\n") + message(39));
        log(rule);
        log(CommLog::dateTimeText());
        view_.upgradeEnded(false);
        return;
    }
    messages_.showMessage(message(28) + QStringLiteral("\r\n") + message(88));
    log(rule);
    log(QStringLiteral("Firmware update succesfully finished."));
    log(CommLog::dateTimeText());
    view_.upgradeEnded(true);
}
