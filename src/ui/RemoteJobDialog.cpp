#include "ui/RemoteJobDialog.h"

#include "ui/AppState.h"

#include "app/MessagePresenter.h"
#include "app/ProgramFolder.h"
#include "remote/RemoteJob.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

enum Key {
    Cancel = 5,
    LogFile = 12,
    FileName = 13,
    Progress = 14,
    FillFileName = 47,
};

} // namespace

RemoteJobDialog::RemoteJobDialog(AppState &state, const QString &fileName, int titleKey, int startKey,
                                 QWidget *parent)
    : QDialog(parent),
      state_(state),
      logBox_(new QCheckBox(text(LogFile))),
      fileName_(new QLineEdit(fileName)),
      progress_(new QProgressBar),
      start_(new QPushButton(text(startKey))),
      cancel_(new QPushButton(text(Cancel)))
{
    setWindowTitle(text(titleKey));
    setModal(true);
    progress_->setRange(0, 10);
    progress_->setValue(0);
    fileName_->setMinimumWidth(fileName_->fontMetrics().horizontalAdvance(fileName + QStringLiteral("MMMM")));
    connect(cancel_, &QPushButton::clicked, this, &RemoteJobDialog::reject);
}

QString RemoteJobDialog::text(int key) const
{
    return state_.texts().text(QStringLiteral("Remote"), key);
}

void RemoteJobDialog::build(RemoteJob &job, QWidget *choices, QGridLayout *labels)
{
    job_ = &job;
    auto *reportRow = new QHBoxLayout;
    reportRow->addWidget(logBox_);
    reportRow->addWidget(new QLabel(text(FileName)));
    reportRow->addWidget(fileName_, 1);

    labels->addWidget(new QLabel(text(Progress)), labels->rowCount(), 0);
    labels->addWidget(progress_, labels->rowCount() - 1, 1);
    labels->setColumnStretch(1, 1);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(start_);
    buttons->addWidget(cancel_);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(choices);
    layout->addLayout(reportRow);
    layout->addLayout(labels);
    layout->addStretch(1);
    layout->addLayout(buttons);

    // The report is on from the start.
    logBox_->setChecked(openReport());
    connect(logBox_, &QCheckBox::toggled, this, &RemoteJobDialog::logToggled);
}

QString RemoteJobDialog::reportPath() const
{
    return ProgramFolder::path() + fileName_->text() + QStringLiteral(".TXT");
}

RemoteReport::Header RemoteJobDialog::header() const
{
    return {state_.lastDial.telephoneNumber, state_.lastDial.parallelNumber, state_.lastDial.gsm};
}

bool RemoteJobDialog::openReport()
{
    if (job_->openReport(reportPath(), header()))
        return true;
    state_.messages().showMessage(state_.texts().text(QStringLiteral("Extensions"), 26).arg(reportPath()));
    return false;
}

void RemoteJobDialog::logToggled(bool on)
{
    if (!on) {
        job_->closeReport();
        return;
    }
    if (fileName_->text().size() > 1 && openReport())
        return;
    if (fileName_->text().size() <= 1)
        state_.messages().showMessage(text(FillFileName));
    const QSignalBlocker quiet(logBox_);
    logBox_->setChecked(false);
    fileName_->setFocus();
}

void RemoteJobDialog::setInputsEnabled(bool enabled)
{
    setChoicesEnabled(enabled);
    logBox_->setEnabled(enabled);
    fileName_->setEnabled(enabled);
    start_->setEnabled(enabled);
}

void RemoteJobDialog::reject()
{
    job_->requestCancel();
}

void RemoteJobDialog::jobClosed(bool finished)
{
    setInputsEnabled(true);
    QDialog::done(finished ? Accepted : Rejected);
}

void RemoteJobDialog::showProgress(int position, int maximum)
{
    progress_->setMaximum(std::max(maximum, 1));
    progress_->setValue(std::min(position, progress_->maximum()));
}
