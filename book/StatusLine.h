#pragma once

#include "basMessage.h"

#include <QElapsedTimer>
#include <QString>

// Where a document run reports: the main window's status line, or standard
// error when a document is made without a desktop.
class StatusLine {
public:
    virtual ~StatusLine() = default;
    virtual void ShowStatus(const QString& vstrText) = 0;
    // Called before each object's sheet of a table or view document, done of
    // total objects finished.
    virtual void showProgress(qint32 /*done*/, qint32 /*total*/, const QString& /*objectName*/) {}
};

// The status text while object done + 1 of total is being written:
// "仕様書を作成しています... (3/39) name".
inline QString progressText(qint32 done, qint32 total, const QString& objectName)
{
    return QStringLiteral("%1 (%2/%3) %4").arg(msg::kCreatingDocument).arg(done + 1).arg(total).arg(objectName);
}

// Lets the first progress report of a run through and then one per interval:
// showing every object would cost more than the object itself on a large catalog.
class ProgressThrottle {
public:
    bool due(qint32 done)
    {
        if (done > 0 && clock_.isValid() && clock_.elapsed() < kIntervalMs)
            return false;
        clock_.start();
        return true;
    }

private:
    static constexpr qint64 kIntervalMs = 100;
    QElapsedTimer clock_;
};
