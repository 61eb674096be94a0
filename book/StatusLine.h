#pragma once

#include <QString>

// Where the sheet writers report a failure: the main window's status line.
class StatusLine {
public:
    virtual ~StatusLine() = default;
    virtual void ShowStatus(const QString& vstrText) = 0;
};
