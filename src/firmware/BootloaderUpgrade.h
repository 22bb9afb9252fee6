#pragma once

#include "app/Clock.h"
#include "firmware/FirmwareImage.h"

#include <QByteArray>
#include <QString>

class LanguageTable;
class LinkPort;
class MessagePresenter;
class UpgradeView;

// What the bootloader told of itself and of the memory it serves.
struct BootloaderInfo {
    QString version;              // major.minor
    quint16 cpuId = 0;
    quint32 programSize = 0;      // 0x10000 or 0x20000
    QString programSizeName;      // "64KB" or "128KB"
    int eraseSize = 0;            // bytes per erase row
    int writeSize = 0;            // bytes per write command
    int eraseCount = 0;           // rows from the start page to the end of program memory
};

// Replaces the firmware of a TKV-C3 through its resident bootloader: the HEX file
// as 256-byte blocks, the application area erased, every block written (the start
// page last), the device's checksums of every area compared with the program's own,
// the device restarted. Everything that can refuse the file is checked before the
// erase. Each exchange is tried three times; a byte not answered within 10 s fails
// the attempt. The waits run through the clock, so the window keeps painting.
class BootloaderUpgrade {
public:
    static constexpr Millis byteTimeout{10000};
    static constexpr Millis restartWait{3000};

    BootloaderUpgrade(LinkPort &link, Clock &clock, MessagePresenter &messages, const LanguageTable &texts,
                      UpgradeView &view, bool expertView);

    // Waits for the communicator to restart into its bootloader, runs the upgrade and
    // presents its result; returns the result.
    int runBootloaderUpgrade(const QByteArray &hexText);
    // The upgrade alone; 0 on success (see UpgradeResult).
    int upgrade(const QByteArray &hexText);
    // The result in the window: status line, message box, the log's closing lines.
    void present(int result);

    const BootloaderInfo &bootloader() const { return info_; }

private:
    enum class Check { Header, Status, Checksum };

    int exchangeFrame(Check check, quint16 expectedChecksum = 0);
    int attempt(Check check, quint16 expectedChecksum);
    int checkReply(Check check, quint16 expectedChecksum) const;
    int drain();
    int readReply();
    int parseVersionReply();
    int sendBlock(const ImageBlock &block, int length, quint16 &checksum);
    int checkArea(quint32 start, int length, quint16 expected, const char *logLine);

    void buildVersionRequest();
    void buildWrite(quint32 address, const QByteArray &data);
    void buildErase(int rows);
    void buildWriteConfiguration(quint32 address, const QByteArray &data);
    void buildChecksum(quint32 address, int length);
    void buildReset();
    void header(quint8 command, quint32 address, bool unlock);

    void setStatus(const QString &text);
    void log(const QString &line);
    QString message(int key) const;

    LinkPort &link_;
    Clock &clock_;
    MessagePresenter &messages_;
    const LanguageTable &texts_;
    UpgradeView &view_;
    bool expertView_;

    BootloaderInfo info_;
    QByteArray frame_;
    QByteArray reply_;
    int replyLength_ = 0;
    QString statusPrefix_;
};
