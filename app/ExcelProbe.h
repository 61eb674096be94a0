#pragma once

class QWidget;

// True when the spreadsheet application can be started; otherwise the user is
// told so in a critical message box over `parent`.
bool IsExcelInstalled(QWidget* parent = nullptr);
