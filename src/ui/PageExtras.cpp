#include "ui/PageExtras.h"

#include "ui/Lamp.h"
#include "ui/PageGroup.h"
#include "ui/ParameterPages.h"
#include "ui/WrapLabel.h"

#include "app/LanguageTable.h"
#include "params/Catalogue.h"
#include "params/InputRules.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString ioOutputIds[] = {QStringLiteral("ioOutputOffCode"), QStringLiteral("ioOutputOnCode"),
                               QStringLiteral("ioOutputOnTime")};
const QString ioInputIds[] = {QStringLiteral("ioInputFilter"), QStringLiteral("ioInputFunction"),
                              QStringLiteral("ioCounterValue"), QStringLiteral("ioCounterResetCode")};
const QString inputFunctionId = QStringLiteral("ioInputFunction");
// The input functions that switch the output: their texts name the output.
constexpr int outputOnceEntry = 5;
constexpr int outputRepeatedlyEntry = 7;

// Lamps in a group box, four to a line so that they fit a narrow page; lamps listed
// from the highest bit down are shown the other way round, input 1 first.
QGroupBox *lampGroup(const QString &title, QList<Lamp *> &lamps, const auto &names, bool reversed)
{
    constexpr int perLine = 4;
    const int count = int(names.size());
    auto *group = new QGroupBox(title);
    auto *grid = new QGridLayout(group);
    for (const char *name : names) {
        auto *lamp = new Lamp(QString::fromLatin1(name));
        const int place = reversed ? count - 1 - int(lamps.size()) : int(lamps.size());
        grid->addWidget(lamp, place / perLine, place % perLine);
        lamps.append(lamp);
    }
    grid->setColumnStretch(perLine, 1);
    return group;
}

// A labelled list of the numbers 1 to 8 as the first row of a group.
QComboBox *addNumberSelector(PageGroup *group, const QString &caption, QWidget *&row)
{
    row = new QWidget;
    auto *line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto *selector = new QComboBox;
    for (int number = 1; number <= 8; ++number)
        selector->addItem(QString::number(number));
    line->addWidget(new QLabel(caption));
    line->addWidget(selector);
    line->addStretch();
    if (group)
        ParameterPages::addToGroup(group, row, true);
    return selector;
}

// The codes of the output and input rows are those of number 1 ("041" and so on);
// the captions show the code of the chosen number.
void captionForNumber(ParameterEditor &editor, CommunicatorModel model, const LanguageTable &texts, int number)
{
    const QString code = editor.row().codeFor(model);
    QString caption = captionOf(editor.row(), model, texts);
    if (!code.isEmpty() && caption.startsWith(code))
        caption.replace(0, code.size(), ioCodeForNumber(code, number));
    editor.setCaption(caption + QLatin1Char(':'));
}

} // namespace

PageExtras::PageExtras(ParameterPages &pages, const LanguageTable &texts, ParameterSet &set)
    : QObject(&pages), pages_(pages), texts_(texts), set_(set)
{
    buildBasicPage();
    buildOptionModulePage();
    buildInputOutputPage();
    buildVoiceMessagesPage();
    connect(&pages_, &ParameterPages::edited, this, &PageExtras::valuesChanged);
}

QString PageExtras::text(const char *section, int key) const
{
    return texts_.text(QString::fromLatin1(section), key);
}

void PageExtras::addToPage(int page, QWidget *widget)
{
    QVBoxLayout *column = pages_.pageLayout(page);
    column->insertWidget(column->count() - 1, widget);
}

void PageExtras::buildBasicPage()
{
    // A TKV-C3 dials DTMF only: a fixed text stands where the dial mode is chosen.
    fixedDialMode_ = new WrapLabel(text("Page1", 15));
    fixedDialMode_->setToolTip(text("Page1", 16));
    if (PageGroup *dial = pages_.groupOf(QStringLiteral("dialMode")))
        ParameterPages::addToGroup(dial, fixedDialMode_);
    else
        addToPage(int(ParameterPage::Basic), fixedDialMode_);

    more_ = new QPushButton(text("Extensions", 13));
    auto *row = new QWidget;
    auto *line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    line->addStretch();
    line->addWidget(more_);
    addToPage(int(ParameterPage::Basic), row);
    connect(more_, &QPushButton::clicked, this, &PageExtras::moreClicked);
}

void PageExtras::buildOptionModulePage()
{
    addSelectButtons(int(ParameterPage::OptionModule), QStringLiteral("talkerMessages"),
                                      text("Page11", 50), text("Page11", 51));
    auto *lamps = lampGroup(text("Main", 25), ioLamps_, DeviceInfo::ioLampNames, true);
    addToPage(int(ParameterPage::OptionModule), lamps);
    for (Lamp *lamp : ioLamps_)
        connect(lamp, &Lamp::doubleClicked, this, &PageExtras::ioLampDoubleClicked);
}

void PageExtras::buildInputOutputPage()
{
    outputSelector_ = addNumberSelector(pages_.groupOf(ioOutputIds[0]), text("I/O", 2), outputSelectorRow_);
    inputSelector_ = addNumberSelector(pages_.groupOf(ioInputIds[0]), text("I/O", 9), inputSelectorRow_);
    connect(outputSelector_, &QComboBox::currentIndexChanged, this, &PageExtras::outputNumberChosen);
    connect(inputSelector_, &QComboBox::currentIndexChanged, this, &PageExtras::inputNumberChosen);

    const int page = int(ParameterPage::InputOutput);
    PageGroup *status = pages_.groupOf(QStringLiteral("ioStatusQueryCode"));
    auto *lamps = lampGroup(text("I/O", 31), c3IoLamps_, DeviceInfo::c3IoLampNames, false);
    if (status)
        ParameterPages::addToGroup(status, lamps);
    else
        addToPage(page, lamps);
    for (Lamp *lamp : c3IoLamps_)
        connect(lamp, &Lamp::doubleClicked, this, &PageExtras::ioLampDoubleClicked);
    ioModuleVersion_ = new QLabel;
    addToPage(page, ioModuleVersion_);
}

void PageExtras::buildVoiceMessagesPage()
{
    addSelectButtons(int(ParameterPage::VoiceMessages), QStringLiteral("voiceAnnouncements"), text("Voice", 10),
                     text("Voice", 11));
}

void PageExtras::addSelectButtons(int page, const QString &id, const QString &selectText, const QString &clearText)
{
    auto *row = new QWidget;
    auto *line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    auto *select = new QPushButton(selectText);
    auto *clear = new QPushButton(clearText);
    line->addWidget(select);
    line->addWidget(clear);
    line->addStretch();
    if (PageGroup *group = pages_.groupOf(id))
        ParameterPages::addToGroup(group, row);
    else
        addToPage(page, row);
    connect(select, &QPushButton::clicked, this, [this, id] { setAllFlags(id, true); });
    connect(clear, &QPushButton::clicked, this, [this, id] { setAllFlags(id, false); });
    selectButtons_.append({row, id});
}

void PageExtras::setAllFlags(const QString &id, bool on)
{
    const ParameterDef &row = *findById(id);
    ParameterValue value = set_.value(id);
    value.bits = on ? (value.bits | allFlagSetEntries(row)) : (value.bits & ~row.flagSetMask());
    set_.set(id, value);
    pages_.editor(id)->load(set_);
}

void PageExtras::setModel(CommunicatorModel model, const DeviceInfo &info)
{
    model_ = model;
    modelCode_ = info.modelCode;
    const bool c3 = model == CommunicatorModel::TkvC3;
    const bool newModel = model != CommunicatorModel::TkvC;
    fixedDialMode_->setVisible(c3);
    more_->parentWidget()->setVisible(!c3);
    // "Select all" goes with its flags.
    for (const auto &[row, id] : selectButtons_)
        row->setVisible(pages_.editor(id)->isShown());
    // "Line" is the one lamp a TKV-C has.
    for (int lamp = 0; lamp < ioLamps_.size(); ++lamp)
        ioLamps_[lamp]->setVisible(newModel || QLatin1String(DeviceInfo::ioLampNames[lamp]) == QLatin1String("Line"));
    const bool optionInstalled = info.modelCode == 255 || (info.featureFlags & C3Feature::OptionInstalled);
    outputSelectorRow_->setVisible(optionInstalled);
    inputSelectorRow_->setVisible(optionInstalled);
    ioModuleVersion_->setVisible(optionInstalled && !info.ioModuleFirmwareVersion.isEmpty());
    ioModuleVersion_->setText(text("I/O", 19) + QStringLiteral(": ") + info.ioModuleFirmwareVersion);
    outputNumberChosen();
    inputNumberChosen();
    valuesChanged();
}

void PageExtras::valuesChanged()
{
    applyInputFunction();
    applyParallelAddress();
    pages_.refreshGroups();
}

void PageExtras::applyInputFunction()
{
    if (model_ != CommunicatorModel::TkvC3)
        return;
    pages_.editor(ioOutputIds[2])->setShown(outputOnTimeApplies(set_));
}

void PageExtras::applyParallelAddress()
{
    ParameterEditor *box = pages_.editor(QStringLiteral("parallelMode"));
    ParameterEditor *rings = pages_.editor(QStringLiteral("parallelNumber"));
    const bool addressed = parallelAddressBySwitch(model_, modelCode_);
    box->setShown(!addressed);
    if (addressed && set_.value(QStringLiteral("parallelMode")).flag)
        rings->setCaption(text("Message", 13));
    else
        rings->setCaption(captionOf(rings->row(), model_, texts_) + QLatin1Char(':'));
}

void PageExtras::outputNumberChosen()
{
    const int number = outputSelector_->currentIndex() + 1;
    for (const QString &id : ioOutputIds)
        captionForNumber(*pages_.editor(id), model_, texts_, number);
}

void PageExtras::inputNumberChosen()
{
    const int number = inputSelector_->currentIndex() + 1;
    for (const QString &id : ioInputIds)
        captionForNumber(*pages_.editor(id), model_, texts_, number);
    // The two functions that switch the output name the input they count.
    QComboBox *functions = pages_.editor(inputFunctionId)->list();
    const QString prefix = text("I/O", 7) + QString::number(number) + QLatin1Char(' ');
    if (functions->count() > outputRepeatedlyEntry) {
        functions->setItemText(outputOnceEntry, prefix + text("I/O", 27));
        functions->setItemText(outputRepeatedlyEntry, prefix + text("I/O", 28));
    }
}

void PageExtras::showIoLamps(const DeviceInfo &info)
{
    for (int lamp = 0; lamp < ioLamps_.size(); ++lamp)
        ioLamps_[lamp]->setColour(info.ioLamps[lamp]);
    for (int lamp = 0; lamp < c3IoLamps_.size(); ++lamp)
        c3IoLamps_[lamp]->setColour(info.c3IoLamps[lamp]);
}

void PageExtras::paintLampsNeutral()
{
    for (Lamp *lamp : ioLamps_ + c3IoLamps_)
        lamp->setColour(LampColour::Neutral);
}
