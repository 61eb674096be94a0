#pragma once

#include <QString>

#include <functional>

class QFileDialog;
class QWidget;

namespace platform {

// The modal dialog that asks where to save a file. Tests install a responder
// that receives the fully built dialog instead of it being executed, looks at
// it and answers with the file chosen, or an empty text for a cancel.
class FileDialog {
public:
    using Responder = std::function<QString(QFileDialog&)>;

    // The file the user chose, its suffix added when typed without one, or an
    // empty text. `proposed` is the folder and name the dialog starts with;
    // the dialog itself asks before an existing file is chosen.
    static QString saveFileName(QWidget* parent, const QString& caption, const QString& proposed,
        const QString& nameFilter, const QString& defaultSuffix);

    // Returns the previous responder; an empty one restores real, modal dialogs.
    static Responder setResponder(Responder responder);
};

}  // namespace platform
