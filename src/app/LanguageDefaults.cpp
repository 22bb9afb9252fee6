#include "LanguageDefaultsParts.h"

#include <vector>

std::span<const LanguageDefault> languageDefaults()
{
    static const std::vector<LanguageDefault> all = [] {
        std::vector<LanguageDefault> joined;
        for (const auto part : {shellLanguageDefaults(), pageLanguageDefaults(),
                                messageLanguageDefaults(), windowLanguageDefaults(),
                                deviceLanguageDefaults()})
            joined.insert(joined.end(), part.begin(), part.end());
        return joined;
    }();
    return all;
}
