#include "report/ReportLayout.h"

#include <gtest/gtest.h>

namespace {

// At 600 dpi: line step 118, page 1 header at 236 and its first line at 354; the
// header of a further page at 354 and its first line at 354 + 70 + 118 = 542.
constexpr int dpi = 600;
constexpr int firstLineY = 354;
constexpr int step = 118;
constexpr int linesOnFirstPage = 50;
// The step after line 50 of page 1 lands exactly on the bottom threshold (height −
// 15 mm − one step): 354 + 50 × 118 = 6254 = 6726 − 354 − 118.
constexpr int exactHeight = firstLineY + linesOnFirstPage * step + 354 + 118;

ReportContent linesOnly(int count)
{
    ReportContent content;
    content.lines.resize(count);
    return content;
}

struct PagingCase {
    const char *name;
    int lines;
    int height;
    QList<int> linesPerPage;
};

const PagingCase pagingCases[] = {
    // The last step reaches the threshold exactly: the page is full, but no line
    // follows, so no empty page is started.
    {"ends_exactly_at_threshold", linesOnFirstPage, exactHeight, {50}},
    {"one_line_after_threshold", linesOnFirstPage + 1, exactHeight, {50, 1}},
    {"ends_one_pixel_before_threshold", linesOnFirstPage, exactHeight + 1, {50}},
    // One pixel less room: the 50th step already reached the threshold one line earlier.
    {"threshold_one_pixel_higher", linesOnFirstPage, exactHeight - 1, {50}},
    {"threshold_one_line_higher", linesOnFirstPage, exactHeight - step, {49, 1}},
    {"empty_report", 0, exactHeight, {0}},
    // Further pages hold fewer lines: their header sits lower and is followed by 3 mm.
    {"three_pages", 50 + 49 + 49 + 3, exactHeight, {50, 49, 49, 3}},
};

class ReportPagingTest : public ::testing::TestWithParam<PagingCase> {};

TEST_P(ReportPagingTest, LinesPerPageAndPageNumbers)
{
    const PagingCase &c = GetParam();
    const ReportGeometry geometry = reportGeometry(dpi, 4961, c.height);
    const QList<ReportPage> pages = layoutReport(linesOnly(c.lines), geometry);
    ASSERT_EQ(pages.size(), c.linesPerPage.size());
    qsizetype next = 0;
    for (int index = 0; index < pages.size(); ++index) {
        const ReportPage &page = pages[index];
        EXPECT_EQ(page.number, index + 1);
        EXPECT_EQ(page.headerY, index == 0 ? 236 : 354);
        EXPECT_EQ(page.lines.size(), c.linesPerPage[index]) << "page " << page.number;
        for (const PlacedLine &placed : page.lines) {
            EXPECT_EQ(placed.line, next++);
            EXPECT_LT(placed.y, geometry.bottomThreshold);
        }
    }
    EXPECT_EQ(next, c.lines);
}

INSTANTIATE_TEST_SUITE_P(Pages, ReportPagingTest, ::testing::ValuesIn(pagingCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ReportLayout, LinePositions)
{
    ReportContent content = linesOnly(linesOnFirstPage + 2);
    content.lines[1].gapBefore = true;
    const QList<ReportPage> pages = layoutReport(content, reportGeometry(dpi, 4961, exactHeight + 70));
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].lines[0].y, firstLineY);
    // 3 mm (70 pixels) more above the line that begins the sections.
    EXPECT_EQ(pages[0].lines[1].y, firstLineY + step + 70);
    EXPECT_EQ(pages[0].lines[2].y, firstLineY + 2 * step + 70);
    ASSERT_EQ(pages[1].lines.size(), 2);
    EXPECT_EQ(pages[1].lines[0].y, 354 + 70 + step);
    EXPECT_EQ(pages[1].lines[1].y, 354 + 70 + 2 * step);
}

TEST(ReportLayout, PageNumberText)
{
    EXPECT_EQ(pageNumberText(1), QStringLiteral(" Page - 1 -"));
    EXPECT_EQ(pageNumberText(12), QStringLiteral(" Page - 12 -"));
}

} // namespace
