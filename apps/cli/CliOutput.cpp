#include "CliOutput.h"

#include <cstdio>

void printError(const QString &text)
{
    std::fprintf(stderr, "ostrakel-cli: %s\n", qPrintable(text));
}

QString jsonString(const QString &text)
{
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        if (c == QLatin1Char('"') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\') + c;
        else if (c.unicode() < 0x20)
            out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out + QLatin1Char('"');
}
