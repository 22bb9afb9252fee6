#pragma once

#include <QByteArray>
#include <QString>
#include <QtTest/QTest>
#include <cerrno>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal whose far end (the master) the test holds: the slave path is
// what the serial port opens, like a cable with a device behind it.
class PseudoTerminal {
public:
    PseudoTerminal()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
            return;
        termios raw{};
        if (::tcgetattr(master_, &raw) != 0)
            return;
        ::cfmakeraw(&raw);
        if (::tcsetattr(master_, TCSANOW, &raw) != 0)
            return;
        slavePath_ = QString::fromLocal8Bit(::ptsname(master_));
        // Held for the whole test: a serial port removes its lock file only after
        // closing the device, and a pseudo-terminal number freed before that could go
        // at once to a test running in parallel, which would then find it locked.
        keeper_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY | O_CLOEXEC);
    }
    ~PseudoTerminal()
    {
        closeMaster();
        if (keeper_ >= 0)
            ::close(keeper_);
    }
    PseudoTerminal(const PseudoTerminal &) = delete;
    PseudoTerminal &operator=(const PseudoTerminal &) = delete;

    bool isValid() const { return master_ >= 0 && keeper_ >= 0; }
    QString slavePath() const { return slavePath_; }

    bool write(const QByteArray &bytes)
    {
        return ::write(master_, bytes.constData(), bytes.size()) == bytes.size();
    }

    // What the serial port sent, until count bytes came or 5 s passed.
    QByteArray read(int count)
    {
        QByteArray received;
        (void)QTest::qWaitFor([&] {
            char chunk[512];
            const ssize_t n = ::read(master_, chunk, sizeof chunk);
            if (n > 0)
                received.append(chunk, n);
            return received.size() >= count;
        }, 5000);
        return received;
    }

    // The device goes away, as when the cable is pulled.
    void closeMaster()
    {
        if (master_ >= 0)
            ::close(master_);
        master_ = -1;
    }

private:
    int master_ = -1;
    int keeper_ = -1;
    QString slavePath_;
};
