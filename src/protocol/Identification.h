#pragma once

#include "params/CommunicatorModel.h"
#include "protocol/DeviceInfo.h"
#include "protocol/ModelFlags.h"

#include <QByteArray>
#include <QString>
#include <functional>

class CommLog;
class LanguageTable;

// What the main window shows of an identification besides DeviceInfo itself.
class IdentificationView {
public:
    virtual ~IdentificationView() = default;
    // The caption of the device menu ("Communicator", "Option module", ...).
    virtual void setDeviceMenuCaption(const QString &caption) = 0;
    // true: a communicator answered, show the model selector; false: show the
    // device type label in its place.
    virtual void showModelSelector(bool show) = 0;
};

// Parses the identification reply of the device on the local cable into
// DeviceInfo, follows the communicator model it reports and writes the
// connection lines of the communication log.
class Identification {
public:
    // log and view may be null (no log; the command-line tool has no window).
    Identification(const LanguageTable &texts, CommLog *log, IdentificationView *view = nullptr);

    void setView(IdentificationView *view) { view_ = view; }

    const DeviceInfo &deviceInfo() const { return info_; }
    DeviceInfo &deviceInfo() { return info_; }
    ModelFlags &modelFlags() { return flags_; }
    const ModelFlags &modelFlags() const { return flags_; }

    // Called after the parse has changed the model flags, with the new model,
    // whenever the model differs from the one before (the flags are already set).
    std::function<void(CommunicatorModel)> onModelChange;

    // The complete reply to "V" or "v". Reads up to the length the current model
    // expects and never past the end of reply.
    void parseIdentification(const QByteArray &reply);

    // The end of a device poll: clears DeviceInfo when no reply was parsed since
    // the last poll, writes the connection summary and clears the identified flag.
    void finishDevicePoll();
    // A poll passed without a reply: forget the device (TKV-C3 block fields stay).
    void clearAfterSilentPoll();
    // The [Menu] key of the device menu's caption last set (the communicator's at first),
    // so that a window can show it again in another language.
    int deviceMenuKey() const { return menuKey_; }
    // "Connect to: " and the rest, once per newly seen device type.
    void logConnectionSummary();

private:
    struct Walk;  // the running state of one parse

    bool applyValue(Walk &walk, char tag, int position, quint8 value);
    void communicatorVersion(quint8 value);
    void tkvC3VersionMajor(quint8 value);
    void tkvC3VersionMinor(quint8 value);
    void auxiliaryDevice(const QString &type, const char *connectedLine, int menuKey, quint8 value);
    void serialByte(Walk &walk, int position, quint8 value);
    void tkvC3BlockByte(Walk &walk, int position, quint8 value);
    void supplyVoltage(int value);
    void secondVoltage(int value);
    void ioStates(quint8 value);

    void communicatorSeen(const char *connectedLine);
    void logVersionOnce(const char *versionLine);
    void changeModel(CommunicatorModel model);
    void setMenuCaption(int menuKey);
    void showModelSelector(bool show);
    bool logOn() const;
    void logBlock(const char *line);

    const LanguageTable &texts_;
    CommLog *log_;
    IdentificationView *view_;
    DeviceInfo info_;
    ModelFlags flags_;
    QString lastSummarisedType_;
    int menuKey_ = 8;  // "Communicator"
};
