#pragma once

#include "report/ReportContent.h"

class QPagedPaintDevice;

// Paints the report on device (a printer or a PDF writer), in the device's pixels
// computed from its resolution and page size. False when the device cannot be
// painted on or refuses a new page; the job then ends where it failed.
bool paintReport(const ReportContent &content, QPagedPaintDevice &device);
