// Feeds GetRoutineComment and ExtractBlockComment any sequence of UTF-16 code
// units (lone surrogates included) and checks what must hold for every text.

#include "basMain.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    // The first byte picks a start position for ExtractBlockComment, also
    // before the text and past its end; the rest is the text.
    const qsizetype start = static_cast<std::int8_t>(data[0]);
    std::u16string units((size - 1) / 2, u'\0');
    std::memcpy(units.data(), data + 1, units.size() * sizeof(char16_t));
    const QString text = QString::fromStdU16String(units);

    const QString comment = GetRoutineComment(text);
    require(comment.size() <= text.size());
    require(!comment.contains(u'*'));
    require(!comment.startsWith(u' ') && !comment.endsWith(u' '));
    // Removing CR LF can join "/" and "*" into an opener, so look after it.
    if (!QString(text).remove(QStringLiteral("\r\n")).contains(QStringLiteral("/*")))
        require(comment.isEmpty());

    qsizetype position = start;
    const QString collected = ExtractBlockComment(position, text);
    require(collected.size() <= text.size());
    require(!collected.contains(u'*'));
    require(position == start || (position >= 3 && position <= text.size() + 1));
    return 0;
}
