#include "Application.h"

#include "RuntimeError.h"
#include "SheetErrors.h"
#include "WorkbookHandOver.h"

namespace platform::xl {

namespace {

thread_local WorkbookCapture* innermostCapture = nullptr;

}  // namespace

WorkbookCapture::WorkbookCapture() : outer_(innermostCapture)
{
    innermostCapture = this;
}

WorkbookCapture::~WorkbookCapture()
{
    innermostCapture = outer_;
}

std::shared_ptr<Application> Application::create()
{
    if (WorkbookCapture* capture = innermostCapture) {
        return std::shared_ptr<Application>(
            new Application([capture](const std::shared_ptr<Workbook>& book) { capture->shown_.push_back(book); }));
    }
    std::optional<SpreadsheetProgram> program = findSpreadsheetProgram();
    if (!program)
        throw RuntimeError(error_number::kCannotCreateObject,
            QStringLiteral("ActiveX コンポーネントはオブジェクトを作成できません。"));
    return std::shared_ptr<Application>(new Application(
        [program = std::move(*program)](const std::shared_ptr<Workbook>& book) { handOverWorkbook(*book, program); }));
}

std::shared_ptr<Workbook> Application::Workbooks::add()
{
    auto book = std::make_shared<Workbook>(app_.sheetsInNewWorkbook_);
    app_.workbooks_.push_back(book);
    return book;
}

void Application::setVisible(bool visible)
{
    if (visible) {
        for (; shownWorkbooks_ < workbooks_.size(); ++shownWorkbooks_)
            handOver_(workbooks_[shownWorkbooks_]);
    }
    visible_ = visible;
}

void Application::setSheetsInNewWorkbook(qint32 count)
{
    if (count < 1 || count > 255)
        throwApplicationDefined();
    sheetsInNewWorkbook_ = count;
}

}  // namespace platform::xl
