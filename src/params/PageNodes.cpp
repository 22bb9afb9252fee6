#include "params/PageNodes.h"

#include "app/LanguageTable.h"

namespace {

// Node 10 and its three children, [Tree] keys per model (TKV-C, TKV-C2, TKV-C3).
constexpr int modelNodeKeys[4][3] = {{11, 11, 24}, {14, 17, 20}, {16, 18, 22}, {15, 19, 23}};
constexpr int andPowerKey = 21;

} // namespace

int pageOfNode(int node, CommunicatorModel model)
{
    if (node < 10)
        return node;
    if (node == 10)
        return model == CommunicatorModel::TkvC3 ? deviceDataPageIndex : 10;
    switch (model) {
    case CommunicatorModel::TkvC: return node;
    case CommunicatorModel::TkvC2: return node + 3;
    case CommunicatorModel::TkvC3: return node + 6;
    }
    return node;
}

QString pageNodeText(int node, CommunicatorModel model, bool externalPower, const LanguageTable &texts)
{
    const QString tree = QStringLiteral("Tree");
    if (node < 10)
        return texts.text(tree, node + 1);
    QString text = texts.text(tree, modelNodeKeys[node - 10][int(model)]);
    if (node == 11 && model == CommunicatorModel::TkvC3 && externalPower)
        text += QLatin1Char(' ') + texts.text(tree, andPowerKey);
    return text;
}

QList<int> printedNodeOrder(CommunicatorModel model)
{
    QList<int> nodes;
    for (int node = 0; node < 10; ++node)
        nodes << node;
    if (model == CommunicatorModel::TkvC3)
        nodes << 11 << 12 << 13 << 10;
    else
        nodes << 10 << 11 << 12 << 13;
    return nodes;
}
