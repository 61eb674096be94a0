#pragma once

#include <QString>

namespace basInifile {

// The settings file of the program. A bare file name lives in the per-user
// configuration folder; values read back cut to 254 bytes of UTF-8.
QString GetIniString(const QString& vstrKey, const QString& vstrSection, const QString& vstrFileName);

// True when the value was written. A folder that cannot be written gives
// false and nothing else.
bool PutIniString(const QString& vstrValue, const QString& vstrKey, const QString& vstrSection,
    const QString& vstrFileName);

}  // namespace basInifile
