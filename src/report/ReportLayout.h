#pragma once

#include "report/ReportContent.h"
#include "report/ReportGeometry.h"

struct PlacedLine {
    qsizetype line;  // index into ReportContent::lines
    int y;           // top of the line's text, printer pixels
};

struct ReportPage {
    int number;   // from 1
    int headerY;  // top of the date, title and page number
    QList<PlacedLine> lines;
};

// The lines on pages: the header on top of each page, a line step after each line,
// and a new page when a step reaches the bottom threshold and another line follows.
// A report that ends at the threshold gets no empty page after it.
QList<ReportPage> layoutReport(const ReportContent &content, const ReportGeometry &geometry);

// The page number in the header of a page.
QString pageNumberText(int number);
