#include "ui/ParameterEditor.h"

#include "ui/FieldKeyFilter.h"

#include "app/LanguageTable.h"
#include "params/Catalogue.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

ParameterEditor::ParameterEditor(const ParameterDef &row, const LanguageTable &texts, QFormLayout &layout)
    : row_(row), texts_(texts)
{
    label_ = new QLabel;
    label_->setWordWrap(true);
    field_ = new QWidget;
    buildField();
    const QString hint = hintOf(row_, texts_);
    label_->setToolTip(hint);
    field_->setToolTip(hint);
    layout.addRow(label_, field_);
}

void ParameterEditor::buildField()
{
    // Lists, option buttons and flag sets stack vertically; the rest sit in a row.
    if (row_.optionGroup || row_.kind == ValueKind::FlagSet) {
        auto *column = new QVBoxLayout(field_);
        column->setContentsMargins(0, 0, 0, 0);
        if (row_.optionGroup) {
            options_ = new QButtonGroup(this);
            connect(options_, &QButtonGroup::idClicked, this, &ParameterEditor::edited);
        }
        return;
    }
    auto *box = new QHBoxLayout(field_);
    box->setContentsMargins(0, 0, 0, 0);
    switch (row_.kind) {
    case ValueKind::Choice:
    case ValueKind::TimedChoice:
        list_ = new QComboBox;
        list_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        list_->installEventFilter(this);
        connect(list_, &QComboBox::activated, this, &ParameterEditor::edited);
        box->addWidget(list_);
        if (row_.kind == ValueKind::TimedChoice) {
            unitList_ = new QComboBox;
            unitList_->addItems(timeUnits());
            unitList_->installEventFilter(this);
            connect(unitList_, &QComboBox::activated, this, &ParameterEditor::edited);
            box->addWidget(unitList_);
        }
        break;
    case ValueKind::Flag:
        checkBox_ = new QCheckBox;
        connect(checkBox_, &QCheckBox::clicked, this, &ParameterEditor::edited);
        box->addWidget(checkBox_);
        break;
    case ValueKind::Code:
    case ValueKind::Digits:
    case ValueKind::TextNumber:
    case ValueKind::PhoneNumber:
        edit_ = new QLineEdit;
        new FieldKeyFilter(row_, *edit_);
        edit_->installEventFilter(this);
        connect(edit_, &QLineEdit::textEdited, this, &ParameterEditor::edited);
        if (row_.maxLength > 0) {
            edit_->setMaxLength(row_.maxLength);
            // Room for the longest value and a little more, never a whole page width.
            const int chars = std::max(row_.maxLength, 3) + 2;
            edit_->setMaximumWidth(edit_->fontMetrics().horizontalAdvance(QLatin1Char('8')) * chars + 16);
        }
        box->addWidget(edit_);
        if (row_.kind == ValueKind::PhoneNumber) {
            checkBox_ = new QCheckBox(texts_.text(QStringLiteral("Page10"), 3));
            connect(checkBox_, &QCheckBox::clicked, this, &ParameterEditor::edited);
            box->addWidget(checkBox_);
        }
        break;
    case ValueKind::FlagSet:
        break;
    }
    const QString unit = unitOf(row_, texts_);
    if (!unit.isEmpty())
        box->addWidget(new QLabel(unit));
    box->addStretch();
}

void ParameterEditor::setModel(CommunicatorModel model, int c3Features)
{
    model_ = model;
    const QString caption = captionOf(row_, model, texts_);
    if (row_.kind == ValueKind::Flag) {
        label_->clear();
        checkBox_->setText(caption);
    } else {
        label_->setText(caption + QLatin1Char(':'));
    }
    const QStringList entries = entryTextsOf(row_, model, texts_);
    if (list_) {
        list_->clear();
        list_->addItems(entries);
    }
    if (options_) {
        qDeleteAll(options_->buttons());
        for (int entry = 0; entry < entries.size(); ++entry) {
            auto *button = new QRadioButton(entries[entry]);
            options_->addButton(button, entry);
            field_->layout()->addWidget(button);
        }
    }
    if (row_.kind == ValueKind::FlagSet) {
        qDeleteAll(flagBoxes_);
        flagBoxes_.clear();
        const QStringList hints = entryHintsOf(row_, texts_);
        for (int entry = 0; entry < entries.size(); ++entry) {
            auto *flag = new QCheckBox(entries[entry]);
            flag->setToolTip(hints.value(entry));
            // The mark follows another entry and cannot be switched on its own.
            flag->setEnabled(row_.firstBit + entry != row_.markBit);
            connect(flag, &QCheckBox::clicked, this, &ParameterEditor::edited);
            field_->layout()->addWidget(flag);
            flagBoxes_.append(flag);
        }
    }
    setShown(row_.showsOn(model, c3Features));
}

void ParameterEditor::setShown(bool shown)
{
    shown_ = shown;
    label_->setVisible(shown_ && !label_->text().isEmpty());
    field_->setVisible(shown_);
}

bool ParameterEditor::isShown() const
{
    return shown_;
}

void ParameterEditor::setEditable(bool editable)
{
    label_->setEnabled(editable);
    field_->setEnabled(editable);
}

void ParameterEditor::setCaption(const QString &caption)
{
    label_->setText(caption);
    label_->setVisible(shown_ && !caption.isEmpty());
}

void ParameterEditor::setPrefix(const PrefixLabel &prefix)
{
    if (!prefix_) {
        prefix_ = new QLabel;
        static_cast<QBoxLayout *>(field_->layout())->insertWidget(0, prefix_);
    }
    QFont font = prefix_->font();
    font.setPointSize(prefix.pointSize);
    font.setBold(true);
    prefix_->setFont(font);
    prefix_->setText(prefix.text);
}

int ParameterEditor::selectedIndex() const
{
    if (list_)
        return list_->currentIndex();
    if (options_)
        return options_->checkedId();
    return -1;
}

void ParameterEditor::selectIndex(int index)
{
    if (list_)
        list_->setCurrentIndex(index < list_->count() ? index : -1);
    if (options_) {
        // An exclusive group cannot show "nothing chosen" otherwise.
        options_->setExclusive(false);
        for (QAbstractButton *button : options_->buttons())
            button->setChecked(options_->id(button) == index);
        options_->setExclusive(true);
    }
}

void ParameterEditor::load(const ParameterSet &set)
{
    const ParameterValue value = set.value(row_.id);
    selectIndex(value.index);
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
    if (list_ || options_)
        value.index = selectedIndex();
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

// Lists are chosen from, never typed into: a key would change the value unseen.
// Moving the focus on and opening the list still work.
static bool listKeyPasses(const QKeyEvent &key)
{
    switch (key.key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
    case Qt::Key_F4:
    case Qt::Key_Space:
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
        return key.modifiers() & Qt::AltModifier;
    default:
        return false;
    }
}

bool ParameterEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && (watched == list_ || watched == unitList_))
        return !listKeyPasses(*static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::FocusOut) {
        if (watched == edit_)
            leaveEdit();
        else if (watched == list_)
            leaveList();
        else if (watched == unitList_) {
            if (const std::optional<int> unit = unitOnLeave(unitList_->currentText()))
                unitList_->setCurrentIndex(*unit);
        }
    }
    return false;
}

void ParameterEditor::leaveEdit()
{
    const FieldCheck check = leaveTextField(row_, edit_->text());
    if (check.text != edit_->text()) {
        edit_->setText(check.text);
        Q_EMIT edited();
    }
    if (!check.accepted() && onRefused)
        onRefused(check);
}

void ParameterEditor::leaveList()
{
    if (const std::optional<int> entry = choiceOnLeave(row_, model_, list_->currentIndex())) {
        list_->setCurrentIndex(*entry);
        Q_EMIT edited();
    }
}
