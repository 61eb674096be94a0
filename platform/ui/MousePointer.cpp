#include "MousePointer.h"

#include <QApplication>
#include <QCursor>

namespace platform {

void setMousePointer(MousePointer pointer)
{
    // Keep at most one override on Qt's stack, so "default" always restores.
    if (pointer == MousePointer::Hourglass) {
        if (QApplication::overrideCursor())
            QApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
        else
            QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    } else {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
    }
}

MousePointer mousePointer()
{
    const QCursor* cursor = QApplication::overrideCursor();
    return cursor && cursor->shape() == Qt::WaitCursor ? MousePointer::Hourglass : MousePointer::Default;
}

}  // namespace platform
