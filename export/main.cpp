#include "ExportRun.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tablinor"));
    return runExport(QCoreApplication::arguments().mid(1));
}
