#include "WorkbookSave.h"

#include "RuntimeError.h"
#include "XlsxExport.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace platform::xl {

namespace {

[[noreturn]] void throwWriteFailure(const QString& description)
{
    throw RuntimeError(error_number::kGenericFailure, description);
}

}  // namespace

void saveWorkbook(const Workbook& book, const QString& path, bool replace)
{
    const QFileInfo target(path);
    // Hidden, and removed with this object unless it was renamed into place.
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!file.open())
        throwWriteFailure(QStringLiteral("ファイルを作成できません: %1: %2").arg(path, file.errorString()));
    file.close();
    const QByteArray from = QFile::encodeName(file.fileName());
    const QByteArray to = QFile::encodeName(target.absoluteFilePath());
    exportXlsx(book, file.fileName());
    // A document is shared like any other file: the usual permissions, not the temporary file's.
    const mode_t mask = umask(0);
    umask(mask);
    chmod(from.constData(), 0666 & ~mask);
    // link() refuses an existing name where rename() would replace it.
    const bool moved = replace ? std::rename(from.constData(), to.constData()) == 0
                               : link(from.constData(), to.constData()) == 0;
    if (!moved) {
        throwWriteFailure(
            QStringLiteral("ファイルを書き込めません: %1: %2").arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    }
}

}  // namespace platform::xl
