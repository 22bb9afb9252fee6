#include "ui/PageGroup.h"

#include "ui/WrapLabel.h"

#include <QFrame>
#include <QVBoxLayout>

PageGroup::PageGroup(const QString &title, QWidget *parent)
    : QWidget(parent), title_(new WrapLabel(title)), frame_(new QFrame), body_(new QVBoxLayout(frame_))
{
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(title_);
    frame_->setFrameShape(QFrame::StyledPanel);
    frame_->setFrameShadow(QFrame::Sunken);
    column->addWidget(frame_);
}

void PageGroup::setTitle(const QString &title)
{
    title_->setText(title);
}

QString PageGroup::title() const
{
    return title_->text();
}
