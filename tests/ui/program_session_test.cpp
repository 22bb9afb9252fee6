#include "support/SourceData.h"
#include "support/WindowFixture.h"

#include "app/CommLog.h"
#include "app/IniFile.h"
#include "app/ProgramFolder.h"
#include "params/SettingsFile.h"
#include "ui/CableSelectionDialog.h"
#include "ui/PageTree.h"
#include "ui/ProgramSession.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTest>

namespace {

class ProgramSessionTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        session_ = std::make_unique<ProgramSession>(*state_, *window_);
        session_->openCableSelection = [this] { ++cableSelections_; };
    }
    void TearDown() override
    {
        session_.reset();
        WindowFixture::TearDown();
    }
    QString folderFile(const QString &name) const { return ProgramFolder::path() + name; }
    QByteArray contentsOf(const QString &name) const
    {
        QFile file(folderFile(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeFile(const QString &name, const QByteArray &contents) const
    {
        QFile file(folderFile(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(contents);
    }
    void start(const QString &port = {}, const std::optional<QString> &file = std::nullopt)
    {
        session_->start(port, file);
        QApplication::processEvents();
    }

    std::unique_ptr<ProgramSession> session_;
    int cableSelections_ = 0;
};

TEST_F(ProgramSessionTest, FirstStartCreatesTheSettingsStartsTheLogAndAsksForTheCable)
{
    start();
    const IniFile config(folderFile(QStringLiteral("Config.ini")));
    EXPECT_EQ(config.value(QStringLiteral("Setup"), QStringLiteral("NEW-TKV")), QStringLiteral("0"));
    EXPECT_EQ(config.value(QStringLiteral("Setup"), QStringLiteral("LOGFILE")), QStringLiteral("1"));
    EXPECT_EQ(config.value(QStringLiteral("Setup"), QStringLiteral("Lang")), QStringLiteral("English.lng"));
    EXPECT_FALSE(contentsOf(QStringLiteral("Config.ini")).contains("[Dimension]"));
    EXPECT_TRUE(state_->log().isEnabled());
    EXPECT_TRUE(contentsOf(QStringLiteral("log.txt")).startsWith(">>>> Start Report <<<< (NEW - 2017)"));
    EXPECT_EQ(cableSelections_, 1);
    EXPECT_TRUE(messages_.messages.isEmpty()) << messages_.messages.join(QLatin1Char('\n')).toStdString();
}

TEST_F(ProgramSessionTest, StoredCableThatDoesNotOpenAsksWithoutAMessage)
{
    // No USB-LNK is plugged in here.
    writeFile(QStringLiteral("Config.ini"), "[Setup]\r\nUSB=1\r\nCOM=0\r\nLOGFILE=0\r\nNEW-TKV=1\r\n");
    start();
    EXPECT_FALSE(state_->linkReady());
    EXPECT_EQ(cableSelections_, 1);
    EXPECT_TRUE(messages_.messages.isEmpty()) << messages_.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_FALSE(state_->log().isEnabled());
    EXPECT_EQ(state_->model(), CommunicatorModel::TkvC2);
}

TEST_F(ProgramSessionTest, StoredSimulatorComesBackWithoutAsking)
{
    writeFile(QStringLiteral("Config.ini"), "[Setup]\r\nSIM=TKV-C2\r\nNEW-TKV=1\r\n[Dimension]\r\nWidth=900\r\nHeight=650\r\n");
    start();
    EXPECT_TRUE(state_->linkReady());
    EXPECT_EQ(state_->port(), QStringLiteral("sim:TKV-C2"));
    EXPECT_EQ(cableSelections_, 0);
    EXPECT_EQ(window_->size(), QSize(900, 650));
}

TEST_F(ProgramSessionTest, CancelKeepsEverythingAndNoWritesSettingsAndEndsTheLog)
{
    start(QStringLiteral("sim:TKV-C3"));
    const QByteArray configBefore = contentsOf(QStringLiteral("Config.ini"));
    const QByteArray logBefore = contentsOf(QStringLiteral("log.txt"));
    window_->resize(800, 600);

    messages_.threeWayAnswer = Answer::Cancel;
    EXPECT_FALSE(session_->close());
    EXPECT_EQ(contentsOf(QStringLiteral("Config.ini")), configBefore);
    EXPECT_EQ(contentsOf(QStringLiteral("log.txt")), logBefore);
    EXPECT_EQ(messages_.questions, QStringList{QStringLiteral("Do you want to save settings to a file?")});

    messages_.threeWayAnswer = Answer::No;
    EXPECT_TRUE(session_->close());
    const IniFile config(folderFile(QStringLiteral("Config.ini")));
    EXPECT_EQ(config.value(QStringLiteral("Dimension"), QStringLiteral("Width")), QStringLiteral("800"));
    EXPECT_EQ(config.value(QStringLiteral("Setup"), QStringLiteral("SIM")), QStringLiteral("TKV-C3"));
    EXPECT_EQ(config.value(QStringLiteral("Setup"), QStringLiteral("USB")), QStringLiteral("0"));
    EXPECT_TRUE(contentsOf(QStringLiteral("log.txt")).trimmed().endsWith(">>> Report ended <<<"));
}

TEST_F(ProgramSessionTest, SettingsFileOnTheCommandLine)
{
    ParameterSet set;
    ParameterStatus status;
    applyDefaults(set, status, CommunicatorModel::TkvC);
    ParameterValue number = set.value(QStringLiteral("serviceNumber"));
    number.text = QStringLiteral("0421");
    set.set(QStringLiteral("serviceNumber"), number);
    const QString odd = folderFile(QStringLiteral("lift. gdl "));
    ASSERT_TRUE(writeSettingsFile(odd, set, state_->texts()).ok);

    struct Case {
        QString argument;
        QString message;  // empty: the file is loaded
    };
    const Case cases[] = {
        {QStringLiteral("a.gdl"), QStringLiteral("No file selected")},
        {folderFile(QStringLiteral("notes.txt")), QStringLiteral("Selected file doesn't contain intercom settings")},
        {odd, QString()},
    };
    for (const Case &c : cases) {
        messages_.messages.clear();
        start(QStringLiteral("sim:TKV-C"), c.argument);
        if (c.message.isEmpty()) {
            EXPECT_TRUE(messages_.messages.isEmpty()) << messages_.messages.join(QLatin1Char('\n')).toStdString();
            EXPECT_EQ(state_->settingsFilePath, odd);
            EXPECT_EQ(editor("serviceNumber").edit()->text(), QStringLiteral("0421"));
        } else {
            EXPECT_EQ(messages_.messages, QStringList{c.message}) << c.argument.toStdString();
            EXPECT_TRUE(state_->settingsFilePath.isEmpty());
        }
    }
}

TEST_F(ProgramSessionTest, LanguageMenuListsElevenFilesAndReTextsTheWindow)
{
    // German.lng as shipped, and eleven more files that sort after it.
    ASSERT_TRUE(QFile::copy(sourceDataPath(QStringLiteral("German.lng")), folderFile(QStringLiteral("German.lng"))));
    for (int file = 0; file < 11; ++file)
        writeFile(QStringLiteral("Lang%1.lng").arg(file, 2, 10, QLatin1Char('0')), "[Menu]\r\n1=File\r\n");
    start(QStringLiteral("sim:TKV-C"));
    QMenu *languages = window_->languageMenu();
    ASSERT_EQ(languages->actions().size(), 11);
    EXPECT_EQ(languages->actions().first()->text(), QStringLiteral("German"));
    EXPECT_EQ(languages->actions().last()->text(), QStringLiteral("Lang09"));

    window_->showNode(0);
    languages->actions().first()->trigger();
    EXPECT_EQ(window_->menuBar()->actions().first()->text(), QStringLiteral("Datei"));
    EXPECT_EQ(window_->pageTree()->node(0)->text(0), QStringLiteral("Grundparameter"));
    EXPECT_TRUE(editor("servicePassword").label()->text().startsWith(QStringLiteral("44 Passwort")));
    EXPECT_TRUE(window_->statusPanel(2)->text().startsWith(QStringLiteral("Datei: ")));
    EXPECT_EQ(window_->cableDialog()->windowTitle(), QStringLiteral("Auswahl USB-Kabel"));
    EXPECT_EQ(state_->config.languageFilePath, folderFile(QStringLiteral("German.lng")));
    // The values on the pages are those of before.
    EXPECT_EQ(editor("servicePassword").edit()->text(), state_->parameters().value(QStringLiteral("servicePassword")).text);
    EXPECT_TRUE(messages_.messages.isEmpty()) << messages_.messages.join(QLatin1Char('\n')).toStdString();
}

// A second start while the program runs ends at once, without a window.
TEST(ProgramEntry, SecondInstanceEndsAtOnce)
{
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("OSTRAKEL_HOME"), home.path());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    QProcess first;
    first.setProcessEnvironment(environment);
    first.start(QStringLiteral(OSTRAKEL_GUI_EXE), {QStringLiteral("--port"), QStringLiteral("sim:TKV-C")});
    ASSERT_TRUE(first.waitForStarted());
    // The first copy holds the lock once its Config.ini exists.
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(home.filePath(QStringLiteral("Config.ini"))); }, 20000));

    QProcess second;
    second.setProcessEnvironment(environment);
    second.start(QStringLiteral(OSTRAKEL_GUI_EXE), {QStringLiteral("--port"), QStringLiteral("sim:TKV-C")});
    EXPECT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitCode(), 0);
    EXPECT_EQ(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

} // namespace
