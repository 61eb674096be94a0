#pragma once

#include <QString>

// What the main window remembers of its documents: a section of its own in
// the settings file that also holds the logon.
namespace document_settings {

inline const QString kFile = QStringLiteral("STATUS.INI");
inline const QString kSection = QStringLiteral("DOCUMENT");
inline const QString kDetailed = QStringLiteral("DETAILED");  // "1" or "0"
inline const QString kDescriptionProperty = QStringLiteral("DESCRIPTION_PROPERTY");
inline const QString kSaveFolder = QStringLiteral("SAVE_FOLDER");

}  // namespace document_settings
