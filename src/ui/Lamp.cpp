#include "ui/Lamp.h"

#include <QMouseEvent>

namespace {

QString styleOf(LampColour colour)
{
    const QString frame = QStringLiteral("border: 1px solid palette(dark); border-radius: 3px; padding: 0 3px;");
    switch (colour) {
    case LampColour::Red: return frame + QStringLiteral("background: #e02020; color: white;");
    case LampColour::Green: return frame + QStringLiteral("background: #20c020;");
    case LampColour::Yellow: return frame + QStringLiteral("background: #f0e020;");
    case LampColour::Inactive:
        return frame + QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #7a96df, stop:1 #d6dff7);");
    case LampColour::Neutral: break;
    }
    return frame + QStringLiteral("background: palette(button);");
}

} // namespace

Lamp::Lamp(const QString &caption, QWidget *parent) : QLabel(caption, parent)
{
    setAlignment(Qt::AlignCenter);
    setMinimumSize(20, 20);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setStyleSheet(styleOf(colour_));
}

void Lamp::setColour(LampColour colour)
{
    if (colour == colour_)
        return;
    colour_ = colour;
    setStyleSheet(styleOf(colour));
}

void Lamp::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    Q_EMIT doubleClicked();
}
