#include "Command.h"

#include "Connection.h"
#include "Recordset.h"
#include "RuntimeError.h"
#include "StandinLogin.h"
#include "RaisedError.h"

#include <gtest/gtest.h>

using platform::Command;
using platform::Connection;
using platform::FieldValue;
using platform::Recordset;
using platform::RuntimeError;

namespace {


class CommandTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        connection.setConnectionString(standinConnectionString());
        connection.open();
        command.setActiveConnection(connection);
    }

    // The single row of a query, opened through a result set as callers do.
    Recordset::Row row(const QString& sql)
    {
        command.setCommandText(sql);
        Recordset rs;
        rs.open(command);
        EXPECT_FALSE(rs.eof());
        Recordset::Row values;
        for (int i = 0; i < rs.fieldCount(); ++i)
            values.push_back(rs.value(i));
        return values;
    }

    Connection connection;
    Command command;
};

}  // namespace

TEST_F(CommandTest, ColumnTypesArriveAsTaggedValues)
{
    const auto values = row(
        u"SELECT CAST(42 AS INT) AS i, 9000000000 AS big, CAST(2.5 AS DOUBLE) AS d, CAST(12.25 AS DECIMAL(6,2)) AS dc, "
        "'日本語の○' AS t, '' AS e, NULL AS n, CAST('2024-02-29 12:34:56.789' AS DATETIME(3)) AS dt, "
        "CAST('2024-02-29' AS DATE) AS da, CAST('07:08:09' AS TIME) AS tm"_qs);
    ASSERT_EQ(values.size(), 10u);
    EXPECT_EQ(values[0], FieldValue(42));
    EXPECT_EQ(values[1], FieldValue(qint64{9000000000}));
    EXPECT_EQ(values[2], FieldValue(2.5));
    EXPECT_EQ(values[3], FieldValue(12.25));
    EXPECT_EQ(values[4], FieldValue(u"日本語の○"_qs));
    EXPECT_EQ(values[5], FieldValue(QString()));
    EXPECT_TRUE(values[6].isNull());
    EXPECT_EQ(values[7], FieldValue(QDateTime(QDate(2024, 2, 29), QTime(12, 34, 56, 789))));
    EXPECT_EQ(values[8], FieldValue(QDateTime(QDate(2024, 2, 29), QTime(0, 0))));
    EXPECT_EQ(values[9], FieldValue(QDateTime(QDate(1899, 12, 30), QTime(7, 8, 9))));
}

TEST_F(CommandTest, LongTextAndLongNamesArriveWhole)
{
    // Longer than one read of the driver, with surrogate pairs across the joins.
    QString expected;
    for (int i = 0; i < 3001; ++i)
        expected += u"𠮷あ"_qs;
    expected += u'x';
    const QString longName(255, u'n');  // the longest name the server gives
    command.setCommandText(u"SELECT CONCAT(REPEAT('𠮷あ', 3001), 'x') AS `"_qs + longName + u"`"_qs);
    Recordset rs;
    rs.open(command);
    EXPECT_EQ(rs.fieldName(0), longName);
    EXPECT_EQ(rs.value(0).text().size(), expected.size());
    EXPECT_EQ(rs.value(0).text(), expected);
}

TEST_F(CommandTest, TextArrivesExactWhereTheDriverMiscountsIt)
{
    // The stand-in's driver counts a character whose low byte is 0xD8..0xDB
    // together with the next one, and cuts on that count (様 is U+69D8, ベ U+30D9).
    const auto values = row(u"SELECT '仕様書', 'ベル', 'データベースの罠', CONCAT(REPEAT('a', 2046), '様書'), "
                            "REPEAT('様', 3000), CONCAT(REPEAT('x', 7499), '様'), REPEAT('仕様書', 2500)"_qs);
    const QStringList expected{u"仕様書"_qs, u"ベル"_qs, u"データベースの罠"_qs, QString(2046, u'a') + u"様書"_qs,
        QString(3000, u'様'), QString(7499, u'x') + u'様', u"仕様書"_qs.repeated(2500)};
    ASSERT_EQ(values.size(), std::size_t(expected.size()));
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_EQ(values[i].text().toStdString(), expected[i].toStdString()) << i;

    // Control characters, as a bound value read back (the driver ends a text at U+0000).
    QString controls = u"改行\r\n、タブ\t、"_qs;
    for (char16_t c = 1; c < 0x20; ++c)
        controls += QChar(c);
    command.setCommandText(u"SELECT ?"_qs);
    command.setParameter(0, FieldValue(controls));
    Recordset rs;
    rs.open(command);
    EXPECT_EQ(rs.value(0).text().toStdString(), controls.toStdString());
}

TEST_F(CommandTest, ParametersBindInIndexOrderWithEmptyAsNull)
{
    const QDateTime when(QDate(2023, 12, 31), QTime(23, 59, 58, 500));
    command.setCommandText(u"SELECT ? AS a, ? AS b, ? AS c, ? AS d, ? AS e, ? AS f, ? AS g"_qs);
    EXPECT_EQ(command.parameterCount(), 7);
    command.setParameter(0, FieldValue(7));
    command.setParameter(1, FieldValue(qint64{-9000000000}));
    command.setParameter(2, FieldValue(0.125));
    command.setParameter(3, FieldValue(u"受注明細"_qs));
    command.setParameter(4, FieldValue(when));
    command.setParameter(5, FieldValue());
    command.setParameter(6, FieldValue::null());
    EXPECT_EQ(raisedError([&] { command.setParameter(7, FieldValue(1)); }).number(), 3265);
    EXPECT_EQ(raisedError([&] { command.setParameter(-1, FieldValue(1)); }).number(), 3265);

    Recordset rs;
    rs.open(command);
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value(0).toInt32(), 7);
    EXPECT_EQ(rs.value(1).toText(), u"-9000000000"_qs);
    EXPECT_EQ(rs.value(2).toDouble(), 0.125);
    EXPECT_EQ(rs.value(3).toText(), u"受注明細"_qs);
    EXPECT_EQ(rs.value(4).toDateTime(), when);
    EXPECT_TRUE(rs.value(5).isNull());
    EXPECT_TRUE(rs.value(6).isNull());
}

TEST_F(CommandTest, MarkersInQuotesAndCommentsAreNoParameters)
{
    command.setCommandText(u"SELECT '?''?' AS a, \"?\" AS b, ? AS `c?` /* ? */ -- ?\n"_qs);
    ASSERT_EQ(command.parameterCount(), 1);
    command.setParameter(0, FieldValue(3));
    Recordset rs;
    rs.open(command);
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value(0).toText(), u"?'?"_qs);
    EXPECT_EQ(rs.value(1).toText(), u"?"_qs);
    EXPECT_EQ(rs.value(2).toInt32(), 3);
}

TEST_F(CommandTest, ARunCanBeRepeatedWithItsParameters)
{
    // From its second run on a login a text runs prepared; a value of another
    // type goes through a statement of its own, and an empty answer leaves
    // nothing behind for the next run.
    command.setCommandText(u"SELECT name FROM sysobjects WHERE id = ?"_qs);
    const std::vector<std::pair<FieldValue, QString>> runs{{FieldValue(1001), u"顧客"_qs},
        {FieldValue(1001), u"顧客"_qs}, {FieldValue(1002), u"受注明細"_qs}, {FieldValue(u"1003"_qs), u"Customer"_qs},
        {FieldValue(qint64(1) << 40), QString()}, {FieldValue(1004), u"Order Detail"_qs},
        {FieldValue(u"1005"_qs), u"作業ログ"_qs}, {FieldValue(1001), u"顧客"_qs}};
    for (const auto& [id, name] : runs) {
        command.setParameter(0, id);
        Recordset rs;
        rs.open(command);
        ASSERT_EQ(rs.eof(), name.isNull()) << id.toText().toStdString();
        if (!name.isNull())
            EXPECT_EQ(rs.value(0).toText(), name);
    }
}

TEST_F(CommandTest, FailuresCarryTheDriversReport)
{
    command.setCommandText(u"SELECT * FROM no_such_table"_qs);
    Recordset rs;
    const RuntimeError error = raisedError([&] { rs.open(command); });
    EXPECT_EQ(error.number(), 1146);
    EXPECT_EQ(error.sqlState(), u"42S02"_qs);
    EXPECT_TRUE(error.description().contains(u"no_such_table"_qs)) << error.description().toStdString();
    EXPECT_FALSE(rs.isOpen());

    // The same from a run of a statement kept prepared, after which the text
    // runs again as well as before.
    command.setCommandText(u"SELECT (SELECT id FROM sysobjects WHERE id > ?)"_qs);
    for (const int above : {1'000'000, 1'000'000, 0, 1'000'000, 1'000'000}) {
        command.setParameter(0, FieldValue(above));
        Recordset result;
        if (above == 0) {
            EXPECT_EQ(raisedError([&] { result.open(command); }).number(), 1242);
            continue;
        }
        result.open(command);
        ASSERT_FALSE(result.eof());
        EXPECT_TRUE(result.value(0).isNull());
    }

    EXPECT_EQ(raisedError([&] { command.setCommandTimeout(-1); }).number(), 3001);
}

TEST_F(CommandTest, NoOpenConnectionNoRun)
{
    Command detached;
    detached.setCommandText(u"SELECT 1"_qs);
    Recordset rs;
    EXPECT_EQ(raisedError([&] { rs.open(detached); }).number(), 3709);

    connection.close();
    command.setCommandText(u"SELECT 1"_qs);
    EXPECT_EQ(raisedError([&] { rs.open(command); }).number(), 3709);
    EXPECT_EQ(raisedError([&] { command.parameterCount(); }).number(), 3709);
}

TEST_F(CommandTest, ResultSetOpensOnceAndStaysClosedWithoutRows)
{
    Recordset rs;
    command.setCommandText(u"SET @tablinor = 1"_qs);  // runs, returns no result at all
    rs.open(command);
    EXPECT_FALSE(rs.isOpen());

    command.setCommandText(u"SELECT id FROM sysobjects WHERE id < 0"_qs);
    rs.open(command);
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.fieldName(0), u"id"_qs);
    EXPECT_EQ(raisedError([&] { rs.open(command); }).number(), 3705);
}
