#pragma once

// Where the printed settings report puts things, in printer pixels. Positions are
// given in millimetres and converted with the printer's resolution, each truncated
// toward zero, so that the report looks the same on every printer.
struct ReportGeometry {
    double pixelsPerMm = 0;
    int pageWidth = 0;     // printer pixels
    int pageHeight = 0;
    double pageWidthMm = 0;

    int headingColumn = 0;   // section headings, telephone groups, the date
    int captionColumn = 0;   // parameter captions
    int valueColumn = 0;     // values; the title is centred on it
    int thirdColumn = 0;     // telephone numbers
    int fourthColumn = 0;    // the "Confirming" flags
    int lineStep = 0;
    int firstPageTop = 0;    // header of page 1
    int nextPageTop = 0;     // header of the further pages
    int headerGap = 0;       // below the header of a further page, and before the sections
    int frameInset = 0;      // the blue frame, from each page edge
    int pageNumberEnd = 0;   // the page number ends this far from the right edge
    int bottomThreshold = 0; // a line step reaching this ends the page
    int captionLength = 0;   // characters of a caption that are printed

    // Millimetres in printer pixels, truncated toward zero.
    int pixels(double mm) const { return int(pixelsPerMm * mm); }
};

// The geometry of a page pageWidth by pageHeight printer pixels printed at
// dotsPerInch (the horizontal resolution).
ReportGeometry reportGeometry(int dotsPerInch, int pageWidth, int pageHeight);
