#include "link/FtdiDeviceList.h"

#include <algorithm>

FtStatus FtdiDeviceList::getFTDeviceCount()
{
    quint32 count = 0;
    const FtStatus status = api_.deviceCount(count);
    if (status == FtStatus::Ok)
        deviceCount_ = count;
    return status;
}

FtStatus FtdiDeviceList::getFTDeviceSerialNo(quint32 index)
{
    QByteArray text;
    return keepDeviceString(api_.serialNumber(index, text), text);
}

FtStatus FtdiDeviceList::getFTDeviceDescription(quint32 index)
{
    QByteArray text;
    return keepDeviceString(api_.description(index, text), text);
}

FtStatus FtdiDeviceList::keepDeviceString(FtStatus status, const QByteArray &text)
{
    if (status != FtStatus::Ok)
        return status;
    // Up to the first NUL, and never more than the listing buffer holds.
    const qsizetype nul = text.indexOf('\0');
    const qsizetype length = std::min<qsizetype>(nul < 0 ? text.size() : nul, MaxDeviceStringLength);
    deviceString_ = QString::fromLatin1(text.left(length));
    return status;
}
