#include "app/LanguageTable.h"
#include "compare/ComparisonRows.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString label = QStringLiteral("43 Hang up by code from telephone").leftJustified(50);

TEST(ReadingComparisonRows, RightAlignValuesInFiveAndFourCharacters)
{
    const struct {
        int previous;
        int next;
        const char *values;
    } cases[] = {
        {255, 255, "  <   255 /  >  255"},  // one more leading blank in the previous column
        {0, 255, "  <     0 /  >  255"},
        {255, 0, "  <   255 /  >    0"},
        {68, 85, "  <    68 /  >   85"},
        {7, 12, "  <     7 /  >   12"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(comparisonRow(label, c.previous, c.next), label + QLatin1String(c.values))
            << c.previous << " / " << c.next;
}

TEST(ReadingComparisonRows, HeaderUsesTheLanguageTextsLogHeaderTheFixedWords)
{
    const QString fixedLogHeader = QStringLiteral("Parameter") + QString(41, QLatin1Char(' '))
                                   + QStringLiteral("  < Orig. /  > New");
    const LanguageTable defaults;
    EXPECT_EQ(comparisonHeader(defaults),
              QStringLiteral("Parameter") + QString(41, QLatin1Char(' ')) + QStringLiteral("  < Orig. /  >   New"));
    EXPECT_EQ(comparisonLogHeader(), fixedLogHeader);

    const struct {
        const char *file;   // the [Compare] section
        const char *header;
    } cases[] = {
        // [Compare] 8 keeps its last five characters; [Compare] 9 is never cut.
        {"7=Parametr\r\n8=Original\r\n9=Neuer Wert\r\n",
         "Parametr                                            < ginal /  > Neuer Wert"},
        {"7=Par\r\n8=Alt\r\n9=Neu\r\n",
         "Par                                                 <   Alt /  >   Neu"},
        // [Compare] 7 is cut to 50 characters.
        {"7=Name of the parameter that the byte of the image belongs to\r\n",
         "Name of the parameter that the byte of the image b  < Orig. /  >   New"},
    };
    QTemporaryDir dir;
    for (const auto &c : cases) {
        const QString path = dir.filePath(QStringLiteral("Language.lng"));
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("[Compare]\r\n") + c.file);
        file.close();
        LanguageTable texts;
        ASSERT_TRUE(texts.load(path));
        EXPECT_EQ(comparisonHeader(texts), QLatin1String(c.header)) << c.file;
        EXPECT_EQ(comparisonLogHeader(), fixedLogHeader);
    }
}

} // namespace
