#include "SheetFormat.h"

#include "CellText.h"

#include <algorithm>
#include <array>

namespace {

using platform::xl::BordersIndex;
using platform::xl::LineStyle;
using platform::xl::PageOrientation;

constexpr double kPointsPerInch = 72;
constexpr double kSideMargin = 0.5 * kPointsPerInch;
// What is left of A4's width between the side margins.
constexpr double kPortraitPrintWidth = platform::xl::kA4Width - 2 * kSideMargin;
// Below this a portrait page shrinks the type more than landscape would need to.
constexpr double kSmallestPortraitScale = 0.85;
// Up to this share of a page a sheet surely prints on one page: the estimate
// of its height may be a few percent short of what the application lays out.
constexpr double kSurelyOnePage = 0.9;

void setLineStyle(const platform::xl::Range& range, BordersIndex index, LineStyle style)
{
    range.borders(static_cast<qint32>(index)).setLineStyle(static_cast<qint32>(style));
}

void formatBlock(const XlWorksheet& sheet, const QString& lastColumn, qint32 lastRow)
{
    DrawGrid(sheet->range(QStringLiteral("A1:%1%2").arg(lastColumn).arg(lastRow)));
    FormatHeaderRow(sheet->range(QStringLiteral("A1:") + lastColumn + u'1'));
}

// The block up to lastColumn and lastRow on one A4 page wide, as many pages
// tall as the rows need, the header row on top of each page of a sheet that
// takes several, and a footer that tells which sheet a page belongs to and
// where it stands. Title rows cost time when LibreOffice opens an .xlsx: it
// sets them before the sheets' own page styles and, for each, lays out the
// page breaks of every sheet of the book, down to the last row a sheet may
// have unless a print area bounds it. So only a sheet on several pages gets a
// title row, and every sheet its print area.
void setUpPages(const XlWorksheet& sheet, PageOrientation orientation, QChar lastColumn, qint32 lastRow,
    qint32 headerRow = 1)
{
    platform::xl::PageSetup& page = sheet->pageSetup();
    page.orientation = orientation;
    page.paperSize = platform::xl::kPaperA4;
    page.fitToPagesWide = 1;
    page.fitToPagesTall = 0;
    page.leftFooter = QStringLiteral("&A");
    page.rightFooter = QStringLiteral("&P / &N");
    page.leftMargin = page.rightMargin = kSideMargin;
    page.topMargin = 0.6 * kPointsPerInch;
    page.bottomMargin = 0.75 * kPointsPerInch;
    page.footerMargin = 0.3 * kPointsPerInch;
    const qint32 titleRow = sheet->pagesTall() > kSurelyOnePage ? headerRow : 0;
    page.printTitleFirstRow = page.printTitleLastRow = titleRow;
    page.printAreaLastRow = lastRow;
    page.printAreaLastColumn = lastColumn.unicode() - u'A' + 1;
}

// Portrait while the columns fit a portrait page at a readable scale; wider
// sheets print larger across a landscape page.
PageOrientation orientationFor(const XlWorksheet& sheet, QChar lastColumn)
{
    double width = 0;
    for (char16_t c = u'A'; c <= lastColumn.unicode(); ++c)
        width += platform::xl::columnPoints(sheet->columns(QString(QChar(c))).columnWidth());
    return width * kSmallestPortraitScale <= kPortraitPrintWidth ? PageOrientation::Portrait
                                                                  : PageOrientation::Landscape;
}

// The routine index: name, (description,) comments, dates; the comments
// five date columns wide, a description three.
void formatStored(const XlWorksheet& sheet, qint32 lastRow, bool description)
{
    const QChar last = description ? u'E' : u'D';
    const QChar firstDate = description ? u'D' : u'C';
    formatBlock(sheet, QString(last), lastRow);
    sheet->columns(QStringLiteral("A")).autoFit();
    sheet->columns(QString(firstDate) + u':' + last).autoFit();
    const double dateWidth = sheet->columns(QString(firstDate)).columnWidth();
    // The comment column follows the fitted date column, whatever the comments hold.
    auto comment = sheet->columns(QString(QChar(firstDate.unicode() - 1)));
    comment.setColumnWidth(dateWidth * 5);
    comment.setWrapText(true);
    if (description) {
        auto text = sheet->columns(QStringLiteral("B"));
        text.setColumnWidth(dateWidth * 3);
        text.setWrapText(true);
    }
    // A comment starts at the top of its row, beside the routine's name.
    sheet->range(QStringLiteral("A1:%1%2").arg(last).arg(lastRow))
        .setVerticalAlignment(static_cast<qint32>(platform::xl::VerticalAlignment::Top));
    // The comment column alone is five date columns wide: only landscape prints it legibly.
    setUpPages(sheet, PageOrientation::Landscape, last, lastRow);
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
    setUpPages(robjXlSheet, orientationFor(robjXlSheet, u'C'), u'C', vlngLastRow);
}

void FormatFieldsSheet(const XlWorksheet& robjXlSheet, qint32 vlngLastRow)
{
    formatBlock(robjXlSheet, QStringLiteral("F"), vlngLastRow);
    robjXlSheet->columns(QStringLiteral("A:F")).autoFit();
    setUpPages(robjXlSheet, orientationFor(robjXlSheet, u'F'), u'F', vlngLastRow);
}

void FormatStoredSheet(const XlWorksheet& robjXlSheet, qint32 vlngLastRow)
{
    formatStored(robjXlSheet, vlngLastRow, false);
}

void FormatDetailedStoredSheet(const XlWorksheet& robjXlSheet, qint32 vlngLastRow)
{
    formatStored(robjXlSheet, vlngLastRow, true);
}

void FormatDetailedContentsSheet(const XlWorksheet& robjXlSheet, qint32 vlngLastRow)
{
    constexpr double kWidestLogicalName = 40;
    formatBlock(robjXlSheet, QStringLiteral("D"), vlngLastRow);
    robjXlSheet->columns(QStringLiteral("A:D")).autoFit();
    auto logicalName = robjXlSheet->columns(QStringLiteral("B"));
    logicalName.setColumnWidth(std::min(logicalName.columnWidth(), kWidestLogicalName));
    logicalName.setWrapText(true);
    setUpPages(robjXlSheet, orientationFor(robjXlSheet, u'D'), u'D', vlngLastRow);
}

void FormatDetailSheet(const XlWorksheet& robjXlSheet, qint32 vlngHeaderRow, qint32 vlngLastRow)
{
    // Fitted to what the columns hold, within widths that keep the eleven
    // columns on one landscape page at a readable scale; longer texts wrap.
    constexpr std::array<double, 11> kWidest{5, 20, 24, 22, 5.5, 4.5, 4.5, 18, 10, 24, 40};
    // Marks fit; names, types, definitions and descriptions may not. Column A
    // wraps too: Calc fits no row to a merged cell, so the section titles
    // and labels merged from A get the height their text needs from the model.
    constexpr std::array<bool, 11> kWraps{true, true, true, true, false, false, false, true, true, true, true};
    constexpr double kDescriptionWidth = 40;
    robjXlSheet->columns(QStringLiteral("A:K")).autoFit();
    for (qint32 c = 0; c < 11; ++c) {
        auto column = robjXlSheet->columns(QString(QChar(u'A' + c)));
        column.setColumnWidth(std::min(column.columnWidth(), kWidest[static_cast<std::size_t>(c)]));
        if (kWraps[static_cast<std::size_t>(c)])
            column.setWrapText(true);
    }
    robjXlSheet->columns(QStringLiteral("K")).setColumnWidth(kDescriptionWidth);
    robjXlSheet->range(QStringLiteral("A1:K%1").arg(vlngLastRow))
        .setVerticalAlignment(static_cast<qint32>(platform::xl::VerticalAlignment::Top));
    setUpPages(robjXlSheet, PageOrientation::Landscape, u'K', vlngLastRow, vlngHeaderRow);
}

void printObjectName(const XlWorksheet& sheet, const QString& objectName)
{
    platform::xl::PageSetup& page = sheet->pageSetup();
    // Room left beside the right section and the codes of both.
    const qsizetype room = platform::xl::kMaxFooterLength - 4 - page.rightFooter.size();
    QString name = objectName;
    QString footer = platform::xl::literalFooterText(name);
    while (footer.size() > room) {
        name.chop(name.size() > 1 && name.back().isLowSurrogate() ? 2 : 1);
        footer = platform::xl::literalFooterText(name);
    }
    page.leftFooter = footer;
}
