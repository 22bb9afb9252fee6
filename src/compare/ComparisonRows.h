#pragma once

#include <QString>

class LanguageTable;

// One differing byte as the list and the log show it: the 50-character label, "  < ",
// the previous value right-aligned in 5 characters, " /  > ", the new value
// right-aligned in 4.
QString comparisonRow(const QString &label, int previousValue, int newValue);

// The list's header in the current language: [Compare] 7 in 50 characters, [Compare] 8
// right-aligned in 5 (cut to its last 5), [Compare] 9 right-aligned in 5.
QString comparisonHeader(const LanguageTable &texts);

// The log's header, always in the fixed English words.
QString comparisonLogHeader();
