#include "PageSetup.h"

namespace platform::xl {

QString literalFooterText(const QString& text)
{
    QString literal;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'&') {
            literal += c.unicode() < 0x20 ? u' ' : c;
            continue;
        }
        literal += QStringLiteral("&&");
        // The library that writes the file takes every "&G" and "&[Picture]"
        // for a picture, even after "&&", and refuses the footer without one;
        // a font code that changes nothing keeps them apart.
        const QStringView rest = QStringView(text).mid(i + 1);
        if (rest.startsWith(u'G') || rest.startsWith(u"[Picture]"))
            literal += QStringLiteral("&\"-,Regular\"");
    }
    return literal;
}

}  // namespace platform::xl
