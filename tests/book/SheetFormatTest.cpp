#include "SheetFormat.h"

#include "CellText.h"
#include "WorkbookTestSupport.h"
#include "XlsxExport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

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

// Every kind prints on A4, one page wide, with the header row on each page and
// the sheet's name and page count in the footer, as the file tells a reader.
TEST(SheetFormatPrintTest, EachSheetKindPrintsOnePageWideWithItsHeaderOnEveryPage)
{
    Workbook book{1};
    auto sheets = book.worksheets();
    const auto add = [&](const QString& name, qint32 columns, qint32 textLength) {
        XlWorksheet sheet = sheets.add(sheets.item(sheets.count()));
        sheet->setName(name);
        for (qint32 c = 1; c <= columns; ++c)
            sheet->cells(1, c).setValue(QString(textLength, u'x'));
        return sheet;
    };
    FormatFieldsContentsSheet(add("index", 3, 20), 1);
    FormatFieldsSheet(add("narrow", 6, 6), 1);
    FormatFieldsSheet(add("wide", 6, 30), 1);  // too wide for a portrait page at full size
    FormatStoredSheet(add("routines", 4, 10), 1);

    QTemporaryDir dir;
    const QString path = dir.filePath("print.xlsx");
    platform::xl::exportXlsx(book, path);
    const QJsonObject file = readXlsx(path);
    for (const auto& [name, orientation] : {std::pair{"index", "portrait"}, {"narrow", "portrait"},
             {"wide", "landscape"}, {"routines", "landscape"}}) {
        const QJsonObject page = file["data"][QString::fromLatin1(name)]["page"].toObject();
        EXPECT_EQ(page["orientation"].toString().toStdString(), orientation) << name;
        EXPECT_EQ(page["paperSize"].toInt(), 9) << name;
        EXPECT_TRUE(page["fitToPage"].toBool()) << name;
        EXPECT_EQ(page["fitToWidth"].toInt(), 1) << name;
        EXPECT_EQ(page["fitToHeight"].toInt(), 0) << name;
        EXPECT_EQ(page["printTitleRows"].toString(), "$1:$1") << name;
        EXPECT_EQ(page["footer"].toArray(), (QJsonArray{"&A", QJsonValue(), "&P / &N"})) << name;
    }
    EXPECT_EQ(file["data"]["routines"]["cells"]["A1"]["valign"].toString(), "top");
}

// The routine index as LibreOffice itself prints it: the comment and date
// columns share each page, and the header row heads the second page too.
TEST(SheetFormatPrintTest, CalcPrintsEveryColumnOfTheRoutineIndexUnderItsHeaderOnEachPage)
{
    QString soffice;
    for (const QString& folder : qEnvironmentVariable("PATH").split(u':', Qt::SkipEmptyParts)) {
        const QFileInfo candidate(QDir(folder).filePath(QStringLiteral("soffice")));
        if (soffice.isEmpty() && !folder.contains(u"soffice-standin") && candidate.isExecutable())
            soffice = candidate.filePath();
    }
    ASSERT_FALSE(soffice.isEmpty()) << "LibreOffice (soffice) is not on PATH";

    Workbook book{1};
    XlWorksheet sheet = book.worksheets().item(1);
    sheet->setName("目次");
    const QStringList headers{"オブジェクト名", "コメント", "作成日", "更新日"};
    for (qint32 c = 1; c <= 4; ++c)
        sheet->cells(1, c).setValue(headers[c - 1]);
    for (qint32 r = 2; r <= 41; ++r) {
        sheet->cells(r, 1).setValue(QStringLiteral("usp_受注登録%1").arg(r));
        sheet->cells(r, 2).setValue(QStringLiteral("概要 : 受注ヘッダを登録し、採番した受注番号を返す。").repeated(4));
        sheet->cells(r, 3).setValue(QDateTime(QDate(2019, 4, 15), QTime(17, 29)));
        sheet->cells(r, 4).setValue(QDateTime(QDate(2021, 6, 14), QTime(10, 35)));
    }
    FormatStoredSheet(sheet, 41);

    QTemporaryDir dir;
    const QString xlsx = dir.filePath("routines.xlsx");
    platform::xl::exportXlsx(book, xlsx);
    QProcess convert;
    convert.start(soffice, {"-env:UserInstallation=" + QUrl::fromLocalFile(dir.filePath("profile")).toString(),
        "--headless", "--convert-to", "pdf", "--outdir", dir.path(), xlsx});
    ASSERT_TRUE(convert.waitForFinished(180000)) << "soffice did not finish";
    QProcess text;
    text.start("pdftotext", {"-f", "2", "-l", "2", "-layout", dir.filePath("routines.pdf"), "-"});
    ASSERT_TRUE(text.waitForFinished(60000));
    const QString page = QString::fromUtf8(text.readAllStandardOutput());
    for (const QString& header : headers)
        EXPECT_TRUE(page.contains(header)) << header.toStdString() << " missing from page 2:\n" << page.toStdString();
    EXPECT_TRUE(page.contains("usp_受注登録41"));
    EXPECT_TRUE(page.contains(QRegularExpression(QStringLiteral("目次\\s+2\\s*/\\s*2")))) << page.toStdString();
}
