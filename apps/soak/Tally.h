#pragma once

#include <QString>
#include <array>

// The kinds of exchange the soak runs.
enum class Operation {
    LocalRead,
    LocalWrite,
    RemoteConnect,
    RemoteRead,
    RemoteWrite,
    BootloaderUpgrade,
    LegacyUpload,
    RefusedFirmware,
};
constexpr int operationCount = 8;

// How one exchange ended, as the soak judged it.
enum class Outcome {
    Succeeded,   // the engine said success and the device and the values are as intended
    Reported,    // the engine ended with a failure message or result
    Unreported,  // the engine said success, but the device or the values differ
    // The engine said success and the difference lies where the device protocol
    // carries no check (a changed byte on the cable, a byte-sum collision): no
    // program could have seen it.
    Unchecked,
    CutOff,  // no end within the soak's time limit: cancelled, as --timeout does
};

struct TallyRow {
    qint64 exchanges = 0;
    qint64 succeeded = 0;
    qint64 reported = 0;
    qint64 unreported = 0;
    qint64 unchecked = 0;
    qint64 cutOff = 0;
    qint64 halfApplied = 0;   // a failure left values or a device in a state it may not leave
    qint64 leftErased = 0;    // a refused firmware file erased or wrote the device
    qint64 faultsStruck = 0;  // bytes, digits and lines the faults struck
    qint64 withFaults = 0;    // exchanges in which a fault struck
};

class Tally {
public:
    TallyRow &row(Operation operation) { return rows_[size_t(operation)]; }
    void count(Operation operation, Outcome outcome, qint64 faultsStruck);
    TallyRow total() const;
    // The table, one row per kind of exchange and the total.
    QString table() const;
    // Whatever must not happen happened.
    bool failed() const;

    static QString name(Operation operation);

private:
    std::array<TallyRow, operationCount> rows_{};
};
