#include "ui/ButtonRow.h"

#include "ui/WrapLabel.h"

#include <QAbstractButton>
#include <QHBoxLayout>

ButtonRow::ButtonRow(QAbstractButton *button, const QString &text, QWidget *parent)
    : QWidget(parent), button_(button), caption_(new WrapLabel(text))
{
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(button_, 0, Qt::AlignTop);
    row->addWidget(caption_, 1);
    button_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(caption_, &WrapLabel::clicked, button_, [this] {
        if (button_->isEnabled())
            button_->click();
    });
}

void ButtonRow::setText(const QString &text)
{
    caption_->setText(text);
    button_->setAccessibleName(text);
}
