#pragma once

#include "params/CommunicatorModel.h"
#include "protocol/DeviceInfo.h"

#include <QList>
#include <QObject>

class Lamp;
class LanguageTable;
class ParameterPages;
class ParameterSet;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QWidget;

// The widgets some pages have besides their parameter rows: "More" and the fixed
// dial mode of page 0, the parallel mode address, the "Select all" buttons, the
// input and output lamps, the number selectors and input-function rule of the
// TKV-C3 input/output page. Follows the model and the values as they change.
class PageExtras : public QObject {
    Q_OBJECT
public:
    PageExtras(ParameterPages &pages, const LanguageTable &texts, ParameterSet &set);

    // After the pages took the model: shows what the model and device have.
    void setModel(CommunicatorModel model, const DeviceInfo &info);
    // After a value changed or the set was loaded.
    void valuesChanged();
    void showIoLamps(const DeviceInfo &info);
    void paintLampsNeutral();

    QPushButton *moreButton() const { return more_; }
    QComboBox *outputSelector() const { return outputSelector_; }
    QComboBox *inputSelector() const { return inputSelector_; }
    const QList<Lamp *> &ioLamps() const { return ioLamps_; }
    const QList<Lamp *> &c3IoLamps() const { return c3IoLamps_; }

Q_SIGNALS:
    void moreClicked();
    // Double click on an input or output lamp.
    void ioLampDoubleClicked();

private:
    void buildBasicPage();
    void buildOptionModulePage();
    void buildInputOutputPage();
    void buildVoiceMessagesPage();
    void addSelectButtons(int page, const QString &id, const QString &selectText, const QString &clearText);
    void setAllFlags(const QString &id, bool on);
    void outputNumberChosen();
    void inputNumberChosen();
    void applyInputFunction();
    void applyParallelAddress();
    void addToPage(int page, QWidget *widget);
    QString text(const char *section, int key) const;

    ParameterPages &pages_;
    const LanguageTable &texts_;
    ParameterSet &set_;
    CommunicatorModel model_ = CommunicatorModel::TkvC;
    int modelCode_ = 255;
    QPushButton *more_ = nullptr;
    QLabel *fixedDialMode_ = nullptr;
    QList<QPair<QWidget *, QString>> selectButtons_;  // the buttons' row and their flag set
    QComboBox *outputSelector_ = nullptr;
    QComboBox *inputSelector_ = nullptr;
    QWidget *outputSelectorRow_ = nullptr;
    QWidget *inputSelectorRow_ = nullptr;
    QLabel *ioModuleVersion_ = nullptr;
    QList<Lamp *> ioLamps_;
    QList<Lamp *> c3IoLamps_;
};
