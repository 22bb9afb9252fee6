#include "ui/InfoWindow.h"

#include "app/LanguageTable.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>

InfoWindow::InfoWindow(const LanguageTable &texts, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint),
      texts_(texts),
      text_(new QLabel)
{
    setModal(false);
    auto *picture = new QLabel;
    const int side = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    picture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation, nullptr, this).pixmap(side, side));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(20, 16, 24, 16);
    layout->setSpacing(16);
    layout->addWidget(picture);
    layout->addWidget(text_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

// The text is read at every showing, so that it follows the language in force.
void InfoWindow::showEvent(QShowEvent *event)
{
    setWindowTitle(texts_.text(QStringLiteral("Info"), 1));
    text_->setText(texts_.text(QStringLiteral("Remote"), 30));
    QDialog::showEvent(event);
    if (const QWidget *parent = parentWidget()) {
        adjustSize();
        move(parent->window()->frameGeometry().center() - QPoint(width() / 2, height() / 2));
    }
}
