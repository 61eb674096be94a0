#include "IndexLinks.h"

#include <QHash>

void LinkIndexSheet(const XlWorkbook& robjXlBook, const XlWorksheet& robjXlSheet)
{
    // One pass over the sheets instead of one per row: the first sheet of a
    // name wins, as a walk in workbook order would find it.
    QHash<QString, XlWorksheet> sheetsByName;
    for (const XlWorksheet& sheet : robjXlBook->worksheets()) {
        if (!sheetsByName.contains(sheet->name()))
            sheetsByName.insert(sheet->name(), sheet);
    }

    for (qint32 row = 2;; ++row) {
        const QString text = robjXlSheet->cells(row, 1).value().toText();
        if (text.isEmpty())
            break;
        const auto found = sheetsByName.constFind(text);
        if (found == sheetsByName.cend())
            continue;
        const QString name = found.value()->name();
        robjXlSheet->hyperlinks().add(robjXlSheet->cells(row, 1), QString(), name + QStringLiteral("!A1"), name);
    }
    robjXlSheet->activate();
    robjXlSheet->cells(1, 1).select();
}
