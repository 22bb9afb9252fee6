#include "ui/MessageBoxPresenter.h"

#include <QMessageBox>
#include <QWidget>

void MessageBoxPresenter::showMessage(const QString &text)
{
    QMessageBox::information(parent_, parent_ ? parent_->windowTitle() : QString(), text);
}
