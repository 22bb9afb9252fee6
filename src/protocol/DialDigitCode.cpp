#include "protocol/DialDigitCode.h"

namespace DialDigitCode {

int encode(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= u'1' && u <= u'9')
        return u - u'0';
    switch (u) {
    case u'0': return 10;
    case u'*': return 11;
    case u'#': return 12;
    case u'P': return 13;
    case u'R':
    case u'F': return 14;
    case u'D': return 0;
    default: return noCharacterNibble;
    }
}

QString decode(int value)
{
    if (value >= 1 && value <= 9)
        return QString(QChar(u'0' + value));
    switch (value) {
    case 0: return QStringLiteral("D");
    case 10: return QStringLiteral("0");
    case 11: return QStringLiteral("*");
    case 12: return QStringLiteral("#");
    case 13: return QStringLiteral("P");
    case 14: return QStringLiteral("R");
    case 16: return QStringLiteral("-");
    default: return {};
    }
}

} // namespace DialDigitCode
