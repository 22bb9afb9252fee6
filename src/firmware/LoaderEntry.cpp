#include "firmware/LoaderEntry.h"

#include "app/Clock.h"
#include "link/LinkPort.h"

bool enterFirmwareLoader(LinkPort &link, Clock &clock, CommunicatorModel model, bool acceptsF)
{
    if (model != CommunicatorModel::TkvC3 && acceptsF) {
        link.writeText(QByteArrayLiteral("F"));
        clock.wait(Millis(10));
    }
    const bool written = link.writeText(QByteArrayLiteral("x"));
    if (link.kind() == LinkKind::UsbCable)
        clock.wait(Millis(10));
    return written;
}
