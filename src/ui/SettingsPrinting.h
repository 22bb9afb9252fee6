#pragma once

#include "report/ReportContent.h"

class QWidget;

enum class PrintOutcome { Printed, Cancelled, Failed };

// "Print": the platform's print dialog ("Print to PDF" needs no printer), then the
// settings report on the chosen printer with the hourglass cursor. Nothing is printed
// when the dialog is cancelled. Failed: the printer could not start the job or
// refused a page; the caller tells the technician.
PrintOutcome printSettings(QWidget *parent, const ReportInput &input);

// The report in a print preview window, from which it can also be printed. Returns
// when the window is closed.
void previewSettings(QWidget *parent, const ReportInput &input);
