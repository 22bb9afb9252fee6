#pragma once

#include <QByteArray>
#include <QString>

// A simulated device's memory kept in a file between runs of the program.
class SimMemoryFile {
public:
    explicit SimMemoryFile(QString path) : path_(std::move(path)) {}

    // The stored memory when the file holds one of the size given, else the memory
    // given; either way remembered as the memory at start.
    QByteArray load(const QByteArray &factoryMemory);
    // Stores the memory when it changed since the start or the last store; false with
    // *error set when it could not be written.
    bool store(const QByteArray &memory, QString *error);

private:
    QString path_;
    QByteArray atStart_;
};
