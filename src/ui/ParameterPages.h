#pragma once

#include "ui/ParameterEditor.h"

#include "params/PageNodes.h"

#include <QStackedWidget>
#include <memory>
#include <vector>

class LanguageTable;
class PageGroup;
class QVBoxLayout;

// The parameter pages of the main window, built from the catalogue: one scrollable
// page per ParameterPage with the rows of that page in catalogue order, rows of one
// group in a group box, and a last page for the TKV-C3 device data. A value shown on
// two pages has an editor on each; the two always show the same value.
class ParameterPages : public QStackedWidget {
    Q_OBJECT
public:
    static constexpr int pageCount = 21;
    static constexpr int deviceDataPage = deviceDataPageIndex;

    // set: the values being edited; the editors write into it as they change.
    ParameterPages(const LanguageTable &texts, ParameterSet &set, QWidget *parent = nullptr);
    ~ParameterPages() override;

    void setModel(CommunicatorModel model, int c3Features);
    CommunicatorModel model() const { return model_; }
    // The feature bits of the last setModel().
    int currentFeatures() const { return features_; }
    // Shows the values of the set; writes every field into it.
    void load();
    void store() const;
    // The editor of a parameter id on its own page, or nullptr.
    ParameterEditor *editor(const QString &id) const;
    // The editor of the same value on its second page, or nullptr.
    ParameterEditor *secondEditor(const QString &id) const;
    // The column of a page and the group box of a page holding the row of id, for the
    // widgets the window adds to a page.
    QVBoxLayout *pageLayout(int page) const;
    PageGroup *groupOf(const QString &id) const;
    // Adds a widget of the window's own to a group box, above or below its rows.
    static void addToGroup(PageGroup *group, QWidget *widget, bool atTop = false);
    // Shows or hides the group boxes by whether anything in them is shown.
    void refreshGroups();

    // A leave rule refused a field's text.
    std::function<void(ParameterEditor &, const FieldCheck &)> onRefused;

Q_SIGNALS:
    // The technician changed a value (already written into the set).
    void edited(const QString &id);

private:
    struct Group;
    void addEditor(const ParameterDef &row, int page, bool second);
    void valueEdited(ParameterEditor &editor);
    void refreshRules();

    const LanguageTable &texts_;
    ParameterSet &set_;
    std::vector<std::unique_ptr<ParameterEditor>> editors_;
    std::vector<std::unique_ptr<ParameterEditor>> secondEditors_;
    std::vector<std::unique_ptr<Group>> groups_;
    QList<QVBoxLayout *> columns_;
    CommunicatorModel model_ = CommunicatorModel::TkvC;
    int features_ = -1;
};
