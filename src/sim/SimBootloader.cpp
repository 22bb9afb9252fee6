#include "sim/SimBootloader.h"
#include "sim/SimFault.h"

#include <utility>

namespace {

constexpr int headerSize = 10;


quint32 le(const QByteArray &bytes, int from, int count)
{
    quint32 value = 0;
    for (int i = count - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes[from + i]);
    return value;
}

void putGoto(QByteArray &memory, int at, quint32 target)
{
    // PIC18 GOTO: 0xEF + k<7:0>, then 0xF0 + k<19:8>, k the target's word address.
    const quint32 k = target / 2;
    memory[at] = char(k & 0xFF);
    memory[at + 1] = char(0xEF);
    memory[at + 2] = char((k >> 8) & 0xFF);
    memory[at + 3] = char(0xF0 | ((k >> 16) & 0x0F));
}

// Something that reads like a bootloader: a reset vector to its own code, the two
// interrupt vectors passed on to the application, some 3 KiB of code, then unused
// (erased) words up to the application's start.
QByteArray programMemoryWithBootloader(int size)
{
    QByteArray memory(size, char(0xFF));
    putGoto(memory, 0x0000, 0x0040);
    putGoto(memory, 0x0008, SimBootloader::bootloaderSize + 0x08);
    putGoto(memory, 0x0018, SimBootloader::bootloaderSize + 0x18);
    quint32 seed = 0x2545F491u;
    for (int at = 0x40; at < 0xC00; ++at) {
        seed = seed * 1664525u + 1013904223u;
        memory[at] = char(seed >> 24);
    }
    return memory;
}

}  // namespace

SimBootloader::SimBootloader(const SimBootloaderSettings &settings)
    : programMemory(programMemoryWithBootloader(programSizeFor(settings.deviceId))),
      userId(userIdSize, char(0xFF)), deviceInformation(deviceInformationSize, char(0xFF)),
      configuration(configurationSize, char(0xFF)), settings_(settings)
{
}

int SimBootloader::programSizeFor(quint16 deviceId)
{
    switch (deviceId & 0xFF) {
    case 0x20:
    case 0x40:
    case 0x60: return 0x10000;
    default: return 0x20000;
    }
}

void SimBootloader::start()
{
    frame_.clear();
    running_ = true;
}

quint16 SimBootloader::wordSum(const QByteArray &bytes)
{
    quint32 sum = 0;
    for (int i = 0; i < bytes.size(); ++i)
        sum += (i % 2 == 0) ? quint8(bytes[i]) : quint32(quint8(bytes[i])) << 8;
    return quint16(sum);
}

QByteArray *SimBootloader::areaOf(quint32 address, qint64 length, quint32 *offset)
{
    const struct {
        quint32 start;
        QByteArray *bytes;
    } areas[] = {{0, &programMemory},
                 {userIdStart, &userId},
                 {deviceInformationStart, &deviceInformation},
                 {configurationStart, &configuration}};
    for (const auto &area : areas) {
        if (address >= area.start && qint64(address - area.start) + length <= area.bytes->size()) {
            *offset = address - area.start;
            return area.bytes;
        }
    }
    return nullptr;
}

int SimBootloader::expectedFrameLength() const
{
    switch (quint8(frame_[1])) {
    case Write: return headerSize + int(le(frame_, 2, 2));
    case WriteConfiguration: return headerSize + quint8(frame_[2]);
    default: return headerSize;
    }
}

QByteArray SimBootloader::receive(quint8 byte)
{
    if (!running_ || (frame_.isEmpty() && byte != sync))
        return {};
    frame_.append(char(byte));
    if (frame_.size() < headerSize || frame_.size() < expectedFrameLength())
        return {};
    return execute(std::exchange(frame_, QByteArray()));
}

quint8 SimBootloader::erase(const QByteArray &frame)
{
    // Whole rows, beginning with the one that holds the address.
    const quint32 start = le(frame, 6, 4) / eraseSize() * eraseSize();
    const qint64 length = qint64(le(frame, 2, 2)) * eraseSize();
    if (start < bootloaderSize || start + length > quint32(programSize()))
        return WrongAddress;
    programMemory.replace(qsizetype(start), qsizetype(length), QByteArray(length, char(0xFF)));
    ++erases;
    return Done;
}

quint8 SimBootloader::write(const QByteArray &frame, bool configurationArea)
{
    if (takeFault(faults.refusedWrites))
        return faults.refusedWriteStatus;
    const quint32 address = le(frame, 6, 4);
    const QByteArray data = frame.mid(headerSize);
    quint32 offset = 0;
    QByteArray *area = areaOf(address, data.size(), &offset);
    const bool allowed = configurationArea ? area == &configuration
                                           : area && area != &configuration
                                                 && (area != &programMemory || address >= bootloaderSize);
    if (!allowed)
        return WrongAddress;
    // Program flash takes whole, aligned latches, and only where it was erased.
    if (area == &programMemory
        && (data.size() != writeSize() || address % quint32(writeSize()) != 0
            || area->mid(qsizetype(offset), data.size()) != QByteArray(data.size(), char(0xFF))))
        return WrongAddress;
    area->replace(qsizetype(offset), data.size(), data);
    ++(configurationArea ? configurationWrites : writes);
    return Done;
}

QByteArray SimBootloader::execute(const QByteArray &frame)
{
    frames.append(frame);
    const quint8 command = quint8(frame[1]);
    const bool unlocked = quint8(frame[4]) == 0x55 && quint8(frame[5]) == 0xAA;
    QByteArray reply = frame.left(headerSize);
    switch (command) {
    case Version: {
        const quint16 id = settings_.deviceId;
        const quint8 record[16] = {settings_.versionMinor, settings_.versionMajor,
                                   quint8(maxPacketSize() & 0xFF), quint8(maxPacketSize() >> 8),
                                   0, 0, quint8(id & 0xFF), quint8(id >> 8), 0, 0,
                                   settings_.eraseRowWords, settings_.writeLatchWords, 0, 0, 0, 0};
        reply.append(reinterpret_cast<const char *>(record), sizeof record);
        ++versionRequests;
        break;
    }
    // Without the unlock pair the flash is not touched.
    case Write: reply.append(char(unlocked ? write(frame, false) : quint8(Unsupported))); break;
    case WriteConfiguration: reply.append(char(unlocked ? write(frame, true) : quint8(Unsupported))); break;
    case Erase: reply.append(char(unlocked ? erase(frame) : quint8(Unsupported))); break;
    case Checksum: {
        quint32 offset = 0;
        const qint64 length = le(frame, 2, 3);
        const QByteArray *area = areaOf(le(frame, 6, 4), length, &offset);
        if (!area) {
            // A range outside memory gets a status byte, not a sum.
            reply.append(char(WrongAddress));
            break;
        }
        quint16 sum = wordSum(area->mid(qsizetype(offset), qsizetype(length)));
        if (takeFault(faults.wrongChecksums))
            ++sum;
        reply.append(char(sum & 0xFF));
        reply.append(char(sum >> 8));
        ++checksumRequests;
        break;
    }
    case Reset:
        reply.append(char(Done));
        ++resets;
        running_ = false;
        break;
    default: reply.append(char(Unsupported)); break;
    }
    if (takeFault(faults.silentFrames))
        return {};
    if (takeFault(faults.wrongHeaders))
        reply[1] = char(command + 1);
    if (takeFault(faults.otherUnlockEchoes)) {
        reply[4] = char(0x12);
        reply[5] = char(0x34);
    }
    return reply;
}
