#pragma once

#include "params/ParameterSet.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The field encodings the parameter images are built from. Characters are stored
// as their DialDigitCode; a character outside that table is stored as no character.

// n bytes, one character per byte; bytes beyond the text are 255. Decoding
// concatenates the characters of all bytes.
QByteArray encodeDigitString(const QString &text, int length);
QString decodeDigitString(QByteArrayView bytes);

// One byte, first character in the low nibble, second in the high nibble, a missing
// character 15 ("" is 0xFF, "44" is 0x44). Decoding reads each nibble as 0 or 10 =
// "0", 1..9 = the digit, 11 = "*", 12 = "#", 13..15 = nothing.
quint8 encodeCodePair(const QString &code);
QString decodeCodePair(quint8 byte);

// Two bytes holding up to four characters, low nibble first; decoding stops at the
// first nibble that is no character.
QByteArray encodePackedCode(const QString &code);
QString decodePackedCode(QByteArrayView bytes);

// Eight code pairs: sixteen characters, two per byte.
QByteArray encodeCallNumber(const QString &number);
QString decodeCallNumber(QByteArrayView bytes);

// Sixteen bytes, one character per byte; byte 1 carries the "Confirming" flag in
// bit 7 and its character in the low nibble (an empty number: 0x7F or 0xFF).
QByteArray encodePhoneNumber(const QString &number, bool confirming);
ParameterValue decodePhoneNumber(QByteArrayView bytes);

// Byte = index + k, masked to 8 bits. A choice without a selection (a negative
// index) is stored as 255, the erased-memory value.
quint8 encodeIndex(int index, int k);
// index = byte - k; -1 (no selection) when that is outside a list of count entries.
int decodeIndex(int byte, int k, int count);
// -1 unless 0 <= index < count.
int indexInList(int index, int count);

// A flag byte: 0 clears, 1 sets, anything else leaves the current value.
bool decodeFlag(quint8 byte, bool current);

// A timed choice: index + k, plus 128 when the unit is minutes (unit 1); 255
// without a selection.
quint8 encodeTimed(int index, int k, int unit);
// Decoding a timed choice: from minutesFrom up minutes with index = byte - 128 - k,
// below it seconds with index = byte - k; -1 outside a list of count entries.
ParameterValue decodeTimed(int byte, int k, int count, int minutesFrom);
