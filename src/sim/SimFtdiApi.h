#pragma once

#include "link/FtdiApi.h"
#include "sim/SimBlackBox.h"

#include <vector>

// FTDI devices on a simulated USB bus: listed and opened like real ones, with the
// simulated BlackBoxes answering behind them.
class SimFtdiApi final : public FtdiApi {
public:
    struct Device {
        QByteArray serialNumber;
        QByteArray description;
        SimBlackBox *box = nullptr;  // none: a device that cannot be opened
    };

    std::vector<Device> devices;
    // The open device is pulled from the bus: reads and writes fail.
    bool unplugged = false;

    FtStatus open(const QString &serialNumber) override;
    void close() override { open_ = nullptr; }
    FtStatus setBitMode(quint8, quint8) override { return openStatus(); }
    FtStatus setDtr(bool) override { return openStatus(); }
    FtStatus setRts(bool) override { return openStatus(); }
    FtStatus setBaudRate(int) override { return openStatus(); }
    FtStatus read(quint8 *buffer, int capacity, int &count) override;
    FtStatus write(const quint8 *data, int size, int &written) override;

    FtStatus deviceCount(quint32 &count) override;
    FtStatus serialNumber(quint32 index, QByteArray &text) override;
    FtStatus description(quint32 index, QByteArray &text) override;
    QString errorText() const override { return {}; }

private:
    FtStatus openStatus() const;

    SimBlackBox *open_ = nullptr;
};
