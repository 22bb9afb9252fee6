#pragma once

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
