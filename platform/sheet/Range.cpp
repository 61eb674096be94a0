#include "Range.h"

#include "ObjectErrors.h"
#include "SheetErrors.h"
#include "Workbook.h"

#include <algorithm>

namespace platform::xl {

namespace {

bool validColorIndex(qint32 colorIndex)
{
    return colorIndex == kColorIndexNone || colorIndex == kColorIndexAutomatic
        || (colorIndex >= 1 && colorIndex <= 56);
}

// A text longer than a cell holds keeps its start and ends with a mark that
// says so: one description or comment too long must not cost the document.
FieldValue cellValue(const FieldValue& value)
{
    if (value.kind() != FieldValue::Kind::Text || value.text().size() <= kMaxCellTextLength)
        return value;
    const QString mark = QStringLiteral("…（以下省略）");
    qsizetype kept = kMaxCellTextLength - mark.size();
    if (value.text()[kept - 1].isHighSurrogate())
        --kept;
    return FieldValue(value.text().left(kept) + mark);
}

}  // namespace

Range::Range(std::shared_ptr<Worksheet> sheet, qint32 firstRow, qint32 firstColumn, qint32 lastRow, qint32 lastColumn)
    : sheet_(std::move(sheet)),
      firstRow_(std::min(firstRow, lastRow)),
      firstColumn_(std::min(firstColumn, lastColumn)),
      lastRow_(std::max(firstRow, lastRow)),
      lastColumn_(std::max(firstColumn, lastColumn))
{
}

FieldValue Range::value() const
{
    sheet_->requireWorkbook();
    const Cell* cell = sheet_->cell(firstRow_, firstColumn_);
    return cell ? cell->value : FieldValue();
}

void Range::setValue(const FieldValue& value)
{
    sheet_->requireWorkbook();
    const bool empty = value.isNull() || (value.kind() == FieldValue::Kind::Text && value.text().isEmpty());
    const FieldValue held = empty ? FieldValue() : cellValue(value);
    for (qint32 r = firstRow_; r <= lastRow_; ++r) {
        for (qint32 c = firstColumn_; c <= lastColumn_; ++c)
            sheet_->cellAt(r, c).value = held;
    }
}

void Range::merge()
{
    sheet_->requireWorkbook();
    if (firstRow_ == lastRow_ && firstColumn_ == lastColumn_)
        return;
    for (const Worksheet::Area& area : sheet_->merged_) {
        if (area.firstRow <= lastRow_ && firstRow_ <= area.lastRow && area.firstColumn <= lastColumn_
            && firstColumn_ <= area.lastColumn)
            throwApplicationDefined();
    }
    sheet_->merged_.push_back({firstRow_, firstColumn_, lastRow_, lastColumn_});
    sheet_->rowHeights_.clear();
}

Border Range::borders(qint32 index) const
{
    if (index < static_cast<qint32>(BordersIndex::EdgeLeft) || index > static_cast<qint32>(BordersIndex::InsideHorizontal))
        throwSubscriptOutOfRange();
    return Border(*this, static_cast<BordersIndex>(index));
}

Interior Range::interior() const
{
    return Interior(*this);
}

Font Range::font() const
{
    return Font(*this);
}

void Range::select()
{
    Workbook& book = sheet_->requireWorkbook();
    if (book.activeSheet() != sheet_)
        throwApplicationDefined(QStringLiteral("Range クラスの Select メソッドが失敗しました。"));
    sheet_->selectedRow_ = firstRow_;
    sheet_->selectedColumn_ = firstColumn_;
}

void Range::setVerticalAlignment(qint32 alignment)
{
    const auto align = static_cast<VerticalAlignment>(alignment);
    if (align != VerticalAlignment::Top && align != VerticalAlignment::Center && align != VerticalAlignment::Bottom)
        throwApplicationDefined(QStringLiteral("Range クラスの VerticalAlignment プロパティを設定できません。"));
    sheet_->changeFormats(firstRow_, firstColumn_, lastRow_, lastColumn_, true,
        [align](CellFormat& f) { f.verticalAlignment = align; });
}

void Border::setLineStyle(qint32 value)
{
    const auto style = static_cast<LineStyle>(value);
    if (style != LineStyle::None && style != LineStyle::Continuous && style != LineStyle::Dot)
        throwApplicationDefined(QStringLiteral("Border クラスの LineStyle プロパティを設定できません。"));

    Worksheet& sheet = *range_.worksheet();
    const qint32 r1 = range_.row(), c1 = range_.column(), r2 = range_.lastRow(), c2 = range_.lastColumn();
    // A line between two cells belongs to one of them: setting it on one side
    // clears it on the other, so the later call wins as in the application.
    const auto set = [&](qint32 ra, qint32 ca, qint32 rb, qint32 cb, CellFormat::Edge edge) {
        if (ra <= rb && ca <= cb)
            sheet.changeFormats(ra, ca, rb, cb, true, [&](CellFormat& f) { f.edges[edge] = style; });
    };
    const auto clear = [&](qint32 ra, qint32 ca, qint32 rb, qint32 cb, CellFormat::Edge edge) {
        if (ra >= 1 && ca >= 1 && ra <= rb && ca <= cb && rb <= kMaxRows && cb <= kMaxColumns)
            sheet.changeFormats(ra, ca, rb, cb, false, [&](CellFormat& f) { f.edges[edge] = LineStyle::None; });
    };
    switch (index_) {
    case BordersIndex::EdgeLeft:
        set(r1, c1, r2, c1, CellFormat::Left);
        clear(r1, c1 - 1, r2, c1 - 1, CellFormat::Right);
        break;
    case BordersIndex::EdgeTop:
        set(r1, c1, r1, c2, CellFormat::Top);
        clear(r1 - 1, c1, r1 - 1, c2, CellFormat::Bottom);
        break;
    case BordersIndex::EdgeBottom:
        set(r2, c1, r2, c2, CellFormat::Bottom);
        clear(r2 + 1, c1, r2 + 1, c2, CellFormat::Top);
        break;
    case BordersIndex::EdgeRight:
        set(r1, c2, r2, c2, CellFormat::Right);
        clear(r1, c2 + 1, r2, c2 + 1, CellFormat::Left);
        break;
    case BordersIndex::InsideVertical:
        set(r1, c1, r2, c2 - 1, CellFormat::Right);
        clear(r1, c1 + 1, r2, c2, CellFormat::Left);
        break;
    case BordersIndex::InsideHorizontal:
        set(r1, c1, r2 - 1, c2, CellFormat::Bottom);
        clear(r1 + 1, c1, r2, c2, CellFormat::Top);
        break;
    }
}

void Interior::setColorIndex(qint32 colorIndex)
{
    if (!validColorIndex(colorIndex))
        throwApplicationDefined(QStringLiteral("Interior クラスの ColorIndex プロパティを設定できません。"));
    const qint32 fill = colorIndex == kColorIndexAutomatic ? kColorIndexNone : colorIndex;
    range_.worksheet()->changeFormats(range_.row(), range_.column(), range_.lastRow(), range_.lastColumn(), true,
        [fill](CellFormat& f) { f.fillColorIndex = fill; });
}

void Font::setColorIndex(qint32 colorIndex)
{
    if (!validColorIndex(colorIndex))
        throwApplicationDefined(QStringLiteral("Font クラスの ColorIndex プロパティを設定できません。"));
    const qint32 color = colorIndex == kColorIndexNone ? kColorIndexAutomatic : colorIndex;
    range_.worksheet()->changeFormats(range_.row(), range_.column(), range_.lastRow(), range_.lastColumn(), true,
        [color](CellFormat& f) { f.fontColorIndex = color; });
}

void Font::setBold(bool bold)
{
    range_.worksheet()->changeFormats(range_.row(), range_.column(), range_.lastRow(), range_.lastColumn(), true,
        [bold](CellFormat& f) { f.bold = bold; });
}

}  // namespace platform::xl
