#include "ExcelBook.h"

#include "RuntimeError.h"

#include <QStringList>

namespace {

const QStringList kDefaultSheetNames = {QStringLiteral("Sheet1"), QStringLiteral("Sheet2"), QStringLiteral("Sheet3")};

}  // namespace

void OpenExcelBook(XlApplication& robjXlApp, XlWorkbook& robjXlBook, XlWorksheet& robjXlSheet)
{
    robjXlApp = platform::xl::Application::create();
    robjXlBook = robjXlApp->workbooks().add();
    auto sheets = robjXlBook->worksheets();
    robjXlSheet = sheets.add(sheets.item(sheets.count()));
    robjXlApp->setVisible(false);
    robjXlApp->setDisplayAlerts(false);
}

void ShowExcelBook(XlApplication& robjXlApp, XlWorkbook& robjXlBook, XlWorksheet& robjXlSheet)
{
    // Taken over first, so the caller's handles are released whatever happens;
    // they go in the order sheet, book, application.
    const XlApplication app = std::move(robjXlApp);
    const XlWorkbook book = std::move(robjXlBook);
    const XlWorksheet sheet = std::move(robjXlSheet);
    robjXlApp.reset();
    robjXlBook.reset();
    robjXlSheet.reset();
    if (book)
        deleteDefaultSheets(book);
    if (app)
        app->setVisible(true);
}

void deleteDefaultSheets(const XlWorkbook& book)
{
    for (const XlWorksheet& sheet : book->defaultSheets()) {
        if (kDefaultSheetNames.contains(sheet->name()))
            DeleteSheet(sheet->name(), book);
    }
}

void DeleteSheet(const QString& vstrName, const XlWorkbook& robjXlBook)
{
    auto sheets = robjXlBook->worksheets();
    for (const XlWorksheet& sheet : sheets) {
        if (sheet->name() == vstrName) {
            sheets.item(vstrName)->deleteSheet();
            return;
        }
    }
}
