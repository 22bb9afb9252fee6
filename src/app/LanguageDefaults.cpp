#include "LanguageDefaults.h"

namespace {

// Rows are grouped by section; a new text is one more row in its section.
constexpr LanguageDefault defaults[] = {
    {"Info", 1, "Ostrakel Configurator"},

    {"Menu", 8, "Communicator"},
    {"Menu", 45, "LogFile is enabled"},
    {"Menu", 46, "LogFile is disabled"},
    {"Menu", 51, "Option module"},
    {"Menu", 52, "SwitchBoard"},
    {"Menu", 67, "Talker"},

    {"Message", 9, "Communication error - Lift intercom is not connected"},
    {"Message", 53, "Communication error"},

    {"Device", 18, "Basic"},
    {"Device", 19, "Extended"},
    {"Device", 21, "TKV-C"},
    {"Device", 22, "TKV-C2"},
    {"Device", 23, "TKV-C3"},

    {"Communication", 1, "USB Cable selection"},
    {"Communication", 2, "Select USB Cable type"},
    {"Communication", 3, "USB-LNK"},
    {"Communication", 4, "USB-LNKv2"},
    {"Communication", 5, "USB-LNKv3"},
    {"Communication", 6, "USB-LNKv2, USB-LNK v3 COM port"},
    {"Communication", 7, "No Label, Unsigned USB driver"},
    {"Communication", 8, "Fixed connection to USB-A connector"},
    {"Communication", 9, "Label USB-LNKv2, Standard COM port driver"},
    {"Communication", 10, "Label USB-LNKv3, Standard COM port driver"},
    {"Communication", 11, "USB-C connector and separate cable to PC"},
    {"Communication", 12, "USB-LNK failed"},
    {"Communication", 13, "USB-LNKv2 or USB-LNKv3 failed"},
    {"Communication", 14, "Select either USB-LNK or USB-LNKv2 or USB-LNKv3"},
    {"Communication", 15, "Select COM port"},

    // Texts of this program that the original catalogue has no entry for.
    {"Extensions", 1, "Cannot write the communication log"},
};

} // namespace

std::span<const LanguageDefault> languageDefaults()
{
    return defaults;
}
