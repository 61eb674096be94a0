#include "DocumentSave.h"

#include "Application.h"
#include "DocumentPipeline.h"
#include "DocumentSettings.h"
#include "FileDialog.h"
#include "PrivateProfile.h"
#include "WorkbookHandOver.h"
#include "WorkbookSave.h"
#include "basMessage.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

using namespace document_settings;

// A folder's whole path: the other settings are read back cut to 254 bytes.
constexpr qsizetype kFolderBufferSize = 4096;

const QString kSuffix = QStringLiteral("xlsx");

// The folder chosen last while it is still there, else the documents folder, else home.
QString startFolder()
{
    const QString candidates[] = {
        platform::getPrivateProfileString(kSection, kSaveFolder, {}, kFolderBufferSize, kFile),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)};
    for (const QString& folder : candidates) {
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    }
    return QDir::homePath();
}

}  // namespace

std::optional<DocumentFile> chooseDocumentFile(QWidget* parent, qint16 kind)
{
    const QString documentNames[] = {msg::kTableDocument, msg::kViewDocument, msg::kProcedureDocument,
        msg::kFunctionDocument};
    const QString proposed = QDir(startFolder()).filePath(documentNames[kind] + u'.' + kSuffix);
    const QString chosen =
        platform::FileDialog::saveFileName(parent, msg::kSaveDialogCaption, proposed, msg::kWorkbookFilter, kSuffix);
    if (chosen.isEmpty())
        return std::nullopt;
    const QFileInfo file(chosen);
    platform::writePrivateProfileString(kSection, kSaveFolder, file.absolutePath(), kFile);
    // The dialog asked before it let an existing file be chosen, and that
    // answer is the consent to replace it. A file that appears there only
    // later was never agreed to and is kept.
    return DocumentFile{file.absoluteFilePath(), file.exists()};
}

bool saveDocument(StatusLine& status, qint16 kind, const DocumentOptions& options, const DocumentFile& file)
{
    const platform::xl::WorkbookCapture capture;
    if (!DocumentPipeline(status, options).CreateDocument(kind))
        return false;
    platform::xl::saveWorkbook(*capture.shown().back(), file.path, file.replace);
    platform::xl::openWorkbookFile(file.path);
    return true;
}
