#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// The value of one parameter. Which fields count depends on the parameter's kind:
// choice: index (-1 = no selection); flag: flag; code, digits, text number: text;
// phone number: text and flag ("Confirming"); timed choice: index and unit
// (0 = seconds, 1 = minutes); flag set: bits.
struct ParameterValue {
    int index = -1;
    bool flag = false;
    QString text;
    int unit = 0;
    quint32 bits = 0;

    static ParameterValue choice(int index) { ParameterValue v; v.index = index; return v; }
    static ParameterValue ofFlag(bool on) { ParameterValue v; v.flag = on; return v; }
    static ParameterValue ofText(const QString &text) { ParameterValue v; v.text = text; return v; }
    static ParameterValue phone(const QString &number, bool confirming)
    {
        ParameterValue v;
        v.text = number;
        v.flag = confirming;
        return v;
    }
    static ParameterValue timed(int index, int unit) { ParameterValue v; v.index = index; v.unit = unit; return v; }
    static ParameterValue ofBits(quint32 bits) { ParameterValue v; v.bits = bits; return v; }

    friend bool operator==(const ParameterValue &, const ParameterValue &) = default;
};

// The values of every parameter of one communicator, keyed by parameter id, for
// all three models at once: the model only decides which are shown and stored.
class ParameterSet {
public:
    bool contains(const QString &id) const { return values_.contains(id); }
    // The value of id; a default-constructed value when it was never set.
    ParameterValue value(const QString &id) const { return values_.value(id); }
    void set(const QString &id, const ParameterValue &value) { values_.insert(id, value); }
    QStringList ids() const { return values_.keys(); }

    friend bool operator==(const ParameterSet &, const ParameterSet &) = default;

private:
    QHash<QString, ParameterValue> values_;
};
