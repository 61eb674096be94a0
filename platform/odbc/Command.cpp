#include "Command.h"

#include "Connection.h"
#include "ObjectErrors.h"
#include "PreparedStatements.h"
#include "RuntimeError.h"
#include "TextPiece.h"

#include <algorithm>
#include <limits>

namespace platform {

namespace {

Binding bindingOf(const FieldValue& value, ParameterBuffer& buffer)
{
    Binding binding;
    binding.data = &buffer.int32;
    binding.indicator = &buffer.indicator;
    buffer.indicator = 0;
    switch (value.kind()) {
    case FieldValue::Kind::Empty:
    case FieldValue::Kind::Null:
        buffer.indicator = SQL_NULL_DATA;
        break;
    case FieldValue::Kind::Integer:
        if (value.integer() >= std::numeric_limits<qint32>::min()
            && value.integer() <= std::numeric_limits<qint32>::max()) {
            buffer.int32 = static_cast<SQLINTEGER>(value.integer());
            binding.cType = SQL_C_SLONG;
            binding.sqlType = SQL_INTEGER;
            binding.columnSize = 10;
        } else {
            buffer.int64 = value.integer();
            binding.data = &buffer.int64;
            binding.cType = SQL_C_SBIGINT;
            binding.sqlType = SQL_BIGINT;
            binding.columnSize = 19;
        }
        break;
    case FieldValue::Kind::Double:
        buffer.floating = value.floating();
        binding.data = &buffer.floating;
        binding.cType = SQL_C_DOUBLE;
        binding.sqlType = SQL_DOUBLE;
        binding.columnSize = 15;
        break;
    case FieldValue::Kind::Text: {
        // A text of the same length keeps its storage, so a kept statement
        // need not be bound again.
        const QString& text = value.text();
        buffer.text.assign(toSqlWide(text), toSqlWide(text) + text.size() + 1);
        binding.data = buffer.text.data();
        binding.cType = SQL_C_WCHAR;
        binding.sqlType = SQL_WVARCHAR;
        binding.columnSize = static_cast<SQLULEN>(std::max<qsizetype>(text.size(), 1));
        binding.dataLength = static_cast<SQLLEN>(text.size() * sizeof(SQLWCHAR));
        buffer.indicator = binding.dataLength;
        break;
    }
    case FieldValue::Kind::DateTime: {
        const QDate date = value.dateTime().date();
        const QTime time = value.dateTime().time();
        buffer.timestamp = {static_cast<SQLSMALLINT>(date.year()), static_cast<SQLUSMALLINT>(date.month()),
            static_cast<SQLUSMALLINT>(date.day()), static_cast<SQLUSMALLINT>(time.hour()),
            static_cast<SQLUSMALLINT>(time.minute()), static_cast<SQLUSMALLINT>(time.second()),
            static_cast<SQLUINTEGER>(time.msec()) * 1000000u};
        binding.data = &buffer.timestamp;
        binding.cType = SQL_C_TYPE_TIMESTAMP;
        binding.sqlType = SQL_TYPE_TIMESTAMP;
        binding.columnSize = 23;
        binding.digits = 3;
        break;
    }
    }
    return binding;
}

std::vector<Binding> bindingsOf(const std::vector<FieldValue>& values, std::vector<ParameterBuffer>& buffers)
{
    std::vector<Binding> bindings;
    bindings.reserve(values.size());
    for (std::size_t i = 0; i < values.size(); ++i)
        bindings.push_back(bindingOf(values[i], buffers[i]));
    return bindings;
}

// The parameters as the server is told to expect them; a statement prepared
// for one set of types is not run with another.
QString declaredTypes(const std::vector<Binding>& bindings)
{
    QString types;
    for (const Binding& binding : bindings)
        types += QStringLiteral("%1(%2,%3);").arg(binding.sqlType).arg(binding.columnSize).arg(binding.digits);
    return types;
}

void bindAll(const OdbcHandle& statement, const std::vector<Binding>& bindings)  // throws RuntimeError
{
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        const Binding& b = bindings[i];
        statement.check(SQLBindParameter(statement.get(), static_cast<SQLUSMALLINT>(i + 1), SQL_PARAM_INPUT,
            b.cType, b.sqlType, b.columnSize, b.digits, b.data, b.dataLength, b.indicator));
    }
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
        // Character data, and whatever else the driver can spell as text; a
        // sql_variant too, whose number comes as its digits, as on the stand-in.
        return Fetch::Text;
    }
}

QString columnName(const OdbcHandle& statement, SQLUSMALLINT number, SQLSMALLINT& sqlType,
    SQLULEN& size)  // throws RuntimeError
{
    std::vector<SQLWCHAR> name(256);
    SQLSMALLINT nameLength = 0;
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

// A text column no longer than this is read in one call into a buffer of
// its own, with room for four bytes a character and the terminator.
constexpr SQLULEN kOneReadChars = 8000;

// The rest of a text value, in pieces, after `text`.
FieldValue readPieces(const OdbcHandle& statement, SQLUSMALLINT number, std::vector<SQLWCHAR>& buffer,
    QString text)  // throws RuntimeError
{
    for (;;) {
        std::fill(buffer.begin(), buffer.end(), SQLWCHAR{0});
        SQLLEN indicator = 0;
        const SQLRETURN ret = SQLGetData(statement.get(), number, SQL_C_WCHAR, buffer.data(),
            static_cast<SQLLEN>(buffer.size() * sizeof(SQLWCHAR)), &indicator);
        if (ret == SQL_NO_DATA)
            break;
        statement.check(ret);
        if (indicator == SQL_NULL_DATA)
            return FieldValue::null();
        const TextPiece piece = textPiece(ret, indicator, buffer);
        text += fromSqlWide(buffer.data(), piece.length);
        if (!piece.more)
            break;
    }
    return FieldValue(text);
}

// A text value of a column whose size the driver gave, read once into
// `buffer`, which has room for all of it: MariaDB's driver then writes the
// value whole, with its terminator, whatever length it reports, and no
// second conversion asks for the length first.
FieldValue readSizedText(const OdbcHandle& statement, SQLUSMALLINT number, std::vector<SQLWCHAR>& buffer)  // throws RuntimeError
{
    buffer.back() = 0;
    SQLLEN indicator = 0;
    const SQLRETURN ret = SQLGetData(statement.get(), number, SQL_C_WCHAR, buffer.data(),
        static_cast<SQLLEN>(buffer.size() * sizeof(SQLWCHAR)), &indicator);
    if (ret == SQL_NO_DATA)
        return FieldValue(QString());
    statement.check(ret);
    if (indicator == SQL_NULL_DATA)
        return FieldValue::null();
    const TextPiece piece = textPiece(ret, indicator, buffer);
    QString text = fromSqlWide(buffer.data(), piece.length);
    // Longer than its column said: the rest follows in pieces.
    return piece.more ? readPieces(statement, number, buffer, std::move(text)) : FieldValue(std::move(text));
}

FieldValue readText(const OdbcHandle& statement, SQLUSMALLINT number)  // throws RuntimeError
{
    // The length first, from a read of nothing: MariaDB's driver writes a value
    // whole only where it has room for four bytes a character and the
    // terminator. Into less it copies as many characters as it counts, one
    // short for each character with a low byte of 0xD8..0xDB before another
    // (様, ベ), and calls the value done.
    SQLWCHAR nothing = 0;
    SQLLEN announced = 0;
    SQLRETURN ret = SQLGetData(statement.get(), number, SQL_C_WCHAR, &nothing, 0, &announced);
    if (ret == SQL_NO_DATA)
        return FieldValue(QString());
    statement.check(ret);
    if (announced == SQL_NULL_DATA)
        return FieldValue::null();
    if (announced == 0)
        return FieldValue(QString());

    // A length too large for one buffer, or none at all, is read in pieces.
    constexpr SQLLEN kPieceChars = 2048;
    constexpr SQLLEN kWholeChars = SQLLEN{1} << 24;
    const SQLLEN chars = announced / static_cast<SQLLEN>(sizeof(SQLWCHAR));
    const bool whole = announced != SQL_NO_TOTAL && chars < kWholeChars;
    std::vector<SQLWCHAR> buffer(static_cast<std::size_t>(whole ? 2 * chars + 2 : kPieceChars));
    return readPieces(statement, number, buffer, QString());
}

template <typename T>
bool readFixed(const OdbcHandle& statement, SQLUSMALLINT number, SQLSMALLINT cType, T& target)  // throws RuntimeError
{
    SQLLEN indicator = 0;
    statement.check(SQLGetData(statement.get(), number, cType, &target, sizeof target, &indicator));
    return indicator != SQL_NULL_DATA;
}

// `textBuffer`: for a text column of known, modest size, the buffer it is read into.
FieldValue readValue(const OdbcHandle& statement, SQLUSMALLINT number, Fetch fetch,
    std::vector<SQLWCHAR>& textBuffer)  // throws RuntimeError
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
    return textBuffer.empty() ? readText(statement, number) : readSizedText(statement, number, textBuffer);
}

std::optional<QueryResult> readResult(const OdbcHandle& statement)  // throws RuntimeError
{
    SQLSMALLINT columns = 0;
    statement.check(SQLNumResultCols(statement.get(), &columns));
    if (columns == 0)
        return std::nullopt;

    QueryResult result;
    std::vector<Fetch> fetches;
    std::vector<std::vector<SQLWCHAR>> textBuffers(static_cast<std::size_t>(columns));
    for (SQLUSMALLINT number = 1; number <= static_cast<SQLUSMALLINT>(columns); ++number) {
        SQLSMALLINT sqlType = 0;
        SQLULEN size = 0;
        result.fieldNames.append(columnName(statement, number, sqlType, size));
        fetches.push_back(fetchOf(sqlType));
        if (fetches.back() == Fetch::Text && size > 0 && size <= kOneReadChars)
            textBuffers[number - 1u].resize(2 * size + 2);
    }
    for (;;) {
        const SQLRETURN ret = SQLFetch(statement.get());
        if (ret == SQL_NO_DATA)
            break;
        statement.check(ret);
        std::vector<FieldValue> row;
        row.reserve(fetches.size());
        for (std::size_t i = 0; i < fetches.size(); ++i)
            row.push_back(readValue(statement, static_cast<SQLUSMALLINT>(i + 1), fetches[i], textBuffers[i]));
        result.rows.push_back(std::move(row));
    }
    return result;
}

// Runs a kept statement with these values and leaves it ready for the next
// run; one whose run failed is in no known state and goes.
std::optional<QueryResult> runPrepared(PreparedStatements& prepared, const StatementKey& key,
    PreparedStatement& statement, const std::vector<FieldValue>& values)  // throws RuntimeError
{
    try {
        // Some drivers prepare again after any binding; the values go where
        // the driver looks already, and only a buffer that moved is bound anew.
        std::vector<Binding> bindings = bindingsOf(values, statement.buffers);
        if (bindings != statement.bound) {
            bindAll(statement.handle, bindings);
            statement.bound = std::move(bindings);
        }
        const OdbcHandle& handle = statement.handle;
        const SQLRETURN ret = SQLExecute(handle.get());
        if (ret != SQL_NO_DATA)
            handle.check(ret);
        auto result = readResult(handle);
        handle.check(SQLFreeStmt(handle.get(), SQL_CLOSE));
        return result;
    } catch (...) {
        prepared.drop(key);
        throw;
    }
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
    OdbcLogin& login = *connection_->login_;
    std::vector<ParameterBuffer> buffers(parameters_.size());
    const std::vector<Binding> bindings = bindingsOf(parameters_, buffers);
    const StatementKey key{text_, timeoutSeconds_, declaredTypes(bindings)};
    if (PreparedStatement* kept = login.prepared.find(key))
        return runPrepared(login.prepared, key, *kept, parameters_);

    OdbcHandle statement(SQL_HANDLE_STMT, login.connection.get());
    statement.check(SQLSetStmtAttrW(statement.get(), SQL_ATTR_QUERY_TIMEOUT,
        reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(timeoutSeconds_)), 0));
    SQLWCHAR* const text = const_cast<SQLWCHAR*>(toSqlWide(text_));
    if (login.prepared.noteRun(key) && SQL_SUCCEEDED(SQLPrepareW(statement.get(), text, SQL_NTS))) {
        PreparedStatement& kept = login.prepared.keep(key, std::move(statement), parameters_.size());
        return runPrepared(login.prepared, key, kept, parameters_);
    }
    // Bound values and a direct run: one request to the server. A text the
    // driver would not prepare runs so too, and fails, if it does, as it always has.
    bindAll(statement, bindings);
    const SQLRETURN ret = SQLExecDirectW(statement.get(), text, SQL_NTS);
    if (ret != SQL_NO_DATA)
        statement.check(ret);
    return readResult(statement);
}

}  // namespace platform
