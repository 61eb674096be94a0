// The generated demo catalog, loaded into the stand-in server, read through
// the program's own catalog queries: every stored column reaches the column
// list, primary keys are marked in full, and routines carry their comments.
#include "StandinLogin.h"
#include "basMain.h"
#include "clsMsSqlConnect.h"

#include <gtest/gtest.h>

#include <QSet>

#include <optional>
#include <vector>

namespace {

struct Row {
    std::vector<platform::FieldValue> values;
    QString text(int i) const { return values[i].isNull() ? QString() : values[i].toText(); }
};

// All rows of one query on the demo catalog; a failure fails the test.
std::vector<Row> query(const QString& sql, std::optional<qint32> id = std::nullopt)
{
    const StandinLogin login = standinLogin();
    clsMsSqlConnect connection;
    connection.setQueryTimeOut(3000);
    std::vector<Row> rows;
    if (!connection.Connect(login.server, QStringLiteral(TABLINOR_DEMO_CHECK_DATABASE), login.uid, login.pwd)) {
        ADD_FAILURE() << connection.Message().toStdString();
        return rows;
    }
    if (id)
        connection.SetParam(0, platform::FieldValue(*id));
    if (!connection.ExecQuery(sql)) {
        ADD_FAILURE() << connection.Message().toStdString() << "\n" << sql.toStdString();
        return rows;
    }
    const auto recordset = connection.Recordset();
    for (; !recordset->eof(); recordset->moveNext()) {
        Row row;
        for (int i = 0; i < recordset->fieldCount(); ++i)
            row.values.push_back(recordset->value(i));
        rows.push_back(std::move(row));
    }
    connection.CloseRs();
    connection.Disconnect();
    return rows;
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
            // The type join is an inner join: a type code without its row would drop the column.
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
                                            "INNER JOIN sysindexes AS ind ON ind.name = pky.name "
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
