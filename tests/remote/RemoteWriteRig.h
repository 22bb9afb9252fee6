#pragma once

// A connected remote link with a remote write over it, to a simulated communicator
// of the model, and the write fixture's values to write.

#include "RemoteRig.h"
#include "WriteFixture.h"
#include "remote/RemoteWrite.h"

#include <QFile>
#include <QTemporaryDir>

struct RecordingWriteView : RemoteWriteView {
    void setProgress(int position, int maximum) override
    {
        progress = position;
        progressMaximum = maximum;
    }
    void setPage(int page) override
    {
        pages.append(page);
        if (onPage)
            onPage(page);
    }
    void setStep(int step) override { lastStep = step; }
    void setStatus(WriteStatus status) override
    {
        statuses.append(status);
        if (onStatus)
            onStatus(status);
    }
    void closed(bool wasFinished) override
    {
        ++closings;
        finished = wasFinished;
    }

    int progress = 0;
    int progressMaximum = 0;
    QList<int> pages;
    int lastStep = -1;
    QList<WriteStatus> statuses;
    int closings = 0;
    bool finished = false;
    std::function<void(int)> onPage;
    std::function<void(WriteStatus)> onStatus;
};

inline SimKind simKindOf(CommunicatorModel model)
{
    return model == CommunicatorModel::TkvC ? SimKind::TkvC
           : model == CommunicatorModel::TkvC2 ? SimKind::TkvC2
                                                : SimKind::TkvC3;
}

struct RemoteWriteRig : RemoteRig {
    explicit RemoteWriteRig(CommunicatorModel model = CommunicatorModel::TkvC, bool roundTrip = false)
        : RemoteRig(nullptr, simKindOf(model)), model(model), set(writeFixture(model, roundTrip)),
          write(link, clock, messages, texts, writeView, set, model)
    {
    }

    bool start(const WritePageChoice &choice = {})
    {
        if (!connect())
            return false;
        write.openReport(reportPath(), {QStringLiteral("0123456"), QStringLiteral("3"), false});
        firstCommand = box.commands.size();
        write.start(choice, false);
        return true;
    }
    bool runToEnd(Nanos limit = std::chrono::minutes(30))
    {
        return runUntil([this] { return write.state() == RemoteWrite::State::Closed; }, limit);
    }
    QString reportPath() const { return folder.filePath(QStringLiteral("LF-W-2024_01_02-03_04_05.TXT")); }
    QByteArray reportText() const
    {
        QFile report(reportPath());
        return report.open(QIODevice::ReadOnly) ? report.readAll() : QByteArray();
    }
    // The programming commands the box was given since the write began (the
    // keep-alive's "8A" left out).
    QByteArrayList programmingCommands() const
    {
        QByteArrayList commands;
        for (const QByteArray &command : box.commands.mid(firstCommand))
            if (command.startsWith("ATDE") && command != "ATDE8A")
                commands.append(command);
        return commands;
    }

    CommunicatorModel model;
    QTemporaryDir folder;
    ParameterSet set;
    RecordingWriteView writeView;
    RemoteWrite write;
    qsizetype firstCommand = 0;
};
