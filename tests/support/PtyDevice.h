#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// One device of ostrakel-sim served on a pseudo-terminal for the life of the object
// (a simulated device, or "BlackBox:MODEL").
class PtyDevice {
public:
    explicit PtyDevice(const QString &kind, const QStringList &extra = {})
    {
        sim_.start(QStringLiteral(OSTRAKEL_SIM_EXE), QStringList{QStringLiteral("--pty"), kind} + extra);
        if (sim_.waitForReadyRead(10'000))
            path_ = QString::fromLocal8Bit(sim_.readLine()).trimmed();
    }
    ~PtyDevice()
    {
        sim_.terminate();
        if (!sim_.waitForFinished(5'000))
            sim_.kill();
    }
    PtyDevice(const PtyDevice &) = delete;
    PtyDevice &operator=(const PtyDevice &) = delete;

    const QString &path() const { return path_; }
    void kill()
    {
        sim_.kill();
        sim_.waitForFinished();
    }

private:
    QProcess sim_;
    QString path_;
};
