#pragma once

#include <QByteArray>
#include <QByteArrayList>

// Misbehaviour on demand. ignoredConnects counts the next "w"s (-1: every one, the
// loader never connects). The others name a byte of a packet (1 to 10) and strike
// once, at the next packet that reaches that byte; the loader then waits for the
// packet again from its first byte, as the program sends it after such an answer.
struct SimLegacyLoaderFaults {
    int ignoredConnects = 0;  // "w" left unanswered
    int resendAtByte = 0;     // "P" (send the packet again) instead of the usual answer
    int earlyAckAtByte = 0;   // "K" in the middle of the packet
    int silentAtByte = 0;     // no answer at all
    int errorAtByte = 0;      // "E"
    bool mute = false;        // no answer to any packet byte
    // "Z" instead of the usual answer, the packet kept: an answer changed on the line.
    int endAtByte = 0;
};

// The firmware loader of a TKV-C or TKV-C2. Once entered it answers "Y" to every "w"
// until the first packet byte comes. Then it takes 10-byte packets: word address
// low and high, four program words. Bytes 1 to 9 are answered "O"; byte 10 with
// "K" once the eight data bytes are in the flash at twice the word address, or
// with "Z" for the end packet (0x55 and nine 0xFF), after which the loader is done.
// A packet that does not fit in the flash is answered "E".
class SimLegacyLoader {
public:
    static constexpr int packetSize = 10;
    static constexpr int flashSize = 0x10000;

    SimLegacyLoader();

    // Takes one byte from the PC and returns what the loader sends back.
    QByteArray receive(quint8 byte);

    // Entered again: waits for "w" once more; the flash and the packets taken stay.
    void start();
    bool isConnected() const { return phase_ != Phase::WaitingForConnect; }
    bool isFinished() const { return phase_ == Phase::Finished; }

    static bool isEndPacket(const QByteArray &packet);

    SimLegacyLoaderFaults faults;
    QByteArray flash;        // 64 KiB, 0xFF where nothing was stored
    QByteArrayList packets;  // every packet answered "K" or "Z", in order

private:
    enum class Phase { WaitingForConnect, Connected, Packets, Finished };
    QByteArray takePacketByte(quint8 byte);
    bool strikes(int &atByte, int position);

    Phase phase_ = Phase::WaitingForConnect;
    QByteArray packet_;
    QByteArray awaited_;  // the address of a packet it refused: that packet comes next
};
