#pragma once

#include "link/FtdiApi.h"

struct ftdi_context;
struct libusb_device;

// FtdiApi on libftdi1. Opening claims the device and detaches the kernel's ftdi_sio
// driver from it; the driver is not reattached on close, so that the device does not
// reappear as a tty (and get probed by other programs) between two short connections.
class LibFtdiApi final : public FtdiApi {
public:
    LibFtdiApi() = default;
    ~LibFtdiApi() override;
    LibFtdiApi(const LibFtdiApi &) = delete;
    LibFtdiApi &operator=(const LibFtdiApi &) = delete;

    FtStatus open(const QString &serialNumber) override;
    void close() override;
    FtStatus setBitMode(quint8 mask, quint8 mode) override;
    FtStatus setDtr(bool on) override;
    FtStatus setRts(bool on) override;
    FtStatus setBaudRate(int rate) override;
    FtStatus read(quint8 *buffer, int capacity, int &count) override;
    FtStatus write(const quint8 *data, int size, int &written) override;

    FtStatus deviceCount(quint32 &count) override;
    FtStatus serialNumber(quint32 index, QByteArray &text) override;
    FtStatus description(quint32 index, QByteArray &text) override;

    QString errorText() const override { return errorText_; }

private:
    enum class DeviceString { SerialNumber, Description };

    struct Listing;

    FtStatus listDevices(Listing &listing);
    FtStatus listedString(quint32 index, DeviceString which, QByteArray &text);
    FtStatus openedDeviceStatus() const;
    FtStatus contextMissing();
    // Records the driver's text for a failure (clears it on success) and returns status.
    FtStatus note(FtStatus status, ftdi_context *context);

    ftdi_context *context_ = nullptr;  // created on the first open, kept until destruction
    bool deviceOpen_ = false;
    QString errorText_;
};
