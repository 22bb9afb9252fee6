#include "params/ParameterText.h"

#include "params/ParameterDef.h"

namespace {

const QString kOn = QStringLiteral("on");
const QString kOff = QStringLiteral("off");
const QString kConfirming = QStringLiteral("confirming");
const QString kNoSelection = QStringLiteral("(none)");

QString entryOf(const QStringList &entries, int index)
{
    return index >= 0 && index < entries.size() ? entries[index] : kNoSelection;
}

int indexOf(const QStringList &entries, const QString &text)
{
    for (int i = 0; i < entries.size(); ++i)
        if (entries[i].compare(text, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QString listOf(const QStringList &entries)
{
    return QLatin1Char('"') + entries.join(QStringLiteral("\", \"")) + QLatin1Char('"');
}

// A flag set entry is named by its programming code where it has one.
QStringList flagNames(const ParameterDef &row, CommunicatorModel model)
{
    QStringList names = valuesOf(row, model);
    for (int i = 0; i < names.size() && i < row.entryCodes.size(); ++i)
        if (!row.entryCodes[i].isEmpty())
            names[i] = row.entryCodes[i];
    return names;
}

std::optional<QString> checkedText(const ParameterDef &row, const QString &text, QString &error)
{
    if (row.maxLength > 0 && text.size() > row.maxLength) {
        error = QStringLiteral("%1 takes at most %2 characters").arg(row.id).arg(row.maxLength);
        return std::nullopt;
    }
    if (!row.allowedCharacters.isEmpty()) {
        for (QChar c : text) {
            if (!row.allowedCharacters.contains(c)) {
                error = QStringLiteral("%1 does not take the character \"%2\" (allowed: %3)")
                            .arg(row.id, QString(c), row.allowedCharacters);
                return std::nullopt;
            }
        }
    }
    return text;
}

} // namespace

QString formatValue(const ParameterDef &row, const ParameterValue &value, CommunicatorModel model)
{
    switch (row.kind) {
    case ValueKind::Choice:
        return entryOf(valuesOf(row, model), value.index);
    case ValueKind::Flag:
        return value.flag ? kOn : kOff;
    case ValueKind::PhoneNumber:
        return value.flag ? value.text + QLatin1Char(' ') + kConfirming : value.text;
    case ValueKind::TimedChoice:
        return entryOf(valuesOf(row, model), value.index) + QLatin1Char(' ') + entryOf(timeUnits(), value.unit);
    case ValueKind::FlagSet: {
        const QStringList names = flagNames(row, model);
        QStringList set;
        for (int i = 0; i < names.size(); ++i)
            if (value.bits & (1u << (row.firstBit + i)))
                set.append(names[i]);
        return QLatin1Char('{') + set.join(QStringLiteral(", ")) + QLatin1Char('}');
    }
    case ValueKind::Code:
    case ValueKind::Digits:
    case ValueKind::TextNumber:
        return value.text;
    }
    return {};
}

std::optional<ParameterValue> parseValue(const ParameterDef &row, const QString &input, CommunicatorModel model,
                                         QString &error)
{
    const QString text = input.trimmed();
    switch (row.kind) {
    case ValueKind::Choice: {
        const QStringList entries = valuesOf(row, model);
        const int index = indexOf(entries, text);
        if (index < 0) {
            error = QStringLiteral("%1 takes one of %2").arg(row.id, listOf(entries));
            return std::nullopt;
        }
        return ParameterValue::choice(index);
    }
    case ValueKind::Flag:
        if (text.compare(kOn, Qt::CaseInsensitive) == 0 || text == QLatin1String("1"))
            return ParameterValue::ofFlag(true);
        if (text.compare(kOff, Qt::CaseInsensitive) == 0 || text == QLatin1String("0"))
            return ParameterValue::ofFlag(false);
        error = QStringLiteral("%1 takes \"on\" or \"off\"").arg(row.id);
        return std::nullopt;
    case ValueKind::PhoneNumber: {
        QString number = text;
        const bool confirming = number.endsWith(kConfirming, Qt::CaseInsensitive);
        if (confirming)
            number = number.chopped(kConfirming.size()).trimmed();
        const auto checked = checkedText(row, number.toUpper(), error);
        if (!checked)
            return std::nullopt;
        return ParameterValue::phone(*checked, confirming);
    }
    case ValueKind::TimedChoice: {
        const int space = text.lastIndexOf(QLatin1Char(' '));
        const QStringList entries = valuesOf(row, model);
        const int index = indexOf(entries, text.left(space).trimmed());
        const int unit = indexOf(timeUnits(), text.mid(space + 1));
        if (space < 0 || index < 0 || unit < 0) {
            error = QStringLiteral("%1 takes one of %2 followed by \"sec\" or \"min\"").arg(row.id, listOf(entries));
            return std::nullopt;
        }
        return ParameterValue::timed(index, unit);
    }
    case ValueKind::FlagSet: {
        if (!text.startsWith(QLatin1Char('{')) || !text.endsWith(QLatin1Char('}'))) {
            error = QStringLiteral("%1 takes a set of entries in braces, e.g. {}").arg(row.id);
            return std::nullopt;
        }
        const QStringList names = flagNames(row, model);
        quint32 bits = 0;
        for (const QString &part : text.mid(1, text.size() - 2).split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const int index = indexOf(names, part.trimmed());
            if (index < 0) {
                error = QStringLiteral("%1 has no entry \"%2\" (entries: %3)").arg(row.id, part.trimmed(), listOf(names));
                return std::nullopt;
            }
            bits |= 1u << (row.firstBit + index);
        }
        // A mark cannot be set on its own: it follows its bit.
        if (row.markBit >= 0 && row.markFollowsBit >= 0) {
            bits &= ~(1u << row.markBit);
            if (bits & (1u << row.markFollowsBit))
                bits |= 1u << row.markBit;
        }
        return ParameterValue::ofBits(bits);
    }
    case ValueKind::Code:
    case ValueKind::Digits:
    case ValueKind::TextNumber: {
        const auto checked = checkedText(row, text, error);
        if (!checked)
            return std::nullopt;
        return ParameterValue::ofText(*checked);
    }
    }
    return std::nullopt;
}
