#pragma once

#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QWidget>

// Notes whether the wait cursor was up while a widget painted: a run that
// blocks must show the hourglass by the time its status text is drawn. The
// widget's window must be shown, or nothing paints.
class WaitCursorWatch : public QObject {
public:
    explicit WaitCursorWatch(QWidget* widget) { widget->installEventFilter(this); }

    bool sawWaitCursor() const { return sawWaitCursor_; }
    void reset() { sawWaitCursor_ = false; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        const QCursor* cursor = QApplication::overrideCursor();
        if (event->type() == QEvent::Paint && cursor && cursor->shape() == Qt::WaitCursor)
            sawWaitCursor_ = true;
        return false;
    }

private:
    bool sawWaitCursor_ = false;
};
