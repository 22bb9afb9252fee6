#include "params/InputRules.h"

#include "params/Catalogue.h"

#include <QLocale>
#include <algorithm>

namespace {

bool isTextKind(ValueKind kind)
{
    switch (kind) {
    case ValueKind::Code:
    case ValueKind::Digits:
    case ValueKind::PhoneNumber:
    case ValueKind::TextNumber:
        return true;
    case ValueKind::Choice:
    case ValueKind::Flag:
    case ValueKind::TimedChoice:
    case ValueKind::FlagSet:
        break;
    }
    return false;
}

// Letters a phone number takes for the dial characters they stand for.
std::optional<QChar> phoneKey(QChar typed)
{
    switch (typed.unicode()) {
    case 'p': return QChar(u'P');
    case 'r': return QChar(u'R');
    case 'f': return QChar(u'F');
    case 'H':
    case 'h': return QChar(u'*');
    case 'K':
    case 'k': return QChar(u'#');
    default: return std::nullopt;
    }
}

FieldCheck twoCharacterCode(const QString &text)
{
    QString code = text.trimmed();
    if (code.size() == 1)
        return {text, QStringLiteral("Code must be long 2 digit or blank"), QStringLiteral("Input format"),
                RuleIcon::Information};
    if (code.size() == 2 && code.at(1) == QLatin1Char('*'))
        code = QLatin1Char('*') + code.at(0);
    if (code == QLatin1String("**"))
        code.clear();
    return {code, {}, {}, RuleIcon::Information};
}

FieldCheck password(const QString &text)
{
    if (text.trimmed().size() != 4)
        return {text, QStringLiteral("Password must have 4 digit"), QStringLiteral("Password"), RuleIcon::Warning};
    return {text, {}, {}, RuleIcon::Information};
}

// A text number is brought into its range: an empty or unreadable text becomes the
// minimum, and a number with decimals is shown with the local separator.
FieldCheck textNumber(const ParameterDef &row, const QString &text)
{
    QString normal = text.trimmed();
    normal.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    double value = normal.toDouble(&ok);
    if (!ok)
        value = row.minimum;
    value = std::clamp(value, row.minimum, row.maximum);
    QString shown = QString::number(value, 'f', row.decimals);
    if (row.decimals > 0)
        shown.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return {shown, {}, {}, RuleIcon::Information};
}

} // namespace

std::optional<QChar> filterKey(const ParameterDef &row, QChar typed)
{
    if (!isTextKind(row.kind))
        return std::nullopt;
    if (typed == backspaceKey || row.allowedCharacters.contains(typed))
        return typed;
    if (row.kind == ValueKind::PhoneNumber)
        return phoneKey(typed);
    return std::nullopt;
}

FieldCheck leaveTextField(const ParameterDef &row, const QString &text)
{
    switch (row.kind) {
    case ValueKind::Code:
        // The reset code of the INP3 counter takes "#" and has no rule on leaving.
        if (row.id == QLatin1String("inp3ResetCode"))
            break;
        return twoCharacterCode(text);
    case ValueKind::Digits:
        if (row.id == QLatin1String("servicePassword"))
            return password(text);
        break;
    case ValueKind::TextNumber:
        return textNumber(row, text);
    case ValueKind::PhoneNumber:
    case ValueKind::Choice:
    case ValueKind::Flag:
    case ValueKind::TimedChoice:
    case ValueKind::FlagSet:
        break;
    }
    return {text, {}, {}, RuleIcon::Information};
}

std::optional<int> choiceOnLeave(const ParameterDef &row, CommunicatorModel model, int index)
{
    const int fallback = row.fallbackFor(model);
    if (fallback < 0)
        return std::nullopt;
    if (index >= 0 && index < valuesOf(row, model).size())
        return std::nullopt;
    return fallback;
}

std::optional<int> unitOnLeave(const QString &shownText)
{
    if (shownText.size() < 3)
        return 0;
    return std::nullopt;
}

quint32 switchFlagSetEntry(const ParameterDef &row, quint32 bits, int entry, bool on)
{
    const int bit = row.firstBit + entry;
    if (bit == row.markBit || entry < 0 || entry >= row.values[0].size())
        return bits;
    const quint32 mask = 1u << bit;
    bits = on ? (bits | mask) : (bits & ~mask);
    if (row.markBit >= 0 && row.markFollowsBit == bit) {
        const quint32 mark = 1u << row.markBit;
        bits = on ? (bits | mark) : (bits & ~mark);
    }
    return bits;
}

quint32 allFlagSetEntries(const ParameterDef &row)
{
    return row.flagSetMask();
}

bool isEditable(const ParameterDef &row, CommunicatorModel model, const ParameterSet &set)
{
    if (model != CommunicatorModel::TkvC2)
        return true;
    if (row.id == QLatin1String("bypassFilterTime"))
        return set.value(QStringLiteral("newNormMode")).flag;
    if (row.id.startsWith(QLatin1String("c2Output1")))
        return !set.value(QStringLiteral("failureCloseRelay1")).flag;
    return true;
}

PrefixLabel confirmPrefixLabel(const ParameterSet &set)
{
    static const QString prefixId = QStringLiteral("confirmPrefix");
    const ParameterDef *row = findById(prefixId);
    const QStringList entries = valuesOf(*row, CommunicatorModel::TkvC);
    const int index = set.value(prefixId).index;
    PrefixLabel label;
    if (index >= 0 && index < entries.size())
        label.text = entries.at(index);
    label.pointSize = label.text == QLatin1String("*") ? 12 : 10;
    return label;
}

QString ioCodeForNumber(const QString &code, int number)
{
    if (code.size() < 3)
        return code;
    QString shown = code;
    shown[2] = QChar(u'0' + number);
    return shown;
}

bool outputOnTimeApplies(const ParameterSet &set)
{
    constexpr int outputOnceEntry = 5;
    constexpr int outputRepeatedlyEntry = 7;
    const int function = set.value(QStringLiteral("ioInputFunction")).index;
    return function == outputOnceEntry || function == outputRepeatedlyEntry;
}

bool parallelAddressBySwitch(CommunicatorModel model, int modelCode)
{
    constexpr int switchAddressedModelCode = 3;
    return model == CommunicatorModel::TkvC3 && modelCode == switchAddressedModelCode;
}
