#include "ImageCodecTestSupport.h"

#include "params/Catalogue.h"
#include "protocol/AlarmImageCodec.h"
#include "protocol/AlarmImageLayout.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using Model = CommunicatorModel;

constexpr int setsPerModel = 2000;

// Volts in tenths as the field shows them: " 0,7", "12,5".
QString voltageText(int tenths, QChar separator)
{
    const QString volts = QString::number(tenths / 10) + separator + QString::number(tenths % 10);
    return tenths < 10 ? QLatin1Char(' ') + volts : volts;
}

// Random valid values for every catalogue row, in the form the pages hold them.
class RandomSets {
public:
    explicit RandomSets(unsigned seed) : random_(seed) {}

    ParameterSet parameters(Model model, QChar separator)
    {
        ParameterSet set;
        for (const ParameterDef &row : catalogue())
            set.set(row.id, value(row, model, separator));
        return set;
    }

    ParameterStatus status()
    {
        ParameterStatus status;
        status.serviceCallHours = below(255 * 24 + 24);
        status.resetCount = below(65536);
        const int version = 10 + below(90);
        status.firmwareVersion = QString::number(version / 10) + u'.' + QString::number(version % 10);
        status.serialNumber = QStringLiteral("%1").arg(below(65536), 5, 10, QLatin1Char('0'));
        status.lastCallNumber = text(QStringLiteral("0123456789*#"), 16);
        status.previousCallNumber = text(QStringLiteral("0123456789*#"), 16);
        status.alarmActive = coin();
        status.serviceRedialActive = coin();
        return status;
    }

private:
    ParameterValue value(const ParameterDef &row, Model model, QChar separator)
    {
        const int entries = int(valuesOf(row, model).size());
        const int index = entries > 0 ? below(entries) : -1;
        switch (row.kind) {
        case ValueKind::Choice: return ParameterValue::choice(index);
        case ValueKind::TimedChoice: return ParameterValue::timed(index, below(2));
        case ValueKind::Flag: return ParameterValue::ofFlag(coin());
        case ValueKind::FlagSet: return ParameterValue::ofBits(quint32(below(1 << 16)) & row.flagSetMask());
        case ValueKind::Code:
        case ValueKind::Digits: return ParameterValue::ofText(text(row.allowedCharacters, row.maxLength));
        case ValueKind::PhoneNumber:
            return ParameterValue::phone(text(row.allowedCharacters, row.maxLength), coin());
        case ValueKind::TextNumber: {
            const int scale = row.decimals > 0 ? 10 : 1;
            const int low = int(row.minimum * scale);
            const int number = low + below(int(row.maximum * scale) - low + 1);
            return ParameterValue::ofText(row.decimals > 0 ? voltageText(number, separator) : QString::number(number));
        }
        }
        return {};
    }

    QString text(const QString &allowed, int maxLength)
    {
        QString result;
        for (int length = below(maxLength + 1); length > 0; --length)
            result += allowed.at(below(int(allowed.size())));
        return result;
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool coin() { return below(2) == 1; }

    std::mt19937 random_;
};

// What the image gives back of set: the losses the layout makes by design.
ParameterSet expectedReadBack(ParameterSet set, Model model)
{
    for (const ParameterDef &row : catalogue()) {
        if (row.kind != ValueKind::PhoneNumber)
            continue;
        ParameterValue number = set.value(row.id);
        number.text.replace(u'F', u'R');  // flash reads back as "R"
        set.set(row.id, number);
    }
    const bool muted = set.value(QStringLiteral("muteUntilConfirmation")).flag;
    if (!muted)  // the delay is stored only with muting
        set.set(QStringLiteral("micOpenDelay"), ParameterValue::choice(0));
    else if (set.value(QStringLiteral("micOpenDelay")).index > 0)  // a delay drops the suppression bit
        set.set(QStringLiteral("micDtmfSuppression"), ParameterValue::ofFlag(false));

    if (model == Model::TkvC3) {
        // The "<Lift address>" mark (bit 0) follows announcement 0101 (bit 1).
        quint32 bits = set.value(QStringLiteral("voiceAnnouncements")).bits & ~1u;
        bits |= (bits >> 1) & 1u;
        set.set(QStringLiteral("voiceAnnouncements"), ParameterValue::ofBits(bits));
        // Byte 71 holds no input functions on TKV-C3: they read back as "not call".
        set.set(QStringLiteral("c2Input1Function"), ParameterValue::choice(0));
        set.set(QStringLiteral("c2Input2Function"), ParameterValue::choice(0));
    }
    return set;
}

void expectStatus(const ParameterStatus &decoded, const ParameterStatus &written, const ParameterStatus &before,
                  Model model)
{
    EXPECT_EQ(decoded.serviceCallHours, written.serviceCallHours);
    EXPECT_EQ(decoded.resetCount, written.resetCount);
    EXPECT_EQ(decoded.lastCallNumber, written.lastCallNumber);
    EXPECT_EQ(decoded.previousCallNumber, written.previousCallNumber);
    EXPECT_EQ(decoded.alarmActive, written.alarmActive);
    EXPECT_EQ(decoded.serviceRedialActive, written.serviceRedialActive);
    // TKV-C3 does not read back its firmware and serial bytes.
    const ParameterStatus &versionSource = model == Model::TkvC3 ? before : written;
    EXPECT_EQ(decoded.firmwareVersion, versionSource.firmwareVersion);
    EXPECT_EQ(decoded.serialNumber, versionSource.serialNumber);
}

class ImageCodecRoundTrip : public testing::TestWithParam<Model> {};

TEST_P(ImageCodecRoundTrip, DecodingTheEncodedImageGivesBackEveryStoredParameter)
{
    const Model model = GetParam();
    const QStringList stored = storedParameterIds(model);
    RandomSets random(20261210 + unsigned(model));
    for (int n = 0; n < setsPerModel; ++n) {
        const QChar separator = n % 2 ? u',' : u'.';
        const ParameterSet written = random.parameters(model, separator);
        const ParameterStatus writtenStatus = random.status();
        const ParameterSet before = random.parameters(model, separator);
        const ParameterStatus beforeStatus = random.status();

        const QByteArray image = encodeAlarmImage(written, writtenStatus, model);
        ParameterSet decoded = before;
        ParameterStatus decodedStatus = beforeStatus;
        ASSERT_TRUE(decodeAlarmImage(image, model, decoded, decodedStatus, separator).ok()) << "set " << n;

        const ParameterSet expected = expectedReadBack(written, model);
        QStringList differences;
        for (const ParameterDef &row : catalogue()) {
            const ParameterValue want = stored.contains(row.id) ? expected.value(row.id) : before.value(row.id);
            if (decoded.value(row.id) != want)
                differences << row.id;
        }
        ASSERT_TRUE(differences.isEmpty()) << "set " << n << ": " << differences.join(u' ').toStdString() << "\n"
                                           << differences.value(0).toStdString() << " written "
                                           << written.value(differences.value(0)) << " read "
                                           << decoded.value(differences.value(0));
        expectStatus(decodedStatus, writtenStatus, beforeStatus, model);
        if (HasFailure())
            FAIL() << "status of set " << n;
    }
}

INSTANTIATE_TEST_SUITE_P(EveryModel, ImageCodecRoundTrip,
                         testing::Values(Model::TkvC, Model::TkvC2, Model::TkvC3),
                         [](const testing::TestParamInfo<Model> &info) {
                             return modelName(info.param).remove(u'-').toStdString();
                         });

} // namespace
