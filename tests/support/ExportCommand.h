#pragma once

// Runs tablinor-export as a user's shell would, but with no display and no
// spreadsheet application on PATH.

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

struct ExportResult {
    int exitCode = -1;
    QString errors;  // what it wrote to standard error
};

// `input` is written to its standard input, which is then closed.
inline ExportResult runExportCommand(const QStringList& arguments, const QString& input = {})
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "TABLINOR_PASSWORD"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("PATH"), QStringLiteral("/nonexistent"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TABLINOR_EXPORT_COMMAND), arguments);
    EXPECT_TRUE(process.waitForStarted());
    process.write(input.toUtf8());
    process.closeWriteChannel();
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
        QString::fromUtf8(process.readAllStandardError())};
}
