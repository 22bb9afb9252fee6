#pragma once

// A simulated communicator on a simulated cable, told to enter its firmware loader,
// and what the upgrade showed, on simulated time.

#include "app/LanguageTable.h"
#include "firmware/LoaderEntry.h"
#include "firmware/UpgradeView.h"
#include "link/SimLink.h"
#include "sim/SimBootloader.h"
#include "sim/SimDevice.h"
#include "sim/SimLegacyLoader.h"
#include "sim/VirtualClock.h"
#include "support/RecordingMessagePresenter.h"

#include <QStringList>

struct RecordingUpgradeView : UpgradeView {
    void setStatus(const QString &text) override { statuses.append(text); }
    void setPhaseMaximum(int maximum) override { phaseMaximum = maximum; }
    void setPhaseColour(QRgb colour) override { colours.append(colour); }
    void setStatusColour(StatusColour colour) override { statusColours.append(colour); }
    void logLine(const QString &line) override { log.append(line); }
    void upgradeEnded(bool wasSuccess) override
    {
        ++endings;
        success = wasSuccess;
    }

    QStringList statuses;
    int phaseMaximum = 0;
    QList<QRgb> colours;
    QList<StatusColour> statusColours;
    QStringList log;
    int endings = 0;
    bool success = false;
};

struct FirmwareRig {
    explicit FirmwareRig(SimKind kind) : device(kind), link(clock, device, true) { link.open(); }

    void enterLoader(CommunicatorModel model, bool acceptsF)
    {
        enterFirmwareLoader(link, clock, model, acceptsF);
        clock.advanceBy(std::chrono::milliseconds(20));
    }
    QString message(int key) const { return texts.text(QStringLiteral("Message"), key); }

    VirtualClock clock;
    SimDevice device;
    SimLink link;
    LanguageTable texts;
    RecordingMessagePresenter messages;
    RecordingUpgradeView view;
};
