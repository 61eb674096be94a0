// The details of the detailed documents, read from the test catalog's detail
// views, and how a type and a description are shown.
#include "CatalogQuery.h"
#include "ObjectDetails.h"

#include <gtest/gtest.h>

namespace {

QHash<qint32, ObjectDetail> details(qint16 kind, const QString& property = u"MS_Description"_qs)
{
    const auto read = ReadObjectDetails(kind, property, standinCatalogQuery(standinLogin().database));
    EXPECT_TRUE(read.has_value());
    return read.value_or(QHash<qint32, ObjectDetail>());
}

const ColumnDetail& column(const ObjectDetail& object, const QString& name)
{
    static const ColumnDetail kNone;
    for (const ColumnDetail& c : object.columns) {
        if (c.name == name)
            return c;
    }
    ADD_FAILURE() << "no column " << name.toStdString();
    return kNone;
}

// Descriptions whatever they hold and definitions hidden from the login are
// checked on the documents themselves (tests/export).
TEST(ObjectDetailsTest, TablesCarryEveryKindOfDetailOnTheirOwnColumns)
{
    const QHash<qint32, ObjectDetail> tables = details(0);
    const ObjectDetail& customer = tables[1001];
    EXPECT_EQ((QStringList{customer.schema, customer.name}), (QStringList{u"dbo"_qs, u"顧客"_qs}));
    EXPECT_EQ(customer.columns[3].defaultDefinition, u"(getdate())"_qs);

    const ObjectDetail& order = tables[1002];
    EXPECT_EQ(order.columns[0].keyOrder, 1);
    EXPECT_TRUE(order.columns[0].foreignKey);
    EXPECT_TRUE(order.columns[4].persisted);
    ASSERT_EQ(order.foreignKeys.size(), 1u);
    EXPECT_TRUE(order.foreignKeys[0].disabled && order.foreignKeys[0].notTrusted);
    ASSERT_EQ(order.triggers.size(), 1u);
    EXPECT_EQ(order.triggers[0].events, QStringList({u"INSERT"_qs, u"UPDATE"_qs}));
    EXPECT_FALSE(order.triggers[0].insteadOf);

    const ForeignKeyDetail& fk = tables[1004].foreignKeys.at(0);
    EXPECT_EQ(fk.columns, QStringList({u"OrderID"_qs, u"LineNo"_qs}));
    EXPECT_EQ(fk.referencedTable, u"受注明細"_qs);
    EXPECT_EQ(ForeignKeyActionName(fk.onDelete), u"CASCADE"_qs);
    EXPECT_TRUE(tables[1004].checks.at(0).column.isEmpty());

    const ObjectDetail& shop = tables[1003];
    EXPECT_EQ(column(shop, u"CustomerID"_qs).identity, u"1000, 10"_qs);
    ASSERT_EQ(shop.indexes.size(), 2u);
    const IndexDetail& email = shop.indexes[1];
    EXPECT_TRUE(email.unique && !email.primaryKey);
    EXPECT_EQ(email.keyColumns, QStringList({u"Email"_qs, u"CreatedAt DESC"_qs}));
    EXPECT_EQ(email.includedColumns, QStringList({u"Name"_qs}));
    EXPECT_EQ(email.filter, u"([Email] IS NOT NULL)"_qs);
    EXPECT_EQ(tables[1005].indexes.size(), 1u) << "a heap is no index";
}

TEST(ObjectDetailsTest, TheNamedPropertyIsTheDescriptionAndViewsHaveTheirOwnDetails)
{
    const QHash<qint32, ObjectDetail> tables = details(0, u"Description"_qs);
    EXPECT_EQ(tables[1003].description, u"Customers of the web shop"_qs);
    EXPECT_TRUE(tables[1001].description.isEmpty());

    const QHash<qint32, ObjectDetail> views = details(1);
    EXPECT_FALSE(views.contains(1001));
    EXPECT_EQ(views[2001].description, u"顧客一覧\n有効な顧客だけを示す。"_qs);
    ASSERT_EQ(views[2001].triggers.size(), 1u);
    EXPECT_TRUE(views[2001].triggers[0].insteadOf && views[2001].triggers[0].disabled);

    const auto routines = ReadObjectDescriptions(3, u"MS_Description"_qs, standinCatalogQuery(standinLogin().database));
    ASSERT_TRUE(routines.has_value());
    EXPECT_EQ(routines->value(4001), u"税込価格"_qs) << "a parameter's property is not the function's";
}

TEST(ObjectDetailsTest, DeclaredTypesReadAsInATableDefinition)
{
    EXPECT_EQ(DeclaredType(u"nvarchar"_qs, u"nvarchar"_qs, 100, 50, 0), u"nvarchar(50)"_qs);
    EXPECT_EQ(DeclaredType(u"varchar"_qs, u"varchar"_qs, -1, -1, 0), u"varchar(max)"_qs);
    EXPECT_EQ(DeclaredType(u"decimal"_qs, u"decimal"_qs, 9, 19, 4), u"decimal(19,4)"_qs);
    EXPECT_EQ(DeclaredType(u"datetime2"_qs, u"datetime2"_qs, 8, 27, 7), u"datetime2(7)"_qs);
    EXPECT_EQ(DeclaredType(u"nvarchar"_qs, u"Name"_qs, 100, 50, 0), u"Name (nvarchar(50))"_qs);
    EXPECT_EQ(DeclaredType(u"nvarchar"_qs, u"sysname"_qs, 256, 128, 0), u"sysname (nvarchar(128))"_qs);
    EXPECT_EQ(DeclaredType(u"hierarchyid"_qs, u"hierarchyid"_qs, 892, 0, 0), u"hierarchyid"_qs);
    EXPECT_EQ(DeclaredType(u"int"_qs, u"int"_qs, 4, 10, 0), u"int"_qs);
}

TEST(ObjectDetailsTest, AFirstLineOrAShortNameIsTheLogicalName)
{
    const SplitDescription lines = SplitDescriptionText(u"受注明細\r\n受注の明細行。\n二行目 "_qs);
    EXPECT_EQ(lines.logicalName, u"受注明細"_qs);
    EXPECT_EQ(lines.explanation, u"受注の明細行。\n二行目 "_qs);
    EXPECT_EQ(SplitDescriptionText(u"顧客名"_qs).logicalName, u"顧客名"_qs);
    EXPECT_EQ(SplitDescriptionText(u"Primary key."_qs).explanation, u"Primary key."_qs);
    EXPECT_EQ(SplitDescriptionText(u"H = High, L = Low"_qs).explanation, u"H = High, L = Low"_qs);
    const QString sentence = u"Numeric ID used for reference to a city within the database"_qs;
    EXPECT_EQ(SplitDescriptionText(sentence).explanation, sentence);
    EXPECT_TRUE(SplitDescriptionText(sentence).logicalName.isEmpty());
}

}  // namespace
