#pragma once

#include "LanguageDefaults.h"

// The text catalogue in consecutive slices, each in its own file; languageDefaults()
// joins them in this order.

// [Info], [Menu], [Tree], [Main]
std::span<const LanguageDefault> shellLanguageDefaults();
// [Page1] to [Page15]
std::span<const LanguageDefault> pageLanguageDefaults();
// [Firmware], [Hint], [Message], [Help]
std::span<const LanguageDefault> messageLanguageDefaults();
// [Audio], [Remote], [Compare], [Talker]
std::span<const LanguageDefault> windowLanguageDefaults();
// [Power], [I/O], [Device], [Voice], [Communication], [Extensions]
std::span<const LanguageDefault> deviceLanguageDefaults();
