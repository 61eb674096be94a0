#include "basMain.h"

#include "CatalogSql.h"

#include <algorithm>

QString GetXtype(qint32 DocKind)
{
    switch (DocKind) {
    case 0:
        return QStringLiteral("U");
    case 1:
        return QStringLiteral("V");
    case 2:
        return QStringLiteral("P");
    case 3:
        return QStringLiteral("FN");
    default:
        return {};
    }
}

// The fragments are sent exactly as joined here, without line breaks. They
// read only the compatibility views, sys.extended_properties and built-ins
// every server since 2012 has, so the same text runs on any of them.
QString GetObjectListSql(qint32 DocKind)
{
    const bool routine = DocKind == 2 || DocKind == 3;
    QString sql;
    sql += u"SELECT ";
    sql += u"    obj.id AS ID, ";
    sql += QStringLiteral("    ") + ShownObjectName(QStringLiteral("obj")) + QStringLiteral(" AS オブジェクト名, ");
    if (routine)
        sql += u"    com.text AS コメント, ";
    sql += u"    obj.crdate AS 作成日, ";
    sql += u"    obj.refdate AS 更新日 ";
    sql += u"FROM ";
    sql += u"    sysobjects AS obj ";
    if (routine) {
        sql += u"    INNER JOIN syscomments AS com ";
        sql += u"        ON obj.id = com.id ";
    }
    sql += u"WHERE ";
    sql += QStringLiteral("    ") + ObjectKindCondition(DocKind);
    sql += QStringLiteral(" AND NOT ") + ToolObjectCondition() + QStringLiteral(" ");
    sql += u"ORDER BY ";
    if (routine) {
        // A long source comes in pieces: each routine's stay together, in order.
        sql += u"    オブジェクト名, ";
        sql += u"    obj.id, ";
        sql += u"    com.number, ";
        sql += u"    com.colid ";
    } else {
        sql += u"    オブジェクト名 ";
    }
    return sql;
}

QString ObjectKindCondition(qint32 DocKind)
{
    // Table-valued functions, inline or not, are functions to their users.
    if (DocKind == 3)
        return QStringLiteral("obj.xtype IN ('FN', 'IF', 'TF')");
    return QStringLiteral("obj.xtype = '") + GetXtype(DocKind) + QStringLiteral("'");
}

QString ToolObjectCondition()
{
    return QStringLiteral("EXISTS (SELECT 1 FROM sys.extended_properties AS tool WHERE tool.class = 1"
                          " AND tool.major_id = obj.id AND tool.minor_id = 0"
                          " AND tool.name = 'microsoft_database_tools_support')");
}

// Names are unique per schema only; dbo's stay bare, as users write them.
QString ShownObjectName(const QString& alias)
{
    return QStringLiteral("CASE WHEN %1.uid = 1 THEN %1.name ELSE CONCAT(SCHEMA_NAME(%1.uid), '.', %1.name) END")
        .arg(alias);
}

QString GetColumnListSql(qint32 DocKind)
{
    QString sql;
    sql += u"SELECT ";
    sql += u"    col.name AS 列名, ";
    sql += u"    typ.name AS データ型, ";
    sql += u"    col.length AS データ長, ";
    sql += u"    col.scale AS 小数点桁数, ";
    sql += u"    CASE WHEN iky.colid IS NOT NULL THEN 'PK' ELSE '' END AS 制約, ";
    sql += u"    CASE WHEN col.isnullable = 1 THEN '○' ELSE '' END AS NULL許可 ";
    sql += u"FROM ";
    sql += u"    sysobjects AS obj ";
    sql += u"    INNER JOIN syscolumns AS col ";
    sql += u"        ON obj.id = col.id ";
    // The type a column is stored as: an alias type and sysname share their
    // base type's code, which is that type's own user type; the CLR types
    // share one code and differ only by user type.
    sql += u"    LEFT JOIN systypes AS typ ";
    sql += u"        ON typ.xusertype = CASE WHEN col.xtype = 240 THEN col.xusertype ELSE col.xtype END ";
    sql += u"    LEFT JOIN sysobjects AS pky ";
    sql += u"        ON obj.id = pky.parent_obj ";
    sql += u"        AND pky.xtype = 'PK' ";
    sql += u"    LEFT JOIN sysindexes AS ind ";
    // Index names are unique per table only.
    sql += u"        ON obj.id = ind.id ";
    sql += u"        AND pky.name = ind.name ";
    sql += u"    LEFT JOIN sysindexkeys AS iky ";
    sql += u"        ON obj.id = iky.id ";
    sql += u"        AND ind.indid = iky.indid ";
    sql += u"        AND col.colid = iky.colid ";
    sql += u"WHERE ";
    sql += u"    obj.xtype = '";
    sql += GetXtype(DocKind);
    sql += u"'";
    sql += u"AND ";
    sql += u"    obj.id = ? ";
    sql += u"ORDER BY ";
    sql += u"    col.colorder ";
    return sql;
}

QString GetRoutineComment(const QString& text)
{
    QString source = text;
    source.remove(QStringLiteral("\r\n"));
    qsizetype position = 1;
    const QString comments = ExtractBlockComment(position, source);

    // Only the blank U+0020 is trimmed; tabs and stray line ends stay.
    qsizetype first = 0;
    qsizetype last = comments.size();
    while (first < last && comments[first] == u' ')
        ++first;
    while (last > first && comments[last - 1] == u' ')
        --last;
    return comments.mid(first, last - first);
}

// A loop rather than recursion: a routine may hold thousands of comments.
QString ExtractBlockComment(qsizetype& position, QString text)
{
    QString collected;
    for (;;) {
        const qsizetype from = std::max<qsizetype>(position, 1) - 1;
        const qsizetype opener = text.indexOf(QStringLiteral("/*"), from);
        if (opener < 0)
            break;
        position = opener + 1 + 2;
        // The opener's asterisk cannot close the comment as well.
        const qsizetype closer = text.indexOf(QStringLiteral("*/"), opener + 2);
        if (closer < 0)
            break;
        position = closer + 1 + 2;
        collected += TrimCommentMarks(text.mid(opener + 2, closer - opener - 2));
    }
    return collected;
}

QString TrimCommentMarks(const QString& text)
{
    QString cleaned = text;
    cleaned.remove(QStringLiteral("/*"));
    cleaned.remove(QStringLiteral("*/"));
    cleaned.remove(u'*');
    return cleaned;
}
