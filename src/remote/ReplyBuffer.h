#pragma once

#include <QByteArray>
#include <optional>

// What the box has sent and the exchange has not yet consumed. A reply is complete
// when the text ends with CR LF; the reply is the text without that final CR LF, so
// two lines read together form one reply with a CR LF inside.
//
// The text is bounded: a box that floods the line without ever completing a line
// yields an overflowing reply, which the exchange judges as a wrong reply.
class ReplyBuffer {
public:
    // Longer than any reply the box gives (32 DTMF digits and "OK" at most).
    static constexpr qsizetype MaxLength = 256;

    struct Reply {
        QByteArray text;
        bool overflow = false;
    };

    void append(const QByteArray &bytes) { text_.append(bytes); }
    void clear() { text_.clear(); }
    const QByteArray &text() const { return text_; }

    // The complete (or overflowing) reply, if there is one; the text stays until the
    // exchange empties it.
    std::optional<Reply> reply() const;

private:
    QByteArray text_;
};
