#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QList>
#include <QString>

// True when the face the font resolves to (with fontconfig's substitutes)
// draws every character of the text: a missing Japanese face shows boxes.
inline bool drawsEveryCharacter(const QFont& font, const QString& text)
{
    const QFontMetrics metrics(font);
    for (const uint c : text.toUcs4()) {
        if (!metrics.inFontUcs4(c))
            return false;
    }
    return true;
}
