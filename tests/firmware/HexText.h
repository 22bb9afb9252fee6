#pragma once

// Intel HEX records for the firmware tests, with their checksums.

#include "firmware/HexRecords.h"

#include <QByteArray>
#include <QList>

// n bytes counting up from first.
inline QByteArray countingBytes(int n, int first = 0)
{
    QByteArray bytes;
    for (int i = 0; i < n; ++i)
        bytes.append(char((first + i) & 0xFF));
    return bytes;
}

// A firmware file: the start page and the pages given (each filled with the
// counting bytes of its number), the configuration, the end.
inline QByteArray firmwareHex(const QList<int> &pages, bool withConfiguration = true)
{
    QByteArray text;
    for (int page : pages)
        text += pageRecords(page, countingBytes(pageLength(page), page >> 8));
    if (withConfiguration) {
        text += linearRecord(0x30);
        text += dataRecord(0, countingBytes(10, 0x40));
    }
    return text + endRecord();
}
