#include "app/AppConfig.h"
#include "app/IniFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AppConfigTest : public ::testing::Test {
protected:
    QString folder() const { return dir.path() + u'/'; }
    QString configPath() const { return AppConfig::filePath(folder()); }

    void writeConfig(const QByteArray &bytes) const
    {
        QFile file(configPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir dir;
};

TEST_F(AppConfigTest, FirstStartCreatesTheFileWithItsDefaults)
{
    AppConfig config;
    QString error;
    EXPECT_FALSE(config.load(folder(), &error));
    EXPECT_TRUE(error.isEmpty());

    const IniFile ini(configPath());
    ASSERT_TRUE(ini.isRead());
    EXPECT_EQ(ini.value("Info", "Program for settings TKV-C, TKV-C2, Option, Talker, SwitchBoard"), "OK");
    EXPECT_EQ(ini.value("Info", "Config file with basic setting of program Ostrakel Configurator"), "OK");
    EXPECT_EQ(ini.value("-", "-"), "-");
    EXPECT_EQ(ini.value("Setup", "USB"), "0");
    EXPECT_EQ(ini.value("Setup", "COM"), "0");
    EXPECT_EQ(ini.value("Setup", "Lang"), "English.lng");
    EXPECT_EQ(ini.value("Setup", "LOGFILE"), "1");
    EXPECT_EQ(ini.value("Setup", "NEW-TKV"), "0");
    EXPECT_FALSE(ini.contains("Dimension", "Width"));
    EXPECT_FALSE(ini.contains("Dimension", "Height"));

    EXPECT_EQ(config.languageFilePath, folder() + "English.lng");
    EXPECT_EQ(config.width, 660);
    EXPECT_EQ(config.height, 607);
    EXPECT_TRUE(config.logFile);
    EXPECT_FALSE(config.newTkv);
    EXPECT_EQ(config.usb, 0);
    EXPECT_EQ(config.com, 0);
}

TEST_F(AppConfigTest, MissingKeysTakeTheirDefaults)
{
    writeConfig("[Setup]\r\nCOM=4\r\n");
    AppConfig config;
    EXPECT_TRUE(config.load(folder()));
    EXPECT_EQ(config.com, 4);
    EXPECT_EQ(config.usb, 0);
    EXPECT_EQ(config.languageFilePath, folder() + "English.lng");
    EXPECT_TRUE(config.logFile);
    EXPECT_TRUE(config.newTkv);  // a missing NEW-TKV means the new models
    EXPECT_EQ(config.width, 660);
    EXPECT_EQ(config.height, 570);
    EXPECT_TRUE(config.comPath.isEmpty());
    EXPECT_TRUE(config.sim.isEmpty());
}

TEST_F(AppConfigTest, ReadsEveryKeyCaseInsensitively)
{
    writeConfig("[SETUP]\nusb=1\nCom=5\nlang=German.lng\nLogFile=0\nnew-tkv=0\n"
                "COMPATH=/dev/serial/by-id/usb-x\nSIM=TKV-C3\n[dimension]\nWIDTH=800\nheight=700\n");
    AppConfig config;
    EXPECT_TRUE(config.load(folder()));
    EXPECT_EQ(config.usb, 1);
    EXPECT_EQ(config.com, 5);
    EXPECT_EQ(config.languageFilePath, folder() + "German.lng");
    EXPECT_FALSE(config.logFile);
    EXPECT_FALSE(config.newTkv);
    EXPECT_EQ(config.comPath, "/dev/serial/by-id/usb-x");
    EXPECT_EQ(config.sim, "TKV-C3");
    EXPECT_EQ(config.width, 800);
    EXPECT_EQ(config.height, 700);
}

TEST_F(AppConfigTest, SaveWritesItsKeysAndKeepsThePathsOthersWrote)
{
    AppConfig config;
    config.load(folder());
    ASSERT_TRUE(AppConfig::writePath(folder(), "FIRM", "/home/tech/firmware/"));
    ASSERT_TRUE(AppConfig::writePath(folder(), "AUDIO3", "/home/tech/voice/3.wav"));

    config.usb = 1;
    config.com = 2;
    config.languageFilePath = folder() + "German.lng";
    config.logFile = false;
    config.newTkv = true;
    config.comPath = "/dev/serial/by-id/usb-FTDI";
    config.width = 900;
    config.height = 650;
    config.left = 10;
    config.top = 20;
    QString error;
    ASSERT_TRUE(config.save(&error)) << error.toStdString();

    const IniFile ini(configPath());
    EXPECT_EQ(ini.value("Setup", "USB"), "1");
    EXPECT_EQ(ini.value("Setup", "COM"), "2");
    EXPECT_EQ(ini.value("Setup", "Lang"), "German.lng");
    EXPECT_EQ(ini.value("Setup", "LOGFILE"), "0");
    EXPECT_EQ(ini.value("Setup", "NEW-TKV"), "1");
    EXPECT_EQ(ini.value("Setup", "COMPATH"), "/dev/serial/by-id/usb-FTDI");
    EXPECT_EQ(ini.value("Dimension", "Width"), "900");
    EXPECT_EQ(ini.value("Dimension", "Left"), "10");
    EXPECT_EQ(ini.value("Dimension", "Top"), "20");
    EXPECT_EQ(ini.value("Info", "Program for settings TKV-C, TKV-C2, Option, Talker, SwitchBoard"), "OK");
    EXPECT_EQ(AppConfig::readPath(folder(), "FIRM"), "/home/tech/firmware/");
    EXPECT_EQ(AppConfig::readPath(folder(), "audio3"), "/home/tech/voice/3.wav");
    EXPECT_EQ(AppConfig::readPath(folder(), "AUDIO4", "none"), "none");

    AppConfig reloaded;
    EXPECT_TRUE(reloaded.load(folder()));
    EXPECT_EQ(reloaded.languageFilePath, config.languageFilePath);
    EXPECT_EQ(reloaded.width, 900);
}

TEST_F(AppConfigTest, UnwritableFolderReportsTheFile)
{
    AppConfig config;
    QString error;
    EXPECT_FALSE(config.load(dir.filePath("missing/"), &error));
    EXPECT_TRUE(error.contains("Config.ini")) << error.toStdString();
    EXPECT_EQ(config.languageFilePath, dir.filePath("missing/English.lng"));
}

} // namespace
