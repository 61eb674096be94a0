#include "Worksheet.h"

#include "CellText.h"
#include "ObjectErrors.h"
#include "SheetErrors.h"
#include "Workbook.h"

#include <algorithm>
#include <unordered_map>

namespace platform::xl {

namespace {

constexpr qsizetype kMaxUrlLength = 2079;

// Columns("A:C"), Columns("B"): 0 on failure.
std::pair<qint32, qint32> parseColumns(const QString& reference)
{
    const qsizetype colon = reference.indexOf(u':');
    const QStringView text(reference);
    const qint32 first = columnNumber(colon < 0 ? text : text.left(colon));
    const qint32 last = colon < 0 ? first : columnNumber(text.mid(colon + 1));
    if (first == 0 || last == 0)
        return {0, 0};
    return {std::min(first, last), std::max(first, last)};
}

// "B7" -> (7, 2); (0, 0) on failure.
std::pair<qint32, qint32> parseCell(QStringView text)
{
    qsizetype letters = 0;
    while (letters < text.size() && text[letters].isLetter() && text[letters].unicode() < 0x80)
        ++letters;
    const qint32 column = columnNumber(text.left(letters));
    const QStringView digits = text.mid(letters);
    bool ok = !digits.isEmpty() && digits[0] != u'0';
    for (QChar c : digits)
        ok = ok && c >= u'0' && c <= u'9';
    const qint32 row = ok ? digits.toInt(&ok) : 0;
    if (!ok || column == 0 || row < 1 || row > kMaxRows)
        return {0, 0};
    return {row, column};
}

}  // namespace

Worksheet::Worksheet(Workbook& workbook, QString name) : workbook_(&workbook), name_(std::move(name)) {}

Workbook& Worksheet::requireWorkbook() const
{
    if (!workbook_)
        throwObjectDeleted();
    return *workbook_;
}

void Worksheet::setName(const QString& name)
{
    Workbook& book = requireWorkbook();
    book.checkSheetName(name, this);
    book.sheetsByFoldedName_.remove(name_.toCaseFolded());
    book.sheetsByFoldedName_.insert(name.toCaseFolded(), this);
    name_ = name;
}

void Worksheet::deleteSheet()
{
    Workbook& book = requireWorkbook();
    if (book.sheets_.size() == 1)
        throwApplicationDefined(QStringLiteral("ブックには、少なくとも 1 枚の表示されたシートが必要です。"));
    const qint32 index = book.indexOf(this);
    const bool wasActive = book.activeSheet().get() == this;
    const std::shared_ptr<Worksheet> keepAlive = book.sheets_[static_cast<std::size_t>(index)];
    book.sheets_.erase(book.sheets_.begin() + index);
    book.sheetsByFoldedName_.remove(name_.toCaseFolded());
    if (wasActive)
        book.active_ = book.sheets_[std::min<std::size_t>(static_cast<std::size_t>(index), book.sheets_.size() - 1)];
    workbook_ = nullptr;
}

void Worksheet::activate()
{
    requireWorkbook().active_ = shared_from_this();
}

Range Worksheet::cells(qint32 row, qint32 column)
{
    requireWorkbook();
    checkCell(row, column);
    return Range(shared_from_this(), row, column, row, column);
}

Range Worksheet::range(const QString& reference)
{
    requireWorkbook();
    const qsizetype colon = reference.indexOf(u':');
    const QStringView text(reference);
    const auto first = parseCell(colon < 0 ? text : text.left(colon));
    const auto last = colon < 0 ? first : parseCell(text.mid(colon + 1));
    if (first.first == 0 || last.first == 0)
        throwApplicationDefined(QStringLiteral("'Range' メソッドは失敗しました: '_Worksheet' オブジェクト"));
    return Range(shared_from_this(), first.first, first.second, last.first, last.second);
}

ColumnRange Worksheet::columns(const QString& reference)
{
    requireWorkbook();
    const auto [first, last] = parseColumns(reference);
    if (first == 0)
        throwSubscriptOutOfRange();
    return ColumnRange(shared_from_this(), first, last);
}

void Worksheet::Hyperlinks::add(const Range& anchor, const QString& address, const QString& subAddress,
    const QString& textToDisplay)
{
    sheet_.requireWorkbook();
    if (anchor.worksheet().get() != &sheet_ || (address.isEmpty() && subAddress.isEmpty())
        || address.size() + subAddress.size() > kMaxUrlLength)
        throwApplicationDefined();
    const QString shown = !textToDisplay.isEmpty() ? textToDisplay : !address.isEmpty() ? address : subAddress;
    Range(anchor.worksheet(), anchor.row(), anchor.column(), anchor.row(), anchor.column()).setValue(shown);
    sheet_.hyperlinks_.insert(cellKey(anchor.row(), anchor.column()), Hyperlink{address, subAddress});
}

const Cell* Worksheet::cell(qint32 row, qint32 column) const
{
    if (row < 1 || row > rowCount())
        return nullptr;
    const std::vector<Cell>& cells = rows_[static_cast<std::size_t>(row - 1)];
    return column >= 1 && column <= static_cast<qint32>(cells.size()) ? &cells[static_cast<std::size_t>(column - 1)]
                                                                       : nullptr;
}

const CellFormat& Worksheet::cellFormat(qint32 row, qint32 column) const
{
    static const CellFormat kDefault;
    const Cell* c = cell(row, column);
    return c && workbook_ ? workbook_->formats_[c->format] : kDefault;
}

const Worksheet::Column& Worksheet::columnProperty(qint32 column) const
{
    static const Column kDefault;
    return column >= 1 && column <= static_cast<qint32>(columns_.size()) ? columns_[static_cast<std::size_t>(column - 1)]
                                                                         : kDefault;
}

double Worksheet::rowHeight(qint32 row) const
{
    if (rowHeights_.size() != rows_.size()) {
        rowHeights_.resize(rows_.size());
        for (qint32 r = 1; r <= rowCount(); ++r)
            rowHeights_[static_cast<std::size_t>(r - 1)] = fittedRowHeight(r);
    }
    return rowHeights_[static_cast<std::size_t>(row - 1)];
}

double Worksheet::fittedRowHeight(qint32 row) const
{
    double height = kStandardRowHeight;
    const std::vector<Cell>& cells = rowCells(row);
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const Cell& cell = cells[c];
        const auto column = static_cast<qint32>(c + 1);
        const Column& properties = columnProperty(column);
        if (!(properties.wrapText || cellFormat(row, column).wrapText) || cell.value.kind() != FieldValue::Kind::Text)
            continue;
        // A cell merged across columns wraps in their joint width; one merged
        // over several rows leaves its height to them.
        double width = properties.width;
        const auto area = std::find_if(merged_.begin(), merged_.end(),
            [&](const Area& a) { return a.firstRow <= row && row <= a.lastRow && a.firstColumn <= column && column <= a.lastColumn; });
        if (area != merged_.end()) {
            if (area->firstRow != area->lastRow || area->firstColumn != column)
                continue;
            for (qint32 other = column + 1; other <= area->lastColumn; ++other)
                width += columnProperty(other).width;
        }
        height = std::max(height, wrappedTextHeight(cell.value.text(), width));
    }
    return height;
}

double Worksheet::pagesTall() const
{
    const bool landscape = pageSetup_.orientation == PageOrientation::Landscape;
    const double pageWidth = (landscape ? kA4Height : kA4Width) - pageSetup_.leftMargin - pageSetup_.rightMargin;
    const double pageHeight = (landscape ? kA4Width : kA4Height) - pageSetup_.topMargin - pageSetup_.bottomMargin;
    qint32 usedColumns = 0;
    double height = 0;
    for (qint32 r = 1; r <= rowCount(); ++r) {
        usedColumns = std::max(usedColumns, static_cast<qint32>(rowCells(r).size()));
        height += rowHeight(r);
    }
    double width = 0;
    for (qint32 c = 1; c <= usedColumns; ++c)
        width += columnPoints(columnProperty(c).width);
    const double scale = pageSetup_.fitToPagesWide > 0 && width > 0
        ? std::min(1.0, pageSetup_.fitToPagesWide * pageWidth / width)
        : 1.0;
    return height * scale / pageHeight;
}

Cell& Worksheet::cellAt(qint32 row, qint32 column)
{
    rowHeights_.clear();
    if (rows_.size() < static_cast<std::size_t>(row))
        rows_.resize(static_cast<std::size_t>(row));
    std::vector<Cell>& cells = rows_[static_cast<std::size_t>(row - 1)];
    if (cells.size() < static_cast<std::size_t>(column))
        cells.resize(static_cast<std::size_t>(column));
    return cells[static_cast<std::size_t>(column - 1)];
}

Worksheet::Column& Worksheet::columnAt(qint32 column)
{
    rowHeights_.clear();
    if (columns_.size() < static_cast<std::size_t>(column))
        columns_.resize(static_cast<std::size_t>(column));
    return columns_[static_cast<std::size_t>(column - 1)];
}

void Worksheet::changeFormats(qint32 firstRow, qint32 firstColumn, qint32 lastRow, qint32 lastColumn, bool create,
    const std::function<void(CellFormat&)>& change)
{
    Workbook& book = requireWorkbook();
    rowHeights_.clear();
    // Every cell of a block gets the same change, so each old format maps to
    // one new format; remembering the pairs keeps the table lookups few.
    std::unordered_map<quint16, quint16> mapped;
    const auto apply = [&](Cell& cell) {
        const auto found = mapped.find(cell.format);
        if (found != mapped.end()) {
            cell.format = found->second;
            return;
        }
        CellFormat format = book.formats_[cell.format];
        change(format);
        const quint16 id = book.internFormat(format);
        mapped.emplace(cell.format, id);
        cell.format = id;
    };
    for (qint32 r = firstRow; r <= lastRow; ++r) {
        if (create) {
            for (qint32 c = firstColumn; c <= lastColumn; ++c)
                apply(cellAt(r, c));
        } else if (r <= rowCount()) {
            std::vector<Cell>& cells = rows_[static_cast<std::size_t>(r - 1)];
            const qint32 end = std::min<qint32>(lastColumn, static_cast<qint32>(cells.size()));
            for (qint32 c = firstColumn; c <= end; ++c)
                apply(cells[static_cast<std::size_t>(c - 1)]);
        }
    }
}

}  // namespace platform::xl
