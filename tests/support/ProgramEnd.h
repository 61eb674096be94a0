#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>

// Runs `action` inside the application's event loop and tells whether the
// program then ended by itself, as it does when its last window closes; a
// window that is only hidden keeps it running until the time limit.
inline bool programEndsAfter(const std::function<void()>& action, int timeLimitMs = 5000)
{
    QTimer timeLimit;
    timeLimit.setSingleShot(true);
    QObject::connect(&timeLimit, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    timeLimit.start(timeLimitMs);
    QTimer::singleShot(0, action);
    return QApplication::exec() == 0;
}
