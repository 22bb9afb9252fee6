#include "ui/SettingsPrinting.h"

#include "app/LanguageTable.h"
#include "params/Catalogue.h"
#include "protocol/DeviceInfo.h"

#include <QApplication>
#include <QDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

class SettingsPrintingTest : public ::testing::Test {
protected:
    void SetUp() override { applyDefaults(parameters_, status_, CommunicatorModel::TkvC2); }

    ReportInput input() const
    {
        return {parameters_, status_, device_, texts_, CommunicatorModel::TkvC2, C3Feature::All};
    }

    // Acts on the modal dialog as soon as it is shown.
    static void whenModalShown(const std::function<void(QDialog &)> &act)
    {
        auto *poll = new QTimer;
        QObject::connect(poll, &QTimer::timeout, poll, [poll, act] {
            if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget())) {
                poll->deleteLater();
                act(*dialog);
            }
        });
        poll->start(10);
    }

    LanguageTable texts_;
    ParameterSet parameters_;
    ParameterStatus status_;
    DeviceInfo device_;
};

TEST_F(SettingsPrintingTest, CancellingThePrintDialogPrintsNothing)
{
    QString title;
    whenModalShown([&title](QDialog &dialog) {
        title = dialog.windowTitle();
        dialog.reject();
    });
    EXPECT_EQ(printSettings(nullptr, input()), PrintOutcome::Cancelled);
    EXPECT_EQ(title, QStringLiteral("Lift intercom Configurator print"));
}

TEST_F(SettingsPrintingTest, PreviewShowsEveryPageOfTheReport)
{
    int pages = 0;
    whenModalShown([&pages](QDialog &dialog) {
        if (auto *preview = dialog.findChild<QPrintPreviewWidget *>()) {
            preview->updatePreview();
            pages = preview->pageCount();
        }
        dialog.reject();
    });
    previewSettings(nullptr, input());
    // The TKV-C2's defaults fill three A4 pages.
    EXPECT_EQ(pages, 3);
}

} // namespace
