#include "sim/SimVoice.h"

#include <algorithm>

namespace {

// A fault set to strike at this byte: used up when it does.
bool strikes(int &afterBytes, int position)
{
    if (afterBytes == 0 || afterBytes != position)
        return false;
    afterBytes = 0;
    return true;
}

// Bytes still to come in the block that holds byte `position` (1-based).
int restOfBlock(int position, int blockSize)
{
    return (blockSize - position % blockSize) % blockSize;
}

} // namespace

void SimC3Voice::start()
{
    phase_ = Phase::Number;
    firstRequestDue_ = false;
}

QByteArray SimC3Voice::takeFirstRequest()
{
    if (!firstRequestDue_)
        return {};
    firstRequestDue_ = false;
    return "O";
}

QByteArray SimC3Voice::dropBlock(const char *answer)
{
    // The block was sent in one go; its rest must not be taken as requests.
    dropUntil_ = std::min(taken_ + restOfBlock(taken_, blockSize), count_);
    phase_ = taken_ < dropUntil_ ? Phase::Dropping : Phase::Idle;
    return answer;
}

QByteArray SimC3Voice::receive(quint8 byte)
{
    firstRequestDue_ = false;
    switch (phase_) {
    case Phase::Idle:
        return {};
    case Phase::Number:
        number_ = byte;
        phase_ = Phase::CountLow;
        return {};
    case Phase::CountLow:
        count_ = byte;
        phase_ = Phase::CountHigh;
        return {};
    case Phase::CountHigh:
        count_ |= byte << 8;
        if (number_ >= messageCount || count_ == 0 || count_ >= capacity) {
            phase_ = Phase::Idle;
            return "E";
        }
        messages[size_t(number_)].clear();
        taken_ = 0;
        firstRequestDue_ = true;
        phase_ = Phase::Samples;
        return "A";
    case Phase::Samples:
        messages[size_t(number_)].append(char(byte));
        ++taken_;
        if (strikes(faults.errorAfterSamples, taken_))
            return dropBlock("E");
        if (strikes(faults.silentAfterSamples, taken_))
            return dropBlock("");
        if (taken_ == count_) {
            phase_ = Phase::Idle;
            return "K";
        }
        return taken_ % blockSize == 0 ? "O" : "";
    case Phase::Dropping:
        if (++taken_ >= dropUntil_)
            phase_ = Phase::Idle;
        return {};
    }
    return {};
}

void SimTalkerVoice::start()
{
    phase_ = Phase::Slot;
    firstRequestDue_ = false;
}

QByteArray SimTalkerVoice::takeFirstRequest()
{
    if (!firstRequestDue_)
        return {};
    firstRequestDue_ = false;
    return "O";
}

QByteArray SimTalkerVoice::receive(quint8 byte)
{
    // Whatever arrives first, the program did not wait for the request.
    firstRequestDue_ = false;
    switch (phase_) {
    case Phase::Idle:
        return {};
    case Phase::Slot:
        if (byte < '1' || byte > '8') {
            phase_ = Phase::Idle;
            return {};
        }
        slot_ = char(byte);
        messages[slot_].clear();
        block_.clear();
        taken_ = 0;
        firstRequestDue_ = true;
        phase_ = Phase::Blocks;
        return "A";
    case Phase::Blocks:
        block_.append(char(byte));
        ++taken_;
        if (strikes(faults.silentAfterBytes, taken_)) {
            phase_ = block_.size() < blockSize ? Phase::Dropping : Phase::Idle;
            return {};
        }
        if (block_.size() < blockSize)
            return {};
        if (block_ == QByteArray(blockSize, char(0xFF)))
            phase_ = Phase::Idle;
        else
            messages[slot_].append(block_);
        block_.clear();
        return "O";
    case Phase::Dropping:
        block_.append(char(byte));
        if (block_.size() >= blockSize)
            phase_ = Phase::Idle;
        return {};
    }
    return {};
}

void SimOldTalkerVoice::start()
{
    phase_ = Phase::Area;
}

QByteArray SimOldTalkerVoice::receive(quint8 byte)
{
    switch (phase_) {
    case Phase::Idle:
        return {};
    case Phase::Area:
        if (!areaBlocks.contains(char(byte))) {
            phase_ = Phase::Idle;
            return {};
        }
        area_ = char(byte);
        messages[area_].clear();
        taken_ = 0;
        phase_ = Phase::Blocks;
        return "A";
    case Phase::Blocks: {
        messages[area_].append(char(byte));
        ++taken_;
        if (strikes(faults.silentAfterBytes, taken_)) {
            phase_ = restOfBlock(taken_, blockSize) > 0 ? Phase::Dropping : Phase::Idle;
            return {};
        }
        if (taken_ % blockSize != 0)
            return {};
        if (taken_ / blockSize >= areaBlocks.value(area_)) {
            phase_ = Phase::Idle;
            return "K";
        }
        return "O";
    }
    case Phase::Dropping:
        if (restOfBlock(++taken_, blockSize) == 0)
            phase_ = Phase::Idle;
        return {};
    }
    return {};
}
