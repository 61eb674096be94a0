#include "ExcelProbe.h"

#include "AppInfo.h"
#include "Application.h"
#include "MessageBox.h"
#include "RuntimeError.h"
#include "basMessage.h"

bool IsExcelInstalled(QWidget* parent)
{
    try {
        platform::xl::Application::create();
        return true;
    } catch (const platform::RuntimeError&) {
        platform::MessageBox::show(parent, msg::kSpreadsheetMissing,
            platform::MsgBoxStyle::Critical, QString::fromUtf8(platform::app_info::kTitle));
        return false;
    }
}
