#include "LanguageDefaultsParts.h"

namespace {

// Firmware window, field hints, messages and texts used in code, help window.
constexpr LanguageDefault defaults[] = {
    {"Firmware", 1, "Open file"},
    {"Firmware", 2, "Write to Pernotak"},
    {"Firmware", 3, "Cancel"},
    {"Firmware", 4, "File"},
    {"Firmware", 5, "Tool for firmware upgrade"},
    {"Firmware", 6, "Error"},

    {"Hint", 1, "Serial number of communicator"},
    {"Hint", 2, "Actual time after last service call"},
    {"Hint", 3, "Last call number"},
    {"Hint", 4, "Pre last call number"},
    {"Hint", 5, "Telephone number (P-pause, F or R-flash, K-hash, H-star)"},
    {"Hint", 6, "Saved in Option module"},
    {"Hint", 7, "Model of the communicator"},
    {"Hint", 8, "Type of the connected device"},
    {"Hint", 9, "Double click to change the state"},

    // Settings files and input checks
    {"Message", 1, "Open file with intercom settings"},
    {"Message", 2, "Save file with Lift intercom settings"},
    {"Message", 3, "Lift intercom communicator"},
    {"Message", 4, "File not for Lift intercom configurator"},
    {"Message", 5, "Replace file ?"},
    {"Message", 6, "File exists"},
    {"Message", 7, "Code must be long 2 digit or blank"},
    {"Message", 8, "Input format"},
    {"Message", 9, "Communication error - Lift intercom is not connected"},
    {"Message", 10, "Password must have 4 digit"},
    {"Message", 11, "Password"},
    {"Message", 12, "Parallel mode activated. Address set by DIP switch"},
    {"Message", 13, "Parallel mode address:"},
    {"Message", 14, "Reading parameters"},
    {"Message", 15, "Writing parameters"},
    {"Message", 16, "Parameters were read"},
    {"Message", 17, "Parameters were written"},
    {"Message", 18, "No device connected"},
    {"Message", 19, "Please wait"},
    {"Message", 20, "Done"},
    {"Message", 21, "No file selected"},
    {"Message", 22, "Selected file doesn't contain intercom settings"},
    // Printing
    {"Message", 23, "Lift intercom Configurator print"},
    {"Message", 24, "Settings of Lift intercom"},
    // Firmware upgrade
    {"Message", 25, "HEX file for Lift inteecom firmware"},
    {"Message", 26, "Firmware file"},
    {"Message", 27, "Error file"},
    {"Message", 28, "Download firmware to intercom was successfully completed"},
    {"Message", 29, "Lift intercom"},
    {"Message", 30, "Error timeout"},
    {"Message", 31, "TKV-C/TKV-C2 intercom"},
    {"Message", 32, "Upgrade time is about 10minutes."},
    {"Message", 33, "During the entire upgrade period, you must not interrupt the connection between PC and the intercom."},
    {"Message", 34, "Attention! Also you must not interrupt the power supply (i.e. don't disconnect the phone line)!"},
    {"Message", 35, "Are you sure you want to upload the firmware to the intercom?"},
    {"Message", 36, "Sent"},
    {"Message", 37, "Received"},
    {"Message", 38, "Disconnect the intercom from the phone line and power for at least 1 minute,"},
    {"Message", 39, "then plug it back in and try uploading again."},
    {"Message", 40, "Firmware upgrade"},
    {"Message", 41, "Connecting to the intercom..."},
    {"Message", 42, "Upgrade finished"},
    {"Message", 43, "Upgrade failed"},
    // Closing with unsaved settings
    {"Message", 44, "Do you want to save settings to a file?"},
    {"Message", 45, "Save file"},
    // Reading the parameter image
    {"Message", 48, "Information"},
    {"Message", 49, "Error in reading data - length"},
    {"Message", 50, "No data was read"},
    {"Message", 51, "Error in reading data - EEPROM"},
    {"Message", 52, "default data"},
    {"Message", 53, "Communication error"},
    // Audio
    {"Message", 54, "Unable to play audio files, sound card does not installed"},
    {"Message", 55, "Unable to play the audio file"},
    {"Message", 56, "Audio file not found"},
    // Bootloader upgrade
    {"Message", 63, "Upgrade time is about 3 minutes."},
    {"Message", 64, "MIRVAK intercom"},
    {"Message", 65, "Error:"},
    {"Message", 66, "Too many errors:"},
    {"Message", 67, "Wrong CPU type"},
    {"Message", 68, "Command not confirmed"},
    {"Message", 69, "Unsupported command"},
    {"Message", 70, "Wrong address"},
    {"Message", 71, "Unknown answer"},
    {"Message", 72, "Unsupported version"},
    {"Message", 73, "Device checksum"},
    {"Message", 74, "TimeOut"},
    {"Message", 75, "Unable to read from device"},
    {"Message", 76, "Unknown error"},
    {"Message", 77, "Wrong address in Hex File"},
    {"Message", 78, "Bad checksum in Hex file"},
    {"Message", 79, "Unexpected end of Hex file"},
    {"Message", 80, "Missing first page of code from Hex file"},
    {"Message", 81, "Detected bootloader ver."},
    {"Message", 82, "and CPU"},
    {"Message", 83, "Preparing firmware to upload"},
    {"Message", 84, "Uploading firmware to intercom"},
    {"Message", 85, "Writing CPU config"},
    {"Message", 86, "Checking uploaded firmware"},
    {"Message", 87, "Intercom restarted"},
    {"Message", 88, "Please disconnect the intercom from PC, wait 5 seconds and reconnect it."},
    {"Message", 89, "The bootloader does not answer"},
    {"Message", 90, "Connecting to bootloader..."},
    {"Message", 91, "HEX file checked"},

    // Help window (no command opens it; the texts keep language files complete)
    {"Help", 1, "Help"},
    {"Help", 2, "Contents"},
    {"Help", 3, "Previous"},
    {"Help", 4, "Close"},
};

} // namespace

std::span<const LanguageDefault> messageLanguageDefaults()
{
    return defaults;
}
