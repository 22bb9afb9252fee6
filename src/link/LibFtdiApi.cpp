#include "link/LibFtdiApi.h"

#include <libftdi1/ftdi.h>

#include <algorithm>
#include <memory>

namespace {

// Without a vendor and product id, libftdi looks for vendor 0x0403 with the product
// ids 0x6001, 0x6010, 0x6011, 0x6014 and 0x6015: exactly the devices we drive.
constexpr int AnyFtdiVendor = 0;
constexpr int AnyFtdiProduct = 0;

// Keeps the read latency short: with nothing arrived, a read returns after this time.
constexpr unsigned char LatencyMs = 1;

// Longest a single USB transfer may take.
constexpr int TransferTimeoutMs = 200;

// Room for any USB string descriptor.
constexpr int StringCapacity = 256;

using ContextPtr = std::unique_ptr<ftdi_context, decltype(&ftdi_free)>;
using DeviceListPtr = std::unique_ptr<ftdi_device_list, decltype(&ftdi_list_free2)>;

// libftdi numbers its failures per function; these map them to the D2XX statuses.
FtStatus findAllStatus(int rc)
{
    return rc == -3 ? FtStatus::InsufficientResources : FtStatus::IoError;
}

FtStatus getStringsStatus(int rc)
{
    switch (rc) {
    case -1: return FtStatus::InvalidHandle;
    case -4: return FtStatus::DeviceNotOpened;  // libusb_open refused (permissions)
    default: return FtStatus::IoError;
    }
}

FtStatus openDevStatus(int rc)
{
    switch (rc) {
    case -3:  // configuration refused: another driver holds the device
    case -4:  // libusb_open refused
    case -5:  // claim refused: in use elsewhere
    case -8:  // no permission
        return FtStatus::DeviceNotOpened;
    default:
        return FtStatus::IoError;
    }
}

// ftdi_set_bitmode, ftdi_setdtr, ftdi_setrts: -1 transfer failed, -2 no device.
FtStatus controlStatus(int rc)
{
    return rc == -2 ? FtStatus::DeviceNotOpened : FtStatus::IoError;
}

FtStatus baudRateStatus(int rc)
{
    switch (rc) {
    case -1: return FtStatus::InvalidParameter;
    case -3: return FtStatus::DeviceNotOpened;
    default: return FtStatus::IoError;
    }
}

// ftdi_read_data and ftdi_write_data: -666 no device open; libusb's own codes come
// through for failed transfers, -4 (LIBUSB_ERROR_NO_DEVICE) when the cable was pulled.
FtStatus transferStatus(int rc)
{
    return rc == -666 || rc == -4 ? FtStatus::DeviceNotOpened : FtStatus::IoError;
}

QString driverText(ftdi_context *context)
{
    const char *text = ftdi_get_error_string(context);
    return text ? QString::fromLocal8Bit(text) : QString();
}

}  // namespace

LibFtdiApi::~LibFtdiApi()
{
    close();
    if (context_)
        ftdi_free(context_);
}

FtStatus LibFtdiApi::note(FtStatus status, ftdi_context *context)
{
    errorText_ = status == FtStatus::Ok ? QString() : driverText(context);
    return status;
}

FtStatus LibFtdiApi::contextMissing()
{
    errorText_ = QStringLiteral("libusb could not be initialised");
    return FtStatus::InsufficientResources;
}

FtStatus LibFtdiApi::openedDeviceStatus() const
{
    return deviceOpen_ ? FtStatus::Ok : FtStatus::DeviceNotOpened;
}

FtStatus LibFtdiApi::open(const QString &serialNumber)
{
    close();
    if (!context_)
        context_ = ftdi_new();
    if (!context_)
        return contextMissing();

    ftdi_device_list *found = nullptr;
    const int count = ftdi_usb_find_all(context_, &found, AnyFtdiVendor, AnyFtdiProduct);
    if (count < 0)
        return note(findAllStatus(count), context_);
    const DeviceListPtr devices(found, ftdi_list_free2);

    const QByteArray wanted = serialNumber.toLatin1();
    FtStatus status = FtStatus::DeviceNotFound;
    for (ftdi_device_list *entry = found; entry; entry = entry->next) {
        char serial[StringCapacity] = {};
        const int rc = ftdi_usb_get_strings(context_, entry->dev, nullptr, 0, nullptr, 0,
                                            serial, StringCapacity);
        if (rc != 0) {
            // Some failures leave the device handle open in the context.
            if (context_->usb_dev)
                ftdi_usb_close(context_);
            // A device we may not look at could be the one wanted: say so unless
            // it turns up elsewhere.
            status = note(getStringsStatus(rc), context_);
            continue;
        }
        if (wanted != serial)
            continue;

        const int opened = ftdi_usb_open_dev(context_, entry->dev);
        if (opened != 0) {
            const FtStatus failed = note(openDevStatus(opened), context_);
            // A half-done open leaves the handle in the context; a later open must
            // not look at devices through it.
            if (context_->usb_dev)
                ftdi_usb_close(context_);
            return failed;
        }
        // A wedged chip must not hold the window thread for libftdi's default 5 s.
        context_->usb_read_timeout = TransferTimeoutMs;
        context_->usb_write_timeout = TransferTimeoutMs;
        if (ftdi_set_latency_timer(context_, LatencyMs) != 0) {
            const FtStatus failed = note(FtStatus::IoError, context_);
            ftdi_usb_close(context_);
            return failed;
        }
        deviceOpen_ = true;
        return note(FtStatus::Ok, context_);
    }
    if (status == FtStatus::DeviceNotFound)
        errorText_ = QStringLiteral("no FTDI device with serial number %1").arg(serialNumber);
    return status;
}

void LibFtdiApi::close()
{
    if (!deviceOpen_)
        return;
    ftdi_usb_close(context_);
    deviceOpen_ = false;
}

FtStatus LibFtdiApi::setBitMode(quint8 mask, quint8 mode)
{
    if (!deviceOpen_)
        return openedDeviceStatus();
    const int rc = ftdi_set_bitmode(context_, mask, mode);
    return note(rc == 0 ? FtStatus::Ok : controlStatus(rc), context_);
}

FtStatus LibFtdiApi::setDtr(bool on)
{
    if (!deviceOpen_)
        return openedDeviceStatus();
    const int rc = ftdi_setdtr(context_, on ? 1 : 0);
    return note(rc == 0 ? FtStatus::Ok : controlStatus(rc), context_);
}

FtStatus LibFtdiApi::setRts(bool on)
{
    if (!deviceOpen_)
        return openedDeviceStatus();
    const int rc = ftdi_setrts(context_, on ? 1 : 0);
    return note(rc == 0 ? FtStatus::Ok : controlStatus(rc), context_);
}

FtStatus LibFtdiApi::setBaudRate(int rate)
{
    if (!deviceOpen_)
        return openedDeviceStatus();
    const int rc = ftdi_set_baudrate(context_, rate);
    return note(rc == 0 ? FtStatus::Ok : baudRateStatus(rc), context_);
}

FtStatus LibFtdiApi::read(quint8 *buffer, int capacity, int &count)
{
    count = 0;
    if (!deviceOpen_)
        return openedDeviceStatus();
    if (capacity <= 0)
        return FtStatus::Ok;
    // ftdi_read_data goes on fetching from the device until it has all it was asked
    // for or the device sends nothing. So the device is asked once, for one byte:
    // that is one USB transfer, which ends after the latency time and brings what the
    // chip has received; libftdi keeps the rest of the transfer for the second call,
    // which takes it without going to the device.
    int got = 0;
    if (context_->readbuffer_remaining == 0) {
        got = ftdi_read_data(context_, buffer, 1);
        if (got <= 0)
            return note(got < 0 ? transferStatus(got) : FtStatus::Ok, context_);
    }
    const int held = std::min(int(context_->readbuffer_remaining), capacity - got);
    if (held > 0) {
        const int rc = ftdi_read_data(context_, buffer + got, held);
        if (rc < 0)
            return note(transferStatus(rc), context_);
        got += rc;
    }
    count = got;
    return note(FtStatus::Ok, context_);
}

FtStatus LibFtdiApi::write(const quint8 *data, int size, int &written)
{
    written = 0;
    if (!deviceOpen_)
        return openedDeviceStatus();
    const int rc = ftdi_write_data(context_, data, size);
    if (rc < 0)
        return note(transferStatus(rc), context_);
    written = rc;
    return note(FtStatus::Ok, context_);
}

// Listing runs on a context of its own so that it never touches the open device.
struct LibFtdiApi::Listing {
    ContextPtr context{nullptr, ftdi_free};
    DeviceListPtr devices{nullptr, ftdi_list_free2};
    int count = 0;
};

FtStatus LibFtdiApi::listDevices(Listing &listing)
{
    listing.context.reset(ftdi_new());
    if (!listing.context)
        return contextMissing();
    ftdi_device_list *found = nullptr;
    const int count = ftdi_usb_find_all(listing.context.get(), &found, AnyFtdiVendor, AnyFtdiProduct);
    listing.devices.reset(found);
    if (count < 0)
        return note(findAllStatus(count), listing.context.get());
    listing.count = count;
    return note(FtStatus::Ok, listing.context.get());
}

FtStatus LibFtdiApi::deviceCount(quint32 &count)
{
    Listing listing;
    const FtStatus status = listDevices(listing);
    if (status == FtStatus::Ok)
        count = quint32(listing.count);
    return status;
}

FtStatus LibFtdiApi::serialNumber(quint32 index, QByteArray &text)
{
    return listedString(index, DeviceString::SerialNumber, text);
}

FtStatus LibFtdiApi::description(quint32 index, QByteArray &text)
{
    return listedString(index, DeviceString::Description, text);
}

FtStatus LibFtdiApi::listedString(quint32 index, DeviceString which, QByteArray &text)
{
    Listing listing;
    if (const FtStatus status = listDevices(listing); status != FtStatus::Ok)
        return status;

    ftdi_device_list *entry = listing.devices.get();
    for (quint32 i = 0; entry && i < index; ++i)
        entry = entry->next;
    if (!entry) {
        errorText_ = QStringLiteral("no FTDI device at index %1").arg(index);
        return FtStatus::DeviceNotFound;
    }

    char string[StringCapacity] = {};
    char *description = which == DeviceString::Description ? string : nullptr;
    char *serial = which == DeviceString::SerialNumber ? string : nullptr;
    const int rc = ftdi_usb_get_strings(listing.context.get(), entry->dev, nullptr, 0,
                                        description, StringCapacity, serial, StringCapacity);
    if (rc != 0)
        return note(getStringsStatus(rc), listing.context.get());
    text = QByteArray(string);
    return note(FtStatus::Ok, listing.context.get());
}
