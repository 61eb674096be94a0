#include "Application.h"

#include "RuntimeError.h"
#include "SheetErrors.h"
#include "WorkbookHandOver.h"

namespace platform::xl {

std::shared_ptr<Application> Application::create()
{
    std::optional<SpreadsheetProgram> program = findSpreadsheetProgram();
    if (!program)
        throw RuntimeError(error_number::kCannotCreateObject,
            QStringLiteral("ActiveX コンポーネントはオブジェクトを作成できません。"));
    return std::shared_ptr<Application>(new Application(std::move(*program)));
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
            handOverWorkbook(*workbooks_[shownWorkbooks_], program_);
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
