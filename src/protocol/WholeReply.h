#pragma once

#include "app/Clock.h"

#include <QByteArray>

class LinkPort;

// Sends a one-byte request and takes whatever the device answers until the line has
// been quiet for a while, whatever its length. Used to find out what is on the cable
// before the model is known; the command exchange proper matches exact lengths.
QByteArray takeWholeReply(LinkPort &link, Clock &clock, quint8 request, Nanos limit);
