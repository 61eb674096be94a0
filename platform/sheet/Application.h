#pragma once

#include "SpreadsheetProgram.h"
#include "Workbook.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace platform::xl {

// While one is alive, applications created on this thread keep the workbooks
// they are made to show instead of handing them over, and need no spreadsheet
// application at all: a document is then made without a desktop.
class WorkbookCapture {
public:
    WorkbookCapture();
    ~WorkbookCapture();
    WorkbookCapture(const WorkbookCapture&) = delete;
    WorkbookCapture& operator=(const WorkbookCapture&) = delete;

    // The workbooks shown so far, in the order they were shown.
    const std::vector<std::shared_ptr<Workbook>>& shown() const { return shown_; }

private:
    friend class Application;
    WorkbookCapture* outer_;
    std::vector<std::shared_ptr<Workbook>> shown_;
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

    // Fails with error 429 when the spreadsheet application is not installed
    // and no WorkbookCapture is alive.
    static std::shared_ptr<Application> create();  // throws RuntimeError

    Workbooks workbooks() { return Workbooks(*this); }

    bool visible() const { return visible_; }
    // Making it visible hands each workbook not yet shown over to the spreadsheet application.
    void setVisible(bool visible);  // throws RuntimeError
    bool displayAlerts() const { return displayAlerts_; }
    void setDisplayAlerts(bool displayAlerts) { displayAlerts_ = displayAlerts; }
    void setSheetsInNewWorkbook(qint32 count);  // throws RuntimeError outside 1..255

private:
    using HandOver = std::function<void(const std::shared_ptr<Workbook>&)>;
    explicit Application(HandOver handOver) : handOver_(std::move(handOver)) {}

    HandOver handOver_;
    std::vector<std::shared_ptr<Workbook>> workbooks_;
    std::size_t shownWorkbooks_ = 0;
    bool visible_ = false;
    bool displayAlerts_ = true;
    qint32 sheetsInNewWorkbook_ = 1;
};

}  // namespace platform::xl
