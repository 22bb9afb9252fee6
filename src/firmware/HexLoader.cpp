#include "firmware/HexLoader.h"
#include "firmware/HexDigit.h"

#include "firmware/UpgradeResult.h"

#include <optional>

namespace {


bool inArea(quint32 address, quint32 start, int length)
{
    return address >= start && address < start + quint32(length);
}

bool inSomeArea(quint32 address, quint32 programSize)
{
    using namespace MemoryArea;
    return address < programSize || inArea(address, userIdStart, userIdLength)
           || inArea(address, deviceInfoStart, deviceInfoLength)
           || inArea(address, configurationStart, configurationLength);
}

// Reads the record after the ":" at colon; a failure is the load's result.
class RecordReader {
public:
    RecordReader(const QByteArray &text, qsizetype colon) : text_(text), start_(colon + 1) {}

    // The byte whose two digits begin at this offset after the ":".
    std::optional<int> byteAt(qsizetype offset)
    {
        const qsizetype at = start_ + offset;
        if (at + 1 >= text_.size()) {
            failure_ = UpgradeResult::HexEnd;
            return std::nullopt;
        }
        const int high = hexDigit(text_[at]);
        const int low = hexDigit(text_[at + 1]);
        if (high < 0 || low < 0) {
            failure_ = UpgradeResult::HexChecksum;
            return std::nullopt;
        }
        return high * 16 + low;
    }
    int failure() const { return failure_; }

private:
    const QByteArray &text_;
    qsizetype start_;
    int failure_ = 0;
};

}  // namespace

HexLoad loadHexImage(const QByteArray &text, quint32 programSize)
{
    HexLoad load;
    bool segmentMode = false;
    quint32 segmentBase = 0;
    quint32 linearBase = 0;
    qsizetype position = 0;
    ImageBlock *block = nullptr;  // the block the last byte went to
    const auto fail = [&load](int result) {
        load.result = result;
        load.image = {};
        return load;
    };
    for (;;) {
        const qsizetype colon = text.indexOf(':', position);
        if (colon < 0)
            return fail(UpgradeResult::HexEnd);
        ++load.records;
        position = colon + 1;
        RecordReader record(text, colon);
        const auto count = record.byteAt(0);
        const auto addressHigh = record.byteAt(2);
        const auto addressLow = record.byteAt(4);
        const auto type = record.byteAt(6);
        if (!count || !addressHigh || !addressLow || !type)
            return fail(record.failure());
        if (*type != 0 && *type != 1 && *type != 2 && *type != 4)
            continue;  // record types the upgrade does not use
        const auto checksum = record.byteAt(8 + 2 * *count);
        if (!checksum)
            return fail(record.failure());
        int sum = *count + *addressHigh + *addressLow + *type + *checksum;
        const quint32 recordAddress = quint32(*addressHigh) << 8 | quint32(*addressLow);
        quint32 address = segmentMode ? segmentBase + recordAddress : (linearBase & 0xFF0000) | recordAddress;
        std::optional<int> value;
        if (*type == 2 || *type == 4) {
            const auto high = record.byteAt(8);
            const auto low = record.byteAt(10);
            if (!high || !low)
                return fail(record.failure());
            sum += *high + *low;
            value = *high << 8 | *low;
        }
        for (int i = 0; i < *count && *type == 0; ++i, ++address) {
            const auto byte = record.byteAt(8 + 2 * i);
            if (!byte)
                return fail(record.failure());
            sum += *byte;
            if (!inSomeArea(address, programSize))
                return fail(UpgradeResult::HexAddress);
            const quint32 blockAddress = address & 0xFFFF00;
            if (!block || block->address != blockAddress)
                block = &load.image.blockAt(blockAddress);
            block->data[address & 0xFF] = char(*byte);
        }
        if (sum % 256 != 0)
            return fail(UpgradeResult::HexChecksum);
        if (*type == 1)
            return load;
        if (*type == 2) {
            segmentMode = true;
            segmentBase = quint32(*value) * 16;
        } else if (*type == 4) {
            linearBase = quint32(*value) * 65536;
            segmentMode = false;
        }
    }
}

int checkImageForUpgrade(const FirmwareImage &image)
{
    if (!image.find(MemoryArea::startPage))
        return UpgradeResult::MissingStartPage;
    if (!image.find(MemoryArea::configurationStart))
        return UpgradeResult::NoConfiguration;
    return UpgradeResult::Ok;
}
