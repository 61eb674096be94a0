#pragma once

#include "CellFormat.h"
#include "ColumnRange.h"
#include "FieldValue.h"
#include "PageSetup.h"
#include "Range.h"
#include "SheetLimits.h"

#include <QHash>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace platform::xl {

class Workbook;

struct Hyperlink {
    QString address;     // empty: a place inside the workbook
    QString subAddress;  // e.g. "Sheet2!A1"
};

struct Cell {
    FieldValue value;      // never Null: a Null written leaves the cell Empty
    quint16 format = 0;    // index into Workbook::formats()
};

class Worksheet : public std::enable_shared_from_this<Worksheet> {
public:
    struct Area {
        qint32 firstRow, firstColumn, lastRow, lastColumn;
    };
    struct Column {
        double width = kStandardColumnWidth;
        bool customWidth = false;
        bool wrapText = false;
    };
    class Hyperlinks {
    public:
        // An in-workbook link when address is empty; the anchor cell shows textToDisplay.
        void add(const Range& anchor, const QString& address, const QString& subAddress,
            const QString& textToDisplay);  // throws RuntimeError
    private:
        friend class Worksheet;
        explicit Hyperlinks(Worksheet& sheet) : sheet_(sheet) {}
        Worksheet& sheet_;
    };

    Worksheet(Workbook& workbook, QString name);

    const QString& name() const { return name_; }
    // A name that breaks the naming rules raises error 1004 and the sheet keeps its name.
    void setName(const QString& name);  // throws RuntimeError

    void deleteSheet();  // throws RuntimeError
    void activate();     // throws RuntimeError
    bool isDeleted() const { return workbook_ == nullptr; }

    Range cells(qint32 row, qint32 column);              // throws RuntimeError
    Range range(const QString& reference);               // throws RuntimeError
    ColumnRange columns(const QString& reference);       // throws RuntimeError
    Hyperlinks hyperlinks() { return Hyperlinks(*this); }
    PageSetup& pageSetup() { return pageSetup_; }

    // Read side, for the export and for tests.
    qint32 rowCount() const { return static_cast<qint32>(rows_.size()); }
    const std::vector<Cell>& rowCells(qint32 row) const { return rows_[static_cast<std::size_t>(row - 1)]; }
    const Cell* cell(qint32 row, qint32 column) const;
    const CellFormat& cellFormat(qint32 row, qint32 column) const;
    const std::vector<Column>& columnProperties() const { return columns_; }
    const Column& columnProperty(qint32 column) const;
    const QHash<quint64, Hyperlink>& hyperlinkMap() const { return hyperlinks_; }
    const std::vector<Area>& mergedAreas() const { return merged_; }
    static quint64 cellKey(qint32 row, qint32 column) { return (quint64(quint32(row)) << 32) | quint32(column); }
    qint32 selectedRow() const { return selectedRow_; }
    qint32 selectedColumn() const { return selectedColumn_; }
    const PageSetup& pageSetup() const { return pageSetup_; }
    // The height in points the spreadsheet application draws the row at: the
    // standard height, or what its wrapped text needs.
    double rowHeight(qint32 row) const;
    // How many A4 pages tall the written rows print with the page setup, as
    // a fraction: their height, shrunk as the fit to the pages wide shrinks
    // the columns, over what a page holds between its margins.
    double pagesTall() const;

private:
    friend class Workbook;
    friend class Range;
    friend class ColumnRange;

    friend class Border;
    friend class Interior;
    friend class Font;

    double fittedRowHeight(qint32 row) const;
    Workbook& requireWorkbook() const;  // throws RuntimeError
    Cell& cellAt(qint32 row, qint32 column);
    Column& columnAt(qint32 column);
    // Applies `change` to the format of every cell in the block; cells that do
    // not exist yet are created only when `create` is set.
    void changeFormats(qint32 firstRow, qint32 firstColumn, qint32 lastRow, qint32 lastColumn, bool create,
        const std::function<void(CellFormat&)>& change);  // throws RuntimeError

    Workbook* workbook_;
    QString name_;
    std::vector<std::vector<Cell>> rows_;
    std::vector<Column> columns_;
    QHash<quint64, Hyperlink> hyperlinks_;
    std::vector<Area> merged_;
    // What rowHeight worked out for every row, until a cell, a column or a
    // merge changes: the page set-up and each export ask for all rows.
    mutable std::vector<double> rowHeights_;
    PageSetup pageSetup_;
    qint32 selectedRow_ = 1;
    qint32 selectedColumn_ = 1;
};

}  // namespace platform::xl
