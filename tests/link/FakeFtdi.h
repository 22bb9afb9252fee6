#pragma once

// A scripted FTDI device and a clock that only records, sharing one journal so that
// tests see device calls and waits in the order they happened.

#include "app/Clock.h"
#include "link/FtdiApi.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <deque>
#include <vector>

struct Journal {
    QStringList entries;
    void add(const QString &entry) { entries.append(entry); }
};

class RecordingClock final : public Clock {
public:
    explicit RecordingClock(Journal &journal) : journal_(journal) {}

    Nanos now() const override { return now_; }
    void wait(Millis duration) override
    {
        journal_.add(QStringLiteral("wait %1").arg(duration.count()));
        now_ += duration;
    }
    std::unique_ptr<TickTimer> createTimer(Millis, std::function<void()>) override
    {
        return std::make_unique<IdleTimer>();
    }

private:
    class IdleTimer final : public TickTimer {
    public:
        void start() override { active_ = true; }
        void stop() override { active_ = false; }
        bool isActive() const override { return active_; }

    private:
        bool active_ = false;
    };

    Journal &journal_;
    Nanos now_{0};
};

struct ListedDevice {
    QByteArray serialNumber;
    QByteArray description;
};

class FakeFtdiApi final : public FtdiApi {
public:
    explicit FakeFtdiApi(Journal &journal) : journal_(journal) {}

    // Script. Opens answer from openResults in turn, then with openDefault.
    std::deque<FtStatus> openResults;
    FtStatus openDefault = FtStatus::Ok;
    FtStatus bitModeResult = FtStatus::Ok;
    FtStatus dtrResult = FtStatus::Ok;
    FtStatus rtsResult = FtStatus::Ok;
    FtStatus baudRateResult = FtStatus::Ok;
    QByteArray arrived;                  // bytes the device has for us
    FtStatus readResult = FtStatus::Ok;  // a failing read moves nothing
    int writesAccepted = -1;             // bytes taken before refusing; -1 = all
    QByteArray written;
    std::vector<ListedDevice> devices;
    FtStatus listResult = FtStatus::Ok;

    FtStatus open(const QString &serialNumber) override
    {
        journal_.add(QStringLiteral("open ") + serialNumber);
        if (openResults.empty())
            return openDefault;
        const FtStatus result = openResults.front();
        openResults.pop_front();
        return result;
    }
    void close() override { journal_.add(QStringLiteral("close")); }
    FtStatus setBitMode(quint8 mask, quint8 mode) override
    {
        journal_.add(QStringLiteral("bitmode %1 %2").arg(mask).arg(mode));
        return bitModeResult;
    }
    FtStatus setDtr(bool on) override
    {
        journal_.add(QStringLiteral("dtr %1").arg(on ? "on" : "off"));
        return dtrResult;
    }
    FtStatus setRts(bool on) override
    {
        journal_.add(QStringLiteral("rts %1").arg(on ? "on" : "off"));
        return rtsResult;
    }
    FtStatus setBaudRate(int rate) override
    {
        journal_.add(QStringLiteral("baud %1").arg(rate));
        return baudRateResult;
    }
    FtStatus read(quint8 *buffer, int capacity, int &count) override
    {
        count = 0;
        if (readResult != FtStatus::Ok)
            return readResult;
        count = int(std::min<qsizetype>(capacity, arrived.size()));
        std::copy_n(arrived.constData(), count, reinterpret_cast<char *>(buffer));
        arrived.remove(0, count);
        return FtStatus::Ok;
    }
    FtStatus write(const quint8 *data, int size, int &count) override
    {
        count = 0;
        journal_.add(QStringLiteral("write"));
        if (writesAccepted == 0)
            return FtStatus::IoError;
        if (writesAccepted > 0)
            --writesAccepted;
        written.append(reinterpret_cast<const char *>(data), size);
        count = size;
        return FtStatus::Ok;
    }
    FtStatus deviceCount(quint32 &count) override
    {
        if (listResult == FtStatus::Ok)
            count = quint32(devices.size());
        return listResult;
    }
    FtStatus serialNumber(quint32 index, QByteArray &text) override
    {
        return listed(index, &ListedDevice::serialNumber, text);
    }
    FtStatus description(quint32 index, QByteArray &text) override
    {
        return listed(index, &ListedDevice::description, text);
    }
    QString errorText() const override { return {}; }

private:
    FtStatus listed(quint32 index, QByteArray ListedDevice::*field, QByteArray &text) const
    {
        if (listResult != FtStatus::Ok)
            return listResult;
        if (index >= devices.size())
            return FtStatus::DeviceNotFound;
        text = devices[index].*field;
        return FtStatus::Ok;
    }

    Journal &journal_;
};
