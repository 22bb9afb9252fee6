#include "ui/ParameterEditor.h"

#include "ui/ButtonRow.h"
#include "ui/FieldKeyFilter.h"
#include "ui/FlowLayout.h"
#include "ui/WrapLabel.h"

#include "app/LanguageTable.h"
#include "params/Catalogue.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

ParameterEditor::ParameterEditor(const ParameterDef &row, const LanguageTable &texts, QGridLayout &grid)
    : row_(row), texts_(texts)
{
    const int line = grid.rowCount();
    if (row_.kind == ValueKind::Flag) {
        checkBox_ = new QCheckBox;
        connect(checkBox_, &QCheckBox::clicked, this, &ParameterEditor::edited);
        auto *flagRow = new ButtonRow(checkBox_, {});
        field_ = flagRow;
        label_ = flagRow->caption();
        grid.addWidget(field_, line, 0, 1, 2);
    } else {
        label_ = new WrapLabel;
        field_ = new QWidget;
        buildField();
        if (row_.optionGroup || row_.kind == ValueKind::FlagSet || row_.kind == ValueKind::PhoneNumber) {
            // Option buttons, flag boxes and telephone numbers are wide: they get the
            // whole width, below their caption.
            grid.addWidget(label_, line, 0, 1, 2);
            grid.addWidget(field_, line + 1, 0, 1, 2);
            field_->layout()->setContentsMargins(12, 0, 0, 0);
        } else {
            grid.addWidget(label_, line, 0, Qt::AlignTop);
            grid.addWidget(field_, line, 1, Qt::AlignTop);
        }
    }
    const QString hint = hintOf(row_, texts_);
    label_->setToolTip(hint);
    field_->setToolTip(hint);
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
    if (row_.kind == ValueKind::PhoneNumber) {
        // The "Confirming" box goes below the number when the page is narrow.
        auto *flow = new FlowLayout(field_);
        flow->addWidget(buildEdit());
        checkBox_ = new QCheckBox(texts_.text(QStringLiteral("Page10"), 3));
        connect(checkBox_, &QCheckBox::clicked, this, &ParameterEditor::edited);
        flow->addWidget(checkBox_);
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
        break;
    case ValueKind::Code:
    case ValueKind::Digits:
    case ValueKind::TextNumber:
        box->addWidget(buildEdit());
        break;
    case ValueKind::PhoneNumber:
    case ValueKind::FlagSet:
        break;
    }
    const QString unit = unitOf(row_, texts_);
    if (!unit.isEmpty())
        box->addWidget(new QLabel(unit));
    box->addStretch();
}

QLineEdit *ParameterEditor::buildEdit()
{
    edit_ = new QLineEdit;
    new FieldKeyFilter(row_, *edit_);
    edit_->installEventFilter(this);
    connect(edit_, &QLineEdit::textEdited, this, &ParameterEditor::edited);
    if (row_.maxLength > 0) {
        edit_->setMaxLength(row_.maxLength);
        // Room for the longest value and a little more, never a whole page width.
        const int chars = std::max(row_.maxLength, 3) + 2;
        edit_->setFixedWidth(edit_->fontMetrics().horizontalAdvance(QLatin1Char('8')) * chars + 12);
    }
    return edit_;
}

void ParameterEditor::setModel(CommunicatorModel model, int c3Features)
{
    model_ = model;
    const QString caption = captionOf(row_, model, texts_);
    if (row_.kind == ValueKind::Flag) {
        static_cast<ButtonRow *>(field_)->setText(caption);
    } else {
        label_->setText(caption + QLatin1Char(':'));
    }
    const QStringList entries = entryTextsOf(row_, model, texts_);
    if (list_) {
        list_->clear();
        list_->addItems(entries);
    }
    if (options_ || row_.kind == ValueKind::FlagSet)
        rebuildButtonRows(entries);
    setShown(row_.showsOn(model, c3Features));
}

// One option button or flag box per entry, each with a caption that wraps.
void ParameterEditor::rebuildButtonRows(const QStringList &entries)
{
    qDeleteAll(buttonRows_);
    buttonRows_.clear();
    flagBoxes_.clear();
    const QStringList hints = entryHintsOf(row_, texts_);
    for (int entry = 0; entry < entries.size(); ++entry) {
        QAbstractButton *button = nullptr;
        if (options_) {
            button = new QRadioButton;
            options_->addButton(button, entry);
        } else {
            auto *flag = new QCheckBox;
            // The mark follows another entry and cannot be switched on its own.
            flag->setEnabled(row_.firstBit + entry != row_.markBit);
            connect(flag, &QCheckBox::clicked, this, &ParameterEditor::edited);
            flagBoxes_.append(flag);
            button = flag;
        }
        auto *buttonRow = new ButtonRow(button, {});
        buttonRow->setText(entries[entry]);
        buttonRow->setToolTip(hints.value(entry));
        field_->layout()->addWidget(buttonRow);
        buttonRows_.append(buttonRow);
    }
}

void ParameterEditor::setShown(bool shown)
{
    shown_ = shown;
    if (row_.kind != ValueKind::Flag)
        label_->setVisible(shown_);
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
