#pragma once

#include <QtGlobal>

#include <memory>

namespace platform::xl {

class Worksheet;

// Whole columns, as Columns("A:C") gives them.
class ColumnRange {
public:
    ColumnRange(std::shared_ptr<Worksheet> sheet, qint32 firstColumn, qint32 lastColumn);

    // Fits each column to its widest text; a column without text keeps its width.
    void autoFit();  // throws RuntimeError
    // The first column's width, in characters of the standard font.
    double columnWidth() const;  // throws RuntimeError
    void setColumnWidth(double width);  // throws RuntimeError
    void setWrapText(bool wrap);  // throws RuntimeError

private:
    std::shared_ptr<Worksheet> sheet_;
    qint32 firstColumn_, lastColumn_;
};

}  // namespace platform::xl
