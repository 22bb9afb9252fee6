#include "ui/ParameterPages.h"

#include "params/Catalogue.h"

#include <QFormLayout>
#include <QScrollArea>

ParameterPages::ParameterPages(const LanguageTable &texts, QWidget *parent) : QStackedWidget(parent)
{
    QList<QFormLayout *> layouts;
    for (int page = 0; page <= deviceDataPage; ++page) {
        auto *content = new QWidget;
        auto *layout = new QFormLayout(content);
        // A caption longer than the page is wide puts its field on the line below.
        layout->setRowWrapPolicy(QFormLayout::WrapLongRows);
        layouts.append(layout);
        auto *scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        scroll->setWidget(content);
        addWidget(scroll);
    }
    for (const ParameterDef &row : catalogue())
        if (row.page != ParameterPage::None)
            editors_.push_back(std::make_unique<ParameterEditor>(row, texts, *layouts[int(row.page)]));
}

ParameterPages::~ParameterPages() = default;

void ParameterPages::setModel(CommunicatorModel model, int c3Features)
{
    features_ = c3Features;
    for (auto &editor : editors_)
        editor->setModel(model, c3Features);
}

void ParameterPages::load(const ParameterSet &set)
{
    for (auto &editor : editors_)
        editor->load(set);
}

void ParameterPages::store(ParameterSet &set) const
{
    for (const auto &editor : editors_)
        editor->store(set);
}

ParameterEditor *ParameterPages::editor(const QString &id) const
{
    for (const auto &editor : editors_)
        if (editor->row().id == id)
            return editor.get();
    return nullptr;
}
