#pragma once

#include "link/SerialPortList.h"

#include <QGroupBox>
#include <QList>

class QButtonGroup;
class QRadioButton;

// The COM ports 1 to maxComPorts in two columns, each shown as "COM n (/dev/ttyUSB0)".
// Only free ports can be chosen: a port another program holds and a number that no
// device has are greyed out.
class PortList : public QGroupBox {
    Q_OBJECT
public:
    static constexpr int maxComPorts = 16;

    explicit PortList(QWidget *parent = nullptr);

    // Shows the ports of a listing (numbers above maxComPorts are left out). A chosen
    // port that can no longer be chosen is given up.
    void setEntries(const QList<SerialPortEntry> &entries);
    // The port of number as last listed; absent for a number no device has.
    SerialPortEntry entry(int number) const;

    // The chosen port, 0 for none.
    int selectedNumber() const;
    // Chooses a port, or none for 0 or a port that cannot be chosen; emits nothing.
    void select(int number);

    QRadioButton *button(int number) const;

Q_SIGNALS:
    // The user clicked a port.
    void portChosen(int number);

private:
    QButtonGroup *group_;
    QList<SerialPortEntry> entries_;
};
