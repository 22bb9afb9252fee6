#include "support/WindowFixture.h"

#include "ui/DeviceDataPage.h"
#include "ui/Lamp.h"
#include "ui/PageExtras.h"
#include "ui/PageTree.h"

#include <QDialog>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QTest>

namespace {

using WindowDeviceTest = WindowFixture;
constexpr auto C = CommunicatorModel::TkvC;
constexpr auto C2 = CommunicatorModel::TkvC2;
constexpr auto C3 = CommunicatorModel::TkvC3;

const QString timeOutMessage = QStringLiteral("Communication error - Lift intercom is not connected");

TEST_F(WindowDeviceTest, WithoutADeviceReadingAndWritingStayDisabled)
{
    SimDevice &sim = connectSimulator("TKV-C2");
    sim.faults.silent = true;
    for (int tick = 0; tick < 3; ++tick) {
        window_->pollDevice();
        runUntilIdle();
        EXPECT_TRUE(state_->deviceInfo().deviceType.isEmpty());
        EXPECT_FALSE(window_->readAction()->isEnabled());
        EXPECT_FALSE(window_->writeAction()->isEnabled());
    }
}

TEST_F(WindowDeviceTest, IdentificationFillsThePanelAndEnablesTheCommands)
{
    struct Case {
        const char *kind;
        CommunicatorModel startModel;
        const char *deviceMenu;
        bool alarm;
    };
    const Case cases[] = {
        {"TKV-C", C, "Communicator TKV-C", true},
        {"TKV-C2", C2, "Communicator TKV-C2", true},
        {"TKV-C3", C2, "Communicator TKV-C3", true},
        {"Option", C, "Option module", false},
        {"Switch", C, "SwitchBoard", false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.kind);
        selectModel(c.startModel);
        connectSimulator(c.kind);
        ASSERT_TRUE(identify());
        EXPECT_TRUE(window_->readAction()->isEnabled());
        EXPECT_TRUE(window_->writeAction()->isEnabled());
        EXPECT_TRUE(window_->defaultValueAction()->isEnabled());
        // Only a communicator has a service-call timer and a reset count.
        EXPECT_EQ(window_->deleteResetsAction()->isEnabled(), c.alarm);
        EXPECT_EQ(window_->deleteServiceTimeAction()->isEnabled(), c.alarm);
        EXPECT_EQ(window_->statusPanel(1)->text(), QStringLiteral("Firmware: ") + state_->deviceInfo().version);
        EXPECT_EQ(window_->statusPanel(0)->text(), QStringLiteral("Simulator"));
        EXPECT_EQ(window_->devicePanel()->modelSelector()->isHidden(), !c.alarm);
    }
}

TEST_F(WindowDeviceTest, VoiceModuleShowsTheTalkerItemAndNoParameterCommands)
{
    selectModel(C2);
    connectSimulator("Talker");
    // The module's own window opens; here it is closed at once.
    window_->runDialog = [](QDialog &) { return int(QDialog::Rejected); };
    ASSERT_TRUE(identify());
    ASSERT_EQ(state_->deviceInfo().deviceType, QStringLiteral("Talker"));
    window_->pollDevice();
    EXPECT_TRUE(window_->talkerAction()->isVisible());
    EXPECT_FALSE(window_->readAction()->isEnabled());
    EXPECT_FALSE(window_->writeAction()->isEnabled());
    EXPECT_FALSE(window_->voiceAction()->isEnabled());
    // The menus are usable again, so another cable can be chosen.
    EXPECT_TRUE(window_->menuBar()->actions().first()->isEnabled());
}

TEST_F(WindowDeviceTest, LampsShowTheIdentification)
{
    selectModel(C2);
    connectSimulator("TKV-C2");
    ASSERT_TRUE(identify());
    const DeviceInfo &info = state_->deviceInfo();
    DevicePanel *panel = window_->devicePanel();
    EXPECT_NE(info.supplyVoltageLamp, LampColour::Neutral);
    EXPECT_EQ(panel->firstVoltageLamp()->colour(), info.supplyVoltageLamp);
    EXPECT_EQ(panel->secondVoltageLamp()->colour(), info.secondVoltageLamp);
    const QList<Lamp *> &ioLamps = window_->pageExtras()->ioLamps();
    ASSERT_EQ(ioLamps.size(), DeviceInfo::ioLampCount);
    bool anyActive = false;
    for (int lamp = 0; lamp < ioLamps.size(); ++lamp) {
        EXPECT_EQ(ioLamps[lamp]->colour(), info.ioLamps[lamp]) << DeviceInfo::ioLampNames[lamp];
        anyActive = anyActive || info.ioLamps[lamp] == LampColour::Green;
    }
    EXPECT_TRUE(anyActive) << "the simulator reports at least one active input or output";

    // The device goes away: the next ticks paint every lamp neutral.
    state_->simDevice()->faults.silent = true;
    for (int tick = 0; tick < 2; ++tick) {
        window_->pollDevice();
        runUntilIdle();
    }
    window_->pollDevice();
    EXPECT_EQ(panel->firstVoltageLamp()->colour(), LampColour::Neutral);
    for (Lamp *lamp : ioLamps)
        EXPECT_EQ(lamp->colour(), LampColour::Neutral);
}

TEST_F(WindowDeviceTest, DoubleClicksToggleTheStatusLamps)
{
    struct Case {
        CommunicatorModel model;
        bool ioLampTogglesAlarm;
    };
    for (const Case &c : {Case{C, false}, Case{C2, true}}) {
        selectModel(c.model);
        DevicePanel *panel = window_->devicePanel();
        state_->status().serviceRedialActive = false;
        Q_EMIT panel->serviceLamp()->doubleClicked();
        EXPECT_EQ(panel->serviceLamp()->colour(), LampColour::Green);
        Q_EMIT panel->firstVoltageLamp()->doubleClicked();
        EXPECT_EQ(panel->serviceLamp()->colour(), LampColour::Red);
        EXPECT_FALSE(state_->status().serviceRedialActive);

        const bool alarmBefore = state_->status().alarmActive;
        Q_EMIT window_->pageExtras()->ioLamps().constFirst()->doubleClicked();
        EXPECT_EQ(state_->status().alarmActive != alarmBefore, c.ioLampTogglesAlarm) << modelName(c.model).toStdString();
    }
}

TEST_F(WindowDeviceTest, TkvC3PagesFollowItsFeatures)
{
    struct Case {
        quint8 features;
        const char *node11;
        bool externalPowerRows;
        bool numberSelectors;
    };
    const Case cases[] = {
        {0x4F, "Tests and Power", true, false},
        {0x4E, "Tests", false, false},
        {0xCF, "Tests and Power", true, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.features);
        selectModel(C2);
        SimDevice &sim = connectSimulator("TKV-C3");
        sim.c3FeatureFlags = c.features;
        ASSERT_TRUE(identify());
        ASSERT_EQ(state_->model(), C3);
        EXPECT_EQ(window_->pageTree()->node(11)->text(0), QString::fromLatin1(c.node11));
        for (const char *id : {"nominalVoltage", "powerFailureCall", "lineFailureIndication"})
            EXPECT_EQ(editor(id).isShown(), c.externalPowerRows) << id;
        // Tests without external power stay.
        EXPECT_TRUE(editor("stuckButtonTest").isShown());
        EXPECT_EQ(!window_->pageExtras()->outputSelector()->parentWidget()->isHidden(), c.numberSelectors);
        // Device data page: the model code 3 reads as the TKV-C3.
        window_->showNode(10);
        EXPECT_EQ(window_->pages()->currentIndex(), ParameterPages::deviceDataPage);
        EXPECT_EQ(window_->deviceDataPage()->modelLabel()->text(), QStringLiteral("TKV-C3"));
    }
}

TEST_F(WindowDeviceTest, ExpertViewShowsTheDeviceInfo)
{
    selectModel(C2);
    connectSimulator("TKV-C3");
    ASSERT_TRUE(identify());
    window_->showNode(10);
    EXPECT_TRUE(window_->deviceDataPage()->infoGroup()->isHidden());
    window_->setExpertView(true);
    EXPECT_FALSE(window_->deviceDataPage()->infoGroup()->isHidden());
}

TEST_F(WindowDeviceTest, ParallelModeAddressOnModelCodeThree)
{
    selectModel(C2);
    connectSimulator("TKV-C3");
    ASSERT_TRUE(identify());
    ASSERT_EQ(state_->deviceInfo().modelCode, 3);
    EXPECT_FALSE(editor("parallelMode").isShown());
    ParameterValue on = state_->parameters().value(QStringLiteral("parallelMode"));
    on.flag = true;
    state_->parameters().set(QStringLiteral("parallelMode"), on);
    window_->pageExtras()->valuesChanged();
    EXPECT_EQ(editor("parallelNumber").label()->text(), QStringLiteral("Parallel mode address:"));
}

// Values changed on several pages survive a write and a new read.
TEST_F(WindowDeviceTest, WrittenValuesComeBackOnTheNextRead)
{
    for (const char *kind : {"TKV-C", "TKV-C2", "TKV-C3"}) {
        SCOPED_TRACE(kind);
        selectModel(QLatin1String(kind) == QLatin1String("TKV-C") ? C : C2);
        connectSimulator(kind);
        ASSERT_TRUE(identify());
        window_->readParameters();
        ASSERT_TRUE(runUntilIdle());
        ASSERT_EQ(state_->exchange()->lastResult(), ExchangeResult::Completed);

        QComboBox *volume = editor("maxCallDuration").list();
        const int newVolume = (volume->currentIndex() + 1) % volume->count();
        volume->setCurrentIndex(newVolume);
        Q_EMIT volume->activated(newVolume);
        QLineEdit *number = editor("serviceNumber").edit();
        number->clear();
        QTest::keyClicks(number, QStringLiteral("0h42k"));
        QCheckBox *confirming = editor("serviceNumber").checkBox();
        confirming->click();
        const bool confirmingNow = confirming->isChecked();
        window_->writeParameters();
        ASSERT_TRUE(runUntilIdle());
        ASSERT_EQ(state_->exchange()->lastResult(), ExchangeResult::Completed);

        // Spoil the window's copy; the read brings the device's values back.
        number->setText(QStringLiteral("9"));
        volume->setCurrentIndex(-1);
        window_->pages()->store();
        window_->readParameters();
        ASSERT_TRUE(runUntilIdle());
        EXPECT_EQ(number->text(), QStringLiteral("0*42#"));
        EXPECT_EQ(confirming->isChecked(), confirmingNow);
        EXPECT_EQ(volume->currentIndex(), newVolume);
        EXPECT_TRUE(messages_.messages.isEmpty()) << messages_.messages.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(window_->readAction()->isEnabled());
    }
}

TEST_F(WindowDeviceTest, SilenceDuringAReadEndsInTheTimeOutMessage)
{
    selectModel(C2);
    SimDevice &sim = connectSimulator("TKV-C2");
    ASSERT_TRUE(identify());
    sim.faults.silent = true;
    window_->readParameters();
    ASSERT_TRUE(runUntilIdle());
    EXPECT_EQ(state_->exchange()->lastResult(), ExchangeResult::TimedOut);
    EXPECT_EQ(messages_.messages, QStringList{timeOutMessage});
    EXPECT_TRUE(window_->findChild<QProgressBar *>()->isHidden());
    EXPECT_TRUE(window_->isPolling()) << "the device poll runs again after the exchange";
}

TEST_F(WindowDeviceTest, DefaultValueAsksFirstAndWritesOnlyOnYes)
{
    selectModel(C2);
    SimDevice &sim = connectSimulator("TKV-C2");
    ASSERT_TRUE(identify());
    for (bool yes : {false, true}) {
        messages_.answer = yes;
        messages_.questions.clear();
        sim.received.clear();
        window_->defaultValueAction()->trigger();
        runUntilIdle();
        EXPECT_EQ(messages_.questions,
                  QStringList{QStringLiteral("Do you want to overwrite the default settings in the Alarm communicator?")});
        EXPECT_EQ(sim.received.contains('W'), yes);
    }
}

TEST_F(WindowDeviceTest, DeleteResetsWritesZero)
{
    selectModel(C2);
    connectSimulator("TKV-C2");
    ASSERT_TRUE(identify());
    ASSERT_NE(state_->deviceInfo().resetCount, QStringLiteral("0"));
    window_->deleteResetsAction()->trigger();
    ASSERT_TRUE(runUntilIdle());
    EXPECT_EQ(window_->statusPanel(3)->text(), QStringLiteral("Reset: 0"));
    // The device now holds no resets.
    state_->status().resetCount = -1;
    window_->readParameters();
    ASSERT_TRUE(runUntilIdle());
    EXPECT_EQ(state_->status().resetCount, 0);
}

TEST_F(WindowDeviceTest, SettingsSurviveSaveNewAndOpen)
{
    selectModel(C2);
    QComboBox *duration = editor("maxCallDuration").list();
    const int changed = (duration->currentIndex() + 3) % duration->count();
    duration->setCurrentIndex(changed);
    Q_EMIT duration->activated(changed);
    QLineEdit *number = editor("technicalNumber").edit();
    QTest::keyClicks(number, QStringLiteral("123"));

    const QString path = home_.filePath(QStringLiteral("lift.GDL"));
    ASSERT_TRUE(window_->saveTo(path));
    EXPECT_EQ(window_->statusPanel(2)->text(), QStringLiteral("File: lift.GDL"));
    window_->newSettings();
    EXPECT_NE(duration->currentIndex(), changed);
    EXPECT_TRUE(number->text().isEmpty());
    ASSERT_TRUE(window_->openSettingsFile(path));
    EXPECT_EQ(duration->currentIndex(), changed);
    EXPECT_EQ(number->text(), QStringLiteral("123"));

    // A file that is no settings file is refused and forgotten.
    EXPECT_FALSE(window_->openSettingsFile(home_.filePath(QStringLiteral("notes.txt"))));
    EXPECT_EQ(messages_.messages, QStringList{QStringLiteral("File not for Lift intercom configurator")});
    EXPECT_EQ(window_->statusPanel(2)->text(), QStringLiteral("File: "));
}

} // namespace
