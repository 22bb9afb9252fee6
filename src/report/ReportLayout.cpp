#include "report/ReportLayout.h"

QList<ReportPage> layoutReport(const ReportContent &content, const ReportGeometry &geometry)
{
    QList<ReportPage> pages{{1, geometry.firstPageTop, {}}};
    // The first header is followed by one ordinary line step.
    int y = geometry.firstPageTop + geometry.lineStep;
    bool pageFull = y >= geometry.bottomThreshold;
    for (qsizetype index = 0; index < content.lines.size(); ++index) {
        if (pageFull) {
            const int number = pages.size() + 1;
            pages.append({number, geometry.nextPageTop, {}});
            y = geometry.nextPageTop + geometry.headerGap + geometry.lineStep;
        }
        if (content.lines[index].gapBefore)
            y += geometry.headerGap;
        pages.last().lines.append({index, y});
        y += geometry.lineStep;
        pageFull = y >= geometry.bottomThreshold;
    }
    return pages;
}

QString pageNumberText(int number)
{
    return QStringLiteral(" Page - ") + QString::number(number) + QStringLiteral(" -");
}
