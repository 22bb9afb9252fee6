#include "protocol/ImageDecodeResult.h"

#include "app/LanguageTable.h"

namespace {

QString twoLines(const LanguageTable &texts, int firstKey, int secondKey)
{
    const QString section = QStringLiteral("Message");
    return texts.text(section, firstKey) + QLatin1Char('\n') + QStringLiteral("      - ")
           + texts.text(section, secondKey) + QStringLiteral(" -");
}

} // namespace

QString ImageDecodeResult::message(const LanguageTable &texts) const
{
    switch (failure) {
    case ImageFailure::None: return {};
    case ImageFailure::Length: return twoLines(texts, 49, 50);
    case ImageFailure::Memory: return twoLines(texts, 51, 52);
    case ImageFailure::OptionMemory: return QStringLiteral("Internal memory error!");
    }
    return {};
}
