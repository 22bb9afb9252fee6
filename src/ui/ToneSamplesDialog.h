#pragma once

#include <QDialog>

class AppState;
class QPushButton;
class QRadioButton;

// "Samples of audio signals": plays the signalling tones of a communicator, in the
// melody or the Morse style, from the tone files beside the program. The window
// waits while a tone plays.
class ToneSamplesDialog : public QDialog {
    Q_OBJECT
public:
    explicit ToneSamplesDialog(AppState &state, QWidget *parent = nullptr);

    // The tone buttons in window order (1 to 14; 13 is Cancel, 5 hidden).
    QPushButton *toneButton(int number) const;
    QRadioButton *morseChoice() const { return morse_; }
    // The file a tone button plays in the chosen style.
    QString tonePath(int number) const;
    void playTone(int number);

private:
    AppState &state_;
    QList<QPushButton *> buttons_;
    QRadioButton *melody_;
    QRadioButton *morse_;
};
