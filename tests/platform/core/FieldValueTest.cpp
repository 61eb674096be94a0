#include "FieldValue.h"
#include "RuntimeError.h"
#include "RaisedError.h"

#include <gtest/gtest.h>

using platform::FieldValue;
using platform::RuntimeError;

TEST(FieldValue, KindsAreKeptApart)
{
    EXPECT_TRUE(FieldValue().isEmpty());
    EXPECT_TRUE(FieldValue::null().isNull());
    EXPECT_NE(FieldValue(), FieldValue::null());
    EXPECT_NE(FieldValue(1), FieldValue(1.0));
    EXPECT_EQ(FieldValue(u"○"_qs).kind(), FieldValue::Kind::Text);
}

TEST(FieldValue, ConversionsFollowTheAutomationRules)
{
    EXPECT_EQ(FieldValue().toText(), QString());
    EXPECT_EQ(FieldValue(42).toText(), u"42"_qs);
    EXPECT_EQ(FieldValue(u" 17 "_qs).toInt32(), 17);
    EXPECT_EQ(FieldValue(2.5).toInt32(), 2);  // to even
    EXPECT_EQ(FieldValue(3.5).toInt32(), 4);
    const QDateTime when(QDate(2024, 3, 9), QTime(7, 5, 0));
    EXPECT_EQ(FieldValue(when).toText(), u"2024/03/09 07:05:00"_qs);
    EXPECT_EQ(FieldValue(FieldValue(when).toText()).toDateTime(), when);
}

TEST(FieldValue, BadConversionsRaiseNumberedErrors)
{
    EXPECT_EQ(errorOf([] { FieldValue::null().toText(); }), 94);
    EXPECT_EQ(errorOf([] { FieldValue::null().toInt32(); }), 94);
    EXPECT_EQ(errorOf([] { FieldValue(u"abc"_qs).toInt32(); }), 13);
    EXPECT_EQ(errorOf([] { FieldValue(qint64(1) << 40).toInt32(); }), 6);
    EXPECT_EQ(errorOf([] { FieldValue(1e12).toInt32(); }), 6);
}

TEST(RuntimeError, FailureTextIsNumberColonDescription)
{
    EXPECT_EQ(RuntimeError(-2147467259, u"接続できません"_qs).failureText(), u"-2147467259:接続できません"_qs);
    EXPECT_EQ(RuntimeError(1004, QString()).failureText(), u"1004:"_qs);
}
