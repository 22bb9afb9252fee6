#pragma once

#include <QWidget>

class QAbstractButton;
class WrapLabel;

// A check box or option button with a caption that wraps on narrow pages; clicking
// the caption clicks the button.
class ButtonRow : public QWidget {
    Q_OBJECT
public:
    ButtonRow(QAbstractButton *button, const QString &text, QWidget *parent = nullptr);

    QAbstractButton *button() const { return button_; }
    WrapLabel *caption() const { return caption_; }
    void setText(const QString &text);

private:
    QAbstractButton *button_;
    WrapLabel *caption_;
};
