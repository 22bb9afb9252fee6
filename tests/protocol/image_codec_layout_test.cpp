#include "ImageCodecTestSupport.h"

#include "params/Catalogue.h"
#include "protocol/AlarmImageLayout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

using Model = CommunicatorModel;

constexpr Model allModels[] = {Model::TkvC, Model::TkvC2, Model::TkvC3};

bool sharesItsByte(FieldCoding coding)
{
    return coding == FieldCoding::Bit || coding == FieldCoding::StatusBits;
}

TEST(ImageCodecLayout, EveryByteBelongsToOneField)
{
    for (Model model : allModels) {
        SCOPED_TRACE(modelName(model).toStdString());
        std::map<int, int> wholeOwners;   // position -> fields holding the whole byte
        std::map<int, int> sharedBits;    // position -> bits used by shared-byte fields
        for (const ImageField &field : alarmImageLayout(model)) {
            for (int position = field.position; position < field.position + field.length; ++position) {
                if (!sharesItsByte(field.coding)) {
                    ++wholeOwners[position];
                    continue;
                }
                const int bits = field.coding == FieldCoding::StatusBits ? 0x03 : 1 << field.k;
                EXPECT_EQ(sharedBits[position] & bits, 0) << "bit used twice in byte " << position;
                sharedBits[position] |= bits;
            }
        }
        for (int position = 1; position <= 256; ++position) {
            const int owners = wholeOwners[position];
            const bool shared = sharedBits.count(position) > 0;
            EXPECT_TRUE((owners == 1 && !shared) || (owners == 0 && shared)) << "byte " << position;
        }
    }
}

ValueKind kindFor(FieldCoding coding, int n)
{
    switch (coding) {
    case FieldCoding::Flag:
    case FieldCoding::FlagAnyNonZero:
    case FieldCoding::Bit: return ValueKind::Flag;
    case FieldCoding::FlagSet: return ValueKind::FlagSet;
    case FieldCoding::CodePair: return ValueKind::Code;
    case FieldCoding::DigitString:
    case FieldCoding::PackedCode: return ValueKind::Digits;
    case FieldCoding::PhoneNumber: return ValueKind::PhoneNumber;
    case FieldCoding::UpTo99:
    case FieldCoding::Voltage: return ValueKind::TextNumber;
    case FieldCoding::TimedChoice: return ValueKind::TimedChoice;
    case FieldCoding::AudioByte: return n < 3 ? ValueKind::Flag : ValueKind::Choice;
    default: return ValueKind::Choice;
    }
}

TEST(ImageCodecLayout, FieldsNameCatalogueRowsOfTheirKind)
{
    for (Model model : allModels) {
        SCOPED_TRACE(modelName(model).toStdString());
        for (const ImageField &field : alarmImageLayout(model)) {
            for (int n = 0; n < int(field.ids.size()); ++n) {
                if (!field.ids[n])
                    continue;
                const ParameterDef *row = findById(QString::fromLatin1(field.ids[n]));
                ASSERT_NE(row, nullptr) << field.ids[n];
                EXPECT_EQ(int(row->kind), int(kindFor(field.coding, n))) << field.ids[n];
            }
        }
    }
}

TEST(ImageCodecLayout, EveryParameterOfAModelIsStoredInItsImage)
{
    for (Model model : allModels) {
        SCOPED_TRACE(modelName(model).toStdString());
        const QStringList stored = storedParameterIds(model);
        for (const ParameterDef &row : catalogue()) {
            if (!row.models.contains(model))
                continue;
            // The I/O module keeps its own parameters; TKV-C2 only shows the alarm end.
            if (row.codeFor(model).startsWith(QLatin1String("O ")))
                continue;
            if (model == Model::TkvC2 && row.id == QLatin1String("alarmEndsWithCall"))
                continue;
            EXPECT_TRUE(stored.contains(row.id)) << row.id.toStdString();
        }
    }
}

} // namespace
