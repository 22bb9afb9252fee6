#pragma once

#include "remote/RemoteWrite.h"
#include "ui/RemoteJobDialog.h"

class QLabel;

// "Remote writing of parameters": the seven pages to write, the report, and the
// page and step being written. The values written are those being edited.
class RemoteWriteDialog : public RemoteJobDialog, public RemoteWriteView {
    Q_OBJECT
public:
    // stamp: the date and time for the report's name.
    RemoteWriteDialog(AppState &state, const QString &stamp, QWidget *parent = nullptr);

    QCheckBox *pageBox(WritePageId page) const { return pages_[int(page) - 1]; }
    QLabel *pageLabel() const { return page_; }
    QLabel *stepLabel() const { return step_; }
    RemoteWrite &writing() { return write_; }

private:
    void startWriting();
    void setChoicesEnabled(bool enabled) override;
    // RemoteWriteView
    void setProgress(int position, int maximum) override;
    void setPage(int page) override;
    void setStep(int step) override;
    void setStatus(WriteStatus status) override;
    void closed(bool finished) override;

    RemoteWrite write_;
    QCheckBox *pages_[writePageCount];
    QLabel *page_;
    QLabel *step_;
};
