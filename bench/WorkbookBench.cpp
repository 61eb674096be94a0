// Writes a workbook of 2,000 column sheets (20 rows x 6 columns each) through
// the in-memory workbook and its export, and the same cells with the same
// formats through libxlsxwriter alone, and prints both timings, their ratio
// and the peak resident memory.

#include "SheetFormat.h"
#include "Workbook.h"
#include "XlsxExport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <xlsxwriter.h>

#include <sys/resource.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

using platform::FieldValue;

namespace {

constexpr int kSheets = 2000;
constexpr int kRows = 20;  // header included
constexpr int kColumns = 6;
constexpr int kRounds = 3;

struct Input {
    QStringList sheetNames;
    QStringList header;
    std::vector<std::vector<std::array<FieldValue, kColumns>>> records;  // per sheet
    std::vector<std::array<double, kColumns>> widths;                    // per sheet, as AutoFit gives them
};

Input makeInput()
{
    const QStringList types{"int", "nvarchar", "datetime", "decimal", "char", "bit"};
    Input in;
    in.header = QStringList{"列名", "データ型", "データ長", "小数点桁数", "制約", "NULL許可"};
    for (int s = 0; s < kSheets; ++s) {
        in.sheetNames << QStringLiteral("テーブル_%1").arg(s, 4, 10, QChar(u'0'));
        std::vector<std::array<FieldValue, kColumns>> rows;
        for (int r = 1; r < kRows; ++r) {
            rows.push_back({FieldValue(QStringLiteral("列_%1_%2").arg(s).arg(r)), FieldValue(types[r % types.size()]),
                FieldValue(qint64(4 * r)), r % 3 ? FieldValue(qint64(r % 5)) : FieldValue::null(),
                r == 1 ? FieldValue(QStringLiteral("PK")) : FieldValue::null(),
                r % 2 ? FieldValue(QStringLiteral("○")) : FieldValue::null()});
        }
        in.records.push_back(std::move(rows));
    }
    return in;
}

double seconds(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e9;
}

// The model path: cells as the column writer writes them, the sheet's
// formatting, then the export.
double runModel(Input& in, const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    platform::xl::Workbook book(1);
    auto sheets = book.worksheets();
    for (int s = 0; s < kSheets; ++s) {
        auto sheet = sheets.add(sheets.item(sheets.count()));
        sheet->setName(in.sheetNames[s]);
        for (int c = 0; c < kColumns; ++c)
            sheet->cells(1, c + 1).setValue(in.header[c]);
        qint32 row = 2;
        for (const auto& record : in.records[s]) {
            for (int c = 0; c < kColumns; ++c)
                sheet->cells(row, c + 1).setValue(record[c]);
            ++row;
        }
        FormatFieldsSheet(sheet, row - 1);
        if (in.widths.size() < static_cast<std::size_t>(kSheets)) {
            std::array<double, kColumns> w{};
            for (int c = 0; c < kColumns; ++c)
                w[c] = sheet->columnProperty(c + 1).width;
            in.widths.push_back(w);
        }
    }
    sheets.item(1)->deleteSheet();
    platform::xl::exportXlsx(book, path);
    return seconds(timer);
}

// libxlsxwriter on its own: the same cells, borders, fills, fonts and widths,
// from data already in its own form.
struct PlainCell {
    enum { Blank, Number, String } kind;
    double number;
    QByteArray text;
};

struct PlainInput {
    std::vector<QByteArray> names;
    std::vector<std::vector<PlainCell>> cells;  // per sheet, row-major kRows x kColumns
};

PlainInput makePlainInput(const Input& in)
{
    PlainInput out;
    for (int s = 0; s < kSheets; ++s) {
        out.names.push_back(in.sheetNames[s].toUtf8());
        std::vector<PlainCell> cells;
        for (int c = 0; c < kColumns; ++c)
            cells.push_back({PlainCell::String, 0, in.header[c].toUtf8()});
        for (const auto& record : in.records[s]) {
            for (const FieldValue& v : record) {
                if (v.isNull())
                    cells.push_back({PlainCell::Blank, 0, {}});
                else if (v.kind() == FieldValue::Kind::Integer)
                    cells.push_back({PlainCell::Number, double(v.integer()), {}});
                else
                    cells.push_back({PlainCell::String, 0, v.text().toUtf8()});
            }
        }
        out.cells.push_back(std::move(cells));
    }
    return out;
}

double runPlain(const PlainInput& in, const std::vector<std::array<double, kColumns>>& widths, const QString& path)
{
    QElapsedTimer timer;
    timer.start();
    lxw_workbook* book = workbook_new(path.toLocal8Bit().constData());
    // One format per distinct position in the grid: header, body, last row;
    // first, inner and last column.
    lxw_format* formats[3][3];
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            lxw_format* f = workbook_add_format(book);
            format_set_top(f, r == 0 ? LXW_BORDER_THIN : LXW_BORDER_NONE);
            format_set_bottom(f, r == 1 ? LXW_BORDER_DOTTED : LXW_BORDER_THIN);
            format_set_left(f, c == 0 ? LXW_BORDER_THIN : LXW_BORDER_NONE);
            format_set_right(f, LXW_BORDER_THIN);
            if (r == 0) {
                format_set_pattern(f, LXW_PATTERN_SOLID);
                format_set_bg_color(f, 0x808080);
                format_set_font_color(f, 0xFFFFFF);
                format_set_bold(f);
            }
            formats[r][c] = f;
        }
    }
    for (int s = 0; s < kSheets; ++s) {
        lxw_worksheet* sheet = workbook_add_worksheet(book, in.names[s].constData());
        for (int c = 0; c < kColumns; ++c)
            worksheet_set_column(sheet, c, c, widths[s][c], nullptr);
        const std::vector<PlainCell>& cells = in.cells[s];
        for (int r = 0; r < kRows; ++r) {
            const int fr = r == 0 ? 0 : r == kRows - 1 ? 2 : 1;
            for (int c = 0; c < kColumns; ++c) {
                lxw_format* f = formats[fr][c == 0 ? 0 : c == kColumns - 1 ? 2 : 1];
                const PlainCell& cell = cells[static_cast<std::size_t>(r * kColumns + c)];
                if (cell.kind == PlainCell::String)
                    worksheet_write_string(sheet, r, c, cell.text.constData(), f);
                else if (cell.kind == PlainCell::Number)
                    worksheet_write_number(sheet, r, c, cell.number, f);
                else
                    worksheet_write_blank(sheet, r, c, f);
            }
        }
    }
    workbook_close(book);
    return seconds(timer);
}

double peakRssMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    Input in = makeInput();
    const double rssBefore = peakRssMegabytes();

    std::vector<double> model, plain;
    model.push_back(runModel(in, dir.filePath("model.xlsx")));
    const double rssModel = peakRssMegabytes();
    const PlainInput plainInput = makePlainInput(in);
    plain.push_back(runPlain(plainInput, in.widths, dir.filePath("plain.xlsx")));
    for (int round = 1; round < kRounds; ++round) {
        model.push_back(runModel(in, dir.filePath("model.xlsx")));
        plain.push_back(runPlain(plainInput, in.widths, dir.filePath("plain.xlsx")));
    }

    const double cells = double(kSheets) * kRows * kColumns;
    const double modelSeconds = median(model);
    const double plainSeconds = median(plain);
    std::printf("workbook: %d sheets x %d rows x %d columns = %.0f cells (median of %d rounds)\n", kSheets, kRows,
        kColumns, cells, kRounds);
    std::printf("model + export:    %.3f s  %.0f cells/s\n", modelSeconds, cells / modelSeconds);
    std::printf("libxlsxwriter only: %.3f s  %.0f cells/s\n", plainSeconds, cells / plainSeconds);
    std::printf("ratio:             %.2f (target <= 1.5)\n", modelSeconds / plainSeconds);
    std::printf("peak RSS:          %.1f MB after the first model run (input alone %.1f MB), %.1f MB at the end "
                "(target < 300 MB)\n",
        rssModel, rssBefore, peakRssMegabytes());
    return 0;
}
