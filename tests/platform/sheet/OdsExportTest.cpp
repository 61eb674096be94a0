#include "OdsExport.h"

#include "Workbook.h"
#include "WorkbookTestSupport.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QTemporaryDir>

using namespace platform::xl;

// What LibreOffice needs to print a sheet as the .xlsx would, read back by an
// independent parser: header rows only where the model has title rows, the
// print area, the page style with its fit and footer fields, and the values.
TEST(OdsExportTest, TitleRowsBecomeHeaderRowsAndTheRestReadsBackAsBuilt)
{
    Workbook book(1);
    auto sheets = book.worksheets();
    auto index = sheets.item(1);
    index->setName(u"目次"_qs);
    auto detail = sheets.add(index);
    detail->setName(u"Order's Detail"_qs);
    index->cells(1, 1).setValue(u"オブジェクト名"_qs);
    index->cells(2, 1).setValue(u"Order's Detail"_qs);
    index->hyperlinks().add(index->cells(2, 1), QString(), u"'Order''s Detail'!A1"_qs, u"Order's Detail"_qs);
    index->cells(2, 2).setValue(QDateTime(QDate(2023, 4, 1), QTime(9, 15, 30)));
    detail->cells(1, 1).setValue(u"列名"_qs);
    detail->cells(2, 1).setValue(u"  二つの空白  と\tタブ\n次の行 "_qs);
    detail->cells(2, 2).setValue(qint64(256));
    // What XML cannot hold shows as U+FFFD or a blank; a CR LF ends a line as LF does.
    detail->cells(2, 4).setValue(u"a\uFFFEb\r\nc\u0001d"_qs);
    detail->cells(3, 3).setValue(u"x"_qs);
    detail->cells(3, 1).setValue(u"merged"_qs);
    detail->range(u"A3:B3"_qs).merge();
    detail->range(u"C3"_qs).select();
    index->activate();

    PageSetup& page = detail->pageSetup();
    page.orientation = PageOrientation::Landscape;
    page.paperSize = kPaperA4;
    page.fitToPagesWide = 1;
    page.printTitleFirstRow = page.printTitleLastRow = 1;
    page.printAreaLastRow = 3;
    page.printAreaLastColumn = 3;
    page.leftFooter = literalFooterText(u"A&B&G"_qs);
    page.rightFooter = u"&P / &N"_qs;
    index->pageSetup().leftFooter = u"&A"_qs;

    QTemporaryDir dir;
    const QString path = dir.filePath(u"book.fods"_qs);
    exportOds(book, path);
    const QJsonObject file = readOds(path);

    EXPECT_EQ(file[u"sheets"_qs].toArray(), (QJsonArray{u"目次"_qs, u"Order's Detail"_qs}));
    EXPECT_EQ(file[u"active"_qs].toString(), u"目次"_qs);
    const QJsonObject first = file[u"data"_qs][u"目次"_qs].toObject();
    const QJsonObject second = file[u"data"_qs][u"Order's Detail"_qs].toObject();
    EXPECT_TRUE(first[u"headerRows"_qs].toArray().isEmpty());
    EXPECT_EQ(second[u"headerRows"_qs].toArray(), QJsonArray{1});
    EXPECT_TRUE(first[u"printRanges"_qs].isNull());
    EXPECT_EQ(second[u"printRanges"_qs].toString(), u"'Order''s Detail'.A1:'Order''s Detail'.C3"_qs);

    EXPECT_EQ(first[u"links"_qs][u"A2"_qs].toString(), u"#'Order''s Detail'.A1"_qs);
    EXPECT_EQ(first[u"cells"_qs][u"A2"_qs][u"text"_qs].toString(), u"Order's Detail"_qs);
    EXPECT_EQ(first[u"cells"_qs][u"B2"_qs][u"t"_qs].toString(), u"date"_qs);
    EXPECT_EQ(first[u"cells"_qs][u"B2"_qs][u"v"_qs].toString(), u"2023-04-01T09:15:30.000"_qs);
    EXPECT_EQ(second[u"cells"_qs][u"A2"_qs][u"text"_qs].toString(), u"  二つの空白  と\tタブ\n次の行 "_qs);
    EXPECT_EQ(second[u"cells"_qs][u"D2"_qs][u"text"_qs].toString(), u"a\uFFFDb\nc d"_qs);
    EXPECT_EQ(second[u"cells"_qs][u"B2"_qs][u"t"_qs].toString(), u"float"_qs);
    EXPECT_EQ(second[u"cells"_qs][u"B2"_qs][u"v"_qs].toString(), u"256"_qs);
    EXPECT_EQ(second[u"selection"_qs].toArray(), (QJsonArray{2, 2}));
    EXPECT_EQ(second[u"merged"_qs].toArray(), QJsonArray{u"A3:B3"_qs});
    EXPECT_EQ(second[u"cells"_qs][u"C3"_qs][u"text"_qs].toString(), u"x"_qs) << "a covered cell keeps its column";

    const QJsonObject sheetPage = second[u"page"_qs].toObject();
    EXPECT_EQ(sheetPage[u"orientation"_qs].toString(), u"landscape"_qs);
    EXPECT_EQ(sheetPage[u"width"_qs].toString(), u"297mm"_qs);
    EXPECT_EQ(sheetPage[u"scaleTo"_qs].toArray(), (QJsonArray{u"1"_qs, u"0"_qs}));
    EXPECT_EQ(sheetPage[u"firstPageNumber"_qs].toString(), u"continue"_qs) << "pages count on through the book";
    EXPECT_EQ(sheetPage[u"footer"_qs].toArray(), (QJsonArray{u"A&B&G"_qs, QString(), u"&P / &N"_qs}));
    EXPECT_EQ(first[u"page"_qs][u"footer"_qs][0].toString(), u"&A"_qs);
    EXPECT_TRUE(first[u"page"_qs][u"scaleTo"_qs][0].isNull());
}
