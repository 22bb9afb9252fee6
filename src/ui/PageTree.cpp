#include "ui/PageTree.h"

#include "app/LanguageTable.h"

#include <QKeyEvent>

namespace {

// The parent of each node, -1 for a top-level node.
constexpr int parentNode[PageTree::nodeCount] = {-1, 0, 0, -1, -1, 4, -1, 6, -1, -1, -1, 10, 10, 10};

} // namespace

PageTree::PageTree(const LanguageTable &texts, QWidget *parent) : QTreeWidget(parent), texts_(texts)
{
    setHeaderHidden(true);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (int index = 0; index < nodeCount; ++index) {
        nodes_[index] = parentNode[index] < 0 ? new QTreeWidgetItem(this) : new QTreeWidgetItem(nodes_[parentNode[index]]);
        nodes_[index]->setData(0, Qt::UserRole, index);
    }
    expandAll();
    setModel(CommunicatorModel::TkvC, false);
}

QSize PageTree::minimumSizeHint() const
{
    // Every node's text stays readable however narrow the window gets.
    return {sizeHintForColumn(0) + 2 * frameWidth() + 4, QTreeWidget::minimumSizeHint().height()};
}

void PageTree::setModel(CommunicatorModel model, bool externalPower)
{
    for (int index = 0; index < nodeCount; ++index)
        nodes_[index]->setText(0, pageNodeText(index, model, externalPower, texts_));
}

void PageTree::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
}
