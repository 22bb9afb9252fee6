#pragma once

#include "params/InputRules.h"
#include "params/ParameterDef.h"

#include <QList>
#include <QObject>
#include <functional>

class LanguageTable;
class ParameterSet;
class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QComboBox;
class ButtonRow;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;

// The widget of one catalogue row, one kind per value kind: a list for choices (with
// a unit list for timed choices), option buttons for option groups, a check box for
// flags, an edit field for codes, digits and numbers (with the "Confirming" box for
// phone numbers), a column of check boxes for flag sets. Reads its value from and
// writes it to the ParameterSet, and applies the row's rules when the technician
// leaves a field.
class ParameterEditor : public QObject {
    Q_OBJECT
public:
    // Adds the row below the rows of grid: the caption in column 0 and the field in
    // column 1 (a check box with its caption spans both).
    ParameterEditor(const ParameterDef &row, const LanguageTable &texts, QGridLayout &grid);

    const ParameterDef &row() const { return row_; }
    // Captions and value lists of the model; shows the row only where the model (and a
    // TKV-C3's feature bits) have it.
    void setModel(CommunicatorModel model, int c3Features);
    // Hides or shows a row the model has (the window's own adaptations).
    void setShown(bool shown);
    bool isShown() const;
    void setEditable(bool editable);
    // Replaces the caption of the model (the parallel mode address).
    void setCaption(const QString &caption);
    // The confirmation-prefix label in front of a code field.
    void setPrefix(const PrefixLabel &prefix);
    void load(const ParameterSet &set);
    void store(ParameterSet &set) const;

    // A leave rule refused the text; the field keeps the focus after the message.
    std::function<void(const FieldCheck &)> onRefused;

    // The widgets, for the window's couplings and the tests (null where the kind has
    // none). A flag's label is the caption beside its check box.
    QLabel *label() const { return label_; }
    QWidget *field() const { return field_; }
    QComboBox *list() const { return list_; }
    QComboBox *unitList() const { return unitList_; }
    QButtonGroup *options() const { return options_; }
    QCheckBox *checkBox() const { return checkBox_; }
    QLineEdit *edit() const { return edit_; }
    QLabel *prefixLabel() const { return prefix_; }
    const QList<QCheckBox *> &flagBoxes() const { return flagBoxes_; }

Q_SIGNALS:
    // The technician changed the value.
    void edited();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildField();
    QLineEdit *buildEdit();
    void rebuildButtonRows(const QStringList &entries);
    void leaveEdit();
    void leaveList();
    int selectedIndex() const;
    void selectIndex(int index);

    const ParameterDef &row_;
    const LanguageTable &texts_;
    CommunicatorModel model_ = CommunicatorModel::TkvC;
    QLabel *label_ = nullptr;
    QWidget *field_ = nullptr;
    QLabel *prefix_ = nullptr;
    QComboBox *list_ = nullptr;
    QComboBox *unitList_ = nullptr;
    QButtonGroup *options_ = nullptr;
    QCheckBox *checkBox_ = nullptr;
    QLineEdit *edit_ = nullptr;
    QList<QCheckBox *> flagBoxes_;
    QList<ButtonRow *> buttonRows_;  // option buttons or flag-set boxes
    bool shown_ = true;
};
