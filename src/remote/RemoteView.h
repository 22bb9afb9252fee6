#pragma once

#include <QByteArray>
#include <QString>

// Colours of the connect dialog's status label, each telling how the last reply went.
enum class DialStatus {
    Normal,     // window colour: the reply was right
    TimedOut,   // lime: no reply, the step was sent again
    Refused,    // red: "ERR", the step was sent again
    NoReset,    // olive: the box answered the reset with something else
    Redialled,  // purple: the communicator's answer was missing, back to step 5 or 9
    Connected,  // fuchsia: programming mode reached
};

// What the remote link does to the windows around it. Every hook has an empty
// default, so the command-line tool and tests override only what they show.
class RemoteView {
public:
    virtual ~RemoteView() = default;
    // Step label and progress (step + 2) of the connect dialog.
    virtual void showDialStep(int step) { (void)step; }
    virtual void setDialStatus(DialStatus status) { (void)status; }
    virtual void setDialStatusText(const QString &text) { (void)text; }
    // A complete reply and the command it answered, for the dialog's trace.
    virtual void traceReply(const QByteArray &reply, const QByteArray &command)
    {
        (void)reply;
        (void)command;
    }
    // The caption of the main window's BlackBox menu item (the box's serial number).
    virtual void setBlackBoxCaption(const QString &serial) { (void)serial; }
    // A box was selected: show the caption, the dial panel and the prompt.
    virtual void blackBoxSelected(const QString &serial) { (void)serial; }
    // The connect attempt was given up (either Cancel or the step-5 abort): the
    // BlackBox and connection menu items are hidden, the connect dialog closes.
    virtual void connectAbandoned() {}
    // Programming mode reached: the connect dialog closes, the Remote menu offers
    // Read, Write and Disconnect, the status bar shows "Remote", the local cable's
    // timers stop and its group is hidden.
    virtual void remoteConnected() {}
    // The connection ended: the Remote menu offers Connect again, the read and write
    // dialogs' timers stop, the local cable's group and timers come back.
    virtual void remoteDisconnected() {}
};
