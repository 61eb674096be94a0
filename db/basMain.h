#pragma once

#include <QString>

// The catalog type code of a document kind: "U", "V", "P", "FN"; any other
// kind gives the empty text.
QString GetXtype(qint32 DocKind);

// The object list of a kind: ID, オブジェクト名, (コメント for routines,) 作成日, 更新日,
// ordered by the shown name, "schema.name" outside dbo. Functions are scalar
// and table-valued alike. A routine has a row per stored piece of its source,
// its pieces in order on consecutive rows.
QString GetObjectListSql(qint32 DocKind);

// The column list of one object of a kind; its one "?" takes the object's id.
QString GetColumnListSql(qint32 DocKind);

// The cleaned text of every complete block comment in a routine's source.
// Never fails, for any text.
QString GetRoutineComment(const QString& text);

// The cleaned inner texts of the block comments from the 1-based position on,
// joined; position ends after the last complete comment (or after the opener
// of an unterminated one).
QString ExtractBlockComment(qsizetype& position, QString text);

// The text without "/*", "*/" and then any "*".
QString TrimCommentMarks(const QString& text);
