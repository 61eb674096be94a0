#include "IniDocument.h"

#include <QStringDecoder>

namespace platform {

namespace {

constexpr QByteArrayView kUtf8ByteOrderMark("\xEF\xBB\xBF");

// QString::fromUtf8 would drop a leading U+FEFF, so a value that begins with
// one would not read back as written.
QString decode(QByteArrayView bytes)
{
    QStringDecoder decoder(
        QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom | QStringDecoder::Flag::Stateless);
    return decoder.decode(bytes);
}

bool namesMatch(QByteArrayView stored, const QString& wanted)
{
    return decode(stored).compare(wanted, Qt::CaseInsensitive) == 0;
}

std::optional<QByteArrayView> sectionName(QByteArrayView line)
{
    const QByteArrayView text = line.trimmed();
    if (!text.startsWith('['))
        return std::nullopt;
    const qsizetype close = text.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return text.sliced(1, close - 1).trimmed();
}

struct KeyLine {
    QByteArrayView key;
    QByteArrayView value;
};

// Callers have already ruled out a section line.
std::optional<KeyLine> keyLine(QByteArrayView line)
{
    const QByteArrayView text = line.trimmed();
    if (text.startsWith(';') || text.startsWith('#'))
        return std::nullopt;
    const qsizetype equals = text.indexOf('=');
    if (equals <= 0)
        return std::nullopt;
    const QByteArrayView key = text.first(equals).trimmed();
    if (key.isEmpty())
        return std::nullopt;
    QByteArrayView value = text.sliced(equals + 1).trimmed();
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        value = value.sliced(1, value.size() - 2);
    return KeyLine{key, value};
}

bool fitsOnOneLine(const QString& text)
{
    return !text.contains(u'\n') && !text.contains(u'\r') && !text.contains(QChar(0));
}

bool isWritableSectionName(const QString& name)
{
    return !name.isEmpty() && fitsOnOneLine(name) && !name.contains(u']')
        && name.toUtf8().trimmed() == name.toUtf8();
}

bool isWritableKeyName(const QString& name)
{
    const QByteArray bytes = name.toUtf8();
    return !name.isEmpty() && fitsOnOneLine(name) && !name.contains(u'=') && bytes.trimmed() == bytes
        && !bytes.startsWith('[') && !bytes.startsWith(';') && !bytes.startsWith('#');
}

// Quotes protect blanks at either end, and a value that is itself quoted,
// from being taken off when read back.
QByteArray encodedValue(const QString& value)
{
    const QByteArray bytes = value.toUtf8();
    const bool quoted = bytes.size() >= 2 && bytes.startsWith('"') && bytes.endsWith('"');
    if (quoted || bytes.trimmed() != bytes)
        return '"' + bytes + '"';
    return bytes;
}

}  // namespace

IniDocument IniDocument::parse(QByteArrayView bytes)
{
    IniDocument document;
    if (bytes.startsWith(kUtf8ByteOrderMark)) {
        document.byteOrderMark_ = kUtf8ByteOrderMark.toByteArray();
        bytes = bytes.sliced(kUtf8ByteOrderMark.size());
    }
    bool endingSeen = false;
    while (!bytes.isEmpty()) {
        const qsizetype newline = bytes.indexOf('\n');
        if (newline < 0) {
            document.lines_.push_back({bytes.toByteArray(), {}});
            break;
        }
        QByteArrayView text = bytes.first(newline);
        QByteArray ending("\n");
        if (text.endsWith('\r')) {
            text.chop(1);
            ending = "\r\n";
        }
        if (!endingSeen) {
            document.newline_ = ending;
            endingSeen = true;
        }
        document.lines_.push_back({text.toByteArray(), ending});
        bytes = bytes.sliced(newline + 1);
    }
    return document;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const
{
    const std::optional<qsizetype> start = findSection(section);
    if (!start)
        return std::nullopt;
    const qsizetype end = sectionEnd(*start);
    for (qsizetype i = *start + 1; i < end; ++i) {
        const std::optional<KeyLine> line = keyLine(lines_[i].text);
        if (line && namesMatch(line->key, key))
            return decode(line->value);
    }
    return std::nullopt;
}

bool IniDocument::setValue(const QString& section, const QString& key, const QString& value)
{
    if (!isWritableSectionName(section) || !isWritableKeyName(key) || !fitsOnOneLine(value))
        return false;
    const QByteArray newText = key.toUtf8() + '=' + encodedValue(value);

    const std::optional<qsizetype> start = findSection(section);
    if (!start) {
        insertLine(qsizetype(lines_.size()), '[' + section.toUtf8() + ']');
        insertLine(qsizetype(lines_.size()), newText);
        return true;
    }
    const qsizetype end = sectionEnd(*start);
    qsizetype lastContent = *start;
    for (qsizetype i = *start + 1; i < end; ++i) {
        const std::optional<KeyLine> line = keyLine(lines_[i].text);
        if (line && namesMatch(line->key, key)) {
            lines_[i].text = newText;
            return true;
        }
        if (!lines_[i].text.trimmed().isEmpty())
            lastContent = i;
    }
    // After the section's last line with content, so blank lines that
    // separate it from the next section stay where they are.
    insertLine(lastContent + 1, newText);
    return true;
}

QByteArray IniDocument::toBytes() const
{
    QByteArray bytes = byteOrderMark_;
    for (const Line& line : lines_)
        bytes += line.text + line.ending;
    return bytes;
}

std::optional<qsizetype> IniDocument::findSection(const QString& section) const
{
    for (qsizetype i = 0; i < qsizetype(lines_.size()); ++i) {
        const std::optional<QByteArrayView> name = sectionName(lines_[i].text);
        if (name && namesMatch(*name, section))
            return i;
    }
    return std::nullopt;
}

qsizetype IniDocument::sectionEnd(qsizetype sectionLine) const
{
    qsizetype i = sectionLine + 1;
    while (i < qsizetype(lines_.size()) && !sectionName(lines_[i].text))
        ++i;
    return i;
}

void IniDocument::insertLine(qsizetype index, QByteArray text)
{
    if (index > 0 && lines_[index - 1].ending.isEmpty())
        lines_[index - 1].ending = newline_;
    lines_.insert(lines_.begin() + index, Line{std::move(text), newline_});
}

}  // namespace platform
