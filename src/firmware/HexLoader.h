#pragma once

#include "firmware/FirmwareImage.h"

#include <QByteArray>

// A HEX file as the bootloader upgrade takes it.
struct HexLoad {
    int result = 0;  // 0, or UpgradeResult::HexAddress, HexChecksum or HexEnd
    FirmwareImage image;
    int records = 0;  // records read, for the progress
};

// Reads the Intel HEX text into 256-byte blocks for a device of the program size.
// Every data byte must lie in program memory or in the user ID, device information
// or configuration area (else HexAddress); every record must carry hex digits and
// a right checksum (else HexChecksum); the text must end with an end-of-file record
// (else HexEnd). What follows that record is ignored.
HexLoad loadHexImage(const QByteArray &text, quint32 programSize);

// What the upgrade needs of a loaded image before anything is erased: the start
// page at 0x1000 (MissingStartPage) and a configuration block (NoConfiguration).
int checkImageForUpgrade(const FirmwareImage &image);
