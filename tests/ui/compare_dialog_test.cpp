#include "support/WindowFixture.h"

#include "protocol/AlarmImageCodec.h"
#include "ui/CompareDialog.h"

#include <QFile>
#include <QListWidget>
#include <QPushButton>

namespace {

class CompareDialogTest : public WindowFixture {
protected:
    void setByte(QByteArray &image, int position, int value) { image[position - 1] = char(value); }
    QStringList listed(const CompareDialog &dialog) const
    {
        QStringList rows;
        for (int row = 0; row < dialog.list()->count(); ++row)
            rows << dialog.list()->item(row)->text();
        return rows;
    }
};

TEST_F(CompareDialogTest, IdenticalReadingsListOnlyTheHeader)
{
    CompareDialog dialog(*state_);
    EXPECT_EQ(dialog.list()->count(), 1);
    EXPECT_TRUE(dialog.list()->item(0)->text().startsWith(QStringLiteral("Parameter")));
}

TEST_F(CompareDialogTest, FilterImportantHidesTheSerialNumberButNotTheEmergencyNumber)
{
    setByte(state_->newImage, 80, quint8(state_->newImage.at(79)) ^ 1);
    setByte(state_->newImage, 81, quint8(state_->newImage.at(80)) ^ 2);
    CompareDialog dialog(*state_);
    EXPECT_EQ(dialog.list()->count(), 3);
    dialog.filterImportantButton()->click();
    ASSERT_EQ(dialog.list()->count(), 2);
    EXPECT_TRUE(dialog.list()->item(1)->text().contains(QStringLiteral("/01")));
    dialog.filterAllButton()->click();
    EXPECT_EQ(dialog.list()->count(), 3);
}

TEST_F(CompareDialogTest, DecisionsDecodeTheChosenReadingIntoThePages)
{
    // A reading that differs in the maximum call duration (byte 36).
    QByteArray reading = state_->workingImage;
    setByte(reading, 36, quint8(reading.at(35)) == 2 ? 3 : 2);
    ParameterSet readSet;
    ParameterStatus readStatus;
    ASSERT_TRUE(decodeAlarmImage(reading, state_->model(), readSet, readStatus).ok());
    const ParameterValue before = state_->parameters().value(QStringLiteral("maxCallDuration"));
    const ParameterValue read = readSet.value(QStringLiteral("maxCallDuration"));
    ASSERT_NE(before, read);

    struct Case {
        bool useNew;
        ParameterValue expected;
    };
    const QByteArray start = state_->workingImage;
    for (const Case &c : {Case{true, read}, Case{false, before}}) {
        state_->previousImage = state_->workingImage = start;
        state_->newImage = reading;
        CompareDialog dialog(*state_);
        (c.useNew ? dialog.useNewButton() : dialog.returnPreviousButton())->click();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(state_->parameters().value(QStringLiteral("maxCallDuration")), c.expected);
        EXPECT_EQ(state_->previousImage, state_->newImage);
        EXPECT_EQ(state_->workingImage, state_->newImage);
    }
}

TEST_F(CompareDialogTest, CancelKeepsTheValuesAndLogsTheEndOnce)
{
    state_->log().switchOn(QStringLiteral("test"));
    setByte(state_->newImage, 36, quint8(state_->newImage.at(35)) ^ 1);
    const ParameterValue before = state_->parameters().value(QStringLiteral("maxCallDuration"));
    {
        CompareDialog dialog(*state_);
        dialog.reject();
    }
    EXPECT_EQ(state_->parameters().value(QStringLiteral("maxCallDuration")), before);
    QFile log(home_.filePath(QStringLiteral("log.txt")));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QByteArray text = log.readAll();
    EXPECT_EQ(text.count("End of Compare"), 1);
    EXPECT_TRUE(text.contains("Begin compare - result:"));
}

} // namespace
