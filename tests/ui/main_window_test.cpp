#include "support/RecordingMessagePresenter.h"

#include "params/Catalogue.h"
#include "ui/AppState.h"
#include "ui/DevicePanel.h"
#include "ui/MainWindow.h"
#include "ui/PageTree.h"
#include "ui/ParameterPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A window over a state of its own, with the program folder in a temporary folder so
// that neither the log nor the simulator's memory touch the build tree.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        savedHome_ = qgetenv("OSTRAKEL_HOME");
        qputenv("OSTRAKEL_HOME", home_.path().toUtf8());
        state_ = std::make_unique<AppState>(messages_, home_.filePath(QStringLiteral("log.txt")), false);
        window_ = std::make_unique<MainWindow>(*state_);
        window_->stopDevicePoll();
    }
    void TearDown() override
    {
        window_.reset();
        state_.reset();
        if (savedHome_.isNull())
            qunsetenv("OSTRAKEL_HOME");
        else
            qputenv("OSTRAKEL_HOME", savedHome_);
    }

    void selectModel(CommunicatorModel model) { Q_EMIT window_->devicePanel()->modelSelected(model); }
    ParameterEditor &editor(const char *id)
    {
        ParameterEditor *found = window_->pages()->editor(QString::fromLatin1(id));
        EXPECT_NE(found, nullptr) << id;
        return *found;
    }
    // Lets the device poll run until a communicator of the model has answered and a
    // later tick has shown it in the device panel.
    bool identify(CommunicatorModel model)
    {
        window_->startDevicePoll();
        const bool identified = QTest::qWaitFor(
            [&] {
                return state_->exchange()->isIdle() && state_->model() == model
                       && state_->deviceInfo().deviceType == QLatin1String("Alarm")
                       && !window_->devicePanel()->serialNumber()->text().isEmpty();
            },
            15000);
        window_->stopDevicePoll();
        return identified;
    }

    QTemporaryDir home_;
    QByteArray savedHome_;
    RecordingMessagePresenter messages_;
    std::unique_ptr<AppState> state_;
    std::unique_ptr<MainWindow> window_;
};

TEST_F(MainWindowTest, EveryCatalogueRowHasAnEditorOfItsKind)
{
    for (const ParameterDef &row : catalogue()) {
        if (row.page == ParameterPage::None)
            continue;
        const ParameterEditor &e = editor(row.id.toLatin1().constData());
        const bool lists = row.kind == ValueKind::Choice || row.kind == ValueKind::TimedChoice;
        const bool edits = row.kind == ValueKind::Code || row.kind == ValueKind::Digits
                           || row.kind == ValueKind::TextNumber || row.kind == ValueKind::PhoneNumber;
        EXPECT_EQ(e.list() != nullptr, lists) << row.id.toStdString();
        EXPECT_EQ(e.unitList() != nullptr, row.kind == ValueKind::TimedChoice) << row.id.toStdString();
        EXPECT_EQ(e.edit() != nullptr, edits) << row.id.toStdString();
        EXPECT_EQ(e.checkBox() != nullptr, row.kind == ValueKind::Flag || row.kind == ValueKind::PhoneNumber)
            << row.id.toStdString();
    }
}

TEST_F(MainWindowTest, RowsFollowTheModel)
{
    struct Case {
        const char *id;
        CommunicatorModel model;
        bool shown;
    };
    const Case cases[] = {
        {"dialMode", CommunicatorModel::TkvC, true},
        {"dialMode", CommunicatorModel::TkvC3, false},
        {"confirmFirmwareCode", CommunicatorModel::TkvC2, false},
        {"confirmFirmwareCode", CommunicatorModel::TkvC3, true},
        {"talkerMessages", CommunicatorModel::TkvC, false},
        {"talkerMessages", CommunicatorModel::TkvC2, true},
        {"input3Filter", CommunicatorModel::TkvC, true},
        {"input3Filter", CommunicatorModel::TkvC2, false},
        {"speakerVolume", CommunicatorModel::TkvC3, true},
    };
    for (const Case &c : cases) {
        selectModel(c.model);
        EXPECT_EQ(!editor(c.id).field()->isHidden(), c.shown) << c.id << " on " << modelName(c.model).toStdString();
    }
}

TEST_F(MainWindowTest, ModelChangeLoadsTheNewModelsListsAndDefaults)
{
    for (auto model : {CommunicatorModel::TkvC, CommunicatorModel::TkvC2, CommunicatorModel::TkvC3}) {
        selectModel(model);
        const ParameterDef &row = *findById(QStringLiteral("speakerVolume"));
        QComboBox *list = editor("speakerVolume").list();
        EXPECT_EQ(list->count(), valuesOf(row, model).size());
        EXPECT_EQ(list->currentIndex(), row.defaultFor(model).index);
        EXPECT_EQ(window_->devicePanel()->modelSelector()->currentIndex(), int(model));
    }
}

TEST_F(MainWindowTest, TreeNodesShowTheModelsPages)
{
    struct Case {
        CommunicatorModel model;
        int node;
        int page;
        const char *title;
    };
    const Case cases[] = {
        {CommunicatorModel::TkvC, 11, 11, "Inputs 1,2,4-8"},
        {CommunicatorModel::TkvC2, 11, 14, "Inputs"},
        {CommunicatorModel::TkvC2, 13, 16, "Failure"},
        {CommunicatorModel::TkvC3, 10, 20, "Device"},
        {CommunicatorModel::TkvC3, 12, 18, "Input / Output"},
        {CommunicatorModel::TkvC3, 11, 17, "Tests and Power"},
    };
    for (const Case &c : cases) {
        selectModel(c.model);
        window_->showNode(c.node);
        EXPECT_EQ(window_->pages()->currentIndex(), c.page) << c.title;
        EXPECT_EQ(window_->pageTree()->node(c.node)->text(0), QString::fromLatin1(c.title));
    }
}

TEST_F(MainWindowTest, TkvC3WithoutExternalPowerShowsTestsOnly)
{
    DeviceInfo &info = state_->identification().deviceInfo();
    info.modelCode = 1;
    info.featureFlags = C3Feature::All & ~C3Feature::ExternalPower;
    selectModel(CommunicatorModel::TkvC3);
    EXPECT_EQ(window_->pageTree()->node(11)->text(0), QStringLiteral("Tests"));
}

TEST_F(MainWindowTest, WidgetsWriteTheirValuesIntoTheSet)
{
    selectModel(CommunicatorModel::TkvC2);
    editor("serviceNumber").edit()->setText(QStringLiteral("*12#"));
    editor("serviceNumber").checkBox()->setChecked(true);
    editor("speakerVolume").list()->setCurrentIndex(2);
    window_->pages()->store(state_->parameters());
    EXPECT_EQ(state_->parameters().value(QStringLiteral("serviceNumber")), ParameterValue::phone(QStringLiteral("*12#"), true));
    EXPECT_EQ(state_->parameters().value(QStringLiteral("speakerVolume")).index, 2);
}

TEST_F(MainWindowTest, TypingFollowsTheFieldsKeyRule)
{
    struct Case {
        const char *id;
        const char *typed;
        const char *shown;
    };
    const Case cases[] = {
        {"serviceNumber", "h12k", "*12#"},
        {"serviceNumber", "p1r2fxA", "P1R2F"},
        {"hangUpCode", "#*h1", "*1"},
        {"servicePassword", "1a2*3", "123"},
    };
    for (const Case &c : cases) {
        QLineEdit *edit = editor(c.id).edit();
        ASSERT_NE(edit, nullptr) << c.id;
        edit->clear();
        QTest::keyClicks(edit, QString::fromLatin1(c.typed));
        EXPECT_EQ(edit->text(), QString::fromLatin1(c.shown)) << c.id << " typed " << c.typed;
    }
}

TEST_F(MainWindowTest, ReadingTheSimulatedDeviceFillsTheWidgets)
{
    QString error;
    ASSERT_TRUE(state_->connect(QStringLiteral("sim:TKV-C3"), *window_, &error)) << error.toStdString();
    // A new model answers only a window set to a new model; the reply then moves it on.
    selectModel(CommunicatorModel::TkvC2);
    ASSERT_TRUE(identify(CommunicatorModel::TkvC3));
    EXPECT_EQ(window_->devicePanel()->serialNumber()->text(), state_->deviceInfo().serialNumber);
    EXPECT_FALSE(state_->deviceInfo().serialNumber.isEmpty());

    // No selection before the read: afterwards the list shows what the device holds.
    QComboBox *volume = editor("speakerVolume").list();
    volume->setCurrentIndex(-1);
    window_->readParameters();
    ASSERT_TRUE(QTest::qWaitFor([&] { return state_->exchange()->isIdle() && !state_->exchange()->isActive(); },
                                15000));
    EXPECT_EQ(state_->exchange()->lastResult(), ExchangeResult::Completed);
    EXPECT_TRUE(messages_.messages.isEmpty()) << messages_.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_GE(volume->currentIndex(), 0);
    EXPECT_EQ(volume->currentIndex(), state_->parameters().value(QStringLiteral("speakerVolume")).index);
}

} // namespace
