#include "FileDialog.h"

#include <QFileDialog>

#include <utility>

namespace platform {

namespace {

FileDialog::Responder& responder()
{
    static FileDialog::Responder instance;
    return instance;
}

}  // namespace

QString FileDialog::saveFileName(QWidget* parent, const QString& caption, const QString& proposed,
    const QString& nameFilter, const QString& defaultSuffix)
{
    QFileDialog dialog(parent, caption, proposed, nameFilter);
    dialog.setObjectName(QStringLiteral("saveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(defaultSuffix);
    if (responder())
        return responder()(dialog);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

FileDialog::Responder FileDialog::setResponder(Responder newResponder)
{
    return std::exchange(responder(), std::move(newResponder));
}

}  // namespace platform
