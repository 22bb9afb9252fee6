#pragma once

#include <QObject>

struct ParameterDef;
class QLineEdit;

// Applies the row's key rule to its edit field: keys the row does not accept are
// dropped, mapped keys (a phone number's "h" to "*", "k" to "#") are typed as mapped.
// Editing keys without text (arrows, Delete) and shortcuts pass.
class FieldKeyFilter : public QObject {
    Q_OBJECT
public:
    FieldKeyFilter(const ParameterDef &row, QLineEdit &edit);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const ParameterDef &row_;
    QLineEdit &edit_;
};
