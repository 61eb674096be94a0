// Writes the manual page tablinor-export(1) to the file named by its one
// argument, from the option texts that tablinor-export --help shows.
#include "ExportOptions.h"

#include <QFile>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: export_manual_page FILE\n", stderr);
        return 2;
    }
    QFile file(QFile::decodeName(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(exportManualPage().toUtf8()) < 0
        || !file.flush()) {
        std::fprintf(stderr, "export_manual_page: %s: %s\n", argv[1], qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
