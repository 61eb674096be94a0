// tablinor-export's failures: nothing is left under the output name, and the
// exit status and standard error tell what went wrong.
#include "ExportCommand.h"
#include "StandinLogin.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

TEST(ExportRun, AFailureLeavesNoFileAndSaysWhy)
{
    const StandinLogin login = standinLogin();
    QTemporaryDir folder;
    const QString output = folder.filePath(QStringLiteral("book.xlsx"));
    const QStringList logon{QStringLiteral("--server"), login.server, QStringLiteral("--database"), login.database,
        QStringLiteral("--user"), login.uid, QStringLiteral("--output"), output, QStringLiteral("--password-stdin")};

    // A refused login fails after the workbook was started: no file, not even a temporary one.
    const ExportResult refused = runExportCommand(logon + QStringList{QStringLiteral("--kind"), QStringLiteral("tables")},
        login.pwd + QStringLiteral("-wrong\n"));
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.errors.endsWith(u'\n') && refused.errors.contains(QStringLiteral("\n1045:")))
        << refused.errors.toStdString();
    EXPECT_TRUE(QDir(folder.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));

    const ExportResult badKind = runExportCommand(logon + QStringList{QStringLiteral("--kind"), QStringLiteral("indexes")});
    EXPECT_EQ(badKind.exitCode, 2);
    EXPECT_TRUE(badKind.errors.contains(QStringLiteral("--kind"))) << badKind.errors.toStdString();

    // An existing file is replaced only when asked to.
    QFile existing(output);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    const QStringList functions = logon + QStringList{QStringLiteral("--kind"), QStringLiteral("functions")};
    EXPECT_EQ(runExportCommand(functions, login.pwd + u'\n').exitCode, 1);
    EXPECT_EQ(QFileInfo(output).size(), 0);
    EXPECT_EQ(runExportCommand(functions + QStringList{QStringLiteral("--force")}, login.pwd + u'\n').exitCode, 0);
    EXPECT_GT(QFileInfo(output).size(), 0);
}
