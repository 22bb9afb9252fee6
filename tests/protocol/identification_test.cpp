#include "app/CommLog.h"
#include "app/LanguageTable.h"
#include "protocol/Identification.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>

namespace {

using Model = CommunicatorModel;

class RecordingView : public IdentificationView {
public:
    void setDeviceMenuCaption(const QString &caption) override { captions << caption; }
    void showModelSelector(bool show) override { selectorShown = show; }

    QStringList captions;
    std::optional<bool> selectorShown;
};

// A reply written out byte by byte; tags as characters, values as numbers.
QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray reply;
    for (int value : values)
        reply.append(char(value));
    return reply;
}

// 13 bytes: five tag/value pairs, "C", serial high, serial low.
QByteArray shortReply(char deviceTag, int version, int serialHigh = 0x30, int serialLow = 0x39)
{
    return bytes({deviceTag, version, 'I', 2, 'J', 1, 'H', 1, 'D', 2, 'C', serialHigh, serialLow});
}

// 19 bytes: the 13 followed by three tag/value pairs.
QByteArray longReply(char deviceTag, int version, int supply = 123, int second = 120, int io = 0)
{
    return shortReply(deviceTag, version) + bytes({'Y', supply, 'M', second, 'P', io});
}

struct TkvC3Block {
    std::array<int, 4> serial{0x00, 0x01, 0x00, 0x00};  // positions 13 to 16
    std::array<int, 12> rest{0x01, 0x05, 7, 3, 0xa5, 0, 0x21, 0x01, 0x05, 0x10, 0x02, 123};  // 17 to 28
};

// 34 bytes: "v", two version bytes, four pairs, "C", sixteen data bytes, three pairs.
QByteArray tkvC3Reply(int major, int minor, const TkvC3Block &block = {}, int nominal = 120,
                      int present = 125, int io = 0)
{
    QByteArray reply = bytes({'v', major, minor, 'I', 4, 'J', 0, 'H', 3, 'D', 1, 'C'});
    for (int value : block.serial)
        reply.append(char(value));
    for (int value : block.rest)
        reply.append(char(value));
    return reply + bytes({'M', nominal, 'Y', present, 'P', io});
}

class IdentificationTest : public ::testing::Test {
protected:
    IdentificationTest()
    {
        ident.onModelChange = [this](Model model) { modelChanges.append(model); };
    }

    // Starts from a model without calling the change hook.
    void startWith(Model model) { ident.modelFlags().select(model); }
    const DeviceInfo &info() const { return ident.deviceInfo(); }

    LanguageTable texts;
    RecordingView view;
    Identification ident{texts, nullptr, &view};
    QList<Model> modelChanges;
};

// --- Versions and the model they select -----------------------------------

struct VersionCase {
    int value;
    Model before;
    bool firmware38Before;
    const char *version;
    bool firmware38;
    Model after;
};

class IdentificationVersion : public IdentificationTest,
                              public ::testing::WithParamInterface<VersionCase> {};

TEST_P(IdentificationVersion, SetsVersionFlagsAndModel)
{
    const VersionCase &c = GetParam();
    startWith(c.before);
    ident.deviceInfo().firmware38 = c.firmware38Before;
    const QByteArray reply = c.before == Model::TkvC ? shortReply('V', c.value) : longReply('V', c.value);

    ident.parseIdentification(reply);

    EXPECT_EQ(info().version, QString::fromLatin1(c.version));
    EXPECT_EQ(info().firmware38, c.firmware38);
    EXPECT_EQ(info().deviceType, "Alarm");
    EXPECT_EQ(ident.modelFlags().model(), c.after);
    EXPECT_EQ(ident.modelFlags().identificationLength(), c.after == Model::TkvC ? 13 : 19);
    EXPECT_EQ(modelChanges, c.after == c.before ? QList<Model>{} : QList<Model>{c.after});
    EXPECT_EQ(view.selectorShown, true);
}

INSTANTIATE_TEST_SUITE_P(
    Identification, IdentificationVersion,
    ::testing::Values(
        // One digit changes neither flag.
        VersionCase{5, Model::TkvC2, true, "5.", true, Model::TkvC2},
        VersionCase{5, Model::TkvC, false, "5.", false, Model::TkvC},
        VersionCase{62, Model::TkvC, false, "6.2", true, Model::TkvC2},
        VersionCase{59, Model::TkvC2, false, "5.9", true, Model::TkvC},
        VersionCase{37, Model::TkvC2, true, "3.7", false, Model::TkvC},
        VersionCase{38, Model::TkvC, false, "3.8", true, Model::TkvC},
        VersionCase{60, Model::TkvC, false, "6.0", true, Model::TkvC2},
        VersionCase{105, Model::TkvC2, false, "1.05", true, Model::TkvC2},
        VersionCase{10, Model::TkvC, true, "1.0", false, Model::TkvC}));

TEST_F(IdentificationTest, RedirectSelectsTkvC3AndStops)
{
    ident.parseIdentification(bytes({'V', 45, 'S', 1, 'T', 0, 'U', 0, 'Y', 120, 'C', 0x30, 0x39}));
    startWith(Model::TkvC2);

    ident.parseIdentification(bytes({'V', 99, 'I', 5, 'J', 1, 'H', 1, 'D', 2, 'C', 0x30, 0x39, 'Y', 99,
                                     'M', 120, 'P', 0}));

    EXPECT_EQ(ident.modelFlags().model(), Model::TkvC3);
    EXPECT_EQ(ident.modelFlags().identificationLength(), 34);
    EXPECT_EQ(ident.modelFlags().identificationRequest(), 'v');
    EXPECT_EQ(modelChanges, QList<Model>{Model::TkvC3});
    EXPECT_TRUE(info().identified);
    EXPECT_TRUE(info().version.isEmpty());
    EXPECT_TRUE(info().serialNumber.isEmpty());
    EXPECT_TRUE(info().resetCount.isEmpty());
    EXPECT_TRUE(info().serviceInterval.isEmpty());
    // Nothing after the redirect is read; what the step before left stays.
    EXPECT_EQ(info().supplyVoltageText, "12,0 ");
    EXPECT_EQ(info().liftStartCounter, "1");
    EXPECT_EQ(info().deviceType, "Alarm");

    // Already TKV-C3 (a short reply is read no further than it goes).
    ident.parseIdentification(shortReply('V', 99));
    EXPECT_EQ(modelChanges, QList<Model>{Model::TkvC3});
}

struct AuxiliaryCase {
    char tag;
    const char *type;
    const char *caption;
    Model after;
};

class IdentificationAuxiliaryDevice : public IdentificationTest,
                                      public ::testing::WithParamInterface<AuxiliaryCase> {};

TEST_P(IdentificationAuxiliaryDevice, ShowsTypeLabelAndKeepsOrClearsNewModel)
{
    const AuxiliaryCase &c = GetParam();
    startWith(Model::TkvC2);

    ident.parseIdentification(longReply(c.tag, 23));

    EXPECT_EQ(info().deviceType, QString::fromLatin1(c.type));
    EXPECT_EQ(info().version, "2.3");
    EXPECT_EQ(info().serialNumber, "12345");
    EXPECT_EQ(view.selectorShown, false);
    EXPECT_EQ(view.captions, QStringList{QString::fromLatin1(c.caption)});
    EXPECT_EQ(ident.modelFlags().model(), c.after);
    EXPECT_EQ(modelChanges, c.after == Model::TkvC2 ? QList<Model>{} : QList<Model>{c.after});
}

INSTANTIATE_TEST_SUITE_P(Identification, IdentificationAuxiliaryDevice,
                         ::testing::Values(AuxiliaryCase{'Z', "Switch", "SwitchBoard", Model::TkvC},
                                           AuxiliaryCase{'B', "Option", "Option module", Model::TkvC2},
                                           AuxiliaryCase{'L', "Talker", "Talker", Model::TkvC2}));

TEST_F(IdentificationTest, SwitchBoardMakesNextPollExpect13Bytes)
{
    startWith(Model::TkvC2);
    ident.parseIdentification(longReply('Z', 12));
    EXPECT_EQ(ident.modelFlags().identificationLength(), 13);
    EXPECT_EQ(ident.modelFlags().identificationRequest(), 'V');
}

TEST_F(IdentificationTest, MenuCaptionOnlyWhenTheTypeChanges)
{
    ident.parseIdentification(shortReply('V', 45));
    ident.parseIdentification(shortReply('V', 45));
    ident.parseIdentification(shortReply('B', 12));
    ident.parseIdentification(shortReply('B', 12));
    EXPECT_EQ(view.captions, (QStringList{"Communicator", "Option module"}));
}

// --- Tag walk --------------------------------------------------------------

TEST_F(IdentificationTest, CountersFromTheSharedAccumulator)
{
    startWith(Model::TkvC2);
    // Counter groups in their order; an unknown tag "Q" skips its value, even
    // one that looks like a tag.
    ident.parseIdentification(bytes({'V', 62, 'S', 1, 'T', 2, 'U', 3, 'Q', 'V', 'C', 0xff, 0xff, 'I', 0x10,
                                     'J', 0x02, 'Q', 'Y'}));
    EXPECT_EQ(info().liftStartCounter, QString::number(1 + 2 * 256 + 3 * 65536));
    EXPECT_EQ(info().serialNumber, "65535");
    EXPECT_EQ(info().resetCount, QString::number(0x10 + 2 * 256));
    EXPECT_EQ(info().version, "6.2");
    EXPECT_TRUE(info().supplyVoltageText.isEmpty());
}

TEST_F(IdentificationTest, ReadsNoFurtherThanTheExpectedLengthOrTheReply)
{
    // TKV-C expects 13 bytes: the voltage pairs of a longer reply are not read.
    ident.parseIdentification(longReply('V', 45));
    EXPECT_TRUE(info().supplyVoltageText.isEmpty());

    // TKV-C2 expects 19 bytes; a short reply is read to its end.
    startWith(Model::TkvC2);
    ident.parseIdentification(shortReply('V', 62).left(8));
    EXPECT_EQ(info().resetCount, "258");
    EXPECT_TRUE(info().serialNumber.isEmpty());
    EXPECT_TRUE(info().serviceInterval.isEmpty());

    ident.parseIdentification(QByteArray());
    EXPECT_TRUE(info().identified);
    EXPECT_TRUE(info().resetCount.isEmpty());
}

struct SerialCase {
    int high;
    int low;
    const char *serial;
};

class IdentificationSerial : public IdentificationTest, public ::testing::WithParamInterface<SerialCase> {};

TEST_P(IdentificationSerial, FiveDigitsWithLeadingZeros)
{
    ident.parseIdentification(shortReply('V', 45, GetParam().high, GetParam().low));
    EXPECT_EQ(info().serialNumber, QString::fromLatin1(GetParam().serial));
}

INSTANTIATE_TEST_SUITE_P(Identification, IdentificationSerial,
                         ::testing::Values(SerialCase{0x30, 0x39, "12345"}, SerialCase{0x00, 0x07, "00007"},
                                           SerialCase{0x00, 0x00, "00000"}, SerialCase{0xff, 0xff, "65535"}));

// --- TKV-C3 ----------------------------------------------------------------

struct TkvC3SerialCase {
    std::array<int, 4> bytes;  // positions 13 to 16
    const char *serial;
};

class IdentificationTkvC3Serial : public IdentificationTest,
                                  public ::testing::WithParamInterface<TkvC3SerialCase> {};

TEST_P(IdentificationTkvC3Serial, TenDigitsWithLeadingZeros)
{
    startWith(Model::TkvC3);
    TkvC3Block block;
    block.serial = GetParam().bytes;
    ident.parseIdentification(tkvC3Reply(0x02, 0x31, block));
    EXPECT_EQ(info().serialNumber, QString::fromLatin1(GetParam().serial));
}

INSTANTIATE_TEST_SUITE_P(Identification, IdentificationTkvC3Serial,
                         ::testing::Values(TkvC3SerialCase{{0x00, 0x01, 0x00, 0x00}, "0000000001"},
                                           TkvC3SerialCase{{0x01, 0x02, 0x03, 0x04}, "0050594050"},
                                           TkvC3SerialCase{{0x00, 0x00, 0x00, 0x01}, "0000065536"},
                                           TkvC3SerialCase{{0xff, 0xff, 0xff, 0xff}, "4294967295"}));

struct NibbleVersionCase {
    int major;
    int minor;
    const char *version;
};

class IdentificationTkvC3Version : public IdentificationTest,
                                   public ::testing::WithParamInterface<NibbleVersionCase> {};

TEST_P(IdentificationTkvC3Version, NibbleText)
{
    startWith(Model::TkvC3);
    ident.parseIdentification(tkvC3Reply(GetParam().major, GetParam().minor));
    EXPECT_EQ(info().version, QString::fromLatin1(GetParam().version));
    EXPECT_EQ(info().deviceType, "Alarm");
    EXPECT_TRUE(info().firmware38);
    EXPECT_TRUE(modelChanges.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Identification, IdentificationTkvC3Version,
                         ::testing::Values(NibbleVersionCase{0x12, 0x05, "12.05"},
                                           NibbleVersionCase{0x02, 0x31, "2.31"},
                                           NibbleVersionCase{0x00, 0x00, "0.00"}));

TEST_F(IdentificationTest, TkvC3VersionSelectsTkvC3)
{
    startWith(Model::TkvC2);
    ident.parseIdentification(tkvC3Reply(0x02, 0x31).left(19));
    EXPECT_EQ(ident.modelFlags().model(), Model::TkvC3);
    EXPECT_EQ(modelChanges, QList<Model>{Model::TkvC3});
}

TEST_F(IdentificationTest, TkvC3BlockFields)
{
    startWith(Model::TkvC3);
    ident.parseIdentification(tkvC3Reply(0x02, 0x31));

    EXPECT_EQ(info().initialFirmwareVersion, "1.05");
    EXPECT_EQ(info().clientCode, 7);
    EXPECT_EQ(info().modelCode, 3);
    EXPECT_EQ(info().featureFlags, 0xa5);
    EXPECT_EQ(info().externalPowerVersion, "2.1");
    EXPECT_EQ(info().bootloaderVersion, "1.5");
    EXPECT_EQ(info().ioModuleFirmwareVersion, "10.2");
    EXPECT_EQ(info().defaultModeVersion, "1.23");
    // The pairs around the block.
    EXPECT_EQ(info().resetCount, "4");
    EXPECT_EQ(info().serviceInterval, "27");
    EXPECT_EQ(info().nominalVoltage, 120);
    EXPECT_EQ(info().presentVoltage, 125);
    EXPECT_EQ(info().secondVoltageText, "12,0 ");
    EXPECT_EQ(info().supplyVoltageText, "12,5 ");
}

// --- Voltages and lamps ----------------------------------------------------

struct VoltageCase {
    char tag;
    int value;
    LampColour before;
    LampColour after;
    const char *text;
};

class IdentificationVoltage : public IdentificationTest, public ::testing::WithParamInterface<VoltageCase> {};

TEST_P(IdentificationVoltage, TextAndLampOnTkvC2)
{
    const VoltageCase &c = GetParam();
    startWith(Model::TkvC2);
    const bool supply = c.tag == 'Y';
    ident.deviceInfo().supplyVoltageLamp = ident.deviceInfo().secondVoltageLamp = c.before;

    ident.parseIdentification(shortReply('V', 62) + bytes({c.tag, c.value, 'Q', 0, 'Q', 0}));

    EXPECT_EQ(supply ? info().supplyVoltageText : info().secondVoltageText, QString::fromLatin1(c.text));
    EXPECT_EQ(supply ? info().supplyVoltageLamp : info().secondVoltageLamp, c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Identification, IdentificationVoltage,
    ::testing::Values(VoltageCase{'Y', 7, LampColour::Red, LampColour::Neutral, "0,7 "},
                      VoltageCase{'Y', 0, LampColour::Green, LampColour::Neutral, "0,0 "},
                      VoltageCase{'Y', 49, LampColour::Red, LampColour::Neutral, "4,9 "},
                      VoltageCase{'Y', 50, LampColour::Red, LampColour::Red, "5,0 "},
                      VoltageCase{'Y', 50, LampColour::Green, LampColour::Green, "5,0 "},
                      VoltageCase{'Y', 51, LampColour::Neutral, LampColour::Red, "5,1 "},
                      VoltageCase{'Y', 104, LampColour::Green, LampColour::Red, "10,4 "},
                      VoltageCase{'Y', 105, LampColour::Red, LampColour::Red, "10,5 "},
                      VoltageCase{'Y', 105, LampColour::Neutral, LampColour::Neutral, "10,5 "},
                      VoltageCase{'Y', 106, LampColour::Red, LampColour::Green, "10,6 "},
                      VoltageCase{'Y', 123, LampColour::Neutral, LampColour::Green, "12,3 "},
                      VoltageCase{'Y', 255, LampColour::Neutral, LampColour::Green, "25,5 "},
                      // Up to 90 the second voltage counts as none.
                      VoltageCase{'M', 90, LampColour::Green, LampColour::Neutral, "0,0 "},
                      VoltageCase{'M', 7, LampColour::Red, LampColour::Neutral, "0,0 "},
                      VoltageCase{'M', 91, LampColour::Green, LampColour::Red, "9,1 "},
                      VoltageCase{'M', 104, LampColour::Neutral, LampColour::Red, "10,4 "},
                      VoltageCase{'M', 105, LampColour::Red, LampColour::Red, "10,5 "},
                      VoltageCase{'M', 105, LampColour::Green, LampColour::Green, "10,5 "},
                      VoltageCase{'M', 106, LampColour::Red, LampColour::Green, "10,6 "},
                      VoltageCase{'M', 139, LampColour::Neutral, LampColour::Green, "13,9 "},
                      VoltageCase{'M', 140, LampColour::Red, LampColour::Red, "14,0 "},
                      VoltageCase{'M', 140, LampColour::Green, LampColour::Green, "14,0 "},
                      VoltageCase{'M', 141, LampColour::Green, LampColour::Red, "14,1 "}));

struct TkvC3VoltageCase {
    int nominal;
    int present;
    LampColour lamp;
};

class IdentificationTkvC3Voltage : public IdentificationTest,
                                   public ::testing::WithParamInterface<TkvC3VoltageCase> {};

TEST_P(IdentificationTkvC3Voltage, LampAgainstNominal)
{
    startWith(Model::TkvC3);
    ident.deviceInfo().secondVoltageLamp = LampColour::Green;
    ident.parseIdentification(tkvC3Reply(0x02, 0x31, {}, GetParam().nominal, GetParam().present));
    EXPECT_EQ(info().supplyVoltageLamp, GetParam().lamp);
    EXPECT_EQ(info().secondVoltageLamp, LampColour::Neutral);
}

INSTANTIATE_TEST_SUITE_P(
    Identification, IdentificationTkvC3Voltage,
    ::testing::Values(TkvC3VoltageCase{120, 80, LampColour::Red}, TkvC3VoltageCase{120, 81, LampColour::Yellow},
                      TkvC3VoltageCase{120, 95, LampColour::Yellow}, TkvC3VoltageCase{120, 96, LampColour::Green},
                      // 80 % of nominal wins over the low limit.
                      TkvC3VoltageCase{100, 80, LampColour::Green},
                      // Without a nominal voltage every present voltage is green.
                      TkvC3VoltageCase{0, 0, LampColour::Green}, TkvC3VoltageCase{0, 50, LampColour::Green},
                      TkvC3VoltageCase{0, 200, LampColour::Green}));

struct IoCase {
    Model model;
    int value;
    QStringList green;  // every other lamp of the model is inactive
};

class IdentificationIoLamps : public IdentificationTest, public ::testing::WithParamInterface<IoCase> {};

TEST_P(IdentificationIoLamps, GreenWhenActive)
{
    const IoCase &c = GetParam();
    startWith(c.model);
    const bool tkvC3 = c.model == Model::TkvC3;
    ident.parseIdentification(tkvC3 ? tkvC3Reply(0x02, 0x31, {}, 120, 125, c.value)
                                    : longReply('V', 62, 123, 120, c.value));

    const auto expected = [&](const char *name) {
        return c.green.contains(QLatin1String(name)) ? LampColour::Green : LampColour::Inactive;
    };
    for (int i = 0; i < DeviceInfo::ioLampCount; ++i)
        EXPECT_EQ(info().ioLamps[i], expected(DeviceInfo::ioLampNames[i])) << DeviceInfo::ioLampNames[i];
    for (int i = 0; i < DeviceInfo::c3IoLampCount; ++i)
        EXPECT_EQ(info().c3IoLamps[i], tkvC3 ? expected(DeviceInfo::c3IoLampNames[i]) : LampColour::Neutral)
            << DeviceInfo::c3IoLampNames[i];
}

INSTANTIATE_TEST_SUITE_P(
    Identification, IdentificationIoLamps,
    ::testing::Values(IoCase{Model::TkvC2, 0, {"BLK", "BTN 2", "BTN 1"}},
                      IoCase{Model::TkvC2, 0xff, {"Line", "REL 2", "REL 1", "INP 2", "INP 1"}},
                      IoCase{Model::TkvC2, 0x81, {"Line", "BLK", "BTN 2", "BTN 1", "INP 1"}},
                      IoCase{Model::TkvC3, 0x15, {"IN 1", "SHAFT", "FILTER", "BTN 2", "INP 1"}},
                      IoCase{Model::TkvC3, 0x6a, {"IN 2", "CAR", "OUT1", "OUT2", "REL 2", "REL 1", "BLK", "BTN 1", "INP 2"}}));

// --- Device poll -----------------------------------------------------------

TEST_F(IdentificationTest, SilentPollForgetsTheDevice)
{
    startWith(Model::TkvC3);
    ident.parseIdentification(tkvC3Reply(0x02, 0x31));
    EXPECT_TRUE(info().identified);

    ident.finishDevicePoll();  // a reply came: everything stays
    EXPECT_FALSE(info().identified);
    EXPECT_EQ(info().deviceType, "Alarm");
    EXPECT_EQ(info().serialNumber, "0000000001");
    view.captions.clear();

    ident.finishDevicePoll();  // none came
    for (const QString *text : {&info().deviceType, &info().version, &info().serialNumber, &info().resetCount,
                                &info().liftStartCounter, &info().serviceInterval, &info().supplyVoltageText,
                                &info().secondVoltageText})
        EXPECT_TRUE(text->isEmpty()) << text->toStdString();
    EXPECT_FALSE(info().firmware38);
    EXPECT_EQ(view.captions, QStringList{"Communicator"});
    EXPECT_EQ(info().bootloaderVersion, "1.5");
    EXPECT_EQ(info().clientCode, 7);
    EXPECT_EQ(info().modelCode, 3);
    EXPECT_EQ(info().featureFlags, 0xa5);
}

// --- Communication log -----------------------------------------------------

class IdentificationLog : public ::testing::Test {
protected:
    IdentificationLog()
    {
        log.begin(QStringLiteral("Test"));
        ident.modelFlags().select(Model::TkvC2);
    }

    // The lines written after the start header, read back once the log is closed.
    QStringList lines()
    {
        log.stop();
        QFile file(log.filePath());
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        QStringList all = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
        const int start = all.indexOf(QStringLiteral("Test")) + 2;  // caption, date-time
        const int end = all.indexOf(QStringLiteral("Program closed"));
        return all.mid(start, end - start);
    }

    QTemporaryDir dir;
    LanguageTable texts;
    CommLog log{dir.filePath(QStringLiteral("LOG_comm_file.TXT")), nullptr};
    Identification ident{texts, &log};
};

TEST_F(IdentificationLog, ConnectedLineOncePerDeviceAndVersionLineOnce)
{
    ident.parseIdentification(longReply('V', 62));
    ident.parseIdentification(longReply('V', 62));  // the same device again
    ident.clearAfterSilentPoll();                   // unplugged
    ident.parseIdentification(longReply('V', 62));  // back: no second version line
    ident.parseIdentification(bytes({'Z', 23, 'Q', 0, 'Q', 0, 'Q', 0, 'Q', 0, 'C', 0, 1}));
    ident.parseIdentification(shortReply('V', 45));  // after another device: version line again
    ident.parseIdentification(shortReply('V', 45));

    const QStringList expected{
        ">>> TKV-C communicator connected <<<", "", ">>> TKV-C2 version <<<", "",
        ">>> TKV-C communicator connected <<<", "",
        ">>> SwitchBoard connected <<<", "",
        ">>> TKV-C communicator connected <<<", "", ">>> TKV-C version <<<", ""};
    EXPECT_EQ(lines(), expected);
    EXPECT_FALSE(ident.deviceInfo().logVersionOnce);
}

TEST_F(IdentificationLog, ConnectionLinesOfEachDevice)
{
    ident.parseIdentification(longReply('B', 12));
    ident.parseIdentification(longReply('L', 12));
    ident.parseIdentification(longReply('Z', 12));
    ident.modelFlags().select(Model::TkvC3);
    ident.parseIdentification(tkvC3Reply(0x02, 0x31));
    ident.parseIdentification(tkvC3Reply(0x02, 0x31));

    const QStringList expected{">>> Option connected <<<", "",
                               ">>> Talker connected <<<", "",
                               ">>> SwitchBoard connected <<<", "",
                               ">>> TKV-C3 communicator connected <<<", "",
                               ">>> TKV-C3 version <<<", ""};
    EXPECT_EQ(lines(), expected);
}

TEST_F(IdentificationLog, ConnectionSummaryOncePerDeviceType)
{
    ident.parseIdentification(longReply('V', 62));
    ident.finishDevicePoll();
    ident.parseIdentification(longReply('V', 62));
    ident.finishDevicePoll();  // same type: no summary
    ident.parseIdentification(longReply('B', 12));
    ident.finishDevicePoll();
    ident.finishDevicePoll();  // silent: type empty, nothing written
    ident.parseIdentification(longReply('B', 12));
    ident.finishDevicePoll();  // the same type after a gap is summarised again

    const QStringList summaryAlarm{"Connect to: Alarm", "Serial number: 12345", "Version: 6.2",
                                   "No. of resets: 258", "Counter: ", "Service interval: 49"};
    const QStringList summaryOption{"Connect to: Option", "Serial number: 12345", "Version: 1.2",
                                    "No. of resets: 258", "Counter: ", "Service interval: 49"};
    QStringList expected{">>> TKV-C communicator connected <<<", "", ">>> TKV-C2 version <<<", ""};
    expected << summaryAlarm << ">>> Option connected <<<" << "" << summaryOption
             << ">>> Option connected <<<" << "" << summaryOption;
    EXPECT_EQ(lines(), expected);
}

TEST_F(IdentificationLog, LogOffRemembersTheTypeAndKeepsTheVersionLinePending)
{
    log.switchOff();
    ident.parseIdentification(longReply('V', 62));
    ident.finishDevicePoll();
    EXPECT_TRUE(ident.deviceInfo().logVersionOnce);
    log.switchOn(QStringLiteral("Test"));
    ident.parseIdentification(longReply('V', 62));
    ident.finishDevicePoll();

    EXPECT_EQ(lines(), (QStringList{">>> TKV-C2 version <<<", ""}));
}

} // namespace
