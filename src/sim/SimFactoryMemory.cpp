#include "sim/SimFactoryMemory.h"

namespace {

// Bytes 1 to 80 of a communicator's memory: settings, status bytes 12 to 15
// (service-call timer, reset count, both zero) and the marker "U" at byte 16.
const char *const tkvCHead =
    "000b44060108031900030000000000550606ffff0607ffff0608ffff0609ffff01010007010111074b0a0a0104"
    "06000203057d19030700451525162635cca74600000004020101010056ff360b000000";
const char *const tkvC2Head =
    "000b440601080323000300000000005566ff76ff86ff96ff1e01ffffffffffff01010007010111054b0a0a0104"
    "06000205057d1903050001152516260000a70a00000004020101010056ff0a0b000000";
const char *const tkvC3Head =
    "000b440601080323000300000000005566ff76ff86ff96ff1e001516010a000101010007010111054b0a0a0104"
    "78644605057d190305000146ff16260000a70a00000004010101010056ff170b000000";
// Bytes 241 to 256: volumes, levels and the last settings bytes.
const char *const tkvCTail = "0b04040001000101030c010000000000";
const char *const tkvC2Tail = "0b040600010001010304010000000000";
const char *const tkvC3Tail = "0b060600010001010304010000000000";

QByteArray communicatorMemory(const char *head, const char *tail)
{
    QByteArray memory = QByteArray::fromHex(head);
    // Nine telephone numbers, all empty (byte 1 0x7F: no character, not confirming).
    for (int number = 0; number < 9; ++number)
        memory += char(0x7F) + QByteArray(15, char(0xFF));
    memory += QByteArray(16, char(0xFF));  // no last call numbers yet
    memory += QByteArray::fromHex(tail);
    return memory;
}

} // namespace

QByteArray factoryMemory(SimKind kind)
{
    switch (kind) {
    case SimKind::TkvC: return communicatorMemory(tkvCHead, tkvCTail);
    case SimKind::TkvC2: return communicatorMemory(tkvC2Head, tkvC2Tail);
    case SimKind::TkvC3: return communicatorMemory(tkvC3Head, tkvC3Tail);
    case SimKind::Option: return QByteArray::fromHex("0000000a0a0a0a040400ffffffffff55010a0a0a0a0a00");
    case SimKind::Switch: return QByteArray::fromHex("02230b07040400ff");
    case SimKind::Talker:
    case SimKind::TalkerOld: return {};
    }
    return {};
}
