#include "support/WindowFixture.h"

#include "ui/AboutDialog.h"
#include "ui/InfoWindow.h"

#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QTest>

namespace {

TEST(ProgramVersion, LongAndShortForms)
{
    struct Case {
        const char *dotted;
        const char *longForm;
        const char *shortForm;
    };
    const Case cases[] = {
        {"9.2.1.17", "9.02.01.17", "9.02"},
        {"1.0.0", "1.00.00.00", "1.00"},
        {"3", "3.00.00.00", "3.00"},
        {"12.3.4.5", "12.03.04.05", "12.0"},
        {"1.100.0.0", "1.100.00.00", "1.10"},
        {"65535.0.0.0", "65535.00.00.00", "6553"},
        {"", "", ""},
        {"1.2.3.4.5", "", ""},
        {"1.x.0", "", ""},
        {"1..0", "", ""},
        {"65536.0", "", ""},
        {"-1.0", "", ""},
        {"1. 2", "", ""},
    };
    for (const Case &c : cases) {
        const QString longForm = longVersion(QLatin1String(c.dotted));
        EXPECT_EQ(longForm, QLatin1String(c.longForm)) << c.dotted;
        EXPECT_EQ(shortVersion(longForm), QLatin1String(c.shortForm)) << c.dotted;
    }
    EXPECT_EQ(programVersion(), longVersion(QStringLiteral(OSTRAKEL_VERSION)));
    EXPECT_FALSE(programVersion().isEmpty());
}

TEST(ExpertMark, CreamWhileOnWindowColourWhenOff)
{
    QWidget panel;
    auto *label = new QLabel(QStringLiteral("123456"), &panel);
    showExpertMark(*label, true);
    EXPECT_TRUE(label->autoFillBackground());
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(QStringLiteral("#FFFBF0")));
    showExpertMark(*label, false);
    EXPECT_FALSE(label->autoFillBackground());
    EXPECT_EQ(label->palette().color(QPalette::Window), panel.palette().color(QPalette::Window));
}

// The about window over the fixture's main window, with the expert view and the
// addresses it opens recorded.
class AboutDialogTest : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        about = std::make_unique<AboutDialog>(*state_, [this](bool on) { expertCalls.append(on); },
                                              window_.get());
        about->setUrlOpener([this](const QUrl &url) { opened.append(url); });
    }
    void TearDown() override
    {
        about.reset();
        WindowFixture::TearDown();
    }
    bool creditsShown() const
    {
        return about->creditsPanel()->isVisible() && !about->emailLabel()->isVisible()
               && !about->webLabel()->isVisible();
    }
    bool addressesShown() const
    {
        return !about->creditsPanel()->isVisible() && about->emailLabel()->isVisible()
               && about->webLabel()->isVisible();
    }

    std::unique_ptr<AboutDialog> about;
    QList<bool> expertCalls;
    QList<QUrl> opened;
};

TEST_F(AboutDialogTest, ShowsTheTextsAndTheVersion)
{
    about->show();
    EXPECT_EQ(about->windowTitle(), QStringLiteral("About..."));
    EXPECT_EQ(about->longVersionLabel()->text(), QStringLiteral("(V  ") + programVersion() + u')');
    EXPECT_EQ(about->shortVersionLabel()->text(), programVersion().left(4));
    EXPECT_EQ(about->emailLabel()->text(), QStringLiteral("Email: support@example.com"));
    EXPECT_EQ(about->emailLabel()->toolTip(), QStringLiteral("Write Email"));
    EXPECT_EQ(about->webLabel()->text(), QStringLiteral("WEB : www.example.com"));
    EXPECT_EQ(about->webLabel()->toolTip(), QStringLiteral("Connect to the WEB sites"));
}

TEST_F(AboutDialogTest, TheLogoIsShownOnlyWhenItsFileIsThere)
{
    about->show();
    EXPECT_FALSE(about->logo()->isVisible());
    EXPECT_TRUE(messages_.messages.isEmpty());

    QImage logo(64, 48, QImage::Format_RGB32);
    logo.fill(Qt::darkBlue);
    ASSERT_TRUE(logo.save(home_.filePath(QStringLiteral("Logo.bmp")), "BMP"));
    about->hide();
    about->show();
    EXPECT_TRUE(about->logo()->isVisible());
    EXPECT_EQ(about->logo()->pixmap().size(), QSize(64, 48));
}

TEST_F(AboutDialogTest, TheAddressesOpenOnTheDesktop)
{
    about->show();
    QTest::mouseClick(about->emailLabel(), Qt::LeftButton);
    QTest::mouseClick(about->webLabel(), Qt::LeftButton);
    QTest::mouseClick(about->webLabel(), Qt::RightButton);
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], QUrl(QStringLiteral("mailto:support@example.com?SUBJECT=Ostrakel Configurator")));
    EXPECT_EQ(opened[1], QUrl(QStringLiteral("https://www.example.com")));
}

TEST_F(AboutDialogTest, OnlyShiftCtrlWithTheLeftButtonTogglesTheExpertView)
{
    about->show();
    const Qt::KeyboardModifiers shiftCtrl = Qt::ShiftModifier | Qt::ControlModifier;
    struct Case {
        Qt::MouseButton button;
        Qt::KeyboardModifiers modifiers;
        bool toggles;
    };
    const Case cases[] = {
        {Qt::LeftButton, Qt::ShiftModifier, false},
        {Qt::LeftButton, Qt::ControlModifier, false},
        {Qt::LeftButton, Qt::NoModifier, false},
        {Qt::RightButton, shiftCtrl, false},
        {Qt::MiddleButton, shiftCtrl, false},
        {Qt::LeftButton, shiftCtrl, true},
    };
    for (const Case &c : cases) {
        QTest::mouseClick(about->shortVersionLabel(), c.button, c.modifiers);
        EXPECT_EQ(state_->expertView, c.toggles) << c.button << " " << c.modifiers.toInt();
        EXPECT_EQ(creditsShown(), c.toggles) << c.button << " " << c.modifiers.toInt();
    }
    EXPECT_EQ(expertCalls, QList<bool>{true});
}

TEST_F(AboutDialogTest, EachGestureShowsTheCreditsForTheirTimeAndTogglesAgain)
{
    about->show();
    const Qt::KeyboardModifiers shiftCtrl = Qt::ShiftModifier | Qt::ControlModifier;
    QWidget *targets[] = {about->emailLabel(), about.get()};
    for (QWidget *target : targets) {
        QTest::mouseClick(target, Qt::LeftButton, shiftCtrl, QPoint(2, 2));
        EXPECT_TRUE(creditsShown());
        clock_.advanceBy(Millis(AboutDialog::creditsMs - 1));
        EXPECT_TRUE(creditsShown());
        clock_.advanceBy(Millis(2));
        EXPECT_TRUE(addressesShown());
    }
    EXPECT_EQ(expertCalls, (QList<bool>{true, false}));
    EXPECT_FALSE(state_->expertView);
    // The gesture on the e-mail address starts no mail.
    EXPECT_TRUE(opened.isEmpty());

    // A second gesture while the credits show starts their time again.
    QTest::mouseClick(about->longVersionLabel(), Qt::LeftButton, shiftCtrl);
    clock_.advanceBy(Millis(2000));
    QTest::mouseClick(about.get(), Qt::LeftButton, shiftCtrl, QPoint(2, 2));
    clock_.advanceBy(Millis(2000));
    EXPECT_TRUE(creditsShown());
    clock_.advanceBy(Millis(AboutDialog::creditsMs - 2000));
    EXPECT_TRUE(addressesShown());
}

TEST_F(AboutDialogTest, TheInformationWindowShowsItsLineWithoutBlocking)
{
    InfoWindow info(state_->texts(), window_.get());
    info.show();
    EXPECT_FALSE(info.isModal());
    EXPECT_EQ(info.textLabel()->text(), QStringLiteral("Waiting for hanging line for remote programming"));
    info.close();
    EXPECT_FALSE(info.isVisible());
}

} // namespace
