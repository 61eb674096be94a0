#include "SheetFormat.h"

namespace {

using platform::xl::BordersIndex;
using platform::xl::LineStyle;

void setLineStyle(const platform::xl::Range& range, BordersIndex index, LineStyle style)
{
    range.borders(static_cast<qint32>(index)).setLineStyle(static_cast<qint32>(style));
}

void formatBlock(const XlWorksheet& sheet, const QString& lastColumn, qint32 lastRow)
{
    DrawGrid(sheet->range(QStringLiteral("A1:%1%2").arg(lastColumn).arg(lastRow)));
    FormatHeaderRow(sheet->range(QStringLiteral("A1:") + lastColumn + u'1'));
}

}  // namespace

void DrawGrid(const platform::xl::Range& robjXlRange)
{
    setLineStyle(robjXlRange, BordersIndex::EdgeLeft, LineStyle::Continuous);
    setLineStyle(robjXlRange, BordersIndex::EdgeTop, LineStyle::Continuous);
    setLineStyle(robjXlRange, BordersIndex::EdgeBottom, LineStyle::Continuous);
    setLineStyle(robjXlRange, BordersIndex::EdgeRight, LineStyle::Continuous);
    setLineStyle(robjXlRange, BordersIndex::InsideVertical, LineStyle::Continuous);
    setLineStyle(robjXlRange, BordersIndex::InsideHorizontal, LineStyle::Dot);
}

void FormatHeaderRow(const platform::xl::Range& robjXlRange)
{
    robjXlRange.interior().setColorIndex(platform::xl::kColorIndexGrey);
    robjXlRange.font().setColorIndex(platform::xl::kColorIndexWhite);
    robjXlRange.font().setBold(true);
    setLineStyle(robjXlRange, BordersIndex::EdgeBottom, LineStyle::Continuous);
}

void FormatFieldsContentsSheet(const XlWorksheet& robjXlSheet, qint32 vlngLastRow)
{
    formatBlock(robjXlSheet, QStringLiteral("C"), vlngLastRow);
    robjXlSheet->columns(QStringLiteral("A:C")).autoFit();
}

void FormatFieldsSheet(const XlWorksheet& robjXlSheet, qint32 vlngLastRow)
{
    formatBlock(robjXlSheet, QStringLiteral("F"), vlngLastRow);
    robjXlSheet->columns(QStringLiteral("A:F")).autoFit();
}

void FormatStoredSheet(const XlWorksheet& robjXlSheet, qint32 vlngLastRow)
{
    formatBlock(robjXlSheet, QStringLiteral("D"), vlngLastRow);
    robjXlSheet->columns(QStringLiteral("A")).autoFit();
    robjXlSheet->columns(QStringLiteral("C:D")).autoFit();
    // The comment column follows the fitted date column, whatever the comments hold.
    auto comment = robjXlSheet->columns(QStringLiteral("B"));
    comment.setColumnWidth(robjXlSheet->columns(QStringLiteral("C")).columnWidth() * 5);
    comment.setWrapText(true);
}
