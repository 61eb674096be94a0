#include "WorkbookHandOver.h"

#include "AppInfo.h"
#include "PhaseTimer.h"
#include "RuntimeError.h"
#include "OdsExport.h"

#include <QDateTime>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace platform::xl {

namespace {

constexpr QFileDevice::Permissions kOwnerOnlyFolder
    = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions kOwnerOnlyFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// The spreadsheet application reads a file within seconds of being started;
// an hour leaves ample room for another instance's hand-over in progress.
constexpr qint64 kStaleAfterSeconds = 3600;

const QString kFilePrefix = QStringLiteral("book-");
const QString kFileSuffix = QStringLiteral(".fods");
// Earlier versions handed over .xlsx files; they are pruned alike.
const QStringList kStalePatterns{kFilePrefix + QStringLiteral("*.fods"), kFilePrefix + QStringLiteral("*.xlsx")};

[[noreturn]] void throwHandOverFailure(const QString& description)
{
    throw RuntimeError(error_number::kGenericFailure, description);
}

void removeStaleFiles(const QDir& folder)
{
    const QDateTime cutoff = QDateTime::currentDateTimeUtc().addSecs(-kStaleAfterSeconds);
    const QFileInfoList files = folder.entryInfoList(kStalePatterns, QDir::Files | QDir::NoSymLinks);
    for (const QFileInfo& file : files) {
        if (file.lastModified().toUTC() < cutoff)
            QFile::remove(file.absoluteFilePath());
    }
}

void startSpreadsheet(const SpreadsheetProgram& program, const QStringList& arguments)  // throws RuntimeError
{
    if (!QProcess::startDetached(program.program, program.leadingArguments + arguments))
        throw RuntimeError(error_number::kCannotCreateObject,
            QStringLiteral("表計算アプリケーションを起動できません: %1").arg(program.program));
}

}  // namespace

QString handOverFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty())
        throwHandOverFailure(QStringLiteral("ブックを書き出すフォルダーがありません。"));
    const QString folder = documents + u'/' + QString::fromUtf8(app_info::kTitle);
    QFileInfo info(folder);
    if (!info.exists() && !QDir().mkpath(folder))
        throwHandOverFailure(QStringLiteral("フォルダーを作成できません: %1").arg(folder));
    info.refresh();
    // An earlier, looser folder is tightened; a link is not followed.
    if (info.isSymLink() || !info.isDir() || !QFile::setPermissions(folder, kOwnerOnlyFolder))
        throwHandOverFailure(QStringLiteral("フォルダーを非公開にできません: %1").arg(folder));
    return folder;
}

QString handOverWorkbook(const Workbook& book, const SpreadsheetProgram& program)
{
    const phase_timer::Scope timing(phase_timer::Phase::Export);
    const QDir folder(handOverFolder());
    // Pruned before the new file exists, so the file handed over now is never at risk.
    removeStaleFiles(folder);

    QTemporaryFile file(folder.filePath(kFilePrefix + QStringLiteral("XXXXXX") + kFileSuffix));
    file.setAutoRemove(false);
    if (!file.open())
        throwHandOverFailure(QStringLiteral("ファイルを作成できません: %1").arg(file.errorString()));
    const QString path = file.fileName();
    file.close();
    try {
        // OpenDocument, not .xlsx: Calc opens a book whose sheets have title
        // rows in time linear in the sheets only from this form.
        exportOds(book, path);
        if (!QFile::setPermissions(path, kOwnerOnlyFile))
            throwHandOverFailure(QStringLiteral("ファイルを非公開にできません: %1").arg(path));
        startSpreadsheet(program, {QStringLiteral("--calc"), QStringLiteral("-n"), path});
    } catch (...) {
        QFile::remove(path);
        throw;
    }
    return path;
}

void openWorkbookFile(const QString& path)
{
    const std::optional<SpreadsheetProgram> program = findSpreadsheetProgram();
    if (!program)
        throwHandOverFailure(QStringLiteral("表計算アプリケーションがみつかりません。"));
    startSpreadsheet(*program, {QStringLiteral("--calc"), path});
}

}  // namespace platform::xl
