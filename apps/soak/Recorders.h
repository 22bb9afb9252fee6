#pragma once

// What the engines tell the technician, kept for the soak to judge.

#include "app/MessagePresenter.h"
#include "firmware/UpgradeView.h"
#include "link/FtdiApi.h"
#include "params/ParameterSet.h"
#include "params/ParameterStatus.h"
#include "remote/RemoteRead.h"
#include "remote/RemoteView.h"
#include "remote/RemoteWrite.h"

#include <QStringList>

class KeptMessages : public MessagePresenter {
public:
    void showMessage(const QString &text) override { messages.append(text); }
    QStringList messages;
};

// Watches the values while a remote read runs: they may change only when a phase
// is decoded, never in the middle of one.
struct KeptReadView : RemoteReadView {
    KeptReadView(const ParameterSet &set, const ParameterStatus &status)
        : set(set), status(status), decodedSet(set), decodedStatus(status)
    {
    }
    void setBlockCounter(int) override { check(); }
    void phaseDecoded(ReadPhase) override
    {
        ++phases;
        decodedSet = set;
        decodedStatus = status;
    }
    void closed(bool wasFinished) override
    {
        check();
        ++closings;
        finished = wasFinished;
    }
    void check()
    {
        if (set != decodedSet || status != decodedStatus)
            changedInPhase = true;
    }

    const ParameterSet &set;
    const ParameterStatus &status;
    ParameterSet decodedSet;
    ParameterStatus decodedStatus;
    int phases = 0;
    bool changedInPhase = false;
    int closings = 0;
    bool finished = false;
};

struct KeptWriteView : RemoteWriteView {
    void closed(bool wasFinished) override
    {
        ++closings;
        finished = wasFinished;
    }
    int closings = 0;
    bool finished = false;
};

struct KeptUpgradeView : UpgradeView {
    void upgradeEnded(bool wasSuccess) override
    {
        ++endings;
        success = wasSuccess;
    }
    int endings = 0;
    bool success = false;
};

// The USB bus as the remote link sees it, keeping every byte that reached the PC.
class KeptFtdiApi final : public FtdiApi {
public:
    explicit KeptFtdiApi(FtdiApi &bus) : bus_(bus) {}

    FtStatus open(const QString &serialNumber) override { return bus_.open(serialNumber); }
    void close() override { bus_.close(); }
    FtStatus setBitMode(quint8 mask, quint8 mode) override { return bus_.setBitMode(mask, mode); }
    FtStatus setDtr(bool on) override { return bus_.setDtr(on); }
    FtStatus setRts(bool on) override { return bus_.setRts(on); }
    FtStatus setBaudRate(int rate) override { return bus_.setBaudRate(rate); }
    FtStatus read(quint8 *buffer, int capacity, int &count) override
    {
        const FtStatus status = bus_.read(buffer, capacity, count);
        arrived.append(reinterpret_cast<const char *>(buffer), count);
        return status;
    }
    FtStatus write(const quint8 *data, int size, int &written) override { return bus_.write(data, size, written); }
    FtStatus deviceCount(quint32 &count) override { return bus_.deviceCount(count); }
    FtStatus serialNumber(quint32 index, QByteArray &text) override { return bus_.serialNumber(index, text); }
    FtStatus description(quint32 index, QByteArray &text) override { return bus_.description(index, text); }
    QString errorText() const override { return bus_.errorText(); }

    QByteArray arrived;

private:
    FtdiApi &bus_;
};
