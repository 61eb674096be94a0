#pragma once

#include "StatusLine.h"

// The status line of a run without a desktop: each text on a line of
// standard error. On a terminal the progress of a table or view document is
// one line, redrawn in place and cleared by the next text.
class StderrStatus : public StatusLine {
public:
    StderrStatus();

    void ShowStatus(const QString& vstrText) override;
    void showProgress(qint32 done, qint32 total, const QString& objectName) override;

private:
    void clearProgress();

    bool terminal_;
    bool progressShown_ = false;
    ProgressThrottle throttle_;
};
