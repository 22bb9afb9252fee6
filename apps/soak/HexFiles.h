#pragma once

#include "SoakRandom.h"

#include <QByteArray>

// Firmware files made in code: Intel HEX records with their checksums.
namespace HexFiles {

// A TKV-C3 file that the upgrade takes: the start page, a few more pages of the
// program memory (programSize bytes), at times the device information and the user
// ID, the configuration, the end.
QByteArray bootloaderImage(SoakRandom &random, int programSize);
// A TKV-C3 file that the upgrade refuses, of one of several kinds (data beyond the
// memory only for a 64 KiB device); refusal is the result it must be refused with.
QByteArray refusedBootloaderImage(SoakRandom &random, int programSize, int &refusal);

// A TKV-C / TKV-C2 file that the packet upload takes: a few records of program
// words, and a record past the end of the program memory (which ends the list).
QByteArray legacyImage(SoakRandom &random, bool largeMemory);
// One it refuses: a bad record, or no program word.
QByteArray refusedLegacyImage(SoakRandom &random, bool largeMemory, int &refusal);

}  // namespace HexFiles
