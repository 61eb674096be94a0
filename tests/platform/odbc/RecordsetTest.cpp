#include "Recordset.h"
#include "RuntimeError.h"
#include "RaisedError.h"

#include <gtest/gtest.h>

using platform::FieldValue;
using platform::Recordset;
using platform::RuntimeError;

namespace {

Recordset twoRows()
{
    Recordset rs;
    rs.openWith({u"ID"_qs, u"名前"_qs}, {{FieldValue(1), FieldValue(u"甲"_qs)}, {FieldValue(2), FieldValue::null()}});
    return rs;
}


}  // namespace

TEST(Recordset, WalksForwardAndRewindsAfterTheEnd)
{
    Recordset rs = twoRows();
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value(0).toInt32(), 1);
    rs.moveNext();
    EXPECT_TRUE(rs.value(1).isNull());
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    rs.moveFirst();
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value(1).toText(), u"甲"_qs);
}

TEST(Recordset, EmptySetIsAtItsEndAndStillHasFields)
{
    Recordset rs;
    rs.openWith({u"列名"_qs}, {});
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.fieldCount(), 1);
    EXPECT_EQ(rs.fieldName(0), u"列名"_qs);
}

TEST(Recordset, MisuseRaisesTheAutomationErrors)
{
    Recordset closed;
    EXPECT_EQ(errorOf([&] { closed.eof(); }), 3704);
    EXPECT_EQ(errorOf([&] { closed.close(); }), 3704);

    Recordset rs = twoRows();
    EXPECT_EQ(errorOf([&] { rs.fieldName(2); }), 3265);
    EXPECT_EQ(errorOf([&] { rs.value(-1); }), 3265);
    rs.moveNext();
    rs.moveNext();
    EXPECT_EQ(errorOf([&] { rs.moveNext(); }), 3021);
    EXPECT_EQ(errorOf([&] { rs.value(0); }), 3021);
    rs.close();
    EXPECT_FALSE(rs.isOpen());
    EXPECT_EQ(errorOf([&] { rs.moveFirst(); }), 3704);
}
