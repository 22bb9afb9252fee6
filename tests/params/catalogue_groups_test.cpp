#include "app/LanguageTable.h"
#include "params/Catalogue.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {

constexpr auto C = CommunicatorModel::TkvC;
constexpr auto C2 = CommunicatorModel::TkvC2;
constexpr auto C3 = CommunicatorModel::TkvC3;
constexpr CommunicatorModel allModels[] = {C, C2, C3};

} // namespace

TEST(CatalogueGroups, RowsSitInTheGroupBoxOfTheirPage)
{
    struct Case {
        const char *id;
        ParameterPage page;
        CommunicatorModel model;
        const char *group;
    };
    using P = ParameterPage;
    const Case cases[] = {
        {"dialMode", P::Basic, C, "Dial"},
        {"hangUpCode", P::Basic, C3, "Hang up from phone"},
        {"servicePassword", P::Basic, C2, "Password"},
        {"newNormMode", P::Basic, C2, "New norm features"},
        {"newNormMode", P::Basic, C3, "Device"},
        {"parallelAnswerWait", P::ParallelMode, C, "Paralel mode"},
        {"confirmFirmwareCode", P::ConfirmCodes, C3, "Confirm codes"},
        {"confirmPrefix", P::ConfirmCodes, C2, "First character of confirm code"},
        {"lineSignalization", P::System, C, "Acoustic signalization"},
        {"micOpenDelay", P::System, C3, "System settings"},
        {"autoTestStuckButton", P::System, C2, "Automatic test"},
        {"serviceCallMode", P::Lift, C, "Service call setting"},
        {"counterOrFailureRepeats", P::RepeatOfCall, C, "Repeating of INP3 call"},
        {"counterOrFailureRepeats", P::RepeatOfCall, C3, "Repeating of Failure call"},
        {"bypassFilterTime", P::Time, C3, "Operation time"},
        {"preemphasis", P::Dial, C2, "Dial parameters"},
        {"permanentToneDuration", P::Dial, C3, "Tone detector"},
        {"signallingToneLevel", P::HandsFree, C, "Audio level settings"},
        {"counterOrFailureNumber", P::PhoneNumbers, C2, "Failure Call"},
        {"inputStatusQueryCode", P::OptionModule, C2, "Option modul"},
        {"liftStartTime", P::Input3Output3, C, "Input 3"},
        {"output3OnTime", P::Input3Output3, C, "Output 3"},
        {"c2Output2OnTime", P::OutputsC2, C2, "Output 2"},
        {"lineDisconnectLed", P::Failure, C2, "New norm features"},
        {"nominalVoltage", P::TestsPower, C3, "External power"},
        {"ioStatusQueryCode", P::InputOutput, C3, "I/O Status"},
        {"voiceAnnouncements", P::VoiceMessages, C3, "Voice Announcements"},
    };
    const LanguageTable texts;
    for (const Case &c : cases) {
        const ParameterDef *row = findById(QString::fromLatin1(c.id));
        ASSERT_NE(row, nullptr) << c.id;
        EXPECT_EQ(row->page, c.page) << c.id;
        EXPECT_TRUE(row->showsOn(c.model)) << c.id;
        EXPECT_EQ(groupCaptionOf(*row, c.model, texts), QString::fromUtf8(c.group))
            << c.id << " on " << qPrintable(modelName(c.model));
    }
}

// Every row a page shows is in a group box, and the rows of one group follow each
// other on the page, so that no group is split by another.
TEST(CatalogueGroups, EveryShownRowIsInOneUnbrokenGroup)
{
    const LanguageTable texts;
    for (auto model : allModels) {
        ParameterPage page = ParameterPage::None;
        QString group;
        QSet<QString> closedGroups;
        for (const ParameterDef &row : catalogue()) {
            if (row.page == ParameterPage::None || !row.showsOn(model))
                continue;
            const QString caption = groupCaptionOf(row, model, texts);
            EXPECT_FALSE(caption.isEmpty()) << qPrintable(row.id) << " on " << qPrintable(modelName(model));
            if (row.page != page) {
                page = row.page;
                closedGroups.clear();
            } else if (caption != group) {
                closedGroups.insert(group);
            }
            EXPECT_FALSE(closedGroups.contains(caption))
                << qPrintable(row.id) << " reopens \"" << qPrintable(caption) << "\" on "
                << qPrintable(modelName(model));
            group = caption;
        }
    }
}
