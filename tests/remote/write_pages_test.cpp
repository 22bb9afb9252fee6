#include "WriteFixture.h"
#include "remote/WritePages.h"

#include <gtest/gtest.h>

namespace {

QByteArrayList withoutLineEnds(const QByteArrayList &commands)
{
    QByteArrayList plain;
    for (const QByteArray &command : commands) {
        EXPECT_TRUE(command.endsWith("\r\n")) << command.toStdString();
        plain.append(command.chopped(2));
    }
    return plain;
}

class WritePagesOfModel : public ::testing::TestWithParam<CommunicatorModel> {};

TEST_P(WritePagesOfModel, EveryPageSendsItsTableStringForString)
{
    const CommunicatorModel model = GetParam();
    const ParameterSet set = writeFixture(model);
    const QList<QByteArrayList> expected = fixtureCommands(model);
    for (int page = 1; page <= writePageCount; ++page) {
        SCOPED_TRACE(page);
        const WritePage built = buildWritePage(WritePageId(page), set, model);
        EXPECT_EQ(withoutLineEnds(built.commands), expected[page - 1]);
        EXPECT_TRUE(built.omitted.isEmpty());
    }
}

TEST_P(WritePagesOfModel, TheDefaultsFillEveryPage)
{
    const CommunicatorModel model = GetParam();
    ParameterSet set;
    ParameterStatus status;
    applyDefaults(set, status, model);
    const int counts[] = {9, 13, 20, 8, 10, 11, model == CommunicatorModel::TkvC ? 11 : 20};
    for (int page = 1; page <= writePageCount; ++page) {
        SCOPED_TRACE(page);
        const WritePage built = buildWritePage(WritePageId(page), set, model);
        EXPECT_EQ(built.commands.size(), counts[page - 1]);
        EXPECT_TRUE(built.omitted.isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(Models, WritePagesOfModel,
                         ::testing::Values(CommunicatorModel::TkvC, CommunicatorModel::TkvC2, CommunicatorModel::TkvC3),
                         [](const auto &info) { return modelName(info.param).remove(u'-').toStdString(); });

TEST(WritePages, TheTkvC3BypassTimeComesFromItsOwnList)
{
    ParameterSet set = writeFixture(CommunicatorModel::TkvC3);
    setChoice(set, "bypassFilterTime", "3", CommunicatorModel::TkvC3);
    EXPECT_EQ(buildWritePage(WritePageId::Option, set, CommunicatorModel::TkvC3).commands.last(), "ATDE09703\r\n");
}

TEST(WritePages, PhoneToDtmfDoublesStarsAndSpellsFlashAndPause)
{
    const std::pair<const char *, const char *> cases[] = {
        {"", ""},           {"0123456789#", "0123456789#"}, {"*", "**"}, {"P", "*0"}, {"R", "*#"},
        {"F", "*#"},        {"1a-b 2f", "12"},              {"9*P#R", "9***0#*#"},
    };
    for (const auto &[number, keys] : cases)
        EXPECT_EQ(phoneToDtmf(QString::fromLatin1(number)), QByteArray(keys)) << number;
}

TEST(WritePages, OnlyTheFullFirstEmergencyNumberGoesWithoutB)
{
    ParameterSet set = writeFixture(CommunicatorModel::TkvC);
    setPhone(set, "emergencyNumber1", "012345678901234", false);  // 15 characters
    setPhone(set, "emergencyNumber2", "0123456789012345", false);
    const QByteArrayList commands =
        withoutLineEnds(buildWritePage(WritePageId::PhoneNumbers, set, CommunicatorModel::TkvC).commands);
    EXPECT_EQ(commands[0], "ATDE110012345678901234B");
    EXPECT_EQ(commands[1], "ATDE1200123456789012345B");
}

TEST(WritePages, SettingsWithoutARemoteValueAreLeftOut)
{
    struct Case {
        const char *name;
        const char *id;
        int index;
        WritePageId page;
        QByteArray command;  // empty: left out
        WriteOmission::Reason reason;
    };
    const Case cases[] = {
        {"blocking by shorting", "blockingPolarity", 0, WritePageId::Lift, "ATDE340", {}},
        {"blocking by opening", "blockingPolarity", 1, WritePageId::Lift, "ATDE341", {}},
        {"shorting + info", "blockingPolarity", 2, WritePageId::Lift, {}, WriteOmission::Reason::NoDtmfValue},
        {"opening + info", "blockingPolarity", 3, WritePageId::Lift, {}, WriteOmission::Reason::NoDtmfValue},
        {"engineer present", "blockingPolarity", 4, WritePageId::Lift, "ATDE342", {}},
        {"busy tone don't care", "busyToneFrequency", 10, WritePageId::Time, {},
         WriteOmission::Reason::NoDtmfValue},
        {"no selection", "serviceCallRepeat", -1, WritePageId::Lift, {}, WriteOmission::Reason::NoSelection},
        {"beyond the list", "speakerVolume", 16, WritePageId::Handsfree, {}, WriteOmission::Reason::NoSelection},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        ParameterSet set = writeFixture(CommunicatorModel::TkvC2);
        const QString id = QString::fromLatin1(c.id);
        ParameterValue value = set.value(id);
        value.index = c.index;
        set.set(id, value);
        const WritePage page = buildWritePage(c.page, set, CommunicatorModel::TkvC2);
        const QString code = findById(id)->codeFor(CommunicatorModel::TkvC2);
        QByteArrayList sent;
        for (const QByteArray &command : withoutLineEnds(page.commands))
            if (command.startsWith("ATDE" + code.toLatin1()))
                sent.append(command);
        if (c.command.isEmpty()) {
            EXPECT_TRUE(sent.isEmpty()) << sent.join(' ').toStdString();
            EXPECT_EQ(page.omitted, (QList<WriteOmission>{{code, id, c.reason}}));
        } else {
            EXPECT_EQ(sent, QByteArrayList{c.command});
            EXPECT_TRUE(page.omitted.isEmpty());
        }
    }
}

TEST(WritePages, InputModesOfBothInputsUseTheSameValues)
{
    ParameterSet set = writeFixture(CommunicatorModel::TkvC2);
    setChoice(set, "c2Input1Function", "Input 1 call if input is changed", CommunicatorModel::TkvC2);
    setChoice(set, "c2Input2Function", "Input 2 call if input is open", CommunicatorModel::TkvC2);
    const QByteArrayList commands =
        withoutLineEnds(buildWritePage(WritePageId::Option, set, CommunicatorModel::TkvC2).commands);
    EXPECT_TRUE(commands.contains("ATDE09613"));
    EXPECT_TRUE(commands.contains("ATDE09622"));
}

}  // namespace
