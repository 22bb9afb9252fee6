#include "report/ReportPainter.h"

#include "report/ReportGeometry.h"
#include "report/ReportLayout.h"

#include <QPagedPaintDevice>
#include <QPainter>

namespace {

// The printer's default face in the given size and style.
QFont reportFont(int pointSize, bool bold = false)
{
    QFont font;
    font.setPointSize(pointSize);
    font.setBold(bold);
    return font;
}

QFont headingFont()
{
    QFont font = reportFont(10, true);
    font.setItalic(true);
    font.setUnderline(true);
    return font;
}

// Text with its top-left corner at x, y.
void drawAt(QPainter &painter, int x, int y, const QString &text)
{
    painter.drawText(x, y + painter.fontMetrics().ascent(), text);
}

int columnX(ReportColumn column, const ReportGeometry &g)
{
    switch (column) {
    case ReportColumn::Heading: return g.headingColumn;
    case ReportColumn::Caption: return g.captionColumn;
    case ReportColumn::Value: return g.valueColumn;
    case ReportColumn::Third: return g.thirdColumn;
    case ReportColumn::Fourth: return g.fourthColumn;
    }
    return g.captionColumn;
}

void paintHeader(QPainter &painter, const ReportContent &content, const ReportPage &page, const ReportGeometry &g)
{
    painter.setFont(reportFont(9));
    drawAt(painter, g.headingColumn, page.headerY, content.date);
    painter.setFont(reportFont(12, true));
    const int titleWidth = painter.fontMetrics().horizontalAdvance(content.title);
    drawAt(painter, g.valueColumn - titleWidth / 2, page.headerY, content.title);
    painter.setFont(reportFont(10));
    const QString number = pageNumberText(page.number);
    const int numberWidth = painter.fontMetrics().horizontalAdvance(number);
    drawAt(painter, g.pageWidth - g.pageNumberEnd - numberWidth, page.headerY, number);
}

void paintLine(QPainter &painter, const ReportLine &line, int y, const ReportGeometry &g)
{
    painter.setFont(line.heading ? headingFont() : reportFont(9));
    for (const ReportText &text : line.texts) {
        const bool caption = text.column == ReportColumn::Caption;
        drawAt(painter, columnX(text.column, g), y, caption ? text.text.left(g.captionLength) : text.text);
    }
}

void paintFrame(QPainter &painter, const ReportGeometry &g)
{
    painter.save();
    painter.setPen(QPen(Qt::blue, std::max(1, g.pixels(0.25))));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(g.frameInset, g.frameInset, g.pageWidth - 2 * g.frameInset, g.pageHeight - 2 * g.frameInset);
    painter.restore();
}

} // namespace

bool paintReport(const ReportContent &content, QPagedPaintDevice &device)
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const ReportGeometry geometry = reportGeometry(device.logicalDpiX(), device.width(), device.height());
    painter.setPen(Qt::black);
    painter.setBackgroundMode(Qt::TransparentMode);
    const QList<ReportPage> pages = layoutReport(content, geometry);
    for (const ReportPage &page : pages) {
        if (page.number > 1 && !device.newPage())
            return false;
        paintHeader(painter, content, page, geometry);
        for (const PlacedLine &placed : page.lines)
            paintLine(painter, content.lines[placed.line], placed.y, geometry);
        paintFrame(painter, geometry);
    }
    return painter.end();
}
