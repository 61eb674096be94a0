#pragma once

#include <QString>

namespace platform {

// Settings files are small; more than this is not read, so a huge file
// cannot stall the program, and is never rewritten, so it is never cut.
inline constexpr qint64 kProfileFileMaxBytes = 1024 * 1024;

// A bare file name lives in the application's per-user configuration folder;
// a name with a folder is used as it is.
QString privateProfilePath(const QString& fileName);

// The key's value in the section of the file, or defaultValue when the file,
// the section or the key is missing or the file cannot be read. The result
// holds at most bufferSize - 1 bytes of UTF-8, cut at a character boundary.
QString getPrivateProfileString(const QString& section, const QString& key, const QString& defaultValue,
    qsizetype bufferSize, const QString& fileName);

// Sets the key in the section, creating the folder, file, section and key as
// needed, and replaces the file atomically: readers see the old file or the
// new one, never a part. False when nothing was written.
bool writePrivateProfileString(const QString& section, const QString& key, const QString& value,
    const QString& fileName);

}  // namespace platform
