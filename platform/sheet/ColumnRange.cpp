#include "ColumnRange.h"

#include "CellText.h"
#include "SheetErrors.h"
#include "Worksheet.h"

#include <QSet>

#include <algorithm>
#include <cmath>
#include <vector>

namespace platform::xl {

namespace {

// Widths AutoFit gives, in characters of the standard font. The margin keeps
// bold header text and proportional glyphs from touching the grid lines.
double fittedWidth(qint32 displayWidth)
{
    return std::min(kMaxColumnWidth, std::ceil(displayWidth * 1.1) + 1.0);
}

}  // namespace

ColumnRange::ColumnRange(std::shared_ptr<Worksheet> sheet, qint32 firstColumn, qint32 lastColumn)
    : sheet_(std::move(sheet)), firstColumn_(firstColumn), lastColumn_(lastColumn)
{
}

void ColumnRange::autoFit()
{
    sheet_->requireWorkbook();
    std::vector<qint32> widest(static_cast<std::size_t>(lastColumn_ - firstColumn_ + 1), 0);
    // As in the application, a cell merged across columns has no say.
    QSet<quint64> mergedAcross;
    for (const Worksheet::Area& area : sheet_->merged_) {
        if (area.firstColumn != area.lastColumn)
            mergedAcross.insert(Worksheet::cellKey(area.firstRow, area.firstColumn));
    }
    for (qint32 r = 1; r <= sheet_->rowCount(); ++r) {
        const std::vector<Cell>& row = sheet_->rows_[static_cast<std::size_t>(r - 1)];
        const qint32 end = std::min<qint32>(lastColumn_, static_cast<qint32>(row.size()));
        for (qint32 c = firstColumn_; c <= end; ++c) {
            const FieldValue& value = row[static_cast<std::size_t>(c - 1)].value;
            if (value.isEmpty() || (!mergedAcross.isEmpty() && mergedAcross.contains(Worksheet::cellKey(r, c))))
                continue;
            qint32& w = widest[static_cast<std::size_t>(c - firstColumn_)];
            w = std::max(w, textDisplayWidth(displayText(value)));
        }
    }
    for (qint32 c = firstColumn_; c <= lastColumn_; ++c) {
        const qint32 w = widest[static_cast<std::size_t>(c - firstColumn_)];
        if (w == 0)
            continue;
        Worksheet::Column& column = sheet_->columnAt(c);
        column.width = fittedWidth(w);
        column.customWidth = true;
    }
}

double ColumnRange::columnWidth() const
{
    sheet_->requireWorkbook();
    return sheet_->columnProperty(firstColumn_).width;
}

void ColumnRange::setColumnWidth(double width)
{
    sheet_->requireWorkbook();
    if (!(width >= 0.0 && width <= kMaxColumnWidth))
        throwApplicationDefined(QStringLiteral("Range クラスの ColumnWidth プロパティを設定できません。"));
    for (qint32 c = firstColumn_; c <= lastColumn_; ++c) {
        Worksheet::Column& column = sheet_->columnAt(c);
        column.width = width;
        column.customWidth = true;
    }
}

void ColumnRange::setWrapText(bool wrap)
{
    for (qint32 c = firstColumn_; c <= lastColumn_; ++c)
        sheet_->columnAt(c).wrapText = wrap;
    // Cells already formatted take the setting too, as in the application.
    sheet_->changeFormats(1, firstColumn_, std::max<qint32>(1, sheet_->rowCount()), lastColumn_, false,
        [wrap](CellFormat& f) { f.wrapText = wrap; });
}

}  // namespace platform::xl
