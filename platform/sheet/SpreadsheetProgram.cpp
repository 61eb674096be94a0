#include "SpreadsheetProgram.h"

#include <QProcess>
#include <QStandardPaths>

namespace platform::xl {

namespace {

const QString kFlatpakId = QStringLiteral("org.libreoffice.LibreOffice");
// `flatpak info` answers from local metadata; a hung one must not hang start-up.
constexpr int kFlatpakInfoTimeoutMs = 5000;

bool flatpakInstalled(const QString& flatpak)
{
    QProcess info;
    info.setStandardOutputFile(QProcess::nullDevice());
    info.setStandardErrorFile(QProcess::nullDevice());
    info.start(flatpak, {QStringLiteral("info"), kFlatpakId});
    if (!info.waitForFinished(kFlatpakInfoTimeoutMs)) {
        info.kill();
        info.waitForFinished();
        return false;
    }
    return info.exitStatus() == QProcess::NormalExit && info.exitCode() == 0;
}

}  // namespace

std::optional<SpreadsheetProgram> findSpreadsheetProgram()
{
    for (const QString& name : {QStringLiteral("soffice"), QStringLiteral("libreoffice")}) {
        const QString program = QStandardPaths::findExecutable(name);
        if (!program.isEmpty())
            return SpreadsheetProgram{program, {}};
    }
    const QString flatpak = QStandardPaths::findExecutable(QStringLiteral("flatpak"));
    if (!flatpak.isEmpty() && flatpakInstalled(flatpak))
        return SpreadsheetProgram{flatpak, {QStringLiteral("run"), kFlatpakId}};
    return std::nullopt;
}

}  // namespace platform::xl
