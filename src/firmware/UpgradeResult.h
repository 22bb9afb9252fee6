#pragma once

#include <QString>

class LanguageTable;

// The result of a firmware upgrade or of a check of its HEX file; 0 is success.
// An exchange that failed three times gives its last code + 100.
namespace UpgradeResult {
constexpr int Ok = 0;
constexpr int WrongCpu = 1;
constexpr int NotConfirmed = 2;
constexpr int UnsupportedCommand = 3;
constexpr int WrongAddress = 4;
constexpr int UnknownAnswer = 5;
constexpr int UnsupportedVersion = 6;
constexpr int DeviceChecksum = 7;
constexpr int Timeout = 8;
constexpr int ReadFailed = 9;
constexpr int UnknownError = 10;
constexpr int HexAddress = 11;
constexpr int HexChecksum = 12;
constexpr int HexEnd = 13;
constexpr int MissingStartPage = 14;
constexpr int NoConfiguration = 15;    // the HEX file has no configuration block
constexpr int UnsupportedWriteSize = 16;  // the device's write or erase size does not suit the image
constexpr int TooManyPackets = 17;  // the legacy upload takes at most 4200 packets
constexpr int NoProgram = 18;       // the legacy upload would send no program word
constexpr int Repeated = 100;

// The text of a code (of the failing exchange's code for one above 100).
QString text(int code, const LanguageTable &texts);
}  // namespace UpgradeResult
