#pragma once

#include "protocol/DeviceInfo.h"

#include <QLabel>

// A status lamp: a small captioned square in one of the lamp colours, which the
// technician can double-click.
class Lamp : public QLabel {
    Q_OBJECT
public:
    explicit Lamp(const QString &caption, QWidget *parent = nullptr);

    void setColour(LampColour colour);
    LampColour colour() const { return colour_; }

Q_SIGNALS:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    LampColour colour_ = LampColour::Neutral;
};
