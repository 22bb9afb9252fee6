#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <vector>

// The areas of the TKV-C3's program memory map the bootloader writes.
namespace MemoryArea {
constexpr quint32 startPage = 0x1000;  // the application's first block; below it the bootloader
constexpr quint32 userIdStart = 0x200000;
constexpr int userIdLength = 64;
constexpr quint32 deviceInfoStart = 0x2C0000;
constexpr int deviceInfoLength = 256;
constexpr quint32 configurationStart = 0x300000;
constexpr int configurationLength = 10;
constexpr quint32 size64KB = 0x10000;
constexpr quint32 size128KB = 0x20000;
}  // namespace MemoryArea

// One 256-byte block of a firmware image; bytes the HEX file does not mention are 0xFF.
struct ImageBlock {
    static constexpr int length = 256;

    quint32 address = 0;  // a multiple of 256 below 0x1000000
    QByteArray data = QByteArray(length, char(0xFF));
};

// The blocks of a HEX file, in the order the file first visits them. A block the
// file visits again is the same block: the later byte wins.
class FirmwareImage {
public:
    const std::vector<ImageBlock> &blocks() const { return blocks_; }
    // The block at the address, made (all 0xFF, at the end) when there is none.
    ImageBlock &blockAt(quint32 address);
    const ImageBlock *find(quint32 address) const;
    bool isEmpty() const { return blocks_.empty(); }

private:
    std::vector<ImageBlock> blocks_;
};

// The sum the bootloader's checksum command returns: the bytes as little-endian
// 16-bit words, modulo 65536.
quint16 wordSum(const QByteArray &bytes);
