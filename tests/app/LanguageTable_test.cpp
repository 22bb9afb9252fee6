#include "app/LanguageTable.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class LanguageTableTest : public ::testing::Test {
protected:
    QString writeFile(const QString &name, const QByteArray &bytes) const
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir dir;
    LanguageTable table;
};

TEST_F(LanguageTableTest, DefaultsStandWithoutAFile)
{
    struct Case { const char *section; int key; const char *text; };
    const Case cases[] = {
        {"Info", 1, "Ostrakel Configurator"},
        {"Message", 9, "Communication error - Lift intercom is not connected"},
        {"Message", 53, "Communication error"},
        {"Menu", 45, "LogFile is enabled"},
        {"Menu", 46, "LogFile is disabled"},
        {"Device", 21, "TKV-C"},
        {"Device", 23, "TKV-C3"},
        {"Communication", 6, "USB-LNKv2, USB-LNK v3 COM port"},
        {"Communication", 14, "Select either USB-LNK or USB-LNKv2 or USB-LNKv3"},
        {"Extensions", 1, "Cannot write the communication log"},
        {"Message", 9999, ""},
        {"NoSuchSection", 1, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(table.text(c.section, c.key), c.text) << c.section << " " << c.key;

    EXPECT_FALSE(table.load(dir.filePath("Missing.lng")));
    EXPECT_EQ(table.text("Message", 53), "Communication error");
}

TEST_F(LanguageTableTest, FileOverridesDefaultsAndEmptyValuesStayEmpty)
{
    const QString path = writeFile("German.lng",
                                   "[INFO]\r\n1=Ostrakel Konfigurator\r\n"
                                   "[Message]\r\n53=\r\n9999=not in the catalogue\r\n"
                                   "[Device]\r\n21 = TKV-C Modell \r\n");
    ASSERT_TRUE(table.load(path));
    EXPECT_EQ(table.text("Info", 1), "Ostrakel Konfigurator");
    EXPECT_EQ(table.text("Message", 53), "");
    EXPECT_EQ(table.text("Device", 21), "TKV-C Modell");
    EXPECT_EQ(table.text("Message", 9), "Communication error - Lift intercom is not connected");
    EXPECT_EQ(table.text("Message", 9999), "");

    // A second file replaces the first one completely.
    ASSERT_TRUE(table.load(writeFile("Other.lng", "[Device]\r\n22=Zwei\r\n")));
    EXPECT_EQ(table.text("Info", 1), "Ostrakel Configurator");
    EXPECT_EQ(table.text("Message", 53), "Communication error");
    EXPECT_EQ(table.text("Device", 22), "Zwei");

    table.resetToDefaults();
    EXPECT_EQ(table.text("Device", 22), "TKV-C2");
}

TEST_F(LanguageTableTest, FileEncodings)
{
    ASSERT_TRUE(table.load(writeFile("Cp1252.lng", "[Menu]\r\n8=Kommunikat\xf6r \x80\r\n")));
    EXPECT_EQ(table.text("Menu", 8), QString::fromUtf8("Kommunikatör €"));

    ASSERT_TRUE(table.load(writeFile("Utf8.lng", "\xef\xbb\xbf[Menu]\r\n8=Kommunikat\xc3\xb6r\r\n")));
    EXPECT_EQ(table.text("Menu", 8), QString::fromUtf8("Kommunikatör"));
}

} // namespace
