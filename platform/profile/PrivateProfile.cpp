#include "PrivateProfile.h"

#include "IniDocument.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

#include <optional>

namespace platform {

namespace {

struct FileContents {
    QByteArray bytes;
    bool complete = true;  // false when the file is larger than the cap
};

// nullopt when there is no regular file to read (a FIFO would block).
std::optional<FileContents> readCapped(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    FileContents contents;
    contents.bytes = file.read(kProfileFileMaxBytes + 1);
    if (contents.bytes.size() > kProfileFileMaxBytes) {
        contents.complete = false;
        contents.bytes.truncate(kProfileFileMaxBytes);
        // A cut line could pass for a shorter value; drop it.
        contents.bytes.truncate(contents.bytes.lastIndexOf('\n') + 1);
    }
    return contents;
}

qsizetype utf8Length(char32_t codePoint)
{
    if (codePoint < 0x80)
        return 1;
    if (codePoint < 0x800)
        return 2;
    if (codePoint < 0x10000)
        return 3;
    return 4;
}

// The longest prefix whose UTF-8 form fits in maxBytes, never parting a
// surrogate pair. A lone surrogate counts as the replacement character.
QString cutAtCharacter(const QString& text, qsizetype maxBytes)
{
    qsizetype bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const char32_t codePoint = pair ? QChar::surrogateToUcs4(text[i], text[i + 1]) : text[i].unicode();
        const qsizetype length = QChar::isSurrogate(codePoint) ? 3 : utf8Length(codePoint);
        if (bytes + length > maxBytes)
            break;
        bytes += length;
        i += pair ? 2 : 1;
    }
    return text.left(i);
}

}  // namespace

QString privateProfilePath(const QString& fileName)
{
    if (QFileInfo(fileName).fileName() != fileName)
        return fileName;
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + u'/' + fileName;
}

QString getPrivateProfileString(const QString& section, const QString& key, const QString& defaultValue,
    qsizetype bufferSize, const QString& fileName)
{
    std::optional<QString> found;
    if (const std::optional<FileContents> contents = readCapped(privateProfilePath(fileName)))
        found = IniDocument::parse(contents->bytes).value(section, key);
    return cutAtCharacter(found.value_or(defaultValue), qMax<qsizetype>(bufferSize - 1, 0));
}

bool writePrivateProfileString(const QString& section, const QString& key, const QString& value,
    const QString& fileName)
{
    const QString path = privateProfilePath(fileName);
    const QFileInfo info(path);
    IniDocument document;
    if (info.exists()) {
        const std::optional<FileContents> contents = readCapped(path);
        if (!contents || !contents->complete)
            return false;
        document = IniDocument::parse(contents->bytes);
    }
    if (!document.setValue(section, key, value))
        return false;
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = document.toBytes();
    if (file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

}  // namespace platform
