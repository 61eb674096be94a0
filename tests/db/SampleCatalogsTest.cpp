// The catalog queries on the catalogs of public sample databases, loaded into
// the stand-in server as SQL Server keeps them (schemas, alias and CLR types,
// sources in pieces), checked against the samples' own description files.
#include "CatalogQuery.h"
#include "basMain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include <QFile>
#include <QMap>

namespace {

using TsvRow = QMap<QString, QString>;

// The rows of a tab-separated file with a header line.
QList<TsvRow> readTsv(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    const QStringList header = lines.takeFirst().split(u'\t');
    QList<TsvRow> rows;
    for (const QString& line : lines) {
        const QStringList cells = line.split(u'\t');
        TsvRow& row = rows.emplace_back();
        for (qsizetype i = 0; i < header.size(); ++i)
            row[header[i]] = cells.value(i);
    }
    return rows;
}

QString shownName(const QString& schema, const QString& name)
{
    return schema == u"dbo"_qs ? name : schema + u'.' + name;
}

// Names in the order a server with a case-insensitive collation, as SQL
// Server's defaults are, sorts them.
QStringList caseInsensitiveOrder(QStringList names)
{
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

class SampleCatalog : public ::testing::TestWithParam<const char*> {
protected:
    QList<TsvRow> sample(const char* file) const
    {
        return readTsv(QStringLiteral(TABLINOR_SAMPLES_DIR "/%1/%2").arg(GetParam(), file));
    }
    std::vector<CatalogRow> query(const QString& sql, std::optional<qint32> id = std::nullopt) const
    {
        return queryCatalog(QStringLiteral("tablinor_sample_") + GetParam(), sql, id);
    }
    // Rows of a query, each its cells joined by '|', sorted.
    QStringList rendered(const QString& sql) const
    {
        QStringList lines;
        for (const CatalogRow& row : query(sql)) {
            QStringList cells;
            for (int i = 0; i < int(row.values.size()); ++i)
                cells.append(row.text(i));
            lines.append(cells.join(u'|'));
        }
        lines.sort();
        return lines;
    }
    // The given fields of a sample file's rows, rendered as above; rows
    // that `keep` refuses are left out.
    QStringList expected(const char* file, const QStringList& fields,
        const std::function<bool(const TsvRow&)>& keep = {}) const
    {
        QStringList lines;
        for (const TsvRow& row : sample(file)) {
            if (keep && !keep(row))
                continue;
            QStringList cells;
            for (const QString& f : fields)
                cells.append(row[f]);
            lines.append(cells.join(u'|'));
        }
        lines.sort();
        return lines;
    }
    // Shown name of every object, by its kind code.
    QMap<QString, QString> kinds() const
    {
        QMap<QString, QString> byName;
        for (const TsvRow& object : sample("objects.tsv"))
            byName[shownName(object[u"schema"_qs], object[u"name"_qs])] = object[u"kind"_qs];
        return byName;
    }
};

TEST_P(SampleCatalog, TablesAndViewsListEveryColumnOnceTypedAsStoredWithTheirOwnKey)
{
    const QMap<QString, QString> kind = kinds();
    for (qint32 docKind : {0, 1}) {
        QMap<QString, QList<QStringList>> expected;
        for (const TsvRow& c : sample("columns.tsv")) {
            const QString name = shownName(c[u"schema"_qs], c[u"object"_qs]);
            if (kind[name] == GetXtype(docKind))
                expected[name].append({c[u"column"_qs], c[u"base_type"_qs], c[u"length_bytes"_qs], c[u"scale"_qs],
                    c[u"pk_order"_qs] != u"0"_qs ? u"PK"_qs : QString(), c[u"nullable"_qs] == u"1"_qs ? u"○"_qs : QString()});
        }
        QStringList listed;
        for (const CatalogRow& object : query(GetObjectListSql(docKind))) {
            listed.append(object.text(1));
            QList<QStringList> columns;
            for (const CatalogRow& c : query(GetColumnListSql(docKind), qint32(object.values[0].integer())))
                columns.append({c.text(0), c.text(1), c.text(2), c.text(3), c.text(4), c.text(5)});
            EXPECT_EQ(columns, expected[object.text(1)]) << object.text(1).toStdString();
        }
        EXPECT_EQ(listed, caseInsensitiveOrder(expected.keys())) << "kind " << docKind;
    }
}

TEST_P(SampleCatalog, RoutineListsHoldEveryRoutineWithItsWholeSourceInOrder)
{
    const QMap<QString, QString> kind = kinds();
    for (qint32 docKind : {2, 3}) {
        QMap<QString, QString> expected;
        for (const TsvRow& object : sample("objects.tsv")) {
            const QString code = object[u"kind"_qs];
            if (docKind == 2 ? code == u"P"_qs : code == u"FN"_qs || code == u"IF"_qs || code == u"TF"_qs) {
                QFile source(QStringLiteral(TABLINOR_SAMPLES_DIR "/%1/source/").arg(GetParam()) + object[u"source"_qs]);
                EXPECT_TRUE(source.open(QIODevice::ReadOnly)) << source.fileName().toStdString();
                expected[shownName(object[u"schema"_qs], object[u"name"_qs])] = QString::fromUtf8(source.readAll());
            }
        }
        // A routine's pieces come on consecutive rows, in order.
        QMap<QString, QString> joined;
        QStringList order;
        for (const CatalogRow& piece : query(GetObjectListSql(docKind))) {
            if (order.isEmpty() || order.last() != piece.text(1))
                order.append(piece.text(1));
            joined[piece.text(1)] += piece.text(2);
        }
        EXPECT_EQ(order, caseInsensitiveOrder(expected.keys())) << "kind " << docKind;
        EXPECT_TRUE(joined == expected) << "kind " << docKind;
    }
}

TEST_P(SampleCatalog, DetailViewsHoldWhatTheDetailFilesDeclare)
{
    const QString table = u"SCHEMA_NAME(t.uid), t.name"_qs;
    const QString columnOf = u"INNER JOIN syscolumns AS c ON c.id = t.id AND c.colid = "_qs;
    EXPECT_EQ(rendered(u"SELECT %1, c.name, d.name, d.definition FROM sys.default_constraints AS d "
                       "INNER JOIN sysobjects AS t ON t.id = d.parent_object_id %2 d.parent_column_id"_qs.arg(table, columnOf)),
        expected("defaults.tsv", {u"schema"_qs, u"table"_qs, u"column"_qs, u"constraint_name"_qs, u"definition_stored"_qs}));
    EXPECT_EQ(rendered(u"SELECT %1, c.name, k.name, k.definition FROM sys.check_constraints AS k "
                       "INNER JOIN sysobjects AS t ON t.id = k.parent_object_id "
                       "LEFT JOIN syscolumns AS c ON c.id = t.id AND c.colid = k.parent_column_id"_qs.arg(table)),
        expected("check_constraints.tsv",
            {u"schema"_qs, u"table"_qs, u"column"_qs, u"constraint_name"_qs, u"definition_stored"_qs}));
    EXPECT_EQ(rendered(u"SELECT %1, c.name, CAST(i.seed_value AS int), CAST(i.increment_value AS int) "
                       "FROM sys.identity_columns AS i INNER JOIN sysobjects AS t ON t.id = i.object_id "
                       "%2 i.column_id"_qs.arg(table, columnOf)),
        expected("identity.tsv", {u"schema"_qs, u"table"_qs, u"column"_qs, u"seed"_qs, u"increment"_qs}));
    EXPECT_EQ(rendered(u"SELECT %1, c.name, k.definition, k.is_persisted FROM sys.computed_columns AS k "
                       "INNER JOIN sysobjects AS t ON t.id = k.object_id %2 k.column_id"_qs.arg(table, columnOf)),
        expected("computed.tsv", {u"schema"_qs, u"table"_qs, u"column"_qs, u"definition_stored"_qs, u"persisted"_qs}));

    EXPECT_EQ(rendered(u"SELECT %1, f.name, GROUP_CONCAT(c.name ORDER BY fc.constraint_column_id), "
                       "SCHEMA_NAME(r.uid), r.name, GROUP_CONCAT(rc.name ORDER BY fc.constraint_column_id), "
                       "f.delete_referential_action_desc, f.update_referential_action_desc, f.is_not_trusted "
                       "FROM sys.foreign_keys AS f INNER JOIN sys.foreign_key_columns AS fc ON fc.constraint_object_id = f.object_id "
                       "INNER JOIN sysobjects AS t ON t.id = f.parent_object_id %2 fc.parent_column_id "
                       "INNER JOIN sysobjects AS r ON r.id = f.referenced_object_id "
                       "INNER JOIN syscolumns AS rc ON rc.id = r.id AND rc.colid = fc.referenced_column_id "
                       "GROUP BY f.object_id, t.uid, t.name, f.name, r.uid, r.name, f.delete_referential_action_desc, "
                       "f.update_referential_action_desc, f.is_not_trusted"_qs.arg(table, columnOf)),
        expected("foreign_keys.tsv", {u"schema"_qs, u"table"_qs, u"constraint_name"_qs, u"columns"_qs, u"ref_schema"_qs,
            u"ref_table"_qs, u"ref_columns"_qs, u"on_delete"_qs, u"on_update"_qs, u"disabled_or_nocheck"_qs}));

    // Keys in order with their direction, then the included columns; a
    // columnstore index has only included columns, and a full-text index is
    // not in sys.indexes.
    EXPECT_EQ(rendered(u"SELECT %1, i.name, i.type IN (1, 5), "
                       "GROUP_CONCAT(CASE WHEN ic.key_ordinal > 0 THEN CONCAT(c.name, "
                       "CASE WHEN ic.is_descending_key = 1 THEN ' DESC' ELSE '' END) END ORDER BY ic.key_ordinal), "
                       "GROUP_CONCAT(CASE WHEN ic.is_included_column = 1 THEN c.name END ORDER BY ic.index_column_id) "
                       "FROM sys.indexes AS i INNER JOIN sysobjects AS t ON t.id = i.object_id "
                       "LEFT JOIN sys.index_columns AS ic ON ic.object_id = i.object_id AND ic.index_id = i.index_id "
                       "LEFT JOIN syscolumns AS c ON c.id = t.id AND c.colid = ic.column_id "
                       "WHERE i.type NOT IN (0, 5, 6) GROUP BY i.object_id, i.index_id, t.uid, t.name, i.name, i.type"_qs
                           .arg(table)),
        expected("indexes.tsv", {u"schema"_qs, u"table"_qs, u"index_name"_qs, u"clustered"_qs, u"key_columns"_qs,
            u"included_columns"_qs}, [](const TsvRow& row) {
                return row[u"kind"_qs] != u"FULLTEXT"_qs && row[u"kind"_qs] != u"COLUMNSTORE"_qs;
            }));

    EXPECT_EQ(rendered(u"SELECT SCHEMA_NAME(t.uid), t.name, c.name, p.name, p.value FROM sys.extended_properties AS p "
                       "INNER JOIN sysobjects AS t ON t.id = p.major_id %1 p.minor_id "
                       "WHERE p.class = 1 AND p.minor_id > 0"_qs.arg(columnOf)),
        expected("descriptions.tsv", {u"schema"_qs, u"object"_qs, u"name2"_qs, u"property"_qs, u"value"_qs},
            [](const TsvRow& row) { return row[u"level2type"_qs] == u"COLUMN"_qs; }));
    // Every property is there, whatever its level.
    EXPECT_EQ(rendered(u"SELECT COUNT(*) FROM sys.extended_properties"_qs),
        QStringList{QString::number(sample("descriptions.tsv").size())});
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleCatalog,
    ::testing::Values("adventureworks", "northwind", "pubs", "wideworldimporters"));

}  // namespace
