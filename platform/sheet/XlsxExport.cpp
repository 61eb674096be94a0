#include "XlsxExport.h"

#include "RuntimeError.h"
#include "CellText.h"
#include "Workbook.h"

#include <QFile>
#include <QRegularExpression>

#include <xlsxwriter.h>

#include <algorithm>
#include <memory>
#include <unordered_map>

namespace platform::xl {

namespace {

constexpr const char* kDateFormat = "yyyy/m/d h:mm";
constexpr lxw_color_t kHyperlinkColor = 0x0000FF;

// Whether a reference to the sheet needs its name in quotes, as Excel and
// Calc parse one: anything but letters, digits and "_", a leading digit, or
// a name that reads as a cell (AB12, R1C1) or a truth value.
bool needsQuotes(const QString& sheetName)
{
    static const QRegularExpression kCellLike(
        QStringLiteral("^([A-Za-z]{1,3}\\d+|[Rr]\\d*[Cc]?\\d*|[Cc]\\d*|TRUE|FALSE)$"),
        QRegularExpression::CaseInsensitiveOption);
    if (sheetName.front().isDigit() || kCellLike.match(sheetName).hasMatch())
        return true;
    return std::any_of(sheetName.begin(), sheetName.end(), [](QChar c) { return !c.isLetterOrNumber() && c != u'_'; });
}

// "Order Details!A1" -> "'Order Details'!A1", an apostrophe doubled.
QString linkLocation(const QString& subAddress)
{
    const qsizetype bang = subAddress.lastIndexOf(u'!');
    if (bang <= 0 || subAddress.startsWith(u'\'') || !needsQuotes(subAddress.left(bang)))
        return subAddress;
    return u'\'' + subAddress.left(bang).replace(u'\'', QStringLiteral("''")) + u'\'' + subAddress.mid(bang);
}

[[noreturn]] void throwExportFailure(lxw_error error)
{
    throw RuntimeError(error_number::kGenericFailure,
        QStringLiteral("ブックを書き込めません: %1").arg(QString::fromUtf8(lxw_strerror(error))));
}

void check(lxw_error error)
{
    if (error != LXW_NO_ERROR)
        throwExportFailure(error);
}

uint8_t borderStyle(LineStyle style)
{
    switch (style) {
    case LineStyle::Continuous:
        return LXW_BORDER_THIN;
    case LineStyle::Dot:
        return LXW_BORDER_DOTTED;
    case LineStyle::None:
        break;
    }
    return LXW_BORDER_NONE;
}

// workbook_close both writes the file and frees the workbook, so an export
// that fails half-way still closes it; the caller discards the file.
struct WorkbookCloser {
    void operator()(lxw_workbook* book) const { workbook_close(book); }
};

// The libxlsxwriter formats of one export: one per combination of a model
// format with what the value and the column add to it.
class FormatCache {
public:
    FormatCache(lxw_workbook* book, const std::vector<CellFormat>& formats) : book_(book), formats_(formats) {}

    lxw_format* get(quint16 formatId, bool date, bool link, bool columnWrap)
    {
        if (formatId == 0 && !date && !link && !columnWrap)
            return nullptr;
        const quint32 key = formatId | quint32(date) << 16 | quint32(link) << 17 | quint32(columnWrap) << 18;
        auto found = cache_.find(key);
        if (found == cache_.end())
            found = cache_.emplace(key, make(formats_[formatId], date, link, columnWrap)).first;
        return found->second;
    }

private:
    lxw_format* make(const CellFormat& f, bool date, bool link, bool columnWrap)
    {
        lxw_format* format = workbook_add_format(book_);
        if (!format)
            throwExportFailure(LXW_ERROR_MEMORY_MALLOC_FAILED);
        format_set_left(format, borderStyle(f.edges[CellFormat::Left]));
        format_set_top(format, borderStyle(f.edges[CellFormat::Top]));
        format_set_bottom(format, borderStyle(f.edges[CellFormat::Bottom]));
        format_set_right(format, borderStyle(f.edges[CellFormat::Right]));
        if (f.fillColorIndex != kColorIndexNone) {
            format_set_pattern(format, LXW_PATTERN_SOLID);
            format_set_bg_color(format, paletteColor(f.fillColorIndex));
        }
        if (f.fontColorIndex != kColorIndexAutomatic)
            format_set_font_color(format, paletteColor(f.fontColorIndex));
        else if (link)
            format_set_font_color(format, kHyperlinkColor);
        if (link)
            format_set_underline(format, LXW_UNDERLINE_SINGLE);
        if (f.bold)
            format_set_bold(format);
        if (f.wrapText || columnWrap)
            format_set_text_wrap(format);
        if (f.verticalAlignment != VerticalAlignment::Bottom) {
            format_set_align(format, f.verticalAlignment == VerticalAlignment::Top ? LXW_ALIGN_VERTICAL_TOP
                                                                                  : LXW_ALIGN_VERTICAL_CENTER);
        }
        if (date)
            format_set_num_format(format, kDateFormat);
        return format;
    }

    lxw_workbook* book_;
    const std::vector<CellFormat>& formats_;
    std::unordered_map<quint32, lxw_format*> cache_;
};

// A cell's text as the file must hold it for a reader to give it back; the
// library escapes control characters, and an underscore that would start an
// escape such as "_x0041_", which readers turn into the character it names,
// is escaped itself.
QByteArray cellText(const QString& text)
{
    static const QRegularExpression kEscapeLike(QStringLiteral("_(?=x[0-9A-Fa-f]{4}_)"));
    QString stored = xmlCharacters(text);
    if (stored.contains(QStringLiteral("_x")))
        stored.replace(kEscapeLike, QStringLiteral("_x005F_"));
    return stored.toUtf8();
}

void writeCell(lxw_worksheet* sheet, lxw_row_t row, lxw_col_t column, const FieldValue& value, lxw_format* format,
    const Hyperlink* link)
{
    if (link) {
        const QByteArray url = link->address.isEmpty()
            ? QByteArrayLiteral("internal:") + linkLocation(link->subAddress).toUtf8()
            : (link->subAddress.isEmpty() ? link->address : link->address + u'#' + link->subAddress).toUtf8();
        const QString shown = displayText(value);
        const QByteArray text = cellText(shown);
        // The library puts the shown text into the link's display attribute
        // too, unescaped, where a control character would spoil the file; such
        // a text goes into the cell alone.
        const bool plain = std::none_of(shown.begin(), shown.end(), [](QChar c) { return c.unicode() < 0x20; });
        check(worksheet_write_url_opt(
            sheet, row, column, url.constData(), format, plain ? text.constData() : nullptr, nullptr));
        if (!plain)
            check(worksheet_write_string(sheet, row, column, text.constData(), format));
        return;
    }
    switch (value.kind()) {
    case FieldValue::Kind::Empty:
    case FieldValue::Kind::Null:
        if (format)
            check(worksheet_write_blank(sheet, row, column, format));
        break;
    case FieldValue::Kind::Integer:
        check(worksheet_write_number(sheet, row, column, static_cast<double>(value.integer()), format));
        break;
    case FieldValue::Kind::Double:
        check(worksheet_write_number(sheet, row, column, value.floating(), format));
        break;
    case FieldValue::Kind::Text:
        check(worksheet_write_string(sheet, row, column, cellText(value.text()).constData(), format));
        break;
    case FieldValue::Kind::DateTime: {
        const QDate d = value.dateTime().date();
        const QTime t = value.dateTime().time();
        lxw_datetime when{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second() + t.msec() / 1000.0};
        check(worksheet_write_datetime(sheet, row, column, &when, format));
        break;
    }
    }
}

void writePageSetup(lxw_worksheet* out, const PageSetup& page)
{
    if (page.orientation == PageOrientation::Landscape)
        worksheet_set_landscape(out);
    if (page.paperSize != 0)
        worksheet_set_paper(out, static_cast<uint8_t>(page.paperSize));
    if (page.fitToPagesWide != 0 || page.fitToPagesTall != 0)
        worksheet_fit_to_pages(
            out, static_cast<uint16_t>(page.fitToPagesWide), static_cast<uint16_t>(page.fitToPagesTall));
    if (page.printAreaLastRow != 0) {
        check(worksheet_print_area(out, 0, 0, static_cast<lxw_row_t>(page.printAreaLastRow - 1),
            static_cast<lxw_col_t>(page.printAreaLastColumn - 1)));
    }
    if (page.printTitleFirstRow != 0) {
        check(worksheet_repeat_rows(out, static_cast<lxw_row_t>(page.printTitleFirstRow - 1),
            static_cast<lxw_row_t>(page.printTitleLastRow - 1)));
    }
    constexpr double kPointsPerInch = 72;
    QString footer;
    for (const auto& [code, text] : {std::pair{u"&L", &page.leftFooter}, {u"&C", &page.centerFooter},
             {u"&R", &page.rightFooter}}) {
        if (!text->isEmpty())
            footer += QString::fromUtf16(code) + *text;
    }
    if (!footer.isEmpty()) {
        lxw_header_footer_options options{};
        options.margin = page.footerMargin / kPointsPerInch;
        check(worksheet_set_footer_opt(out, xmlCharacters(footer).toUtf8().constData(), &options));
    }
    worksheet_set_margins(out, page.leftMargin / kPointsPerInch, page.rightMargin / kPointsPerInch,
        page.topMargin / kPointsPerInch, page.bottomMargin / kPointsPerInch);
}

void writeSheet(lxw_worksheet* out, const Worksheet& sheet, FormatCache& formats)
{
    const std::vector<Worksheet::Column>& columns = sheet.columnProperties();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const Worksheet::Column& column = columns[c];
        if (!column.customWidth && !column.wrapText)
            continue;
        const auto index = static_cast<lxw_col_t>(c);
        check(worksheet_set_column(out, index, index, column.width, formats.get(0, false, false, column.wrapText)));
    }

    // Merged first, without a value: the cells written below keep theirs.
    for (const Worksheet::Area& area : sheet.mergedAreas()) {
        check(worksheet_merge_range(out, static_cast<lxw_row_t>(area.firstRow - 1),
            static_cast<lxw_col_t>(area.firstColumn - 1), static_cast<lxw_row_t>(area.lastRow - 1),
            static_cast<lxw_col_t>(area.lastColumn - 1), "", nullptr));
    }

    const QHash<quint64, Hyperlink>& links = sheet.hyperlinkMap();
    for (qint32 r = 1; r <= sheet.rowCount(); ++r) {
        const std::vector<Cell>& cells = sheet.rowCells(r);
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const Cell& cell = cells[c];
            const bool columnWrap = c < columns.size() && columns[c].wrapText;
            const Hyperlink* link = nullptr;
            if (!links.isEmpty()) {
                const auto found = links.constFind(Worksheet::cellKey(r, static_cast<qint32>(c + 1)));
                link = found == links.cend() ? nullptr : &found.value();
            }
            const bool date = cell.value.kind() == FieldValue::Kind::DateTime;
            writeCell(out, static_cast<lxw_row_t>(r - 1), static_cast<lxw_col_t>(c), cell.value,
                formats.get(cell.format, date, link != nullptr, columnWrap), link);
        }
        // The spreadsheet application does not fit row heights when it opens
        // a file, so rows of wrapped text get the height it would give them.
        const double rowHeight = sheet.rowHeight(r);
        if (rowHeight > kStandardRowHeight)
            check(worksheet_set_row(out, static_cast<lxw_row_t>(r - 1), rowHeight, nullptr));
    }
    const auto row = static_cast<lxw_row_t>(sheet.selectedRow() - 1);
    const auto column = static_cast<lxw_col_t>(sheet.selectedColumn() - 1);
    worksheet_set_selection(out, row, column, row, column);
    writePageSetup(out, sheet.pageSetup());
}

}  // namespace

void exportXlsx(const Workbook& book, const QString& path)
{
    const QByteArray fileName = QFile::encodeName(path);
    std::unique_ptr<lxw_workbook, WorkbookCloser> out(workbook_new(fileName.constData()));
    if (!out)
        throwExportFailure(LXW_ERROR_CREATING_XLSX_FILE);

    FormatCache formats(out.get(), book.formats());
    const std::shared_ptr<Worksheet> active = book.activeSheet();
    for (const std::shared_ptr<Worksheet>& sheet : book.sheets()) {
        lxw_worksheet* worksheet = workbook_add_worksheet(out.get(), sheet->name().toUtf8().constData());
        if (!worksheet)
            throwExportFailure(LXW_ERROR_PARAMETER_VALIDATION);
        writeSheet(worksheet, *sheet, formats);
        if (sheet == active)
            worksheet_activate(worksheet);
    }
    check(workbook_close(out.release()));
}

}  // namespace platform::xl
