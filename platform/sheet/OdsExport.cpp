#include "OdsExport.h"

#include "CellText.h"
#include "RuntimeError.h"
#include "SheetLimits.h"
#include "Workbook.h"

#include <QFile>
#include <QSet>
#include <QXmlStreamWriter>

#include <map>

namespace platform::xl {

namespace {

const QString kOffice = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString kStyle = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString kText = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:text:1.0");
const QString kTable = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:table:1.0");
const QString kFo = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");
const QString kNumber = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0");
const QString kXlink = QStringLiteral("http://www.w3.org/1999/xlink");
const QString kConfig = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:config:1.0");
const QString kLoext = QStringLiteral("urn:org:documentfoundation:names:experimental:office:xmlns:loext:1.0");

const QString kDateStyle = QStringLiteral("N1");
constexpr quint32 kHyperlinkColor = 0x0000FF;
constexpr double kA4WidthMm = 210;
constexpr double kA4HeightMm = 297;

[[noreturn]] void throwExportFailure(const QString& reason)
{
    throw RuntimeError(error_number::kGenericFailure, QStringLiteral("ブックを書き込めません: %1").arg(reason));
}

QString points(double value)
{
    return QString::number(value, 'f', 2) + QStringLiteral("pt");
}

QString color(quint32 rgb)
{
    return QStringLiteral("#%1").arg(rgb, 6, 16, QChar(u'0'));
}

QString border(LineStyle style)
{
    switch (style) {
    case LineStyle::Continuous:
        return QStringLiteral("0.74pt solid #000000");
    case LineStyle::Dot:
        return QStringLiteral("0.74pt dotted #000000");
    case LineStyle::None:
        break;
    }
    return QStringLiteral("none");
}

// 1 -> "A", 27 -> "AA".
QString columnLetters(qint32 column)
{
    QString letters;
    for (; column > 0; column = (column - 1) / 26)
        letters.prepend(QChar(u'A' + (column - 1) % 26));
    return letters;
}

// A sheet name as a cell reference holds it, always quoted.
QString quotedSheet(const QString& name)
{
    return u'\'' + QString(name).replace(u'\'', QStringLiteral("''")) + u'\'';
}

// XML 1.0 holds no control characters but tab, line feed and carriage
// return, and this format has no escape for them: they show as blanks. A
// line ends at LF, CR LF or CR alike.
QString xmlText(const QString& text)
{
    QString out = xmlCharacters(text);
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar& c : out) {
        if (c == u'\r')
            c = u'\n';
        else if (c.unicode() < 0x20 && c != u'\t' && c != u'\n')
            c = u' ';
    }
    return out;
}

// "Order Detail!A1" or "'Order Detail'!A1" -> "#'Order Detail'.A1".
QString internalLinkTarget(const QString& subAddress)
{
    const qsizetype bang = subAddress.lastIndexOf(u'!');
    if (bang <= 0)
        return u'#' + subAddress;
    QString sheet = subAddress.left(bang);
    if (sheet.size() >= 2 && sheet.startsWith(u'\'') && sheet.endsWith(u'\''))
        sheet = sheet.mid(1, sheet.size() - 2).replace(QStringLiteral("''"), QStringLiteral("'"));
    return u'#' + quotedSheet(sheet) + u'.' + subAddress.mid(bang + 1);
}

// The cell styles of one export: one per combination of a model format with
// what the value and the column add to it, as in the .xlsx export.
class CellStyles {
public:
    explicit CellStyles(const std::vector<CellFormat>& formats) : formats_(formats) {}

    // Empty for a cell that shows nothing but its value.
    QString get(quint16 formatId, bool date, bool link, bool columnWrap)
    {
        if (formatId == 0 && !date && !link && !columnWrap)
            return {};
        const quint32 key = formatId | quint32(date) << 16 | quint32(link) << 17 | quint32(columnWrap) << 18;
        auto found = names_.find(key);
        if (found == names_.end())
            found = names_.emplace(key, QStringLiteral("ce%1").arg(names_.size() + 1)).first;
        return found->second;
    }

    void write(QXmlStreamWriter& out) const
    {
        for (const auto& [key, name] : names_) {
            const CellFormat& f = formats_[key & 0xFFFF];
            const bool date = key & (1u << 16), link = key & (1u << 17), columnWrap = key & (1u << 18);
            out.writeStartElement(kStyle, QStringLiteral("style"));
            out.writeAttribute(kStyle, QStringLiteral("name"), name);
            out.writeAttribute(kStyle, QStringLiteral("family"), QStringLiteral("table-cell"));
            if (date)
                out.writeAttribute(kStyle, QStringLiteral("data-style-name"), kDateStyle);
            out.writeEmptyElement(kStyle, QStringLiteral("table-cell-properties"));
            out.writeAttribute(kFo, QStringLiteral("border-left"), border(f.edges[CellFormat::Left]));
            out.writeAttribute(kFo, QStringLiteral("border-top"), border(f.edges[CellFormat::Top]));
            out.writeAttribute(kFo, QStringLiteral("border-bottom"), border(f.edges[CellFormat::Bottom]));
            out.writeAttribute(kFo, QStringLiteral("border-right"), border(f.edges[CellFormat::Right]));
            if (f.fillColorIndex != kColorIndexNone)
                out.writeAttribute(kFo, QStringLiteral("background-color"), color(paletteColor(f.fillColorIndex)));
            if (f.wrapText || columnWrap)
                out.writeAttribute(kFo, QStringLiteral("wrap-option"), QStringLiteral("wrap"));
            if (f.verticalAlignment != VerticalAlignment::Bottom) {
                out.writeAttribute(kStyle, QStringLiteral("vertical-align"),
                    f.verticalAlignment == VerticalAlignment::Top ? QStringLiteral("top") : QStringLiteral("middle"));
            }
            out.writeEmptyElement(kStyle, QStringLiteral("text-properties"));
            if (f.fontColorIndex != kColorIndexAutomatic)
                out.writeAttribute(kFo, QStringLiteral("color"), color(paletteColor(f.fontColorIndex)));
            else if (link)
                out.writeAttribute(kFo, QStringLiteral("color"), color(kHyperlinkColor));
            if (link) {
                out.writeAttribute(kStyle, QStringLiteral("text-underline-style"), QStringLiteral("solid"));
                out.writeAttribute(kStyle, QStringLiteral("text-underline-width"), QStringLiteral("auto"));
                out.writeAttribute(kStyle, QStringLiteral("text-underline-color"), QStringLiteral("font-color"));
            }
            if (f.bold) {
                out.writeAttribute(kFo, QStringLiteral("font-weight"), QStringLiteral("bold"));
                out.writeAttribute(kStyle, QStringLiteral("font-weight-asian"), QStringLiteral("bold"));
                out.writeAttribute(kStyle, QStringLiteral("font-weight-complex"), QStringLiteral("bold"));
            }
            out.writeEndElement();
        }
    }

private:
    const std::vector<CellFormat>& formats_;
    std::map<quint32, QString> names_;
};

// The date format of the .xlsx export, yyyy/m/d h:mm.
void writeDateStyle(QXmlStreamWriter& out)
{
    out.writeStartElement(kNumber, QStringLiteral("date-style"));
    out.writeAttribute(kStyle, QStringLiteral("name"), kDateStyle);
    const auto part = [&](const char* element, bool longForm) {
        out.writeEmptyElement(kNumber, QString::fromLatin1(element));
        if (longForm)
            out.writeAttribute(kNumber, QStringLiteral("style"), QStringLiteral("long"));
    };
    const auto literal = [&](const QString& text) { out.writeTextElement(kNumber, QStringLiteral("text"), text); };
    part("year", true);
    literal(QStringLiteral("/"));
    part("month", false);
    literal(QStringLiteral("/"));
    part("day", false);
    literal(QStringLiteral(" "));
    part("hours", false);
    literal(QStringLiteral(":"));
    part("minutes", true);
    out.writeEndElement();
}

// A footer section from its codes: &A the sheet's name, &P the page, &N the
// pages, && an ampersand, &"font,style" a font, which changes nothing here;
// anything else prints as it reads.
void writeFooterSection(QXmlStreamWriter& out, const char* region, const QString& codes)
{
    out.writeStartElement(kStyle, QString::fromLatin1(region));
    out.writeStartElement(kText, QStringLiteral("p"));
    QString literal;
    const auto flush = [&] {
        if (!literal.isEmpty())
            out.writeCharacters(xmlText(literal));
        literal.clear();
    };
    for (qsizetype i = 0; i < codes.size(); ++i) {
        const QChar code = i + 1 < codes.size() && codes[i] == u'&' ? codes[i + 1] : QChar();
        const char* field = code == u'A' ? "sheet-name" : code == u'P' ? "page-number" : code == u'N' ? "page-count"
                                                                                                     : nullptr;
        if (field) {
            flush();
            out.writeEmptyElement(kText, QString::fromLatin1(field));
            ++i;
        } else if (code == u'"') {
            const qsizetype end = codes.indexOf(u'"', i + 2);
            i = end < 0 ? codes.size() : end;
        } else {
            literal += codes[i];
            i += code == u'&' ? 1 : 0;
        }
    }
    flush();
    out.writeEndElement();
    out.writeEndElement();
}

void writePageLayout(QXmlStreamWriter& out, const QString& name, const PageSetup& page)
{
    out.writeStartElement(kStyle, QStringLiteral("page-layout"));
    out.writeAttribute(kStyle, QStringLiteral("name"), name);
    out.writeEmptyElement(kStyle, QStringLiteral("page-layout-properties"));
    if (page.paperSize == kPaperA4) {
        const bool landscape = page.orientation == PageOrientation::Landscape;
        const QString width = QString::number(landscape ? kA4HeightMm : kA4WidthMm) + QStringLiteral("mm");
        const QString height = QString::number(landscape ? kA4WidthMm : kA4HeightMm) + QStringLiteral("mm");
        out.writeAttribute(kFo, QStringLiteral("page-width"), width);
        out.writeAttribute(kFo, QStringLiteral("page-height"), height);
    }
    // Page numbers run on through the book, as they do in the .xlsx.
    out.writeAttribute(kStyle, QStringLiteral("first-page-number"), QStringLiteral("continue"));
    out.writeAttribute(kStyle, QStringLiteral("print-orientation"),
        page.orientation == PageOrientation::Landscape ? QStringLiteral("landscape") : QStringLiteral("portrait"));
    out.writeAttribute(kFo, QStringLiteral("margin-left"), points(page.leftMargin));
    out.writeAttribute(kFo, QStringLiteral("margin-right"), points(page.rightMargin));
    out.writeAttribute(kFo, QStringLiteral("margin-top"), points(page.topMargin));
    // The footer sits in the bottom margin, as in the .xlsx: the page's own
    // margin is the footer's distance from the edge.
    out.writeAttribute(kFo, QStringLiteral("margin-bottom"), points(page.footerMargin));
    if (page.fitToPagesWide != 0 || page.fitToPagesTall != 0) {
        out.writeAttribute(kLoext, QStringLiteral("scale-to-X"), QString::number(page.fitToPagesWide));
        out.writeAttribute(kLoext, QStringLiteral("scale-to-Y"), QString::number(page.fitToPagesTall));
    }
    out.writeStartElement(kStyle, QStringLiteral("footer-style"));
    out.writeEmptyElement(kStyle, QStringLiteral("header-footer-properties"));
    out.writeAttribute(kFo, QStringLiteral("min-height"), points(0));
    out.writeAttribute(kFo, QStringLiteral("margin-left"), points(0));
    out.writeAttribute(kFo, QStringLiteral("margin-right"), points(0));
    out.writeAttribute(kFo, QStringLiteral("margin-top"), points(std::max(0.0, page.bottomMargin - page.footerMargin)));
    out.writeEndElement();
    out.writeEndElement();
}

void writeMasterPage(QXmlStreamWriter& out, const QString& name, const QString& layout, const PageSetup& page)
{
    out.writeStartElement(kStyle, QStringLiteral("master-page"));
    out.writeAttribute(kStyle, QStringLiteral("name"), name);
    out.writeAttribute(kStyle, QStringLiteral("page-layout-name"), layout);
    out.writeEmptyElement(kStyle, QStringLiteral("header"));
    out.writeAttribute(kStyle, QStringLiteral("display"), QStringLiteral("false"));
    out.writeStartElement(kStyle, QStringLiteral("footer"));
    writeFooterSection(out, "region-left", page.leftFooter);
    writeFooterSection(out, "region-center", page.centerFooter);
    writeFooterSection(out, "region-right", page.rightFooter);
    out.writeEndElement();
    out.writeEndElement();
}

void writeCellValue(QXmlStreamWriter& out, const FieldValue& value, const Hyperlink* link)
{
    switch (value.kind()) {
    case FieldValue::Kind::Empty:
    case FieldValue::Kind::Null:
        if (!link)
            return;
        out.writeAttribute(kOffice, QStringLiteral("value-type"), QStringLiteral("string"));
        break;
    case FieldValue::Kind::Integer:
    case FieldValue::Kind::Double:
        out.writeAttribute(kOffice, QStringLiteral("value-type"), QStringLiteral("float"));
        out.writeAttribute(kOffice, QStringLiteral("value"),
            value.kind() == FieldValue::Kind::Integer ? QString::number(value.integer())
                                                      : QString::number(value.floating(), 'g', 17));
        break;
    case FieldValue::Kind::Text:
        out.writeAttribute(kOffice, QStringLiteral("value-type"), QStringLiteral("string"));
        break;
    case FieldValue::Kind::DateTime:
        out.writeAttribute(kOffice, QStringLiteral("value-type"), QStringLiteral("date"));
        out.writeAttribute(kOffice, QStringLiteral("date-value"),
            value.dateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")));
        break;
    }
    // Each line its own paragraph; tabs and runs of blanks as the format
    // marks them, since a reader collapses white space.
    const QStringList lines = xmlText(displayText(value)).split(u'\n');
    for (const QString& line : lines) {
        out.writeStartElement(kText, QStringLiteral("p"));
        if (link) {
            out.writeStartElement(kText, QStringLiteral("a"));
            out.writeAttribute(kXlink, QStringLiteral("type"), QStringLiteral("simple"));
            out.writeAttribute(kXlink, QStringLiteral("href"),
                link->address.isEmpty() ? internalLinkTarget(link->subAddress)
                    : link->subAddress.isEmpty() ? link->address : link->address + u'#' + link->subAddress);
        }
        qsizetype blanks = 0;
        QString run;
        const auto flushBlanks = [&](bool atEdge) {
            // One blank between words stays a blank; more, or one at either
            // end of the line, are counted, as a reader drops them otherwise.
            if (blanks == 1 && !atEdge)
                run += u' ';
            else if (blanks > 0) {
                out.writeCharacters(run);
                run.clear();
                out.writeEmptyElement(kText, QStringLiteral("s"));
                if (blanks > 1)
                    out.writeAttribute(kText, QStringLiteral("c"), QString::number(blanks));
            }
            blanks = 0;
        };
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line[i];
            if (c == u' ') {
                ++blanks;
                continue;
            }
            flushBlanks(run.isEmpty() && i == blanks);
            if (c == u'\t') {
                out.writeCharacters(run);
                run.clear();
                out.writeEmptyElement(kText, QStringLiteral("tab"));
            } else {
                run += c;
            }
        }
        flushBlanks(true);
        out.writeCharacters(run);
        if (link)
            out.writeEndElement();
        out.writeEndElement();
    }
}

const Hyperlink* cellLink(const Worksheet& sheet, qint32 row, std::size_t column)
{
    const QHash<quint64, Hyperlink>& links = sheet.hyperlinkMap();
    if (links.isEmpty())
        return nullptr;
    const auto found = links.constFind(Worksheet::cellKey(row, static_cast<qint32>(column + 1)));
    return found == links.cend() ? nullptr : &found.value();
}

QString cellStyle(const Worksheet& sheet, qint32 row, std::size_t column, const Hyperlink* link, CellStyles& styles)
{
    const Cell& cell = sheet.rowCells(row)[column];
    const std::vector<Worksheet::Column>& columns = sheet.columnProperties();
    return styles.get(cell.format, cell.value.kind() == FieldValue::Kind::DateTime, link != nullptr,
        column < columns.size() && columns[column].wrapText);
}

// The styles the sheets will name, gathered before the sheets are written,
// as the format wants them ahead of the body.
void collectStyles(const Workbook& book, CellStyles& cellStyles, std::map<double, QString>& columnStyles,
    std::map<double, QString>& rowStyles)
{
    for (const std::shared_ptr<Worksheet>& sheet : book.sheets()) {
        for (const Worksheet::Column& column : sheet->columnProperties()) {
            if (column.customWidth && !columnStyles.contains(column.width))
                columnStyles.emplace(column.width, QStringLiteral("co%1").arg(columnStyles.size() + 1));
            if (column.wrapText)
                cellStyles.get(0, false, false, true);
        }
        for (qint32 r = 1; r <= sheet->rowCount(); ++r) {
            const double height = sheet->rowHeight(r);
            if (height > kStandardRowHeight && !rowStyles.contains(height))
                rowStyles.emplace(height, QStringLiteral("ro%1").arg(rowStyles.size() + 1));
            for (std::size_t c = 0; c < sheet->rowCells(r).size(); ++c)
                cellStyle(*sheet, r, c, cellLink(*sheet, r, c), cellStyles);
        }
    }
}

// A sheet's merged blocks: the first cell of each with its block, and the
// cells the blocks cover, which the format writes as covered cells.
struct Merges {
    explicit Merges(const Worksheet& sheet)
    {
        for (const Worksheet::Area& area : sheet.mergedAreas()) {
            first.insert(Worksheet::cellKey(area.firstRow, area.firstColumn), area);
            for (qint32 r = area.firstRow; r <= area.lastRow; ++r) {
                lastCovered[r] = std::max(lastCovered.value(r), area.lastColumn);
                for (qint32 c = area.firstColumn; c <= area.lastColumn; ++c) {
                    if (r != area.firstRow || c != area.firstColumn)
                        covered.insert(Worksheet::cellKey(r, c));
                }
            }
        }
    }

    QHash<quint64, Worksheet::Area> first;
    QSet<quint64> covered;
    QHash<qint32, qint32> lastCovered;  // by row: the last column a block covers there
};

// Rows from..to of the sheet; rows of wrapped text keep the model's height.
void writeRows(QXmlStreamWriter& out, const Worksheet& sheet, qint32 from, qint32 to, CellStyles& styles,
    const std::map<double, QString>& rowStyles, const Merges& merges)
{
    for (qint32 r = from; r <= to; ++r) {
        out.writeStartElement(kTable, QStringLiteral("table-row"));
        const double height = sheet.rowHeight(r);
        if (height > kStandardRowHeight)
            out.writeAttribute(kTable, QStringLiteral("style-name"), rowStyles.at(height));
        const std::vector<Cell>& cells = sheet.rowCells(r);
        const auto width = std::max<std::size_t>(cells.size(), static_cast<std::size_t>(merges.lastCovered.value(r)));
        for (std::size_t c = 0; c < width; ++c) {
            const quint64 key = Worksheet::cellKey(r, static_cast<qint32>(c + 1));
            const bool covered = merges.covered.contains(key);
            out.writeStartElement(kTable, covered ? QStringLiteral("covered-table-cell") : QStringLiteral("table-cell"));
            if (c >= cells.size()) {
                out.writeEndElement();
                continue;
            }
            const Hyperlink* link = cellLink(sheet, r, c);
            const QString style = cellStyle(sheet, r, c, link, styles);
            if (!style.isEmpty())
                out.writeAttribute(kTable, QStringLiteral("style-name"), style);
            const auto block = merges.first.constFind(key);
            if (block != merges.first.cend()) {
                out.writeAttribute(kTable, QStringLiteral("number-columns-spanned"),
                    QString::number(block->lastColumn - block->firstColumn + 1));
                out.writeAttribute(kTable, QStringLiteral("number-rows-spanned"),
                    QString::number(block->lastRow - block->firstRow + 1));
            }
            if (!covered)
                writeCellValue(out, cells[c].value, link);
            out.writeEndElement();
        }
        if (width == 0)
            out.writeEmptyElement(kTable, QStringLiteral("table-cell"));
        out.writeEndElement();
    }
}

void writeSheet(QXmlStreamWriter& out, const Worksheet& sheet, qint32 index, CellStyles& styles,
    const std::map<double, QString>& rowStyles, const std::map<double, QString>& columnStyles)
{
    out.writeStartElement(kTable, QStringLiteral("table"));
    out.writeAttribute(kTable, QStringLiteral("name"), xmlText(sheet.name()));
    out.writeAttribute(kTable, QStringLiteral("style-name"), QStringLiteral("ta%1").arg(index));
    const PageSetup& page = sheet.pageSetup();
    if (page.printAreaLastRow != 0) {
        const QString name = quotedSheet(sheet.name());
        out.writeAttribute(kTable, QStringLiteral("print-ranges"),
            QStringLiteral("%1.A1:%1.%2%3").arg(name, columnLetters(page.printAreaLastColumn)).arg(page.printAreaLastRow));
    }
    const std::vector<Worksheet::Column>& columns = sheet.columnProperties();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        out.writeEmptyElement(kTable, QStringLiteral("table-column"));
        if (columns[c].customWidth)
            out.writeAttribute(kTable, QStringLiteral("style-name"), columnStyles.at(columns[c].width));
        if (columns[c].wrapText)
            out.writeAttribute(kTable, QStringLiteral("default-cell-style-name"), styles.get(0, false, false, true));
    }
    const qint32 rows = sheet.rowCount();
    const qint32 firstTitle = std::min(page.printTitleFirstRow, rows);
    const qint32 lastTitle = std::min(page.printTitleLastRow, rows);
    const Merges merges(sheet);
    if (firstTitle > 0) {
        // Header rows are the format's own title rows: they repeat on every page.
        writeRows(out, sheet, 1, firstTitle - 1, styles, rowStyles, merges);
        out.writeStartElement(kTable, QStringLiteral("table-header-rows"));
        writeRows(out, sheet, firstTitle, lastTitle, styles, rowStyles, merges);
        out.writeEndElement();
        writeRows(out, sheet, lastTitle + 1, rows, styles, rowStyles, merges);
    } else {
        writeRows(out, sheet, 1, rows, styles, rowStyles, merges);
    }
    if (rows == 0) {
        out.writeStartElement(kTable, QStringLiteral("table-row"));
        out.writeEmptyElement(kTable, QStringLiteral("table-cell"));
        out.writeEndElement();
    }
    out.writeEndElement();
}

// The active sheet and each sheet's selected cell, as the application keeps them.
void writeSettings(QXmlStreamWriter& out, const Workbook& book)
{
    const auto item = [&](const char* name, const char* type, const QString& value) {
        out.writeStartElement(kConfig, QStringLiteral("config-item"));
        out.writeAttribute(kConfig, QStringLiteral("name"), QString::fromLatin1(name));
        out.writeAttribute(kConfig, QStringLiteral("type"), QString::fromLatin1(type));
        out.writeCharacters(value);
        out.writeEndElement();
    };
    out.writeStartElement(kOffice, QStringLiteral("settings"));
    out.writeStartElement(kConfig, QStringLiteral("config-item-set"));
    out.writeAttribute(kConfig, QStringLiteral("name"), QStringLiteral("ooo:view-settings"));
    out.writeStartElement(kConfig, QStringLiteral("config-item-map-indexed"));
    out.writeAttribute(kConfig, QStringLiteral("name"), QStringLiteral("Views"));
    out.writeStartElement(kConfig, QStringLiteral("config-item-map-entry"));
    item("ViewId", "string", QStringLiteral("view1"));
    out.writeStartElement(kConfig, QStringLiteral("config-item-map-named"));
    out.writeAttribute(kConfig, QStringLiteral("name"), QStringLiteral("Tables"));
    for (const std::shared_ptr<Worksheet>& sheet : book.sheets()) {
        out.writeStartElement(kConfig, QStringLiteral("config-item-map-entry"));
        out.writeAttribute(kConfig, QStringLiteral("name"), xmlText(sheet->name()));
        item("CursorPositionX", "int", QString::number(sheet->selectedColumn() - 1));
        item("CursorPositionY", "int", QString::number(sheet->selectedRow() - 1));
        out.writeEndElement();
    }
    out.writeEndElement();
    if (const std::shared_ptr<Worksheet> active = book.activeSheet())
        item("ActiveTable", "string", xmlText(active->name()));
    out.writeEndElement();
    out.writeEndElement();
    out.writeEndElement();
    out.writeEndElement();
}

}  // namespace

void exportOds(const Workbook& book, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throwExportFailure(file.errorString());
    QXmlStreamWriter out(&file);
    out.writeStartDocument();
    out.writeNamespace(kOffice, QStringLiteral("office"));
    out.writeNamespace(kStyle, QStringLiteral("style"));
    out.writeNamespace(kText, QStringLiteral("text"));
    out.writeNamespace(kTable, QStringLiteral("table"));
    out.writeNamespace(kFo, QStringLiteral("fo"));
    out.writeNamespace(kNumber, QStringLiteral("number"));
    out.writeNamespace(kXlink, QStringLiteral("xlink"));
    out.writeNamespace(kConfig, QStringLiteral("config"));
    out.writeNamespace(kLoext, QStringLiteral("loext"));
    out.writeStartElement(kOffice, QStringLiteral("document"));
    out.writeAttribute(kOffice, QStringLiteral("version"), QStringLiteral("1.3"));
    out.writeAttribute(kOffice, QStringLiteral("mimetype"), QStringLiteral("application/vnd.oasis.opendocument.spreadsheet"));
    writeSettings(out, book);

    // The default font of the .xlsx export, so that both lay out alike.
    out.writeStartElement(kOffice, QStringLiteral("styles"));
    out.writeStartElement(kStyle, QStringLiteral("default-style"));
    out.writeAttribute(kStyle, QStringLiteral("family"), QStringLiteral("table-cell"));
    out.writeEmptyElement(kStyle, QStringLiteral("text-properties"));
    out.writeAttribute(kStyle, QStringLiteral("font-name"), QStringLiteral("Calibri"));
    out.writeAttribute(kFo, QStringLiteral("font-family"), QStringLiteral("Calibri"));
    out.writeAttribute(kFo, QStringLiteral("font-size"), QStringLiteral("11pt"));
    out.writeAttribute(kStyle, QStringLiteral("font-size-asian"), QStringLiteral("11pt"));
    out.writeAttribute(kStyle, QStringLiteral("font-size-complex"), QStringLiteral("11pt"));
    out.writeEndElement();
    writeDateStyle(out);
    out.writeEndElement();

    std::map<double, QString> columnStyles, rowStyles;
    CellStyles cellStyles(book.formats());
    collectStyles(book, cellStyles, columnStyles, rowStyles);

    out.writeStartElement(kOffice, QStringLiteral("automatic-styles"));
    for (const auto& [width, name] : columnStyles) {
        out.writeStartElement(kStyle, QStringLiteral("style"));
        out.writeAttribute(kStyle, QStringLiteral("name"), name);
        out.writeAttribute(kStyle, QStringLiteral("family"), QStringLiteral("table-column"));
        out.writeEmptyElement(kStyle, QStringLiteral("table-column-properties"));
        out.writeAttribute(kStyle, QStringLiteral("column-width"), points(columnPoints(width)));
        out.writeEndElement();
    }
    for (const auto& [height, name] : rowStyles) {
        out.writeStartElement(kStyle, QStringLiteral("style"));
        out.writeAttribute(kStyle, QStringLiteral("name"), name);
        out.writeAttribute(kStyle, QStringLiteral("family"), QStringLiteral("table-row"));
        out.writeEmptyElement(kStyle, QStringLiteral("table-row-properties"));
        out.writeAttribute(kStyle, QStringLiteral("row-height"), points(height));
        out.writeAttribute(kStyle, QStringLiteral("use-optimal-row-height"), QStringLiteral("false"));
        out.writeEndElement();
    }
    // Each sheet prints on a page style of its own: its footer names it.
    for (std::size_t i = 1; i <= book.sheets().size(); ++i) {
        out.writeStartElement(kStyle, QStringLiteral("style"));
        out.writeAttribute(kStyle, QStringLiteral("name"), QStringLiteral("ta%1").arg(i));
        out.writeAttribute(kStyle, QStringLiteral("family"), QStringLiteral("table"));
        out.writeAttribute(kStyle, QStringLiteral("master-page-name"), QStringLiteral("M%1").arg(i));
        out.writeEndElement();
    }
    cellStyles.write(out);
    std::size_t index = 0;
    for (const std::shared_ptr<Worksheet>& sheet : book.sheets())
        writePageLayout(out, QStringLiteral("pm%1").arg(++index), sheet->pageSetup());
    out.writeEndElement();

    out.writeStartElement(kOffice, QStringLiteral("master-styles"));
    index = 0;
    for (const std::shared_ptr<Worksheet>& sheet : book.sheets()) {
        ++index;
        writeMasterPage(out, QStringLiteral("M%1").arg(index), QStringLiteral("pm%1").arg(index), sheet->pageSetup());
    }
    out.writeEndElement();

    out.writeStartElement(kOffice, QStringLiteral("body"));
    out.writeStartElement(kOffice, QStringLiteral("spreadsheet"));
    qint32 sheetIndex = 0;
    for (const std::shared_ptr<Worksheet>& sheet : book.sheets())
        writeSheet(out, *sheet, ++sheetIndex, cellStyles, rowStyles, columnStyles);
    out.writeEndElement();
    out.writeEndElement();

    out.writeEndElement();
    out.writeEndDocument();
    if (!file.flush() || out.hasError())
        throwExportFailure(file.errorString());
}

}  // namespace platform::xl
