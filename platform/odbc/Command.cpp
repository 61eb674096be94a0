#include "Command.h"

#include "Connection.h"
#include "ObjectErrors.h"
#include "OdbcHandle.h"
#include "RuntimeError.h"

#include <limits>

namespace platform {

namespace {

// Storage for one bound parameter; it must stay put until the statement ran.
struct ParameterBuffer {
    SQLLEN indicator = 0;
    SQLINTEGER int32 = 0;
    SQLBIGINT int64 = 0;
    double floating = 0.0;
    QString text;
    SQL_TIMESTAMP_STRUCT timestamp{};
};

void bindParameter(const OdbcHandle& statement, SQLUSMALLINT number, const FieldValue& value,
    ParameterBuffer& buffer)  // throws RuntimeError
{
    SQLSMALLINT cType = SQL_C_CHAR;
    SQLSMALLINT sqlType = SQL_VARCHAR;
    SQLULEN columnSize = 1;
    SQLSMALLINT digits = 0;
    SQLPOINTER data = &buffer.int32;
    SQLLEN dataLength = 0;
    switch (value.kind()) {
    case FieldValue::Kind::Empty:
    case FieldValue::Kind::Null:
        buffer.indicator = SQL_NULL_DATA;
        break;
    case FieldValue::Kind::Integer:
        if (value.integer() >= std::numeric_limits<qint32>::min()
            && value.integer() <= std::numeric_limits<qint32>::max()) {
            buffer.int32 = static_cast<SQLINTEGER>(value.integer());
            cType = SQL_C_SLONG;
            sqlType = SQL_INTEGER;
            columnSize = 10;
        } else {
            buffer.int64 = value.integer();
            data = &buffer.int64;
            cType = SQL_C_SBIGINT;
            sqlType = SQL_BIGINT;
            columnSize = 19;
        }
        break;
    case FieldValue::Kind::Double:
        buffer.floating = value.floating();
        data = &buffer.floating;
        cType = SQL_C_DOUBLE;
        sqlType = SQL_DOUBLE;
        columnSize = 15;
        break;
    case FieldValue::Kind::Text:
        buffer.text = value.text();
        data = const_cast<SQLWCHAR*>(toSqlWide(buffer.text));
        cType = SQL_C_WCHAR;
        sqlType = SQL_WVARCHAR;
        columnSize = static_cast<SQLULEN>(std::max<qsizetype>(buffer.text.size(), 1));
        dataLength = static_cast<SQLLEN>(buffer.text.size() * sizeof(SQLWCHAR));
        buffer.indicator = dataLength;
        break;
    case FieldValue::Kind::DateTime: {
        const QDate date = value.dateTime().date();
        const QTime time = value.dateTime().time();
        buffer.timestamp = {static_cast<SQLSMALLINT>(date.year()), static_cast<SQLUSMALLINT>(date.month()),
            static_cast<SQLUSMALLINT>(date.day()), static_cast<SQLUSMALLINT>(time.hour()),
            static_cast<SQLUSMALLINT>(time.minute()), static_cast<SQLUSMALLINT>(time.second()),
            static_cast<SQLUINTEGER>(time.msec()) * 1000000u};
        data = &buffer.timestamp;
        cType = SQL_C_TYPE_TIMESTAMP;
        sqlType = SQL_TYPE_TIMESTAMP;
        columnSize = 23;
        digits = 3;
        break;
    }
    }
    statement.check(SQLBindParameter(statement.get(), number, SQL_PARAM_INPUT, cType, sqlType,
        columnSize, digits, data, dataLength, &buffer.indicator));
}

// The "?" markers of a text, leaving out those inside quoted text, quoted
// names and comments, as the drivers count them.
int countMarkers(const QString& sql)
{
    int markers = 0;
    const qsizetype size = sql.size();
    for (qsizetype i = 0; i < size; ++i) {
        const QChar c = sql[i];
        const QChar next = i + 1 < size ? sql[i + 1] : QChar();
        if (c == u'?') {
            ++markers;
        } else if (c == u'\'' || c == u'"' || c == u'`' || c == u'[') {
            // A doubled closing quote stands for itself and does not close.
            const QChar close = c == u'[' ? QChar(u']') : c;
            for (++i; i < size; ++i) {
                if (sql[i] != close)
                    continue;
                if (i + 1 < size && sql[i + 1] == close)
                    ++i;
                else
                    break;
            }
        } else if (c == u'-' && next == u'-') {
            i = sql.indexOf(u'\n', i + 2);
        } else if (c == u'/' && next == u'*') {
            i = sql.indexOf(QStringLiteral("*/"), i + 2);
            if (i >= 0)
                ++i;
        }
        if (i < 0)
            break;
    }
    return markers;
}

// How a column's values are fetched, from its SQL type.
enum class Fetch { Integer, Floating, Text, DateTime, Time };

Fetch fetchOf(SQLSMALLINT sqlType)
{
    switch (sqlType) {
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
        return Fetch::Integer;
    case SQL_DECIMAL:
    case SQL_NUMERIC:
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return Fetch::Floating;
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIMESTAMP:
    case SQL_DATE:
    case SQL_TIMESTAMP:
        return Fetch::DateTime;
    case SQL_TYPE_TIME:
    case SQL_TIME:
        return Fetch::Time;
    default:
        // Character data, and whatever else the driver can spell as text.
        return Fetch::Text;
    }
}

QString columnName(const OdbcHandle& statement, SQLUSMALLINT number, SQLSMALLINT& sqlType)  // throws RuntimeError
{
    std::vector<SQLWCHAR> name(256);
    SQLSMALLINT nameLength = 0;
    SQLULEN size = 0;
    SQLSMALLINT digits = 0;
    SQLSMALLINT nullable = 0;
    auto describe = [&] {
        statement.check(SQLDescribeColW(statement.get(), number, name.data(),
            static_cast<SQLSMALLINT>(name.size()), &nameLength, &sqlType, &size, &digits, &nullable));
    };
    describe();
    if (nameLength >= static_cast<SQLSMALLINT>(name.size())) {
        name.resize(static_cast<std::size_t>(nameLength) + 1);
        describe();
    }
    return fromSqlWide(name.data(), nameLength);
}

FieldValue readText(const OdbcHandle& statement, SQLUSMALLINT number)  // throws RuntimeError
{
    constexpr SQLLEN kChunkChars = 2048;
    SQLWCHAR chunk[kChunkChars];
    QString text;
    for (;;) {
        SQLLEN indicator = 0;
        const SQLRETURN ret = SQLGetData(statement.get(), number, SQL_C_WCHAR, chunk, sizeof chunk, &indicator);
        if (ret == SQL_NO_DATA)
            break;
        statement.check(ret);
        if (indicator == SQL_NULL_DATA)
            return FieldValue::null();
        // A chunk that did not hold the rest comes back full, less its terminator.
        const bool truncated = ret == SQL_SUCCESS_WITH_INFO
            && (indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof chunk));
        if (!truncated) {
            text += fromSqlWide(chunk, indicator / static_cast<SQLLEN>(sizeof(SQLWCHAR)));
            break;
        }
        text += fromSqlWide(chunk, kChunkChars - 1);
    }
    return FieldValue(text);
}

template <typename T>
bool readFixed(const OdbcHandle& statement, SQLUSMALLINT number, SQLSMALLINT cType, T& target)  // throws RuntimeError
{
    SQLLEN indicator = 0;
    statement.check(SQLGetData(statement.get(), number, cType, &target, sizeof target, &indicator));
    return indicator != SQL_NULL_DATA;
}

FieldValue readValue(const OdbcHandle& statement, SQLUSMALLINT number, Fetch fetch)  // throws RuntimeError
{
    switch (fetch) {
    case Fetch::Integer: {
        SQLBIGINT value = 0;
        return readFixed(statement, number, SQL_C_SBIGINT, value) ? FieldValue(static_cast<qint64>(value))
                                                                 : FieldValue::null();
    }
    case Fetch::Floating: {
        double value = 0.0;
        return readFixed(statement, number, SQL_C_DOUBLE, value) ? FieldValue(value) : FieldValue::null();
    }
    case Fetch::DateTime: {
        SQL_TIMESTAMP_STRUCT value{};
        if (!readFixed(statement, number, SQL_C_TYPE_TIMESTAMP, value))
            return FieldValue::null();
        return FieldValue(QDateTime(QDate(value.year, value.month, value.day),
            QTime(value.hour, value.minute, value.second, static_cast<int>(value.fraction / 1000000u))));
    }
    case Fetch::Time: {
        SQL_TIME_STRUCT value{};
        if (!readFixed(statement, number, SQL_C_TYPE_TIME, value))
            return FieldValue::null();
        // A time of day alone sits on day zero of the automation calendar.
        return FieldValue(QDateTime(QDate(1899, 12, 30), QTime(value.hour, value.minute, value.second)));
    }
    case Fetch::Text:
        break;
    }
    return readText(statement, number);
}

std::optional<QueryResult> readResult(const OdbcHandle& statement)  // throws RuntimeError
{
    SQLSMALLINT columns = 0;
    statement.check(SQLNumResultCols(statement.get(), &columns));
    if (columns == 0)
        return std::nullopt;

    QueryResult result;
    std::vector<Fetch> fetches;
    for (SQLUSMALLINT number = 1; number <= static_cast<SQLUSMALLINT>(columns); ++number) {
        SQLSMALLINT sqlType = 0;
        result.fieldNames.append(columnName(statement, number, sqlType));
        fetches.push_back(fetchOf(sqlType));
    }
    for (;;) {
        const SQLRETURN ret = SQLFetch(statement.get());
        if (ret == SQL_NO_DATA)
            break;
        statement.check(ret);
        std::vector<FieldValue> row;
        row.reserve(fetches.size());
        for (std::size_t i = 0; i < fetches.size(); ++i)
            row.push_back(readValue(statement, static_cast<SQLUSMALLINT>(i + 1), fetches[i]));
        result.rows.push_back(std::move(row));
    }
    return result;
}

}  // namespace

Command::Command() = default;
Command::~Command() = default;

void Command::setActiveConnection(Connection& connection)
{
    connection_ = &connection;
}

void Command::setCommandTimeout(qint32 seconds)
{
    if (seconds < 0)
        throw RuntimeError(error_number::kInvalidArgument,
            QStringLiteral("引数が間違った型、許容範囲外、または競合しています。"));
    timeoutSeconds_ = seconds;
}

void Command::setCommandText(const QString& sql)
{
    text_ = sql;
    counted_ = false;
    parameters_.clear();
}

void Command::setParameter(int index, const FieldValue& value)
{
    if (index < 0 || index >= parameterCount())
        throwItemNotFound();
    parameters_[static_cast<std::size_t>(index)] = value;
}

int Command::parameterCount()
{
    if (!counted_) {
        // Only on an open connection, as when the driver counted the markers.
        if (!connection_ || !connection_->isOpen())
            throwConnectionUnusable();
        parameters_.resize(static_cast<std::size_t>(countMarkers(text_)));
        counted_ = true;
    }
    return static_cast<int>(parameters_.size());
}

std::optional<QueryResult> Command::execute()
{
    if (!connection_ || !connection_->isOpen())
        throwConnectionUnusable();
    // The statement lives for this run only: its rows are all read here, and
    // no handle outlasts the run to dangle once the connection closes.
    const OdbcHandle statement(SQL_HANDLE_STMT, connection_->login_->connection.get());
    statement.check(SQLSetStmtAttrW(statement.get(), SQL_ATTR_QUERY_TIMEOUT,
        reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeoutSeconds_)), 0));
    // Bound values and a direct run: one request to the server, where
    // preparing first would cost a request to prepare and one to unprepare.
    std::vector<ParameterBuffer> buffers(parameters_.size());
    for (std::size_t i = 0; i < parameters_.size(); ++i)
        bindParameter(statement, static_cast<SQLUSMALLINT>(i + 1), parameters_[i], buffers[i]);
    const SQLRETURN ret = SQLExecDirectW(statement.get(), const_cast<SQLWCHAR*>(toSqlWide(text_)), SQL_NTS);
    if (ret != SQL_NO_DATA)
        statement.check(ret);
    return readResult(statement);
}

}  // namespace platform
