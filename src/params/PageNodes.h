#pragma once

#include "params/CommunicatorModel.h"

#include <QList>
#include <QString>

class LanguageTable;

// The nodes of the page tree, as data: which page each node shows for a model and
// the node's text. The printed report follows the same tree.
constexpr int pageNodeCount = 14;
// The page of the TKV-C3 device data, which holds no parameter.
constexpr int deviceDataPageIndex = 20;

// The page a node shows for the model.
int pageOfNode(int node, CommunicatorModel model);
// The node's text: nodes 10 to 13 by model; the TKV-C3's node 11 names the power
// settings only when the device has external power.
QString pageNodeText(int node, CommunicatorModel model, bool externalPower, const LanguageTable &texts);
// The nodes in the order the settings report prints them: tree order, except that
// the TKV-C3's device node comes after its three children.
QList<int> printedNodeOrder(CommunicatorModel model);
