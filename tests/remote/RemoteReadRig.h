#pragma once

// A connected remote link with a remote read over it; the communicator's memory
// holds a sound image whose every block sums to a different checksum.

#include "params/ParameterSet.h"
#include "params/ParameterStatus.h"
#include "protocol/AlarmImageCodec.h"
#include "remote/RemoteRead.h"
#include "RemoteRig.h"

#include <QTemporaryDir>

struct RecordingReadView : RemoteReadView {
    void setProgress(int position, int maximum) override
    {
        progress = position;
        maximum_ = maximum;
    }
    void setBlockCounter(int count) override
    {
        blockCounter = count;
        if (onBlockCounter)
            onBlockCounter(count);
    }
    void phaseDecoded(ReadPhase phase) override { decoded.append(phase); }
    void closed(bool wasFinished) override
    {
        ++closings;
        finished = wasFinished;
    }

    int progress = 0;
    int maximum_ = 0;
    int blockCounter = 0;
    QList<ReadPhase> decoded;
    int closings = 0;
    bool finished = false;
    std::function<void(int)> onBlockCounter;
};

struct RemoteReadRig : RemoteRig {
    RemoteReadRig()
    {
        for (int i = 0; i < alarmImageLength; ++i)
            communicator.memory[i] = char((i * 37 + 11) & 0xff);
        communicator.memory[15] = char(imageMarker);
    }

    // Connects and waits until the keep-alive rests between its exchanges (a
    // keep-alive reply still on its way would be taken for the block's).
    bool connectAndRest() { return connect() && runUntil([this] { return link.isIdle(); }); }
    // Starts the read; the report goes to the temporary folder.
    bool beginRead(const ReadChoices &choices = {})
    {
        read.openReport(reportPath(), {QStringLiteral("0123456"), QStringLiteral("3"), false});
        return read.start(choices, false);
    }
    bool start(const ReadChoices &choices = {}) { return connectAndRest() && beginRead(choices); }
    bool runToEnd(Nanos limit = std::chrono::minutes(10))
    {
        return runUntil([this] { return read.state() == RemoteRead::State::Closed; }, limit);
    }
    QString reportPath() const { return folder.filePath(QStringLiteral("LF-R-2024_01_02-03_04_05.TXT")); }
    // The block requests the box was given, as "bank block".
    QByteArrayList blockRequests() const
    {
        QByteArrayList requests;
        for (const QByteArray &command : box.commands)
            if (command.startsWith("ATDE8*") && command.size() == 8)
                requests.append(command.mid(6));
        return requests;
    }

    QTemporaryDir folder;
    QByteArray working;
    QByteArray previous;
    QByteArray fresh;
    ParameterSet set;
    ParameterStatus status;
    RecordingReadView readView;
    RemoteRead read{link, clock, messages, texts, readView, {working, previous, fresh}, set, status,
                    CommunicatorModel::TkvC};
};
