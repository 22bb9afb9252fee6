#pragma once

#include "params/CommunicatorModel.h"
#include "params/ParameterDef.h"
#include "params/ParameterSet.h"

#include <QString>
#include <optional>

// The rules that keep each value well-formed while the technician edits it. They
// return what the window has to do and never show anything themselves.

enum class RuleIcon { Information, Warning };

// The outcome of leaving a text field: the text the field now holds and, when the
// text is not acceptable, a message after which the focus returns to the field.
struct FieldCheck {
    QString text;
    QString message;  // empty when the text is accepted
    QString title;
    RuleIcon icon = RuleIcon::Information;

    bool accepted() const { return message.isEmpty(); }
};

// The backspace key as filterKey() takes it.
inline constexpr QChar backspaceKey = u'\b';

// The character a key typed into the row's field becomes, or nothing when the key
// is discarded. Choice lists take no typing at all; backspace passes in text fields.
std::optional<QChar> filterKey(const ParameterDef &row, QChar typed);

// The rule applied when the technician leaves the row's text field.
FieldCheck leaveTextField(const ParameterDef &row, const QString &text);

// The entry a choice list selects when it is left with no valid selection; nothing
// when the selection stands or the row has no fallback.
std::optional<int> choiceOnLeave(const ParameterDef &row, CommunicatorModel model, int index);
// The unit a unit list ("sec" / "min") selects when left showing the text; nothing
// when it stands.
std::optional<int> unitOnLeave(const QString &shownText);

// A flag set with one entry switched. A mark that follows another bit is kept equal
// to it ("<Lift address>" follows announcement 0101) and cannot be switched itself.
quint32 switchFlagSetEntry(const ParameterDef &row, quint32 bits, int entry, bool on);
// "Select all": every entry and the mark.
quint32 allFlagSetEntries(const ParameterDef &row);

// Whether the row can be edited with the other values as they are: bypassFilterTime
// of TKV-C2 only while newNormMode is on; the TKV-C2 "Output 1" group not while
// failureCloseRelay1 is on.
bool isEditable(const ParameterDef &row, CommunicatorModel model, const ParameterSet &set);

// The label in front of each confirmation code: the chosen confirmPrefix character,
// in 12 points for "*" and 10 points otherwise.
struct PrefixLabel {
    QString text;
    int pointSize = 10;
};
PrefixLabel confirmPrefixLabel(const ParameterSet &set);

// A code of the TKV-C3 page "Input / Output" as read for output or input number n
// (1..8): its third character replaced by the number ("041" for output 3 is "043").
QString ioCodeForNumber(const QString &code, int number);

// The TKV-C3 input functions that switch the output (entries 5 and 7) use its on-time;
// the others do not show it.
bool outputOnTimeApplies(const ParameterSet &set);
// A TKV-C3 of model code 3 takes its parallel-mode address from a switch on the
// board: it has no "Activate parallel mode" box, and the rings row shows the address.
bool parallelAddressBySwitch(CommunicatorModel model, int modelCode);
