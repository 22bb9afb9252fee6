#include "link/FT232.h"

#include "app/Clock.h"

#include <algorithm>
#include <array>

namespace {

constexpr Millis CloseSettle{10};
constexpr int LineBaudRate = 9600;

// Room for all the driver can hold at once (libftdi's read chunk), so that one fetch
// takes everything that has arrived.
constexpr int FetchSize = 4096;

}  // namespace

FT232::FT232(FtdiApi &api, Clock &clock, const QString &serialNumber)
    : api_(api), clock_(clock)
{
    lastStatus_ = api_.open(serialNumber);
    if (lastStatus_ != FtStatus::Ok)
        throw FT232Error(QStringLiteral("Device ") + serialNumber + QStringLiteral(" can not open"));
}

FT232::~FT232()
{
    api_.close();
    clock_.wait(CloseSettle);
}

FtStatus FT232::setBaudRate(int rate)
{
    return api_.setBaudRate(rate);
}

FtStatus FT232::setDtr(bool on)
{
    return api_.setDtr(on);
}

FtStatus FT232::setRts(bool on)
{
    return api_.setRts(on);
}

bool FT232::setBitMode(quint8 mask, quint8 mode)
{
    lastStatus_ = api_.setBitMode(mask, mode);
    return lastStatus_ == FtStatus::Ok;
}

bool FT232::applyLineSettings()
{
    return setBitMode(0, 0) && setDtr(true) == FtStatus::Ok && setRts(false) == FtStatus::Ok
        && setBaudRate(LineBaudRate) == FtStatus::Ok;
}

void FT232::fetchArrived()
{
    std::array<quint8, FetchSize> buffer;
    int count = 0;
    const FtStatus status = api_.read(buffer.data(), FetchSize, count);
    readFailed_ = status != FtStatus::Ok;
    deviceGone_ = deviceGone_ || status == FtStatus::DeviceNotOpened;
    received_.insert(received_.end(), buffer.begin(), buffer.begin() + std::clamp(count, 0, FetchSize));
}

std::optional<quint8> FT232::readByte()
{
    if (received_.empty())
        fetchArrived();
    if (received_.empty())
        return std::nullopt;
    const quint8 byte = received_.front();
    received_.pop_front();
    return byte;
}

bool FT232::writeByte(quint8 byte)
{
    int written = 0;
    const FtStatus status = api_.write(&byte, 1, written);
    deviceGone_ = deviceGone_ || status == FtStatus::DeviceNotOpened;
    return status == FtStatus::Ok && written == 1;
}

int FT232::bytesWaiting()
{
    fetchArrived();
    return int(received_.size());
}
