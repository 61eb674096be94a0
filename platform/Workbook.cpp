#include "Workbook.h"

#include "RuntimeError.h"
#include "WorkbookHandOver.h"

#include <QStandardPaths>

#include <algorithm>
#include <cmath>
#include <unordered_map>

namespace platform::xl {

namespace {

constexpr qint32 kSubscriptOutOfRange = 9;
constexpr qint32 kObjectDeleted = -2147221080;  // 0x800401A8, automation error
constexpr qsizetype kMaxUrlLength = 2079;

const QString kSheetNameRule = QStringLiteral(
    "シート名が正しくありません。シート名は 1 から 31 文字で、次の文字は使用できません: : \\ / ? * [ ]"
    " また、先頭と末尾にアポストロフィ (') は使用できません。");

[[noreturn]] void throwApplicationDefined(const QString& description
    = QStringLiteral("アプリケーション定義またはオブジェクト定義のエラーです。"))
{
    throw RuntimeError(error_number::kApplicationDefined, description);
}

[[noreturn]] void throwSubscriptOutOfRange()
{
    throw RuntimeError(kSubscriptOutOfRange, QStringLiteral("インデックスが有効範囲にありません。"));
}

void checkCell(qint32 row, qint32 column)
{
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
        throwApplicationDefined();
}

bool isWide(char32_t c)
{
    // East Asian Wide and Fullwidth blocks; ambiguous characters count one.
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF)
        || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF)
        || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F)
        || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F)
        || (c >= 0x20000 && c <= 0x3FFFD);
}

// Widths AutoFit gives, in characters of the standard font. The margin keeps
// bold header text and proportional glyphs from touching the grid lines.
double fittedWidth(qint32 displayWidth)
{
    return std::min(kMaxColumnWidth, std::ceil(displayWidth * 1.1) + 1.0);
}

bool validColorIndex(qint32 colorIndex)
{
    return colorIndex == kColorIndexNone || colorIndex == kColorIndexAutomatic
        || (colorIndex >= 1 && colorIndex <= 56);
}

quint64 formatKey(const CellFormat& f)
{
    // Colour indexes fit in 8 bits once the two special values are folded in.
    const auto color = [](qint32 index) -> quint64 {
        return index == kColorIndexNone ? 0 : index == kColorIndexAutomatic ? 57 : quint64(index);
    };
    const auto edge = [](LineStyle style) -> quint64 {
        return style == LineStyle::None ? 0 : style == LineStyle::Continuous ? 1 : 2;
    };
    return edge(f.edges[0]) | edge(f.edges[1]) << 2 | edge(f.edges[2]) << 4 | edge(f.edges[3]) << 6
        | color(f.fillColorIndex) << 8 | color(f.fontColorIndex) << 16 | quint64(f.bold) << 24
        | quint64(f.wrapText) << 25;
}

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

quint32 paletteColor(qint32 colorIndex)
{
    static constexpr quint32 kPalette[56] = {
        0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0xFF00FF, 0x00FFFF,
        0x800000, 0x008000, 0x000080, 0x808000, 0x800080, 0x008080, 0xC0C0C0, 0x808080,
        0x9999FF, 0x993366, 0xFFFFCC, 0xCCFFFF, 0x660066, 0xFF8080, 0x0066CC, 0xCCCCFF,
        0x000080, 0xFF00FF, 0xFFFF00, 0x00FFFF, 0x800080, 0x800000, 0x008080, 0x0000FF,
        0x00CCFF, 0xCCFFFF, 0xCCFFCC, 0xFFFF99, 0x99CCFF, 0xFF99CC, 0xCC99FF, 0xFFCC99,
        0x3366FF, 0x33CCCC, 0x99CC00, 0xFFCC00, 0xFF9900, 0xFF6600, 0x666699, 0x969696,
        0x003366, 0x339966, 0x003300, 0x333300, 0x993300, 0x993366, 0x333399, 0x333333,
    };
    if (colorIndex < 1 || colorIndex > 56)
        throwSubscriptOutOfRange();
    return kPalette[colorIndex - 1];
}

qint32 textDisplayWidth(const QString& text)
{
    qint32 widest = 0;
    qint32 line = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (c == u'\n') {
            widest = std::max(widest, line);
            line = 0;
        } else if (c != u'\r') {
            line += isWide(c) ? 2 : 1;
        }
    }
    return std::max(widest, line);
}

QString displayText(const FieldValue& value)
{
    if (value.kind() == FieldValue::Kind::DateTime)
        return value.dateTime().toString(QStringLiteral("yyyy/M/d H:mm"));
    return value.isNull() ? QString() : value.toText();
}

qint32 columnNumber(QStringView letters)
{
    if (letters.isEmpty() || letters.size() > 3)
        return 0;
    qint32 number = 0;
    for (QChar c : letters) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            return 0;
        number = number * 26 + (u - u'A' + 1);
    }
    return number <= kMaxColumns ? number : 0;
}

// ---------------------------------------------------------------- Range

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
    if (value.kind() == FieldValue::Kind::Text && value.text().size() > kMaxCellTextLength)
        throwApplicationDefined();
    for (qint32 r = firstRow_; r <= lastRow_; ++r) {
        for (qint32 c = firstColumn_; c <= lastColumn_; ++c)
            sheet_->cellAt(r, c).value = empty ? FieldValue() : value;
    }
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

// ---------------------------------------------------------------- ColumnRange

ColumnRange::ColumnRange(std::shared_ptr<Worksheet> sheet, qint32 firstColumn, qint32 lastColumn)
    : sheet_(std::move(sheet)), firstColumn_(firstColumn), lastColumn_(lastColumn)
{
}

void ColumnRange::autoFit()
{
    sheet_->requireWorkbook();
    std::vector<qint32> widest(static_cast<std::size_t>(lastColumn_ - firstColumn_ + 1), 0);
    for (const std::vector<Cell>& row : sheet_->rows_) {
        const qint32 end = std::min<qint32>(lastColumn_, static_cast<qint32>(row.size()));
        for (qint32 c = firstColumn_; c <= end; ++c) {
            const FieldValue& value = row[static_cast<std::size_t>(c - 1)].value;
            if (value.isEmpty())
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

// ---------------------------------------------------------------- Worksheet

Worksheet::Worksheet(Workbook& workbook, QString name) : workbook_(&workbook), name_(std::move(name)) {}

Workbook& Worksheet::requireWorkbook() const
{
    if (!workbook_)
        throw RuntimeError(kObjectDeleted, QStringLiteral("オートメーション エラーです。オブジェクトは削除されています。"));
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

Cell& Worksheet::cellAt(qint32 row, qint32 column)
{
    if (rows_.size() < static_cast<std::size_t>(row))
        rows_.resize(static_cast<std::size_t>(row));
    std::vector<Cell>& cells = rows_[static_cast<std::size_t>(row - 1)];
    if (cells.size() < static_cast<std::size_t>(column))
        cells.resize(static_cast<std::size_t>(column));
    return cells[static_cast<std::size_t>(column - 1)];
}

Worksheet::Column& Worksheet::columnAt(qint32 column)
{
    if (columns_.size() < static_cast<std::size_t>(column))
        columns_.resize(static_cast<std::size_t>(column));
    return columns_[static_cast<std::size_t>(column - 1)];
}

template <typename Change>
void Worksheet::changeFormats(qint32 firstRow, qint32 firstColumn, qint32 lastRow, qint32 lastColumn, bool create,
    const Change& change)
{
    Workbook& book = requireWorkbook();
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

// ---------------------------------------------------------------- Workbook

Workbook::Workbook(qint32 defaultSheets)
{
    formats_.push_back(CellFormat{});
    formatIds_.insert(formatKey(CellFormat{}), 0);
    for (qint32 i = 0; i < defaultSheets; ++i)
        insertSheet(sheets_.size(), std::make_shared<Worksheet>(*this, nextSheetName()));
    active_ = sheets_.front();
}

Workbook::~Workbook()
{
    // Handles the caller still holds see their sheet as deleted.
    for (const std::shared_ptr<Worksheet>& sheet : sheets_)
        sheet->workbook_ = nullptr;
}

std::shared_ptr<Worksheet> Workbook::activeSheet() const
{
    return active_.lock();
}

quint16 Workbook::internFormat(const CellFormat& format)
{
    const quint64 key = formatKey(format);
    const auto found = formatIds_.constFind(key);
    if (found != formatIds_.cend())
        return found.value();
    if (formats_.size() > 0xFFFF)
        throwApplicationDefined(QStringLiteral("異なるセルの書式が多すぎます。"));
    formats_.push_back(format);
    const auto id = static_cast<quint16>(formats_.size() - 1);
    formatIds_.insert(key, id);
    return id;
}

void Workbook::checkSheetName(const QString& name, const Worksheet* renamed) const
{
    static const QString kForbidden = QStringLiteral(":\\/?*[]");
    const bool wellFormed = !name.isEmpty() && name.size() <= kMaxSheetNameLength
        && std::none_of(name.begin(), name.end(), [](QChar c) { return kForbidden.contains(c); })
        && !name.startsWith(u'\'') && !name.endsWith(u'\'');
    if (!wellFormed)
        throwApplicationDefined(kSheetNameRule);
    const auto found = sheetsByFoldedName_.constFind(name.toCaseFolded());
    if (found != sheetsByFoldedName_.cend() && found.value() != renamed)
        throwApplicationDefined(QStringLiteral("この名前は既に使用されています。別の名前を入力してください。"));
}

QString Workbook::nextSheetName()
{
    for (;;) {
        const QString name = QStringLiteral("Sheet%1").arg(++sheetCounter_);
        if (!sheetsByFoldedName_.contains(name.toCaseFolded()))
            return name;
    }
}

void Workbook::insertSheet(std::size_t position, std::shared_ptr<Worksheet> sheet)
{
    sheetsByFoldedName_.insert(sheet->name_.toCaseFolded(), sheet.get());
    sheets_.insert(sheets_.begin() + static_cast<std::ptrdiff_t>(position), std::move(sheet));
}

qint32 Workbook::indexOf(const Worksheet* sheet) const
{
    const auto it = std::find_if(sheets_.begin(), sheets_.end(),
        [sheet](const std::shared_ptr<Worksheet>& s) { return s.get() == sheet; });
    return it == sheets_.end() ? -1 : static_cast<qint32>(it - sheets_.begin());
}

const std::shared_ptr<Worksheet>& Workbook::Worksheets::item(qint32 index) const
{
    if (index < 1 || index > count())
        throwSubscriptOutOfRange();
    return book_.sheets_[static_cast<std::size_t>(index - 1)];
}

const std::shared_ptr<Worksheet>& Workbook::Worksheets::item(const QString& name) const
{
    for (const std::shared_ptr<Worksheet>& sheet : book_.sheets_) {
        if (sheet->name_.compare(name, Qt::CaseInsensitive) == 0)
            return sheet;
    }
    throwSubscriptOutOfRange();
}

std::shared_ptr<Worksheet> Workbook::Worksheets::add(const std::shared_ptr<Worksheet>& after)
{
    const qint32 index = after ? book_.indexOf(after.get()) : -1;
    if (index < 0)
        throwApplicationDefined(QStringLiteral("Worksheet クラスの Add メソッドが失敗しました。"));
    auto sheet = std::make_shared<Worksheet>(book_, book_.nextSheetName());
    book_.insertSheet(static_cast<std::size_t>(index) + 1, sheet);
    book_.active_ = sheet;
    return sheet;
}

// ---------------------------------------------------------------- Application

std::shared_ptr<Application> Application::create()
{
    QString program = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (program.isEmpty())
        throw RuntimeError(error_number::kCannotCreateObject,
            QStringLiteral("ActiveX コンポーネントはオブジェクトを作成できません。"));
    return std::shared_ptr<Application>(new Application(std::move(program)));
}

std::shared_ptr<Workbook> Application::Workbooks::add()
{
    auto book = std::make_shared<Workbook>(app_.sheetsInNewWorkbook_);
    app_.workbooks_.push_back(book);
    return book;
}

void Application::setVisible(bool visible)
{
    if (visible) {
        for (; shownWorkbooks_ < workbooks_.size(); ++shownWorkbooks_)
            handOverWorkbook(*workbooks_[shownWorkbooks_], programPath_);
    }
    visible_ = visible;
}

void Application::setSheetsInNewWorkbook(qint32 count)
{
    if (count < 1 || count > 255)
        throwApplicationDefined();
    sheetsInNewWorkbook_ = count;
}

}  // namespace platform::xl
