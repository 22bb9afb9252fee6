#pragma once

#include <QChar>
#include <QString>

// The 4-bit code of one dial character, as every digit and number field of the
// parameter images stores it: "1".."9" = 1..9, "0" = 10, "*" = 11, "#" = 12,
// "P" (pause) = 13, "R" or "F" (flash) = 14, "D" (separator) = 0.
namespace DialDigitCode {

constexpr int noCharacterNibble = 15;  // end of field in a nibble
constexpr int noCharacterByte = 255;   // end of field in a whole byte

// The code of c, or noCharacterNibble for a character outside the table.
int encode(QChar c);
// The character of a stored nibble or byte: empty for 15, 255 and every value above
// 16; "-" for 16. A stored 14 always reads as "R".
QString decode(int value);

} // namespace DialDigitCode
