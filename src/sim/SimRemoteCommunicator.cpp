#include "sim/SimRemoteCommunicator.h"

void SimRemoteCommunicator::pickUp()
{
    state_ = State::Listening;
    heard_.clear();
}

void SimRemoteCommunicator::hangUp()
{
    state_ = State::OnHook;
    heard_.clear();
}

QByteArray SimRemoteCommunicator::selectionAnswer()
{
    const bool mine = heard_.chopped(1) == parallelNumber;
    heard_.clear();
    if (!mine)
        return {};
    if (state_ == State::Listening)
        state_ = State::Selected;
    return QByteArrayLiteral("A");
}

QByteArray SimRemoteCommunicator::hear(char digit)
{
    if (state_ == State::OnHook)
        return {};
    heard_.append(digit);
    switch (state_) {
    case State::OnHook:
        return {};
    case State::Listening:
        return digit == 'B' ? selectionAnswer() : QByteArray();
    case State::Selected:
        // Asked again for its "A" (the first one was lost), or the password.
        if (digit == 'B' && !heard_.startsWith('#'))
            return selectionAnswer();
        if (digit == '#')
            heard_ = "#";
        if (heard_.startsWith('#') && heard_.size() == 1 + password.size()) {
            if (heard_.mid(1) == password)
                state_ = State::Programming;
            heard_.clear();
        }
        return {};
    case State::Programming:
        // The programming conversation: only the keep-alive probe is answered; the
        // block transfers of remote reading and writing are not simulated here.
        if (heard_.endsWith("8A")) {
            heard_.clear();
            return QByteArrayLiteral("B");
        }
        if (heard_.size() > 16)
            heard_ = heard_.right(1);
        return {};
    }
    return {};
}
