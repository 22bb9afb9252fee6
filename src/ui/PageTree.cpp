#include "ui/PageTree.h"

#include "app/LanguageTable.h"

#include <QKeyEvent>

namespace {

// Node 10 and its three children, [Tree] keys per model (TKV-C, TKV-C2, TKV-C3).
constexpr int modelNodeKeys[4][3] = {{11, 11, 24}, {14, 17, 20}, {16, 18, 22}, {15, 19, 23}};
// The parent of each node, -1 for a top-level node.
constexpr int parentNode[PageTree::nodeCount] = {-1, 0, 0, -1, -1, 4, -1, 6, -1, -1, -1, 10, 10, 10};

} // namespace

PageTree::PageTree(const LanguageTable &texts, QWidget *parent) : QTreeWidget(parent), texts_(texts)
{
    setHeaderHidden(true);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    const QString tree = QStringLiteral("Tree");
    for (int index = 0; index < nodeCount; ++index) {
        nodes_[index] = parentNode[index] < 0 ? new QTreeWidgetItem(this) : new QTreeWidgetItem(nodes_[parentNode[index]]);
        if (index < 10)
            nodes_[index]->setText(0, texts_.text(tree, index + 1));
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
    const QString tree = QStringLiteral("Tree");
    for (int child = 0; child < 4; ++child)
        nodes_[10 + child]->setText(0, texts_.text(tree, modelNodeKeys[child][int(model)]));
    if (model == CommunicatorModel::TkvC3 && externalPower)
        nodes_[11]->setText(0, nodes_[11]->text(0) + QLatin1Char(' ') + texts_.text(tree, 21));
}

int PageTree::pageOf(int node, CommunicatorModel model)
{
    if (node < 10)
        return node;
    if (node == 10)
        return model == CommunicatorModel::TkvC3 ? 20 : 10;
    switch (model) {
    case CommunicatorModel::TkvC: return node;
    case CommunicatorModel::TkvC2: return node + 3;
    case CommunicatorModel::TkvC3: return node + 6;
    }
    return node;
}

void PageTree::keyPressEvent(QKeyEvent *event)
{
    event->ignore();
}
