#include "ui/RemoteWriteDialog.h"

#include "ui/AppState.h"

#include "remote/RemoteLink.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

enum Key {
    Title = 20,
    WriteData = 21,
    FirstPage = 22,  // to 28, in page order
    SelectPages = 29,
    Step = 50,
    Page = 52,
};

QColor statusColour(WriteStatus status, const QPalette &palette)
{
    switch (status) {
    case WriteStatus::Normal: break;
    case WriteStatus::TimedOut: return QColor(0x00, 0x80, 0x00);  // green
    case WriteStatus::Refused: return QColor(0xFF, 0x00, 0x00);   // red
    }
    return palette.color(QPalette::Window);
}

} // namespace

RemoteWriteDialog::RemoteWriteDialog(AppState &state, const QString &stamp, QWidget *parent)
    : RemoteJobDialog(state, QStringLiteral("LF-W-") + stamp, Title, WriteData, parent),
      write_(*state.remote(), state.clock(), state.messages(), state.texts(), *this, state.parameters(),
             state.model()),
      page_(new QLabel),
      step_(new QLabel)
{
    auto *group = new QGroupBox(text(SelectPages));
    auto *column = new QVBoxLayout(group);
    for (int i = 0; i < writePageCount; ++i) {
        pages_[i] = new QCheckBox(text(FirstPage + i));
        pages_[i]->setChecked(true);
        column->addWidget(pages_[i]);
    }
    page_->setAutoFillBackground(true);
    auto *labels = new QGridLayout;
    labels->addWidget(new QLabel(text(Page)), 0, 0);
    labels->addWidget(page_, 0, 1);
    labels->addWidget(new QLabel(text(Step)), 1, 0);
    labels->addWidget(step_, 1, 1);
    build(write_, group, labels);
    connect(startButton(), &QPushButton::clicked, this, &RemoteWriteDialog::startWriting);
}

void RemoteWriteDialog::setChoicesEnabled(bool enabled)
{
    for (QCheckBox *box : pages_)
        box->setEnabled(enabled);
}

void RemoteWriteDialog::startWriting()
{
    WritePageChoice choice;
    for (int i = 0; i < writePageCount; ++i)
        choice.pages[size_t(i)] = pages_[i]->isChecked();
    setInputsEnabled(false);
    write_.start(choice, state_.lastDial.gsm);
}

void RemoteWriteDialog::setProgress(int position, int maximum)
{
    showProgress(position, maximum);
}

void RemoteWriteDialog::setPage(int page)
{
    page_->setNum(page);
}

void RemoteWriteDialog::setStep(int step)
{
    step_->setNum(step);
}

void RemoteWriteDialog::setStatus(WriteStatus status)
{
    QPalette palette = page_->palette();
    palette.setColor(QPalette::Window, statusColour(status, this->palette()));
    page_->setPalette(palette);
}

void RemoteWriteDialog::closed(bool finished)
{
    jobClosed(finished);
}
