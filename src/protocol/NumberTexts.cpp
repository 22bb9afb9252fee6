#include "protocol/NumberTexts.h"

#include <algorithm>
#include <cmath>

namespace {

// Every encoder clamps to what the bytes hold.
int clamped(long long value, int maximum)
{
    return int(std::clamp<long long>(value, 0, maximum));
}

} // namespace

quint8 encodeWholeNumber(const QString &text)
{
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    return quint8(ok ? clamped(value, 255) : 0);
}

QString decodeUpTo99(int byte)
{
    return QString::number(std::min(byte, 99));
}

quint8 encodeVoltage(const QString &text)
{
    QString number = text.trimmed();
    const auto separator = std::find_if(number.begin(), number.end(),
                                        [](QChar c) { return c == u'.' || c == u','; });
    if (separator != number.end())
        *separator = u'.';
    bool ok = false;
    const double volts = number.toDouble(&ok);
    if (!ok || !std::isfinite(volts))
        return 0;
    // A tenth written in the text is a tenth stored, whatever the binary rounding.
    return quint8(clamped((long long)std::trunc(std::clamp(volts, -1.0, 1000.0) * 10 + 1e-6), 255));
}

QString decodeVoltage(int byte, QChar separator)
{
    const QString digits = QString::number(byte);
    if (digits.size() == 1)
        return QStringLiteral(" 0") + separator + digits;
    return digits.left(digits.size() - 1) + separator + digits.right(1);
}

quint8 encodeFirmwareVersion(const QString &version)
{
    if (version.isEmpty())
        return 0;
    bool ok = false;
    const int number = (QString(version.front()) + version.back()).toInt(&ok);
    return quint8(ok ? clamped(number, 255) : 0);
}

QString firmwareVersionText(int number)
{
    const QString digits = QString::number(number);
    return digits.left(1) + QLatin1Char('.') + digits.mid(1);
}

quint16 encodeSerialNumber(const QString &serial)
{
    bool ok = false;
    const long long number = serial.trimmed().toLongLong(&ok);
    return quint16(ok ? clamped(number, 0xffff) : 0);
}

QString serialNumberText(int number)
{
    return QStringLiteral("%1").arg(number, 5, 10, QLatin1Char('0'));
}
