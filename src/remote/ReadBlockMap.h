#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

// The remote read's three choices and the blocks each reads, in reading order.
// A block is 16 image bytes; bank 1 holds image bytes 1..128, bank 2 129..256.
struct ReadBlock {
    int bank = 1;   // 1 or 2
    int block = 0;  // 0..7 within the bank

    // The 0-based offset of the block's first byte in the 256-byte image.
    int imageOffset() const { return (bank - 1) * 128 + block * 16; }
    // "ATDE8*" + bank + block + CR LF.
    QByteArray request() const;
    bool operator==(const ReadBlock &) const = default;
};

constexpr int readBlockLength = 16;

// Phase 1: basic parameters, 2: emergency numbers, 3: other numbers.
enum class ReadPhase { None = 0, Basic = 1, Emergency = 2, Other = 3 };

const std::vector<ReadBlock> &phaseBlocks(ReadPhase phase);

struct ReadChoices {
    bool basic = true;
    bool emergency = true;
    bool other = true;

    bool any() const { return basic || emergency || other; }
    bool includes(ReadPhase phase) const;
    // The first ticked phase, and the one after the given phase (None when none is left).
    ReadPhase first() const;
    ReadPhase after(ReadPhase phase) const;
    // 1 + 12 for each of the first two choices + 8 for the third: two steps a block.
    int progressMaximum() const;
};

// The 4-bit code of DTMF receivers: "D" 0, "1".."9" 1..9, "0" 10, "*" 11, "#" 12,
// "A".."C" 13..15; any other character 0 (nibbleOf) or none (hexDigitOf, empty).
int nibbleOf(char dtmf);
QString hexDigitOf(char dtmf);

// Decodes up to 32 DTMF digits into the 16 bytes of a block, high nibble first; a
// missing digit counts as 0.
QByteArray decodeBlockDigits(const QByteArray &digits);
// The block's checksum as the communicator sends it: the byte sum modulo 256 as two
// upper-case hexadecimal digits.
QString blockChecksum(const QByteArray &bytes);
