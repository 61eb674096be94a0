// The catalog queries on the catalogs of public sample databases, loaded into
// the stand-in server as SQL Server keeps them (schemas, alias and CLR types,
// sources in pieces), checked against the samples' own description files.
#include "CatalogQuery.h"
#include "basMain.h"

#include <gtest/gtest.h>

#include <algorithm>

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

INSTANTIATE_TEST_SUITE_P(Samples, SampleCatalog,
    ::testing::Values("adventureworks", "northwind", "pubs", "wideworldimporters"));

}  // namespace
