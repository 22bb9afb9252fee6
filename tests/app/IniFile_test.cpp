#include "app/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class IniFileTest : public ::testing::Test {
protected:
    QString path() const { return dir.filePath(QStringLiteral("test.ini")); }

    void writeBytes(const QByteArray &bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QByteArray readBytes() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
};

const QString longKey = QStringLiteral("Program for settings TKV-C, TKV-C2, Option, Talker, SwitchBoard");

TEST_F(IniFileTest, ReadsTheWayWindowsDoes)
{
    writeBytes("; a comment\r\n"
               "\r\n"
               "[Info]\r\n"
               "Program for settings TKV-C, TKV-C2, Option, Talker, SwitchBoard=OK\r\n"
               "[setup]\n"
               "  USB = 1 \n"
               "Lang=German.lng\n"
               "Empty=\n"
               "Eq=a=b\n"
               "Quoted=\"  padded  \"\n"
               ";COM=7\n"
               "NoEquals\n"
               "[Setup]\n"
               "COM=9\n");
    const IniFile ini(path());
    ASSERT_TRUE(ini.isRead());

    struct Case { const char *section; QString key; QString expected; };
    const Case cases[] = {
        {"INFO", longKey, "OK"},
        {"info", longKey.toUpper(), "OK"},
        {"Setup", "usb", "1"},
        {"SETUP", "LANG", "German.lng"},
        {"Setup", "Eq", "a=b"},
        {"Setup", "Quoted", "  padded  "},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ini.value(QString::fromLatin1(c.section), c.key), c.expected) << c.section << " " << c.key.toStdString();

    EXPECT_TRUE(ini.contains("Setup", "Empty"));
    EXPECT_EQ(ini.value("Setup", "Empty", "default"), "");
    EXPECT_EQ(ini.value("Setup", "Missing", "default"), "default");
    EXPECT_EQ(ini.value("Setup", "COM", "none"), "none");  // commented out; later duplicate section ignored
    EXPECT_FALSE(ini.contains("Setup", "NoEquals"));
    EXPECT_EQ(ini.intValue("Setup", "USB", 5), 1);
    EXPECT_EQ(ini.intValue("Setup", "Lang", 5), 5);
    EXPECT_EQ(ini.intValue("Setup", "Missing", 7), 7);
}

TEST_F(IniFileTest, MissingFileReadsAsEmpty)
{
    const IniFile ini(path());
    EXPECT_FALSE(ini.isRead());
    EXPECT_EQ(ini.value("Setup", "USB", "x"), "x");
}

TEST_F(IniFileTest, DecodesWindows1252WhenNotUtf8)
{
    writeBytes("[Main]\r\n1=Gr\xfc\xdf" "e \x80\r\n");
    EXPECT_EQ(IniFile(path()).value("Main", "1"), QString::fromUtf8("Grüße €"));

    writeBytes("[Main]\r\n1=Gr\xc3\xbc\xc3\x9f" "e\r\n");
    EXPECT_EQ(IniFile(path()).value("Main", "1"), QString::fromUtf8("Grüße"));
}

TEST_F(IniFileTest, WriteKeepsKeysAnotherWriterAddedAfterOurRead)
{
    writeBytes("[Setup]\r\nUSB=0\r\n");
    IniFile ours(path());
    ASSERT_TRUE(IniFile::writeValue(path(), "PATH", "FIRM", "/home/tech/fw/"));
    ASSERT_TRUE(IniFile::writeValue(path(), "Setup", "COM", "3"));

    ASSERT_TRUE(ours.setValue("setup", "usb", "1"));
    const IniFile after(path());
    EXPECT_EQ(after.value("Setup", "USB"), "1");
    EXPECT_EQ(after.value("Setup", "COM"), "3");
    EXPECT_EQ(after.value("PATH", "FIRM"), "/home/tech/fw/");
    EXPECT_EQ(ours.value("PATH", "FIRM"), "/home/tech/fw/");
}

TEST_F(IniFileTest, WriteChangesOnlyItsLine)
{
    writeBytes("; kept\r\n[Info]\r\nOld=1\r\n\r\n[Setup]\r\nUSB=0\r\nCOM=2\r\n\r\n[PATH]\r\nFIRM=/x/\r\n");
    IniFile ini(path());
    ASSERT_TRUE(ini.setValues({{"SETUP", "USB", "1"}, {"Setup", "Lang", "English.lng"},
                               {"Info", longKey, "OK"}, {"Dimension", "Width", "660"}}));
    EXPECT_EQ(readBytes(),
              "; kept\r\n[Info]\r\nOld=1\r\n" + longKey.toUtf8() + "=OK\r\n\r\n"
              "[Setup]\r\nUSB=1\r\nCOM=2\r\nLang=English.lng\r\n\r\n[PATH]\r\nFIRM=/x/\r\n"
              "[Dimension]\r\nWidth=660\r\n");
}

TEST_F(IniFileTest, WriteKeepsLfLineEndsAndRecodesWindows1252AsUtf8)
{
    writeBytes("[Main]\n1=Gr\xfc\xdf" "e\n");
    ASSERT_TRUE(IniFile::writeValue(path(), "Main", "2", "x"));
    EXPECT_EQ(readBytes(), "[Main]\n1=Gr\xc3\xbc\xc3\x9f" "e\n2=x\n");
}

TEST_F(IniFileTest, ValuesReadBackExactly)
{
    const QString values[] = {"", "  leading and trailing  ", "\"quoted\"", "a=b;c", QString::fromUtf8("Ünï")};
    for (const QString &value : values) {
        ASSERT_TRUE(IniFile::writeValue(path(), "PATH", "AUDIO1", value));
        EXPECT_EQ(IniFile::readValue(path(), "PATH", "AUDIO1", "missing"), value);
    }
}

TEST_F(IniFileTest, RefusesWhatCannotBeStoredAndLeavesTheFile)
{
    writeBytes("[Setup]\r\nUSB=0\r\n");
    const IniEntry bad[] = {
        {"Setup", "Key", "two\nlines"},
        {"Setup", "A=B", "1"},
        {"Setup", "", "1"},
        {"Se]tup", "Key", "1"},
        {"Setup", ";Key", "1"},
    };
    for (const IniEntry &entry : bad) {
        IniFile ini(path());
        EXPECT_FALSE(ini.setValues({{"Setup", "USB", "1"}, entry}));
        EXPECT_FALSE(ini.errorString().isEmpty());
        EXPECT_EQ(readBytes(), "[Setup]\r\nUSB=0\r\n");
    }
}

TEST_F(IniFileTest, UnwritableFolderGivesAnErrorNamingTheFile)
{
    const QString missingFolderFile = dir.filePath("no/such/folder/test.ini");
    QString error;
    EXPECT_FALSE(IniFile::writeValue(missingFolderFile, "Setup", "USB", "1", &error));
    EXPECT_TRUE(error.contains(missingFolderFile)) << error.toStdString();
}

} // namespace
