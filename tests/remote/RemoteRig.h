#pragma once

// A BlackBox with a communicator behind its telephone line on a simulated USB bus,
// the remote link talking to it, and virtual time.

#include "app/LanguageTable.h"
#include "remote/RemoteLink.h"
#include "remote/RemoteView.h"
#include "sim/SimBlackBox.h"
#include "sim/SimFtdiApi.h"
#include "sim/SimRemoteCommunicator.h"
#include "sim/VirtualClock.h"
#include "support/RecordingMessagePresenter.h"

#include <QList>

struct RecordingRemoteView : RemoteView {
    void showDialStep(int step) override { lastStep = step; }
    void setDialStatus(DialStatus status) override { statuses.append(status); }
    void setDialStatusText(const QString &text) override { statusText = text; }
    void traceReply(const QByteArray &reply, const QByteArray &) override { replies.append(reply); }
    void setBlackBoxCaption(const QString &serial) override { caption = serial; }
    void blackBoxSelected(const QString &serial) override { caption = serial; }
    void connectAbandoned() override { ++abandoned; }
    void remoteConnected() override { ++connected; }
    void remoteDisconnected() override { ++disconnected; }

    int lastStep = -1;
    QList<DialStatus> statuses;
    QString statusText;
    QList<QByteArray> replies;
    QString caption;
    int abandoned = 0;
    int connected = 0;
    int disconnected = 0;
};

struct RemoteRig {
    static constexpr Nanos minute = std::chrono::minutes(1);

    explicit RemoteRig(CommLog *log = nullptr, SimKind model = SimKind::TkvC)
        : communicator(model), box(clock, communicator), link(bus, clock, messages, texts, log, &view)
    {
        bus.devices = {{"ZEDA-USB", "USB-LNK", nullptr}, {"QUE00042", "QUENTAmodul", &box}};
        communicator.parallelNumber = "3";
        communicator.password = "1234";
        dial.telephoneNumber = QStringLiteral(" 0123456 ");
        dial.parallelNumber = QStringLiteral("3");
        dial.password = QStringLiteral("1234");
    }

    // Connect menu, Select and the Connect button.
    void startDialling()
    {
        link.beginConnect();
        link.selectBlackBox(0);
        link.startDialling(dial);
    }
    bool runUntil(const std::function<bool()> &done, Nanos limit = minute) { return clock.runUntil(done, limit); }
    bool connect()
    {
        startDialling();
        return runUntil([this] { return link.isRemoteMode() || !link.isDialling(); }, std::chrono::minutes(10))
            && link.isRemoteMode();
    }
    int count(const QByteArray &command) const { return int(box.commands.count(command)); }
    QString text(int key) const { return texts.text(QStringLiteral("Remote"), key); }
    QString failure(int key) const { return text(33) + QStringLiteral(" '") + text(key) + u'\''; }

    VirtualClock clock;
    SimRemoteCommunicator communicator;
    SimBlackBox box;
    SimFtdiApi bus;
    LanguageTable texts;
    RecordingMessagePresenter messages;
    RecordingRemoteView view;
    DialParameters dial;
    RemoteLink link;
};
