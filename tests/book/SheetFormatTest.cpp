#include "SheetFormat.h"

#include "CellText.h"

#include <gtest/gtest.h>

using platform::xl::CellFormat;
using platform::xl::LineStyle;
using platform::xl::Workbook;

namespace {

constexpr LineStyle kNo = LineStyle::None, kLine = LineStyle::Continuous, kDot = LineStyle::Dot;

std::array<LineStyle, 4> edges(const XlWorksheet& sheet, qint32 row, qint32 column)
{
    return sheet->cellFormat(row, column).edges;
}

// left, top, bottom, right
std::array<LineStyle, 4> lines(LineStyle left, LineStyle top, LineStyle bottom, LineStyle right)
{
    return {left, top, bottom, right};
}

class SheetFormatTest : public ::testing::Test {
protected:
    void fill(qint32 rows, qint32 columns)
    {
        for (qint32 c = 1; c <= columns; ++c) {
            for (qint32 r = 1; r <= rows; ++r)
                sheet->cells(r, c).setValue(QStringLiteral("r%1c%2").arg(r).arg(c));
        }
    }

    Workbook book{1};
    XlWorksheet sheet = book.worksheets().item(1);
};

}  // namespace

TEST_F(SheetFormatTest, TheIndexGetsAFramedGridDottedBetweenRowsAndAGreyHeader)
{
    fill(12, 3);
    FormatFieldsContentsSheet(sheet, 12);

    EXPECT_EQ(edges(sheet, 1, 1), lines(kLine, kLine, kLine, kLine));
    EXPECT_EQ(edges(sheet, 1, 3), lines(kNo, kLine, kLine, kLine));
    EXPECT_EQ(edges(sheet, 2, 1), lines(kLine, kNo, kDot, kLine));  // header line stays continuous
    EXPECT_EQ(edges(sheet, 5, 2), lines(kNo, kNo, kDot, kLine));
    EXPECT_EQ(edges(sheet, 12, 3), lines(kNo, kNo, kLine, kLine));
    EXPECT_EQ(edges(sheet, 13, 1), lines(kNo, kNo, kNo, kNo));
    EXPECT_EQ(edges(sheet, 1, 4), lines(kNo, kNo, kNo, kNo));

    for (qint32 c = 1; c <= 3; ++c) {
        const CellFormat& header = sheet->cellFormat(1, c);
        EXPECT_EQ(header.fillColorIndex, 16);
        EXPECT_EQ(header.fontColorIndex, 2);
        EXPECT_TRUE(header.bold);
        EXPECT_FALSE(sheet->cellFormat(2, c).bold);
        EXPECT_EQ(sheet->cellFormat(2, c).fillColorIndex, platform::xl::kColorIndexNone);
        EXPECT_GT(sheet->columnProperty(c).width, 6.0);
    }
    EXPECT_EQ(sheet->columns("D").columnWidth(), platform::xl::kStandardColumnWidth);
}

TEST_F(SheetFormatTest, WithoutDataRowsOnlyTheHeaderRowIsFramed)
{
    fill(1, 3);
    FormatFieldsContentsSheet(sheet, 1);
    EXPECT_EQ(edges(sheet, 1, 1), lines(kLine, kLine, kLine, kLine));
    EXPECT_EQ(edges(sheet, 1, 2), lines(kNo, kLine, kLine, kLine));
    EXPECT_EQ(edges(sheet, 2, 1), lines(kNo, kNo, kNo, kNo));
    EXPECT_TRUE(sheet->cellFormat(1, 3).bold);
}

TEST_F(SheetFormatTest, TheColumnSheetCoversSixColumnsToTheLastRow)
{
    fill(7, 6);
    FormatFieldsSheet(sheet, 7);
    EXPECT_EQ(edges(sheet, 7, 6), lines(kNo, kNo, kLine, kLine));
    EXPECT_EQ(edges(sheet, 6, 6), lines(kNo, kNo, kDot, kLine));
    EXPECT_EQ(edges(sheet, 7, 7), lines(kNo, kNo, kNo, kNo));
    EXPECT_TRUE(sheet->cellFormat(1, 6).bold);
    EXPECT_NE(sheet->columns("F").columnWidth(), platform::xl::kStandardColumnWidth);
}

TEST_F(SheetFormatTest, TheRoutineCommentColumnIsFiveDateColumnsWideAndWraps)
{
    fill(3, 4);
    sheet->cells(2, 2).setValue(QString(300, u'長'));
    sheet->cells(2, 3).setValue(QDateTime(QDate(2023, 6, 1), QTime(13, 45)));
    FormatStoredSheet(sheet, 3);

    const double date = sheet->columns("C").columnWidth();
    EXPECT_GT(date, platform::xl::textDisplayWidth("2023/6/1 13:45"));
    EXPECT_EQ(sheet->columns("B").columnWidth(), date * 5);  // not fitted to the long comment
    EXPECT_TRUE(sheet->columnProperty(2).wrapText);
    EXPECT_TRUE(sheet->cellFormat(2, 2).wrapText);
    EXPECT_FALSE(sheet->cellFormat(2, 3).wrapText);
    EXPECT_EQ(edges(sheet, 3, 4), lines(kNo, kNo, kLine, kLine));
}
