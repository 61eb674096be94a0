#pragma once

#include "CellFormat.h"
#include "FieldValue.h"

#include <memory>

namespace platform::xl {

class Worksheet;
class Border;
class Interior;
class Font;

// A rectangular block of one sheet, as Range / Cells give it.
class Range {
public:
    Range(std::shared_ptr<Worksheet> sheet, qint32 firstRow, qint32 firstColumn, qint32 lastRow, qint32 lastColumn);

    qint32 row() const { return firstRow_; }
    qint32 column() const { return firstColumn_; }
    qint32 lastRow() const { return lastRow_; }
    qint32 lastColumn() const { return lastColumn_; }
    const std::shared_ptr<Worksheet>& worksheet() const { return sheet_; }

    // The top-left cell's value.
    FieldValue value() const;                   // throws RuntimeError
    // Every cell of the block; Null and empty text leave the cells empty, and
    // a text longer than a cell holds is cut to it, ending with a mark.
    void setValue(const FieldValue& value);     // throws RuntimeError

    Border borders(qint32 index) const;  // throws RuntimeError for an index the model lacks
    Interior interior() const;
    Font font() const;
    // XlVAlign: top, center or bottom.
    void setVerticalAlignment(qint32 alignment);  // throws RuntimeError

    // Needs the sheet to be the active one, as in the application.
    void select();  // throws RuntimeError
    // One cell spanning the block, showing the top-left cell; a block that
    // overlaps one merged before raises error 1004.
    void merge();  // throws RuntimeError

private:
    std::shared_ptr<Worksheet> sheet_;
    qint32 firstRow_, firstColumn_, lastRow_, lastColumn_;
};

class Border {
public:
    void setLineStyle(qint32 style);  // throws RuntimeError
private:
    friend class Range;
    Border(Range range, BordersIndex index) : range_(std::move(range)), index_(index) {}
    Range range_;
    BordersIndex index_;
};

class Interior {
public:
    void setColorIndex(qint32 colorIndex);  // throws RuntimeError
private:
    friend class Range;
    explicit Interior(Range range) : range_(std::move(range)) {}
    Range range_;
};

class Font {
public:
    void setColorIndex(qint32 colorIndex);  // throws RuntimeError
    void setBold(bool bold);                // throws RuntimeError
private:
    friend class Range;
    explicit Font(Range range) : range_(std::move(range)) {}
    Range range_;
};

}  // namespace platform::xl
