#include "sim/SimProgrammingCodes.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Models as bits.
constexpr int C = 1;
constexpr int C2 = 2;
constexpr int C3 = 4;
constexpr int All = C | C2 | C3;

int modelBit(SimKind model)
{
    switch (model) {
    case SimKind::TkvC: return C;
    case SimKind::TkvC2: return C2;
    case SimKind::TkvC3: return C3;
    default: return 0;
    }
}

// What follows the code.
enum class Form {
    Flag,          // "0" or "1"
    Digit,         // one digit
    TwoDigits,
    FourDigits,
    DialKey,       // one of 0-9 * #
    KeyPair,       // two of 0-9 * #; a leading "*" pads a shorter code
    Confirmation,  // up to four digits, then "B"
    Phone,         // "Confirming" digit, the number's keys, "B" (not after 16 characters)
    Audio,         // a flag, then "2" when muting during service calls
    Timed,         // unit (0 seconds, 1 minutes), then two digits
};

using Store = std::function<void(QByteArray &memory, const QByteArray &value)>;

struct Code {
    const char *code;
    int known;   // models that take the code
    int stored;  // models that keep it (the others take it and change nothing)
    Form form;
    Store store;
};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isKey(char c)
{
    return isDigit(c) || c == '*' || c == '#';
}

int number(const QByteArray &digits)
{
    return digits.toInt();
}

// The memory's code of a dial character; 15 for none.
quint8 dialCode(char c)
{
    switch (c) {
    case '0': return 10;
    case '*': return 11;
    case '#': return 12;
    case 'P': return 13;
    case 'R': return 14;
    default: return isDigit(c) ? quint8(c - '0') : 15;
    }
}

void put(QByteArray &memory, int position, int value)
{
    memory[position - 1] = char(value & 0xff);
}

void setBit(QByteArray &memory, int position, int bit, bool on)
{
    const quint8 mask = quint8(1u << bit);
    const quint8 old = quint8(memory[position - 1]);
    put(memory, position, on ? (old | mask) : (old & ~mask));
}

void digitString(QByteArray &memory, int position, int length, const QByteArray &text)
{
    for (int i = 0; i < length; ++i)
        put(memory, position + i, i < text.size() ? dialCode(text[i]) : 0xff);
}

void packedCode(QByteArray &memory, int position, const QByteArray &text)
{
    auto nibble = [&](int i) { return i < text.size() ? dialCode(text[i]) : 15; };
    put(memory, position, nibble(0) | (nibble(1) << 4));
    put(memory, position + 1, nibble(2) | (nibble(3) << 4));
}

void keyPair(QByteArray &memory, int position, const QByteArray &keys)
{
    const QByteArray code = keys.startsWith('*') ? keys.mid(1) : keys;
    auto nibble = [&](int i) { return i < code.size() ? dialCode(code[i]) : 15; };
    put(memory, position, nibble(0) | (nibble(1) << 4));
}

// The number's keys as the communicator keeps them: "**" is "*", "*#" the flash
// "R", "*0" the pause "P". Nothing for keys that mean nothing.
std::optional<QByteArray> numberOfKeys(const QByteArray &keys)
{
    QByteArray number;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        const char c = keys[i];
        if (isDigit(c) || c == '#') {
            number += c;
            continue;
        }
        if (c != '*' || i + 1 >= keys.size())
            return std::nullopt;
        const char next = keys[++i];
        if (next == '*')
            number += '*';
        else if (next == '#')
            number += 'R';
        else if (next == '0')
            number += 'P';
        else
            return std::nullopt;
    }
    return number;
}

constexpr int phoneLength = 16;

void phoneNumber(QByteArray &memory, int position, const QByteArray &value)
{
    const bool confirming = value[0] == '1';
    QByteArray keys = value.mid(1);
    if (keys.endsWith('B'))
        keys.chop(1);
    const QByteArray number = *numberOfKeys(keys);
    digitString(memory, position, phoneLength, number);
    const quint8 first = number.isEmpty() ? 0x7f : dialCode(number[0]);
    put(memory, position, first | (confirming ? 0x80 : 0));
}

bool validPhone(const QByteArray &value)
{
    if (value.isEmpty() || (value[0] != '0' && value[0] != '1'))
        return false;
    QByteArray keys = value.mid(1);
    if (keys.endsWith('B'))
        keys.chop(1);
    const std::optional<QByteArray> number = numberOfKeys(keys);
    return number && number->size() <= phoneLength;
}

bool valid(Form form, const QByteArray &value)
{
    const qsizetype n = value.size();
    switch (form) {
    case Form::Flag: return value == "0" || value == "1";
    case Form::Digit: return n == 1 && isDigit(value[0]);
    case Form::TwoDigits: return n == 2 && isDigit(value[0]) && isDigit(value[1]);
    case Form::FourDigits: return n == 4 && std::all_of(value.begin(), value.end(), isDigit);
    case Form::DialKey: return n == 1 && isKey(value[0]);
    case Form::KeyPair: return (n == 1 && value[0] == '*') || (n == 2 && isKey(value[0]) && isKey(value[1]));
    case Form::Confirmation:
        return n >= 1 && n <= 5 && value.endsWith('B') && std::all_of(value.begin(), value.end() - 1, isDigit);
    case Form::Phone: return validPhone(value);
    case Form::Audio: return (n == 1 || (n == 2 && value[1] == '2')) && (value[0] == '0' || value[0] == '1');
    case Form::Timed: return n == 3 && (value[0] == '0' || value[0] == '1') && isDigit(value[1]) && isDigit(value[2]);
    }
    return false;
}

// Stores the value (digits as their number, keys as they are) through fn.
Store byteOf(int position, std::function<int(int)> fn)
{
    return [position, fn = std::move(fn)](QByteArray &memory, const QByteArray &value) {
        put(memory, position, fn(number(value)));
    };
}

Store plain(int position)
{
    return byteOf(position, [](int v) { return v; });
}

Store minusOne(int position)
{
    return byteOf(position, [](int v) { return v - 1; });
}

Store fromSixteen(int position)
{
    return byteOf(position, [](int v) { return 16 - v; });
}

// A digit where "0" stands for ten.
Store zeroIsTen(int position, std::function<int(int)> fn)
{
    return byteOf(position, [fn = std::move(fn)](int v) { return fn(v == 0 ? 10 : v); });
}

Store key(int position)
{
    return [position](QByteArray &memory, const QByteArray &value) { put(memory, position, dialCode(value[0])); };
}

Store pair(int position)
{
    return [position](QByteArray &memory, const QByteArray &value) { keyPair(memory, position, value); };
}

Store confirmation(bool packed, int position)
{
    return [packed, position](QByteArray &memory, const QByteArray &value) {
        const QByteArray code = value.chopped(1);
        if (packed)
            packedCode(memory, position, code);
        else
            digitString(memory, position, 4, code);
    };
}

Store phone(int position)
{
    return [position](QByteArray &memory, const QByteArray &value) { phoneNumber(memory, position, value); };
}

Store bit(int position, int bitNumber)
{
    return [=](QByteArray &memory, const QByteArray &value) { setBit(memory, position, bitNumber, value == "1"); };
}

// Half minutes less one; "*" is 15 minutes, "#" unlimited.
int callDuration(char key)
{
    if (key == '*')
        return 29;
    if (key == '#')
        return 59;
    const int minutes = key - '0';
    return minutes == 0 ? 0 : 2 * minutes - 1;
}

// Seconds, the first step being half a second.
int pressTime(int seconds)
{
    return seconds == 0 ? 0 : 2 * seconds - 1;
}

// An on-time in seconds or minutes; a filter time in steps of two seconds.
Store timed(int position, int divisor)
{
    return [=](QByteArray &memory, const QByteArray &value) {
        put(memory, position, number(value.mid(1)) / divisor + (value[0] == '1' ? 128 : 0));
    };
}

const std::vector<Code> &codes()
{
    static const std::vector<Code> table = [] {
        std::vector<Code> t;
        auto add = [&t](const char *code, int known, int stored, Form form, Store store) {
            t.push_back({code, known, stored, form, std::move(store)});
        };
        auto both = [&add](const char *code, Form form, Store store) { add(code, All, All, form, std::move(store)); };

        // Telephone numbers: emergency 1-6, service, technical, counter or failure.
        const std::pair<const char *, int> numbers[] = {{"11", 81},  {"12", 97},  {"13", 113},
                                                        {"14", 129}, {"15", 145}, {"16", 161},
                                                        {"21", 177}, {"22", 193}, {"23", 209}};
        for (const auto &[code, position] : numbers)
            both(code, Form::Phone, phone(position));

        // Basic parameters.
        add("41", All, C | C2, Form::Flag, plain(1));
        both("42", Form::DialKey, key(2));
        both("43", Form::KeyPair, pair(3));
        both("44", Form::FourDigits, [](QByteArray &m, const QByteArray &v) { digitString(m, 4, 4, v); });
        both("4*", Form::TwoDigits, plain(8));
        both("45", Form::Flag, plain(9));
        both("46", Form::Digit, plain(10));
        const std::tuple<const char *, int, int> confirmations[] = {
            {"47", 17, 17}, {"48", 21, 19}, {"49", 25, 21}, {"40", 29, 23}};
        for (const auto &[code, digitsAt, packedAt] : confirmations) {
            add(code, C, C, Form::Confirmation, confirmation(false, digitsAt));
            add(code, C2 | C3, C2 | C3, Form::Confirmation, confirmation(true, packedAt));
        }
        both("07", Form::Confirmation, confirmation(true, 74));
        both("4#", Form::DialKey, key(77));

        // Time parameters.
        both("51", Form::DialKey,
             [](QByteArray &m, const QByteArray &v) { put(m, 36, callDuration(v[0])); });
        both("52", Form::TwoDigits, byteOf(49, pressTime));
        both("53", Form::TwoDigits, byteOf(50, pressTime));
        both("54", Form::Digit, plain(37));
        both("55", Form::Digit, plain(38));
        both("56", Form::Digit, zeroIsTen(51, [](int v) { return 25 * v; }));
        both("57", Form::TwoDigits, plain(52));
        both("58", Form::TwoDigits, plain(54));
        both("59", Form::TwoDigits, plain(53));
        both("500", Form::Digit, zeroIsTen(39, [](int v) { return 2 * (v - 1) + 13; }));
        both("501", Form::Digit, zeroIsTen(40, [](int v) { return v; }));
        both("502", Form::Digit, byteOf(41, [](int v) { return 25 * v; }));
        both("503", Form::TwoDigits, plain(42));
        both("504", Form::TwoDigits, plain(43));
        add("505", All, C | C2, Form::Digit, plain(44));
        both("506", Form::Digit, zeroIsTen(45, [](int v) { return v; }));
        add("507", All, C | C2, Form::TwoDigits, fromSixteen(46));
        add("508", All, C | C2, Form::Digit, plain(47));
        add("509", All, C | C2, Form::Digit, plain(48));
        both("02", Form::TwoDigits, plain(252));

        // System parameters.
        both("61", Form::Flag, plain(33));
        both("62", Form::Digit, plain(34));
        both("63", Form::Flag, plain(35));
        both("64", Form::Audio, [](QByteArray &m, const QByteArray &v) {
            setBit(m, 254, 0, v[0] == '1');
            setBit(m, 254, 1, v.size() == 2);
        });
        both("65", Form::Flag, plain(255));
        both("6*", Form::Flag, plain(11));
        add("05", All, C | C2, Form::Flag, bit(253, 7));
        add("06", All, C | C2, Form::Flag, bit(253, 6));

        // Lift parameters.
        both("31", Form::Digit, plain(67));
        both("32", Form::Digit, plain(68));
        both("33", Form::Digit, plain(66));
        // The third blocking value is the engineer's presence, kept as 4.
        both("34", Form::Digit, byteOf(65, [](int v) { return v == 2 ? 4 : v; }));
        both("35", Form::Digit, plain(69));
        both("36", Form::Digit, plain(70));
        add("37", C | C3, C | C3, Form::Digit, plain(71));
        add("37", C2, C2, Form::Digit, [](QByteArray &m, const QByteArray &v) {
            put(m, 71, (quint8(m[70]) & 0xf0) | number(v));
        });
        both("38", Form::TwoDigits, plain(72));
        both("39", Form::Digit, plain(73));
        add("30", C | C2, C2, Form::Flag, plain(26));
        add("30", C3, C3, Form::Flag, plain(56));

        // Handsfree parameters.
        both("71", Form::TwoDigits, minusOne(241));
        both("72", Form::TwoDigits, minusOne(242));
        both("73", Form::TwoDigits, minusOne(243));
        both("70", Form::TwoDigits, fromSixteen(250));
        both("74", Form::Flag, plain(244));
        both("75", Form::Flag, plain(245));
        both("76", Form::Digit, minusOne(246));
        both("77", Form::Digit, minusOne(247));
        both("78", Form::Digit, plain(248));
        both("79", Form::Digit, byteOf(249, [](int v) { return v == 0 ? 3 : v == 1 ? 0 : 2; }));
        both("7*", Form::Flag, plain(251));

        // Option parameters, TKV-C.
        add("01", C, C, Form::Digit, plain(55));
        add("08", All, C | C2, Form::KeyPair, pair(63));
        const std::pair<const char *, int> outputCodes[] = {
            {"034", 56}, {"044", 64}, {"033", 61}, {"043", 76}, {"098", 62}};
        for (const auto &[code, position] : outputCodes)
            add(code, C, C, Form::KeyPair, pair(position));
        add("031", All, C | C2, Form::KeyPair, pair(57));
        add("032", All, C | C2, Form::KeyPair, pair(58));
        both("041", Form::KeyPair, pair(59));
        both("042", Form::KeyPair, pair(60));

        // Option parameters, TKV-C2 (a TKV-C3 takes them too).
        const char *messages[] = {"011", "012", "013", "014", "015", "016", "017"};
        for (int message = 1; message <= 7; ++message)
            add(messages[message - 1], C2 | C3, C2, Form::Flag,
                [message](QByteArray &m, const QByteArray &v) { setBit(m, 55, message, v == "0"); });
        add("091", C2 | C3, C2 | C3, Form::Timed, timed(61, 1));
        add("092", C2 | C3, C2 | C3, Form::Timed, timed(62, 1));
        add("093", C2 | C3, C2 | C3, Form::Timed, timed(64, 2));
        add("094", C2 | C3, C2, Form::Timed, timed(76, 2));
        add("0961", C2 | C3, C2, Form::Digit, [](QByteArray &m, const QByteArray &v) {
            put(m, 71, (quint8(m[70]) & 0xcf) | ((number(v) & 3) << 4));
        });
        add("0962", C2 | C3, C2, Form::Digit, [](QByteArray &m, const QByteArray &v) {
            put(m, 71, (quint8(m[70]) & 0x3f) | ((number(v) & 3) << 6));
        });
        add("095", C2 | C3, C2, Form::TwoDigits, plain(56));
        add("097", C2 | C3, C2 | C3, Form::TwoDigits, plain(25));
        return t;
    }();
    return table;
}

}  // namespace

bool applyProgrammingCode(SimKind model, const QByteArray &command, QByteArray &memory)
{
    const int bitOfModel = modelBit(model);
    const Code *found = nullptr;
    for (const Code &code : codes()) {
        const qsizetype length = qstrlen(code.code);
        if ((code.known & bitOfModel) && command.startsWith(code.code)
            && (!found || length > qsizetype(qstrlen(found->code))))
            found = &code;
    }
    if (!found)
        return false;
    const QByteArray value = command.mid(qstrlen(found->code));
    if (!valid(found->form, value))
        return false;
    if (found->stored & bitOfModel)
        found->store(memory, value);
    return true;
}
