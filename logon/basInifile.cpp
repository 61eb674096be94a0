#include "basInifile.h"

#include "PrivateProfile.h"

namespace basInifile {

namespace {

constexpr qsizetype kIniBufferSize = 255;

}  // namespace

QString GetIniString(const QString& vstrKey, const QString& vstrSection, const QString& vstrFileName)
{
    const QString buffer =
        platform::getPrivateProfileString(vstrSection, vstrKey, QString(), kIniBufferSize, vstrFileName);
    // The value ends at its first NUL, as a C string would.
    return buffer.left(buffer.indexOf(QChar(0)));
}

bool PutIniString(const QString& vstrValue, const QString& vstrKey, const QString& vstrSection,
    const QString& vstrFileName)
{
    return platform::writePrivateProfileString(vstrSection, vstrKey, vstrValue, vstrFileName);
}

}  // namespace basInifile
