#include "ui/ToneSamplesDialog.h"

#include "ui/AppState.h"
#include "ui/BusyCursor.h"

#include "app/ProgramFolder.h"
#include "voice/AudioPlayer.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

// The buttons by number: their [Audio] caption key and file; Cancel has no file.
struct Tone {
    int number;
    int captionKey;
    const char *file;
};
constexpr Tone tones[] = {
    {1, 1, "Pickup1.WAV"},         {2, 2, "Pickup2.WAV"},   {3, 5, "Confirm.WAV"},
    {4, 7, "Tick.WAV"},            {5, 9, "Lock.WAV"},      {6, 11, "Start.WAV"},
    {7, 3, "Hangup1.WAV"},         {8, 4, "Hangup2.WAV"},   {9, 6, "Error.WAV"},
    {10, 8, "Entertoprogram.WAV"}, {11, 10, "Programing.WAV"}, {12, 12, "Emptymemory.WAV"},
    {13, 13, nullptr},             {14, 15, "Allert.WAV"},
};
constexpr int toneCount = int(std::size(tones));
constexpr int hiddenTone = 5;

const Tone &toneOf(int number)
{
    return tones[number - 1];
}

}  // namespace

ToneSamplesDialog::ToneSamplesDialog(AppState &state, QWidget *parent)
    : QDialog(parent), state_(state), melody_(new QRadioButton), morse_(new QRadioButton)
{
    const auto audio = [&state](int key) { return state.texts().text(QStringLiteral("Audio"), key); };
    setWindowTitle(audio(14));
    setModal(true);
    melody_->setText(audio(17));
    morse_->setText(audio(18));
    melody_->setChecked(true);
    auto *style = new QGroupBox(audio(16));
    auto *styleLayout = new QVBoxLayout(style);
    styleLayout->addWidget(melody_);
    styleLayout->addWidget(morse_);

    // Buttons 1 to 6 in the left column, 7 to 12 in the right, then Cancel beside
    // "End of conversation".
    auto *grid = new QGridLayout;
    for (const Tone &tone : tones) {
        auto *button = new QPushButton(audio(tone.captionKey));
        button->setAutoDefault(false);
        buttons_.append(button);
        const int column = tone.number <= 6 || tone.number == 14 ? 0 : 1;
        const int line = tone.number == 13 || tone.number == 14 ? 6 : (tone.number - 1) % 6;
        grid->addWidget(button, line, column);
        if (tone.file)
            connect(button, &QPushButton::clicked, this, [this, number = tone.number] { playTone(number); });
        else
            connect(button, &QPushButton::clicked, this, &QDialog::reject);
    }
    buttons_[hiddenTone - 1]->setVisible(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(style);
    layout->addLayout(grid);
}

QPushButton *ToneSamplesDialog::toneButton(int number) const
{
    return number >= 1 && number <= toneCount ? buttons_[number - 1] : nullptr;
}

QString ToneSamplesDialog::tonePath(int number) const
{
    const char *file = toneOf(number).file;
    if (!file)
        return {};
    return ProgramFolder::findDataFile((morse_->isChecked() ? QStringLiteral("Morse_") : QString())
                                       + QString::fromLatin1(file));
}

// The tone plays to its end before the window takes input again. A missing or
// unplayable file plays nothing and says nothing.
void ToneSamplesDialog::playTone(int number)
{
    const QString path = tonePath(number);
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) && !state_.soundOutputs.isEmpty()) {
        BusyCursor busy;
        setEnabled(false);
        try {
            const std::unique_ptr<AudioPlayback> player = state_.audioPlayers(0, path);
            player->play();
            // A sound output that stalls does not hold the window for longer.
            const Nanos giveUp = state_.clock().now() + Millis(player->duration()) + std::chrono::seconds(2);
            while (player->position() < player->duration() && state_.clock().now() < giveUp)
                state_.clock().wait(Millis(20));
        } catch (const AudioPlayError &) {
        }
        setEnabled(true);
    }
    if (state_.log().isEnabled())
        state_.log().writeLine(QStringLiteral("play: ") + path);
}
