#pragma once

#include "params/ParameterDef.h"

#include <QList>

class LanguageTable;
class ParameterSet;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QWidget;

// The widget of one catalogue row, one kind per value kind: a list for choices (with
// a unit list for timed choices), a check box for flags, an edit field for codes,
// digits and numbers (with the "Confirming" box for phone numbers), a column of check
// boxes for flag sets. Reads its value from and writes it to the ParameterSet.
class ParameterEditor {
public:
    // Adds the row to layout: a label with the caption and the field.
    ParameterEditor(const ParameterDef &row, const LanguageTable &texts, QFormLayout &layout);

    const ParameterDef &row() const { return row_; }
    // Captions and value lists of the model; shows the row only where the model (and a
    // TKV-C3's feature bits) have it.
    void setModel(CommunicatorModel model, int c3Features);
    bool isShown() const;
    void load(const ParameterSet &set);
    void store(ParameterSet &set) const;

    // The widgets, for the window's couplings and the tests (null where the kind has none).
    QWidget *field() const { return field_; }
    QComboBox *list() const { return list_; }
    QComboBox *unitList() const { return unitList_; }
    QCheckBox *checkBox() const { return checkBox_; }
    QLineEdit *edit() const { return edit_; }
    const QList<QCheckBox *> &flagBoxes() const { return flagBoxes_; }

private:
    void buildField();

    const ParameterDef &row_;
    const LanguageTable &texts_;
    QLabel *label_ = nullptr;
    QWidget *field_ = nullptr;
    QComboBox *list_ = nullptr;
    QComboBox *unitList_ = nullptr;
    QCheckBox *checkBox_ = nullptr;
    QLineEdit *edit_ = nullptr;
    QList<QCheckBox *> flagBoxes_;
    bool shown_ = true;
};
