#pragma once

#include "report/ReportContent.h"

// The lines a parameter page contributes to the report: the rows the page shows for
// the model, its features and the current values, in catalogue order, a value shown
// on two pages on both. Telephone numbers come in their groups.
QList<ReportLine> parameterPageLines(int page, const ReportInput &input);
