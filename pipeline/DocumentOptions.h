#pragma once

#include <QString>

// What a document holds besides what the plain form lists.
struct DocumentOptions {
    // Table and view sheets carry each object's and column's description,
    // declared types, defaults, identity, computed columns, keys, indexes,
    // check constraints and triggers; a routine index carries each routine's
    // description.
    bool detailed = false;
    // The extended property that holds an object's description.
    QString descriptionProperty = QStringLiteral("MS_Description");
};
