#pragma once

#include "ui/ParameterEditor.h"

#include <QStackedWidget>
#include <memory>
#include <vector>

class LanguageTable;

// The parameter pages of the main window, built from the catalogue: one scrollable
// page per ParameterPage with the rows of that page in catalogue order, and a last
// page for the TKV-C3 device data.
class ParameterPages : public QStackedWidget {
    Q_OBJECT
public:
    static constexpr int deviceDataPage = 20;

    ParameterPages(const LanguageTable &texts, QWidget *parent = nullptr);
    ~ParameterPages() override;

    void setModel(CommunicatorModel model, int c3Features);
    // The feature bits of the last setModel().
    int currentFeatures() const { return features_; }
    void load(const ParameterSet &set);
    void store(ParameterSet &set) const;
    // The editor of a parameter id, or nullptr.
    ParameterEditor *editor(const QString &id) const;

private:
    std::vector<std::unique_ptr<ParameterEditor>> editors_;
    int features_ = -1;
};
