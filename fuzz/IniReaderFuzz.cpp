// Feeds arbitrary bytes to the settings-file reader and checks what every
// file must satisfy: an untouched file writes back byte for byte, a value
// that was set reads back, a change leaves other keys alone, and a read never
// goes past its buffer or parts a character.
#include "IniDocument.h"
#include "PrivateProfile.h"

#include <QDir>
#include <QFile>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

using platform::IniDocument;

namespace {

void check(bool condition, const char* what)
{
    if (!condition) {
        fprintf(stderr, "violated: %s\n", what);
        abort();
    }
}

const QString& scratchFile()
{
    static const QString path =
        QDir::tempPath() + QStringLiteral("/tablinor-ini-fuzz-%1.ini").arg(QString::number(getpid()));
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString section = QStringLiteral("CONNECT");
    const QString key = QStringLiteral("SERVER");
    const QString other = QStringLiteral("DATABASE");

    IniDocument document = IniDocument::parse(bytes);
    check(document.toBytes() == bytes, "an untouched file writes back byte for byte");
    const std::optional<QString> otherBefore = document.value(section, other);

    // The new value comes from the tail of the input, so that it varies too.
    const QString value = QString::fromUtf8(bytes.right(40));
    if (document.setValue(section, key, value)) {
        const IniDocument reread = IniDocument::parse(document.toBytes());
        check(reread.value(section, key) == value, "a value that was set reads back");
        check(reread.value(section, other) == otherBefore, "setting one key leaves another alone");
    }

    QFile file(scratchFile());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(bytes);
    file.close();
    const QString full = IniDocument::parse(bytes).value(section, key).value_or(QString());
    const QString read = platform::getPrivateProfileString(section, key, {}, 255, scratchFile());
    check(read.toUtf8().size() <= 254, "a read fits its buffer");
    check(full.startsWith(read), "a read is the start of the value");
    if (read.size() < full.size()) {
        const qsizetype next = full[read.size()].isHighSurrogate() ? 2 : 1;
        check(read.toUtf8().size() + full.mid(read.size(), next).toUtf8().size() > 254,
            "a read stops only where the next character would not fit");
    }
    return 0;
}
