#pragma once

#include "remote/RemoteRead.h"
#include "ui/RemoteJobDialog.h"

class QLabel;

// "Remote reading of parameters": the three parts of the memory to read, the report,
// and the reading's progress block by block. The reading decodes into the values
// being edited after each part; the images before and after it go to the comparison.
class RemoteReadDialog : public RemoteJobDialog, public RemoteReadView {
    Q_OBJECT
public:
    // stamp: the date and time for the report's name.
    RemoteReadDialog(AppState &state, const QString &stamp, QWidget *parent = nullptr);

    QCheckBox *choiceBox(ReadPhase phase) const { return choices_[int(phase) - 1]; }
    QLabel *blockLabel() const { return block_; }
    QLabel *positionLabel() const { return position_; }
    RemoteRead &reading() { return read_; }

Q_SIGNALS:
    // "Read data" was pressed: the comparison is offered from now on.
    void readingStarted();
    // A part of the memory was decoded into the values.
    void valuesRead();
    // Every chosen part was read and decoded.
    void readingFinished();

private:
    void startReading();
    void setChoicesEnabled(bool enabled) override;
    // RemoteReadView
    void setProgress(int position, int maximum) override;
    void setPosition(const QString &text) override;
    void setBlockCounter(int count) override;
    void phaseDecoded(ReadPhase phase) override;
    void closed(bool finished) override;

    RemoteRead read_;
    QCheckBox *choices_[3];
    QLabel *block_;
    QLabel *position_;
};
