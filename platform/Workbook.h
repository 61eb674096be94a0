#pragma once

#include "FieldValue.h"

#include <QHash>
#include <QString>

#include <array>
#include <memory>
#include <vector>

// An in-memory workbook with the automation members the document routines
// use. It is filled while a document is built and handed over to the
// spreadsheet application, as an .xlsx file, when the application is made
// visible. Rows and columns are 1-based, as in automation.
namespace platform::xl {

class Workbook;
class Worksheet;

inline constexpr qint32 kMaxRows = 1048576;
inline constexpr qint32 kMaxColumns = 16384;
inline constexpr qint32 kMaxSheetNameLength = 31;
inline constexpr qint32 kMaxCellTextLength = 32767;
inline constexpr double kStandardColumnWidth = 8.43;
inline constexpr double kMaxColumnWidth = 255.0;

// XlBordersIndex
enum class BordersIndex : qint32 {
    EdgeLeft = 7,
    EdgeTop = 8,
    EdgeBottom = 9,
    EdgeRight = 10,
    InsideVertical = 11,
    InsideHorizontal = 12,
};

// XlLineStyle, as far as the model supports it.
enum class LineStyle : qint32 { None = -4142, Continuous = 1, Dot = -4118 };

// XlColorIndex special values; 1..56 index the default palette.
inline constexpr qint32 kColorIndexNone = -4142;
inline constexpr qint32 kColorIndexAutomatic = -4105;
inline constexpr qint32 kColorIndexWhite = 2;
inline constexpr qint32 kColorIndexGrey = 16;

// The default palette as RGB, 0xRRGGBB; throws RuntimeError outside 1..56.
quint32 paletteColor(qint32 colorIndex);

// Everything a cell shows besides its value. Small and comparable, so that
// a workbook keeps each distinct combination once.
struct CellFormat {
    enum Edge { Left, Top, Bottom, Right };
    std::array<LineStyle, 4> edges{LineStyle::None, LineStyle::None, LineStyle::None, LineStyle::None};
    qint32 fillColorIndex = kColorIndexNone;
    qint32 fontColorIndex = kColorIndexAutomatic;
    bool bold = false;
    bool wrapText = false;

    friend bool operator==(const CellFormat&, const CellFormat&) = default;
};

struct Hyperlink {
    QString address;     // empty: a place inside the workbook
    QString subAddress;  // e.g. "Sheet2!A1"
};

struct Cell {
    FieldValue value;      // never Null: a Null written leaves the cell Empty
    quint16 format = 0;    // index into Workbook::formats()
};

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
    // Every cell of the block; Null and empty text leave the cells empty.
    void setValue(const FieldValue& value);     // throws RuntimeError

    Border borders(qint32 index) const;  // throws RuntimeError for an index the model lacks
    Interior interior() const;
    Font font() const;

    // Needs the sheet to be the active one, as in the application.
    void select();  // throws RuntimeError

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

class Worksheet : public std::enable_shared_from_this<Worksheet> {
public:
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

    // Read side, for the export and for tests.
    qint32 rowCount() const { return static_cast<qint32>(rows_.size()); }
    const std::vector<Cell>& rowCells(qint32 row) const { return rows_[static_cast<std::size_t>(row - 1)]; }
    const Cell* cell(qint32 row, qint32 column) const;
    const CellFormat& cellFormat(qint32 row, qint32 column) const;
    const std::vector<Column>& columnProperties() const { return columns_; }
    const Column& columnProperty(qint32 column) const;
    const QHash<quint64, Hyperlink>& hyperlinkMap() const { return hyperlinks_; }
    static quint64 cellKey(qint32 row, qint32 column) { return (quint64(quint32(row)) << 32) | quint32(column); }
    qint32 selectedRow() const { return selectedRow_; }
    qint32 selectedColumn() const { return selectedColumn_; }

private:
    friend class Workbook;
    friend class Range;
    friend class ColumnRange;

    friend class Border;
    friend class Interior;
    friend class Font;

    Workbook& requireWorkbook() const;  // throws RuntimeError
    Cell& cellAt(qint32 row, qint32 column);
    Column& columnAt(qint32 column);
    // Applies `change` to the format of every cell in the block; cells that do
    // not exist yet are created only when `create` is set.
    template <typename Change>
    void changeFormats(qint32 firstRow, qint32 firstColumn, qint32 lastRow, qint32 lastColumn, bool create,
        const Change& change);  // throws RuntimeError

    Workbook* workbook_;
    QString name_;
    std::vector<std::vector<Cell>> rows_;
    std::vector<Column> columns_;
    QHash<quint64, Hyperlink> hyperlinks_;
    qint32 selectedRow_ = 1;
    qint32 selectedColumn_ = 1;
};

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

    const std::vector<CellFormat>& formats() const { return formats_; }

private:
    friend class Worksheet;
    friend class Range;

    quint16 internFormat(const CellFormat& format);  // throws RuntimeError when the table is full
    void checkSheetName(const QString& name, const Worksheet* renamed) const;  // throws RuntimeError
    QString nextSheetName();
    qint32 indexOf(const Worksheet* sheet) const;
    void insertSheet(std::size_t position, std::shared_ptr<Worksheet> sheet);

    std::vector<std::shared_ptr<Worksheet>> sheets_;
    // Every sheet by its case-folded name: names are unique regardless of case,
    // and a document of thousands of sheets checks one per sheet it adds.
    QHash<QString, const Worksheet*> sheetsByFoldedName_;
    std::weak_ptr<Worksheet> active_;
    qint32 sheetCounter_ = 0;
    std::vector<CellFormat> formats_;
    QHash<quint64, quint16> formatIds_;
};

// Stands for the spreadsheet application instance: hidden while a document is
// built, handed the workbooks when made visible.
class Application {
public:
    class Workbooks {
    public:
        std::shared_ptr<Workbook> add();

    private:
        friend class Application;
        explicit Workbooks(Application& app) : app_(app) {}
        Application& app_;
    };

    // Fails with error 429 when the spreadsheet application is not installed.
    static std::shared_ptr<Application> create();  // throws RuntimeError

    Workbooks workbooks() { return Workbooks(*this); }

    bool visible() const { return visible_; }
    // Making it visible hands each workbook not yet shown over to the spreadsheet application.
    void setVisible(bool visible);  // throws RuntimeError
    bool displayAlerts() const { return displayAlerts_; }
    void setDisplayAlerts(bool displayAlerts) { displayAlerts_ = displayAlerts; }
    void setSheetsInNewWorkbook(qint32 count);  // throws RuntimeError outside 1..255

    const QString& programPath() const { return programPath_; }

private:
    explicit Application(QString programPath) : programPath_(std::move(programPath)) {}

    QString programPath_;
    std::vector<std::shared_ptr<Workbook>> workbooks_;
    std::size_t shownWorkbooks_ = 0;
    bool visible_ = false;
    bool displayAlerts_ = true;
    qint32 sheetsInNewWorkbook_ = 1;
};

// Display width of a text in characters of the standard font: East Asian
// wide and full-width characters count two; for several lines, the widest.
qint32 textDisplayWidth(const QString& text);

// The text a cell shows for a value, as AutoFit measures it.
QString displayText(const FieldValue& value);

// "A" -> 1, "XFD" -> 16384; 0 for anything else.
qint32 columnNumber(QStringView letters);

}  // namespace platform::xl
