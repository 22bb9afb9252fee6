#pragma once

#include <span>

// How a record of a settings file carries its part of a parameter value.
enum class RecordKind {
    Option,     // choice written as its option number; other texts are ignored on reading
    Blocking,   // blockingPolarity: like Option, with its own numbering (see blockingOptionText)
    Flag,       // "1" / "0" (also the "Confirming" flag of a phone number)
    Index,      // choice written as its index plus the record's offset
    Unit,       // unit of a timed choice: "0" seconds, "1" minutes
    Text,       // text as it is
    Voltage,    // text number whose decimal separator follows the local one
    BitMask,    // flag set as a decimal bit mask
    Filler,     // no parameter: written as spaces, ignored when read
};

struct SettingsRecord {
    const char *key;        // always 6 characters: four letters, ":" and a space
    RecordKind kind;
    const char *id;         // parameter id; nullptr for Filler
    int offset = 0;         // Index: added to the index in the file
};

// Every record of a settings file, in file order (record n is element n - 1).
std::span<const SettingsRecord> settingsRecords();

// Records every file holds; the later ones may be missing in older files.
inline constexpr int requiredSettingsRecords = 90;
// A record is 50 bytes: key length, 16 key bytes, value length, 32 value bytes.
inline constexpr int settingsRecordSize = 50;
inline constexpr int settingsKeySize = 16;
inline constexpr int settingsValueSize = 32;

// The blockingPolarity options as the file numbers them: the two "+ send info" options
// (2 and 3) have no number of their own in older files and are written as "3" and "4",
// while "2" stays the number of option 4.
inline constexpr const char *blockingOptionText[] = {"0", "1", "3", "4", "2"};
