#pragma once

#include "voice/AudioPlayer.h"

#include <functional>
#include <memory>

class AppState;
class TickTimer;

// Listening to a message file before it is written: a player on the chosen sound
// output, polled every 50 ms until it has played the whole file. With no sound
// output, or a file the player refuses, the technician is told and nothing plays.
class VoicePreview {
public:
    static constexpr int pollIntervalMs = 50;

    // playing(true) when a preview starts, playing(false) when it has ended.
    VoicePreview(AppState &state, std::function<void(bool playing)> playing);
    ~VoicePreview();

    // outputIndex: in the state's sound outputs.
    void play(const QString &path, int outputIndex);
    void stop();
    bool isPlaying() const { return player_ != nullptr; }

private:
    void tick();

    AppState &state_;
    std::function<void(bool)> playing_;
    std::unique_ptr<AudioPlayback> player_;
    std::unique_ptr<TickTimer> timer_;
};
