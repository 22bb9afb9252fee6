#include "remote/ReplyBuffer.h"

std::optional<ReplyBuffer::Reply> ReplyBuffer::reply() const
{
    if (text_.endsWith("\r\n"))
        return Reply{text_.chopped(2), false};
    if (text_.size() > MaxLength)
        return Reply{text_, true};
    return std::nullopt;
}
