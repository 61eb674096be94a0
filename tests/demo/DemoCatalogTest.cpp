// The generated demo catalog, loaded into the stand-in server, read through
// the program's own catalog queries: every stored column reaches the column
// list, primary keys are marked in full, and routines carry their comments.
#include "CatalogQuery.h"
#include "basMain.h"

#include <gtest/gtest.h>

#include <QSet>

namespace {

using Row = CatalogRow;

std::vector<Row> query(const QString& sql, std::optional<qint32> id = std::nullopt)
{
    return queryCatalog(QStringLiteral(TABLINOR_DEMO_CHECK_DATABASE), sql, id);
}

qint64 count(const QString& sql, qint32 id)
{
    const auto rows = query(sql, id);
    return rows.empty() ? -1 : rows.front().values[0].integer();
}

}  // namespace

TEST(DemoCatalog, TablesAndViewsListEveryStoredColumnWithTheirWholeKey)
{
    for (qint32 kind : {0, 1}) {
        const auto objects = query(GetObjectListSql(kind));
        EXPECT_GE(objects.size(), kind == 0 ? 30u : 5u) << "kind " << kind;
        qsizetype composite = 0;
        for (const Row& object : objects) {
            const qint32 id = qint32(object.values[0].integer());
            SCOPED_TRACE(object.text(1).toStdString());
            const auto columns = query(GetColumnListSql(kind), id);
            // Every stored column, once.
            EXPECT_EQ(qint64(columns.size()), count(u"SELECT COUNT(*) FROM syscolumns WHERE id = ?"_qs, id));
            qsizetype keys = 0;
            for (const Row& column : columns) {
                EXPECT_FALSE(column.text(1).isEmpty());
                EXPECT_NE(column.values[2].integer(), 0);
                keys += column.text(4) == u"PK"_qs;
                EXPECT_TRUE(column.text(5).isEmpty() || column.text(5) == u"○"_qs);
                if (column.text(4) == u"PK"_qs)
                    EXPECT_TRUE(column.text(5).isEmpty()) << "a key column allows NULL";
            }
            const qint64 keyColumns = count(u"SELECT COALESCE(MAX(ind.keycnt), 0) FROM sysobjects AS pky "
                                            "INNER JOIN sysindexes AS ind ON ind.id = pky.parent_obj AND ind.name = pky.name "
                                            "WHERE pky.xtype = 'PK' AND pky.parent_obj = ?"_qs,
                id);
            EXPECT_EQ(keys, keyColumns);
            composite += keys > 1;
            if (kind == 1)
                EXPECT_EQ(keys, 0);
        }
        if (kind == 0)
            EXPECT_GE(composite, 5) << "the demo shows several composite keys";
    }
}

TEST(DemoCatalog, RoutinesComeWithTheirHeaderCommentsInPieces)
{
    for (qint32 kind : {2, 3}) {
        const auto pieces = query(GetObjectListSql(kind));
        EXPECT_GE(pieces.size(), kind == 2 ? 12u : 4u) << "kind " << kind;
        QSet<qint64> ids;
        QSet<qint64> commented;
        QSet<qint64> encrypted;
        for (const Row& piece : pieces) {
            const qint64 id = piece.values[0].integer();
            EXPECT_LE(piece.text(2).size(), 4000);
            ids.insert(id);
            if (piece.values[2].isNull())
                encrypted.insert(id);
            else if (!GetRoutineComment(piece.text(2)).isEmpty())
                commented.insert(id);
        }
        EXPECT_EQ(commented + encrypted, ids) << "only an encrypted routine comes without a comment";
        EXPECT_LE(encrypted.size(), 1);
        if (kind == 2)
            EXPECT_GT(pieces.size(), std::size_t(ids.size())) << "one source is split into pieces";
    }
}
