#include "basMain.h"

#include <gtest/gtest.h>

TEST(GetXtype, MapsTheFourKindsAndNothingElse)
{
    EXPECT_EQ(GetXtype(0), u"U"_qs);
    EXPECT_EQ(GetXtype(1), u"V"_qs);
    EXPECT_EQ(GetXtype(2), u"P"_qs);
    EXPECT_EQ(GetXtype(3), u"FN"_qs);
    for (qint32 kind : {4, -1, 100, std::numeric_limits<qint32>::min()})
        EXPECT_TRUE(GetXtype(kind).isEmpty()) << kind;
}

// The objects SSMS adds for its diagrams are in no document.
const QString kNotToolObject = u"EXISTS (SELECT 1 FROM sys.extended_properties AS tool WHERE tool.class = 1 AND "
                               "tool.major_id = obj.id AND tool.minor_id = 0 AND "
                               "tool.name = 'microsoft_database_tools_support')"_qs;

TEST(GetObjectListSql, TablesAndViewsHaveFourFieldsAndNoJoin)
{
    const QString tables = u"SELECT     obj.id AS ID,     CASE WHEN obj.uid = 1 THEN obj.name ELSE "
                           "CONCAT(SCHEMA_NAME(obj.uid), '.', obj.name) END AS オブジェクト名,     obj.crdate AS 作成日, "
                           "    obj.refdate AS 更新日 FROM     sysobjects AS obj WHERE     obj.xtype = 'U' AND NOT "_qs
        + kNotToolObject + u" ORDER BY     オブジェクト名 "_qs;
    EXPECT_EQ(GetObjectListSql(0), tables);
    EXPECT_EQ(GetObjectListSql(1), QString(tables).replace(u"'U'"_qs, u"'V'"_qs));
    EXPECT_EQ(GetObjectListSql(4), QString(tables).replace(u"'U'"_qs, u"''"_qs));
    EXPECT_EQ(GetObjectListSql(-1), GetObjectListSql(4));
}

TEST(GetObjectListSql, RoutinesJoinTheirSourceTextInPieceOrder)
{
    const QString head = u"SELECT     obj.id AS ID,     CASE WHEN obj.uid = 1 THEN obj.name ELSE "
                         "CONCAT(SCHEMA_NAME(obj.uid), '.', obj.name) END AS オブジェクト名,     com.text AS コメント, "
                         "    obj.crdate AS 作成日,     obj.refdate AS 更新日 FROM     sysobjects AS obj "
                         "    INNER JOIN syscomments AS com         ON obj.id = com.id WHERE "_qs;
    const QString tail = u" AND NOT "_qs + kNotToolObject
        + u" ORDER BY     オブジェクト名,     obj.id,     com.number,     com.colid "_qs;
    EXPECT_EQ(GetObjectListSql(2), head + u"    obj.xtype = 'P'"_qs + tail);
    EXPECT_EQ(GetObjectListSql(3), head + u"    obj.xtype IN ('FN', 'IF', 'TF')"_qs + tail);
}

TEST(GetColumnListSql, IsTheFixedTextWithOneMarker)
{
    const QString head =
        u"SELECT     col.name AS 列名,     typ.name AS データ型,     col.length AS データ長, "
        "    col.scale AS 小数点桁数,     CASE WHEN iky.colid IS NOT NULL THEN 'PK' ELSE '' END AS 制約, "
        "    CASE WHEN col.isnullable = 1 THEN '○' ELSE '' END AS NULL許可 FROM     sysobjects AS obj "
        "    INNER JOIN syscolumns AS col         ON obj.id = col.id     LEFT JOIN systypes AS typ "
        "        ON typ.xusertype = CASE WHEN col.xtype = 240 THEN col.xusertype ELSE col.xtype END "
        "    LEFT JOIN sysobjects AS pky         ON obj.id = pky.parent_obj         AND pky.xtype = 'PK' "
        "    LEFT JOIN sysindexes AS ind         ON obj.id = ind.id         AND pky.name = ind.name "
        "    LEFT JOIN sysindexkeys AS iky "
        "        ON obj.id = iky.id         AND ind.indid = iky.indid         AND col.colid = iky.colid "
        "WHERE     obj.xtype = '"_qs;
    const QString tail = u"'AND     obj.id = ? ORDER BY     col.colorder "_qs;
    EXPECT_EQ(GetColumnListSql(0), head + u"U"_qs + tail);
    EXPECT_EQ(GetColumnListSql(1), head + u"V"_qs + tail);
    EXPECT_EQ(GetColumnListSql(2), head + u"P"_qs + tail);
    EXPECT_EQ(GetColumnListSql(3), head + u"FN"_qs + tail);
    EXPECT_EQ(GetColumnListSql(4), head + tail);
    EXPECT_EQ(GetColumnListSql(-1), head + tail);
    EXPECT_EQ(GetColumnListSql(0).count(u'?'), 1);
}

TEST(GetRoutineComment, CollectsEveryCompleteComment)
{
    EXPECT_EQ(GetRoutineComment(u"SELECT 1 -- no block comment"_qs), QString());
    EXPECT_EQ(GetRoutineComment(u"/*\r\n * Purpose: X\r\n * Note: Y\r\n */"_qs), u"Purpose: X  Note: Y"_qs);
    EXPECT_EQ(GetRoutineComment(u"/* A */ body /* B */"_qs), u"A  B"_qs);
    EXPECT_EQ(GetRoutineComment(u"CREATE PROC p AS /* note */ SELECT 1"_qs), u"note"_qs);
    EXPECT_EQ(GetRoutineComment(u"SELECT '/* in a literal */' -- /* in a line comment */"_qs),
        u"in a literal  in a line comment"_qs);
}

TEST(GetRoutineComment, StopsAtAnUnterminatedComment)
{
    EXPECT_EQ(GetRoutineComment(u"/* abc"_qs), QString());
    EXPECT_EQ(GetRoutineComment(u"/* A */ x /* B"_qs), u"A"_qs);
    EXPECT_EQ(GetRoutineComment(u"/* A */ x /* B /* C"_qs), u"A"_qs);
    // The opener's asterisk does not close the comment.
    EXPECT_EQ(GetRoutineComment(u"/*/ x"_qs), QString());
}

TEST(GetRoutineComment, RemovesMarksAndAsterisksButNotStraySlashes)
{
    EXPECT_EQ(GetRoutineComment(u"/* one /* two */ three */"_qs), u"one  two"_qs);
    EXPECT_EQ(GetRoutineComment(u"/**/"_qs), QString());
    EXPECT_EQ(GetRoutineComment(u"/*/ x */"_qs), u"/ x"_qs);
    EXPECT_EQ(GetRoutineComment(u"/* a*b */"_qs), u"ab"_qs);
    EXPECT_EQ(GetRoutineComment(u"/***** 表題 *****/"_qs), u"表題"_qs);
}

TEST(GetRoutineComment, RemovesOnlyCrLfPairsAndOnlyBlanksAtTheEnds)
{
    EXPECT_EQ(GetRoutineComment(u"/* one\r\ntwo */"_qs), u"onetwo"_qs);
    EXPECT_EQ(GetRoutineComment(u"/* one\ntwo */"_qs), u"one\ntwo"_qs);
    EXPECT_EQ(GetRoutineComment(u"/* a\rb\n\r */"_qs), u"a\rb\n\r"_qs);
    EXPECT_EQ(GetRoutineComment(u"/*\ttab\t*/"_qs), u"\ttab\t"_qs);
    EXPECT_EQ(GetRoutineComment(u"/*\u3000全角\u3000*/"_qs), u"\u3000全角\u3000"_qs);
    // A CR LF pair split by a comment marker is no pair.
    EXPECT_EQ(GetRoutineComment(u"/* x\r*/\n/* y */"_qs), u"x\r y"_qs);
}

TEST(GetRoutineComment, ManyCommentsNeedNoDeepStack)
{
    QString source;
    for (int i = 0; i < 200000; ++i)
        source += u"/*x*/";
    EXPECT_EQ(GetRoutineComment(source), QString(200000, u'x'));
}

TEST(ExtractBlockComment, MovesThePositionPastWhatItRead)
{
    const QString text = u"ab/* c */d/* e"_qs;
    qsizetype position = 1;
    EXPECT_EQ(ExtractBlockComment(position, text), u" c "_qs);
    EXPECT_EQ(position, 13);  // after the opener of the unterminated comment

    qsizetype none = 4;
    EXPECT_EQ(ExtractBlockComment(none, u"no comment"_qs), QString());
    EXPECT_EQ(none, 4);

    qsizetype complete = 1;
    EXPECT_EQ(ExtractBlockComment(complete, u"/*1*//*2*/"_qs), u"12"_qs);
    EXPECT_EQ(complete, 11);
}

TEST(TrimCommentMarks, RemovesInOrderWithoutTrimming)
{
    EXPECT_EQ(TrimCommentMarks(u" a /* b */ c "_qs), u" a  b  c "_qs);
    // "*/" goes before the lone asterisks, so "**/" leaves no slash.
    EXPECT_EQ(TrimCommentMarks(u"x**/y"_qs), u"xy"_qs);
    // "/*" goes first: in "/*/" the slash that is left stays.
    EXPECT_EQ(TrimCommentMarks(u"/*/"_qs), u"/"_qs);
    EXPECT_EQ(TrimCommentMarks(u"a/b"_qs), u"a/b"_qs);
}
