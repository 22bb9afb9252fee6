#pragma once

// Intel HEX records for the firmware tests, with their checksums.

#include <QByteArray>
#include <QList>

inline QByteArray hexRecord(int type, int address, const QByteArray &data)
{
    QByteArray bytes;
    bytes.append(char(data.size()));
    bytes.append(char(address >> 8));
    bytes.append(char(address & 0xFF));
    bytes.append(char(type));
    bytes.append(data);
    int sum = 0;
    for (const char b : bytes)
        sum += quint8(b);
    bytes.append(char((256 - sum % 256) % 256));
    return ':' + bytes.toHex().toUpper() + "\r\n";
}

inline QByteArray dataRecord(int address, const QByteArray &data)
{
    return hexRecord(0, address, data);
}

inline QByteArray linearRecord(int upper)
{
    return hexRecord(4, 0, QByteArray(1, char(upper >> 8)) + char(upper & 0xFF));
}

inline QByteArray endRecord()
{
    return hexRecord(1, 0, {});
}

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
    for (int page : pages) {
        text += linearRecord(page >> 16);
        // The user ID area holds 64 bytes.
        const int length = page == 0x200000 ? 64 : 256;
        for (int offset = 0; offset < length; offset += 16)
            text += dataRecord((page & 0xFFFF) + offset, countingBytes(16, (page >> 8) + offset));
    }
    if (withConfiguration) {
        text += linearRecord(0x30);
        text += dataRecord(0, countingBytes(10, 0x40));
    }
    return text + endRecord();
}
