#pragma once

#include <QString>

// Values read from the communicator that are not parameters; shown by the main
// window and carried in the parameter image.
struct ParameterStatus {
    int serviceCallHours = 0;   // service-call timer, total hours
    int resetCount = 0;
    QString firmwareVersion;    // the identification's version text
    QString serialNumber;       // five digits
    QString lastCallNumber;
    QString previousCallNumber;
    bool alarmActive = false;   // the "Alarm" internal state
    bool serviceRedialActive = false;  // the service-call redial state

    friend bool operator==(const ParameterStatus &, const ParameterStatus &) = default;
};
