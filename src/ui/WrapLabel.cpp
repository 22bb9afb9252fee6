#include "ui/WrapLabel.h"

#include <QMouseEvent>

WrapLabel::WrapLabel(const QString &text, QWidget *parent) : QLabel(text, parent)
{
    setWordWrap(true);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

QSize WrapLabel::sizeHint() const
{
    const QMargins margins = contentsMargins();
    const int textWidth = fontMetrics().horizontalAdvance(text()) + margins.left() + margins.right() + 2;
    const int width = std::min(textWidth, preferredMaxWidth);
    return {width, heightForWidth(width)};
}

QSize WrapLabel::minimumSizeHint() const
{
    const int width = std::min(sizeHint().width(), minimumWidth);
    return {width, heightForWidth(width)};
}

void WrapLabel::mouseReleaseEvent(QMouseEvent *event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clicked();
}
