#include "protocol/WholeReply.h"

#include "link/LinkPort.h"

namespace {
// A reply comes as one burst; at 9600 baud a byte takes about a millisecond, so
// 30 ms without a new byte means the device has finished.
constexpr Nanos quietAfterReply = Millis(30);
constexpr int longestReply = 34;
} // namespace

QByteArray takeWholeReply(LinkPort &link, Clock &clock, quint8 request, Nanos limit)
{
    if (!link.isOpen() && !link.open())
        return {};
    link.readAll();  // stale bytes; on a released USB-LNK cable this reopens it
    if (!link.writeByte(request))
        return {};
    const Nanos start = clock.now();
    Nanos lastChange = start;
    int waiting = 0;
    while (clock.now() - start < limit) {
        clock.wait(Millis(2));
        if (!link.isOpen())
            return {};
        const int now = link.bytesWaiting();
        if (now != waiting) {
            waiting = now;
            lastChange = clock.now();
        }
        if (waiting >= longestReply || (waiting > 0 && clock.now() - lastChange >= quietAfterReply))
            break;
    }
    return link.readAll();
}
