#include "params/SettingsFile.h"

#include "app/LanguageTable.h"
#include "params/Catalogue.h"
#include "params/SettingsRecords.h"

#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <algorithm>
#include <iterator>
#include <optional>
#include <vector>

namespace {

// Records from here on keep a flag unchanged when the text is neither "1" nor "0".
constexpr int firstStrictFlagRecord = 141;

// Texts of the [Extensions] language section.
QString extensionText(const LanguageTable &texts, int key)
{
    return texts.text(QStringLiteral("Extensions"), key);
}

QString recordProblem(const LanguageTable &texts, const QString &path, int record, const QString &detail)
{
    return extensionText(texts, 2).arg(path, QString::number(record), detail);
}

SettingsFileResult failure(const QString &message)
{
    return {false, message};
}

bool isPrintableAscii(char32_t c)
{
    return c >= 0x20 && c <= 0x7E;
}

// A whole decimal number with an optional sign, as the file writes an index ("-1" is
// a choice without a selection).
std::optional<int> wholeNumber(const QString &text)
{
    const qsizetype digitsFrom = text.startsWith(u'-') || text.startsWith(u'+') ? 1 : 0;
    if (text.size() == digitsFrom)
        return std::nullopt;
    for (qsizetype i = digitsFrom; i < text.size(); ++i)
        if (text[i] < u'0' || text[i] > u'9')
            return std::nullopt;
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

const ParameterDef *rowOf(const SettingsRecord &record)
{
    return findById(QLatin1String(record.id));
}

qsizetype entryCount(const SettingsRecord &record, CommunicatorModel model)
{
    const ParameterDef *row = rowOf(record);
    return row ? valuesOf(*row, model).size() : 0;
}

// The value text of a record; texts are checked to be printable ASCII beforehand.
QByteArray valueText(const SettingsRecord &record, const ParameterValue &value)
{
    switch (record.kind) {
    case RecordKind::Blocking:
        if (value.index >= 0 && value.index < qsizetype(std::size(blockingOptionText)))
            return blockingOptionText[value.index];
        return QByteArray::number(-1);
    case RecordKind::Option:
        return QByteArray::number(value.index);
    case RecordKind::Index:
        // No selection is written as -1 whatever the record's offset.
        return QByteArray::number(value.index < 0 ? -1 : qint64(value.index) + record.offset);
    case RecordKind::Unit:
        return QByteArray::number(value.unit);
    case RecordKind::Flag:
        return value.flag ? "1" : "0";
    case RecordKind::Text:
    case RecordKind::Voltage:
        return value.text.left(settingsValueSize).toLatin1();
    case RecordKind::BitMask:
        return QByteArray::number(value.bits);
    case RecordKind::Filler:
        return QByteArray(settingsValueSize - 1, ' ');
    }
    return {};
}

void appendRecord(QByteArray &bytes, const QByteArray &key, const QByteArray &value)
{
    bytes.append(char(key.size()));
    bytes.append(key.leftJustified(settingsKeySize, '\0', true));
    bytes.append(char(value.size()));
    bytes.append(value.leftJustified(settingsValueSize, ' ', true));
}

bool isNumeric(RecordKind kind)
{
    return kind == RecordKind::Index || kind == RecordKind::Unit || kind == RecordKind::BitMask;
}

// The trimmed value text of a record, or nothing with the reason the record is refused.
std::optional<QString> recordText(const char *bytes, const SettingsRecord &record, const LanguageTable &texts,
                                  QString &problem)
{
    const int keyLength = quint8(bytes[0]);
    if (keyLength > settingsKeySize) {
        problem = extensionText(texts, 3).arg(keyLength).arg(settingsKeySize);
        return std::nullopt;
    }
    const int valueLength = quint8(bytes[1 + settingsKeySize]);
    if (valueLength > settingsValueSize) {
        problem = extensionText(texts, 4).arg(valueLength).arg(settingsValueSize);
        return std::nullopt;
    }
    if (record.kind == RecordKind::Filler)
        return QString();
    // Spaces and control characters around the text are not part of it.
    QByteArrayView value(bytes + 2 + settingsKeySize, valueLength);
    while (!value.isEmpty() && quint8(value.front()) <= 0x20)
        value = value.sliced(1);
    while (!value.isEmpty() && quint8(value.back()) <= 0x20)
        value.chop(1);
    for (char c : value) {
        if (!isPrintableAscii(quint8(c))) {
            problem = extensionText(texts, 5).arg(quint8(c), 2, 16, QLatin1Char('0'));
            return std::nullopt;
        }
    }
    const QString text = QString::fromLatin1(value.toByteArray());
    if (isNumeric(record.kind)) {
        const std::optional<int> number = wholeNumber(text);
        if (!number) {
            problem = extensionText(texts, 6).arg(text);
            return std::nullopt;
        }
    }
    return text;
}

// Text numbers are written with the local decimal separator; a file from a system
// with the other separator is read in the local one.
QString withLocalDecimalSeparator(QString text)
{
    const qsizetype dot = text.indexOf(u'.');
    const qsizetype comma = text.indexOf(u',');
    const qsizetype at = dot < 0 ? comma : comma < 0 ? dot : std::min(dot, comma);
    if (at >= 0)
        text.replace(at, 1, QLocale().decimalPoint());
    return text;
}

void applyRecord(const SettingsRecord &record, int number, const QString &text, ParameterValue &value,
                 CommunicatorModel model)
{
    switch (record.kind) {
    case RecordKind::Blocking:
        for (qsizetype option = 0; option < qsizetype(std::size(blockingOptionText)); ++option)
            if (text == QLatin1String(blockingOptionText[option]))
                value.index = int(option);
        break;
    case RecordKind::Option:
        for (qsizetype option = 0; option < entryCount(record, model); ++option)
            if (text == QString::number(option))
                value.index = int(option);
        break;
    case RecordKind::Index: {
        const qint64 index = qint64(*wholeNumber(text)) - record.offset;
        value.index = index >= 0 && index < entryCount(record, model) ? int(index) : -1;
        break;
    }
    case RecordKind::Unit: {
        const int unit = *wholeNumber(text);
        value.unit = unit >= 0 && unit < timeUnits().size() ? unit : -1;
        break;
    }
    case RecordKind::Flag:
        if (number < firstStrictFlagRecord)
            value.flag = text == u"1";
        else if (text == u"1" || text == u"0")
            value.flag = text == u"1";
        break;
    case RecordKind::Text:
        value.text = text;
        break;
    case RecordKind::Voltage:
        value.text = withLocalDecimalSeparator(text);
        break;
    case RecordKind::BitMask: {
        const ParameterDef *row = rowOf(record);
        // Eight bits: a larger number sets them all, a negative one none.
        value.bits = quint32(std::clamp(*wholeNumber(text), 0, 255)) & (row ? row->flagSetMask() : 0);
        break;
    }
    case RecordKind::Filler:
        break;
    }
}

} // namespace

SettingsFileResult writeSettingsFile(const QString &path, const ParameterSet &set, const LanguageTable &texts)
{
    const auto records = settingsRecords();
    QByteArray bytes;
    bytes.reserve(qsizetype(records.size()) * settingsRecordSize);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const SettingsRecord &record = records[i];
        const ParameterValue value = record.id ? set.value(QLatin1String(record.id)) : ParameterValue();
        if (record.kind == RecordKind::Text || record.kind == RecordKind::Voltage) {
            for (QChar c : value.text) {
                if (!isPrintableAscii(c.unicode())) {
                    return failure(recordProblem(texts, path, int(i) + 1,
                                                 extensionText(texts, 7).arg(QLatin1String(record.id), value.text)));
                }
            }
        }
        appendRecord(bytes, record.key, valueText(record, value));
    }

    QSaveFile file(path);
    // An uncommitted QSaveFile is discarded: the old file stays untouched.
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return failure(extensionText(texts, 8).arg(path, file.errorString()));
    return {};
}

SettingsFileResult readSettingsFile(const QString &path, ParameterSet &set, CommunicatorModel model,
                                    const LanguageTable &texts)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(extensionText(texts, 9).arg(path, file.errorString()));

    const auto records = settingsRecords();
    const qint64 size = file.size();
    const qint64 completeRecords = size / settingsRecordSize;
    // Bytes after the last record read are ignored; a record cut short before it is not.
    const bool cutShort = completeRecords < qint64(records.size()) && size % settingsRecordSize != 0;
    if (completeRecords < requiredSettingsRecords || cutShort) {
        return failure(recordProblem(
            texts, path, int(std::min<qint64>(completeRecords, records.size())) + 1,
            extensionText(texts, 10)
                .arg(size)
                .arg(requiredSettingsRecords)
                .arg(records.size())
                .arg(settingsRecordSize)));
    }

    const int count = int(std::min<qint64>(completeRecords, records.size()));
    const QByteArray bytes = file.read(qint64(count) * settingsRecordSize);
    if (bytes.size() != qsizetype(count) * settingsRecordSize)
        return failure(extensionText(texts, 11).arg(path, file.errorString()));

    // Every record is checked before the first one is applied.
    std::vector<QString> values;
    values.reserve(count);
    for (int i = 0; i < count; ++i) {
        QString problem;
        const std::optional<QString> text =
            recordText(bytes.constData() + qsizetype(i) * settingsRecordSize, records[i], texts, problem);
        if (!text)
            return failure(recordProblem(texts, path, i + 1, problem));
        values.push_back(*text);
    }

    for (int i = 0; i < count; ++i) {
        const SettingsRecord &record = records[i];
        if (!record.id)
            continue;
        const QString id = QLatin1String(record.id);
        ParameterValue value = set.value(id);
        applyRecord(record, i + 1, values[i], value, model);
        set.set(id, value);
    }
    return {};
}

QString settingsPathProblem(const QString &path, SettingsPathSource source, const LanguageTable &texts)
{
    constexpr qsizetype shortestPath = 8;
    if (path.size() < shortestPath)
        return texts.text(QStringLiteral("Message"), 21);
    const QString extension = path.mid(path.lastIndexOf(u'.') + 1).trimmed().toUpper();
    if (extension == u"GDL")
        return {};
    return source == SettingsPathSource::OpenDialog ? texts.text(QStringLiteral("Message"), 4)
                                                    : texts.text(QStringLiteral("Message"), 22);
}
