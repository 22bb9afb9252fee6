#include "app/LanguageTable.h"
#include "params/Catalogue.h"
#include "params/SettingsFile.h"
#include "params/SettingsRecords.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The built-in English texts, which the messages are checked against.
const LanguageTable englishTexts;

constexpr auto model = CommunicatorModel::TkvC2;
constexpr int recordCount = 166;

// One record as the file holds it, built here byte by byte.
QByteArray record(const QByteArray &key, const QByteArray &value)
{
    QByteArray bytes;
    bytes += char(key.size());
    bytes += key + QByteArray(16 - key.size(), '\0');
    bytes += char(value.size());
    bytes += value + QByteArray(32 - value.size(), ' ');
    return bytes;
}

QByteArray recordAt(const QByteArray &file, int number)
{
    return file.mid((number - 1) * 50, 50);
}

QByteArray valueAt(const QByteArray &file, int number)
{
    const QByteArray bytes = recordAt(file, number);
    return bytes.mid(18, quint8(bytes[17]));
}

void setValueAt(QByteArray &file, int number, const QByteArray &value)
{
    file.replace((number - 1) * 50 + 17, 33, QByteArray(1, char(value.size())) + value.leftJustified(32, ' '));
}

ParameterSet defaultSet()
{
    ParameterSet set;
    ParameterStatus status;
    applyDefaults(set, status, model);
    return set;
}

// A value of the row that differs from its default, in every field the file carries.
ParameterValue otherValue(const ParameterDef &row)
{
    const ParameterValue standard = row.defaultFor(model);
    const int count = int(valuesOf(row, model).size());
    const int lastEntry = count - 1;
    const int otherEntry = standard.index == lastEntry ? lastEntry - 1 : lastEntry;
    switch (row.kind) {
    case ValueKind::Choice: return ParameterValue::choice(otherEntry);
    case ValueKind::TimedChoice: return ParameterValue::timed(otherEntry, 1);
    case ValueKind::Flag: return ParameterValue::ofFlag(!standard.flag);
    case ValueKind::Code: return ParameterValue::ofText(QStringLiteral("*5"));
    case ValueKind::Digits: return ParameterValue::ofText(QStringLiteral("1234"));
    case ValueKind::PhoneNumber: return ParameterValue::phone(QStringLiteral("0123456789*#PRF"), true);
    case ValueKind::TextNumber:
        return ParameterValue::ofText(row.decimals ? QStringLiteral("13") + QLocale().decimalPoint() + u'5'
                                                   : QStringLiteral("42"));
    case ValueKind::FlagSet: return ParameterValue::ofBits(row.flagSetMask() & 0x56);
    }
    return {};
}

// Every parameter the file carries, each away from its default.
ParameterSet changedSet()
{
    ParameterSet set;
    for (const SettingsRecord &entry : settingsRecords())
        if (entry.id)
            set.set(QLatin1String(entry.id), otherValue(*findById(QLatin1String(entry.id))));
    return set;
}

class SettingsFileTest : public ::testing::Test {
protected:
    QString path(const QString &name = QStringLiteral("settings.GDL")) const { return dir.filePath(name); }

    void writeBytes(const QByteArray &bytes, const QString &name = QStringLiteral("settings.GDL")) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray readBytes(const QString &name = QStringLiteral("settings.GDL")) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The bytes of a file written from the set.
    QByteArray fileOf(const ParameterSet &set)
    {
        const SettingsFileResult result = writeSettingsFile(path(), set, englishTexts);
        EXPECT_TRUE(result.ok) << result.message.toStdString();
        return readBytes();
    }

    // Reads the bytes into a default set.
    ParameterSet readBack(const QByteArray &bytes)
    {
        writeBytes(bytes);
        ParameterSet set = defaultSet();
        const SettingsFileResult result = readSettingsFile(path(), set, model, englishTexts);
        EXPECT_TRUE(result.ok) << result.message.toStdString();
        return set;
    }

    QTemporaryDir dir;
};

TEST_F(SettingsFileTest, SettingsFileRecordsNameCatalogueParameters)
{
    ASSERT_EQ(settingsRecords().size(), std::size_t(recordCount));
    for (const SettingsRecord &entry : settingsRecords()) {
        EXPECT_EQ(qstrlen(entry.key), 6u) << entry.key;
        EXPECT_TRUE(!entry.id || findById(QLatin1String(entry.id))) << entry.id;
    }
}

TEST_F(SettingsFileTest, SettingsFileWriteThenReadReproducesEverySetting)
{
    const ParameterSet changed = changedSet();
    const ParameterSet defaults = defaultSet();
    for (const QString &id : changed.ids())
        ASSERT_NE(changed.value(id), defaults.value(id)) << id.toStdString();

    const QByteArray bytes = fileOf(changed);
    EXPECT_EQ(bytes.size(), recordCount * 50);
    const ParameterSet read = readBack(bytes);
    for (const QString &id : changed.ids())
        EXPECT_EQ(read.value(id), changed.value(id)) << id.toStdString();
}

TEST_F(SettingsFileTest, SettingsFileWritesExactRecords)
{
    ParameterSet set = defaultSet();
    set.set(QStringLiteral("dialMode"), ParameterValue::choice(1));
    set.set(QStringLiteral("parallelAnswerWait"), ParameterValue::choice(25));  // 3.5 s
    set.set(QStringLiteral("emergencyNumber1"), ParameterValue::phone(QStringLiteral("0123P#"), true));
    set.set(QStringLiteral("inp3ResetCode"), ParameterValue::ofText(QStringLiteral("#1")));
    set.set(QStringLiteral("input1Filter"), ParameterValue::timed(12, 1));
    set.set(QStringLiteral("talkerMessages"), ParameterValue::ofBits(0x82));
    set.set(QStringLiteral("dtmfLevel"), ParameterValue::choice(-1));
    set.set(QStringLiteral("nominalVoltage"), ParameterValue::ofText(QStringLiteral("12.5")));
    set.set(QStringLiteral("confirmFirmwareCode"), ParameterValue::ofText(QString()));
    const QByteArray bytes = fileOf(set);

    EXPECT_EQ(recordAt(bytes, 1), QByteArray("\x06" "Dial: ", 7) + QByteArray(10, '\0') + "\x01" "1"
                                      + QByteArray(31, ' '));
    EXPECT_EQ(recordAt(bytes, 7), record("Pard: ", "35"));
    EXPECT_EQ(recordAt(bytes, 39), record("Dip5: ", "-1"));
    EXPECT_EQ(recordAt(bytes, 55), record("Tci1: ", "0123P#"));
    EXPECT_EQ(recordAt(bytes, 56), record("Chk1: ", "1"));
    EXPECT_EQ(recordAt(bytes, 74), record("Optc: ", QByteArray(31, ' ')));
    EXPECT_EQ(recordAt(bytes, 76), record("Oio1: ", "12"));
    EXPECT_EQ(recordAt(bytes, 86), record("Oio3: ", "#1"));  // the key of record 78 again
    EXPECT_EQ(recordAt(bytes, 95), record("Oti1: ", "12"));
    EXPECT_EQ(recordAt(bytes, 96), record("Ots1: ", "1"));
    EXPECT_EQ(recordAt(bytes, 140), record("Opfn: ", "130"));
    EXPECT_EQ(recordAt(bytes, 145), record("Fnom: ", "12.5"));
    EXPECT_EQ(recordAt(bytes, 166), record("Fcfw: ", ""));
}

TEST_F(SettingsFileTest, SettingsFileCutsLongTextsTo32Characters)
{
    ParameterSet set = defaultSet();
    set.set(QStringLiteral("ioInputFilter"), ParameterValue::ofText(QString(40, u'7')));
    EXPECT_EQ(valueAt(fileOf(set), 153), QByteArray(32, '7'));
}

TEST_F(SettingsFileTest, SettingsFileKeepsRecords34And139Apart)
{
    ParameterSet set = defaultSet();
    set.set(QStringLiteral("serviceCallInterval"), ParameterValue::choice(5));
    set.set(QStringLiteral("bypassFilterTime"), ParameterValue::choice(7));
    QByteArray bytes = fileOf(set);
    EXPECT_EQ(recordAt(bytes, 34), record("Tim9: ", "5"));
    EXPECT_EQ(recordAt(bytes, 139), record("Tim9: ", "7"));

    bytes.truncate(139 * 50);  // record 165 would carry bypassFilterTime again
    const ParameterSet read = readBack(bytes);
    EXPECT_EQ(read.value(QStringLiteral("serviceCallInterval")).index, 5);
    EXPECT_EQ(read.value(QStringLiteral("bypassFilterTime")).index, 7);
}

TEST_F(SettingsFileTest, SettingsFileLaterRecordWins)
{
    QByteArray bytes = fileOf(defaultSet());
    setValueAt(bytes, 76, "3");
    setValueAt(bytes, 95, "9");
    EXPECT_EQ(readBack(bytes).value(QStringLiteral("input1Filter")).index, 9);
    bytes.truncate(94 * 50);
    EXPECT_EQ(readBack(bytes).value(QStringLiteral("input1Filter")).index, 3);
}

TEST_F(SettingsFileTest, SettingsFile90RecordsChangeOnlyTheirParameters)
{
    const ParameterSet changed = changedSet();
    QByteArray bytes = fileOf(changed);
    bytes.truncate(90 * 50);
    const ParameterSet read = readBack(bytes);
    const ParameterSet defaults = defaultSet();

    QSet<QString> early, late;
    const auto records = settingsRecords();
    for (int i = 0; i < recordCount; ++i)
        if (records[i].id)
            (i < 90 ? early : late).insert(QLatin1String(records[i].id));
    for (const QString &id : early - late)
        EXPECT_EQ(read.value(id), changed.value(id)) << id.toStdString();
    for (const QString &id : late - early)
        EXPECT_EQ(read.value(id), defaults.value(id)) << id.toStdString();

    // input1Filter: its value is in record 76, its unit only in record 96.
    const ParameterValue filter = read.value(QStringLiteral("input1Filter"));
    EXPECT_EQ(filter.index, changed.value(QStringLiteral("input1Filter")).index);
    EXPECT_EQ(filter.unit, defaults.value(QStringLiteral("input1Filter")).unit);
}

TEST_F(SettingsFileTest, SettingsFileIgnoresRecordsBeyond166)
{
    const ParameterSet changed = changedSet();
    // Whole records and a piece of one after record 166.
    QByteArray bytes = fileOf(changed) + record("Xtra: ", "not a number") + QByteArray(50, '\xff') + "Xt";
    const ParameterSet read = readBack(bytes);
    for (const QString &id : changed.ids())
        EXPECT_EQ(read.value(id), changed.value(id)) << id.toStdString();
}

struct ReadRule {
    const char *name;
    int record;
    QByteArray value;
    const char *id;
    ParameterValue before;
    ParameterValue after;
};

TEST_F(SettingsFileTest, SettingsFileReadRules)
{
    using V = ParameterValue;
    const ReadRule rules[] = {
        {"option number selects", 20, "2", "serviceCallMode", V::choice(0), V::choice(2)},
        {"unknown option keeps the choice", 20, "3", "serviceCallMode", V::choice(1), V::choice(1)},
        {"option text keeps the choice", 1, "x", "dialMode", V::choice(1), V::choice(1)},
        {"option with leading zero keeps", 73, "05", "talkerConnection", V::choice(1), V::choice(1)},
        {"index with spaces", 21, "  7 ", "serviceCallRepeat", V::choice(4), V::choice(7)},
        {"index beyond the list", 21, "10", "serviceCallRepeat", V::choice(4), V::choice(-1)},
        {"negative index", 21, "-1", "serviceCallRepeat", V::choice(4), V::choice(-1)},
        {"index less the offset", 7, "49", "parallelAnswerWait", V::choice(0), V::choice(39)},
        {"below the offset", 7, "9", "parallelAnswerWait", V::choice(0), V::choice(-1)},
        {"model list decides", 27, "35", "pushbutton1Time", V::choice(0), V::choice(35)},
        {"unit beyond the list", 96, "2", "input1Filter", V::timed(5, 0), V::timed(5, -1)},
        {"early flag: other text clears", 5, "yes", "parallelMode", V::ofFlag(true), V::ofFlag(false)},
        {"late flag: other text keeps", 142, "yes", "acousticTest", V::ofFlag(true), V::ofFlag(true)},
        {"late flag: 0 clears", 142, "0", "acousticTest", V::ofFlag(true), V::ofFlag(false)},
        {"late flag: 1 sets", 142, "1", "acousticTest", V::ofFlag(false), V::ofFlag(true)},
        {"confirming flag keeps the number", 56, "1", "emergencyNumber1",
         V::phone(QStringLiteral("112"), false), V::phone(QStringLiteral("112"), true)},
        {"text trimmed", 2, " 45 ", "hangUpCode", V::ofText(QStringLiteral("44")), V::ofText(QStringLiteral("45"))},
        {"control characters around a text trimmed", 2, QByteArray("\t45\0", 4), "hangUpCode",
         V::ofText(QStringLiteral("44")), V::ofText(QStringLiteral("45"))},
        {"empty text", 2, "", "hangUpCode", V::ofText(QStringLiteral("44")), V::ofText(QString())},
        {"bit mask 130: messages 7 and 1", 140, "130", "talkerMessages", V::ofBits(0x7C), V::ofBits(0x82)},
        {"talker messages have no bit 0", 140, "255", "talkerMessages", V::ofBits(0), V::ofBits(0xFE)},
        {"announcements with the mark", 158, "3", "voiceAnnouncements", V::ofBits(0), V::ofBits(0x03)},
        {"bit mask above 255 sets every bit", 140, "256", "talkerMessages", V::ofBits(0), V::ofBits(0xFE)},
        {"negative bit mask sets none", 140, "-1", "talkerMessages", V::ofBits(0x82), V::ofBits(0)},
    };
    for (const ReadRule &rule : rules) {
        SCOPED_TRACE(rule.name);
        ParameterSet set = defaultSet();
        set.set(QLatin1String(rule.id), rule.before);
        QByteArray bytes = fileOf(set);
        setValueAt(bytes, rule.record, rule.value);
        writeBytes(bytes);
        const SettingsFileResult result = readSettingsFile(path(), set, model, englishTexts);
        ASSERT_TRUE(result.ok) << result.message.toStdString();
        EXPECT_EQ(set.value(QLatin1String(rule.id)), rule.after);
    }
}

TEST_F(SettingsFileTest, SettingsFileVoltageTakesTheLocalSeparator)
{
    const QString separator = QLocale().decimalPoint();
    QByteArray bytes = fileOf(defaultSet());
    setValueAt(bytes, 145, "12,5");
    setValueAt(bytes, 146, "10.5.1");
    const ParameterSet read = readBack(bytes);
    EXPECT_EQ(read.value(QStringLiteral("nominalVoltage")).text, QStringLiteral("12") + separator + u'5');
    EXPECT_EQ(read.value(QStringLiteral("undervoltageLevel")).text,
              QStringLiteral("10") + separator + QStringLiteral("5.1"));
}

TEST_F(SettingsFileTest, SettingsFileBlockingPolarityNumbering)
{
    const QByteArray written[] = {"0", "1", "3", "4", "2"};
    for (int option = 0; option < 5; ++option) {
        SCOPED_TRACE(option);
        ParameterSet set = defaultSet();
        set.set(QStringLiteral("blockingPolarity"), ParameterValue::choice(option));
        const QByteArray bytes = fileOf(set);
        EXPECT_EQ(valueAt(bytes, 18), written[option]);
        EXPECT_EQ(readBack(bytes).value(QStringLiteral("blockingPolarity")).index, option);
    }
    QByteArray bytes = fileOf(defaultSet());
    setValueAt(bytes, 18, "2");
    EXPECT_EQ(readBack(bytes).value(QStringLiteral("blockingPolarity")).index, 4);
    setValueAt(bytes, 18, "5");
    EXPECT_EQ(readBack(bytes).value(QStringLiteral("blockingPolarity")).index,
              defaultSet().value(QStringLiteral("blockingPolarity")).index);
}

struct Refusal {
    const char *name;
    int record;             // the record the message names
    QByteArray (*damage)(QByteArray file);
};

QByteArray withByte(QByteArray file, int record, int offset, char byte)
{
    file[(record - 1) * 50 + offset] = byte;
    return file;
}

QByteArray withValue(QByteArray file, int record, const QByteArray &value)
{
    setValueAt(file, record, value);
    return file;
}

TEST_F(SettingsFileTest, SettingsFileRefusesDamagedFilesUntouched)
{
    const Refusal refusals[] = {
        {"empty file", 1, [](QByteArray) { return QByteArray(); }},
        {"89 records", 90, [](QByteArray f) { return f.left(89 * 50); }},
        {"short and ragged", 90, [](QByteArray f) { return f.left(89 * 50 + 20); }},
        {"length not a multiple of 50", 101, [](QByteArray f) { return f.left(100 * 50 + 20); }},
        {"index not a number", 164, [](QByteArray f) { return withValue(f, 164, "1O"); }},
        {"index empty", 26, [](QByteArray f) { return withValue(f, 26, ""); }},
        {"index sign only", 12, [](QByteArray f) { return withValue(f, 12, "-"); }},
        {"index too big for a number", 12, [](QByteArray f) { return withValue(f, 12, "99999999999"); }},
        {"unit not a number", 96, [](QByteArray f) { return withValue(f, 96, "min"); }},
        {"bit mask not a number", 140, [](QByteArray f) { return withValue(f, 140, "12a"); }},
        {"key length above 16", 100, [](QByteArray f) { return withByte(f, 100, 0, 17); }},
        {"value length above 32", 120, [](QByteArray f) { return withByte(f, 120, 17, 33); }},
        {"value byte not ASCII", 2, [](QByteArray f) { return withValue(f, 2, "4\xe9"); }},
        {"control byte in a value", 145, [](QByteArray f) { return withValue(f, 145, "12\t5"); }},
    };
    const QByteArray good = fileOf(changedSet());
    const ParameterSet before = defaultSet();
    for (const Refusal &refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        writeBytes(refusal.damage(good));
        ParameterSet set = before;
        const SettingsFileResult result = readSettingsFile(path(), set, model, englishTexts);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.message.contains(path())) << result.message.toStdString();
        EXPECT_TRUE(result.message.contains(QStringLiteral("record %1:").arg(refusal.record)))
            << result.message.toStdString();
        EXPECT_EQ(set, before);
    }
}

TEST_F(SettingsFileTest, SettingsFileMissingFileIsNamed)
{
    ParameterSet set = defaultSet();
    const SettingsFileResult result = readSettingsFile(path(QStringLiteral("absent.GDL")), set, model, englishTexts);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.contains(path(QStringLiteral("absent.GDL"))));
    EXPECT_EQ(set, defaultSet());
}

TEST_F(SettingsFileTest, SettingsFileFailedWriteLeavesOldFileIntact)
{
    writeBytes("old contents");
    const QString underAFile = path() + QStringLiteral("/inner/x.GDL");
    const SettingsFileResult unwritable = writeSettingsFile(underAFile, defaultSet(), englishTexts);
    EXPECT_FALSE(unwritable.ok);
    EXPECT_TRUE(unwritable.message.contains(underAFile)) << unwritable.message.toStdString();

    ParameterSet set = defaultSet();
    set.set(QStringLiteral("hangUpCode"), ParameterValue::ofText(QStringLiteral("4\u00e9")));
    const SettingsFileResult notAscii = writeSettingsFile(path(), set, englishTexts);
    EXPECT_FALSE(notAscii.ok);
    EXPECT_TRUE(notAscii.message.contains(path())) << notAscii.message.toStdString();
    EXPECT_TRUE(notAscii.message.contains(QStringLiteral("record 2:"))) << notAscii.message.toStdString();

    EXPECT_EQ(readBytes(), QByteArray("old contents"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("settings.GDL")});
}

struct PathCase {
    const char *path;
    const char *fromOpenDialog;   // empty: accepted
    const char *fromCommandLine;
};

TEST(SettingsFilePath, SettingsFilePathChecks)
{
    const PathCase cases[] = {
        {"", "No file selected", "No file selected"},
        {"a.gdl", "No file selected", "No file selected"},
        {"abc.GDL", "No file selected", "No file selected"},
        {"abcd.GDL", "", ""},
        {"/home/tech/lift.gdl", "", ""},
        {"/home/tech/lift. gdl ", "", ""},
        {"/home/tech/lift.txt", "File not for Lift intercom configurator",
         "Selected file doesn't contain intercom settings"},
        {"/home/tech/v1.GDL/lift", "File not for Lift intercom configurator",
         "Selected file doesn't contain intercom settings"},
        {"/home/tech/liftGDL", "File not for Lift intercom configurator",
         "Selected file doesn't contain intercom settings"},
    };
    const LanguageTable texts;
    for (const PathCase &c : cases) {
        SCOPED_TRACE(c.path);
        const QString path = QString::fromLatin1(c.path);
        EXPECT_EQ(settingsPathProblem(path, SettingsPathSource::OpenDialog, texts),
                  QString::fromLatin1(c.fromOpenDialog));
        EXPECT_EQ(settingsPathProblem(path, SettingsPathSource::CommandLine, texts),
                  QString::fromLatin1(c.fromCommandLine));
    }
}

} // namespace
