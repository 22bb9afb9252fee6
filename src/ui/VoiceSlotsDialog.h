#pragma once

#include "voice/VoiceUpload.h"

#include <QDialog>
#include <QList>
#include <functional>
#include <memory>

class AppState;
class QBoxLayout;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class VoicePreview;

// What both voice windows share: a row per message slot with its file, Select, Play
// and Write; the sound output for listening; the labels and the progress of an
// upload. The slot files are kept in Config.ini [PATH] AUDIO1 … while the window is
// closed. The window cannot be closed while a message is being written.
class VoiceSlotsDialog : public QDialog, public VoiceUploadView {
    Q_OBJECT
public:
    ~VoiceSlotsDialog() override;

    int slotCount() const { return int(rows_.size()); }
    // Slots are numbered from 1.
    QString slotPath(int slot) const { return row(slot).path; }
    // What the file dialog chose for the slot (empty: it was cancelled).
    void setSlotFile(int slot, const QString &path);
    void chooseFile(int slot);
    void play(int slot);
    virtual void write(int slot) = 0;
    // Whether a message is being written.
    virtual bool isBusy() const = 0;

    QLabel *captionLabel(int slot) const { return row(slot).caption; }
    QLineEdit *fileField(int slot) const { return row(slot).file; }
    QPushButton *selectButton(int slot) const { return row(slot).select; }
    QPushButton *playButton(int slot) const { return row(slot).play; }
    QPushButton *writeButton(int slot) const { return row(slot).write; }
    QComboBox *outputBox() const { return outputs_; }
    QLabel *noOutputLabel() const { return noOutput_; }
    QLabel *firmwareLabel() const { return firmware_; }
    QLabel *descriptionLabel() const { return description_; }
    QLabel *messageLabel() const { return message_; }
    QLabel *sizeLabel() const { return size_; }
    QLabel *counterLabel() const { return counter_; }
    QProgressBar *progressBar() const { return progress_; }
    QPushButton *closeButton() const { return close_; }
    bool isPreviewing() const;

    // Asks for a file: (folder, title, filter) → the path, empty when cancelled.
    std::function<QString(const QString &, const QString &, const QString &)> fileChooser;

    // VoiceUploadView
    void setProgressVisible(bool visible) override;
    void setProgress(int position, int maximum) override;
    void showCounter(const QString &text) override;

protected:
    VoiceSlotsDialog(AppState &state, int slots, QWidget *parent);

    // The number a slot has in the log's "Change msgN" and "Open msgN" lines.
    virtual int selectLogNumber(int slot) const { return slot; }
    virtual QString fileDialogTitle() const = 0;
    // The window has closed: the uploads stop; then the line for the log.
    virtual void stopUploads() = 0;
    virtual QString closingLogLine() const = 0;

    void setSlotButtonsEnabled(bool enabled);
    void log(const QString &line);
    QString text(const QString &section, int key) const;
    // Where a window puts its own controls, left of Close.
    QBoxLayout *buttonRow() const { return buttons_; }

    void showEvent(QShowEvent *event) override;
    void done(int result) override;
    void reject() override;

    AppState &state_;

private:
    struct Row {
        QLabel *caption;
        QLineEdit *file;
        QPushButton *select;
        QPushButton *play;
        QPushButton *write;
        QString path;
    };
    const Row &row(int slot) const { return rows_[slot - 1]; }
    Row &row(int slot) { return rows_[slot - 1]; }

    QList<Row> rows_;
    std::unique_ptr<VoicePreview> preview_;
    QComboBox *outputs_;
    QLabel *noOutput_;
    QLabel *firmware_;
    QLabel *description_;
    QLabel *message_;
    QLabel *size_;
    QLabel *counter_;
    QProgressBar *progress_;
    QBoxLayout *buttons_;
    QPushButton *close_;
};
