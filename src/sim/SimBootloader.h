#pragma once

#include <QByteArray>
#include <QByteArrayList>

// What the bootloader reports about itself and its processor.
struct SimBootloaderSettings {
    quint8 versionMajor = 1;
    quint8 versionMinor = 5;
    // High byte 0x74; low byte 0x20, 0x40 or 0x60: 64 KiB of program memory,
    // anything else 128 KiB.
    quint16 deviceId = 0x7480;
    quint8 eraseRowWords = 32;     // 64 bytes per erase row
    quint8 writeLatchWords = 128;  // 256 bytes per write latch
};

// Misbehaviour on demand. Counts apply to the next frames of their kind; -1 means
// every one from now on. A frame hit by a fault is still carried out unless said
// otherwise: only its answer suffers.
struct SimBootloaderFaults {
    int silentFrames = 0;    // frames not answered at all
    int wrongHeaders = 0;    // replies whose command byte (byte 1) is not the frame's
    int refusedWrites = 0;   // writes (0x02, 0x07) not carried out, answered refusedWriteStatus
    quint8 refusedWriteStatus = 0xFE;
    int wrongChecksums = 0;  // checksum replies one more than the memory's sum
    int otherUnlockEchoes = 0;  // replies whose bytes 4 and 5 are not the frame's
};

// The resident bootloader of a TKV-C3's PIC18: frames of a 10-byte header (sync
// 0x55, command, length, unlock pair or more length, 32-bit address, all
// little-endian) and, for the writes, their data. Every reply starts with the
// frame's header as received, then a status byte, a 16-bit checksum or the
// 16-byte version record. Bytes outside a frame that are not a sync byte are
// ignored. It keeps the processor's memory areas, which the tests inspect after
// an upgrade; its own first 4 KiB of program memory it never overwrites. Program
// memory is written a whole write latch at a time, at a latch boundary, and only
// where it was erased (0xFE otherwise).
class SimBootloader {
public:
    enum Command : quint8 {
        Version = 0x00,
        Write = 0x02,
        Erase = 0x03,
        WriteConfiguration = 0x07,
        Checksum = 0x08,
        Reset = 0x09,
    };
    enum Status : quint8 { Done = 0x01, WrongAddress = 0xFE, Unsupported = 0xFF };

    static constexpr quint8 sync = 0x55;
    static constexpr quint32 bootloaderSize = 0x1000;
    static constexpr quint32 userIdStart = 0x200000;
    static constexpr int userIdSize = 64;
    static constexpr quint32 deviceInformationStart = 0x2C0000;
    static constexpr int deviceInformationSize = 256;
    static constexpr quint32 configurationStart = 0x300000;
    static constexpr int configurationSize = 10;

    explicit SimBootloader(const SimBootloaderSettings &settings = {});

    // Program memory size for a device ID: 0x10000 or 0x20000 bytes.
    static int programSizeFor(quint16 deviceId);

    // Takes one byte from the PC and returns what the bootloader sends back.
    QByteArray receive(quint8 byte);

    // Running from construction or start() until a reset frame has been answered.
    bool isRunning() const { return running_; }
    // Entered again: a frame begun before is forgotten; memory and counts stay.
    void start();

    const SimBootloaderSettings &settings() const { return settings_; }
    int programSize() const { return int(programMemory.size()); }
    int eraseSize() const { return 2 * settings_.eraseRowWords; }
    int writeSize() const { return 2 * settings_.writeLatchWords; }
    // The largest frame it takes: the header and one write latch.
    quint16 maxPacketSize() const { return quint16(10 + writeSize()); }

    // Little-endian 16-bit words summed modulo 65536, as the checksum command does.
    static quint16 wordSum(const QByteArray &bytes);

    // The processor's memory. Program memory holds the bootloader in its first
    // 4 KiB and 0xFF elsewhere until something is written.
    QByteArray programMemory;
    QByteArray userId;
    QByteArray deviceInformation;
    QByteArray configuration;

    SimBootloaderFaults faults;
    // What was done: frames carried out with status 0x01, by kind.
    int versionRequests = 0;
    int erases = 0;
    int writes = 0;  // program memory, user ID and device information
    int configurationWrites = 0;
    int checksumRequests = 0;
    int resets = 0;
    QByteArrayList frames;  // every complete frame taken, header and data

private:
    // The memory area holding [address, address + length), or null.
    QByteArray *areaOf(quint32 address, qint64 length, quint32 *offset);
    int expectedFrameLength() const;
    QByteArray execute(const QByteArray &frame);
    quint8 write(const QByteArray &frame, bool configurationArea);
    quint8 erase(const QByteArray &frame);

    SimBootloaderSettings settings_;
    QByteArray frame_;
    bool running_ = true;
};
