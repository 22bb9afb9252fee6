#include "support/WindowFixture.h"

#include "ui/PageExtras.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

using WindowFieldsTest = WindowFixture;
constexpr auto C2 = CommunicatorModel::TkvC2;
constexpr auto C3 = CommunicatorModel::TkvC3;

TEST_F(WindowFieldsTest, TypingFollowsTheFieldsKeyRule)
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
        // What the technician typed is the value, without waiting for a save.
        EXPECT_EQ(state_->parameters().value(QString::fromLatin1(c.id)).text, QString::fromLatin1(c.shown));
    }
}

TEST_F(WindowFieldsTest, LeavingACodeFieldAppliesItsRule)
{
    struct Case {
        const char *typed;
        const char *kept;
        bool refused;
    };
    const Case cases[] = {
        {"5*", "*5", false},
        {"**", "", false},
        {"7", "7", true},
    };
    window_->show();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    window_->showNode(0);
    QLineEdit *code = editor("hangUpCode").edit();
    QLineEdit *elsewhere = editor("servicePassword").edit();
    for (const Case &c : cases) {
        messages_.messages.clear();
        code->setFocus();
        code->clear();
        QTest::keyClicks(code, QString::fromLatin1(c.typed));
        elsewhere->setFocus();
        QApplication::processEvents();
        EXPECT_EQ(code->text(), QString::fromLatin1(c.kept)) << c.typed;
        EXPECT_EQ(state_->parameters().value(QStringLiteral("hangUpCode")).text, QString::fromLatin1(c.kept));
        if (c.refused) {
            EXPECT_EQ(messages_.messages, QStringList{QStringLiteral("Code must be long 2 digit or blank")});
            EXPECT_TRUE(code->hasFocus()) << "the focus goes back to the refused field";
        } else {
            EXPECT_TRUE(messages_.messages.isEmpty()) << c.typed;
            EXPECT_TRUE(elsewhere->hasFocus()) << c.typed;
        }
    }
}

TEST_F(WindowFieldsTest, ClosingTheWindowOverARefusedFieldTellsNothing)
{
    window_->show();
    QApplication::setActiveWindow(window_.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    window_->showNode(0);
    QLineEdit *code = editor("hangUpCode").edit();
    code->setFocus();
    code->clear();
    QTest::keyClicks(code, QStringLiteral("7"));
    ASSERT_TRUE(code->hasFocus());
    messages_.messages.clear();
    // The window goes with the focus still in the field that its rule would refuse.
    window_.reset();
    EXPECT_TRUE(messages_.messages.isEmpty()) << messages_.messages.join(u'|').toStdString();
}

TEST_F(WindowFieldsTest, ListsTakeNoTypingAndFallBackWhenLeftEmpty)
{
    selectModel(C2);
    QComboBox *rings = editor("parallelNumber").list();
    rings->setCurrentIndex(2);
    QTest::keyClicks(rings, QStringLiteral("5"));
    QTest::keyClick(rings, Qt::Key_Down);
    QTest::keyClick(rings, Qt::Key_End);
    EXPECT_EQ(rings->currentIndex(), 2);

    rings->setCurrentIndex(-1);
    QFocusEvent leave(QEvent::FocusOut);
    QApplication::sendEvent(rings, &leave);
    EXPECT_EQ(rings->currentText(), QStringLiteral("1"));
    EXPECT_EQ(state_->parameters().value(QStringLiteral("parallelNumber")).index, rings->currentIndex());
}

TEST_F(WindowFieldsTest, NumberSelectorsRewriteTheCodesInTheCaptions)
{
    selectModel(C3);
    PageExtras *extras = window_->pageExtras();
    ASSERT_TRUE(editor("ioOutputOffCode").label()->text().startsWith(QStringLiteral("041")));
    extras->outputSelector()->setCurrentIndex(2);
    EXPECT_TRUE(editor("ioOutputOffCode").label()->text().startsWith(QStringLiteral("043")));
    EXPECT_TRUE(editor("ioOutputOnCode").label()->text().startsWith(QStringLiteral("033")));
    // A caption without a code stays as it is.
    EXPECT_TRUE(editor("ioOutputOnTime").label()->text().startsWith(QStringLiteral("Output switched ON for")));

    extras->inputSelector()->setCurrentIndex(4);
    EXPECT_TRUE(editor("ioInputFunction").label()->text().startsWith(QStringLiteral("085")));
    EXPECT_TRUE(editor("ioCounterResetCode").label()->text().startsWith(QStringLiteral("025")));
    QComboBox *functions = editor("ioInputFunction").list();
    EXPECT_EQ(functions->itemText(5), QStringLiteral("Output5 ON once on counter"));
    EXPECT_EQ(functions->itemText(6), QStringLiteral("Call repeatedly when counter reached"));
    EXPECT_EQ(functions->itemText(7), QStringLiteral("Output5 ON repeatedly on counter"));
    // The chosen number survives a change of model and back.
    selectModel(C2);
    selectModel(C3);
    EXPECT_TRUE(editor("ioOutputOffCode").label()->text().startsWith(QStringLiteral("043")));
}

TEST_F(WindowFieldsTest, OnTimeShowsOnlyForFunctionsThatSwitchTheOutput)
{
    selectModel(C3);
    QComboBox *functions = editor("ioInputFunction").list();
    for (int entry = 0; entry < functions->count(); ++entry) {
        functions->setCurrentIndex(entry);
        Q_EMIT functions->activated(entry);
        EXPECT_EQ(editor("ioOutputOnTime").isShown(), entry == 5 || entry == 7) << entry;
    }
}

TEST_F(WindowFieldsTest, SelectAllAndClearSetEveryAnnouncement)
{
    selectModel(C3);
    window_->showNode(13);
    const QList<QPushButton *> buttons = window_->pages()->currentWidget()->findChildren<QPushButton *>();
    ASSERT_EQ(buttons.size(), 2);
    buttons[0]->click();
    for (QCheckBox *box : editor("voiceAnnouncements").flagBoxes())
        EXPECT_TRUE(box->isChecked()) << box->text().toStdString();
    buttons[1]->click();
    for (QCheckBox *box : editor("voiceAnnouncements").flagBoxes())
        EXPECT_FALSE(box->isChecked()) << box->text().toStdString();
    EXPECT_EQ(state_->parameters().value(QStringLiteral("voiceAnnouncements")).bits, 0u);
}

TEST_F(WindowFieldsTest, ConfirmCodesShowTheChosenFirstCharacter)
{
    selectModel(C2);
    ParameterEditor &prefix = editor("confirmPrefix");
    QLabel *label = editor("confirmSerialCode").prefixLabel();
    ASSERT_NE(label, nullptr);
    for (int entry = 0; entry < 2; ++entry) {
        if (prefix.list()) {
            prefix.list()->setCurrentIndex(entry);
            Q_EMIT prefix.list()->activated(entry);
        } else {
            prefix.options()->button(entry)->click();
        }
        const PrefixLabel expected = confirmPrefixLabel(state_->parameters());
        EXPECT_EQ(label->text(), expected.text);
        EXPECT_EQ(label->font().pointSize(), expected.pointSize);
    }
}

} // namespace
