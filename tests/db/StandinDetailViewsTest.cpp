// The stand-in server's detail catalog views (scripts/standin-sys.sql) on the
// test catalog: each answers for the database the session is in, keeps long
// and awkward texts whole, and joins with the compatibility views by id.
#include "CatalogQuery.h"

#include <gtest/gtest.h>

namespace {

const QString kToolsDatabase = u"tablinor_test_tools"_qs;

QString testDatabase()
{
    return standinLogin().database;
}

QStringList texts(const std::vector<CatalogRow>& rows)
{
    QStringList lines;
    for (const CatalogRow& row : rows) {
        QStringList cells;
        for (int i = 0; i < int(row.values.size()); ++i)
            cells.append(row.text(i));
        lines.append(cells.join(u'|'));
    }
    return lines;
}

TEST(StandinDetailViews, AnswerForTheDatabaseTheSessionIsIn)
{
    const QString count = u"SELECT COUNT(*) FROM sys.extended_properties WHERE name = 'microsoft_database_tools_support'"_qs;
    EXPECT_EQ(texts(queryCatalog(testDatabase(), count)), QStringList{u"0"_qs});
    EXPECT_EQ(texts(queryCatalog(kToolsDatabase, count)), QStringList{u"5"_qs});

    // Both databases were loaded from the test catalog: the same rows, once each.
    const QString details = u"SELECT (SELECT COUNT(*) FROM sys.extended_properties WHERE name = 'MS_Description'), "
                            "(SELECT COUNT(*) FROM sys.indexes), (SELECT COUNT(*) FROM sys.index_columns), "
                            "(SELECT COUNT(*) FROM sys.foreign_key_columns), (SELECT COUNT(*) FROM sys.trigger_events)"_qs;
    EXPECT_EQ(texts(queryCatalog(testDatabase(), details)), QStringList{u"19|9|12|3|3"_qs});
    EXPECT_EQ(texts(queryCatalog(kToolsDatabase, details)), QStringList{u"19|11|15|3|3"_qs});
}

TEST(StandinDetailViews, KeepLongAndAwkwardDescriptionsWhole)
{
    // Measured on the server, so that no driver's reading of Japanese text counts here.
    const auto rows = queryCatalog(testDatabase(),
        u"SELECT ep.major_id, ep.minor_id, CHAR_LENGTH(ep.value), "
        "ep.value = CONCAT('備考\\n一行目\\t表の区切り\\r\\n二行目', CHAR(1 USING utf8mb4), '制御', CHAR(31 USING utf8mb4), '文字'), "
        "RIGHT(ep.value, 4) = 'END.', LEFT(ep.value, 1) = '=' "
        "FROM sys.extended_properties AS ep INNER JOIN sysobjects AS obj ON obj.id = ep.major_id "
        "WHERE ep.class = 1 AND ep.name = 'MS_Description' AND obj.xtype = 'U' AND ep.minor_id IN (0, 1, 2, 5) "
        "ORDER BY ep.major_id, ep.minor_id"_qs);
    EXPECT_EQ(texts(rows), (QStringList{u"1001|0|30|0|0|0"_qs, u"1001|1|4|0|0|0"_qs, u"1001|2|3|0|0|0"_qs,
                               u"1001|5|23|1|0|0"_qs, u"1002|0|4000|0|0|0"_qs, u"1002|1|7500|0|1|0"_qs,
                               u"1002|2|11|0|0|1"_qs, u"1003|0|9|0|0|0"_qs}));
}

TEST(StandinDetailViews, JoinWithTheCompatibilityViewsById)
{
    EXPECT_EQ(texts(queryCatalog(testDatabase(),
                  u"SELECT obj.name, col.name, CAST(ic.seed_value AS int), CAST(ic.increment_value AS int) "
                  "FROM sys.identity_columns AS ic INNER JOIN sysobjects AS obj ON obj.id = ic.object_id "
                  "INNER JOIN syscolumns AS col ON col.id = ic.object_id AND col.colid = ic.column_id"_qs)),
        QStringList{u"Customer|CustomerID|1000|10"_qs});

    EXPECT_EQ(texts(queryCatalog(testDatabase(),
                  u"SELECT fk.name, par.name, pcol.name, ref.name, rcol.name, fk.delete_referential_action_desc, "
                  "fk.is_disabled, fk.is_not_trusted "
                  "FROM sys.foreign_keys AS fk "
                  "INNER JOIN sys.foreign_key_columns AS fkc ON fkc.constraint_object_id = fk.object_id "
                  "INNER JOIN sysobjects AS par ON par.id = fk.parent_object_id "
                  "INNER JOIN syscolumns AS pcol ON pcol.id = fkc.parent_object_id AND pcol.colid = fkc.parent_column_id "
                  "INNER JOIN sysobjects AS ref ON ref.id = fkc.referenced_object_id "
                  "INNER JOIN syscolumns AS rcol ON rcol.id = fkc.referenced_object_id "
                  "AND rcol.colid = fkc.referenced_column_id "
                  "ORDER BY fk.name, fkc.constraint_column_id"_qs)),
        (QStringList{u"FK_Order_Detail_受注明細|Order Detail|OrderID|受注明細|受注ID|CASCADE|0|0"_qs,
            u"FK_Order_Detail_受注明細|Order Detail|LineNo|受注明細|明細番号|CASCADE|0|0"_qs,
            u"FK_受注明細_顧客|受注明細|受注ID|顧客|顧客ID|NO_ACTION|1|1"_qs}));

    // Every constraint and trigger of the views has its sysobjects row, on its table.
    EXPECT_EQ(texts(queryCatalog(testDatabase(),
                  u"SELECT d.object_id FROM ("
                  "SELECT object_id, parent_object_id AS parent, 'D' AS xtype FROM sys.default_constraints "
                  "UNION ALL SELECT object_id, parent_object_id, 'C' FROM sys.check_constraints "
                  "UNION ALL SELECT object_id, parent_object_id, 'F' FROM sys.foreign_keys "
                  "UNION ALL SELECT object_id, parent_id, 'TR' FROM sys.triggers) AS d "
                  "LEFT JOIN sysobjects AS obj ON obj.id = d.object_id AND obj.parent_obj = d.parent "
                  "AND obj.xtype = d.xtype WHERE obj.id IS NULL"_qs)),
        QStringList{});
}

}  // namespace
