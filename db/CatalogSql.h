#pragma once

#include <QString>

// Fragments shared by the catalog queries, for the object alias `obj`
// (sysobjects).

// The objects of a document kind: "obj.xtype = 'U'", functions of all three
// codes, nothing for an unknown kind.
QString ObjectKindCondition(qint32 DocKind);

// True for an object the server's own tools added for themselves (database
// diagrams), which they mark with a property and list as system objects.
QString ToolObjectCondition();

// The shown name of an object: bare in dbo, "schema.name" elsewhere.
QString ShownObjectName(const QString& alias);
