#include "support/WindowFixture.h"

#include "ui/PageExtras.h"
#include "ui/PageGroup.h"
#include "ui/PageTree.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

namespace {

using MainWindowTest = WindowFixture;
constexpr auto C = CommunicatorModel::TkvC;
constexpr auto C2 = CommunicatorModel::TkvC2;
constexpr auto C3 = CommunicatorModel::TkvC3;

TEST_F(MainWindowTest, EveryCatalogueRowHasAnEditorOfItsKind)
{
    for (const ParameterDef &row : catalogue()) {
        if (row.page == ParameterPage::None)
            continue;
        const ParameterEditor &e = editor(row.id.toLatin1().constData());
        const bool choice = row.kind == ValueKind::Choice || row.kind == ValueKind::TimedChoice;
        const bool edits = row.kind == ValueKind::Code || row.kind == ValueKind::Digits
                           || row.kind == ValueKind::TextNumber || row.kind == ValueKind::PhoneNumber;
        EXPECT_EQ(e.list() != nullptr, choice && !row.optionGroup) << row.id.toStdString();
        EXPECT_EQ(e.options() != nullptr, row.optionGroup) << row.id.toStdString();
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
        {"dialMode", C, true},
        {"dialMode", C3, false},
        {"confirmFirmwareCode", C2, false},
        {"confirmFirmwareCode", C3, true},
        {"talkerMessages", C, false},
        {"talkerMessages", C2, true},
        {"input3Filter", C, true},
        {"input3Filter", C2, false},
        {"speakerVolume", C3, true},
    };
    for (const Case &c : cases) {
        selectModel(c.model);
        EXPECT_EQ(!editor(c.id).field()->isHidden(), c.shown) << c.id << " on " << modelName(c.model).toStdString();
    }
}

TEST_F(MainWindowTest, ModelChangeLoadsTheNewModelsListsAndDefaults)
{
    for (auto model : {C, C2, C3}) {
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
    // Nodes 0 to 9 show the page of their number on every model; 10 to 13 differ.
    struct Case {
        CommunicatorModel model;
        int pages[4];  // of nodes 10, 11, 12, 13
        const char *titles[4];
    };
    const Case cases[] = {
        {C, {10, 11, 12, 13}, {"Option module", "Inputs 1,2,4-8", "Outputs 1,2,4", "Input 3 / Output 3"}},
        {C2, {10, 14, 15, 16}, {"Option module", "Inputs", "Outputs", "Failure"}},
        {C3, {20, 17, 18, 19}, {"Device", "Tests and Power", "Input / Output", "Voice messages"}},
    };
    for (const Case &c : cases) {
        selectModel(c.model);
        for (int node = 0; node < PageTree::nodeCount; ++node) {
            window_->pageTree()->setCurrentItem(window_->pageTree()->node(node));
            const int expected = node < 10 ? node : c.pages[node - 10];
            EXPECT_EQ(window_->pages()->currentIndex(), expected) << modelName(c.model).toStdString() << " node " << node;
            if (node >= 10) {
                EXPECT_EQ(window_->pageTree()->node(node)->text(0), QString::fromLatin1(c.titles[node - 10]));
            }
        }
    }
}

TEST_F(MainWindowTest, EveryPageOfEveryModelShowsSomething)
{
    for (auto model : {C, C2, C3}) {
        selectModel(model);
        for (int node = 0; node < PageTree::nodeCount; ++node) {
            window_->showNode(node);
            auto *page = window_->pages()->currentWidget();
            bool anyShown = false;
            for (PageGroup *group : page->findChildren<PageGroup *>())
                anyShown = anyShown || !group->isHidden();
            for (QWidget *child : page->findChildren<QLabel *>())
                anyShown = anyShown || (!child->isHidden() && !static_cast<QLabel *>(child)->text().isEmpty());
            EXPECT_TRUE(anyShown) << modelName(model).toStdString() << " node " << node;
        }
    }
}

// At the smallest size the window allows, no page needs sideways scrolling, and a
// page longer than the window scrolls down.
TEST_F(MainWindowTest, AtTheMinimumSizePagesFitTheWidthAndScrollDown)
{
    window_->resize(window_->minimumSize());
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    for (auto model : {C, C2, C3}) {
        selectModel(model);
        for (int node = 0; node < PageTree::nodeCount; ++node) {
            window_->showNode(node);
            QApplication::processEvents();
            auto *page = static_cast<QScrollArea *>(window_->pages()->currentWidget());
            EXPECT_EQ(page->horizontalScrollBar()->maximum(), 0) << modelName(model).toStdString() << " node " << node;
        }
    }
    selectModel(C);
    window_->showNode(4);
    QApplication::processEvents();
    EXPECT_GT(static_cast<QScrollArea *>(window_->pages()->currentWidget())->verticalScrollBar()->maximum(), 0);
}

TEST_F(MainWindowTest, ValuesOnTwoPagesStayTogether)
{
    selectModel(C2);
    // "New norm" on page 0 and the LED box of the page "Failure" are one value.
    QCheckBox *first = editor("newNormMode").checkBox();
    QCheckBox *second = window_->pages()->secondEditor(QStringLiteral("newNormMode"))->checkBox();
    const bool before = first->isChecked();
    EXPECT_EQ(second->isChecked(), before);
    second->click();
    EXPECT_EQ(first->isChecked(), !before);
    first->click();
    EXPECT_EQ(second->isChecked(), before);
    EXPECT_EQ(state_->parameters().value(QStringLiteral("newNormMode")).flag, before);
}

TEST_F(MainWindowTest, EditingRulesFollowOtherValues)
{
    selectModel(C2);
    // The bypass time of a TKV-C2 applies only in the new-norm mode.
    QCheckBox *newNorm = editor("newNormMode").checkBox();
    if (!newNorm->isChecked())
        newNorm->click();
    EXPECT_TRUE(editor("bypassFilterTime").field()->isEnabled());
    newNorm->click();
    EXPECT_FALSE(editor("bypassFilterTime").field()->isEnabled());
}

TEST_F(MainWindowTest, LiftAddressFollowsTheLocationAnnouncement)
{
    selectModel(C3);
    ParameterEditor &announcements = editor("voiceAnnouncements");
    const QList<QCheckBox *> &boxes = announcements.flagBoxes();
    ASSERT_GE(boxes.size(), 2);
    // Entry 0 is the lift address, which follows "The location of the elevator is".
    boxes[1]->click();
    EXPECT_EQ(boxes[0]->isChecked(), boxes[1]->isChecked());
    boxes[1]->click();
    EXPECT_EQ(boxes[0]->isChecked(), boxes[1]->isChecked());
}

TEST_F(MainWindowTest, MoreShowsNodeThirteen)
{
    selectModel(C);
    window_->showNode(0);
    ASSERT_FALSE(window_->pageExtras()->moreButton()->isHidden());
    window_->pageExtras()->moreButton()->click();
    EXPECT_EQ(window_->pageTree()->currentItem(), window_->pageTree()->node(13));
    EXPECT_EQ(window_->pages()->currentIndex(), 13);
    selectModel(C3);
    window_->showNode(0);
    EXPECT_FALSE(window_->pageExtras()->moreButton()->isVisibleTo(window_->pages()->currentWidget()));
}

TEST_F(MainWindowTest, StartsWithoutDeviceCommands)
{
    for (QAction *action : {window_->readAction(), window_->writeAction(), window_->deleteServiceTimeAction(),
                            window_->deleteResetsAction(), window_->defaultValueAction(), window_->voiceAction()})
        EXPECT_FALSE(action->isEnabled()) << action->text().toStdString();
    EXPECT_FALSE(window_->talkerAction()->isVisible());
}

} // namespace
