#pragma once

#include <QChar>
#include <QString>
#include <QtGlobal>

// Numbers that the pages and the status display hold as text and the images as
// bytes. Texts that are no number store 0; numbers beyond a byte store the nearest
// byte value instead of wrapping round.

// A whole number (TKV-C3 I/O fields); read back at most 99.
quint8 encodeWholeNumber(const QString &text);
QString decodeUpTo99(int byte);

// Volts with one decimal, stored in tenths. The text's first "." or "," is the
// decimal separator; the rest of the tenths are cut off. Decoding writes the
// separator given: 7 -> " 0,7", 125 -> "12,5", 255 -> "25,5".
quint8 encodeVoltage(const QString &text);
QString decodeVoltage(int byte, QChar separator);

// The firmware version: written as the number of the first and last characters of
// the version text ("7.6" -> 76, 0 when that is no number), shown as the first
// digit, ".", the remaining digits (76 -> "7.6").
quint8 encodeFirmwareVersion(const QString &version);
QString firmwareVersionText(int number);

// The serial number: five digits with leading zeros, stored big-endian.
quint16 encodeSerialNumber(const QString &serial);
QString serialNumberText(int number);
