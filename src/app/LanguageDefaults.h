#pragma once

#include <span>

// One entry of the text catalogue: [section] key and its built-in English text.
struct LanguageDefault {
    const char *section;
    int key;
    const char *text;  // UTF-8
};

// Every catalogue entry, grouped by section in the order language files list them,
// keys ascending within a section. The last section, [Extensions], holds the texts
// this program adds to the catalogue.
std::span<const LanguageDefault> languageDefaults();
