#pragma once

#include "link/SimLink.h"
#include "sim/SimDevice.h"
#include "sim/VirtualClock.h"

// A simulated device on the polled cable, in virtual time.
struct Wire {
    explicit Wire(SimKind kind) : device(kind), link(clock, device, true) { link.open(); }

    // Sends the bytes and returns everything that came back within a second.
    QByteArray send(const QByteArray &bytes)
    {
        link.writeText(bytes);
        clock.advanceBy(std::chrono::seconds(1));
        return link.readAll();
    }

    VirtualClock clock;
    SimDevice device;
    SimLink link;
};
