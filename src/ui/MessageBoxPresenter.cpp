#include "ui/MessageBoxPresenter.h"

#include <QMessageBox>
#include <QWidget>

void MessageBoxPresenter::showMessage(const QString &text)
{
    QMessageBox::information(parent_, parent_ ? parent_->windowTitle() : QString(), text);
}

void MessageBoxPresenter::showNotice(const QString &text, const QString &title, MessageIcon icon)
{
    if (icon == MessageIcon::Warning)
        QMessageBox::warning(parent_, title, text);
    else
        QMessageBox::information(parent_, title, text);
}

bool MessageBoxPresenter::askYesNo(const QString &text, const QString &title)
{
    return QMessageBox::question(parent_, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

Answer MessageBoxPresenter::askYesNoCancel(const QString &text, const QString &title)
{
    switch (QMessageBox::question(parent_, title, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}
