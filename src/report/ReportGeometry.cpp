#include "report/ReportGeometry.h"

#include <algorithm>

ReportGeometry reportGeometry(int dotsPerInch, int pageWidth, int pageHeight)
{
    ReportGeometry g;
    // A device reporting no resolution must not divide by zero.
    g.pixelsPerMm = std::max(dotsPerInch, 1) * 10.0 / 254.0;
    g.pageWidth = pageWidth;
    g.pageHeight = pageHeight;
    g.pageWidthMm = pageWidth / g.pixelsPerMm;
    const double width = g.pageWidthMm;
    const double thirdOfText = (width - 20) / 3 + 10;

    g.headingColumn = g.pixels(14);
    g.captionColumn = g.pixels(20);
    g.valueColumn = g.pixels((width - 20) / 2 + 18);
    g.thirdColumn = g.pixels(5) + g.pixels(thirdOfText);
    g.fourthColumn = 2 * g.pixels(thirdOfText);
    g.lineStep = g.pixels(5);
    g.firstPageTop = g.pixels(10);
    g.nextPageTop = g.pixels(15);
    g.headerGap = g.pixels(3);
    g.frameInset = g.pixels(10);
    g.pageNumberEnd = g.pixels(15);
    g.bottomThreshold = pageHeight - g.pixels(15) - g.lineStep;
    g.captionLength = std::max(0, int((width - 30) / 2 / 75 * 46));
    return g;
}
