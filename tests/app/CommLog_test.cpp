#include "app/CommLog.h"
#include "support/RecordingMessagePresenter.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray separator = "========================\r\n";

class CommLogTest : public ::testing::Test {
protected:
    QString logPath() const { return dir.filePath("LOG_comm_file.TXT"); }

    QByteArray contents() const
    {
        QFile file(logPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The lines of the file; date-time lines checked against the clock and replaced by "<time>".
    QList<QByteArray> lines() const
    {
        QList<QByteArray> result = contents().split('\n');
        EXPECT_TRUE(result.takeLast().isEmpty()) << "the file ends with a line end";
        for (QByteArray &line : result) {
            EXPECT_TRUE(line.endsWith('\r'));
            line.chop(1);
            if (isDateTimeSinceStart(line))
                line = "<time>";
        }
        return result;
    }

    static QByteArray dateTimeText(const QDateTime &when)
    {
        const QLocale locale = QLocale::system();
        return (locale.toString(when.date(), QLocale::ShortFormat) + '-'
                + locale.toString(when.time(), QLocale::LongFormat)).toUtf8();
    }

    // A date-time line of any second between the test's start and now.
    bool isDateTimeSinceStart(const QByteArray &line) const
    {
        const QDateTime now = QDateTime::currentDateTime().addSecs(1);
        for (QDateTime t = start; t <= now; t = t.addSecs(1))
            if (line == dateTimeText(t))
                return true;
        return false;
    }

    QTemporaryDir dir;
    RecordingMessagePresenter messages;
    QDateTime start = QDateTime::currentDateTime();
};

TEST_F(CommLogTest, StartAndStopFrameTheLog)
{
    QFile old(logPath());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("from an earlier run\r\n");
    old.close();

    CommLog log(logPath(), &messages);
    EXPECT_FALSE(log.isEnabled());
    log.begin("Ostrakel Configurator V1.0.");
    EXPECT_TRUE(log.isEnabled());
    log.writeLine(">>> Read parameters <<<");
    log.stop();
    log.writeLine("after the end");

    EXPECT_EQ(lines(), (QList<QByteArray>{
                           ">>>> Start Report <<<< (NEW - 2017)",
                           "========================",
                           "Ostrakel Configurator V1.0.",
                           "<time>",
                           ">>> Read parameters <<<",
                           "Program closed",
                           "<time>",
                           "========================",
                           ">>> Report ended <<<",
                       }));
    EXPECT_TRUE(log.isEnabled());  // stays what Config.ini remembers
    EXPECT_TRUE(messages.messages.isEmpty());
}

TEST_F(CommLogTest, SwitchingOffAndOnStartsAFreshFile)
{
    CommLog log(logPath(), &messages);
    log.begin("Caption");
    log.writeLine("lost line");
    log.switchOff();
    EXPECT_FALSE(log.isEnabled());
    log.writeLine("written while off");
    log.writeRaw("raw while off");
    log.writeDateTime();
    EXPECT_EQ(lines().mid(5), (QList<QByteArray>{"<time>", "========================",
                                                 ">>> Disable report <<<"}));

    log.switchOn("Caption 2");
    EXPECT_TRUE(log.isEnabled());
    log.writeLine(QString::fromUtf8("Language: /home/tëch/Deutsch.lng"));
    EXPECT_EQ(lines(), (QList<QByteArray>{">>>> Start Report <<<<", "========================",
                                         "Caption 2", "<time>",
                                         "Language: /home/t\xc3\xab" "ch/Deutsch.lng"}));
}

TEST_F(CommLogTest, DeviceBytesAreWrittenUnchanged)
{
    CommLog log(logPath(), &messages);
    log.begin("Caption");
    QByteArray raw;
    for (int byte = 0; byte < 256; ++byte)
        raw.append(char(byte));
    log.writeRaw(raw);
    log.writeRaw(QByteArray("\r\n\0\xff", 4));
    log.stop();
    const QByteArray text = contents();
    EXPECT_TRUE(text.contains(separator + "Caption\r\n"));
    EXPECT_TRUE(text.contains(raw + "\r\n" + QByteArray("\r\n\0\xff", 4) + "\r\nProgram closed\r\n"));
}

TEST_F(CommLogTest, UnwritableLogShowsOneMessageAndGoesOn)
{
    const QString path = dir.filePath("missing-folder/LOG_comm_file.TXT");
    CommLog log(path, &messages);
    log.begin("Caption");
    log.writeLine("one");
    log.writeRaw("two");
    log.stop();
    ASSERT_EQ(messages.messages.size(), 1);
    EXPECT_TRUE(messages.messages[0].startsWith("Cannot write the communication log " + path + ": "))
        << messages.messages[0].toStdString();

    // Once the folder exists the log writes again; a later failure is shown again.
    ASSERT_TRUE(QDir().mkpath(dir.filePath("missing-folder")));
    log.switchOn("Caption");
    log.writeLine("written");
    EXPECT_EQ(messages.messages.size(), 1);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().endsWith("written\r\n"));

    QFile::remove(path);
    ASSERT_TRUE(QDir().rmdir(dir.filePath("missing-folder")));
    log.setFailureText("Protokoll nicht schreibbar");
    log.switchOn("Caption");
    ASSERT_EQ(messages.messages.size(), 2);
    EXPECT_TRUE(messages.messages[1].startsWith("Protokoll nicht schreibbar " + path));
}

} // namespace
