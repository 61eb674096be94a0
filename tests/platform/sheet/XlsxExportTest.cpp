#include "XlsxExport.h"

#include "RuntimeError.h"
#include "SheetLimits.h"
#include "Workbook.h"
#include "WorkbookTestSupport.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QTemporaryDir>

using namespace platform::xl;

namespace {

QJsonObject edges(const QString& left, const QString& top, const QString& bottom, const QString& right)
{
    const auto style = [](const QString& s) { return s.isEmpty() ? QJsonValue() : QJsonValue(s); };
    return {{"left", style(left)}, {"top", style(top)}, {"bottom", style(bottom)}, {"right", style(right)}};
}

}  // namespace

TEST(XlsxExportTest, TheFileHoldsWhatTheModelHolds)
{
    auto book = std::make_shared<Workbook>(1);
    auto sheets = book->worksheets();
    auto index = sheets.add(sheets.item(1));
    index->setName("目次");
    auto detail = sheets.add(index);
    detail->setName("Order Detail");
    detail->cells(3, 2).setValue(u"x");
    detail->range("B3").select();

    const QDateTime created(QDate(2023, 4, 1), QTime(9, 15, 30));
    index->cells(1, 1).setValue(u"オブジェクト名");
    index->cells(1, 2).setValue(u"作成日");
    index->cells(1, 3).setValue(u"件数");
    index->cells(2, 1).setValue(u"Order Detail");
    index->cells(2, 2).setValue(created);
    index->cells(2, 3).setValue(42);
    index->cells(3, 1).setValue(u"顧客");
    index->cells(3, 2).setValue(platform::FieldValue::null());
    index->cells(3, 3).setValue(2.5);
    const Range block = index->range("A1:C3");
    for (qint32 edge : {7, 8, 9, 10, 11})
        block.borders(edge).setLineStyle(1);
    block.borders(12).setLineStyle(-4118);
    const Range header = index->range("A1:C1");
    header.interior().setColorIndex(16);
    header.font().setColorIndex(2);
    header.font().setBold(true);
    header.borders(9).setLineStyle(1);
    index->columns("A:C").autoFit();
    index->columns("B").setColumnWidth(50);
    index->columns("B").setWrapText(true);
    index->hyperlinks().add(index->cells(2, 1), QString(), "Order Detail!A1", "Order Detail");
    index->activate();
    index->cells(1, 1).select();

    QTemporaryDir dir;
    const QString path = dir.filePath("出力.xlsx");
    exportXlsx(*book, path);
    const QJsonObject file = readXlsx(path);

    EXPECT_EQ(file["sheets"].toArray(), (QJsonArray{"Sheet1", "目次", "Order Detail"}));
    EXPECT_EQ(file["active"].toString(), "目次");
    const QJsonObject sheet = file["data"][QStringLiteral("目次")].toObject();
    EXPECT_TRUE(sheet["tabSelected"].toBool());
    EXPECT_FALSE(file["data"][QStringLiteral("Sheet1")][QStringLiteral("tabSelected")].toBool());
    EXPECT_EQ(sheet["selection"].toString(), "A1");
    EXPECT_EQ(file["data"][QStringLiteral("Order Detail")][QStringLiteral("selection")].toString(), "B3");
    const QJsonObject cells = sheet["cells"].toObject();

    const QJsonObject a1 = cells["A1"].toObject();
    EXPECT_EQ(a1["v"].toString(), "オブジェクト名");
    EXPECT_EQ(a1["fill"].toString(), "808080");
    EXPECT_EQ(a1["fontColor"].toString(), "FFFFFF");
    EXPECT_TRUE(a1["bold"].toBool());
    EXPECT_EQ(a1["border"].toObject(), edges("thin", "thin", "thin", "thin"));
    EXPECT_EQ(cells["C1"][QStringLiteral("border")].toObject(), edges("", "thin", "thin", "thin"));

    const QJsonObject a2 = cells["A2"].toObject();
    EXPECT_EQ(a2["t"].toString(), "s");
    EXPECT_EQ(a2["v"].toString(), "Order Detail");
    EXPECT_EQ(a2["underline"].toString(), "single");
    EXPECT_FALSE(a2["bold"].toBool());
    EXPECT_TRUE(a2["fill"].isNull());
    EXPECT_EQ(a2["border"].toObject(), edges("thin", "", "dotted", "thin"));
    EXPECT_EQ(cells["B2"][QStringLiteral("t")].toString(), "d");
    EXPECT_EQ(cells["B2"][QStringLiteral("v")].toString(), "2023-04-01T09:15:30");
    EXPECT_EQ(cells["B2"][QStringLiteral("fmt")].toString(), "yyyy/m/d h:mm");
    EXPECT_TRUE(cells["B2"][QStringLiteral("wrap")].toBool());
    EXPECT_EQ(cells["C2"][QStringLiteral("t")].toString(), "n");
    EXPECT_EQ(cells["C2"][QStringLiteral("v")].toInt(), 42);
    EXPECT_EQ(cells["C3"][QStringLiteral("v")].toDouble(), 2.5);
    EXPECT_EQ(cells["C3"][QStringLiteral("border")].toObject(), edges("", "", "thin", "thin"));
    // A Null cell keeps its formatting and no value.
    EXPECT_TRUE(cells["B3"][QStringLiteral("v")].isNull());
    EXPECT_EQ(cells["B3"][QStringLiteral("border")].toObject(), edges("", "", "thin", "thin"));

    const QJsonObject link = sheet["links"][QStringLiteral("A2")].toObject();
    EXPECT_EQ(link["location"].toString(), "'Order Detail'!A1");
    EXPECT_TRUE(link["target"].isNull());
    EXPECT_EQ(link["display"].toString(), "Order Detail");

    // Widths as the file stores them: the model's characters plus the cell padding.
    const QJsonObject widths = sheet["widths"].toObject();
    const auto stored = [](double width) { return (int(width * 7 + 0.5) + 5) / 7.0; };
    EXPECT_NEAR(widths["A"].toDouble(), stored(index->columns("A").columnWidth()), 0.01);
    EXPECT_NEAR(widths["B"].toDouble(), stored(50), 0.01);
    EXPECT_TRUE(sheet["columnWrap"][QStringLiteral("B")].toBool());
}

TEST(XlsxExportTest, LinkLocationsQuoteTheSheetNameWhereAReferenceNeedsIt)
{
    const std::pair<QString, QString> expected[] = {
        {"Customers", "Customers!A1"},
        {u"顧客"_qs, u"顧客!A1"_qs},
        {"Order Details", "'Order Details'!A1"},
        {"O'Brien", "'O''Brien'!A1"},
        {"1099_Orders", "'1099_Orders'!A1"},
        {"AB12", "'AB12'!A1"},
        {"R1C1", "'R1C1'!A1"},
        {"Order-Detail.v2", "'Order-Detail.v2'!A1"},
        {u"受注 明細"_qs, u"'受注 明細'!A1"_qs},
    };
    Workbook book(1);
    auto sheets = book.worksheets();
    const auto index = sheets.item(1);
    qint32 row = 1;
    for (const auto& [name, location] : expected) {
        sheets.add(sheets.item(sheets.count()))->setName(name);
        index->hyperlinks().add(index->cells(row++, 1), QString(), name + "!A1", name);
    }
    QTemporaryDir dir;
    exportXlsx(book, dir.filePath("links.xlsx"));
    const QJsonObject links = readXlsx(dir.filePath("links.xlsx"))["data"][QStringLiteral("Sheet1")][QStringLiteral("links")].toObject();
    row = 1;
    for (const auto& [name, location] : expected)
        EXPECT_EQ(links[QStringLiteral("A%1").arg(row++)]["location"].toString(), location);
}

TEST(XlsxExportTest, RowsOfWrappedTextAreAsTallAsCalcDrawsThem)
{
    auto book = std::make_shared<Workbook>(1);
    auto sheet = book->worksheets().item(1);
    sheet->columns("B").setColumnWidth(10);
    sheet->columns("B").setWrapText(true);
    // The heights LibreOffice Calc 7.4 gives these rows itself (optimal row
    // height, DejaVu Sans and Noto Sans CJK JP), in points; none for row 1.
    const std::pair<const char16_t*, double> rows[] = {
        {u"short", 0},
        {u"twenty-five characters..", 27.75},  // two lines: it breaks at the blank
        {u"一二三四五六七八九十", 32.26},
        {u"a\nb\nc\nd", 54.74},
        {u"WWWWWWWWWWWWWWWW", 41.24},          // wide letters: three lines
        {u"受注を登録 Order entry ○ 在庫 ※ 引当", 61.91},  // ○ and ※ full-width beside Japanese
    };
    for (qint32 r = 0; r < qint32(std::size(rows)); ++r)
        sheet->cells(r + 1, 2).setValue(QString::fromUtf16(rows[r].first));
    sheet->cells(7, 1).setValue(u"no wrap in column A, however long the text may be");
    // Merged across B:C a text wraps in their joint width: one line, where B alone takes two.
    sheet->range("B8:B9").setValue(u"abcdefghijklmn"_qs);
    sheet->range("B8:C8").merge();

    QTemporaryDir dir;
    const QString path = dir.filePath("wrap.xlsx");
    exportXlsx(*book, path);
    const QJsonObject file = readXlsx(path)["data"][QStringLiteral("Sheet1")].toObject();
    const QJsonObject heights = file[QStringLiteral("rowHeights")].toObject();

    EXPECT_FALSE(heights.contains("1"));
    for (qint32 r = 1; r < qint32(std::size(rows)); ++r) {  // never clipped, never a line more than Calc draws
        const double height = heights[QString::number(r + 1)].toDouble();
        EXPECT_TRUE(height >= rows[r].second - 0.01 && height < rows[r].second + 5) << r + 1 << ": " << height;
    }
    EXPECT_FALSE(heights.contains("7"));
    EXPECT_FALSE(heights.contains("8"));
    EXPECT_TRUE(heights.contains("9"));
    EXPECT_EQ(file[QStringLiteral("merged")].toArray(), QJsonArray{QStringLiteral("B8:C8")});
}

TEST(XlsxExportTest, UntrustedTextStaysTextAndLeavesTheFileWhole)
{
    QString controls = u"改行\r\nタブ\t"_qs;
    for (char16_t c = 1; c < 0x20; ++c)
        controls += QChar(c);
    const QString unwritable = QString(u"a\0b\uFFFEc\uFFFFd"_qs) + QChar(0xD800) + u'e' + QChar(0xDC00);
    const QString cells[] = {u"=SUM(A1:A9)"_qs, controls, u"_x0041_ と _x00e9_"_qs, unwritable,
        u"仕様書\n"_qs.repeated(kMaxCellTextLength / 4 + 1)};
    Workbook book(1);
    const auto sheet = book.worksheets().item(1);
    for (qint32 r = 0; r < qint32(std::size(cells)); ++r)
        sheet->cells(r + 1, 1).setValue(cells[r]);
    sheet->hyperlinks().add(sheet->cells(6, 1), QString(), "Sheet1!A1", u"リンク\u0001\uFFFE"_qs);
    sheet->pageSetup().centerFooter = u"フッター\uFFFE"_qs;

    QTemporaryDir dir;
    exportXlsx(book, dir.filePath("untrusted.xlsx"));
    const QJsonObject out = readXlsx(dir.filePath("untrusted.xlsx"))["data"][QStringLiteral("Sheet1")].toObject();
    const auto read = [&](const char* cell) { return out["cells"][QLatin1String(cell)][QStringLiteral("v")].toString(); };
    EXPECT_EQ(out["cells"][QStringLiteral("A1")][QStringLiteral("t")].toString(), "s");  // text, never a formula
    EXPECT_EQ(read("A1"), cells[0]);
    EXPECT_EQ(read("A2"), controls);
    EXPECT_EQ(read("A3"), cells[2]);
    EXPECT_EQ(read("A4"), u"a\uFFFDb\uFFFDc\uFFFDd\uFFFDe\uFFFD"_qs);
    EXPECT_EQ(read("A5").size(), kMaxCellTextLength);
    EXPECT_EQ(read("A5"), sheet->cells(5, 1).value().text());
    EXPECT_EQ(read("A6"), u"リンク\u0001\uFFFD"_qs);
    EXPECT_EQ(out["page"][QStringLiteral("footer")][1].toString(), u"フッター\uFFFD"_qs);
}

TEST(XlsxExportTest, AFileThatCannotBeWrittenRaisesAnError)
{
    Workbook book(1);
    try {
        exportXlsx(book, "/nonexistent-folder/book.xlsx");
        FAIL() << "no error";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::error_number::kGenericFailure);
        EXPECT_FALSE(e.description().isEmpty());
    }
}
