#pragma once

#include "app/Clock.h"
#include "sim/SimFaultPlan.h"
#include "sim/SimRemoteCommunicator.h"

#include <QByteArray>
#include <QByteArrayList>
#include <deque>
#include <map>

// Misbehaviour on demand, for fault-injection tests. Counts apply to the next
// events of their kind; -1 means every one from now on.
struct SimBlackBoxFaults {
    int noisyDigits = 0;   // digits the box sends on the line arrive as another digit
    int lostAnswers = 0;   // digits the communicator sends back are lost on the line
    int noisyAnswers = 0;  // digits the communicator sends back arrive as another digit
    int errReplies = 0;    // commands answered "ERR" instead of being carried out
    int unanswered = 0;    // commands neither carried out nor answered
    bool silent = false;   // the box answers nothing at all
    bool slowReplies = false;  // each reply byte takes 50 ms, so a line arrives in pieces
    // Random faults, for the soak. Command lines from the PC: lost (neither carried
    // out nor answered, also in a silence) or garbled (answered "ERR", not carried
    // out). The box's reply bytes: lost, changed or late. The bursts the box sends on
    // the line: lost (also when garbled) or late, always whole: a burst with one digit
    // changed or missing is another programming code, which the communicator takes
    // and acknowledges, and no reply could tell. The digits the communicator sends
    // back: lost, changed into another DTMF digit, or late with all after them.
    SimFaultPlan commandLines;
    SimFaultPlan replyBytes;
    SimFaultPlan bursts;
    SimFaultPlan answerDigits;
};

// The BlackBox: a USB box on an analogue telephone line, driven by "AT" command
// lines and answering with short ASCII lines. It dials, sends DTMF digits
// ("ATDE"), listens for the digits coming back from "AT@RECE" on and returns them
// on "AT@RECN" (it stops listening while it sends digits itself), and hangs up
// ("ATH"). When a long digit answer (a memory block) has ended while it listens it
// tells the PC "FULL"; asked to fetch while an answer of several digits is still on
// its way it answers "NA" and stops listening to that answer. Its replies reach the
// PC in time at 9600 baud; a DTMF digit takes about 100 ms on the line.
class SimBlackBox {
public:
    static constexpr Nanos byteTime{1'041'667};  // 10 bits at 9600 baud
    static constexpr Nanos slowByteTime = std::chrono::milliseconds(50);
    static constexpr Nanos commandDelay = std::chrono::milliseconds(5);
    static constexpr Nanos resetTime = std::chrono::milliseconds(200);
    static constexpr Nanos digitTime = std::chrono::milliseconds(100);
    static constexpr Nanos pickUpDelay = std::chrono::milliseconds(1000);
    static constexpr Nanos answerDelay = std::chrono::milliseconds(150);
    // Answers at least this long are memory blocks, ended by "FULL".
    static constexpr qsizetype blockAnswerDigits = 16;

    SimBlackBox(Clock &clock, SimRemoteCommunicator &communicator);

    // A byte from the PC.
    void receive(quint8 byte);
    // Up to capacity bytes that have reached the PC by now.
    QByteArray takeArrived(int capacity);
    // Bytes the box sends unasked (line noise, a flood), arriving from now on.
    void inject(const QByteArray &bytes);
    // The far end hangs up; the line stays dead until the box hangs up too.
    void remoteHangUp();

    bool isOffHook() const { return offHook_; }
    SimBlackBoxFaults faults;
    QByteArrayList commands;  // every command line the PC sent, without CR LF
    qint64 lineDigits = 0;    // DTMF digits on the connected line, both ways

private:
    enum class Call { None, Ringing, Connected, Dead };
    enum class LineEvent { ToCommunicator, ToBox, AnswerEnd, PickUp };
    struct Event {
        LineEvent kind;
        QByteArray digits;  // to the communicator: the burst; to the box: one digit
        bool partOfLongAnswer = false;
    };

    void runLine();
    void execute(const QByteArray &line);
    void reply(const QByteArray &text, Nanos from);
    void queue(const QByteArray &bytes, bool withFaults);
    void sendDigits(const QByteArray &digits);
    void resetLine();
    void fetchCollected(Nanos now);
    void answer(Nanos heardAt, const SimAnswer &answer);

    Clock &clock_;
    SimRemoteCommunicator &communicator_;
    QByteArray line_;
    std::deque<std::pair<Nanos, char>> toPc_;
    Nanos pcLineFree_{0};
    std::multimap<Nanos, Event> lineEvents_;
    Nanos dtmfFree_{0};
    Nanos lastBurstHeard_{0};
    bool offHook_ = false;
    Call call_ = Call::None;
    bool listening_ = false;
    QByteArray collected_;
};
