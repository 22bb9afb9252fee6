#pragma once

#include <QString>

class LanguageTable;

// Why a parameter image could not be decoded.
enum class ImageFailure {
    None,
    Length,        // not the image's length
    Memory,        // AlarmImage byte 16 is not the marker
    OptionMemory,  // OptionBlock byte 16 is not the marker
};

// The outcome of decoding a parameter image. The caller shows the message.
struct ImageDecodeResult {
    ImageFailure failure = ImageFailure::None;

    bool ok() const { return failure == ImageFailure::None; }
    // The message for the user: [Message] 49 / 50 (length) or 51 / 52 (memory) on
    // two lines, or the fixed "Internal memory error!"; empty on success.
    QString message(const LanguageTable &texts) const;
};
