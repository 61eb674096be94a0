#include "ExportRun.h"

#include "Application.h"
#include "ConnectionSettings.h"
#include "DocumentPipeline.h"
#include "ExportOptions.h"
#include "PasswordInput.h"
#include "RuntimeError.h"
#include "StderrStatus.h"
#include "XlsxExport.h"
#include "basMessage.h"

#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

namespace {

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

[[noreturn]] void throwWriteFailure(const QString& description)
{
    throw platform::RuntimeError(platform::error_number::kGenericFailure, description);
}

// Writes the workbook beside the output file and moves it into place, so that
// the output name never holds a partial file. Without `replace` an existing
// file stays and the write fails.
void writeWorkbook(const platform::xl::Workbook& book, const QString& output, bool replace)  // throws RuntimeError
{
    const QFileInfo target(output);
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    if (!file.open())
        throwWriteFailure(QStringLiteral("ファイルを作成できません: %1: %2").arg(output, file.errorString()));
    file.close();
    const QByteArray from = QFile::encodeName(file.fileName());
    const QByteArray to = QFile::encodeName(target.absoluteFilePath());
    platform::xl::exportXlsx(book, file.fileName());
    // A document is shared like any other file: the usual permissions, not the temporary file's.
    const mode_t mask = umask(0);
    umask(mask);
    chmod(from.constData(), 0666 & ~mask);
    const bool moved = replace ? std::rename(from.constData(), to.constData()) == 0
                               : link(from.constData(), to.constData()) == 0;
    if (!moved)
        throwWriteFailure(QStringLiteral("ファイルを書き込めません: %1: %2").arg(output, QString::fromLocal8Bit(std::strerror(errno))));
}

}  // namespace

int runExport(const QStringList& arguments)
{
    ExportOptions options;
    const QString problem = parseExportOptions(arguments, options);
    if (!problem.isEmpty()) {
        print(stderr, QStringLiteral("tablinor-export: %1\n詳しくは tablinor-export --help を参照してください。\n").arg(problem));
        return 2;
    }
    if (options.request == ExportOptions::Request::Help) {
        print(stdout, exportHelpText());
        return 0;
    }
    if (options.request == ExportOptions::Request::Version) {
        print(stdout, exportVersionText());
        return 0;
    }
    // Refused before the password is asked for and the server is reached.
    if (!options.force && QFileInfo::exists(options.output)) {
        print(stderr, QStringLiteral("tablinor-export: ファイルが既にあります: %1 (置き換えるには --force を指定してください)\n")
                          .arg(options.output));
        return 1;
    }
    const std::optional<QString> password = readPassword(options.passwordStdin);
    if (!password) {
        print(stderr, QStringLiteral("tablinor-export: パスワードを読めません。端末から実行するか、--password-stdin "
                                     "または環境変数 TABLINOR_PASSWORD で渡してください。\n"));
        return 2;
    }
    gstrSvr = options.server;
    gstrDb = options.database;
    gstrUid = options.user;
    gstrPwd = *password;

    StderrStatus status;
    status.ShowStatus(msg::kCreatingDocument);
    const platform::xl::WorkbookCapture capture;
    try {
        if (!DocumentPipeline(status, options.document).CreateDocument(options.kind))
            return 1;
        writeWorkbook(*capture.shown().back(), options.output, options.force);
    } catch (const platform::RuntimeError& error) {
        status.ShowStatus(error.failureText());
        return 1;
    }
    status.ShowStatus(msg::kDocumentCreated);
    return 0;
}
