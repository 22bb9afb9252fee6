#include "report/ReportContent.h"

#include "app/LanguageTable.h"
#include "params/ParameterDef.h"
#include "params/ParameterStatus.h"
#include "protocol/DeviceInfo.h"
#include "report/DeviceDataLines.h"
#include "params/PageNodes.h"
#include "report/ReportSections.h"

#include <QLocale>

namespace {

QString mainText(const LanguageTable &texts, int key)
{
    return texts.text(QStringLiteral("Main"), key);
}

// A menu caption without its accelerator marker ("&&" stands for "&").
QString withoutAccelerator(const QString &caption)
{
    QString plain;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == QLatin1Char('&') && ++i == caption.size())
            break;
        plain += caption[i];
    }
    return plain;
}

ReportLine twoColumns(const QString &caption, const QString &value)
{
    ReportLine line;
    line.texts = {{ReportColumn::Caption, caption}, {ReportColumn::Value, value}};
    return line;
}

QString modelWord(const ReportInput &input)
{
    switch (input.model) {
    case CommunicatorModel::TkvC: return mainText(input.texts, 23);
    case CommunicatorModel::TkvC2: return mainText(input.texts, 24);
    case CommunicatorModel::TkvC3: return deviceModelText(input.device, input.texts);
    }
    return {};
}

// "State" with the "Alarm" state (newer models) and the service-call redial state.
QString stateText(const ReportInput &input)
{
    const LanguageTable &texts = input.texts;
    QString state = mainText(texts, 25) + QLatin1Char(' ');
    if (input.model != CommunicatorModel::TkvC)
        state += mainText(texts, input.status.alarmActive ? 26 : 27) + QStringLiteral(" / ");
    return state + mainText(texts, input.status.serviceRedialActive ? 28 : 29);
}

QList<ReportLine> deviceLines(const ReportInput &input)
{
    const DeviceInfo &device = input.device;
    const bool c3 = input.model == CommunicatorModel::TkvC3;
    const QString volts = QStringLiteral(" V");
    return {
        twoColumns(QStringLiteral("FW: ") + device.version, QStringLiteral("SNo: ") + device.serialNumber),
        twoColumns(mainText(input.texts, 22) + QLatin1Char(' ') + modelWord(input), stateText(input)),
        twoColumns(mainText(input.texts, c3 ? 20 : 18) + QLatin1Char(' ') + device.supplyVoltageText + volts,
                   mainText(input.texts, c3 ? 21 : 19) + QLatin1Char(' ') + device.secondVoltageText + volts),
    };
}

QList<ReportLine> sectionLines(int node, const ReportInput &input)
{
    ReportLine heading;
    heading.heading = true;
    const bool externalPower = input.c3Features & C3Feature::ExternalPower;
    heading.texts = {{ReportColumn::Heading, pageNodeText(node, input.model, externalPower, input.texts)}};
    QList<ReportLine> lines{heading};
    const int page = pageOfNode(node, input.model);
    if (page == deviceDataPageIndex) {
        for (const DeviceDataLine &data : deviceDataLines(input.device, input.texts))
            lines.append(twoColumns(data.caption, data.value));
    } else {
        lines.append(parameterPageLines(page, input));
    }
    return lines;
}

} // namespace

ReportContent buildReport(const ReportInput &input, const QDate &date)
{
    ReportContent report;
    report.jobTitle = input.texts.text(QStringLiteral("Message"), 23);
    report.title = withoutAccelerator(input.texts.text(QStringLiteral("Menu"), 6)) + input.texts.printTitleSuffix();
    report.date = QLocale::system().toString(date, QLocale::ShortFormat);
    report.lines = deviceLines(input);
    const qsizetype firstSection = report.lines.size();
    for (int node : printedNodeOrder(input.model))
        report.lines.append(sectionLines(node, input));
    report.lines[firstSection].gapBefore = true;
    return report;
}
