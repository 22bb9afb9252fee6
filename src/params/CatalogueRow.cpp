#include "params/CatalogueRow.h"

namespace cat {

QStringList numbers(int from, int to, int step)
{
    QStringList list;
    for (int n = from; n <= to; n += step)
        list << QString::number(n);
    return list;
}

QStringList tenths(int from, int to)
{
    QStringList list;
    for (int n = from; n <= to; ++n)
        list << QStringLiteral("%1.%2").arg(n / 10).arg(n % 10);
    return list;
}

Row::Row(const char *id, ValueKind kind, ParameterPage page, ModelSet models)
{
    def_.id = QString::fromLatin1(id);
    def_.kind = kind;
    def_.page = page;
    def_.models = models;
    switch (kind) {
    case ValueKind::Code:
        text("0123456789*", 2);
        break;
    case ValueKind::Digits:
        text("0123456789", 4);
        break;
    case ValueKind::PhoneNumber:
        text("0123456789*#PRF", 16);
        break;
    case ValueKind::Choice:
    case ValueKind::TimedChoice:
        def_.defaults.fill(ParameterValue::choice(-1));
        break;
    case ValueKind::Flag:
    case ValueKind::TextNumber:
    case ValueKind::FlagSet:
        break;
    }
}

Row &Row::code(const char *all) { return code(all, all, all); }

Row &Row::code(const char *c, const char *c2, const char *c3)
{
    def_.code = {QString::fromUtf8(c), QString::fromUtf8(c2), QString::fromUtf8(c3)};
    return *this;
}

Row &Row::caption(const char *text, const TextKey &textKey)
{
    for (auto model : {C, C2, C3})
        caption(model, text, textKey);
    return *this;
}

Row &Row::caption(CommunicatorModel model, const char *text, const TextKey &textKey)
{
    def_.caption[int(model)] = QString::fromUtf8(text);
    def_.captionKey[int(model)] = textKey;
    return *this;
}

Row &Row::group(const char *text, const TextKey &textKey)
{
    for (auto model : {C, C2, C3})
        group(model, text, textKey);
    return *this;
}

Row &Row::group(CommunicatorModel model, const char *text, const TextKey &textKey)
{
    def_.groupCaption[int(model)] = QString::fromUtf8(text);
    def_.groupKey[int(model)] = textKey;
    return *this;
}

Row &Row::hint(const char *text, const TextKey &textKey)
{
    def_.hint = QString::fromUtf8(text);
    def_.hintKey = textKey;
    return *this;
}

// The unit words every page shares, in the [Main] section.
TextKey sharedUnitKey(const QString &unit)
{
    static const QStringList words = {QStringLiteral("sec"), QStringLiteral("min"), QStringLiteral("day"),
                                      QStringLiteral("ms"),  QStringLiteral("dBm"), QStringLiteral("dB"),
                                      QStringLiteral("Hz"),  QStringLiteral("mV"),  QStringLiteral("V"),
                                      QStringLiteral("mA")};
    const qsizetype index = words.indexOf(unit);
    return index < 0 ? TextKey{} : key("Main", int(index) + 1);
}

Row &Row::unit(const char *text, const TextKey &textKey)
{
    def_.unit = QString::fromUtf8(text);
    def_.unitKey = textKey.isValid() ? textKey : sharedUnitKey(def_.unit);
    return *this;
}

Row &Row::features(int c3FeatureBits)
{
    def_.c3Features = c3FeatureBits;
    return *this;
}

Row &Row::alsoOn(ParameterPage page, ModelSet models)
{
    def_.alsoOnPage = page;
    def_.alsoOnModels = models;
    return *this;
}

Row &Row::values(const QStringList &list)
{
    def_.values.fill(list);
    return *this;
}

Row &Row::values(CommunicatorModel model, const QStringList &list)
{
    def_.values[int(model)] = list;
    return *this;
}

Row &Row::options(const QStringList &list, const QList<TextKey> &keys)
{
    values(list);
    def_.optionGroup = true;
    def_.entryKeys = keys;
    return *this;
}

Row &Row::flags(int firstBit, const QStringList &captions, const QList<TextKey> &keys,
                const QStringList &codes, const QStringList &hints, const QList<TextKey> &hintKeys)
{
    values(captions);
    def_.firstBit = firstBit;
    def_.entryKeys = keys;
    def_.entryCodes = codes;
    def_.entryHints = hints;
    def_.entryHintKeys = hintKeys;
    return *this;
}

Row &Row::mark(int bit, int followsBit)
{
    def_.markBit = bit;
    def_.markFollowsBit = followsBit;
    return *this;
}

Row &Row::text(const char *allowed, int maxLength)
{
    def_.allowedCharacters = QString::fromLatin1(allowed);
    def_.maxLength = maxLength;
    return *this;
}

Row &Row::range(double minimum, double maximum, int decimals)
{
    def_.minimum = minimum;
    def_.maximum = maximum;
    def_.decimals = decimals;
    return *this;
}

Row &Row::defaultEntry(const char *entry) { return defaultEntry(entry, entry, entry); }

Row &Row::defaultEntry(const char *c, const char *c2, const char *c3)
{
    defaultEntries_ = {QString::fromUtf8(c), QString::fromUtf8(c2), QString::fromUtf8(c3)};
    return *this;
}

Row &Row::defaultFlag(bool on)
{
    def_.defaults.fill(ParameterValue::ofFlag(on));
    return *this;
}

Row &Row::defaultText(const char *text)
{
    def_.defaults.fill(ParameterValue::ofText(QString::fromUtf8(text)));
    return *this;
}

Row &Row::defaultBits(quint32 bits)
{
    def_.defaults.fill(ParameterValue::ofBits(bits));
    return *this;
}

Row &Row::fallbackEntry(const char *entry)
{
    fallbackEntry_ = QString::fromUtf8(entry);
    return *this;
}

Row &Row::fallbackFirst()
{
    fallbackFirst_ = true;
    return *this;
}

ParameterDef Row::finish() const
{
    ParameterDef row = def_;
    for (auto model : {C, C2, C3}) {
        const int m = int(model);
        const QStringList &list = row.values[m];
        if (!defaultEntries_[m].isEmpty()) {
            const int index = list.indexOf(defaultEntries_[m]);
            row.defaults[m] = row.kind == ValueKind::TimedChoice ? ParameterValue::timed(index, 0)
                                                                  : ParameterValue::choice(index);
        }
        if (fallbackFirst_)
            row.fallback[m] = 0;
        else if (!fallbackEntry_.isEmpty())
            row.fallback[m] = list.indexOf(fallbackEntry_);
    }
    return row;
}

} // namespace cat
