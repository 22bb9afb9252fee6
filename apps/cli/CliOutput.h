#pragma once

#include <QString>

// "ostrakel-cli: " and the text on standard error.
void printError(const QString &text);
// The text as a JSON string literal.
QString jsonString(const QString &text);
