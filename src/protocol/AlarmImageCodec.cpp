#include "protocol/AlarmImageCodec.h"

#include "params/Catalogue.h"
#include "protocol/AlarmImageLayout.h"
#include "protocol/ChoiceFormulas.h"
#include "protocol/FieldCodecs.h"
#include "protocol/ImageCatalogue.h"
#include "protocol/MultiFieldBytes.h"
#include "protocol/NumberTexts.h"

#include <QLocale>
#include <algorithm>

namespace {

constexpr int maxServiceCallHours = 255 * 24 + 23;

QString idOf(const ImageField &field, int n = 0)
{
    return QString::fromLatin1(field.ids[n]);
}

int byteAt(const QByteArray &bytes, int position)
{
    return quint8(bytes.at(position - 1));
}

class Encoder {
public:
    Encoder(const ParameterSet &set, const ParameterStatus &status, CommunicatorModel model)
        : set_(set), status_(status), model_(model), image_(alarmImageLength, 0)
    {
    }

    QByteArray image() const { return image_; }

    void write(const ImageField &field)
    {
        const ParameterValue value = field.ids[0] ? set_.value(idOf(field)) : ParameterValue{};
        switch (field.coding) {
        case FieldCoding::Constant: return put(field.position, QByteArray(field.length, char(field.k)));
        case FieldCoding::Index: return put(field.position, encodeIndex(value.index, field.k));
        case FieldCoding::Flag:
        case FieldCoding::FlagAnyNonZero: return put(field.position, value.flag ? 1 : 0);
        case FieldCoding::Bit: return orInto(field.position, value.flag ? 1 << field.k : 0);
        case FieldCoding::FlagSet: return put(field.position, flagSetByte(idOf(field), value.bits));
        case FieldCoding::CodePair: return put(field.position, encodeCodePair(value.text));
        case FieldCoding::DigitString: return put(field.position, encodeDigitString(value.text, field.length));
        case FieldCoding::PackedCode: return put(field.position, encodePackedCode(value.text));
        case FieldCoding::PhoneNumber: return put(field.position, encodePhoneNumber(value.text, value.flag));
        case FieldCoding::MaxCallDuration: return put(field.position, encodeMaxCallDuration(value.index));
        case FieldCoding::PushbuttonTime: return put(field.position, encodePushbuttonTime(value.index));
        case FieldCoding::BypassFilterTime:
            return put(field.position, encodeBypassFilterTime(value.index, model_));
        case FieldCoding::TwentyFifths: return put(field.position, encodeTwentyFifths(value.index));
        case FieldCoding::BusyToneFrequency: return put(field.position, encodeBusyToneFrequency(value.index));
        case FieldCoding::LineLossCompensation:
            return put(field.position, encodeLineLossCompensation(value.index));
        case FieldCoding::UpTo99: return put(field.position, encodeWholeNumber(value.text));
        case FieldCoding::Voltage: return put(field.position, encodeVoltage(value.text));
        case FieldCoding::TimedChoice: return put(field.position, encodeTimed(value.index, field.k, value.unit));
        case FieldCoding::InputByte:
            return put(field.position, encodeInputByte({set_.value(idOf(field, 1)).index,
                                                        set_.value(idOf(field, 2)).index, value.index}));
        case FieldCoding::RepeatsInputByte: return put(field.position, encodeIndex(value.index, 1));
        case FieldCoding::AudioByte:
            return put(field.position, encodeAudioByte({value.flag, set_.value(idOf(field, 1)).flag,
                                                        set_.value(idOf(field, 2)).flag,
                                                        set_.value(idOf(field, 3)).index}));
        case FieldCoding::StatusBits:
            return orInto(field.position, (status_.alarmActive ? 1 : 0) | (status_.serviceRedialActive ? 2 : 0));
        case FieldCoding::ServiceCallTimer: {
            const int hours = std::clamp(status_.serviceCallHours, 0, maxServiceCallHours);
            put(field.position, quint8(hours % 24));
            return put(field.position + 1, quint8(hours / 24));
        }
        case FieldCoding::ResetCount: return putWord(field.position, std::clamp(status_.resetCount, 0, 0xffff));
        case FieldCoding::FirmwareVersion: return put(field.position, encodeFirmwareVersion(status_.firmwareVersion));
        case FieldCoding::SerialNumber: return putWord(field.position, encodeSerialNumber(status_.serialNumber));
        case FieldCoding::LastCallNumber: return put(field.position, encodeCallNumber(status_.lastCallNumber));
        case FieldCoding::PreviousCallNumber:
            return put(field.position, encodeCallNumber(status_.previousCallNumber));
        }
    }

private:
    // The mask of the flag set's bits; a mark bit always copies the bit it follows.
    static quint8 flagSetByte(const QString &id, quint32 bits)
    {
        const ParameterDef *row = findById(id);
        if (!row)
            return 0;
        quint32 byte = bits & row->flagSetMask();
        if (row->markBit >= 0) {
            byte &= ~(1u << row->markBit);
            if (bits & (1u << row->markFollowsBit))
                byte |= 1u << row->markBit;
        }
        return quint8(byte);
    }

    void put(int position, quint8 byte) { image_[position - 1] = char(byte); }
    void put(int position, const QByteArray &bytes) { image_.replace(position - 1, bytes.size(), bytes); }
    void putWord(int position, int word)
    {
        put(position, quint8(word >> 8));
        put(position + 1, quint8(word & 0xff));
    }
    void orInto(int position, int bits) { image_[position - 1] = char(quint8(image_.at(position - 1)) | bits); }

    const ParameterSet &set_;
    const ParameterStatus &status_;
    CommunicatorModel model_;
    QByteArray image_;
};

class Decoder {
public:
    Decoder(const QByteArray &bytes, CommunicatorModel model, ParameterSet &set, ParameterStatus &status,
            QChar separator)
        : bytes_(bytes), model_(model), set_(set), status_(status), separator_(separator)
    {
    }

    void read(const ImageField &field)
    {
        if (!field.readBack)
            return;
        const int byte = byteAt(bytes_, field.position);
        const QString id = field.ids[0] ? idOf(field) : QString();
        switch (field.coding) {
        case FieldCoding::Constant: return;
        case FieldCoding::Index: return choice(id, decodeIndex(byte, field.k, count(id)));
        case FieldCoding::Flag: return flag(id, decodeFlag(quint8(byte), set_.value(id).flag));
        case FieldCoding::FlagAnyNonZero: return flag(id, byte != 0);
        case FieldCoding::Bit: return flag(id, (byte >> field.k) & 1);
        case FieldCoding::FlagSet: {
            const ParameterDef *row = findById(id);
            return set_.set(id, ParameterValue::ofBits(row ? byte & row->flagSetMask() : 0));
        }
        case FieldCoding::CodePair: return text(id, decodeCodePair(quint8(byte)));
        case FieldCoding::DigitString: return text(id, decodeDigitString(slice(field)));
        case FieldCoding::PackedCode: return text(id, decodePackedCode(slice(field)));
        case FieldCoding::PhoneNumber: return set_.set(id, decodePhoneNumber(slice(field)));
        case FieldCoding::MaxCallDuration: return choice(id, decodeMaxCallDuration(byte));
        case FieldCoding::PushbuttonTime: return choice(id, decodePushbuttonTime(byte, count(id)));
        case FieldCoding::BypassFilterTime: return choice(id, decodeBypassFilterTime(byte, model_, count(id)));
        case FieldCoding::TwentyFifths: return choice(id, decodeTwentyFifths(byte, count(id)));
        case FieldCoding::BusyToneFrequency: return choice(id, decodeBusyToneFrequency(byte, count(id)));
        case FieldCoding::LineLossCompensation: return choice(id, decodeLineLossCompensation(byte));
        case FieldCoding::UpTo99: return text(id, decodeUpTo99(byte));
        case FieldCoding::Voltage: return text(id, decodeVoltage(byte, separator_));
        case FieldCoding::TimedChoice: return set_.set(id, decodeTimed(byte, field.k, count(id), 128));
        case FieldCoding::InputByte:
        case FieldCoding::RepeatsInputByte: {
            // TKV-C3 writes only the repeats; its zero high nibble reads as "not call".
            const InputByte input = decodeInputByte(byte);
            choice(id, indexInList(input.repeatsIndex, count(id)));
            choice(idOf(field, 1), indexInList(input.input1Function, count(idOf(field, 1))));
            return choice(idOf(field, 2), indexInList(input.input2Function, count(idOf(field, 2))));
        }
        case FieldCoding::AudioByte: {
            const std::optional<AudioSettings> audio = decodeAudioByte(byte);
            if (!audio)
                return;
            flag(id, audio->micDtmfSuppression);
            flag(idOf(field, 1), audio->muteServiceCalls);
            flag(idOf(field, 2), audio->muteUntilConfirmation);
            return choice(idOf(field, 3), audio->micOpenDelay);
        }
        case FieldCoding::StatusBits:
            status_.alarmActive = byte & 1;
            status_.serviceRedialActive = byte & 2;
            return;
        case FieldCoding::ServiceCallTimer:
            status_.serviceCallHours = 24 * byteAt(bytes_, field.position + 1) + byte;
            return;
        case FieldCoding::ResetCount: status_.resetCount = word(field.position); return;
        case FieldCoding::FirmwareVersion: status_.firmwareVersion = firmwareVersionText(byte); return;
        case FieldCoding::SerialNumber: status_.serialNumber = serialNumberText(word(field.position)); return;
        case FieldCoding::LastCallNumber: status_.lastCallNumber = decodeCallNumber(slice(field)); return;
        case FieldCoding::PreviousCallNumber: status_.previousCallNumber = decodeCallNumber(slice(field)); return;
        }
    }

private:
    int count(const QString &id) const { return entriesOf(id, model_); }
    QByteArrayView slice(const ImageField &field) const
    {
        return QByteArrayView(bytes_).sliced(field.position - 1, field.length);
    }
    int word(int position) const { return 256 * byteAt(bytes_, position) + byteAt(bytes_, position + 1); }

    void choice(const QString &id, int index) { set_.set(id, ParameterValue::choice(index)); }
    void choice(const QString &id, std::optional<int> index)
    {
        if (index)
            choice(id, *index);
    }
    void flag(const QString &id, bool on) { set_.set(id, ParameterValue::ofFlag(on)); }
    void text(const QString &id, const QString &text) { set_.set(id, ParameterValue::ofText(text)); }

    const QByteArray &bytes_;
    CommunicatorModel model_;
    ParameterSet &set_;
    ParameterStatus &status_;
    QChar separator_;
};

} // namespace

QChar localDecimalSeparator()
{
    const QString point = QLocale().decimalPoint();
    return point.isEmpty() ? QLatin1Char('.') : point.front();
}

ImageDecodeResult decodeAlarmImage(const QByteArray &bytes, CommunicatorModel model, ParameterSet &set,
                                   ParameterStatus &status, QChar decimalSeparator)
{
    // Both checks come before anything is applied: a failed image leaves nothing of
    // itself behind, only the defaults.
    ImageFailure failure = ImageFailure::None;
    if (bytes.size() != alarmImageLength)
        failure = ImageFailure::Length;
    else if (byteAt(bytes, 16) != imageMarker)
        failure = ImageFailure::Memory;
    if (failure != ImageFailure::None) {
        applyDefaults(set, status, model);
        return {failure};
    }
    Decoder decoder(bytes, model, set, status, decimalSeparator);
    for (const ImageField &field : alarmImageLayout(model))
        decoder.read(field);
    return {};
}

QByteArray encodeAlarmImage(const ParameterSet &set, const ParameterStatus &status, CommunicatorModel model)
{
    Encoder encoder(set, status, model);
    for (const ImageField &field : alarmImageLayout(model))
        encoder.write(field);
    return encoder.image();
}

QByteArray baselineAlarmImage(const ParameterSet &set, const ParameterStatus &status, CommunicatorModel model)
{
    QByteArray image = encodeAlarmImage(set, status, model);
    image[16 - 1] = char(imageMarker);
    return image;
}
