#include "ui/FieldKeyFilter.h"

#include "params/InputRules.h"

#include <QKeyEvent>
#include <QLineEdit>

FieldKeyFilter::FieldKeyFilter(const ParameterDef &row, QLineEdit &edit) : QObject(&edit), row_(row), edit_(edit)
{
    edit.installEventFilter(this);
}

bool FieldKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != &edit_ || event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<QKeyEvent *>(event);
    const QString text = key->text();
    if (text.size() != 1 || !text[0].isPrint() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    const std::optional<QChar> typed = filterKey(row_, text[0]);
    if (typed && *typed == text[0])
        return false;
    if (typed)
        edit_.insert(QString(*typed));
    return true;
}
