#pragma once

#include "app/MessagePresenter.h"

class QWidget;

// Messages of the engines as modal boxes over the given window.
class MessageBoxPresenter : public MessagePresenter {
public:
    void setParent(QWidget *parent) { parent_ = parent; }
    void showMessage(const QString &text) override;
    void showNotice(const QString &text, const QString &title, MessageIcon icon) override;
    bool askYesNo(const QString &text, const QString &title) override;
    Answer askYesNoCancel(const QString &text, const QString &title) override;

private:
    QWidget *parent_ = nullptr;
};
