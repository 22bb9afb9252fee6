#include "ImageCodecTestSupport.h"

#include "app/LanguageTable.h"
#include "protocol/AlarmImageCodec.h"
#include "protocol/AlarmImageLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Model = CommunicatorModel;

constexpr Model allModels[] = {Model::TkvC, Model::TkvC2, Model::TkvC3};

struct ByteExpectation {
    int position;
    int value;
};

void expectBytes(const QByteArray &image, const std::vector<ByteExpectation> &expected)
{
    for (const ByteExpectation &e : expected)
        EXPECT_EQ(imageByte(image, e.position), e.value) << "byte " << e.position;
}

QByteArray encodedDefaults(Model model)
{
    const ModelDefaults d = defaultsOf(model);
    return encodeAlarmImage(d.set, d.status, model);
}

// The image of the defaults with some parameters changed.
struct Edited {
    explicit Edited(Model m) : model(m), d(defaultsOf(m)) {}
    Edited &with(const char *id, const ParameterValue &value)
    {
        d.set.set(QString::fromLatin1(id), value);
        return *this;
    }
    QByteArray image() const { return encodeAlarmImage(d.set, d.status, model); }

    Model model;
    ModelDefaults d;
};

// Decodes image onto the model's defaults and returns what came out.
ModelDefaults decodedOnDefaults(const QByteArray &image, Model model, QChar separator = u'.')
{
    ModelDefaults d = defaultsOf(model);
    const ImageDecodeResult result = decodeAlarmImage(image, model, d.set, d.status, separator);
    EXPECT_TRUE(result.ok());
    return d;
}

ParameterValue decodedValue(const QByteArray &image, Model model, const char *id)
{
    return decodedOnDefaults(image, model).set.value(QString::fromLatin1(id));
}

TEST(ImageCodec, DefaultsOfTkvC)
{
    const QByteArray image = encodedDefaults(Model::TkvC);
    ASSERT_EQ(image.size(), 256);
    expectBytes(image, {{3, 0x44}, {4, 6}, {5, 1}, {6, 8}, {7, 3}, {8, 25}, {10, 3}, {16, 85},
                        {17, 6}, {18, 6}, {19, 255}, {20, 255}, {36, 7}, {42, 10}, {77, 11},
                        {249, 3}, {256, 0}});
}

TEST(ImageCodec, ConfirmationCodeOfTheNewerModelsIsPacked)
{
    for (Model model : {Model::TkvC2, Model::TkvC3}) {
        SCOPED_TRACE(modelName(model).toStdString());
        const QByteArray image = encodedDefaults(model);
        expectBytes(image, {{3, 0x44}, {16, 85}, {17, 0x66}, {18, 0xff}, {25, 30}, {36, 7}, {256, 0}});
    }
}

TEST(ImageCodec, EveryModelsDefaultsDecodeToThemselves)
{
    for (Model model : allModels) {
        SCOPED_TRACE(modelName(model).toStdString());
        const ModelDefaults d = defaultsOf(model);
        ParameterSet set;
        ParameterStatus status;
        ASSERT_TRUE(decodeAlarmImage(encodeAlarmImage(d.set, d.status, model), model, set, status,
                                     localDecimalSeparator()).ok());
        for (const QString &id : storedParameterIds(model))
            EXPECT_EQ(set.value(id), d.set.value(id)) << id.toStdString();
    }
}

TEST(ImageCodec, ErasedMemoryWithTheMarkerDecodes)
{
    QByteArray image(256, char(0xff));
    setImageByte(image, 16, 85);
    for (Model model : allModels) {
        SCOPED_TRACE(modelName(model).toStdString());
        const ModelDefaults d = decodedOnDefaults(image, model);
        EXPECT_EQ(d.set.value(QStringLiteral("hangUpCode")).text, QString());
        EXPECT_EQ(d.set.value(QStringLiteral("servicePassword")).text, QString());
        EXPECT_EQ(d.set.value(QStringLiteral("confirmSerialCode")).text, QString());
        EXPECT_EQ(d.set.value(QStringLiteral("emergencyNumber1")), ParameterValue::phone({}, true));
        EXPECT_EQ(d.set.value(QStringLiteral("counterOrFailureNumber")), ParameterValue::phone({}, true));
        EXPECT_EQ(d.set.value(QStringLiteral("parallelAnswerWait")).index, -1);
        EXPECT_EQ(d.set.value(QStringLiteral("confirmWaitTime")).index, -1);
        EXPECT_EQ(d.set.value(QStringLiteral("lineLossCompensation")).index, -1);
        // Values outside the rows of these fields leave them as they were.
        EXPECT_EQ(d.set.value(QStringLiteral("maxCallDuration")).index, 4);
        EXPECT_EQ(d.set.value(QStringLiteral("babyCall")).flag, false);
        EXPECT_EQ(d.status.serviceCallHours, 24 * 255 + 255);
        EXPECT_EQ(d.status.lastCallNumber, QString());
        EXPECT_TRUE(d.status.alarmActive);
    }
}

struct FailureCase {
    const char *name;
    QByteArray image;
    ImageFailure failure;
    const char *message;
};

TEST(ImageCodec, FailedImageLeavesOnlyTheDefaults)
{
    QByteArray wrongMarker = encodedDefaults(Model::TkvC);
    setImageByte(wrongMarker, 16, 84);
    setImageByte(wrongMarker, 12, 5);  // service-call hours: not taken from a failed image
    const FailureCase cases[] = {
        {"marker", wrongMarker, ImageFailure::Memory, "Error in reading data - EEPROM\n      - default data -"},
        {"short", QByteArray(255, char(85)), ImageFailure::Length,
         "Error in reading data - length\n      - No data was read -"},
        {"long", encodedDefaults(Model::TkvC) + 'x', ImageFailure::Length,
         "Error in reading data - length\n      - No data was read -"},
        {"empty", QByteArray(), ImageFailure::Length, "Error in reading data - length\n      - No data was read -"},
    };
    const LanguageTable texts;
    for (const FailureCase &c : cases) {
        for (Model model : allModels) {
            SCOPED_TRACE(std::string(c.name) + " " + modelName(model).toStdString());
            Edited edited(model);
            edited.with("hangUpCode", ParameterValue::ofText(QStringLiteral("12")))
                .with("emergencyNumber1", ParameterValue::phone(QStringLiteral("123"), true))
                .with("c2Output1OnCode", ParameterValue::ofText(QStringLiteral("99")));
            edited.d.status.alarmActive = true;
            edited.d.status.serviceCallHours = 17;

            const ImageDecodeResult result = decodeAlarmImage(c.image, model, edited.d.set, edited.d.status);
            EXPECT_EQ(result.failure, c.failure);
            EXPECT_FALSE(result.ok());
            EXPECT_EQ(result.message(texts), QString::fromUtf8(c.message));
            const ModelDefaults defaults = defaultsOf(model);
            EXPECT_EQ(edited.d.set, defaults.set);
            EXPECT_FALSE(edited.d.status.alarmActive);
            EXPECT_EQ(edited.d.status.serviceCallHours, 17);
        }
    }
}

TEST(ImageCodec, SuccessHasNoMessage)
{
    EXPECT_EQ(ImageDecodeResult{}.message(LanguageTable()), QString());
}

TEST(ImageCodec, PhoneNumberInTheImage)
{
    const QByteArray image = Edited(Model::TkvC2)
                                 .with("emergencyNumber1", ParameterValue::phone(QStringLiteral("0P123"), true))
                                 .with("serviceNumber", ParameterValue::phone(QStringLiteral("F5"), false))
                                 .with("counterOrFailureNumber", ParameterValue::phone({}, true))
                                 .image();
    expectBytes(image, {{81, 0x8a}, {82, 13}, {83, 1}, {84, 2}, {85, 3}, {86, 255}, {96, 255},
                        {97, 0x7f}, {98, 255}, {177, 14}, {178, 5}, {179, 255}, {209, 0xff}, {224, 255}});
    EXPECT_EQ(decodedValue(image, Model::TkvC2, "emergencyNumber1"), ParameterValue::phone(QStringLiteral("0P123"), true));
    EXPECT_EQ(decodedValue(image, Model::TkvC2, "serviceNumber"), ParameterValue::phone(QStringLiteral("R5"), false));
    EXPECT_EQ(decodedValue(image, Model::TkvC2, "emergencyNumber2"), ParameterValue::phone({}, false));
    EXPECT_EQ(decodedValue(image, Model::TkvC2, "counterOrFailureNumber"), ParameterValue::phone({}, true));
}

TEST(ImageCodec, MaxCallDurationInTheImage)
{
    for (Model model : allModels) {
        EXPECT_EQ(imageByte(Edited(model).with("maxCallDuration", ParameterValue::choice(10)).image(), 36), 29);
        EXPECT_EQ(imageByte(Edited(model).with("maxCallDuration", ParameterValue::choice(11)).image(), 36), 59);
        QByteArray image = encodedDefaults(model);
        setImageByte(image, 36, 18);
        EXPECT_EQ(decodedValue(image, model, "maxCallDuration").index, 10);  // "15"
        setImageByte(image, 36, 45);
        EXPECT_EQ(decodedValue(image, model, "maxCallDuration").index, 11);  // "--"
        setImageByte(image, 36, 61);
        EXPECT_EQ(decodedValue(image, model, "maxCallDuration").index, 4);   // unchanged
    }
}

TEST(ImageCodec, AudioByteDropsSuppressionWithADelay)
{
    for (Model model : allModels) {
        const QByteArray image = Edited(model)
                                     .with("micOpenDelay", ParameterValue::choice(2))
                                     .with("muteUntilConfirmation", ParameterValue::ofFlag(true))
                                     .with("micDtmfSuppression", ParameterValue::ofFlag(true))
                                     .image();
        EXPECT_EQ(imageByte(image, 254), 28);
        Edited onto(model);
        onto.with("micDtmfSuppression", ParameterValue::ofFlag(true));
        ASSERT_TRUE(decodeAlarmImage(image, model, onto.d.set, onto.d.status).ok());
        EXPECT_FALSE(onto.d.set.value(QStringLiteral("micDtmfSuppression")).flag);
        EXPECT_TRUE(onto.d.set.value(QStringLiteral("muteUntilConfirmation")).flag);
        EXPECT_EQ(onto.d.set.value(QStringLiteral("micOpenDelay")).index, 2);

        // An audio byte the encoder never writes leaves all four fields alone.
        QByteArray odd = image;
        setImageByte(odd, 254, 13);
        ASSERT_TRUE(decodeAlarmImage(odd, model, onto.d.set, onto.d.status).ok());
        EXPECT_EQ(onto.d.set.value(QStringLiteral("micOpenDelay")).index, 2);
        EXPECT_TRUE(onto.d.set.value(QStringLiteral("muteUntilConfirmation")).flag);
    }
}

TEST(ImageCodec, InputByteOfTkvC2)
{
    const QByteArray image = Edited(Model::TkvC2)
                                 .with("c2Input1Function", ParameterValue::choice(2))
                                 .with("c2Input2Function", ParameterValue::choice(1))
                                 .with("counterOrFailureRepeats", ParameterValue::choice(2))
                                 .image();
    EXPECT_EQ(imageByte(image, 71), 99);
    const ModelDefaults d = decodedOnDefaults(image, Model::TkvC2);
    EXPECT_EQ(d.set.value(QStringLiteral("c2Input1Function")).index, 2);
    EXPECT_EQ(d.set.value(QStringLiteral("c2Input2Function")).index, 1);
    EXPECT_EQ(d.set.value(QStringLiteral("counterOrFailureRepeats")).index, 2);
}

TEST(ImageCodec, RepeatsByteOfTkvCAndTkvC3)
{
    for (Model model : {Model::TkvC, Model::TkvC3}) {
        const QByteArray image = Edited(model)
                                     .with("c2Input1Function", ParameterValue::choice(2))
                                     .with("counterOrFailureRepeats", ParameterValue::choice(2))
                                     .image();
        EXPECT_EQ(imageByte(image, 71), 3);
    }
    // TKV-C3 reads its byte as the input byte: the repeats from the low nibble.
    QByteArray image = encodedDefaults(Model::TkvC3);
    setImageByte(image, 71, 0x14);
    Edited onto(Model::TkvC3);
    onto.with("c2Input1Function", ParameterValue::choice(3));
    ASSERT_TRUE(decodeAlarmImage(image, Model::TkvC3, onto.d.set, onto.d.status).ok());
    EXPECT_EQ(onto.d.set.value(QStringLiteral("counterOrFailureRepeats")).index, 3);
    EXPECT_EQ(onto.d.set.value(QStringLiteral("c2Input1Function")).index, 1);
    // TKV-C takes the byte as index + 1.
    EXPECT_EQ(decodedValue(image, Model::TkvC, "counterOrFailureRepeats").index, -1);
}

TEST(ImageCodec, TimedEntriesOfTkvC2)
{
    const QByteArray image = Edited(Model::TkvC2)
                                 .with("c2Output1OnTime", ParameterValue::timed(5, 1))
                                 .with("c2Output2OnTime", ParameterValue::timed(99, 0))
                                 .with("c2Input1Filter", ParameterValue::timed(10, 1))
                                 .with("c2Input2Filter", ParameterValue::timed(0, 0))
                                 .image();
    expectBytes(image, {{61, 133}, {62, 99}, {64, 139}, {76, 1}});
    const ModelDefaults d = decodedOnDefaults(image, Model::TkvC2);
    EXPECT_EQ(d.set.value(QStringLiteral("c2Output1OnTime")), ParameterValue::timed(5, 1));
    EXPECT_EQ(d.set.value(QStringLiteral("c2Output2OnTime")), ParameterValue::timed(99, 0));
    EXPECT_EQ(d.set.value(QStringLiteral("c2Input1Filter")), ParameterValue::timed(10, 1));
    EXPECT_EQ(d.set.value(QStringLiteral("c2Input2Filter")), ParameterValue::timed(0, 0));
}

TEST(ImageCodec, BypassFilterTimePerModel)
{
    EXPECT_EQ(imageByte(Edited(Model::TkvC2).with("bypassFilterTime", ParameterValue::choice(5)).image(), 25), 40);
    EXPECT_EQ(imageByte(Edited(Model::TkvC3).with("bypassFilterTime", ParameterValue::choice(5)).image(), 25), 8);
    QByteArray image = encodedDefaults(Model::TkvC2);
    setImageByte(image, 25, 200);
    EXPECT_EQ(decodedValue(image, Model::TkvC2, "bypassFilterTime").index, 33);
    image = encodedDefaults(Model::TkvC3);
    setImageByte(image, 25, 200);
    EXPECT_EQ(decodedValue(image, Model::TkvC3, "bypassFilterTime").index, 27);
}

TEST(ImageCodec, PushbuttonTimesForEveryModel)
{
    for (Model model : allModels) {
        QByteArray image = Edited(model)
                               .with("pushbutton1Time", ParameterValue::choice(0))
                               .with("pushbutton2Time", ParameterValue::choice(30))
                               .image();
        expectBytes(image, {{49, 0}, {50, 59}});
        EXPECT_EQ(decodedValue(image, model, "pushbutton2Time").index, 30);
        setImageByte(image, 50, 80);
        EXPECT_EQ(decodedValue(image, model, "pushbutton2Time").index, 3);  // default kept
    }
}

TEST(ImageCodec, VoltagesOfTkvC3WithTheDecimalSeparator)
{
    const QByteArray image = Edited(Model::TkvC3)
                                 .with("nominalVoltage", ParameterValue::ofText(QStringLiteral("12,5")))
                                 .with("undervoltageLevel", ParameterValue::ofText(QStringLiteral("10.0")))
                                 .with("failureVoltage", ParameterValue::ofText(QStringLiteral("0.7")))
                                 .image();
    expectBytes(image, {{46, 125}, {47, 100}, {48, 7}});
    const ModelDefaults comma = decodedOnDefaults(image, Model::TkvC3, u',');
    EXPECT_EQ(comma.set.value(QStringLiteral("nominalVoltage")).text, QStringLiteral("12,5"));
    EXPECT_EQ(comma.set.value(QStringLiteral("undervoltageLevel")).text, QStringLiteral("10,0"));
    EXPECT_EQ(comma.set.value(QStringLiteral("failureVoltage")).text, QStringLiteral(" 0,7"));
    const ModelDefaults point = decodedOnDefaults(image, Model::TkvC3, u'.');
    EXPECT_EQ(point.set.value(QStringLiteral("failureVoltage")).text, QStringLiteral(" 0.7"));
}

TEST(ImageCodec, InputOutputNumbersOfTkvC3ReadBackAtMost99)
{
    QByteArray image = Edited(Model::TkvC3)
                           .with("ioOutputOnTime", ParameterValue::ofText(QStringLiteral("42")))
                           .with("ioInputFilter", ParameterValue::ofText(QStringLiteral("0")))
                           .with("ioCounterValue", ParameterValue::ofText(QStringLiteral("99")))
                           .with("ioInputFunction", ParameterValue::choice(5))
                           .image();
    expectBytes(image, {{29, 42}, {30, 0}, {31, 5}, {32, 99}});
    setImageByte(image, 29, 100);
    setImageByte(image, 30, 255);
    const ModelDefaults d = decodedOnDefaults(image, Model::TkvC3);
    EXPECT_EQ(d.set.value(QStringLiteral("ioOutputOnTime")).text, QStringLiteral("99"));
    EXPECT_EQ(d.set.value(QStringLiteral("ioInputFilter")).text, QStringLiteral("99"));
    EXPECT_EQ(d.set.value(QStringLiteral("ioInputFunction")).index, 5);
}

struct BitCase {
    const char *id;
    int bit;
};

TEST(ImageCodec, FlagByte44OfTkvC3)
{
    const BitCase cases[] = {{"newNormMode", 0},      {"alarmEndsWithCall", 1}, {"lineFailureIndication", 2},
                             {"powerFailureCall", 3}, {"powerLostCall", 4},     {"acousticTest", 5},
                             {"stuckButtonTest", 6},  {"voiceReporting", 7}};
    Edited allOff(Model::TkvC3);
    for (const BitCase &c : cases)
        allOff.with(c.id, ParameterValue::ofFlag(false));
    for (const BitCase &c : cases) {
        SCOPED_TRACE(c.id);
        Edited one = allOff;
        const QByteArray image = one.with(c.id, ParameterValue::ofFlag(true)).image();
        EXPECT_EQ(imageByte(image, 44), 1 << c.bit);
        Edited onto = allOff;
        for (const BitCase &other : cases)
            onto.with(other.id, ParameterValue::ofFlag(true));
        ASSERT_TRUE(decodeAlarmImage(image, Model::TkvC3, onto.d.set, onto.d.status).ok());
        for (const BitCase &other : cases)
            EXPECT_EQ(onto.d.set.value(QString::fromLatin1(other.id)).flag, other.bit == c.bit) << other.id;
    }
}

TEST(ImageCodec, FailureOptionsOfTkvC2)
{
    const BitCase cases[] = {{"newNormMode", 0},     {"failureCloseRelay1", 1}, {"failureCall12V", 2},
                             {"failureCallBattery", 3}, {"lineDisconnectLed", 4}};
    Edited allOff(Model::TkvC2);
    for (const BitCase &c : cases)
        allOff.with(c.id, ParameterValue::ofFlag(false));
    for (const BitCase &c : cases) {
        SCOPED_TRACE(c.id);
        Edited one = allOff;
        const QByteArray image = one.with(c.id, ParameterValue::ofFlag(true)).image();
        EXPECT_EQ(imageByte(image, 56), 1 << c.bit);
        const ModelDefaults d = decodedOnDefaults(image, Model::TkvC2);
        for (const BitCase &other : cases)
            EXPECT_EQ(d.set.value(QString::fromLatin1(other.id)).flag, other.bit == c.bit) << other.id;
    }
}

TEST(ImageCodec, MessageMasksOfByte55)
{
    // TKV-C2: messages 1..7 in bits 1..7, bit 0 always clear.
    EXPECT_EQ(imageByte(Edited(Model::TkvC2).with("talkerMessages", ParameterValue::ofBits(0xff)).image(), 55), 0xfe);
    EXPECT_EQ(imageByte(Edited(Model::TkvC2).with("talkerMessages", ParameterValue::ofBits(0x82)).image(), 55), 0x82);
    QByteArray image = encodedDefaults(Model::TkvC2);
    setImageByte(image, 55, 0xff);
    EXPECT_EQ(decodedValue(image, Model::TkvC2, "talkerMessages").bits, 0xfeu);

    // TKV-C3: the "<Lift address>" mark in bit 0 always equals announcement 0101 in bit 1.
    EXPECT_EQ(imageByte(Edited(Model::TkvC3).with("voiceAnnouncements", ParameterValue::ofBits(0x02)).image(), 55), 0x03);
    EXPECT_EQ(imageByte(Edited(Model::TkvC3).with("voiceAnnouncements", ParameterValue::ofBits(0x01)).image(), 55), 0x00);
    EXPECT_EQ(imageByte(Edited(Model::TkvC3).with("voiceAnnouncements", ParameterValue::ofBits(0xfc)).image(), 55), 0xfc);
    image = encodedDefaults(Model::TkvC3);
    setImageByte(image, 55, 0xa5);
    EXPECT_EQ(decodedValue(image, Model::TkvC3, "voiceAnnouncements").bits, 0xa5u);

    // TKV-C: the talker connection as an index.
    EXPECT_EQ(imageByte(Edited(Model::TkvC).with("talkerConnection", ParameterValue::choice(7)).image(), 55), 7);
}

TEST(ImageCodec, ShaftButtonAlarmReadsAnyNonZeroAsSet)
{
    const struct {
        Model model;
        int position;
    } cases[] = {{Model::TkvC2, 26}, {Model::TkvC3, 56}};
    for (const auto &c : cases) {
        const QByteArray off = Edited(c.model).with("shaftButtonAlarm", ParameterValue::ofFlag(false)).image();
        EXPECT_EQ(imageByte(off, c.position), 0);
        EXPECT_EQ(imageByte(Edited(c.model).with("shaftButtonAlarm", ParameterValue::ofFlag(true)).image(), c.position), 1);
        QByteArray image = off;
        setImageByte(image, c.position, 7);
        EXPECT_TRUE(decodedValue(image, c.model, "shaftButtonAlarm").flag);
    }
    EXPECT_EQ(imageByte(encodedDefaults(Model::TkvC3), 26), 0);
}

TEST(ImageCodec, StatusByteAndStatusValues)
{
    for (Model model : allModels) {
        SCOPED_TRACE(modelName(model).toStdString());
        Edited edited(model);
        edited.with("autoTestStuckButton", ParameterValue::ofFlag(true))
            .with("autoTestAcousticPath", ParameterValue::ofFlag(true));
        edited.d.status = {50, 300, QStringLiteral("7.6"), QStringLiteral("01234"),
                           QStringLiteral("123*"), QStringLiteral("#9"), true, true};
        const QByteArray image = edited.image();
        const bool olderModel = model != Model::TkvC3;
        expectBytes(image, {{12, 2}, {13, 2}, {14, 1}, {15, 44}, {78, 76}, {79, 0x04}, {80, 0xd2},
                            {225, 0x21}, {226, 0xb3}, {227, 0xff}, {233, 0x9c}, {234, 0xff},
                            {253, olderModel ? 0xc3 : 0x03}});

        Edited onto(model);
        onto.d.status.firmwareVersion = QStringLiteral("1.0");
        onto.d.status.serialNumber = QStringLiteral("00007");
        ASSERT_TRUE(decodeAlarmImage(image, model, onto.d.set, onto.d.status).ok());
        EXPECT_EQ(onto.d.status.serviceCallHours, 50);
        EXPECT_EQ(onto.d.status.resetCount, 300);
        EXPECT_EQ(onto.d.status.lastCallNumber, QStringLiteral("123*"));
        EXPECT_EQ(onto.d.status.previousCallNumber, QStringLiteral("#9"));
        EXPECT_TRUE(onto.d.status.alarmActive);
        EXPECT_TRUE(onto.d.status.serviceRedialActive);
        // TKV-C3 writes firmware version and serial number but does not read them back.
        EXPECT_EQ(onto.d.status.firmwareVersion, olderModel ? QStringLiteral("7.6") : QStringLiteral("1.0"));
        EXPECT_EQ(onto.d.status.serialNumber, olderModel ? QStringLiteral("01234") : QStringLiteral("00007"));
        EXPECT_EQ(onto.d.set.value(QStringLiteral("autoTestStuckButton")).flag, olderModel);
    }
}

TEST(ImageCodec, StatusBitsClearedByTheirByte)
{
    QByteArray image = encodedDefaults(Model::TkvC);
    setImageByte(image, 253, 0x40);
    Edited onto(Model::TkvC);
    onto.d.status.alarmActive = true;
    onto.d.status.serviceRedialActive = true;
    ASSERT_TRUE(decodeAlarmImage(image, Model::TkvC, onto.d.set, onto.d.status).ok());
    EXPECT_FALSE(onto.d.status.alarmActive);
    EXPECT_FALSE(onto.d.status.serviceRedialActive);
    EXPECT_TRUE(onto.d.set.value(QStringLiteral("autoTestStuckButton")).flag);
    EXPECT_FALSE(onto.d.set.value(QStringLiteral("autoTestAcousticPath")).flag);
}

TEST(ImageCodec, ConstantBytes)
{
    for (Model model : allModels) {
        ModelDefaults d = defaultsOf(model);
        const QByteArray image = encodeAlarmImage(d.set, d.status, model);
        expectBytes(image, {{16, 85}, {256, 0}});
        if (model == Model::TkvC2)
            expectBytes(image, {{27, 255}, {28, 255}, {29, 255}, {30, 255}, {31, 255}, {32, 255}});
        EXPECT_EQ(baselineAlarmImage(d.set, d.status, model), image);
    }
}

TEST(ImageCodec, ParametersOfOtherModelsKeepTheirValues)
{
    // A TKV-C image leaves the TKV-C2 codes, and a TKV-C2 image the TKV-C ones.
    Edited onto(Model::TkvC);
    onto.with("c2Output1OnCode", ParameterValue::ofText(QStringLiteral("98")))
        .with("output1OnCode", ParameterValue::ofText(QStringLiteral("97")));
    ASSERT_TRUE(decodeAlarmImage(encodedDefaults(Model::TkvC), Model::TkvC, onto.d.set, onto.d.status).ok());
    EXPECT_EQ(onto.d.set.value(QStringLiteral("c2Output1OnCode")).text, QStringLiteral("98"));
    EXPECT_EQ(onto.d.set.value(QStringLiteral("output1OnCode")).text, QStringLiteral("51"));
    onto.with("output1OnCode", ParameterValue::ofText(QStringLiteral("97")));
    ASSERT_TRUE(decodeAlarmImage(encodedDefaults(Model::TkvC2), Model::TkvC2, onto.d.set, onto.d.status).ok());
    EXPECT_EQ(onto.d.set.value(QStringLiteral("output1OnCode")).text, QStringLiteral("97"));
    EXPECT_EQ(onto.d.set.value(QStringLiteral("c2Output1OnCode")).text, QStringLiteral("51"));
}

} // namespace
