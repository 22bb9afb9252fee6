#include "RandomValues.h"

#include "params/Catalogue.h"
#include "params/InputRules.h"
#include "params/ParameterSet.h"

#include <vector>

namespace {

QString randomText(SoakRandom &random, const QString &allowed, int maxLength)
{
    QString text;
    if (allowed.isEmpty())
        return text;
    const int length = random.below(std::max(maxLength, 0) + 1);
    for (int i = 0; i < length; ++i)
        text += allowed[random.below(int(allowed.size()))];
    return text;
}

// Another value for the row, or nothing when the row takes none that way.
std::optional<ParameterValue> randomValue(SoakRandom &random, const ParameterDef &row, CommunicatorModel model,
                                          const ParameterValue &current)
{
    ParameterValue value = current;
    switch (row.kind) {
    case ValueKind::Choice:
    case ValueKind::TimedChoice: {
        const int entries = int(valuesOf(row, model).size());
        if (entries == 0)
            return std::nullopt;
        value.index = random.below(entries);
        if (row.kind == ValueKind::TimedChoice)
            value.unit = random.below(2);
        return value;
    }
    case ValueKind::Flag:
        value.flag = random.chance(50);
        return value;
    case ValueKind::FlagSet:
        value.bits = quint32(random.next()) & row.flagSetMask();
        return value;
    case ValueKind::PhoneNumber:
        value.flag = random.chance(50);
        [[fallthrough]];
    case ValueKind::Code:
    case ValueKind::Digits:
    case ValueKind::TextNumber: {
        QString text;
        if (row.kind == ValueKind::TextNumber) {
            const double span = row.maximum - row.minimum;
            const double number = row.minimum + span * double(random.below(1001)) / 1000.0;
            text = QString::number(number, 'f', row.decimals);
        } else {
            text = randomText(random, row.allowedCharacters, row.maxLength);
        }
        // Only what leaving the field accepts, as the window keeps it.
        const FieldCheck check = leaveTextField(row, text);
        if (!check.accepted())
            return std::nullopt;
        value.text = check.text;
        return value;
    }
    }
    return std::nullopt;
}

}  // namespace

void changeSomeValues(SoakRandom &random, ParameterSet &set, CommunicatorModel model)
{
    std::vector<const ParameterDef *> rows;
    for (const ParameterDef &row : catalogue())
        if (row.models.contains(model))
            rows.push_back(&row);
    if (rows.empty())
        return;
    const int changes = random.between(1, 12);
    for (int i = 0; i < changes; ++i) {
        const ParameterDef &row = *rows[size_t(random.below(int(rows.size())))];
        if (const std::optional<ParameterValue> value = randomValue(random, row, model, set.value(row.id)))
            set.set(row.id, *value);
    }
}

FaultStrength randomStrength(SoakRandom &random)
{
    const int draw = random.below(100);
    return draw < 20 ? FaultStrength::Clean : draw < 75 ? FaultStrength::Light : FaultStrength::Heavy;
}

SimFaultChances randomChances(SoakRandom &random, FaultStrength strength, int scale)
{
    SimFaultChances chances;
    if (strength == FaultStrength::Clean)
        return chances;
    // Parts per million: off, rare, frequent, very frequent.
    const quint32 light[] = {0, 200, 1000, 4000};
    const quint32 heavy[] = {0, 2000, 8000, 30000};
    const quint32 *rates = strength == FaultStrength::Light ? light : heavy;
    const auto rate = [&](quint32 divisor) { return rates[random.below(4)] / divisor / quint32(std::max(scale, 1)); };
    chances.loss = rate(1);
    chances.corruption = rate(1);
    chances.delay = rate(1);
    chances.silence = rate(8);
    const Millis longest[] = {Millis(50), Millis(400), Millis(4000)};
    chances.maxDelay = longest[random.below(3)];
    chances.silenceLength = random.between(4, 200);
    return chances;
}
