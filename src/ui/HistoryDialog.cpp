#include "ui/HistoryDialog.h"

#include "app/LanguageTable.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

enum Key { Title = 41, Device = 42, Model = 43, ReadOn = 44, Open = 45, Empty = 46 };

constexpr int entryRole = Qt::UserRole;

} // namespace

HistoryDialog::HistoryDialog(const LanguageTable &texts, const QList<HistoryEntry> &entries, const QString &folder,
                             QWidget *parent)
    : QDialog(parent), entries_(entries), tree_(new QTreeWidget), open_(nullptr)
{
    const auto text = [&texts](int key) { return texts.text(QStringLiteral("Extensions"), key); };
    setWindowTitle(text(Title));
    auto *layout = new QVBoxLayout(this);
    if (entries_.isEmpty()) {
        auto *empty = new QLabel(text(Empty).arg(QDir::toNativeSeparators(folder)));
        empty->setWordWrap(true);
        layout->addWidget(empty);
    }
    tree_->setColumnCount(2);
    tree_->setHeaderLabels({text(Device) + QStringLiteral(" / ") + text(ReadOn), text(Model)});
    tree_->setVisible(!entries_.isEmpty());
    QTreeWidgetItem *deviceItem = nullptr;
    for (int i = 0; i < entries_.size(); ++i) {
        const HistoryEntry &entry = entries_[i];
        if (!deviceItem || deviceItem->text(0) != entry.device) {
            deviceItem = new QTreeWidgetItem(tree_, {entry.device});
            deviceItem->setFlags(Qt::ItemIsEnabled);
        }
        auto *item = new QTreeWidgetItem(deviceItem, {entry.time.toString(QStringLiteral("yyyy-MM-dd  HH:mm:ss")),
                                                      modelName(entry.model)});
        item->setData(0, entryRole, i);
        item->setToolTip(0, QDir::toNativeSeparators(entry.path));
    }
    tree_->expandAll();
    tree_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    layout->addWidget(tree_, 1);

    auto *buttons = new QDialogButtonBox;
    open_ = buttons->addButton(text(Open), QDialogButtonBox::AcceptRole);
    buttons->addButton(texts.text(QStringLiteral("Help"), 4), QDialogButtonBox::RejectRole);
    open_->setEnabled(false);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &HistoryDialog::choose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem *item) { open_->setEnabled(item && item->data(0, entryRole).isValid()); });
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, &HistoryDialog::choose);
    resize(480, 360);
}

void HistoryDialog::choose()
{
    if (chosen())
        accept();
}

std::optional<HistoryEntry> HistoryDialog::chosen() const
{
    const QTreeWidgetItem *item = tree_->currentItem();
    if (!item || !item->data(0, entryRole).isValid())
        return std::nullopt;
    return entries_.value(item->data(0, entryRole).toInt());
}
