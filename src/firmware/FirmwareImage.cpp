#include "firmware/FirmwareImage.h"

#include <algorithm>

ImageBlock &FirmwareImage::blockAt(quint32 address)
{
    const auto found = std::find_if(blocks_.begin(), blocks_.end(),
                                    [address](const ImageBlock &block) { return block.address == address; });
    if (found != blocks_.end())
        return *found;
    blocks_.push_back({address});
    return blocks_.back();
}

const ImageBlock *FirmwareImage::find(quint32 address) const
{
    const auto found = std::find_if(blocks_.begin(), blocks_.end(),
                                    [address](const ImageBlock &block) { return block.address == address; });
    return found != blocks_.end() ? &*found : nullptr;
}

quint16 wordSum(const QByteArray &bytes)
{
    quint32 sum = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        sum += (i % 2 == 0) ? quint8(bytes[i]) : quint32(quint8(bytes[i])) << 8;
    return quint16(sum);
}
