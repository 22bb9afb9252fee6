#pragma once

#include "firmware/FirmwareImage.h"

#include <QByteArray>

// Intel HEX records with their checksums, for firmware files made in code (tests, the
// benchmarks and the soak).
inline QByteArray hexRecord(int type, int address, const QByteArray &data)
{
    QByteArray bytes;
    bytes.append(char(data.size()));
    bytes.append(char((address >> 8) & 0xFF));
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

// The upper 16 bits of the addresses that follow.
inline QByteArray linearRecord(int upper)
{
    return hexRecord(4, 0, QByteArray(1, char(upper >> 8)) + char(upper & 0xFF));
}

inline QByteArray endRecord()
{
    return hexRecord(1, 0, {});
}

// How many bytes a page of a bootloader firmware file holds at the address: a block,
// or the whole user ID area.
inline int pageLength(int address)
{
    return quint32(address) == MemoryArea::userIdStart ? MemoryArea::userIdLength : ImageBlock::length;
}

// One page at the address: its linear record, then its bytes in records of 16.
inline QByteArray pageRecords(int address, const QByteArray &bytes)
{
    QByteArray text = linearRecord(address >> 16);
    for (int offset = 0; offset < bytes.size(); offset += 16)
        text += dataRecord((address & 0xFFFF) + offset, bytes.mid(offset, 16));
    return text;
}
