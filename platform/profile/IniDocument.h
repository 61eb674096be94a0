#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <vector>

namespace platform {

// An initialisation file held as its lines, so that a change touches one line
// and every other line, comments and junk included, is written back byte for
// byte. Section and key names match without regard to case; the first of
// duplicate sections or keys wins. Text is UTF-8.
class IniDocument {
public:
    // Never fails: lines that are neither a section nor key=value are kept
    // and otherwise ignored.
    static IniDocument parse(QByteArrayView bytes);

    // The value of the key in the section, blanks around it removed and one
    // pair of enclosing double quotes taken off; nullopt when either is missing.
    std::optional<QString> value(const QString& section, const QString& key) const;

    // Replaces the key's value, or adds the key at the end of its section, or
    // adds the section at the end of the document. False, leaving the document
    // unchanged, for a name or value that cannot be written as one line and
    // read back the same.
    bool setValue(const QString& section, const QString& key, const QString& value);

    QByteArray toBytes() const;

private:
    struct Line {
        QByteArray text;  // without its line ending
        QByteArray ending;  // "\n", "\r\n", or empty for a last line without one
    };

    std::optional<qsizetype> findSection(const QString& section) const;
    // Index one past the section's last line (the next section line or the end).
    qsizetype sectionEnd(qsizetype sectionLine) const;
    void insertLine(qsizetype index, QByteArray text);

    QByteArray byteOrderMark_;
    QByteArray newline_ = "\n";
    std::vector<Line> lines_;
};

}  // namespace platform
