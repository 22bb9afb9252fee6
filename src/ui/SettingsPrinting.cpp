#include "ui/SettingsPrinting.h"

#include "report/ReportPainter.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace {

// Positions are measured from the paper's edge, not from the printable area.
void preparePrinter(QPrinter &printer, const ReportContent &content)
{
    printer.setFullPage(true);
    printer.setDocName(content.jobTitle);
}

} // namespace

PrintOutcome printSettings(QWidget *parent, const ReportInput &input)
{
    const ReportContent content = buildReport(input, QDate::currentDate());
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, content);
    QPrintDialog dialog(&printer, parent);
    dialog.setWindowTitle(content.jobTitle);
    if (dialog.exec() != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool printed = paintReport(content, printer);
    QApplication::restoreOverrideCursor();
    return printed ? PrintOutcome::Printed : PrintOutcome::Failed;
}

void previewSettings(QWidget *parent, const ReportInput &input)
{
    const ReportContent content = buildReport(input, QDate::currentDate());
    QPrinter printer(QPrinter::HighResolution);
    preparePrinter(printer, content);
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(content.jobTitle);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&content](QPrinter *target) { paintReport(content, *target); });
    preview.exec();
}
