#include "sim/SimLegacyLoader.h"

#include "sim/SimFault.h"

#include <utility>

SimLegacyLoader::SimLegacyLoader() : flash(flashSize, char(0xFF)) {}

void SimLegacyLoader::start()
{
    phase_ = Phase::WaitingForConnect;
    packet_.clear();
}

bool SimLegacyLoader::isEndPacket(const QByteArray &packet)
{
    return packet.size() == packetSize && quint8(packet[0]) == 0x55
           && packet.mid(1) == QByteArray(packetSize - 1, char(0xFF));
}

bool SimLegacyLoader::strikes(int &atByte, int position)
{
    if (atByte != position)
        return false;
    atByte = 0;
    return true;
}

QByteArray SimLegacyLoader::receive(quint8 byte)
{
    switch (phase_) {
    case Phase::Finished:
        return {};
    case Phase::WaitingForConnect:
    case Phase::Connected:
        if (byte == 'w') {
            if (takeFault(faults.ignoredConnects))
                return {};
            phase_ = Phase::Connected;
            return "Y";
        }
        // Before the first "Y" nothing but "w" means anything.
        if (phase_ == Phase::WaitingForConnect)
            return {};
        phase_ = Phase::Packets;
        return takePacketByte(byte);
    case Phase::Packets:
        return takePacketByte(byte);
    }
    return {};
}

QByteArray SimLegacyLoader::takePacketByte(quint8 byte)
{
    packet_.append(char(byte));
    const int position = int(packet_.size());
    // Each fault throws the packet away; the program must send it again from byte 1.
    const auto restart = [this](const char *answer) {
        if (packet_.size() >= 2)
            awaited_ = packet_.left(2);
        packet_.clear();
        return QByteArray(answer);
    };
    if (faults.mute)
        return restart("");
    if (strikes(faults.resendAtByte, position))
        return restart("P");
    if (strikes(faults.earlyAckAtByte, position))
        return restart("K");
    if (strikes(faults.silentAtByte, position))
        return restart("");
    if (strikes(faults.errorAtByte, position))
        return restart("E");
    const bool endAnswer = strikes(faults.endAtByte, position);
    if (position < packetSize)
        return endAnswer ? "Z" : "O";

    const QByteArray packet = std::exchange(packet_, QByteArray());
    // Another packet than the one it asked for again: something was lost.
    const QByteArray awaited = std::exchange(awaited_, QByteArray());
    if (!awaited.isEmpty() && packet.left(2) != awaited)
        return "E";
    if (isEndPacket(packet)) {
        packets.append(packet);
        phase_ = Phase::Finished;
        return "Z";
    }
    const int wordAddress = quint8(packet[0]) | quint8(packet[1]) << 8;
    const int at = 2 * wordAddress;
    if (at + packetSize - 2 > flashSize)
        return "E";
    flash.replace(at, packetSize - 2, packet.mid(2));
    packets.append(packet);
    return endAnswer ? "Z" : "K";
}
