#include "Application.h"
#include "CellText.h"

#include "RuntimeError.h"
#include "WorkbookTestSupport.h"
#include "RaisedError.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace platform::xl;
using platform::FieldValue;
using platform::RuntimeError;

namespace {

std::shared_ptr<Workbook> newBook(qint32 defaultSheets)
{
    return std::make_shared<Workbook>(defaultSheets);
}

QStringList names(Workbook& book)
{
    QStringList out;
    for (const auto& sheet : book.worksheets())
        out << sheet->name();
    return out;
}


}  // namespace

TEST(WorkbookTest, AddedSheetsTakeTheNextFreeSheetNameAndBecomeActive)
{
    auto book = newBook(3);
    auto sheets = book->worksheets();
    EXPECT_EQ(names(*book), (QStringList{"Sheet1", "Sheet2", "Sheet3"}));
    EXPECT_EQ(book->activeSheet(), sheets.item(1));

    auto added = sheets.add(sheets.item(sheets.count()));
    EXPECT_EQ(added->name(), "Sheet4");
    EXPECT_EQ(sheets.item(4), added);
    EXPECT_EQ(book->activeSheet(), added);

    // Placed right after the given sheet, not at the end.
    sheets.item(1)->setName("sheet5");
    auto middle = sheets.add(sheets.item(1));
    EXPECT_EQ(middle->name(), "Sheet6");
    EXPECT_EQ(names(*book), (QStringList{"sheet5", "Sheet6", "Sheet2", "Sheet3", "Sheet4"}));

    // Lookup by name ignores case; by position and name outside the book fail with 9.
    EXPECT_EQ(sheets.item("SHEET2"), sheets.item(3));
    EXPECT_EQ(errorOf([&] { sheets.item(0); }), 9);
    EXPECT_EQ(errorOf([&] { sheets.item(6); }), 9);
    EXPECT_EQ(errorOf([&] { sheets.item("nope"); }), 9);
    EXPECT_EQ(errorOf([&] { sheets.add(newBook(1)->worksheets().item(1)); }), 1004);
}

TEST(WorkbookTest, ABrokenSheetNameRaises1004AndKeepsTheOldName)
{
    auto book = newBook(1);
    auto sheet = book->worksheets().add(book->worksheets().item(1));
    const QStringList broken{"", QString(32, u'x'), "a:b", "a\\b", "a/b", "a?b", "a*b", "[x", "x]", "'quoted", "end'",
        "SHEET1", "tab\tbed", QString("a") + QChar(0xD800)};  // the file could not hold the last two
    for (const QString& name : broken) {
        EXPECT_EQ(errorOf([&] { sheet->setName(name); }), 1004) << name.toStdString();
        EXPECT_EQ(sheet->name(), "Sheet2");
    }
    sheet->setName(QString(31, u'表'));
    EXPECT_EQ(sheet->name(), QString(31, u'表'));
    sheet->setName("Order Detail's");
    // A sheet may change the case of its own name.
    book->worksheets().item(1)->setName("sheet1");
    EXPECT_EQ(names(*book), (QStringList{"sheet1", "Order Detail's"}));
}

TEST(WorkbookTest, AnyWantedNameGivesAValidFreeSheetNameAndTheModelTakesIt)
{
    auto book = newBook(1);
    auto sheets = book->worksheets();
    const QString culture = "ProductModelProductDescriptionCulture";
    const QString emojiAtCut = QString(28, u'x') + u"😀"_qs;
    const std::pair<QString, QString> expected[] = {{"Orders", "Orders"}, {"ORDERS", "ORDERS~2"},
        {"orders", "orders~3"}, {"sheet1", "sheet1~2"}, {culture, culture.left(31)},
        {culture + "s", culture.left(29) + "~2"}, {"a:b\\c/d?e*f[g]h\tz", "a_b_c_d_e_f_g_h_z"},
        {"'Quoted'", "Quoted"}, {"'''", "_"}, {QString("a") + QChar(0xD800) + "b", "a_b"},
        {QString(2, u'x') + emojiAtCut, QString(30, u'x')}, {emojiAtCut, emojiAtCut},
        {emojiAtCut.toUpper(), QString(28, u'X') + "~2"}};
    for (const auto& [wanted, name] : expected) {
        auto sheet = sheets.add(sheets.item(sheets.count()));
        EXPECT_EQ(book->sheetNameFor(wanted, sheet.get()), name) << wanted.toStdString();
        sheet->setName(book->sheetNameFor(wanted, sheet.get()));
    }
    EXPECT_EQ(book->sheetNameFor("ORDERS~2", sheets.item(3).get()), "ORDERS~2");  // its own name
}

TEST(WorkbookTest, CellsKeepTheTypeOfTheirValues)
{
    auto book = newBook(1);
    auto sheet = book->worksheets().item(1);
    const QDateTime when(QDate(2024, 2, 29), QTime(13, 5, 7));
    sheet->cells(1, 1).setValue(u"顧客");
    sheet->cells(1, 2).setValue(qint64(4000000000));
    sheet->cells(1, 3).setValue(2.5);
    sheet->cells(1, 4).setValue(when);
    sheet->cells(1, 5).setValue(u"0012");
    sheet->cells(2, 1).setValue(u"x");
    sheet->cells(2, 1).setValue(FieldValue::null());
    sheet->cells(2, 2).setValue(QString());

    EXPECT_EQ(sheet->cells(1, 1).value(), FieldValue(u"顧客"));
    EXPECT_EQ(sheet->cells(1, 2).value().kind(), FieldValue::Kind::Integer);
    EXPECT_EQ(sheet->cells(1, 2).value().toText(), "4000000000");
    EXPECT_EQ(sheet->cells(1, 3).value().toText(), "2.5");
    EXPECT_EQ(sheet->cells(1, 4).value(), FieldValue(when));
    EXPECT_EQ(sheet->cells(1, 5).value(), FieldValue(u"0012"));  // text stays text
    EXPECT_TRUE(sheet->cells(2, 1).value().isEmpty());  // Null leaves the cell empty
    EXPECT_TRUE(sheet->cells(2, 2).value().isEmpty());
    EXPECT_TRUE(sheet->cells(9, 9).value().isEmpty());

    // A text longer than a cell holds keeps its start, whole characters, and says it was cut.
    sheet->cells(1, 6).setValue(QString(kMaxCellTextLength, u'x'));
    EXPECT_EQ(sheet->cells(1, 6).value().text(), QString(kMaxCellTextLength, u'x'));
    sheet->cells(1, 6).setValue(u'a' + u"𠮷"_qs.repeated(kMaxCellTextLength / 2 + 1));
    const QString cut = sheet->cells(1, 6).value().text();
    EXPECT_EQ(cut.size(), kMaxCellTextLength - 1);
    EXPECT_TRUE(cut.startsWith(u"a𠮷𠮷"_qs));
    EXPECT_TRUE(cut.endsWith(u"𠮷…（以下省略）"_qs)) << cut.right(10).toStdString();
    EXPECT_EQ(errorOf([&] { sheet->cells(0, 1); }), 1004);
    EXPECT_EQ(errorOf([&] { sheet->cells(1, kMaxColumns + 1); }), 1004);
    EXPECT_EQ(errorOf([&] { sheet->cells(kMaxRows + 1, 1); }), 1004);
}

TEST(WorkbookTest, ReferencesAreParsedAsTheApplicationDoes)
{
    auto book = newBook(1);
    auto sheet = book->worksheets().item(1);
    const Range block = sheet->range("A1:C12");
    EXPECT_EQ(block.row(), 1);
    EXPECT_EQ(block.column(), 1);
    EXPECT_EQ(block.lastRow(), 12);
    EXPECT_EQ(block.lastColumn(), 3);
    const Range reversed = sheet->range("xfd1048576:b2");
    EXPECT_EQ(reversed.row(), 2);
    EXPECT_EQ(reversed.column(), 2);
    EXPECT_EQ(reversed.lastRow(), kMaxRows);
    EXPECT_EQ(reversed.lastColumn(), kMaxColumns);
    for (const QString bad : {"", "A", "A0", "A01", "1A", "A1:", "XFE1", "A1048577", "A1:C-1", "Ａ1"})
        EXPECT_EQ(errorOf([&] { sheet->range(bad); }), 1004) << bad.toStdString();
    for (const QString bad : {"", "A1", ":C", "XFE", "A:"})
        EXPECT_EQ(errorOf([&] { sheet->columns(bad); }), 9) << bad.toStdString();
    EXPECT_EQ(columnNumber(u"AB"), 28);
    EXPECT_EQ(columnNumber(u"XFD"), kMaxColumns);
}

TEST(WorkbookTest, ASharedLineBelongsToTheCellThatSetItLast)
{
    auto book = newBook(1);
    auto sheet = book->worksheets().item(1);
    const Range block = sheet->range("A1:B3");
    block.borders(12).setLineStyle(-4118);
    block.borders(11).setLineStyle(1);
    sheet->range("A1:B1").borders(9).setLineStyle(1);
    sheet->range("B1:B3").borders(7).setLineStyle(-4142);

    EXPECT_EQ(sheet->cellFormat(1, 1).edges[CellFormat::Bottom], LineStyle::Continuous);
    EXPECT_EQ(sheet->cellFormat(2, 1).edges[CellFormat::Top], LineStyle::None);
    EXPECT_EQ(sheet->cellFormat(2, 1).edges[CellFormat::Bottom], LineStyle::Dot);
    EXPECT_EQ(sheet->cellFormat(3, 1).edges[CellFormat::Bottom], LineStyle::None);  // inside only
    // Setting B's left edge took the line from A's right edge.
    EXPECT_EQ(sheet->cellFormat(1, 1).edges[CellFormat::Right], LineStyle::None);
    EXPECT_EQ(sheet->cellFormat(1, 2).edges[CellFormat::Right], LineStyle::None);
    EXPECT_EQ(errorOf([&] { block.borders(5); }), 9);
    EXPECT_EQ(errorOf([&] { block.borders(7).setLineStyle(-4115); }), 1004);
    EXPECT_EQ(errorOf([&] { block.interior().setColorIndex(57); }), 1004);
    EXPECT_EQ(errorOf([&] { block.font().setColorIndex(0); }), 1004);

    // Equal formats are kept once, however many cells share them.
    const std::size_t formats = book->formats().size();
    sheet->range("C1:C2000").interior().setColorIndex(16);
    EXPECT_EQ(book->formats().size(), formats + 1);
    EXPECT_EQ(paletteColor(16), 0x808080u);
    EXPECT_EQ(paletteColor(2), 0xFFFFFFu);
}

TEST(WorkbookTest, AutoFitCountsWideCharactersTwiceAndReadsBack)
{
    EXPECT_EQ(textDisplayWidth("abc"), 3);
    EXPECT_EQ(textDisplayWidth("顧客ＩＤ"), 8);
    EXPECT_EQ(textDisplayWidth("ｶﾀｶﾅ"), 4);  // half-width forms count one
    EXPECT_EQ(textDisplayWidth("𠮷"), 2);    // outside the BMP
    EXPECT_EQ(textDisplayWidth("abcdef\r\n顧客"), 6);

    auto book = newBook(1);
    auto sheet = book->worksheets().item(1);
    sheet->cells(1, 1).setValue(u"短い");
    sheet->cells(2, 1).setValue(u"オブジェクト名");
    sheet->cells(1, 2).setValue(u"abcdefghijklmn");
    sheet->cells(1, 3).setValue(QDateTime(QDate(2024, 12, 31), QTime(23, 59)));
    sheet->columns("A:D").autoFit();

    const double a = sheet->columns("A").columnWidth();
    const double b = sheet->columns("B").columnWidth();
    EXPECT_EQ(a, b);  // 14 wide units and 14 narrow ones
    EXPECT_GE(a, 14.0);
    EXPECT_LT(a, 20.0);
    EXPECT_GT(sheet->columns("C").columnWidth(), textDisplayWidth("2024/12/31 23:59"));
    EXPECT_EQ(sheet->columns("D").columnWidth(), kStandardColumnWidth);  // nothing to fit

    sheet->columns("B:C").setColumnWidth(40.5);
    EXPECT_EQ(sheet->columns("C").columnWidth(), 40.5);
    EXPECT_EQ(errorOf([&] { sheet->columns("B").setColumnWidth(256); }), 1004);
}

TEST(WorkbookTest, DeletingActivatingAndSelectingFollowTheApplication)
{
    auto book = newBook(3);
    auto sheets = book->worksheets();
    auto second = sheets.item(2);
    second->activate();
    second->deleteSheet();
    EXPECT_TRUE(second->isDeleted());
    EXPECT_EQ(book->activeSheet()->name(), "Sheet3");  // the next one takes over
    EXPECT_EQ(errorOf([&] { second->cells(1, 1); }), -2147221080);
    EXPECT_EQ(errorOf([&] { second->activate(); }), -2147221080);

    auto first = sheets.item(1);
    EXPECT_EQ(errorOf([&] { first->range("B2").select(); }), 1004);  // not active
    first->activate();
    first->range("B2:C3").select();
    EXPECT_EQ(first->selectedRow(), 2);
    EXPECT_EQ(first->selectedColumn(), 2);

    sheets.item(2)->deleteSheet();
    EXPECT_EQ(errorOf([&] { first->deleteSheet(); }), 1004);  // a book keeps one sheet
    EXPECT_EQ(sheets.count(), 1);

    // Handles outliving their workbook see their sheet as gone.
    book.reset();
    EXPECT_TRUE(first->isDeleted());
    EXPECT_EQ(errorOf([&] { first->cells(1, 1).setValue(1); }), -2147221080);
}

TEST(WorkbookTest, ANameIsFreeAgainOnceItsSheetIsRenamedOrDeleted)
{
    auto book = newBook(3);
    auto sheets = book->worksheets();
    sheets.item(1)->setName(u"Ｋunde"_qs);
    sheets.item(2)->setName("SHEET1");  // the first sheet's old name
    auto deleted = sheets.item(3);  // a handle kept past the deletion
    deleted->deleteSheet();
    auto added = sheets.add(sheets.item(2));
    added->setName("sheet3");  // the deleted sheet's name
    // Still taken, in any case, full-width letters included.
    EXPECT_EQ(errorOf([&] { added->setName(u"ｋUNDE"_qs); }), 1004);
    EXPECT_EQ(errorOf([&] { sheets.item(1)->setName("Sheet3"); }), 1004);
    EXPECT_EQ(names(*book), (QStringList{u"Ｋunde"_qs, "SHEET1", "sheet3"}));
}

TEST(WorkbookTest, CreatingTheApplicationNeedsTheSpreadsheetProgramUnlessWorkbooksAreCaptured)
{
    QTemporaryDir empty;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(empty.path()));
    EXPECT_EQ(errorOf([] { Application::create(); }), 429);
    {
        WorkbookCapture capture;
        auto app = Application::create();
        auto book = app->workbooks().add();
        app->setVisible(true);
        EXPECT_EQ(capture.shown(), (std::vector<std::shared_ptr<Workbook>>{book}));
    }
    EXPECT_EQ(errorOf([] { Application::create(); }), 429);
    qputenv("PATH", path);

    SofficeStandIn standIn;
    auto app = Application::create();
    EXPECT_FALSE(app->visible());
    app->setSheetsInNewWorkbook(3);
    EXPECT_EQ(app->workbooks().add()->worksheets().count(), 3);
    EXPECT_EQ(errorOf([&] { app->setSheetsInNewWorkbook(0); }), 1004);
}
