#include "params/Catalogue.h"

#include "app/LanguageTable.h"
#include "params/CatalogueRow.h"

#include <QLocale>
#include <vector>

namespace {

const std::vector<ParameterDef> &rows()
{
    static const std::vector<ParameterDef> table = [] {
        std::vector<ParameterDef> list;
        cat::addBasicPages(list);
        cat::addTimingPages(list);
        cat::addModulePages(list);
        cat::addC3Pages(list);
        return list;
    }();
    return table;
}

// A default voltage is held with the local decimal separator, as the field shows it.
ParameterValue localised(const ParameterDef &row, ParameterValue value)
{
    if (row.kind == ValueKind::TextNumber && row.decimals > 0)
        value.text.replace(QLatin1Char('.'), QLocale().decimalPoint());
    return value;
}

// The language text of key (which a language file may set to an empty text), or
// builtIn for a text that has no language entry.
QString translated(const TextKey &key, const QString &builtIn, const LanguageTable &texts)
{
    return key.isValid() ? texts.text(key.section, key.key) : builtIn;
}

} // namespace

quint32 ParameterDef::flagSetMask() const
{
    quint32 mask = 0;
    const qsizetype count = values[0].size();
    for (qsizetype entry = 0; entry < count; ++entry)
        mask |= 1u << (firstBit + entry);
    if (markBit >= 0)
        mask |= 1u << markBit;
    return mask;
}

QStringList valuesOf(const ParameterDef &row, CommunicatorModel model)
{
    return forModel(row.values, model);
}

std::span<const ParameterDef> catalogue()
{
    return rows();
}

const ParameterDef *findById(const QString &id)
{
    for (const ParameterDef &row : rows())
        if (row.id == id)
            return &row;
    return nullptr;
}

QList<const ParameterDef *> findByCode(const QString &code, CommunicatorModel model)
{
    QList<const ParameterDef *> found;
    if (code.isEmpty())
        return found;
    for (const ParameterDef &row : rows())
        if (row.models.contains(model) && row.codeFor(model) == code)
            found << &row;
    return found;
}

QString captionOf(const ParameterDef &row, CommunicatorModel model, const LanguageTable &texts)
{
    const QString caption = translated(forModel(row.captionKey, model), row.captionFor(model), texts);
    const QString &code = row.codeFor(model);
    if (code.isEmpty() || caption.isEmpty())
        return code.isEmpty() ? caption : code;
    return code + QLatin1Char(' ') + caption;
}

QString groupCaptionOf(const ParameterDef &row, CommunicatorModel model, const LanguageTable &texts)
{
    return translated(forModel(row.groupKey, model), forModel(row.groupCaption, model), texts);
}

QStringList entryTextsOf(const ParameterDef &row, CommunicatorModel model, const LanguageTable &texts)
{
    QStringList entries = valuesOf(row, model);
    for (qsizetype i = 0; i < entries.size() && i < row.entryKeys.size(); ++i)
        entries[i] = translated(row.entryKeys.at(i), entries.at(i), texts);
    return entries;
}

QString hintOf(const ParameterDef &row, const LanguageTable &texts)
{
    return translated(row.hintKey, row.hint, texts);
}

QString unitOf(const ParameterDef &row, const LanguageTable &texts)
{
    return translated(row.unitKey, row.unit, texts);
}

QStringList entryHintsOf(const ParameterDef &row, const LanguageTable &texts)
{
    QStringList hints = row.entryHints;
    for (qsizetype i = 0; i < hints.size() && i < row.entryHintKeys.size(); ++i)
        hints[i] = translated(row.entryHintKeys.at(i), hints.at(i), texts);
    return hints;
}

void applyDefaults(ParameterSet &set, ParameterStatus &status, CommunicatorModel model)
{
    for (const ParameterDef &row : rows()) {
        // The defaults leave the line-disconnect LED option as it is.
        if (row.id == QLatin1String("lineDisconnectLed"))
            continue;
        set.set(row.id, localised(row, row.defaultFor(model)));
    }
    status.alarmActive = false;
}

void changeModel(ParameterSet &set, ParameterStatus &status, CommunicatorModel model)
{
    // The model-dependent value lists are part of each row; selecting the model's
    // defaults selects entries of the model's own lists.
    applyDefaults(set, status, model);
}
