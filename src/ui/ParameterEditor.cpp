#include "ui/ParameterEditor.h"

#include "ui/FieldKeyFilter.h"

#include "app/LanguageTable.h"
#include "params/Catalogue.h"
#include "params/InputRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

ParameterEditor::ParameterEditor(const ParameterDef &row, const LanguageTable &texts, QFormLayout &layout)
    : row_(row), texts_(texts)
{
    label_ = new QLabel;
    label_->setWordWrap(true);
    field_ = new QWidget;
    buildField();
    layout.addRow(label_, field_);
}

void ParameterEditor::buildField()
{
    auto *box = new QHBoxLayout(field_);
    box->setContentsMargins(0, 0, 0, 0);
    switch (row_.kind) {
    case ValueKind::Choice:
    case ValueKind::TimedChoice:
        list_ = new QComboBox;
        box->addWidget(list_);
        if (row_.kind == ValueKind::TimedChoice) {
            unitList_ = new QComboBox;
            unitList_->addItems(timeUnits());
            box->addWidget(unitList_);
        }
        break;
    case ValueKind::Flag:
        checkBox_ = new QCheckBox;
        box->addWidget(checkBox_);
        break;
    case ValueKind::Code:
    case ValueKind::Digits:
    case ValueKind::TextNumber:
    case ValueKind::PhoneNumber:
        edit_ = new QLineEdit;
        new FieldKeyFilter(row_, *edit_);
        if (row_.maxLength > 0)
            edit_->setMaxLength(row_.maxLength);
        box->addWidget(edit_);
        if (row_.kind == ValueKind::PhoneNumber) {
            checkBox_ = new QCheckBox(QStringLiteral("Confirming"));
            box->addWidget(checkBox_);
        }
        break;
    case ValueKind::FlagSet:
        delete box;
        new QVBoxLayout(field_);
        field_->layout()->setContentsMargins(0, 0, 0, 0);
        break;
    }
    if (!row_.unit.isEmpty())
        box->addWidget(new QLabel(row_.unitKey.isValid() ? texts_.text(row_.unitKey.section, row_.unitKey.key)
                                                          : row_.unit));
    if (row_.kind != ValueKind::FlagSet)
        box->addStretch();
}

void ParameterEditor::setModel(CommunicatorModel model, int c3Features)
{
    const QString caption = captionOf(row_, model, texts_);
    if (row_.kind == ValueKind::Flag) {
        label_->clear();
        checkBox_->setText(caption);
    } else {
        label_->setText(caption + QLatin1Char(':'));
    }
    if (list_) {
        list_->clear();
        list_->addItems(entryTextsOf(row_, model, texts_));
    }
    if (row_.kind == ValueKind::FlagSet) {
        qDeleteAll(flagBoxes_);
        flagBoxes_.clear();
        for (const QString &entry : entryTextsOf(row_, model, texts_)) {
            auto *flag = new QCheckBox(entry);
            field_->layout()->addWidget(flag);
            flagBoxes_.append(flag);
        }
    }
    shown_ = row_.showsOn(model, c3Features);
    label_->setVisible(shown_);
    field_->setVisible(shown_);
}

bool ParameterEditor::isShown() const
{
    return shown_;
}

void ParameterEditor::load(const ParameterSet &set)
{
    const ParameterValue value = set.value(row_.id);
    if (list_)
        list_->setCurrentIndex(value.index < list_->count() ? value.index : -1);
    if (unitList_)
        unitList_->setCurrentIndex(value.unit);
    if (edit_)
        edit_->setText(value.text);
    if (checkBox_)
        checkBox_->setChecked(value.flag);
    for (int entry = 0; entry < flagBoxes_.size(); ++entry)
        flagBoxes_[entry]->setChecked(value.bits & (1u << (row_.firstBit + entry)));
}

void ParameterEditor::store(ParameterSet &set) const
{
    ParameterValue value = set.value(row_.id);
    if (list_)
        value.index = list_->currentIndex();
    if (unitList_)
        value.unit = unitList_->currentIndex();
    if (edit_)
        value.text = edit_->text();
    if (checkBox_)
        value.flag = checkBox_->isChecked();
    for (int entry = 0; entry < flagBoxes_.size(); ++entry)
        value.bits = switchFlagSetEntry(row_, value.bits, entry, flagBoxes_[entry]->isChecked());
    set.set(row_.id, value);
}
