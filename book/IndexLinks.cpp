#include "IndexLinks.h"

void LinkIndexSheet(const std::vector<XlWorksheet>& robjObjectSheets, const XlWorksheet& robjXlSheet)
{
    qint32 row = 2;
    for (const XlWorksheet& sheet : robjObjectSheets) {
        const platform::xl::Range anchor = robjXlSheet->cells(row++, 1);
        const QString objectName = anchor.value().toText();
        robjXlSheet->hyperlinks().add(anchor, QString(), sheet->name() + QStringLiteral("!A1"), objectName);
    }
    robjXlSheet->activate();
    robjXlSheet->cells(1, 1).select();
}
