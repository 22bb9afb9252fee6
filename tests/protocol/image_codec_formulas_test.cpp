#include "protocol/ChoiceFormulas.h"
#include "protocol/MultiFieldBytes.h"
#include "protocol/NumberTexts.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

using Model = CommunicatorModel;

struct DecodeCase {
    int byte;
    std::optional<int> index;  // nothing: the field keeps its value
};

TEST(ImageCodecFormulas, MaxCallDurationInHalfMinutesMinusOne)
{
    const int encoded[] = {0, 1, 3, 5, 7, 9, 11, 13, 15, 17, 29, 59};
    for (int index = 0; index < 12; ++index)
        EXPECT_EQ(encodeMaxCallDuration(index), encoded[index]) << index;
    EXPECT_EQ(encodeMaxCallDuration(-1), 255);

    const DecodeCase cases[] = {
        {0, 0}, {1, 1}, {2, 1}, {3, 2}, {7, 4}, {16, 8}, {17, 9},
        {18, 10}, {29, 10},                // "15"
        {30, 11}, {45, 11}, {59, 11}, {60, 11},  // "--"
        {61, std::nullopt}, {255, std::nullopt},
    };
    for (const DecodeCase &c : cases)
        EXPECT_EQ(decodeMaxCallDuration(c.byte), c.index) << c.byte;
}

TEST(ImageCodecFormulas, PushbuttonTimeInHalfSecondsMinusOne)
{
    EXPECT_EQ(encodePushbuttonTime(0), 0);
    EXPECT_EQ(encodePushbuttonTime(1), 1);
    EXPECT_EQ(encodePushbuttonTime(3), 5);
    EXPECT_EQ(encodePushbuttonTime(39), 77);
    EXPECT_EQ(encodePushbuttonTime(-1), 255);

    const DecodeCase olderModels[] = {
        {0, 0}, {1, 1}, {2, 1}, {5, 3}, {77, 39}, {78, 39},
        {79, -1},  // index 40 lies past "39"
        {80, std::nullopt}, {255, std::nullopt},
    };
    for (const DecodeCase &c : olderModels)
        EXPECT_EQ(decodePushbuttonTime(c.byte, 40), c.index) << c.byte;
    // TKV-C3 lists "0.5" .. "30".
    EXPECT_EQ(decodePushbuttonTime(59, 31), 30);
    EXPECT_EQ(decodePushbuttonTime(61, 31), -1);
}

struct BypassCase {
    Model model;
    int byte;
    int index;
};

TEST(ImageCodecFormulas, BypassFilterTimePerModel)
{
    EXPECT_EQ(encodeBypassFilterTime(0, Model::TkvC2), 30);
    EXPECT_EQ(encodeBypassFilterTime(33, Model::TkvC2), 96);
    EXPECT_EQ(encodeBypassFilterTime(0, Model::TkvC3), 3);
    EXPECT_EQ(encodeBypassFilterTime(27, Model::TkvC3), 30);

    const BypassCase cases[] = {
        {Model::TkvC2, 0, 0}, {Model::TkvC2, 30, 0}, {Model::TkvC2, 31, 0}, {Model::TkvC2, 32, 1},
        {Model::TkvC2, 96, 33}, {Model::TkvC2, 98, 33},  // index 34 is past the list: the last entry
        {Model::TkvC2, 99, 33}, {Model::TkvC2, 100, 33}, {Model::TkvC2, 255, 33},
        {Model::TkvC3, 0, 0}, {Model::TkvC3, 3, 0}, {Model::TkvC3, 4, 1}, {Model::TkvC3, 30, 27},
        {Model::TkvC3, 31, 27}, {Model::TkvC3, 255, 27},
    };
    for (const BypassCase &c : cases) {
        const int count = c.model == Model::TkvC3 ? 28 : 34;
        EXPECT_EQ(decodeBypassFilterTime(c.byte, c.model, count), c.index) << modelName(c.model).toStdString()
                                                                           << " " << c.byte;
    }
}

TEST(ImageCodecFormulas, ScaledEntries)
{
    // Units of 40 ms.
    EXPECT_EQ(encodeTwentyFifths(0), 25);
    EXPECT_EQ(encodeTwentyFifths(4), 125);
    EXPECT_EQ(encodeTwentyFifths(9), 250);
    EXPECT_EQ(decodeTwentyFifths(125, 10), 4);
    EXPECT_EQ(decodeTwentyFifths(149, 10), 4);
    EXPECT_EQ(decodeTwentyFifths(255, 10), 9);
    EXPECT_EQ(decodeTwentyFifths(255, 5), -1);
    EXPECT_EQ(decodeTwentyFifths(24, 5), -1);

    EXPECT_EQ(encodeBusyToneFrequency(2), 17);
    EXPECT_EQ(decodeBusyToneFrequency(17, 11), 2);
    EXPECT_EQ(decodeBusyToneFrequency(18, 11), 2);
    EXPECT_EQ(decodeBusyToneFrequency(12, 11), 0);   // truncated toward zero
    EXPECT_EQ(decodeBusyToneFrequency(11, 11), -1);
    EXPECT_EQ(decodeBusyToneFrequency(255, 11), -1);
}

TEST(ImageCodecFormulas, LineLossCompensation)
{
    EXPECT_EQ(encodeLineLossCompensation(0), 3);  // "off"
    EXPECT_EQ(encodeLineLossCompensation(1), 0);  // "20-50"
    EXPECT_EQ(encodeLineLossCompensation(2), 2);  // "45-75"
    EXPECT_EQ(decodeLineLossCompensation(3), 0);
    EXPECT_EQ(decodeLineLossCompensation(0), 1);
    EXPECT_EQ(decodeLineLossCompensation(2), 2);
    EXPECT_EQ(decodeLineLossCompensation(1), -1);
    EXPECT_EQ(decodeLineLossCompensation(255), -1);
}

struct VoltageCase {
    const char *text;
    int tenths;
};

TEST(ImageCodecFormulas, VoltagesInTenths)
{
    const VoltageCase encoded[] = {
        {"12,5", 125}, {"12.5", 125}, {"12", 120}, {" 0.7", 7}, {"0,7", 7}, {"2.3", 23},
        {"12.59", 125},  // the rest of the tenths is cut off
        {"25.5", 255}, {"30", 255}, {"-1", 0}, {"", 0}, {"abc", 0}, {"1.2.3", 0},
    };
    for (const VoltageCase &c : encoded)
        EXPECT_EQ(encodeVoltage(QString::fromLatin1(c.text)), c.tenths) << c.text;

    EXPECT_EQ(decodeVoltage(7, u'.'), QStringLiteral(" 0.7"));
    EXPECT_EQ(decodeVoltage(0, u','), QStringLiteral(" 0,0"));
    EXPECT_EQ(decodeVoltage(70, u'.'), QStringLiteral("7.0"));
    EXPECT_EQ(decodeVoltage(125, u','), QStringLiteral("12,5"));
    EXPECT_EQ(decodeVoltage(255, u'.'), QStringLiteral("25.5"));
}

TEST(ImageCodecFormulas, WholeNumbersAndStatusTexts)
{
    EXPECT_EQ(encodeWholeNumber(QStringLiteral("42")), 42);
    EXPECT_EQ(encodeWholeNumber(QStringLiteral("")), 0);
    EXPECT_EQ(encodeWholeNumber(QStringLiteral("x")), 0);
    EXPECT_EQ(encodeWholeNumber(QStringLiteral("300")), 255);
    EXPECT_EQ(decodeUpTo99(42), QStringLiteral("42"));
    EXPECT_EQ(decodeUpTo99(100), QStringLiteral("99"));
    EXPECT_EQ(decodeUpTo99(255), QStringLiteral("99"));

    EXPECT_EQ(encodeFirmwareVersion(QStringLiteral("7.6")), 76);
    EXPECT_EQ(encodeFirmwareVersion(QStringLiteral("")), 0);
    EXPECT_EQ(encodeFirmwareVersion(QStringLiteral("x.y")), 0);
    EXPECT_EQ(firmwareVersionText(76), QStringLiteral("7.6"));
    EXPECT_EQ(firmwareVersionText(123), QStringLiteral("1.23"));

    EXPECT_EQ(encodeSerialNumber(QStringLiteral("01234")), 1234);
    EXPECT_EQ(encodeSerialNumber(QStringLiteral("")), 0);
    EXPECT_EQ(encodeSerialNumber(QStringLiteral("70000")), 65535);
    EXPECT_EQ(serialNumberText(1234), QStringLiteral("01234"));
    EXPECT_EQ(serialNumberText(65535), QStringLiteral("65535"));
}

struct AudioCase {
    AudioSettings audio;
    int byte;
};

TEST(ImageCodecFormulas, AudioByteTakesOnlyTheEncodedValues)
{
    const AudioCase cases[] = {
        {{false, false, false, 0}, 0}, {{true, false, false, 0}, 1}, {{false, true, false, 0}, 2},
        {{true, true, true, 0}, 7}, {{false, false, true, 1}, 12}, {{false, true, true, 1}, 14},
        {{false, false, true, 2}, 28}, {{false, true, true, 2}, 30},
    };
    for (const AudioCase &c : cases) {
        EXPECT_EQ(encodeAudioByte(c.audio), c.byte);
        EXPECT_EQ(decodeAudioByte(c.byte), c.audio) << c.byte;
    }
    // A delay drops the DTMF suppression bit; without muting the delay is not written.
    EXPECT_EQ(encodeAudioByte({true, false, true, 2}), 28);
    EXPECT_EQ(encodeAudioByte({true, true, true, 1}), 14);
    EXPECT_EQ(encodeAudioByte({true, false, false, 2}), 1);
    for (int byte : {8, 9, 13, 15, 16, 24, 29, 31, 32, 255})
        EXPECT_EQ(decodeAudioByte(byte), std::nullopt) << byte;
}

TEST(ImageCodecFormulas, InputByteOfTkvC2)
{
    EXPECT_EQ(encodeInputByte({2, 1, 2}), 99);
    EXPECT_EQ(decodeInputByte(99), (InputByte{2, 1, 2}));
    EXPECT_EQ(encodeInputByte({3, 3, 8}), 0xf9);
    EXPECT_EQ(decodeInputByte(0xf9), (InputByte{3, 3, 8}));
    EXPECT_EQ(decodeInputByte(0), (InputByte{0, 0, -1}));
}

} // namespace
