#pragma once

#include "ui/VoiceSlotsDialog.h"

class TickTimer;

// "Voice messages": eight messages for a TKV-C3 or a voice module of the newer kind.
// Each slot's WAV file is converted when it is not already 8-bit mono at the
// device's rate, and written in blocks of 16 samples; "Write all" writes every slot
// that has a file, one after another.
class VoiceMessagesDialog : public VoiceSlotsDialog {
    Q_OBJECT
public:
    static constexpr int slots = 8;
    static constexpr int sequencerIntervalMs = 10;

    VoiceMessagesDialog(AppState &state, VoiceDevice device, QWidget *parent = nullptr);
    ~VoiceMessagesDialog() override;

    void write(int slot) override;
    void writeAll();
    bool isBusy() const override;

    QPushButton *writeAllButton() const { return writeAll_; }
    VoiceUpload *upload() const { return upload_.get(); }

    // VoiceUploadView
    void uploadEnded(bool stored) override;

protected:
    QString fileDialogTitle() const override;
    void stopUploads() override;
    QString closingLogLine() const override;

private:
    void sequencerTick();
    void writeEnded();
    void showWriteAllIdle();

    VoiceDevice device_;
    std::unique_ptr<VoiceUpload> upload_;
    std::unique_ptr<TickTimer> sequencer_;
    QPushButton *writeAll_;
    bool writingAll_ = false;
    int step_ = 0;
};
