#pragma once

#include "params/CommunicatorModel.h"
#include "params/PageNodes.h"

#include <QTreeWidget>

class LanguageTable;

// The tree of page nodes left of the pages: 14 nodes, the texts of nodes 10 to 13
// following the model. Renaming, dragging and typing are refused.
class PageTree : public QTreeWidget {
    Q_OBJECT
public:
    static constexpr int nodeCount = pageNodeCount;

    PageTree(const LanguageTable &texts, QWidget *parent = nullptr);

    void setModel(CommunicatorModel model, bool externalPower);
    QTreeWidgetItem *node(int index) const { return nodes_[index]; }
    QSize minimumSizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    const LanguageTable &texts_;
    QTreeWidgetItem *nodes_[nodeCount] = {};
};
