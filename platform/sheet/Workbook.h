#pragma once

#include "CellFormat.h"
#include "Worksheet.h"

#include <QHash>
#include <QString>

#include <memory>
#include <vector>

// An in-memory workbook with the automation members the document routines
// use. It is filled while a document is built and handed over to the
// spreadsheet application, as an .xlsx file, when the application is made
// visible. Rows and columns are 1-based, as in automation.
namespace platform::xl {

class Workbook {
public:
    class Worksheets {
    public:
        using const_iterator = std::vector<std::shared_ptr<Worksheet>>::const_iterator;

        qint32 count() const { return static_cast<qint32>(book_.sheets_.size()); }
        const std::shared_ptr<Worksheet>& item(qint32 index) const;        // throws RuntimeError
        // Looked up without regard to case, as the application does.
        const std::shared_ptr<Worksheet>& item(const QString& name) const; // throws RuntimeError
        // A new sheet right after `after`, named with the next free "SheetN", and made active.
        std::shared_ptr<Worksheet> add(const std::shared_ptr<Worksheet>& after);  // throws RuntimeError
        const_iterator begin() const { return book_.sheets_.begin(); }
        const_iterator end() const { return book_.sheets_.end(); }

    private:
        friend class Workbook;
        explicit Worksheets(Workbook& book) : book_(book) {}
        Workbook& book_;
    };

    explicit Workbook(qint32 defaultSheets);
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    Worksheets worksheets() { return Worksheets(*this); }
    const std::vector<std::shared_ptr<Worksheet>>& sheets() const { return sheets_; }
    std::shared_ptr<Worksheet> activeSheet() const;
    // The sheets the workbook was created with that it still holds, in order.
    std::vector<std::shared_ptr<Worksheet>> defaultSheets() const;

    // The name for `sheet` (a sheet of this workbook, or null) that stands for
    // `wanted`: `wanted` itself when it is a valid name no other sheet holds;
    // otherwise one derived from it that is: every character the application
    // refuses, or the file cannot hold, replaced by "_", apostrophes at either
    // end dropped, cut to kMaxSheetNameLength UTF-16 units without splitting a
    // surrogate pair, and while still taken, "~2", "~3", ... as its last
    // characters. The same wanted name among the same sheets gives the same name.
    QString sheetNameFor(const QString& wanted, const Worksheet* sheet) const;

    const std::vector<CellFormat>& formats() const { return formats_; }

private:
    friend class Worksheet;
    friend class Range;

    quint16 internFormat(const CellFormat& format);  // throws RuntimeError when the table is full
    void checkSheetName(const QString& name, const Worksheet* renamed) const;  // throws RuntimeError
    bool holdsSheetName(const QString& name, const Worksheet* except) const;
    QString nextSheetName();
    qint32 indexOf(const Worksheet* sheet) const;
    void insertSheet(std::size_t position, std::shared_ptr<Worksheet> sheet);

    std::vector<std::shared_ptr<Worksheet>> sheets_;
    // Every sheet by its case-folded name: names are unique regardless of case,
    // and a document of thousands of sheets checks one per sheet it adds.
    QHash<QString, const Worksheet*> sheetsByFoldedName_;
    std::weak_ptr<Worksheet> active_;
    std::vector<std::weak_ptr<Worksheet>> defaultSheets_;
    qint32 sheetCounter_ = 0;
    std::vector<CellFormat> formats_;
    QHash<quint64, quint16> formatIds_;
};

}  // namespace platform::xl
