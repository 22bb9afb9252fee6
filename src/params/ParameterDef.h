#pragma once

#include "params/CommunicatorModel.h"
#include "params/ParameterSet.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <initializer_list>

// How a parameter's value is held and edited (see ParameterValue for the fields used).
enum class ValueKind {
    Choice,       // index into the value list
    Flag,         // check box
    Code,         // up to two characters, or blank
    Digits,       // up to four digits (confirmation codes, password)
    PhoneNumber,  // up to 16 dial characters plus the "Confirming" flag
    TextNumber,   // free numeric text
    TimedChoice,  // index plus the unit "sec" / "min"
    FlagSet,      // fixed list of flags, one bit each
};

// The parameter pages of the main window, numbered as its page control.
enum class ParameterPage {
    None = -1,
    Basic = 0,
    ParallelMode = 1,
    ConfirmCodes = 2,
    System = 3,
    Lift = 4,
    RepeatOfCall = 5,
    Time = 6,
    Dial = 7,
    HandsFree = 8,
    PhoneNumbers = 9,
    OptionModule = 10,    // TKV-C, TKV-C2
    InputsC = 11,         // TKV-C "Inputs 1,2,4-8"
    OutputsC = 12,        // TKV-C "Outputs 1,2,4"
    Input3Output3 = 13,   // TKV-C
    InputsC2 = 14,
    OutputsC2 = 15,
    Failure = 16,         // TKV-C2
    TestsPower = 17,      // TKV-C3
    InputOutput = 18,     // TKV-C3
    VoiceMessages = 19,   // TKV-C3
};

// A set of communicator models.
struct ModelSet {
    quint8 bits = 0;

    static constexpr ModelSet of(std::initializer_list<CommunicatorModel> models)
    {
        ModelSet set;
        for (auto model : models)
            set.bits |= quint8(1u << int(model));
        return set;
    }
    static constexpr ModelSet all() { return ModelSet{0x7}; }
    constexpr bool contains(CommunicatorModel model) const { return bits & (1u << int(model)); }
    constexpr bool isEmpty() const { return bits == 0; }
};

// Feature bits of the TKV-C3 identification (configuration byte 21) that decide
// whether a TKV-C3 page shows a row.
namespace C3Feature {
constexpr int ExternalPower = 0x01;          // "PowerCPU"
constexpr int MessageFlash = 0x02;
constexpr int DigitalPotentiometers = 0x04;
constexpr int VoiceReports = 0x08;           // effective only with MessageFlash
constexpr int LinePolarityCheck = 0x40;
constexpr int OptionInstalled = 0x80;
constexpr int All = 0xFF;
} // namespace C3Feature

// A language table entry: [section] key. An empty section means "no entry".
struct TextKey {
    QString section;
    int key = 0;

    bool isValid() const { return !section.isEmpty(); }
    friend bool operator==(const TextKey &, const TextKey &) = default;
};

// One value for each model, indexed by CommunicatorModel.
template <typename T>
using PerModel = std::array<T, 3>;

template <typename T>
const T &forModel(const PerModel<T> &values, CommunicatorModel model)
{
    return values[static_cast<int>(model)];
}

// The unit list of every timed choice.
inline QStringList timeUnits() { return {QStringLiteral("sec"), QStringLiteral("min")}; }

// One row of the parameter catalogue.
struct ParameterDef {
    QString id;
    ValueKind kind = ValueKind::Flag;
    ParameterPage page = ParameterPage::None;
    ModelSet models;            // models whose pages show the row
    int c3Features = 0;         // feature bits a TKV-C3 needs for the row to show
    ParameterPage alsoOnPage = ParameterPage::None;  // a second page showing the same value
    ModelSet alsoOnModels;      // ...for these models

    PerModel<QString> code;     // programming code; empty when the model has none
    PerModel<QString> caption;  // built-in English caption
    PerModel<TextKey> captionKey;
    PerModel<QString> groupCaption;  // caption of the group box holding the row, if any
    PerModel<TextKey> groupKey;
    QString hint;
    TextKey hintKey;
    QString unit;               // unit word shown after the field ("sec", "ms", ...)
    TextKey unitKey;            // its language entry where it has one

    // Choice, timed choice and flag set: the ordered entries (for a flag set the
    // caption of each flag). Model-dependent lists differ per model.
    PerModel<QStringList> values;
    bool optionGroup = false;   // a choice shown as option buttons, one per entry
    QList<TextKey> entryKeys;   // language entry of each value entry (may be empty)
    QStringList entryCodes;     // programming code of each entry (flag sets)
    QStringList entryHints;     // hint of each entry (flag sets)
    QList<TextKey> entryHintKeys;  // language entry of each entry's hint
    int firstBit = 0;           // flag set: bit of entry 0; entry n is bit firstBit + n
    int markBit = -1;           // flag set: a bit that cannot be edited and follows...
    int markFollowsBit = -1;    // ...this bit

    // Code, digits, phone number, text number: the characters accepted and the length.
    QString allowedCharacters;
    int maxLength = 0;
    // Text number: the range of the number and its decimals.
    double minimum = 0;
    double maximum = 0;
    int decimals = 0;

    PerModel<ParameterValue> defaults;
    PerModel<int> fallback{-1, -1, -1};  // entry selected when a list is left empty

    bool showsOn(CommunicatorModel model, int c3FeatureFlags = C3Feature::All) const
    {
        if (!models.contains(model))
            return false;
        return model != CommunicatorModel::TkvC3 || (c3Features & c3FeatureFlags) == c3Features;
    }
    const QString &codeFor(CommunicatorModel model) const { return forModel(code, model); }
    const QString &captionFor(CommunicatorModel model) const { return forModel(caption, model); }
    const ParameterValue &defaultFor(CommunicatorModel model) const { return forModel(defaults, model); }
    int fallbackFor(CommunicatorModel model) const { return forModel(fallback, model); }
    // Every bit that an entry of a flag set (including the mark) stands for.
    quint32 flagSetMask() const;
};

// The value list of a row for the model (choices, timed choices, flag sets).
QStringList valuesOf(const ParameterDef &row, CommunicatorModel model);
