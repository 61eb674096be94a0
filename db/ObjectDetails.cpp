#include "ObjectDetails.h"

#include "CatalogSql.h"

#include <algorithm>

namespace {

using platform::FieldValue;
using platform::Recordset;

// "FROM <from> INNER JOIN sysobjects AS obj ON obj.id = <owner> <joins> WHERE
// <the kind's objects, not the tools' own> <order>": each detail of every
// object of a document in one query. Without `from`, the objects themselves.
QString detailSql(qint16 kind, const QString& select, const QString& from, const QString& owner,
    const QString& joins, const QString& where, const QString& order)
{
    QString sql = QStringLiteral("SELECT ") + select + QStringLiteral(" FROM ");
    sql += from.isEmpty() ? QStringLiteral("sysobjects AS obj")
                          : from + QStringLiteral(" INNER JOIN sysobjects AS obj ON obj.id = ") + owner;
    sql += QStringLiteral(" ") + joins + QStringLiteral(" WHERE ") + ObjectKindCondition(kind) + QStringLiteral(" AND NOT ")
        + ToolObjectCondition();
    if (!where.isEmpty())
        sql += QStringLiteral(" AND ") + where;
    if (!order.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + order;
    return sql;
}

QString textOf(const FieldValue& value)  // throws RuntimeError
{
    return value.isNull() || value.isEmpty() ? QString() : value.toText();
}

qint32 intOf(const FieldValue& value)  // throws RuntimeError
{
    return value.isNull() || value.isEmpty() ? 0 : value.toInt32();
}

bool flagOf(const FieldValue& value)  // throws RuntimeError
{
    return intOf(value) != 0;
}

// Calls `row` for every record; false when the query failed.
template <typename Row>
bool forEachRow(const CatalogQuery& query, const QString& sql, const std::vector<FieldValue>& parameters,
    const Row& row)  // throws RuntimeError
{
    const std::shared_ptr<Recordset> rs = query(sql, parameters);
    if (!rs)
        return false;
    for (; !rs->eof(); rs->moveNext())
        row(*rs);
    return true;
}

ColumnDetail* findColumn(ObjectDetail& object, qint32 columnId)
{
    for (ColumnDetail& column : object.columns) {
        if (column.id == columnId)
            return &column;
    }
    return nullptr;
}

bool readColumns(qint16 kind, const CatalogQuery& query, QHash<qint32, ObjectDetail>& objects)  // throws RuntimeError
{
    const QString sql = detailSql(kind,
        QStringLiteral("obj.id, col.colid, col.name, typ.name, utp.name, col.length, col.prec, col.scale,"
                       " col.isnullable, iky.keyno"),
        QStringLiteral("syscolumns AS col"), QStringLiteral("col.id"),
        // As the plain column list: the stored type, the key by the table's own index.
        QStringLiteral("LEFT JOIN systypes AS typ ON typ.xusertype = CASE WHEN col.xtype = 240 THEN col.xusertype"
                       " ELSE col.xtype END"
                       " LEFT JOIN systypes AS utp ON utp.xusertype = col.xusertype"
                       " LEFT JOIN sysobjects AS pky ON obj.id = pky.parent_obj AND pky.xtype = 'PK'"
                       " LEFT JOIN sysindexes AS ind ON obj.id = ind.id AND pky.name = ind.name"
                       " LEFT JOIN sysindexkeys AS iky ON obj.id = iky.id AND ind.indid = iky.indid"
                       " AND col.colid = iky.colid"),
        {}, QStringLiteral("obj.id, col.colorder"));
    return forEachRow(query, sql, {}, [&](Recordset& rs) {
        ColumnDetail column;
        column.id = intOf(rs.value(1));
        column.name = textOf(rs.value(2));
        column.declaredType = DeclaredType(textOf(rs.value(3)), textOf(rs.value(4)), intOf(rs.value(5)),
            intOf(rs.value(6)), intOf(rs.value(7)));
        column.nullable = flagOf(rs.value(8));
        column.keyOrder = intOf(rs.value(9));
        objects[intOf(rs.value(0))].columns.push_back(std::move(column));
    });
}

// Apart from the columns: a schema's name costs a function call per row.
bool readNames(qint16 kind, const CatalogQuery& query, QHash<qint32, ObjectDetail>& objects)  // throws RuntimeError
{
    const QString sql = detailSql(kind, QStringLiteral("obj.id, SCHEMA_NAME(obj.uid), obj.name"),
        {}, {}, {}, {}, {});
    return forEachRow(query, sql, {}, [&](Recordset& rs) {
        ObjectDetail& object = objects[intOf(rs.value(0))];
        object.schema = textOf(rs.value(1));
        object.name = textOf(rs.value(2));
    });
}

bool readDescriptions(qint16 kind, const QString& property, const CatalogQuery& query,
    QHash<qint32, ObjectDetail>& objects)  // throws RuntimeError
{
    // The value as stored: a cast would cut a long one.
    const QString sql = detailSql(kind, QStringLiteral("ep.major_id, ep.minor_id, ep.value"),
        QStringLiteral("sys.extended_properties AS ep"), QStringLiteral("ep.major_id"), {},
        QStringLiteral("ep.class = 1 AND ep.name = ?"), {});
    return forEachRow(query, sql, {FieldValue(property)}, [&](Recordset& rs) {
        const auto found = objects.find(intOf(rs.value(0)));
        if (found == objects.end())
            return;
        const qint32 minor = intOf(rs.value(1));
        if (minor == 0)
            found->description = textOf(rs.value(2));
        else if (ColumnDetail* column = findColumn(*found, minor))
            column->description = textOf(rs.value(2));
    });
}

// Defaults, identity and computed columns: one value per column.
bool readColumnFacts(qint16 kind, const CatalogQuery& query, QHash<qint32, ObjectDetail>& objects)  // throws RuntimeError
{
    const auto column = [&](Recordset& rs) {
        const auto found = objects.find(intOf(rs.value(0)));
        return found == objects.end() ? nullptr : findColumn(*found, intOf(rs.value(1)));
    };
    return forEachRow(query,
               detailSql(kind, QStringLiteral("dc.parent_object_id, dc.parent_column_id, dc.definition"),
                   QStringLiteral("sys.default_constraints AS dc"), QStringLiteral("dc.parent_object_id"), {}, {}, {}),
               {},
               [&](Recordset& rs) {
                   if (ColumnDetail* target = column(rs))
                       target->defaultDefinition = textOf(rs.value(2));
               })
        // Seed and increment as stored: of the column's own type, which a cast could overflow.
        && forEachRow(query,
            detailSql(kind, QStringLiteral("ic.object_id, ic.column_id, ic.seed_value, ic.increment_value"),
                QStringLiteral("sys.identity_columns AS ic"), QStringLiteral("ic.object_id"), {}, {}, {}),
            {},
            [&](Recordset& rs) {
                if (ColumnDetail* target = column(rs))
                    target->identity = textOf(rs.value(2)) + QStringLiteral(", ") + textOf(rs.value(3));
            })
        && forEachRow(query,
            detailSql(kind, QStringLiteral("cc.object_id, cc.column_id, cc.definition, cc.is_persisted"),
                QStringLiteral("sys.computed_columns AS cc"), QStringLiteral("cc.object_id"), {}, {}, {}),
            {}, [&](Recordset& rs) {
                if (ColumnDetail* target = column(rs)) {
                    target->computed = textOf(rs.value(2));
                    target->persisted = flagOf(rs.value(3));
                }
            });
}

bool readForeignKeys(qint16 kind, const CatalogQuery& query, QHash<qint32, ObjectDetail>& objects)  // throws RuntimeError
{
    const QString sql = detailSql(kind,
        QStringLiteral("fk.parent_object_id, fk.object_id, fk.name, ") + ShownObjectName(QStringLiteral("ref"))
            + QStringLiteral(", fkc.parent_column_id, pcol.name, rcol.name, fk.delete_referential_action,"
                             " fk.update_referential_action, fk.is_disabled, fk.is_not_trusted"),
        QStringLiteral("sys.foreign_keys AS fk"), QStringLiteral("fk.parent_object_id"),
        QStringLiteral("INNER JOIN sysobjects AS ref ON ref.id = fk.referenced_object_id"
                       " INNER JOIN sys.foreign_key_columns AS fkc ON fkc.constraint_object_id = fk.object_id"
                       " INNER JOIN syscolumns AS pcol ON pcol.id = fkc.parent_object_id"
                       " AND pcol.colid = fkc.parent_column_id"
                       " INNER JOIN syscolumns AS rcol ON rcol.id = fkc.referenced_object_id"
                       " AND rcol.colid = fkc.referenced_column_id"),
        {}, QStringLiteral("fk.parent_object_id, fk.name, fk.object_id, fkc.constraint_column_id"));
    qint32 lastKey = 0;
    return forEachRow(query, sql, {}, [&](Recordset& rs) {
        const auto found = objects.find(intOf(rs.value(0)));
        if (found == objects.end())
            return;
        const qint32 key = intOf(rs.value(1));
        if (key != lastKey || found->foreignKeys.empty()) {
            ForeignKeyDetail fk;
            fk.name = textOf(rs.value(2));
            fk.referencedTable = textOf(rs.value(3));
            fk.onDelete = intOf(rs.value(7));
            fk.onUpdate = intOf(rs.value(8));
            fk.disabled = flagOf(rs.value(9));
            fk.notTrusted = flagOf(rs.value(10));
            found->foreignKeys.push_back(std::move(fk));
            lastKey = key;
        }
        ForeignKeyDetail& fk = found->foreignKeys.back();
        fk.columns.append(textOf(rs.value(5)));
        fk.referencedColumns.append(textOf(rs.value(6)));
        if (ColumnDetail* column = findColumn(*found, intOf(rs.value(4))))
            column->foreignKey = true;
    });
}

bool readIndexes(qint16 kind, const CatalogQuery& query, QHash<qint32, ObjectDetail>& objects)  // throws RuntimeError
{
    const QString sql = detailSql(kind,
        QStringLiteral("ind.object_id, ind.index_id, ind.name, ind.type, ind.is_unique, ind.is_primary_key,"
                       " ind.is_unique_constraint, ind.filter_definition, col.name, ic.key_ordinal,"
                       " ic.is_descending_key, ic.is_included_column"),
        QStringLiteral("sys.indexes AS ind"), QStringLiteral("ind.object_id"),
        QStringLiteral("LEFT JOIN sys.index_columns AS ic ON ic.object_id = ind.object_id AND ic.index_id = ind.index_id"
                       " LEFT JOIN syscolumns AS col ON col.id = ic.object_id AND col.colid = ic.column_id"),
        QStringLiteral("ind.index_id > 0"),
        QStringLiteral("ind.object_id, ind.index_id, ic.is_included_column, ic.key_ordinal, ic.index_column_id"));
    qint32 lastObject = 0;
    qint32 lastIndex = -1;
    return forEachRow(query, sql, {}, [&](Recordset& rs) {
        const qint32 objectId = intOf(rs.value(0));
        const auto found = objects.find(objectId);
        if (found == objects.end())
            return;
        const qint32 indexId = intOf(rs.value(1));
        if (objectId != lastObject || indexId != lastIndex) {
            IndexDetail index;
            index.name = textOf(rs.value(2));
            index.type = intOf(rs.value(3));
            index.unique = flagOf(rs.value(4));
            index.primaryKey = flagOf(rs.value(5));
            index.uniqueConstraint = flagOf(rs.value(6));
            index.filter = textOf(rs.value(7));
            found->indexes.push_back(std::move(index));
            lastObject = objectId;
            lastIndex = indexId;
        }
        IndexDetail& index = found->indexes.back();
        const QString column = textOf(rs.value(8));
        if (column.isEmpty())
            return;
        // A columnstore index stores its columns without a key: they are its columns.
        const bool columnstore = index.type == 5 || index.type == 6;
        if (flagOf(rs.value(11)) && !columnstore)
            index.includedColumns.append(column);
        // A partitioning column outside the key has no key position.
        else if (intOf(rs.value(9)) > 0 || columnstore)
            index.keyColumns.append(flagOf(rs.value(10)) ? column + QStringLiteral(" DESC") : column);
    });
}

bool readChecks(qint16 kind, const CatalogQuery& query, QHash<qint32, ObjectDetail>& objects)  // throws RuntimeError
{
    const QString sql = detailSql(kind,
        QStringLiteral("ck.parent_object_id, ck.name, col.name, ck.definition, ck.is_disabled, ck.is_not_trusted"),
        QStringLiteral("sys.check_constraints AS ck"), QStringLiteral("ck.parent_object_id"),
        QStringLiteral("LEFT JOIN syscolumns AS col ON col.id = ck.parent_object_id AND col.colid = ck.parent_column_id"),
        {}, QStringLiteral("ck.parent_object_id, ck.name"));
    return forEachRow(query, sql, {}, [&](Recordset& rs) {
        const auto found = objects.find(intOf(rs.value(0)));
        if (found == objects.end())
            return;
        found->checks.push_back({textOf(rs.value(1)), textOf(rs.value(2)), textOf(rs.value(3)),
            flagOf(rs.value(4)), flagOf(rs.value(5))});
    });
}

bool readTriggers(qint16 kind, const CatalogQuery& query, QHash<qint32, ObjectDetail>& objects)  // throws RuntimeError
{
    const QString sql = detailSql(kind,
        QStringLiteral("trg.parent_id, trg.object_id, trg.name, trg.is_instead_of_trigger, trg.is_disabled, tev.type"),
        QStringLiteral("sys.triggers AS trg"), QStringLiteral("trg.parent_id"),
        QStringLiteral("LEFT JOIN sys.trigger_events AS tev ON tev.object_id = trg.object_id"), {},
        QStringLiteral("trg.parent_id, trg.name, trg.object_id, tev.type"));
    qint32 lastTrigger = 0;
    return forEachRow(query, sql, {}, [&](Recordset& rs) {
        const auto found = objects.find(intOf(rs.value(0)));
        if (found == objects.end())
            return;
        const qint32 trigger = intOf(rs.value(1));
        if (trigger != lastTrigger || found->triggers.empty()) {
            found->triggers.push_back({textOf(rs.value(2)), {}, flagOf(rs.value(3)), flagOf(rs.value(4))});
            lastTrigger = trigger;
        }
        static const QStringList kEvents{QStringLiteral("INSERT"), QStringLiteral("UPDATE"), QStringLiteral("DELETE")};
        const qint32 event = intOf(rs.value(5));
        if (event >= 1 && event <= 3)
            found->triggers.back().events.append(kEvents[event - 1]);
    });
}

}  // namespace

std::optional<QHash<qint32, ObjectDetail>> ReadObjectDetails(qint16 kind, const QString& descriptionProperty,
    const CatalogQuery& query)
{
    QHash<qint32, ObjectDetail> objects;
    bool read = readNames(kind, query, objects) && readColumns(kind, query, objects) && readDescriptions(kind, descriptionProperty, query, objects)
        && readIndexes(kind, query, objects) && readTriggers(kind, query, objects);
    // Views carry no defaults, identity, computed columns, keys or checks of their own.
    if (read && kind == 0) {
        read = readColumnFacts(kind, query, objects) && readForeignKeys(kind, query, objects)
            && readChecks(kind, query, objects);
    }
    if (!read)
        return std::nullopt;
    return objects;
}

std::optional<QHash<qint32, QString>> ReadObjectDescriptions(qint16 kind, const QString& descriptionProperty,
    const CatalogQuery& query)
{
    const QString sql = detailSql(kind, QStringLiteral("ep.major_id, ep.value"),
        QStringLiteral("sys.extended_properties AS ep"), QStringLiteral("ep.major_id"), {},
        QStringLiteral("ep.class = 1 AND ep.minor_id = 0 AND ep.name = ?"), {});
    QHash<qint32, QString> descriptions;
    if (!forEachRow(query, sql, {FieldValue(descriptionProperty)},
            [&](Recordset& rs) { descriptions.insert(intOf(rs.value(0)), textOf(rs.value(1))); }))
        return std::nullopt;
    return descriptions;
}

QString DeclaredType(const QString& typeName, const QString& userTypeName, qint32 length, qint32 precision,
    qint32 scale)
{
    const QString type = typeName.toLower();
    QString declared = typeName;
    if (type == u"char" || type == u"varchar" || type == u"binary" || type == u"varbinary")
        declared += length < 0 ? QStringLiteral("(max)") : QStringLiteral("(%1)").arg(length);
    else if (type == u"nchar" || type == u"nvarchar")
        declared += length < 0 ? QStringLiteral("(max)") : QStringLiteral("(%1)").arg(length / 2);
    else if (type == u"decimal" || type == u"numeric")
        declared += QStringLiteral("(%1,%2)").arg(precision).arg(scale);
    else if (type == u"datetime2" || type == u"time" || type == u"datetimeoffset")
        declared += QStringLiteral("(%1)").arg(scale);
    // sysname and alias types are spelled as declared, with what they stand for.
    if (!userTypeName.isEmpty() && userTypeName.compare(typeName, Qt::CaseInsensitive) != 0)
        return userTypeName + QStringLiteral(" (") + declared + QStringLiteral(")");
    return declared;
}

QString ForeignKeyActionName(qint32 action)
{
    switch (action) {
    case 1:
        return QStringLiteral("CASCADE");
    case 2:
        return QStringLiteral("SET NULL");
    case 3:
        return QStringLiteral("SET DEFAULT");
    default:
        return QStringLiteral("NO ACTION");
    }
}

SplitDescription SplitDescriptionText(const QString& description)
{
    const auto breakAt = std::find_if(description.cbegin(), description.cend(),
        [](QChar c) { return c == u'\r' || c == u'\n'; });
    const qsizetype lineEnd = breakAt == description.cend() ? -1 : breakAt - description.cbegin();
    if (lineEnd >= 0) {
        const qsizetype rest = lineEnd + (description.mid(lineEnd, 2) == u"\r\n" ? 2 : 1);
        return {description.left(lineEnd), description.mid(rest)};
    }
    // One line: a name is short, one word without blanks, and does not end as
    // a sentence does ("顧客名", not "Full name of a city" nor "Selling price.").
    constexpr qsizetype kLongestName = 30;
    const QString trimmed = description.trimmed();
    const bool sentence = trimmed.endsWith(u'。') || trimmed.endsWith(u'.') || trimmed.endsWith(u'！')
        || trimmed.endsWith(u'？') || trimmed.endsWith(u'!') || trimmed.endsWith(u'?');
    const bool blanks = std::any_of(trimmed.cbegin(), trimmed.cend(), [](QChar c) { return c.isSpace(); });
    if (description.size() <= kLongestName && !sentence && !blanks)
        return {description, {}};
    return {{}, description};
}
