#include "ui/RemoteReadDialog.h"

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
    Title = 8,
    ReadData = 9,
    SelectData = 10,
    Basic = 11,
    Block = 15,
    Position = 16,
    Emergency = 17,
    Other = 19,
};

} // namespace

RemoteReadDialog::RemoteReadDialog(AppState &state, const QString &stamp, QWidget *parent)
    : RemoteJobDialog(state, QStringLiteral("LF-R-") + stamp, Title, ReadData, parent),
      read_(*state.remote(), state.clock(), state.messages(), state.texts(), *this,
            {state.workingImage, state.previousImage, state.newImage}, state.parameters(), state.status(),
            state.model()),
      block_(new QLabel),
      position_(new QLabel)
{
    auto *group = new QGroupBox(text(SelectData));
    auto *column = new QVBoxLayout(group);
    const int keys[] = {Basic, Emergency, Other};
    for (int i = 0; i < 3; ++i) {
        choices_[i] = new QCheckBox(text(keys[i]));
        choices_[i]->setChecked(true);
        column->addWidget(choices_[i]);
    }
    auto *labels = new QGridLayout;
    labels->addWidget(new QLabel(text(Block)), 0, 0);
    labels->addWidget(block_, 0, 1);
    labels->addWidget(new QLabel(text(Position)), 1, 0);
    labels->addWidget(position_, 1, 1);
    build(read_, group, labels);
    connect(startButton(), &QPushButton::clicked, this, &RemoteReadDialog::startReading);
}

void RemoteReadDialog::setChoicesEnabled(bool enabled)
{
    for (QCheckBox *box : choices_)
        box->setEnabled(enabled);
}

void RemoteReadDialog::startReading()
{
    Q_EMIT readingStarted();
    const ReadChoices choices{choices_[0]->isChecked(), choices_[1]->isChecked(), choices_[2]->isChecked()};
    if (read_.start(choices, state_.lastDial.gsm) && read_.state() != RemoteRead::State::Closed)
        setInputsEnabled(false);
}

void RemoteReadDialog::setProgress(int position, int maximum)
{
    showProgress(position, maximum);
}

void RemoteReadDialog::setPosition(const QString &text)
{
    position_->setText(text);
}

void RemoteReadDialog::setBlockCounter(int count)
{
    block_->setNum(count);
}

void RemoteReadDialog::phaseDecoded(ReadPhase)
{
    Q_EMIT valuesRead();
}

void RemoteReadDialog::closed(bool finished)
{
    if (finished)
        Q_EMIT readingFinished();
    jobClosed(finished);
}
