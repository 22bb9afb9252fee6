#pragma once

#include "ui/VoiceSlotsDialog.h"

class LegacyTalkerUpload;
class QSpinBox;

// "Talker settings": the four messages of the older voice module. A message is
// compressed with the chosen tolerance, cut into 64-byte blocks, checked against its
// memory area and sent one block per request, over the USB cable only. The stream
// and the blocks are also written beside the WAV file.
class LegacyTalkerDialog : public VoiceSlotsDialog {
    Q_OBJECT
public:
    static constexpr int slots = 4;

    explicit LegacyTalkerDialog(AppState &state, QWidget *parent = nullptr);
    ~LegacyTalkerDialog() override;

    void write(int slot) override;
    bool isBusy() const override;

    QSpinBox *toleranceBox() const { return tolerance_; }
    QLabel *compressionLabel() const { return compression_; }
    LegacyTalkerUpload *upload() const { return upload_.get(); }

    // VoiceUploadView
    void setProgressVisible(bool visible) override;
    void uploadEnded(bool stored) override;

protected:
    int selectLogNumber(int slot) const override;
    QString fileDialogTitle() const override;
    void stopUploads() override;
    QString closingLogLine() const override;

private:
    void writeEnded();

    std::unique_ptr<LegacyTalkerUpload> upload_;
    QSpinBox *tolerance_;
    QLabel *compression_;
    QString timeText_;
};
