#include "sim/SimFtdiApi.h"

#include <algorithm>

FtStatus SimFtdiApi::open(const QString &serialNumber)
{
    open_ = nullptr;
    const auto found = std::find_if(devices.begin(), devices.end(), [&](const Device &device) {
        return device.serialNumber == serialNumber.toLatin1();
    });
    if (found == devices.end() || !found->box || unplugged)
        return FtStatus::DeviceNotFound;
    open_ = found->box;
    return FtStatus::Ok;
}

FtStatus SimFtdiApi::openStatus() const
{
    return open_ && !unplugged ? FtStatus::Ok : FtStatus::DeviceNotOpened;
}

FtStatus SimFtdiApi::read(quint8 *buffer, int capacity, int &count)
{
    count = 0;
    if (openStatus() != FtStatus::Ok)
        return openStatus();
    const QByteArray bytes = open_->takeArrived(capacity);
    std::copy(bytes.begin(), bytes.end(), reinterpret_cast<char *>(buffer));
    count = int(bytes.size());
    return FtStatus::Ok;
}

FtStatus SimFtdiApi::write(const quint8 *data, int size, int &written)
{
    written = 0;
    if (openStatus() != FtStatus::Ok)
        return openStatus();
    for (; written < size; ++written)
        open_->receive(data[written]);
    return FtStatus::Ok;
}

FtStatus SimFtdiApi::deviceCount(quint32 &count)
{
    count = quint32(devices.size());
    return FtStatus::Ok;
}

FtStatus SimFtdiApi::serialNumber(quint32 index, QByteArray &text)
{
    if (index >= devices.size())
        return FtStatus::DeviceNotFound;
    text = devices[index].serialNumber;
    return FtStatus::Ok;
}

FtStatus SimFtdiApi::description(quint32 index, QByteArray &text)
{
    if (index >= devices.size())
        return FtStatus::DeviceNotFound;
    text = devices[index].description;
    return FtStatus::Ok;
}
