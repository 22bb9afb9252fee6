#include "ui/VoicePreview.h"

#include "ui/AppState.h"

#include "app/MessagePresenter.h"

#include <algorithm>

VoicePreview::VoicePreview(AppState &state, std::function<void(bool)> playing)
    : state_(state), playing_(std::move(playing)),
      timer_(state.clock().createTimer(Millis(pollIntervalMs), [this] { tick(); }))
{
}

VoicePreview::~VoicePreview()
{
    timer_->stop();
}

void VoicePreview::play(const QString &path, int outputIndex)
{
    stop();
    if (state_.soundOutputs.isEmpty()) {
        state_.messages().showMessage(state_.texts().text(QStringLiteral("Message"), 54));
        return;
    }
    try {
        player_ = state_.audioPlayers(std::max(outputIndex, 0), path);
        player_->play();
    } catch (const AudioPlayError &error) {
        player_.reset();
        state_.messages().showMessage(error.message);
        return;
    }
    playing_(true);
    timer_->start();
}

void VoicePreview::stop()
{
    timer_->stop();
    if (!player_)
        return;
    player_->stop();
    player_.reset();
    playing_(false);
}

void VoicePreview::tick()
{
    if (player_ && player_->position() >= player_->duration())
        stop();
}
