#pragma once

#include "FieldValue.h"

#include <QStringList>

#include <vector>

namespace platform {

class Command;

// A client-side result set: every row is read when it opens, so it can be
// walked forward, rewound with moveFirst() and walked again.
class Recordset {
public:
    using Row = std::vector<FieldValue>;

    bool isOpen() const { return open_; }

    // Opens the set on rows already read, positioned on the first row (or at
    // its end when there are none). Used by the database command and by tests.
    void openWith(QStringList fieldNames, std::vector<Row> rows);  // throws RuntimeError when already open

    // Runs the command and holds its whole result. A command that returns no
    // rows at all (not even an empty set) leaves the set closed.
    void open(Command& command);  // throws RuntimeError

    void close();  // throws RuntimeError when not open

    bool eof() const;   // throws RuntimeError when not open
    void moveFirst();   // throws RuntimeError when not open
    void moveNext();    // throws RuntimeError when not open or at the end

    int fieldCount() const;                    // throws RuntimeError when not open
    QString fieldName(int index) const;        // throws RuntimeError when not open or out of range
    const FieldValue& value(int index) const;  // throws RuntimeError when closed, at the end or out of range

    std::size_t rowCount() const { return rows_.size(); }

private:
    void requireOpen() const;  // throws RuntimeError
    void requireField(int index) const;  // throws RuntimeError

    bool open_ = false;
    QStringList names_;
    std::vector<Row> rows_;
    std::size_t position_ = 0;
};

}  // namespace platform
