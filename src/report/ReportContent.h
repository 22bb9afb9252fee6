#pragma once

#include "params/CommunicatorModel.h"

#include <QDate>
#include <QList>
#include <QString>

class LanguageTable;
class ParameterSet;
struct DeviceInfo;
struct ParameterStatus;

// What the settings report is made from: the values being edited, the device that
// answered last and the texts of the current language.
struct ReportInput {
    const ParameterSet &parameters;
    const ParameterStatus &status;  // the "Alarm" and service-call redial states
    const DeviceInfo &device;
    const LanguageTable &texts;
    CommunicatorModel model;
    int c3Features;  // the TKV-C3 feature bits the pages follow
};

// The columns of a report line (ReportGeometry gives their positions).
enum class ReportColumn { Heading, Caption, Value, Third, Fourth };

struct ReportText {
    ReportColumn column;
    QString text;  // a text in the caption column is cut to the geometry's caption length
};

// One line of the report, drawn at one height.
struct ReportLine {
    bool heading = false;    // a section heading: bold, italic, underlined
    bool gapBefore = false;  // the extra space between the device lines and the sections
    QList<ReportText> texts;
};

struct ReportContent {
    QString jobTitle;  // the job's name in the print queue
    QString title;
    QString date;
    QList<ReportLine> lines;  // the device lines, then every section in tree order
};

// The whole report of the input, dated date (in the system's short date format).
ReportContent buildReport(const ReportInput &input, const QDate &date);
