#include "ui/ParameterPages.h"

#include "ui/PageGroup.h"

#include "params/Catalogue.h"

#include <QGridLayout>
#include <QScrollArea>
#include <QVBoxLayout>

// A group box of a page (or, for rows without a group, a plain area) and its rows.
struct ParameterPages::Group {
    int page = 0;
    QString key;  // the group's English caption; empty for rows without a group
    QWidget *area = nullptr;  // on the page
    QWidget *rows = nullptr;  // the parent of the rows: the box's frame, or the area
    PageGroup *box = nullptr;
    QVBoxLayout *column = nullptr;  // widgets added by the window above and below the grid
    QGridLayout *grid = nullptr;
    std::vector<ParameterEditor *> editors;
};

namespace {

// The caption a row's group is known by: its English caption for the first model
// that has one.
QString groupKey(const ParameterDef &row)
{
    for (const QString &caption : row.groupCaption)
        if (!caption.isEmpty())
            return caption;
    return {};
}

// Captions in column 0, fields in column 1; the room left over goes to column 2, so
// that captions keep to one line while they can and fields stay next to them.
QGridLayout *newGrid(QVBoxLayout *column)
{
    auto *grid = new QGridLayout;
    grid->setColumnStretch(2, 1);
    column->addLayout(grid);
    return grid;
}

} // namespace

ParameterPages::ParameterPages(const LanguageTable &texts, ParameterSet &set, QWidget *parent)
    : QStackedWidget(parent), texts_(texts), set_(set)
{
    for (int page = 0; page < pageCount; ++page) {
        auto *content = new QWidget;
        auto *column = new QVBoxLayout(content);
        column->addStretch();
        columns_.append(column);
        auto *scroll = new QScrollArea;
        scroll->setWidgetResizable(true);
        scroll->setFrameShape(QFrame::NoFrame);
        scroll->setWidget(content);
        addWidget(scroll);
    }
    for (const ParameterDef &row : catalogue())
        if (row.page != ParameterPage::None)
            addEditor(row, int(row.page), false);
    // Values shown twice go below the rows of their second page.
    for (const ParameterDef &row : catalogue())
        if (row.alsoOnPage != ParameterPage::None)
            addEditor(row, int(row.alsoOnPage), true);
}

ParameterPages::~ParameterPages() = default;

void ParameterPages::addEditor(const ParameterDef &row, int page, bool second)
{
    // A row joins the group of its caption wherever that group began on the page; a
    // row without a group joins the rows just before it when they have none either;
    // a second copy joins the last group of its page.
    const QString key = second ? QString() : groupKey(row);
    Group *last = nullptr;
    Group *group = nullptr;
    for (auto &candidate : groups_) {
        if (candidate->page != page)
            continue;
        last = candidate.get();
        if (!key.isEmpty() && candidate->key == key)
            group = candidate.get();
    }
    if (second || (key.isEmpty() && last && last->key.isEmpty()))
        group = last;
    if (!group) {
        auto made = std::make_unique<Group>();
        made->page = page;
        made->key = key;
        if (key.isEmpty()) {
            made->area = made->rows = new QWidget;
            made->column = new QVBoxLayout(made->area);
            made->column->setContentsMargins(0, 0, 0, 0);
        } else {
            made->box = new PageGroup(key);
            made->area = made->box;
            made->rows = made->box->frame();
            made->column = made->box->body();
        }
        made->grid = newGrid(made->column);
        columns_[page]->insertWidget(columns_[page]->count() - 1, made->area);
        group = made.get();
        groups_.push_back(std::move(made));
    }
    auto editor = std::make_unique<ParameterEditor>(row, texts_, *group->grid);
    ParameterEditor &added = *editor;
    group->editors.push_back(&added);
    connect(&added, &ParameterEditor::edited, this, [this, &added] { valueEdited(added); });
    added.onRefused = [this, &added](const FieldCheck &check) {
        if (onRefused)
            onRefused(added, check);
    };
    (second ? secondEditors_ : editors_).push_back(std::move(editor));
}

void ParameterPages::setModel(CommunicatorModel model, int c3Features)
{
    model_ = model;
    features_ = c3Features;
    for (auto &editor : editors_)
        editor->setModel(model, c3Features);
    for (auto &editor : secondEditors_) {
        editor->setModel(model, c3Features);
        editor->setShown(editor->row().alsoOnModels.contains(model));
    }
    for (auto &group : groups_) {
        if (!group->box)
            continue;
        for (ParameterEditor *editor : group->editors) {
            const QString caption = groupCaptionOf(editor->row(), model, texts_);
            if (editor->isShown() && !caption.isEmpty()) {
                group->box->setTitle(caption);
                break;
            }
        }
    }
    refreshRules();
    refreshGroups();
}

void ParameterPages::load()
{
    for (auto &editor : editors_)
        editor->load(set_);
    for (auto &editor : secondEditors_)
        editor->load(set_);
    refreshRules();
}

void ParameterPages::store() const
{
    for (const auto &editor : editors_)
        editor->store(set_);
    // The copies follow their first editor at every change; the first one stands.
    for (const auto &editor : editors_)
        if (ParameterEditor *copy = secondEditor(editor->row().id); copy && copy->isShown())
            copy->store(set_);
}

ParameterEditor *ParameterPages::editor(const QString &id) const
{
    for (const auto &editor : editors_)
        if (editor->row().id == id)
            return editor.get();
    return nullptr;
}

ParameterEditor *ParameterPages::secondEditor(const QString &id) const
{
    for (const auto &editor : secondEditors_)
        if (editor->row().id == id)
            return editor.get();
    return nullptr;
}

QVBoxLayout *ParameterPages::pageLayout(int page) const
{
    return columns_[page];
}

PageGroup *ParameterPages::groupOf(const QString &id) const
{
    const ParameterEditor *wanted = editor(id);
    for (const auto &group : groups_)
        if (std::find(group->editors.begin(), group->editors.end(), wanted) != group->editors.end())
            return group->box;
    return nullptr;
}

void ParameterPages::addToGroup(PageGroup *group, QWidget *widget, bool atTop)
{
    QVBoxLayout *column = group->body();
    if (atTop)
        column->insertWidget(0, widget);
    else
        column->addWidget(widget);
}

void ParameterPages::refreshGroups()
{
    for (auto &group : groups_) {
        bool anyShown = false;
        for (QWidget *child : group->rows->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
            anyShown = anyShown || !child->isHidden();
        group->area->setVisible(anyShown);
    }
}

void ParameterPages::valueEdited(ParameterEditor &editor)
{
    editor.store(set_);
    // A flag set's mark follows its entry at once.
    if (editor.row().kind == ValueKind::FlagSet)
        editor.load(set_);
    const QString &id = editor.row().id;
    ParameterEditor *first = this->editor(id);
    ParameterEditor *copy = secondEditor(id);
    if (copy)
        (&editor == first ? copy : first)->load(set_);
    refreshRules();
    Q_EMIT edited(id);
}

void ParameterPages::refreshRules()
{
    const PrefixLabel prefix = confirmPrefixLabel(set_);
    auto apply = [&](ParameterEditor &editor) {
        editor.setEditable(isEditable(editor.row(), model_, set_));
        if (editor.row().page == ParameterPage::ConfirmCodes && editor.row().kind == ValueKind::Digits)
            editor.setPrefix(prefix);
    };
    for (auto &editor : editors_)
        apply(*editor);
    for (auto &editor : secondEditors_)
        apply(*editor);
}
