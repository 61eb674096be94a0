#include "frmMain.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tablinor"));
    frmMain window;
    window.show();
    return app.exec();
}
