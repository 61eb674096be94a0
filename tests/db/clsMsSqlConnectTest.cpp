#include "clsMsSqlConnect.h"

#include "RuntimeError.h"
#include "StandinLogin.h"
#include "basMain.h"
#include "RaisedError.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QStringList>

#include <functional>

using platform::FieldValue;
using platform::RuntimeError;

namespace {


bool connectToStandin(clsMsSqlConnect& connection)
{
    const StandinLogin login = standinLogin();
    return connection.Connect(login.server, login.database, login.uid, login.pwd);
}

// Every value of one field, by position, from the first row on.
QList<FieldValue> column(platform::Recordset& rs, int position)
{
    QList<FieldValue> values;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        values.append(rs.value(position));
    return values;
}

QStringList texts(const QList<FieldValue>& values)
{
    QStringList result;
    for (const FieldValue& v : values)
        result.append(v.isNull() ? QStringLiteral("<NULL>") : v.toText());
    return result;
}

QStringList fieldNames(const platform::Recordset& rs)
{
    QStringList names;
    for (int i = 0; i < rs.fieldCount(); ++i)
        names.append(rs.fieldName(i));
    return names;
}

// Runs the query on a connection of its own, as the pipelines do.
class Query {
public:
    explicit Query(const QString& sql, std::optional<qint32> parameter = std::nullopt)
    {
        EXPECT_TRUE(connectToStandin(connection)) << connection.Message().toStdString();
        connection.setQueryTimeOut(3000);
        if (parameter)
            connection.SetParam(0, FieldValue(*parameter));
        ok = connection.ExecQuery(sql);
        EXPECT_TRUE(ok) << connection.Message().toStdString();
    }
    ~Query()
    {
        if (ok)
            connection.CloseRs();
        connection.Disconnect();
    }
    platform::Recordset& rs() { return *connection.Recordset(); }

    clsMsSqlConnect connection;
    bool ok = false;
};

}  // namespace

TEST(ConnectionString, ValuesGoInAsPassedUnlessTheyWouldBreakTheString)
{
    EXPECT_EQ(BuildConnectionString({}, {}, {}, {}), u"driver=SQL Server;server=;database=;uid=;pwd=;"_qs);
    EXPECT_EQ(BuildConnectionString(u"S"_qs, u"D"_qs, u"U"_qs, {}), u"driver=SQL Server;server=S;database=D;uid=U;pwd=;"_qs);
    // Blanks, "=", "}" and a "{" inside stay exactly as typed.
    EXPECT_EQ(BuildConnectionString(u" srv\\inst "_qs, u"販売 DB"_qs, u"a=b"_qs, u"p}w{"_qs),
        u"driver=SQL Server;server= srv\\inst ;database=販売 DB;uid=a=b;pwd=p}w{;"_qs);
    // ";" or a leading "{" would end or open a user name or password: braced, "}" doubled.
    EXPECT_EQ(BuildConnectionString(u"S;Port=1500"_qs, u"{D;x}"_qs, u"u;1}"_qs, u"a;b}c"_qs),
        u"driver=SQL Server;server=S;Port=1500;database={D;x};uid={u;1}}};pwd={a;b}}c};"_qs);
    EXPECT_EQ(BuildConnectionString(u"S"_qs, u"D"_qs, u"U"_qs, u"{x}"_qs),
        u"driver=SQL Server;server=S;database=D;uid=U;pwd={{x}}};"_qs);
}

TEST(ClsMsSqlConnect, StartsWithDefaultsAndSharesItsResultSet)
{
    clsMsSqlConnect connection;
    EXPECT_TRUE(connection.Message().isEmpty());
    EXPECT_EQ(connection.QueryTimeOut(), 3000);
    ASSERT_TRUE(connection.Recordset());
    EXPECT_FALSE(connection.Recordset()->isOpen());
    // Handed out, not copied: what a caller does to it, the instance sees.
    const auto held = connection.Recordset();
    held->openWith({u"a"_qs}, {{FieldValue(1)}});
    EXPECT_TRUE(connection.Recordset()->isOpen());
    connection.CloseRs();
    EXPECT_FALSE(held->isOpen());

    auto other = std::make_shared<platform::Recordset>();
    connection.setRecordset(other);
    EXPECT_EQ(connection.Recordset(), other);
}

TEST(ClsMsSqlConnect, MisuseReachesTheCallerOrTheMessage)
{
    clsMsSqlConnect connection;
    EXPECT_EQ(errorOf([&] { connection.Disconnect(); }), 3704);
    EXPECT_EQ(errorOf([&] { connection.CloseRs(); }), 3704);
    EXPECT_EQ(errorOf([&] { connection.SetParam(-1, FieldValue(1)); }), 9);

    EXPECT_FALSE(connection.ExecQuery(u"SELECT 1"_qs));
    EXPECT_TRUE(connection.Message().startsWith(u"3709:"_qs)) << connection.Message().toStdString();

    connection.setRecordset(nullptr);
    EXPECT_EQ(errorOf([&] { connection.CloseRs(); }), 91);
}

TEST(ClsMsSqlConnectStandin, LogsOnWithAPasswordHoldingSemicolonAndBrace)
{
    const StandinLogin login = standinLogin();
    ASSERT_TRUE(login.pwd.contains(u';') && login.pwd.contains(u'}'));
    clsMsSqlConnect connection;
    ASSERT_TRUE(connection.Connect(login.server, login.database, login.uid, login.pwd))
        << connection.Message().toStdString();
    EXPECT_TRUE(connection.Message().isEmpty());
    connection.Disconnect();
    EXPECT_EQ(errorOf([&] { connection.Disconnect(); }), 3704);
}

TEST(ClsMsSqlConnectStandin, FailedLogonsGiveNumberAndDriverText)
{
    const StandinLogin login = standinLogin();

    clsMsSqlConnect wrongPassword;
    EXPECT_FALSE(wrongPassword.Connect(login.server, login.database, login.uid, login.pwd + u"x"_qs));
    EXPECT_TRUE(wrongPassword.Message().startsWith(u"1045:"_qs)) << wrongPassword.Message().toStdString();
    EXPECT_TRUE(wrongPassword.Message().contains(u"Access denied"_qs));
    // A later success leaves the failure's text in place.
    const QString failure = wrongPassword.Message();
    ASSERT_TRUE(wrongPassword.Connect(login.server, login.database, login.uid, login.pwd));
    EXPECT_EQ(wrongPassword.Message(), failure);
    wrongPassword.Disconnect();

    clsMsSqlConnect unknownDatabase;
    EXPECT_FALSE(unknownDatabase.Connect(login.server, login.database + u"_missing"_qs, login.uid, login.pwd));
    EXPECT_TRUE(unknownDatabase.Message().startsWith(u"1049:"_qs)) << unknownDatabase.Message().toStdString();
    EXPECT_TRUE(unknownDatabase.Message().contains(u"Unknown database"_qs));
}

TEST(ClsMsSqlConnectStandin, TableListHasItsFieldsAndRewinds)
{
    Query query(GetObjectListSql(0));
    auto& rs = query.rs();
    EXPECT_EQ(fieldNames(rs), (QStringList{u"ID"_qs, u"オブジェクト名"_qs, u"作成日"_qs, u"更新日"_qs}));
    // Outside dbo a name carries its schema; the list is ordered by the shown name.
    EXPECT_EQ(texts(column(rs, 1)), (QStringList{u"Customer"_qs, u"Order Detail"_qs, u"Sales.Customer"_qs,
                                         u"作業ログ"_qs, u"受注明細"_qs, u"顧客"_qs}));

    // Read to the end, rewind, and the first row is there again.
    while (!rs.eof())
        rs.moveNext();
    rs.moveFirst();
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.value(0), FieldValue(1003));
    EXPECT_EQ(rs.value(2).kind(), FieldValue::Kind::DateTime);
    EXPECT_EQ(rs.value(2).dateTime(), QDateTime(QDate(2022, 11, 30), QTime(23, 59, 59, 997)));
    rs.moveNext();
    EXPECT_EQ(rs.value(3).dateTime(), QDateTime(QDate(2023, 6, 30), QTime(12, 0)));
}

TEST(ClsMsSqlConnectStandin, ViewListHoldsOnlyViews)
{
    Query query(GetObjectListSql(1));
    EXPECT_EQ(query.rs().fieldCount(), 4);
    EXPECT_EQ(texts(column(query.rs(), 1)), (QStringList{u"Sales.顧客一覧"_qs, u"v_CustomerOrders"_qs, u"顧客一覧"_qs}));
}

TEST(ClsMsSqlConnectStandin, RoutineListsGiveARowPerStoredPiece)
{
    Query procedures(GetObjectListSql(2));
    auto& rs = procedures.rs();
    EXPECT_EQ(fieldNames(rs),
        (QStringList{u"ID"_qs, u"オブジェクト名"_qs, u"コメント"_qs, u"作成日"_qs, u"更新日"_qs}));
    // Three pieces, three rows with one ID in piece order; the routine without
    // text is absent; the encrypted one has a NULL text.
    EXPECT_EQ(texts(column(rs, 1)), (QStringList{u"GetOrders"_qs, u"usp_受注登録"_qs, u"usp_受注登録"_qs,
                                         u"usp_受注登録"_qs, u"usp_暗号化"_qs}));
    EXPECT_EQ(texts(column(rs, 0)), (QStringList{u"3002"_qs, u"3001"_qs, u"3001"_qs, u"3001"_qs, u"3003"_qs}));
    const QList<FieldValue> pieces = column(rs, 2);
    EXPECT_TRUE(pieces[4].isNull());
    EXPECT_EQ(GetRoutineComment(pieces[1].toText() + pieces[2].toText() + pieces[3].toText()),
        u"概要: 受注を登録する  作成: 2023/06/01  明細を追加する  正常終了"_qs);

    // Scalar, multi-statement and inline functions alike.
    Query functions(GetObjectListSql(3));
    EXPECT_EQ(texts(column(functions.rs(), 1)),
        (QStringList{u"fn_FullName"_qs, u"fn_注文一覧"_qs, u"fn_税込価格"_qs, u"fn_税込価格"_qs, u"fn_顧客注文"_qs}));
    functions.rs().moveFirst();
    EXPECT_EQ(GetRoutineComment(functions.rs().value(2).toText()),
        u"Joins first and last name.\n   Blank names give NULL."_qs);
}

TEST(ClsMsSqlConnectStandin, ColumnListMarksKeysAndNullsAsText)
{
    Query query(GetColumnListSql(0), 1002);
    auto& rs = query.rs();
    EXPECT_EQ(fieldNames(rs), (QStringList{u"列名"_qs, u"データ型"_qs, u"データ長"_qs, u"小数点桁数"_qs,
                                  u"制約"_qs, u"NULL許可"_qs}));
    EXPECT_EQ(texts(column(rs, 0)),
        (QStringList{u"受注ID"_qs, u"明細番号"_qs, u"商品コード"_qs, u"数量"_qs, u"単価"_qs, u"更新者"_qs}));
    // A sysname column is stored as nvarchar.
    EXPECT_EQ(texts(column(rs, 1)),
        (QStringList{u"int"_qs, u"smallint"_qs, u"char"_qs, u"int"_qs, u"decimal"_qs, u"nvarchar"_qs}));
    EXPECT_EQ(texts(column(rs, 2)), (QStringList{u"4"_qs, u"2"_qs, u"10"_qs, u"4"_qs, u"9"_qs, u"256"_qs}));
    EXPECT_EQ(texts(column(rs, 3)), (QStringList{u"0"_qs, u"0"_qs, u"<NULL>"_qs, u"0"_qs, u"2"_qs, u"<NULL>"_qs}));
    EXPECT_EQ(texts(column(rs, 4)), (QStringList{u"PK"_qs, u"PK"_qs, {}, {}, {}, {}}));
    EXPECT_EQ(texts(column(rs, 5)), (QStringList{{}, {}, {}, {}, u"○"_qs, {}}));
    for (int position : {4, 5})
        for (const FieldValue& v : column(rs, position))
            EXPECT_EQ(v.kind(), FieldValue::Kind::Text);
}

TEST(ClsMsSqlConnectStandin, ColumnListOfOtherTablesAndKinds)
{
    {
        Query heap(GetColumnListSql(0), 1005);  // no primary key, only a plain index
        EXPECT_EQ(texts(column(heap.rs(), 0)), (QStringList{u"ログ日時"_qs, u"メッセージ"_qs, u"重要度"_qs}));
        EXPECT_EQ(texts(column(heap.rs(), 4)), (QStringList{{}, {}, {}}));
        EXPECT_EQ(texts(column(heap.rs(), 2)), (QStringList{u"8"_qs, u"-1"_qs, u"1"_qs}));
    }
    {
        // Every column once, typed as stored: CLR by its own name, timestamp, an
        // alias by its base type; the key named like dbo.Customer's marks only its own.
        Query sales(GetColumnListSql(0), 1006);
        EXPECT_EQ(texts(column(sales.rs(), 1)),
            (QStringList{u"int"_qs, u"geography"_qs, u"timestamp"_qs, u"nvarchar"_qs, u"bit"_qs}));
        EXPECT_EQ(texts(column(sales.rs(), 4)), (QStringList{u"PK"_qs, {}, {}, {}, {}}));
        Query dbo(GetColumnListSql(0), 1003);
        EXPECT_EQ(texts(column(dbo.rs(), 4)), (QStringList{u"PK"_qs, {}, {}, {}}));
    }
    {
        Query wrongKind(GetColumnListSql(0), 2001);  // a view's id asked as a table
        EXPECT_TRUE(wrongKind.rs().eof());
        EXPECT_EQ(wrongKind.rs().fieldCount(), 6);
    }
}

TEST(ClsMsSqlConnectStandin, UnknownKindsGiveEmptyResults)
{
    for (qint32 kind : {4, -1}) {
        Query objects(GetObjectListSql(kind));
        EXPECT_TRUE(objects.rs().eof());
        Query columns(GetColumnListSql(kind), 1001);
        EXPECT_TRUE(columns.rs().eof());
    }
}

TEST(ClsMsSqlConnectStandin, ParametersFollowSetParamsLastSize)
{
    auto run = [](const std::function<void(clsMsSqlConnect&)>& setParams, const QString& sql) {
        clsMsSqlConnect connection;
        EXPECT_TRUE(connectToStandin(connection));
        setParams(connection);
        EXPECT_TRUE(connection.ExecQuery(sql)) << connection.Message().toStdString();
        auto& rs = *connection.Recordset();
        QStringList row;
        for (int i = 0; i < rs.fieldCount(); ++i)
            row.append(rs.value(i).isNull() ? u"<NULL>"_qs : rs.value(i).toText());
        connection.CloseRs();
        connection.Disconnect();
        return row;
    };
    EXPECT_EQ(run([](clsMsSqlConnect& c) { c.SetParam(0, FieldValue(5)); c.SetParam(0, FieldValue(7)); },
                  u"SELECT ? + 0 AS a"_qs),
        QStringList{u"7"_qs});
    EXPECT_EQ(run([](clsMsSqlConnect& c) { c.SetParam(2, FieldValue(9)); }, u"SELECT ? AS a, ? AS b, ? + 0 AS c"_qs),
        (QStringList{u"<NULL>"_qs, u"<NULL>"_qs, u"9"_qs}));
    // Shrinking drops the value at index 3: two markers, both assigned.
    EXPECT_EQ(run([](clsMsSqlConnect& c) { c.SetParam(3, FieldValue(1)); c.SetParam(1, FieldValue(u"乙"_qs)); },
                  u"SELECT ? AS a, ? AS b"_qs),
        (QStringList{u"<NULL>"_qs, u"乙"_qs}));
    EXPECT_EQ(run([](clsMsSqlConnect& c) { c.SetParam(0, FieldValue(u"受注明細"_qs)); },
                  u"SELECT id FROM sysobjects WHERE name = ?"_qs),
        QStringList{u"1002"_qs});
}

TEST(ClsMsSqlConnectStandin, QueryFailuresLeaveTheInstanceUsable)
{
    clsMsSqlConnect connection;
    ASSERT_TRUE(connectToStandin(connection));
    EXPECT_FALSE(connection.ExecQuery(u"SELECT FROM nowhere"_qs));
    EXPECT_TRUE(connection.Message().startsWith(u"1064:"_qs)) << connection.Message().toStdString();

    ASSERT_TRUE(connection.ExecQuery(u"SELECT 1 AS one"_qs));
    // The set stays open until CloseRs; running again before that fails.
    EXPECT_FALSE(connection.ExecQuery(u"SELECT 2 AS two"_qs));
    EXPECT_TRUE(connection.Message().startsWith(u"3705:"_qs)) << connection.Message().toStdString();
    EXPECT_EQ(connection.Recordset()->value(0), FieldValue(1));
    connection.CloseRs();
    EXPECT_EQ(errorOf([&] { connection.CloseRs(); }), 3704);

    // A negative time-out is refused by the command, inside ExecQuery.
    connection.setQueryTimeOut(-1);
    EXPECT_FALSE(connection.ExecQuery(u"SELECT 1 AS one"_qs));
    EXPECT_TRUE(connection.Message().startsWith(u"3001:"_qs)) << connection.Message().toStdString();
    connection.Disconnect();
}
