#pragma once

#include <QString>
#include <array>

// Colours of the status lamps, as data; the main window paints them.
enum class LampColour { Neutral, Red, Green, Yellow, Inactive };

// The last identification of the device on the local cable.
struct DeviceInfo {
    QString deviceType;  // "Alarm", "Option", "Switch", "Talker" or empty
    QString version;
    QString serialNumber;
    QString resetCount;
    QString serviceInterval;
    QString liftStartCounter;
    QString supplyVoltageText;  // tag "Y", e.g. "12,3 "
    QString secondVoltageText;  // tag "M"
    LampColour supplyVoltageLamp = LampColour::Neutral;
    LampColour secondVoltageLamp = LampColour::Neutral;
    int nominalVoltage = 0;  // TKV-C3: raw "M"
    int presentVoltage = 0;  // TKV-C3: raw "Y"

    // TKV-C3 configuration block.
    QString initialFirmwareVersion;
    QString bootloaderVersion;
    QString defaultModeVersion;
    QString externalPowerVersion;
    QString ioModuleFirmwareVersion;
    int clientCode = 255;
    int modelCode = 255;
    int featureFlags = 0;

    // Input/output lamps from tag "P": the TKV-C3 set first (only shown on a
    // TKV-C3), then the set every model has.
    static constexpr int c3IoLampCount = 7;
    static constexpr int ioLampCount = 8;
    std::array<LampColour, c3IoLampCount> c3IoLamps{};
    std::array<LampColour, ioLampCount> ioLamps{};
    // Lamp captions, index for index with the arrays above. c3IoLamps[i] shows
    // bit i of "P"; ioLamps[i] shows bit 7 - i.
    static constexpr std::array<const char *, c3IoLampCount> c3IoLampNames{
        "IN 1", "IN 2", "SHAFT", "CAR", "FILTER", "OUT1", "OUT2"};
    static constexpr std::array<const char *, ioLampCount> ioLampNames{
        "Line", "REL 2", "REL 1", "BLK", "BTN 2", "BTN 1", "INP 2", "INP 1"};

    bool firmware38 = false;
    bool identified = false;
    bool logVersionOnce = true;
};
