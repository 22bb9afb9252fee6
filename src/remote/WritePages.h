#pragma once

#include "params/CommunicatorModel.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QList>
#include <QString>

class ParameterSet;

// The seven pages of the remote write, in writing order.
constexpr int writePageCount = 7;
enum class WritePageId {
    PhoneNumbers = 1,
    Basic = 2,
    Time = 3,
    System = 4,
    Lift = 5,
    Handsfree = 6,
    Option = 7,
};

// A parameter a page does not write, and why.
struct WriteOmission {
    enum class Reason {
        NoDtmfValue,  // the chosen setting has no value the communicator takes remotely
        NoSelection,  // the list has no entry selected
    };
    QString code;
    QString id;
    Reason reason;

    friend bool operator==(const WriteOmission &, const WriteOmission &) = default;
};

// One page's DTMF programming commands ("ATDE" + code + value + CR LF) in sending
// order, built from the values shown.
struct WritePage {
    WritePageId id = WritePageId::PhoneNumbers;
    QByteArrayList commands;
    QList<WriteOmission> omitted;
};

WritePage buildWritePage(WritePageId page, const ParameterSet &set, CommunicatorModel model);

// The dial characters of a telephone number as DTMF keys: digits and "#" as they
// are, "*" doubled, "R" and "F" (flash) as "*#", "P" (pause) as "*0"; other
// characters are dropped.
QByteArray phoneToDtmf(const QString &number);
