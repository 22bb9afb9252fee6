#pragma once

#include "app/Clock.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// One line of the BlackBox exchange: the command as it goes on the wire and the
// reply that lets the exchange go on.
struct ExchangeStep {
    QByteArray command;
    QByteArray expectedReply;
    // The box's reset banner may carry anything before "RESET".
    bool replyIsSuffix = false;

    bool accepts(const QByteArray &reply) const
    {
        return replyIsSuffix ? reply.endsWith(expectedReply) : reply == expectedReply;
    }
};

// What the technician typed in the connect dialog.
struct DialParameters {
    QString telephoneNumber;  // at most 16 characters
    QString parallelNumber;   // at most one digit, may be empty
    QString password;         // the communicator's 4-digit remote password
    bool gsm = false;         // long waits after dialling
    bool addHash = false;     // "#" after the telephone number
};

// A telephone number as the BlackBox dials it: digits, "*", "#", pause "P", "R" and
// "f"; typed "p" is "P", "h" and "H" are "*", "k" and "K" are "#". Nothing when the
// text holds any other character.
std::optional<QString> dialNumberOf(const QString &typed);

// Step numbers of the dialling table that the exchange treats specially.
namespace DialStep {
constexpr int Dial = 4;
constexpr int SelectCommunicator = 5;  // parallel number + "B", answered "A"
constexpr int FetchA = 7;
constexpr int KeepAliveProbe = 9;      // "8A", answered "B"
constexpr int FetchB = 11;
constexpr int Count = 12;
}  // namespace DialStep

constexpr int KeepAliveStepCount = 3;

// The 12 steps that reset the box, dial, select the communicator by its parallel
// number and enter programming mode with the password. Fields are trimmed.
std::vector<ExchangeStep> buildDialTable(const DialParameters &dial);
// "8A" answered "B": the exchange that keeps an established connection open.
std::vector<ExchangeStep> buildKeepAliveTable();

// The wait before sending the next dialling step after the previous one succeeded
// (or after a jump back from step 7 or 11); the extra wait after dialling (step 4)
// is dialWait().
Millis pauseBeforeDialStep(int nextStep);
Millis dialWait(bool gsm);
