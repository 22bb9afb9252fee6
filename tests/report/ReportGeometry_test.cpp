#include "report/ReportGeometry.h"

#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct GeometryCase {
    const char *name;
    int dpi;
    int width;
    int height;
    double widthMm;
    int heading, caption, value, third, fourth;
    int lineStep, firstTop, nextTop, bottomThreshold;
    int captionLength;
};

const GeometryCase geometryCases[] = {
    // A printable width of 4961 pixels at 600 dpi is a page 210 mm wide.
    {"a4_4961px_600dpi", 600, 4961, 7016, 210.0, 330, 472, 2669, 1850, 3464, 118, 236, 354, 6544, 55},
    // Qt's own A4 at 600 dpi is 3 pixels narrower.
    {"qt_a4_600dpi", 600, 4958, 7016, 209.9, 330, 472, 2667, 1849, 3462, 118, 236, 354, 6544, 55},
    {"a4_300dpi", 300, 2480, 3508, 210.0, 165, 236, 1334, 925, 1732, 59, 118, 177, 3272, 55},
    {"a4_1200dpi", 1200, 9921, 14031, 210.0, 661, 944, 5338, 3700, 6928, 236, 472, 708, 13087, 55},
    // Wider and narrower paper: longer and shorter captions.
    {"letter_600dpi", 600, 5100, 6600, 215.9, 330, 472, 2738, 1896, 3556, 118, 236, 354, 6128, 57},
    {"a5_600dpi", 600, 3496, 4961, 148.0, 330, 472, 1936, 1362, 2488, 118, 236, 354, 4489, 36},
};

class ReportGeometryTest : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(ReportGeometryTest, PositionsInPrinterPixels)
{
    const GeometryCase &c = GetParam();
    const ReportGeometry g = reportGeometry(c.dpi, c.width, c.height);
    EXPECT_NEAR(g.pageWidthMm, c.widthMm, 0.05);
    EXPECT_EQ(g.headingColumn, c.heading);
    EXPECT_EQ(g.captionColumn, c.caption);
    EXPECT_EQ(g.valueColumn, c.value);
    EXPECT_EQ(g.thirdColumn, c.third);
    EXPECT_EQ(g.fourthColumn, c.fourth);
    EXPECT_EQ(g.lineStep, c.lineStep);
    EXPECT_EQ(g.firstPageTop, c.firstTop);
    EXPECT_EQ(g.nextPageTop, c.nextTop);
    EXPECT_EQ(g.bottomThreshold, c.bottomThreshold);
    EXPECT_EQ(g.captionLength, c.captionLength);
}

INSTANTIATE_TEST_SUITE_P(Pages, ReportGeometryTest, ::testing::ValuesIn(geometryCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ReportGeometry, EdgeCaseOf4961PixelsAt600Dpi)
{
    const ReportGeometry g = reportGeometry(600, 4961, 7016);
    EXPECT_NEAR(g.pixelsPerMm, 23.622, 0.001);
    EXPECT_NEAR(g.pageWidthMm, 210.0, 0.02);
    // The value column is at 113 mm.
    EXPECT_EQ(g.valueColumn, g.pixels(113));
}

TEST(ReportGeometry, DegenerateDevicesGiveNoNegativeLengthsOrDivisionByZero)
{
    const ReportGeometry noResolution = reportGeometry(0, 100, 100);
    EXPECT_GT(noResolution.pixelsPerMm, 0);
    const ReportGeometry narrow = reportGeometry(600, 300, 300);  // about 13 mm wide
    EXPECT_EQ(narrow.captionLength, 0);
}

TEST(ReportGeometry, PdfWriterA4At600DpiIs4958PixelsWide)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QPdfWriter writer(folder.filePath(QStringLiteral("page.pdf")));
    writer.setResolution(600);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    EXPECT_EQ(writer.width(), 4958);
    EXPECT_EQ(writer.logicalDpiX(), 600);
}

} // namespace
