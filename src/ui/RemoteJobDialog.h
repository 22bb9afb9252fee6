#pragma once

#include "remote/RemoteReport.h"

#include <QDialog>

class AppState;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QProgressBar;
class QPushButton;
class RemoteJob;

// What the remote read and write windows share: the "Log File" tick with the report
// file's name, the progress bar, the start button and Cancel. Cancel and the close
// box end the job (at once, or when its running step has unwound); the window
// closes when the job says it has ended.
class RemoteJobDialog : public QDialog {
    Q_OBJECT
public:
    QCheckBox *logBox() const { return logBox_; }
    QLineEdit *fileNameEdit() const { return fileName_; }
    QProgressBar *progressBar() const { return progress_; }
    QPushButton *startButton() const { return start_; }
    QPushButton *cancelButton() const { return cancel_; }
    // Where the report goes: the file name field + ".TXT" in the program folder.
    QString reportPath() const;

    void reject() override;

protected:
    // fileName: the report's name without ".TXT"; titleKey, startKey: the window's
    // caption and the start button's text in the Remote section.
    RemoteJobDialog(AppState &state, const QString &fileName, int titleKey, int startKey, QWidget *parent);

    // Lays the window out around the page's own parts: the choices above, the rows
    // of its labels under the report row. Then creates the report.
    void build(RemoteJob &job, QWidget *choices, QGridLayout *labels);
    // The choices, the log tick, the file name and the start button.
    void setInputsEnabled(bool enabled);
    virtual void setChoicesEnabled(bool enabled) = 0;
    // The job has ended: the window closes.
    void jobClosed(bool finished);
    void showProgress(int position, int maximum);
    QString text(int key) const;

    AppState &state_;

private:
    bool openReport();
    void logToggled(bool on);
    RemoteReport::Header header() const;

    RemoteJob *job_ = nullptr;
    QCheckBox *logBox_;
    QLineEdit *fileName_;
    QProgressBar *progress_;
    QPushButton *start_;
    QPushButton *cancel_;
};
