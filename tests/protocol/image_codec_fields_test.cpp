#include "protocol/DialDigitCode.h"
#include "protocol/FieldCodecs.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(char(value));
    return result;
}

QByteArray filled(QByteArray head, int length, int fill = 255)
{
    head.append(QByteArray(length - head.size(), char(fill)));
    return head;
}

struct CharacterCase {
    char16_t character;
    int code;
    const char *readBack;
};

TEST(DialDigitCode, EncodesEveryDialCharacterAndReadsItBack)
{
    const CharacterCase cases[] = {
        {u'1', 1, "1"}, {u'2', 2, "2"}, {u'3', 3, "3"}, {u'4', 4, "4"}, {u'5', 5, "5"},
        {u'6', 6, "6"}, {u'7', 7, "7"}, {u'8', 8, "8"}, {u'9', 9, "9"}, {u'0', 10, "0"},
        {u'*', 11, "*"}, {u'#', 12, "#"}, {u'P', 13, "P"}, {u'R', 14, "R"},
        {u'F', 14, "R"},  // flash is always read back as "R"
        {u'D', 0, "D"},
    };
    for (const CharacterCase &c : cases) {
        SCOPED_TRACE(QString(QChar(c.character)).toStdString());
        EXPECT_EQ(DialDigitCode::encode(QChar(c.character)), c.code);
        EXPECT_EQ(DialDigitCode::decode(c.code), QString::fromLatin1(c.readBack));
    }
}

TEST(DialDigitCode, CharactersOutsideTheTableAreNoCharacter)
{
    for (char16_t c : {u'A', u'f', u'p', u'r', u' ', u'-', u'+', u'H', u'K'})
        EXPECT_EQ(DialDigitCode::encode(QChar(c)), DialDigitCode::noCharacterNibble) << char(c);
}

TEST(DialDigitCode, StoredValuesWithoutACharacter)
{
    EXPECT_EQ(DialDigitCode::decode(15), QString());
    EXPECT_EQ(DialDigitCode::decode(16), QStringLiteral("-"));
    for (int value : {17, 100, 254, 255})
        EXPECT_EQ(DialDigitCode::decode(value), QString()) << value;
}

struct TextFieldCase {
    const char *text;
    QByteArray stored;
    const char *readBack;
};

TEST(ImageCodecFields, DigitStringOneCharacterPerByte)
{
    const TextFieldCase cases[] = {
        {"6183", bytes({6, 1, 8, 3}), "6183"},
        {"66", bytes({6, 6, 255, 255}), "66"},
        {"", bytes({255, 255, 255, 255}), ""},
        {"6A8", bytes({6, 255, 8, 255}), "68"},  // an unknown character is no character
        {"123456", bytes({1, 2, 3, 4}), "1234"},
    };
    for (const TextFieldCase &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(encodeDigitString(QString::fromLatin1(c.text), 4), c.stored);
        EXPECT_EQ(decodeDigitString(c.stored), QString::fromLatin1(c.readBack));
    }
    EXPECT_EQ(decodeDigitString(bytes({16, 0, 200, 14})), QStringLiteral("-DR"));
}

TEST(ImageCodecFields, CodePairLowNibbleFirst)
{
    const TextFieldCase cases[] = {
        {"44", bytes({0x44}), "44"},
        {"", bytes({0xff}), ""},
        {"*5", bytes({0x5b}), "*5"},
        {"7", bytes({0xf7}), "7"},
        {"0#", bytes({0xca}), "0#"},
        {"##", bytes({0xcc}), "##"},
    };
    for (const TextFieldCase &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(encodeCodePair(QString::fromLatin1(c.text)), quint8(c.stored.at(0)));
        EXPECT_EQ(decodeCodePair(quint8(c.stored.at(0))), QString::fromLatin1(c.readBack));
    }
    // 0 and 10 both read as "0"; 13..15 are nothing.
    EXPECT_EQ(decodeCodePair(0x00), QStringLiteral("00"));
    EXPECT_EQ(decodeCodePair(0xa0), QStringLiteral("00"));
    EXPECT_EQ(decodeCodePair(0xd1), QStringLiteral("1"));
    EXPECT_EQ(decodeCodePair(0x3e), QStringLiteral("3"));
}

TEST(ImageCodecFields, PackedCodeStopsAtTheFirstEmptyNibble)
{
    const TextFieldCase cases[] = {
        {"66", bytes({0x66, 0xff}), "66"},
        {"1234", bytes({0x21, 0x43}), "1234"},
        {"123", bytes({0x21, 0xf3}), "123"},
        {"", bytes({0xff, 0xff}), ""},
        {"D1", bytes({0x10, 0xff}), "D1"},
    };
    for (const TextFieldCase &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(encodePackedCode(QString::fromLatin1(c.text)), c.stored);
        EXPECT_EQ(decodePackedCode(c.stored), QString::fromLatin1(c.readBack));
    }
    EXPECT_EQ(decodePackedCode(bytes({0xf1, 0x32})), QStringLiteral("1"));
}

TEST(ImageCodecFields, CallNumberIsEightCodePairs)
{
    EXPECT_EQ(encodeCallNumber(QStringLiteral("123")), filled(bytes({0x21, 0xf3}), 8));
    EXPECT_EQ(decodeCallNumber(filled(bytes({0x21, 0xf3}), 8)), QStringLiteral("123"));
    EXPECT_EQ(encodeCallNumber(QStringLiteral("0123456789*#0123")),
              bytes({0x1a, 0x32, 0x54, 0x76, 0x98, 0xcb, 0x1a, 0x32}));
    EXPECT_EQ(decodeCallNumber(bytes({0x1a, 0x32, 0x54, 0x76, 0x98, 0xcb, 0x1a, 0x32})),
              QStringLiteral("0123456789*#0123"));
    EXPECT_EQ(decodeCallNumber(QByteArray(8, char(0xff))), QString());
}

struct PhoneCase {
    const char *number;
    bool confirming;
    QByteArray stored;
    const char *readBack;
};

TEST(ImageCodecFields, PhoneNumberCarriesTheConfirmingFlag)
{
    const PhoneCase cases[] = {
        {"0P123", true, filled(bytes({0x8a, 13, 1, 2, 3}), 16), "0P123"},
        {"0P123", false, filled(bytes({0x0a, 13, 1, 2, 3}), 16), "0P123"},
        {"", false, filled(bytes({0x7f}), 16), ""},
        {"", true, filled(bytes({0xff}), 16), ""},
        {"F12R", false, filled(bytes({14, 1, 2, 14}), 16), "R12R"},
        {"*#", true, filled(bytes({0x8b, 12}), 16), "*#"},
        {"1234567890123456", false, bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2, 3, 4, 5, 6}), "1234567890123456"},
        {"12345678901234567", false, bytes({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1, 2, 3, 4, 5, 6}), "1234567890123456"},
    };
    for (const PhoneCase &c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(encodePhoneNumber(QString::fromLatin1(c.number), c.confirming), c.stored);
        EXPECT_EQ(decodePhoneNumber(c.stored), ParameterValue::phone(QString::fromLatin1(c.readBack), c.confirming));
    }
    // Code 0 in the first byte reads as "0", in the other bytes as the separator.
    EXPECT_EQ(decodePhoneNumber(filled(bytes({0x80, 0}), 16)), ParameterValue::phone(QStringLiteral("0D"), true));
}

TEST(ImageCodecFields, IndexPlusOffset)
{
    EXPECT_EQ(encodeIndex(15, 10), 25);
    EXPECT_EQ(encodeIndex(0, 11), 11);
    EXPECT_EQ(encodeIndex(250, 10), 4);    // masked to a byte
    EXPECT_EQ(encodeIndex(-1, 10), 255);   // no selection
    EXPECT_EQ(decodeIndex(25, 10, 40), 15);
    EXPECT_EQ(decodeIndex(49, 10, 40), 39);
    EXPECT_EQ(decodeIndex(50, 10, 40), -1);  // past the list
    EXPECT_EQ(decodeIndex(9, 10, 40), -1);   // before it
}

TEST(ImageCodecFields, FlagByteLeavesTheFlagForOtherValues)
{
    for (bool current : {false, true}) {
        EXPECT_FALSE(decodeFlag(0, current));
        EXPECT_TRUE(decodeFlag(1, current));
        EXPECT_EQ(decodeFlag(2, current), current);
        EXPECT_EQ(decodeFlag(255, current), current);
    }
}

TEST(ImageCodecFields, TimedChoiceAddsOneHundredTwentyEightForMinutes)
{
    EXPECT_EQ(encodeTimed(5, 0, 0), 5);
    EXPECT_EQ(encodeTimed(5, 0, 1), 133);
    EXPECT_EQ(encodeTimed(10, 1, 1), 139);
    EXPECT_EQ(encodeTimed(-1, 1, 1), 255);
    EXPECT_EQ(decodeTimed(133, 0, 100, 128), ParameterValue::timed(5, 1));
    EXPECT_EQ(decodeTimed(127, 0, 100, 128), ParameterValue::timed(-1, 0));
    EXPECT_EQ(decodeTimed(139, 1, 24, 128), ParameterValue::timed(10, 1));
    EXPECT_EQ(decodeTimed(128, 1, 24, 128), ParameterValue::timed(-1, 1));
    EXPECT_EQ(decodeTimed(0, 1, 24, 128), ParameterValue::timed(-1, 0));
    // The I/O module counts only values above 128 as minutes.
    EXPECT_EQ(decodeTimed(128, 1, 99, 129), ParameterValue::timed(-1, 0));
    EXPECT_EQ(decodeTimed(129, 1, 99, 129), ParameterValue::timed(0, 1));
}

} // namespace
