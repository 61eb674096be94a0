#include "CellText.h"

#include "SheetLimits.h"

#include <algorithm>
#include <cmath>

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

// What the spreadsheet application (LibreOffice Calc) draws for the workbook's
// font, Calibri 11, where fontconfig gives DejaVu Sans for Latin text and
// Noto Sans CJK JP for Japanese; measured with Calc's own optimal widths and
// heights. Advances are in Calc's layout pixels, rounded as it rounds them.
constexpr quint8 kAsciiAdvance[95] = {
    5, 6, 7, 13, 10, 14, 12, 4, 6, 6, 8, 13, 5, 5, 5, 5,       //  !"#$%&'()*+,-./
    10, 10, 10, 10, 10, 10, 10, 10, 10, 10, 5, 5, 13, 13, 13, 8,  // 0-9 :;<=>?
    15, 11, 10, 10, 12, 9, 9, 12, 11, 4, 4, 10, 8, 13, 11, 12,    // @A-O
    9, 12, 10, 10, 9, 11, 10, 15, 10, 9, 10, 6, 5, 6, 13, 8,      // P-Z [\]^_
    8, 9, 10, 8, 10, 9, 5, 10, 10, 4, 4, 9, 4, 15, 10, 9,         // `a-o
    10, 10, 6, 8, 6, 10, 9, 12, 9, 9, 8, 10, 5, 10, 13,           // p-z {|}~
};
// Ideographs and kana, and the symbols a Japanese font draws full-width
// (○ ※ ① and the like, East Asian Ambiguous), are one em; so is anything
// else outside ASCII, which keeps the estimate on the safe side.
constexpr double kFullWidthAdvance = 15;
constexpr double kHalfWidthKanaAdvance = 8;
// A blank after Japanese text is drawn by the Japanese font, narrower.
constexpr double kJapaneseBlankAdvance = 3;
// A column's text area in layout pixels: its drawn width less the cell margins.
constexpr double kColumnPointsPerPixel = 0.78;
constexpr double kCellMarginPixels = 4;
// Line heights in points: DejaVu Sans lines, lines that hold Japanese text
// (Noto Sans CJK JP is taller), and the padding Calc adds to a row.
constexpr double kLatinLineHeight = 13.42;
constexpr double kJapaneseLineHeight = 15.66;
constexpr double kRowPadding = 1.5;

// Beyond Latin-1 the text is taken as drawn by the Japanese font: taller
// lines, and a line may break on either side of each character.
bool japaneseFont(char32_t c)
{
    return c > 0xFF;
}

double advance(char32_t c)
{
    if (c >= 0x20 && c < 0x7F)
        return kAsciiAdvance[c - 0x20];
    return c >= 0xFF61 && c <= 0xFF9F ? kHalfWidthKanaAdvance : kFullWidthAdvance;
}

// Lines one paragraph takes: Calc breaks Latin text at blanks, which vanish at
// the break, before some opening brackets, and Japanese text between any two
// characters; a word longer than a line is broken where it overflows.
qint32 paragraphLines(QStringView text, double available)
{
    qint32 lines = 1;
    double line = 0;  // up to the end of the last word placed on the line
    double gap = 0;   // blanks after it
    double word = 0;  // the word being read
    bool afterJapanese = false;
    const auto place = [&] {
        if (word == 0)
            return;
        if (line > 0 && line + gap + word > available) {
            ++lines;
            line = word;
        } else {
            line += gap + word;
        }
        gap = word = 0;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text[i], text[i + 1]);
            ++i;
        }
        if (c == u'\r')
            continue;
        if (c == u' ') {
            place();
            gap += afterJapanese ? kJapaneseBlankAdvance : advance(c);
            continue;
        }
        const double w = advance(c);
        // An opening bracket may start a line unless it follows a letter,
        // a digit or another opening bracket: "[dbo].[f]([x])" breaks
        // before "[f]", "f(x)" does not.
        const bool opening = c == u'(' || c == u'[' || c == u'{';
        if (opening && i > 0) {
            const QChar before = text[i - 1];
            if (!before.isLetterOrNumber() && before != u'(' && before != u'[' && before != u'{')
                place();
        }
        afterJapanese = japaneseFont(c);
        if (japaneseFont(c))
            place();
        if (word > 0 && word + w > available) {
            place();
            ++lines;
            line = 0;
        }
        word += w;
        if (japaneseFont(c))
            place();
    }
    place();
    return lines;
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

double columnPoints(double width)
{
    // The file stores the width with the cell padding; Calc draws a stored
    // character as 7 points, the digit width of the font it substitutes.
    return std::floor(width * 7 + 0.5) + 5;
}

double wrappedTextHeight(const QString& text, double columnWidth)
{
    const double available = std::max(1.0, columnPoints(columnWidth) / kColumnPointsPerPixel - kCellMarginPixels);
    qint32 lines = 0;
    bool japanese = false;
    for (const QStringView paragraph : QStringView(text).split(u'\n')) {
        lines += paragraphLines(paragraph, available);
        japanese = japanese
            || std::any_of(paragraph.begin(), paragraph.end(), [](QChar c) { return japaneseFont(c.unicode()); });
    }
    return kRowPadding + lines * (japanese ? kJapaneseLineHeight : kLatinLineHeight);
}

QString xmlCharacters(const QString& text)
{
    QString safe = text;  // copied only where a character is replaced
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (c == 0 || c == 0xFFFE || c == 0xFFFF || QChar::isSurrogate(c))
            safe[i] = QChar::ReplacementCharacter;
    }
    return safe;
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
