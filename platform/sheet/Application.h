#pragma once

#include "SpreadsheetProgram.h"
#include "Workbook.h"

#include <QString>

#include <memory>
#include <vector>

namespace platform::xl {

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

    const SpreadsheetProgram& program() const { return program_; }

private:
    explicit Application(SpreadsheetProgram program) : program_(std::move(program)) {}

    SpreadsheetProgram program_;
    std::vector<std::shared_ptr<Workbook>> workbooks_;
    std::size_t shownWorkbooks_ = 0;
    bool visible_ = false;
    bool displayAlerts_ = true;
    qint32 sheetsInNewWorkbook_ = 1;
};

}  // namespace platform::xl
