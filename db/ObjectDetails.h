#pragma once

#include "FieldValue.h"
#include "Recordset.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

// What the detailed documents show of an object beyond its column list, read
// from the catalog views for a whole document at once.

struct ColumnDetail {
    qint32 id = 0;
    QString name;
    QString declaredType;  // as the table's definition spells it: "nvarchar(50)", "Name (nvarchar(50))"
    bool nullable = false;
    qint32 keyOrder = 0;  // position in the primary key, 0 outside it
    bool foreignKey = false;
    QString description;
    QString defaultDefinition;
    QString identity;  // "seed, increment"; empty for a column without IDENTITY
    QString computed;  // the definition of a computed column
    bool persisted = false;
};

struct IndexDetail {
    QString name;
    qint32 type = 0;  // 1 clustered, 2 nonclustered, 3 XML, 4 spatial, 5/6 columnstore, 7 hash
    bool unique = false;
    bool primaryKey = false;
    bool uniqueConstraint = false;
    QStringList keyColumns;  // in key order, "name DESC" where descending
    QStringList includedColumns;
    QString filter;
};

struct ForeignKeyDetail {
    QString name;
    QStringList columns;
    QString referencedTable;  // the shown name: bare in dbo
    QStringList referencedColumns;
    qint32 onDelete = 0;  // 0 no action, 1 cascade, 2 set null, 3 set default
    qint32 onUpdate = 0;
    bool disabled = false;
    bool notTrusted = false;
};

struct CheckDetail {
    QString name;
    QString column;  // empty for a check on the whole row
    QString definition;
    bool disabled = false;
    bool notTrusted = false;
};

struct TriggerDetail {
    QString name;
    QStringList events;  // INSERT, UPDATE, DELETE
    bool insteadOf = false;
    bool disabled = false;
};

struct ObjectDetail {
    QString schema;
    QString name;  // without its schema
    QString description;
    std::vector<ColumnDetail> columns;
    std::vector<IndexDetail> indexes;
    std::vector<ForeignKeyDetail> foreignKeys;
    std::vector<CheckDetail> checks;
    std::vector<TriggerDetail> triggers;
};

// Runs one catalog query with its parameters and gives its rows; nullptr
// when it failed, the failure reported by the runner.
using CatalogQuery = std::function<std::shared_ptr<platform::Recordset>(const QString& sql,
    const std::vector<platform::FieldValue>& parameters)>;

// The details of every table (kind 0) or view (kind 1), by object id, from
// one query per kind of detail; std::nullopt when a query failed. A hidden
// definition (no VIEW DEFINITION) stays empty.
std::optional<QHash<qint32, ObjectDetail>> ReadObjectDetails(qint16 kind, const QString& descriptionProperty,
    const CatalogQuery& query);  // throws RuntimeError

// The description of every object of a kind, routines included, by object id;
// std::nullopt when the query failed.
std::optional<QHash<qint32, QString>> ReadObjectDescriptions(qint16 kind, const QString& descriptionProperty,
    const CatalogQuery& query);  // throws RuntimeError

// The type as declared: length in characters, (max), precision and scale,
// fractional seconds; an alias type followed by what it stands for.
QString DeclaredType(const QString& typeName, const QString& userTypeName, qint32 length, qint32 precision,
    qint32 scale);

// "NO ACTION", "CASCADE", "SET NULL" or "SET DEFAULT", as the server's
// referential action codes 0 to 3 read in a table's definition.
QString ForeignKeyActionName(qint32 action);

// A description split into the logical name (論理名) and the explanation (説明):
// the first line names the object when more lines follow; a single line names
// it when it is short and reads as a name: one word, not a sentence.
struct SplitDescription {
    QString logicalName;
    QString explanation;
};
SplitDescription SplitDescriptionText(const QString& description);
