#pragma once

#include <QByteArray>

// The far end of the BlackBox's telephone line: a communicator that takes the call,
// answers "A" to its parallel number + "B", takes "#" + its 4-digit password into
// programming mode and then answers "B" to every "8A".
class SimRemoteCommunicator {
public:
    enum class State { OnHook, Listening, Selected, Programming };

    QByteArray parallelNumber;  // empty: the only communicator on its line
    QByteArray password = QByteArrayLiteral("1234");

    State state() const { return state_; }
    void pickUp();
    void hangUp();
    // One DTMF digit heard on the line; returns the digits sent back.
    QByteArray hear(char digit);

private:
    QByteArray selectionAnswer();

    State state_ = State::OnHook;
    QByteArray heard_;
};
