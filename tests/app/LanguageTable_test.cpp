#include "support/SourceData.h"

#include "app/LanguageDefaults.h"
#include "app/LanguageTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString englishLngPath()
{
    return sourceDataPath(QStringLiteral("English.lng"));
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << qPrintable(path);
    return file.readAll();
}

// Every catalogue entry whose text in table differs from its built-in default.
QStringList differingEntries(const LanguageTable &table)
{
    QStringList differing;
    for (const LanguageDefault &entry : languageDefaults()) {
        if (table.text(entry.section, entry.key) != QString::fromUtf8(entry.text))
            differing << QStringLiteral("%1 %2").arg(entry.section).arg(entry.key);
    }
    return differing;
}

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

TEST(LanguageTableCatalogue, SectionsInLoadOrderWithTheirEntryCounts)
{
    struct Section { const char *name; int entries; };
    const Section expected[] = {
        {"Info", 17}, {"Menu", 48}, {"Tree", 22}, {"Main", 29},
        {"Page1", 12}, {"Page2", 15}, {"Page3", 14}, {"Page4", 16}, {"Page5", 21},
        {"Page6", 8}, {"Page7", 12}, {"Page8", 13}, {"Page9", 13}, {"Page10", 6},
        {"Page11", 27}, {"Page12", 12}, {"Page13", 11}, {"Page14", 8}, {"Page15", 19},
        {"Firmware", 6}, {"Hint", 9}, {"Message", 83}, {"Help", 4}, {"Audio", 18},
        {"Remote", 54}, {"Compare", 10}, {"Talker", 26}, {"Power", 12}, {"I/O", 30},
        {"Device", 23}, {"Voice", 21}, {"Communication", 15},
        {"Extensions", 48},
    };
    QList<QPair<QString, int>> found;  // section, entry count, in table order
    int previousKey = 0;
    int catalogueEntries = 0;
    for (const LanguageDefault &entry : languageDefaults()) {
        const QString section = QString::fromLatin1(entry.section);
        if (found.isEmpty() || found.last().first != section) {
            found.append({section, 0});
            previousKey = 0;
        }
        EXPECT_GT(entry.key, previousKey) << entry.section << " " << entry.key;
        EXPECT_STRNE(entry.text, "") << entry.section << " " << entry.key;
        previousKey = entry.key;
        ++found.last().second;
        if (section != QLatin1String("Extensions"))
            ++catalogueEntries;
    }
    EXPECT_EQ(catalogueEntries, 634);
    ASSERT_EQ(found.size(), std::size(expected));
    for (qsizetype i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].first, expected[i].name);
        EXPECT_EQ(found[i].second, expected[i].entries) << expected[i].name;
    }
}

TEST(LanguageTableCatalogue, KeyRangesOfIrregularSections)
{
    struct Case { const char *section; int key; bool present; };
    const Case cases[] = {
        {"Menu", 9, true}, {"Menu", 10, false}, {"Menu", 14, false}, {"Menu", 17, false},
        {"Menu", 35, false}, {"Menu", 44, true}, {"Menu", 53, false}, {"Menu", 68, true},
        {"Tree", 12, false}, {"Tree", 14, true}, {"Page1", 6, false}, {"Page1", 16, true},
        {"Page11", 4, false}, {"Page11", 42, false}, {"Page11", 55, true},
        {"Page12", 4, false}, {"Page13", 20, true}, {"Page14", 2, false},
        {"Message", 46, false}, {"Message", 57, false}, {"Message", 91, true},
        {"I/O", 29, false}, {"I/O", 31, true}, {"Communication", 16, false},
    };
    const LanguageTable table;
    for (const Case &c : cases)
        EXPECT_EQ(!table.text(c.section, c.key).isEmpty(), c.present) << c.section << " " << c.key;
}

TEST_F(LanguageTableTest, DefaultsStandWithoutAFile)
{
    struct Case { const char *section; int key; const char *text; };
    const Case cases[] = {
        {"Info", 1, "Ostrakel Configurator"},
        {"Info", 17, "About..."},
        {"Menu", 45, "LogFile is enabled"},
        {"Menu", 65, "Time of connection"},
        {"Tree", 21, "and Power"},
        {"Main", 2, "min"},
        {"Page2", 15, "Konstant time detection (waiting time t) for DTMF answer select communicator (No 1-5)"},
        {"Page4", 15, "3sec delay open microphone after confirmation"},
        {"Page11", 40, "File is too big - not performed!"},
        {"Page15", 19, "EN8128 mode"},
        {"Firmware", 2, "Write to Pernotak"},
        {"Message", 9, "Communication error - Lift intercom is not connected"},
        {"Message", 25, "HEX file for Lift inteecom firmware"},
        {"Message", 67, "Wrong CPU type"},
        {"Message", 88, "Please disconnect the intercom from PC, wait 5 seconds and reconnect it."},
        {"Audio", 17, "Melody devices (TKV-C, TKV-C2 till firmware v 7.6)"},
        {"Remote", 33, "Isn't possible connect the communicator "},
        {"Remote", 54, ". Please, reconnect the device."},
        {"Compare", 10, "Compare reading values"},
        {"Talker", 19, "Ater dial  [Pleas wait]"},
        {"Power", 12, "Acoustic test"},
        {"I/O", 27, "ON once on counter"},
        {"Device", 23, "TKV-C3"},
        {"Voice", 3, "\"The location of the elevator is\""},
        {"Communication", 14, "Select either USB-LNK or USB-LNKv2 or USB-LNKv3"},
        {"Extensions", 1, "Cannot write the communication log"},
        {"message", 53, "Communication error"},
        {"Message", 9999, ""},
        {"NoSuchSection", 1, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(table.text(c.section, c.key), QString::fromUtf8(c.text)) << c.section << " " << c.key;
}

TEST_F(LanguageTableTest, MissingFileKeepsDefaultsAndTouchesNoOtherFile)
{
    const QString config = writeFile("Config.ini", "[Setup]\r\nLang=Missing.lng\r\n");
    const QString missing = dir.filePath("Missing.lng");

    EXPECT_FALSE(table.load(missing));
    EXPECT_TRUE(table.errorString().contains(missing)) << qPrintable(table.errorString());
    EXPECT_TRUE(differingEntries(table).isEmpty());
    EXPECT_EQ(readAll(config), "[Setup]\r\nLang=Missing.lng\r\n");
    EXPECT_FALSE(QFile::exists(missing));
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
    EXPECT_EQ(differingEntries(table),
              QStringList({"Info 1", "Message 53", "Device 21"}));

    // A second file replaces the first one completely.
    ASSERT_TRUE(table.load(writeFile("Other.lng", "[Device]\r\n22=Zwei\r\n")));
    EXPECT_EQ(differingEntries(table), QStringList({"Device 22"}));

    table.resetToDefaults();
    EXPECT_TRUE(differingEntries(table).isEmpty());
}

TEST_F(LanguageTableTest, FileEncodings)
{
    ASSERT_TRUE(table.load(writeFile("Cp1252.lng", "[Menu]\r\n8=Kommunikat\xf6r \x80\r\n")));
    EXPECT_EQ(table.text("Menu", 8), QString::fromUtf8("Kommunikatör €"));

    ASSERT_TRUE(table.load(writeFile("Utf8.lng", "\xef\xbb\xbf[Menu]\r\n8=Kommunikat\xc3\xb6r\r\n")));
    EXPECT_EQ(table.text("Menu", 8), QString::fromUtf8("Kommunikatör"));
}

TEST_F(LanguageTableTest, ComposedTexts)
{
    EXPECT_EQ(table.mainWindowCaption("9.02.01.17"), "Ostrakel Configurator   V9.02");
    EXPECT_EQ(table.mainWindowCaption(""), "Ostrakel Configurator   V");
    EXPECT_EQ(table.firmwareOpenButtonText(), "Open file *.HEX");
    EXPECT_EQ(table.bootloaderVersionLead() + "1.5" + table.bootloaderCpuLead() + "128KB",
              "Detected bootloader ver. 1.5 and CPU 128KB");
    EXPECT_EQ(table.readErrorNoDataText(), "      - No data was read -");
    EXPECT_EQ(table.readErrorDefaultDataText(), "      - default data -");
    EXPECT_EQ(table.printTitleSuffix(), " Settings of Lift intercom");

    ASSERT_TRUE(table.load(writeFile("German.lng",
                                     "[Info]\r\n1=Konfigurator\r\n[Firmware]\r\n1=\r\n"
                                     "[Message]\r\n50=Keine Daten\r\n81=Bootloader\r\n82=CPU\r\n")));
    EXPECT_EQ(table.mainWindowCaption("1.00"), "Konfigurator   V1.00");
    EXPECT_EQ(table.firmwareOpenButtonText(), " *.HEX");
    EXPECT_EQ(table.bootloaderVersionLead(), "Bootloader ");
    EXPECT_EQ(table.bootloaderCpuLead(), " CPU ");
    EXPECT_EQ(table.readErrorNoDataText(), "      - Keine Daten -");
}

// data/English.lng is generated by ostrakel-lng-gen; a default edited without
// regenerating the file fails here.
TEST_F(LanguageTableTest, EnglishLngMatchesTheBuiltInTexts)
{
    const QByteArray english = readAll(englishLngPath());
    const QString generated = dir.filePath("Generated.lng");
    ASSERT_TRUE(table.save(generated)) << qPrintable(table.errorString());
    EXPECT_EQ(english, readAll(generated));
    EXPECT_TRUE(english.startsWith("[Info]\r\n1=Ostrakel Configurator\r\n"));

    ASSERT_TRUE(table.load(englishLngPath()));
    EXPECT_TRUE(differingEntries(table).isEmpty()) << qPrintable(differingEntries(table).join(", "));

    // Texts with outer blanks or quotes survive the trip through the file.
    EXPECT_EQ(table.text("Remote", 33), "Isn't possible connect the communicator ");
    EXPECT_EQ(table.text("Page11", 13), " H1 = messsage  to cabin (waiting)");
    EXPECT_EQ(table.text("Voice", 9), "\"Incomming call accepted\"");
}

TEST_F(LanguageTableTest, OneChangedKeyChangesExactlyThatText)
{
    QByteArray bytes = readAll(englishLngPath());
    const QByteArray line = "\r\n53=Communication error\r\n";
    ASSERT_EQ(bytes.count(line), 1);
    bytes.replace(line, "\r\n53=Kommunikationsfehler\r\n");

    ASSERT_TRUE(table.load(writeFile("Changed.lng", bytes)));
    EXPECT_EQ(differingEntries(table), QStringList({"Message 53"}));
    EXPECT_EQ(table.text("Message", 53), "Kommunikationsfehler");
}

TEST_F(LanguageTableTest, SaveReplacesTheWholeFile)
{
    const QString path = writeFile("Old.lng", "[Stale]\r\n1=left over\r\n[Message]\r\n53=Alt\r\n");
    ASSERT_TRUE(table.load(writeFile("German.lng", "[Message]\r\n53=Fehler\r\n")));
    ASSERT_TRUE(table.save(path)) << qPrintable(table.errorString());
    const QByteArray saved = readAll(path);
    EXPECT_FALSE(saved.contains("Stale"));
    EXPECT_FALSE(saved.contains("Alt"));

    LanguageTable reloaded;
    ASSERT_TRUE(reloaded.load(path));
    EXPECT_EQ(differingEntries(reloaded), QStringList({"Message 53"}));

    EXPECT_FALSE(table.save(dir.filePath("no/such/folder/English.lng")));
    EXPECT_TRUE(table.errorString().contains("no/such/folder/English.lng"));
}

} // namespace
