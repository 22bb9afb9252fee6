#include "ImageCodecTestSupport.h"

#include "app/LanguageTable.h"
#include "protocol/AlarmImageCodec.h"
#include "protocol/OptionBlockCodec.h"
#include "protocol/SwitchBlockCodec.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

using Model = CommunicatorModel;

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray result;
    for (int value : values)
        result.append(char(value));
    return result;
}

ParameterValue valueOf(const ParameterSet &set, const char *id)
{
    return set.value(QString::fromLatin1(id));
}

TEST(OptionBlock, DefaultsOfTheIoModule)
{
    const ModelDefaults d = defaultsOf(Model::TkvC);
    // On-times 0; filters 10 s; 100 000 starts; 4 hours; 4 minutes; the constant bytes.
    EXPECT_EQ(encodeOptionBlock(d.set),
              bytes({0, 0, 0, 10, 10, 10, 10, 4, 4, 0, 255, 255, 255, 255, 255, 85, 1, 10, 10, 10, 10, 10, 0}));
}

TEST(OptionBlock, EveryFieldRoundTrips)
{
    ModelDefaults d = defaultsOf(Model::TkvC);
    const struct {
        const char *id;
        ParameterValue value;
        int position;
        int byte;
    } cases[] = {
        {"output1OnTime", ParameterValue::choice(99), 1, 99},
        {"output2OnTime", ParameterValue::choice(1), 2, 1},
        {"output3OnTime", ParameterValue::choice(50), 3, 50},
        {"input1Filter", ParameterValue::timed(4, 1), 4, 133},
        {"input2Filter", ParameterValue::timed(98, 0), 5, 99},
        {"input3Filter", ParameterValue::timed(98, 1), 6, 227},
        {"inp3StartCount", ParameterValue::choice(98), 7, 99},
        {"liftIdleInterval", ParameterValue::choice(0), 8, 1},
        {"liftStartTime", ParameterValue::choice(20), 9, 21},
        {"input4Filter", ParameterValue::timed(0, 1), 18, 129},
        {"input5Filter", ParameterValue::timed(1, 0), 19, 2},
        {"input6Filter", ParameterValue::timed(2, 1), 20, 131},
        {"input7Filter", ParameterValue::timed(3, 0), 21, 4},
        {"input8Filter", ParameterValue::timed(4, 1), 22, 133},
        {"output4OnTime", ParameterValue::choice(7), 23, 7},
    };
    for (const auto &c : cases)
        d.set.set(QString::fromLatin1(c.id), c.value);
    const QByteArray block = encodeOptionBlock(d.set);
    ModelDefaults decoded = defaultsOf(Model::TkvC);
    ASSERT_TRUE(decodeOptionBlock(block, Model::TkvC, decoded.set, decoded.status).ok());
    for (const auto &c : cases) {
        EXPECT_EQ(imageByte(block, c.position), c.byte) << c.id;
        EXPECT_EQ(valueOf(decoded.set, c.id), c.value) << c.id;
    }
}

TEST(OptionBlock, OnlyValuesAbove128AreMinutes)
{
    QByteArray block = encodeOptionBlock(defaultsOf(Model::TkvC).set);
    setImageByte(block, 4, 128);
    setImageByte(block, 5, 0);
    ModelDefaults d = defaultsOf(Model::TkvC);
    ASSERT_TRUE(decodeOptionBlock(block, Model::TkvC, d.set, d.status).ok());
    EXPECT_EQ(valueOf(d.set, "input1Filter"), ParameterValue::timed(-1, 0));
    EXPECT_EQ(valueOf(d.set, "input2Filter"), ParameterValue::timed(-1, 0));
}

TEST(OptionBlock, WrongMarkerKeepsOnlyTheTailOfTheBlock)
{
    ModelDefaults written = defaultsOf(Model::TkvC);
    written.set.set(QStringLiteral("output1OnTime"), ParameterValue::choice(42));
    written.set.set(QStringLiteral("input4Filter"), ParameterValue::timed(7, 1));
    written.set.set(QStringLiteral("output4OnTime"), ParameterValue::choice(9));
    QByteArray block = encodeOptionBlock(written.set);
    setImageByte(block, 16, 0);

    ModelDefaults d = defaultsOf(Model::TkvC);
    d.set.set(QStringLiteral("hangUpCode"), ParameterValue::ofText(QStringLiteral("12")));
    const ImageDecodeResult result = decodeOptionBlock(block, Model::TkvC, d.set, d.status);
    EXPECT_EQ(result.failure, ImageFailure::OptionMemory);
    EXPECT_EQ(result.message(LanguageTable()), QStringLiteral("Internal memory error!"));
    EXPECT_EQ(valueOf(d.set, "hangUpCode").text, QStringLiteral("44"));      // defaults
    EXPECT_EQ(valueOf(d.set, "output1OnTime").index, 0);                     // not taken
    EXPECT_EQ(valueOf(d.set, "input4Filter"), ParameterValue::timed(7, 1));  // bytes 18..23 taken
    EXPECT_EQ(valueOf(d.set, "output4OnTime").index, 9);
}

TEST(OptionBlock, WrongLengthAppliesOnlyTheDefaults)
{
    for (int length : {0, 22, 24, 256}) {
        ModelDefaults d = defaultsOf(Model::TkvC);
        d.set.set(QStringLiteral("output1OnTime"), ParameterValue::choice(42));
        const ImageDecodeResult result = decodeOptionBlock(QByteArray(length, char(85)), Model::TkvC, d.set, d.status);
        EXPECT_EQ(result.failure, ImageFailure::Length) << length;
        EXPECT_EQ(d.set, defaultsOf(Model::TkvC).set) << length;
    }
}

TEST(SwitchBlock, DefaultsOfTheSwitchBoard)
{
    // Number 3, 2.5 s, "*", 4 minutes, hang-up "44", parallel mode off, 255.
    EXPECT_EQ(encodeSwitchBlock(defaultsOf(Model::TkvC).set), bytes({2, 25, 11, 7, 4, 4, 0, 255}));
}

TEST(SwitchBlock, ParallelNumberIsStoredWithoutOffset)
{
    ModelDefaults d = defaultsOf(Model::TkvC);
    ASSERT_TRUE(decodeSwitchBlock(bytes({0, 10, 12, 59, 10, 11, 1, 0}), Model::TkvC, d.set, d.status).ok());
    EXPECT_EQ(valueOf(d.set, "parallelNumber").index, 0);  // "1"
    EXPECT_EQ(valueOf(d.set, "parallelAnswerWait").index, 0);
    EXPECT_EQ(valueOf(d.set, "prolongKey").index, 1);
    EXPECT_EQ(valueOf(d.set, "maxCallDuration").index, 11);
    EXPECT_EQ(valueOf(d.set, "hangUpCode").text, QStringLiteral("0*"));
    EXPECT_TRUE(valueOf(d.set, "parallelMode").flag);

    // The communicator's own image stores the same "1" as index + 1.
    QByteArray image = encodeAlarmImage(d.set, d.status, Model::TkvC);
    EXPECT_EQ(imageByte(image, 10), 1);
    setImageByte(image, 10, 1);
    ModelDefaults fromImage = defaultsOf(Model::TkvC);
    ASSERT_TRUE(decodeAlarmImage(image, Model::TkvC, fromImage.set, fromImage.status).ok());
    EXPECT_EQ(valueOf(fromImage.set, "parallelNumber").index, 0);
}

TEST(SwitchBlock, OutOfRangeBytes)
{
    ModelDefaults d = defaultsOf(Model::TkvC);
    ASSERT_TRUE(decodeSwitchBlock(QByteArray(8, char(0xff)), Model::TkvC, d.set, d.status).ok());
    EXPECT_EQ(valueOf(d.set, "parallelNumber").index, -1);
    EXPECT_EQ(valueOf(d.set, "maxCallDuration").index, 4);  // kept
    EXPECT_EQ(valueOf(d.set, "hangUpCode").text, QString());
    EXPECT_FALSE(valueOf(d.set, "parallelMode").flag);       // kept
}

TEST(SwitchBlock, RoundTripAndWrongLength)
{
    ModelDefaults d = defaultsOf(Model::TkvC2);
    d.set.set(QStringLiteral("parallelNumber"), ParameterValue::choice(4));
    d.set.set(QStringLiteral("parallelAnswerWait"), ParameterValue::choice(39));
    d.set.set(QStringLiteral("hangUpCode"), ParameterValue::ofText(QStringLiteral("*9")));
    d.set.set(QStringLiteral("maxCallDuration"), ParameterValue::choice(10));
    d.set.set(QStringLiteral("parallelMode"), ParameterValue::ofFlag(true));
    const QByteArray block = encodeSwitchBlock(d.set);
    EXPECT_EQ(block, bytes({4, 49, 11, 29, 11, 9, 1, 255}));
    ModelDefaults decoded = defaultsOf(Model::TkvC2);
    ASSERT_TRUE(decodeSwitchBlock(block, Model::TkvC2, decoded.set, decoded.status).ok());
    EXPECT_EQ(decoded.set, d.set);

    for (int length : {0, 7, 9}) {
        ModelDefaults wrong = d;
        EXPECT_EQ(decodeSwitchBlock(block.left(length) + QByteArray(length > 8 ? 9 - 8 : 0, 'x'), Model::TkvC2,
                                    wrong.set, wrong.status)
                      .failure,
                  ImageFailure::Length);
        EXPECT_EQ(wrong.set, defaultsOf(Model::TkvC2).set);
    }
}

} // namespace
