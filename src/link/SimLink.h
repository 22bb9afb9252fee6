#pragma once

#include "app/Clock.h"
#include "link/LinkPort.h"
#include "sim/SimDevice.h"

#include <deque>

// The built-in simulator cable: a simulated device behind a 9600-baud wire, in
// whatever time the clock keeps (virtual in tests, real in the demo cable).
// It imitates the USB-LNK cable (polled, released after identification) or a
// COM-port cable (arrivals announced by an event).
class SimLink : public LinkPort {
public:
    static constexpr Nanos byteTime{1'041'667};  // 10 bits at 9600 baud
    static constexpr Nanos deviceDelay{300'000}; // the device's time to react to a byte
    static constexpr Nanos reannounceInterval{200'000'000};

    SimLink(Clock &clock, SimDevice &device, bool polled);

    LinkKind kind() const override { return LinkKind::Simulator; }
    bool isPolled() const override { return polled_; }
    void setArrivalHandler(std::function<void(int count)> handler) override;

    bool open() override;
    bool isOpen() const override { return open_; }
    int bytesWaiting() override;
    QByteArray readAll() override;
    std::optional<quint8> readByte() override;
    bool writeByte(quint8 byte) override;
    bool writeText(const QByteArray &text) override;
    int bytesPending() override { return 0; }
    void close() override;

    // Replies reach the PC in pieces of this many bytes (0: each byte as it completes
    // on the wire, as a UART delivers; a large number: each reply all at once).
    void setPieceSize(int bytes) { pieceSize_ = bytes; }
    // The cable is pulled (true) or plugged back (false).
    void setUnplugged(bool unplugged);
    // Total bytes moved on the wire in both directions, for the benchmark.
    qint64 wireBytes() const { return wireBytes_; }

private:
    struct Arrival {
        Nanos visibleAt;
        char byte;
    };
    void collectArrivals();
    void announceArrivals();
    // Lets the device say what it sends unprompted by the given time.
    void hearDevice(Nanos until);
    // Puts a reply on the device's line, leaving no sooner than readyAt.
    void transmit(Nanos readyAt, const QByteArray &reply);

    Clock &clock_;
    SimDevice &device_;
    bool polled_;
    bool open_ = false;
    bool unplugged_ = false;
    int pieceSize_ = 0;
    Nanos pcLineFree_{0};
    Nanos deviceLineFree_{0};
    Nanos lastAtDevice_{0};  // when the last byte from the PC reached the device
    Nanos lastAnnouncement_{0};
    std::deque<Arrival> inFlight_;
    QByteArray received_;
    qint64 wireBytes_ = 0;
    std::function<void(int)> arrivalHandler_;
    std::unique_ptr<TickTimer> arrivalTimer_;
};
