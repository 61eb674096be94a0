#include "ExportRun.h"

#include "Application.h"
#include "ConnectionSettings.h"
#include "DocumentPipeline.h"
#include "ExportOptions.h"
#include "PasswordInput.h"
#include "RuntimeError.h"
#include "StderrStatus.h"
#include "WorkbookSave.h"
#include "basMessage.h"

#include <QFileInfo>

#include <cstdio>

namespace {

void print(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
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
        platform::xl::saveWorkbook(*capture.shown().back(), options.output, options.force);
    } catch (const platform::RuntimeError& error) {
        status.ShowStatus(error.failureText());
        return 1;
    }
    status.ShowStatus(msg::kDocumentCreated);
    return 0;
}
