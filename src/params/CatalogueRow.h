#pragma once

// Building blocks of the catalogue table: a fluent row builder and the value-list
// generators the page tables use. Only the catalogue sources include this.

#include "params/ParameterDef.h"

#include <vector>

namespace cat {

constexpr auto C = CommunicatorModel::TkvC;
constexpr auto C2 = CommunicatorModel::TkvC2;
constexpr auto C3 = CommunicatorModel::TkvC3;

inline ModelSet models(std::initializer_list<CommunicatorModel> list) { return ModelSet::of(list); }
inline ModelSet allModels() { return ModelSet::all(); }
inline TextKey key(const char *section, int number) { return {QString::fromLatin1(section), number}; }

// "from" .. "to" in steps.
QStringList numbers(int from, int to, int step = 1);
// Tenths as decimal texts: tenths(10, 49) = "1.0" .. "4.9".
QStringList tenths(int from, int to);

// Collects one catalogue row. Texts that do not depend on the model are given once;
// the per-model overloads take the TKV-C, TKV-C2 and TKV-C3 values in that order.
// Choice defaults and fallbacks are given as the entry text and resolved to the
// entry's index in each model's list when the row is finished.
class Row {
public:
    Row(const char *id, ValueKind kind, ParameterPage page, ModelSet models);

    Row &code(const char *all);
    Row &code(const char *c, const char *c2, const char *c3);
    Row &caption(const char *text, const TextKey &textKey = {});
    Row &caption(CommunicatorModel model, const char *text, const TextKey &textKey = {});
    Row &group(const char *text, const TextKey &textKey = {});
    Row &group(CommunicatorModel model, const char *text, const TextKey &textKey = {});
    Row &hint(const char *text, const TextKey &textKey = {});
    Row &unit(const char *text, const TextKey &textKey = {});
    Row &features(int c3FeatureBits);
    Row &alsoOn(ParameterPage page, ModelSet models);

    Row &values(const QStringList &list);
    Row &values(CommunicatorModel model, const QStringList &list);
    Row &options(const QStringList &list, const QList<TextKey> &keys = {});
    Row &flags(int firstBit, const QStringList &captions, const QList<TextKey> &keys = {},
               const QStringList &codes = {}, const QStringList &hints = {},
               const QList<TextKey> &hintKeys = {});
    Row &mark(int bit, int followsBit);
    Row &text(const char *allowed, int maxLength);
    Row &range(double minimum, double maximum, int decimals);

    Row &defaultEntry(const char *entry);
    Row &defaultEntry(const char *c, const char *c2, const char *c3);
    Row &defaultFlag(bool on);
    Row &defaultText(const char *text);
    Row &defaultBits(quint32 bits);
    Row &fallbackEntry(const char *entry);
    Row &fallbackFirst();

    // The finished row. A default or fallback entry missing from a model's list
    // leaves index -1 there (the catalogue tests look for that).
    ParameterDef finish() const;

private:
    ParameterDef def_;
    PerModel<QString> defaultEntries_;
    QString fallbackEntry_;
    bool fallbackFirst_ = false;
};

// The page groups of the table, each appending its rows in catalogue order.
void addBasicPages(std::vector<ParameterDef> &rows);     // Basic .. Lift parameters, Repeat of call
void addTimingPages(std::vector<ParameterDef> &rows);    // Time, Dial, HandsFree, Telephone numbers
void addModulePages(std::vector<ParameterDef> &rows);    // Option module, TKV-C and TKV-C2 I/O, Failure
void addC3Pages(std::vector<ParameterDef> &rows);        // Tests and Power, Input / Output, Voice messages

} // namespace cat
