#include "SheetFormat.h"

#include "CellText.h"
#include "OdsExport.h"
#include "WorkbookTestSupport.h"
#include "XlsxExport.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QRegularExpression>
#include <QStandardPaths>

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

// Every kind prints on A4, one page wide, with the sheet's name and page count
// in the footer, as the file tells a reader; the header row heads each page of
// a sheet that takes more than one, and only there, where rows are counted by
// their height once the fit to the page width has shrunk them.
TEST_F(SheetFormatTest, EachSheetKindPrintsOnePageWideWithItsHeaderOnEveryPageOfSeveral)
{
    const auto add = [this](const char* name, qint32 columns, qint32 textLength, qint32 rows) {
        sheet = book.worksheets().add(sheet);
        sheet->setName(name);
        sheet->range(QStringLiteral("A1:%1%2").arg(QChar(u'A' + columns - 1)).arg(rows)).setValue(QString(textLength, u'x'));
        return sheet;
    };
    FormatFieldsContentsSheet(add("index", 3, 20, 1), 1);
    FormatFieldsSheet(add("wide", 6, 30, 1), 1);  // too wide for a portrait page at a readable scale
    FormatStoredSheet(add("routines", 4, 10, 1), 1);
    FormatFieldsContentsSheet(add("long", 3, 20, 52), 52);  // a page holds about 50 rows
    FormatFieldsContentsSheet(add("page", 3, 20, 40), 40);
    FormatFieldsSheet(add("shrunk", 6, 100, 60), 60);  // a fifth of its size across the page
    add("tall", 4, 10, 10)->range("B2:B10").setValue(QString(400, u'x'));  // wrapped in five lines
    FormatStoredSheet(sheet, 10);

    QTemporaryDir dir;
    platform::xl::exportXlsx(book, dir.filePath("print.xlsx"));
    const QJsonObject file = readXlsx(dir.filePath("print.xlsx"));
    for (const auto& [name, orientation, titles, area] : {std::tuple{"index", "portrait", false, "$A$1:$C$1"},
             {"wide", "landscape", false, "$A$1:$F$1"}, {"routines", "landscape", false, "$A$1:$D$1"},
             {"long", "portrait", true, "$A$1:$C$52"}, {"page", "portrait", false, "$A$1:$C$40"},
             {"shrunk", "landscape", false, "$A$1:$F$60"}, {"tall", "landscape", true, "$A$1:$D$10"}}) {
        EXPECT_EQ(file["data"][QString::fromLatin1(name)]["page"].toObject(),
            (QJsonObject{{"orientation", orientation}, {"paperSize", 9}, {"fitToPage", true},
                {"fitTo", QJsonArray{1, 0}}, {"printTitleRows", titles ? QJsonValue("$1:$1") : QJsonValue()},
                {"printArea", area},
                {"footer", QJsonArray{"&A", QJsonValue(), "&P / &N"}}}))
            << name;
    }
    EXPECT_EQ(file["data"]["routines"]["cells"]["A1"]["valign"].toString(), "top");
}

// The routine index as LibreOffice itself prints it: the comment and date
// columns share each page, and the header row heads the second page too. A
// column sheet that nearly fills a page without a title row still prints on one.
TEST_F(SheetFormatTest, CalcPrintsEveryColumnOfTheRoutineIndexUnderItsHeaderOnEachPage)
{
    const QString soffice = QStandardPaths::findExecutable("soffice",
        qEnvironmentVariable("PATH").split(u':').filter(QRegularExpression("^(?!.*soffice-standin)")));
    ASSERT_FALSE(soffice.isEmpty()) << "LibreOffice (soffice) is not on PATH";

    const QStringList headers{"オブジェクト名", "コメント", "作成日", "更新日"};
    for (qint32 c = 1; c <= 4; ++c)
        sheet->cells(1, c).setValue(headers[c - 1]);
    sheet->range("A2:A41").setValue(u"usp_受注登録");
    sheet->range("B2:B41").setValue(QStringLiteral("概要 : 受注ヘッダを登録し、採番した受注番号を返す。").repeated(4));
    sheet->range("C2:D41").setValue(QDateTime(QDate(2019, 4, 15), QTime(17, 29)));
    sheet->setName("目次");
    FormatStoredSheet(sheet, 41);
    const XlWorksheet columns = book.worksheets().add(sheet);
    columns->range("A1:F44").setValue(u"顧客コード");
    FormatFieldsSheet(columns, 44);
    ASSERT_GT(columns->pagesTall(), 0.85);  // close below the share that gets a title row
    ASSERT_EQ(columns->pageSetup().printTitleFirstRow, 0);

    // The file users keep and the one handed over to Calc print alike.
    QTemporaryDir dir;
    platform::xl::exportXlsx(book, dir.filePath("routines.xlsx"));
    platform::xl::exportOds(book, dir.filePath("routines.fods"));
    for (const char* suffix : {"xlsx", "fods"}) {
        SCOPED_TRACE(suffix);
        QProcess print;  // a fresh profile, so that no other run of the application interferes
        print.start("sh", {"-c", "\"$0\" -env:UserInstallation=file://$1/profile --headless --convert-to pdf "
            "--outdir \"$1\" \"$1/routines.$2\" >/dev/null && pdftotext -f 2 -l 2 -layout \"$1/routines.pdf\" - "
            "&& pdfinfo \"$1/routines.pdf\"", soffice, dir.path(), suffix});
        ASSERT_TRUE(print.waitForFinished(180000)) << "soffice did not finish";
        const QString page = QString::fromUtf8(print.readAllStandardOutput());
        for (const QString& header : headers)
            EXPECT_TRUE(page.contains(header)) << header.toStdString() << " missing from page 2:\n" << page.toStdString();
        EXPECT_TRUE(page.simplified().remove(u' ').contains("目次2/3")) << page.toStdString();  // the footer
        EXPECT_TRUE(page.contains(QRegularExpression("\\nPages: +3\\n"))) << page.toStdString();
    }
}
