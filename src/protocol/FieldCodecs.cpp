#include "protocol/FieldCodecs.h"

#include "protocol/DialDigitCode.h"

namespace {

constexpr quint8 confirmingBit = 0x80;
constexpr int phoneNumberLength = 16;
constexpr int callNumberLength = 16;

// The code of character i of text, or the no-character nibble past its end.
int codeAt(const QString &text, qsizetype i)
{
    return i < text.size() ? DialDigitCode::encode(text.at(i)) : DialDigitCode::noCharacterNibble;
}

quint8 wholeByte(int code)
{
    return code == DialDigitCode::noCharacterNibble ? DialDigitCode::noCharacterByte : quint8(code);
}

quint8 nibblePair(int low, int high)
{
    return quint8((high << 4) | low);
}

QString codePairNibble(int nibble)
{
    if (nibble == 0)
        return QStringLiteral("0");
    return nibble <= 12 ? DialDigitCode::decode(nibble) : QString();
}

} // namespace

QByteArray encodeDigitString(const QString &text, int length)
{
    QByteArray bytes(length, char(DialDigitCode::noCharacterByte));
    for (int i = 0; i < length; ++i)
        bytes[i] = char(wholeByte(codeAt(text, i)));
    return bytes;
}

QString decodeDigitString(QByteArrayView bytes)
{
    QString text;
    for (char byte : bytes)
        text += DialDigitCode::decode(quint8(byte));
    return text;
}

quint8 encodeCodePair(const QString &code)
{
    return nibblePair(codeAt(code, 0), codeAt(code, 1));
}

QString decodeCodePair(quint8 byte)
{
    return codePairNibble(byte & 0x0f) + codePairNibble(byte >> 4);
}

QByteArray encodePackedCode(const QString &code)
{
    QByteArray bytes(2, 0);
    for (int i = 0; i < 2; ++i)
        bytes[i] = char(nibblePair(codeAt(code, 2 * i), codeAt(code, 2 * i + 1)));
    return bytes;
}

QString decodePackedCode(QByteArrayView bytes)
{
    QString code;
    for (char byte : bytes) {
        for (int nibble : {quint8(byte) & 0x0f, quint8(byte) >> 4}) {
            const QString character = DialDigitCode::decode(nibble);
            if (character.isEmpty())
                return code;
            code += character;
        }
    }
    return code;
}

QByteArray encodeCallNumber(const QString &number)
{
    QByteArray bytes(callNumberLength / 2, 0);
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char(nibblePair(codeAt(number, 2 * i), codeAt(number, 2 * i + 1)));
    return bytes;
}

QString decodeCallNumber(QByteArrayView bytes)
{
    QString number;
    for (char byte : bytes)
        number += decodeCodePair(quint8(byte));
    return number;
}

QByteArray encodePhoneNumber(const QString &number, bool confirming)
{
    QByteArray bytes = encodeDigitString(number, phoneNumberLength);
    const int first = codeAt(number, 0);
    const quint8 low = first == DialDigitCode::noCharacterNibble ? 0x7f : quint8(first);
    bytes[0] = char(low | (confirming ? confirmingBit : 0));
    return bytes;
}

ParameterValue decodePhoneNumber(QByteArrayView bytes)
{
    const quint8 first = quint8(bytes.at(0));
    const int firstCode = first & 0x0f;
    QString number = firstCode == 0 ? QStringLiteral("0") : DialDigitCode::decode(firstCode);
    number += decodeDigitString(bytes.sliced(1));
    return ParameterValue::phone(number, first >= confirmingBit);
}

quint8 encodeIndex(int index, int k)
{
    return index < 0 ? DialDigitCode::noCharacterByte : quint8((index + k) & 0xff);
}

int decodeIndex(int byte, int k, int count)
{
    return indexInList(byte - k, count);
}

int indexInList(int index, int count)
{
    return index >= 0 && index < count ? index : -1;
}

bool decodeFlag(quint8 byte, bool current)
{
    if (byte == 0)
        return false;
    if (byte == 1)
        return true;
    return current;
}

quint8 encodeTimed(int index, int k, int unit)
{
    if (index < 0)
        return DialDigitCode::noCharacterByte;
    return quint8((index + k + (unit == 1 ? 128 : 0)) & 0xff);
}

ParameterValue decodeTimed(int byte, int k, int count, int minutesFrom)
{
    const bool minutes = byte >= minutesFrom;
    return ParameterValue::timed(decodeIndex(minutes ? byte - 128 : byte, k, count), minutes ? 1 : 0);
}
