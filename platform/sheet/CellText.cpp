#include "CellText.h"

#include "SheetLimits.h"

#include <algorithm>

namespace platform::xl {

namespace {

bool isWide(char32_t c)
{
    // East Asian Wide and Fullwidth blocks; ambiguous characters count one.
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF)
        || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF)
        || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F)
        || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F)
        || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

qint32 textDisplayWidth(const QString& text)
{
    qint32 widest = 0;
    qint32 line = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (c == u'\n') {
            widest = std::max(widest, line);
            line = 0;
        } else if (c != u'\r') {
            line += isWide(c) ? 2 : 1;
        }
    }
    return std::max(widest, line);
}

QString displayText(const FieldValue& value)
{
    if (value.kind() == FieldValue::Kind::DateTime)
        return value.dateTime().toString(QStringLiteral("yyyy/M/d H:mm"));
    return value.isNull() ? QString() : value.toText();
}

qint32 columnNumber(QStringView letters)
{
    if (letters.isEmpty() || letters.size() > 3)
        return 0;
    qint32 number = 0;
    for (QChar c : letters) {
        const char16_t u = c.toUpper().unicode();
        if (u < u'A' || u > u'Z')
            return 0;
        number = number * 26 + (u - u'A' + 1);
    }
    return number <= kMaxColumns ? number : 0;
}

}  // namespace platform::xl
