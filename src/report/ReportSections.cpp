#include "report/ReportSections.h"

#include "app/LanguageTable.h"
#include "params/Catalogue.h"
#include "params/InputRules.h"
#include "protocol/DeviceInfo.h"

namespace {

const QString plus = QStringLiteral("+");
const QString minus = QStringLiteral("-");
constexpr int optionCaptionLength = 55;
constexpr int confirmingCaptionLength = 15;

QString flagText(bool on)
{
    return on ? plus : minus;
}

ReportLine line(std::initializer_list<ReportText> texts)
{
    ReportLine made;
    made.texts = texts;
    return made;
}

bool addressedByDipSwitch(const ReportInput &input)
{
    return parallelAddressBySwitch(input.model, input.device.modelCode);
}

// The page shows the row for the model, its features and the values (the pages'
// own rules: the DIP-switch address, the output on-time of the input functions).
bool pageShows(const ParameterDef &row, int page, const ReportInput &input)
{
    if (int(row.page) == page) {
        if (!row.showsOn(input.model, input.c3Features))
            return false;
    } else if (int(row.alsoOnPage) != page || !row.alsoOnModels.contains(input.model)) {
        return false;
    }
    if (row.id == QLatin1String("parallelMode"))
        return !addressedByDipSwitch(input);
    if (row.id == QLatin1String("ioOutputOnTime"))
        return outputOnTimeApplies(input.parameters);
    return true;
}

QString withUnit(const QString &text, const QString &unit)
{
    return unit.isEmpty() ? text : text + QLatin1Char(' ') + unit;
}

// The value as the page shows it.
QString valueText(const ParameterDef &row, const ParameterValue &value, const ReportInput &input)
{
    const QString unit = unitOf(row, input.texts);
    switch (row.kind) {
    case ValueKind::Choice: {
        const QString entry = entryTextsOf(row, input.model, input.texts).value(value.index);
        return row.optionGroup ? entry.left(optionCaptionLength) : withUnit(entry, unit);
    }
    case ValueKind::TimedChoice:
        return withUnit(entryTextsOf(row, input.model, input.texts).value(value.index),
                        timeUnits().value(value.unit));
    case ValueKind::Flag:
        return flagText(value.flag);
    case ValueKind::Digits:
        if (row.id == QLatin1String("servicePassword"))
            return QStringLiteral("# ") + value.text;
        return withUnit(value.text, unit);
    case ValueKind::Code:
    case ValueKind::TextNumber:
    case ValueKind::PhoneNumber:
    case ValueKind::FlagSet:
        break;
    }
    return withUnit(value.text, unit);
}

// A flag set: its caption, then one line per flag with the flag's code.
void addFlagSet(QList<ReportLine> &lines, const ParameterDef &row, const ReportInput &input)
{
    const quint32 bits = input.parameters.value(row.id).bits;
    lines.append(line({{ReportColumn::Caption, captionOf(row, input.model, input.texts)}}));
    const QStringList entries = entryTextsOf(row, input.model, input.texts);
    for (int entry = 0; entry < entries.size(); ++entry) {
        const QString code = row.entryCodes.value(entry).trimmed();
        const QString caption = code.isEmpty() ? entries[entry] : code + QLatin1Char(' ') + entries[entry];
        lines.append(line({{ReportColumn::Caption, caption},
                           {ReportColumn::Value, flagText(bits & (1u << (row.firstBit + entry)))}}));
    }
}

// A telephone number; its group's caption and the "Confirming" column caption
// first when the number begins a group.
void addPhoneNumber(QList<ReportLine> &lines, QString &group, const ParameterDef &row, const ReportInput &input)
{
    const QString caption = groupCaptionOf(row, input.model, input.texts);
    if (caption != group) {
        group = caption;
        const QString confirming = input.texts.text(QStringLiteral("Page10"), 3).left(confirmingCaptionLength);
        lines.append(line({{ReportColumn::Heading, caption}, {ReportColumn::Fourth, confirming}}));
    }
    const ParameterValue value = input.parameters.value(row.id);
    lines.append(line({{ReportColumn::Caption, captionOf(row, input.model, input.texts)},
                       {ReportColumn::Third, value.text},
                       {ReportColumn::Fourth, flagText(value.flag)}}));
}

} // namespace

QList<ReportLine> parameterPageLines(int page, const ReportInput &input)
{
    QList<ReportLine> lines;
    QString phoneGroup;
    const bool dipAddressShown =
        addressedByDipSwitch(input) && input.parameters.value(QStringLiteral("parallelMode")).flag;
    for (const ParameterDef &row : catalogue()) {
        if (!pageShows(row, page, input))
            continue;
        if (row.kind == ValueKind::PhoneNumber) {
            addPhoneNumber(lines, phoneGroup, row, input);
            continue;
        }
        phoneGroup.clear();
        if (row.kind == ValueKind::FlagSet) {
            addFlagSet(lines, row, input);
            continue;
        }
        QString caption = captionOf(row, input.model, input.texts);
        if (dipAddressShown && row.id == QLatin1String("parallelNumber"))
            caption = QStringLiteral("DIP SWITCH ") + input.texts.text(QStringLiteral("Message"), 13);
        lines.append(line({{ReportColumn::Caption, caption},
                           {ReportColumn::Value, valueText(row, input.parameters.value(row.id), input)}}));
    }
    return lines;
}
