// The table document end to end, beside the floors it cannot beat: bare ODBC
// loops that run the column list and read its rows for the same objects, one
// connecting and disconnecting per object as a run does, the other on one
// connection with one prepared statement. Against the local stand-in server it
// prints tables per second, the run's time split into database, workbook model
// and file export, the peak resident memory of the run and the ratios to the
// floors. Then, when the TDS front is at hand, it measures the same through
// FreeTDS and the front at 0 and 5 ms a round trip, counts the logins the
// document cost in the front's log, and prints all of it side by side. It
// also times the same document written from the main window's menu to a
// chosen .xlsx and opened there, on the stand-in server.
// With --calc it instead times how long LibreOffice Calc takes to open the
// document as handed over (OpenDocument) and as .xlsx, against the .xlsx
// stripped of its print set-up (calc_load.py beside this file); a share of
// the tables (--multi-page, one in four unless told) then has 60 columns and
// prints on several pages.
//
//   document_bench [--tables N] [--columns M] [--front FILE]
//   document_bench --calc [--detailed] [--tables N] [--columns M] [--multi-page SHARE] [--book FILE]
//
// --book keeps the document as FILE instead of opening it in Calc, so that
// calc_load.py can time it apart, outside the lock on the stand-in server.
//
// Defaults: 2000 tables x 20 columns; the front is tds_front.py from
// ../shared/tools/tds-front beside the source folder, and without it the
// remote part is skipped with a note. Needs the stand-in server
// (scripts/standin-server start). The catalog goes into the database
// tablinor_bench, created afresh on every run. Each remote measurement runs in
// a child process (--remote SERVER --front-log FILE), since the driver manager
// reads its driver list once per process.

#include "Command.h"
#include "Connection.h"
#include "ConnectionSettings.h"
#include "FileDialog.h"
#include "OdbcHandle.h"
#include "PhaseTimer.h"
#include "RuntimeError.h"
#include "LoopbackPort.h"
#include "Application.h"
#include "DocumentPipeline.h"
#include "XlsxExport.h"
#include "WorkbookHandOver.h"
#include "basMain.h"
#include "clsMsSqlConnect.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

#include <sys/resource.h>

#include <array>
#include <chrono>
#include <memory>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <vector>

using platform::OdbcHandle;
using platform::phase_timer::Phase;

namespace {

const QString kSourceDir = QStringLiteral(TABLINOR_SOURCE_DIR);
const QString kDatabase = QStringLiteral("tablinor_bench");
const QString kSchemaFile = kSourceDir + QStringLiteral("/scripts/standin-schema.sql");
const QString kSuccessText = QStringLiteral("仕様書を作成しました。");
const QString kResultTag = QStringLiteral("remote figures:");
// First on PATH: the program hands its workbook to this stand-in spreadsheet application.
const QString kStandinPath = kSourceDir + QStringLiteral("/tests/support/soffice-standin:");
constexpr int kRowsPerInsert = 1000;
constexpr int kColumnListFields = 6;
constexpr std::array<int, 2> kRoundTripsMs{0, 5};
// The wide tables of a --calc run: they print on more than one page.
constexpr double kDefaultWideShare = 0.25;
constexpr int kWideTableColumns = 60;

struct Options {
    int tables = 2000;
    int columns = 20;
    QString front = kSourceDir + QStringLiteral("/../shared/tools/tds-front/tds_front.py");
    bool calc = false;
    bool detailed = false;  // with --calc: the detailed document
    double wideShare = kDefaultWideShare;  // of a --calc run's tables, spread evenly
    QString book;                          // with --calc: keep the document here, not open it
    QString remoteServer;  // set in a child process: measure through FreeTDS there
    QString frontLog;
};

struct Login {
    QString uid;
    QString pwd;
};

[[noreturn]] void fail(const QString& text)
{
    throw std::runtime_error(text.toStdString());
}

double seconds(std::chrono::nanoseconds time)
{
    return std::chrono::duration<double>(time).count();
}

Options parseOptions(const QStringList& arguments)
{
    Options options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        if (name == u"--calc" || name == u"--detailed") {
            (name == u"--calc" ? options.calc : options.detailed) = true;
            continue;
        }
        const QString value = ++i < arguments.size() ? arguments[i] : QString();
        bool valid = !value.isEmpty();
        if (name == u"--tables" || name == u"--columns") {
            const int number = value.toInt(&valid);
            valid = valid && number >= 1;
            (name == u"--tables" ? options.tables : options.columns) = number;
        } else if (name == u"--multi-page") {
            options.wideShare = value.toDouble(&valid);
            valid = valid && options.wideShare >= 0 && options.wideShare <= 1;
        } else if (name == u"--book") {
            options.book = value;
        } else if (name == u"--front") {
            options.front = value;
        } else if (name == u"--remote") {
            options.remoteServer = value;
        } else if (name == u"--front-log") {
            options.frontLog = value;
        } else {
            valid = false;
        }
        if (!valid)
            fail(QStringLiteral("usage: document_bench [--calc [--detailed] [--multi-page SHARE] [--book FILE]] [--tables N] "
                                "[--columns M] [--front FILE]"));
    }
    return options;
}

// A value of scripts/standin-login.conf.
QString loginValue(const QString& key)
{
    QFile file(kSourceDir + QStringLiteral("/scripts/standin-login.conf"));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        fail(QStringLiteral("cannot read %1").arg(file.fileName()));
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (line.startsWith(key + u'='))
            return line.section(u'=', 1);
    }
    fail(QStringLiteral("%1 missing in %2").arg(key, file.fileName()));
}

// ------------------------------------------------------------------ catalog

struct ColumnKind {
    int xtype;
    int length;
    int prec;
    int scale;  // -1: NULL, as the server gives it for character data
};

// The column types in use, by the server's type codes.
constexpr std::array<ColumnKind, 14> kTypes{{
    {56, 4, 10, 0},     // int
    {127, 8, 19, 0},    // bigint
    {52, 2, 5, 0},      // smallint
    {104, 1, 1, 0},     // bit
    {106, 9, 18, 2},    // decimal(18, 2)
    {60, 8, 19, 4},     // money
    {62, 8, 53, -1},    // float
    {61, 8, 23, 3},     // datetime
    {40, 3, 10, 0},     // date
    {175, 7, 0, -1},    // char(7)
    {167, 256, 0, -1},  // varchar(256)
    {239, 20, 0, -1},   // nchar(10)
    {231, 200, 0, -1},  // nvarchar(100)
    {36, 16, 0, -1},    // uniqueidentifier
}};

struct ColumnName {
    const char16_t* name;
    int type;  // index into kTypes
};

// Column names of business tables; column 1 is always the key "ID".
constexpr std::array<ColumnName, 24> kColumnNames{{
    {u"顧客コード", 11}, {u"名称", 12}, {u"数量", 0}, {u"単価", 4}, {u"金額", 5}, {u"登録日時", 7},
    {u"更新日時", 7}, {u"更新者", 10}, {u"備考", 12}, {u"削除フラグ", 3}, {u"Status", 2}, {u"Email", 10},
    {u"Phone", 10}, {u"Rate", 6}, {u"RowGuid", 13}, {u"BirthDate", 8}, {u"Version", 1}, {u"PostalCode", 9},
    {u"Address", 12}, {u"Quantity", 0}, {u"Price", 4}, {u"ShippedOn", 8}, {u"担当者コード", 11}, {u"区分", 2},
}};

constexpr std::array<const char16_t*, 10> kTablePrefixes{
    u"M_顧客", u"M_商品", u"T_受注", u"T_出荷", u"W_集計", u"Customer", u"OrderLine", u"Invoice", u"StockMove", u"AuditLog"};

constexpr int kTableIdBase = 1'000'000;
constexpr int kKeyIdBase = 3'000'000;
constexpr int kDetailIdBase = 100'000'000;
// Where the stand-in keeps the rows of its detail catalog views (scripts/standin-sys.sql).
const QString kDetailStorage = QStringLiteral("sys.standin_");

QString tableName(int table)
{
    return QStringLiteral("%1_%2").arg(QString::fromUtf16(kTablePrefixes[table % kTablePrefixes.size()]))
        .arg(table, 5, 10, QChar(u'0'));
}

QString quoted(const QString& text)
{
    return u'\'' + QString(text).replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString timestamp(int table, int days)
{
    const QDateTime base(QDate(2020, 1, 1), QTime(9, 0));
    return quoted(base.addSecs(qint64(table) * 3607).addDays(days).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
}

// Collects VALUES rows and sends them as multi-row INSERTs; flush sends the rest.
class BatchInsert {
public:
    BatchInsert(platform::Connection& connection, QString head) : connection_(connection), head_(std::move(head)) {}

    void add(const QString& row)  // throws RuntimeError
    {
        values_ += (count_ == 0 ? QString() : QStringLiteral(",")) + u'(' + row + u')';
        if (++count_ == kRowsPerInsert)
            flush();
    }

    void flush()  // throws RuntimeError
    {
        if (count_ == 0)
            return;
        platform::Command command;
        command.setActiveConnection(connection_);
        command.setCommandText(head_ + QStringLiteral(" VALUES ") + values_);
        command.execute();
        values_.clear();
        count_ = 0;
    }

private:
    platform::Connection& connection_;
    QString head_;
    QString values_;
    int count_ = 0;
};

// What a detailed document reads of a table, as a maintained database has it:
// a description (論理名 on its first line) on every table and column, a
// default and a check, a foreign key to the table before, the keys' and
// indexes' columns, an identity on every other table, a trigger on every tenth.
class DetailRows {
public:
    explicit DetailRows(platform::Connection& connection)
        : properties_(connection, table(u"extended_properties", u"class, major_id, minor_id, name, value")),
          defaults_(connection, table(u"default_constraints", u"name, object_id, parent_object_id, parent_column_id, definition")),
          checks_(connection, table(u"check_constraints", u"name, object_id, parent_object_id, parent_column_id, definition")),
          foreignKeys_(connection, table(u"foreign_keys", u"name, object_id, parent_object_id, referenced_object_id, key_index_id")),
          foreignKeyColumns_(connection, table(u"foreign_key_columns", u"constraint_object_id, constraint_column_id, "
                                                                    u"parent_object_id, parent_column_id, referenced_object_id, referenced_column_id")),
          indexes_(connection, table(u"indexes", u"object_id, name, index_id, type, is_unique, is_primary_key")),
          indexColumns_(connection, table(u"index_columns", u"object_id, index_id, index_column_id, column_id, key_ordinal")),
          identities_(connection, table(u"identity_columns", u"object_id, name, column_id, seed_value, increment_value")),
          triggers_(connection, table(u"triggers", u"name, object_id, parent_class, parent_id")),
          triggerEvents_(connection, table(u"trigger_events", u"object_id, type, type_desc"))
    {
    }

    void addTable(int table, const QString& name, int keyColumns, int columns)  // throws RuntimeError
    {
        const int id = kTableIdBase + table;
        const int constraint = kDetailIdBase + table * 10;
        properties_.add(QStringLiteral("1, %1, 0, 'MS_Description', %2").arg(id)
                            .arg(quoted(name + QStringLiteral("\r\n") + name + QStringLiteral(" の行を一件ずつ持つ。"))));
        indexes_.add(QStringLiteral("%1, %2, 1, 1, 1, 1").arg(id).arg(quoted(QStringLiteral("PK_") + name)));
        for (int key = 1; key <= keyColumns; ++key)
            indexColumns_.add(QStringLiteral("%1, 1, %2, %2, %2").arg(id).arg(key));
        if (columns >= 3) {
            indexes_.add(QStringLiteral("%1, %2, 2, 2, 0, 0").arg(id).arg(quoted(QStringLiteral("IX_") + name)));
            indexColumns_.add(QStringLiteral("%1, 2, 1, 3, 1").arg(id));
            checks_.add(QStringLiteral("%1, %2, %3, 1, '([ID]>(0))'")
                            .arg(quoted(QStringLiteral("CK_") + name)).arg(constraint + 1).arg(id));
        }
        if (columns >= 2) {
            defaults_.add(QStringLiteral("%1, %2, %3, 2, '((0))'")
                              .arg(quoted(QStringLiteral("DF_") + name)).arg(constraint + 2).arg(id));
            if (table > 1) {
                foreignKeys_.add(QStringLiteral("%1, %2, %3, %4, 1")
                                     .arg(quoted(QStringLiteral("FK_") + name)).arg(constraint + 3).arg(id).arg(id - 1));
                foreignKeyColumns_.add(QStringLiteral("%1, 1, %2, 2, %3, 1").arg(constraint + 3).arg(id).arg(id - 1));
            }
        }
        if (table % 2 == 0)
            identities_.add(QStringLiteral("%1, 'ID', 1, '1', '1'").arg(id));
        if (table % 10 == 0) {
            triggers_.add(QStringLiteral("%1, %2, 1, %3").arg(quoted(QStringLiteral("TR_") + name)).arg(constraint + 4).arg(id));
            triggerEvents_.add(QStringLiteral("%1, 1, 'INSERT'").arg(constraint + 4));
            triggerEvents_.add(QStringLiteral("%1, 2, 'UPDATE'").arg(constraint + 4));
        }
    }

    void addColumn(int id, int column, const QString& columnName, const QString& tableName)  // throws RuntimeError
    {
        properties_.add(QStringLiteral("1, %1, %2, 'MS_Description', %3").arg(id).arg(column)
                            .arg(quoted(columnName + QStringLiteral("\r\n") + tableName + QStringLiteral(" の") + columnName + u'。')));
    }

    void flush()  // throws RuntimeError
    {
        for (BatchInsert* batch : {&properties_, &defaults_, &checks_, &foreignKeys_, &foreignKeyColumns_, &indexes_,
                 &indexColumns_, &identities_, &triggers_, &triggerEvents_})
            batch->flush();
    }

private:
    static QString table(const char16_t* name, const char16_t* columns)
    {
        return QStringLiteral("INSERT INTO %1%2 (%3)").arg(kDetailStorage, QString::fromUtf16(name), QString::fromUtf16(columns));
    }

    BatchInsert properties_, defaults_, checks_, foreignKeys_, foreignKeyColumns_, indexes_, indexColumns_, identities_,
        triggers_, triggerEvents_;
};

// Creates the database afresh with the catalog tables, their indexes and the server's types.
void createCatalogTables()
{
    QProcess load;
    load.setProcessChannelMode(QProcess::ForwardedChannels);
    load.start(kSourceDir + QStringLiteral("/scripts/standin-server"), {QStringLiteral("load"), kDatabase, kSchemaFile});
    if (!load.waitForFinished(120'000) || load.exitStatus() != QProcess::NormalExit || load.exitCode() != 0)
        fail(QStringLiteral("scripts/standin-server load failed (is the server started?)"));
}

// Whether the table is one of a --calc run's wide ones: the share of them
// among the first n tables is share * n, rounded down.
bool isWide(const Options& options, int table)
{
    return options.calc
        && static_cast<int>(table * options.wideShare) > static_cast<int>((table - 1) * options.wideShare);
}

int wideTableCount(const Options& options)
{
    return options.calc ? static_cast<int>(options.tables * options.wideShare) : 0;
}

// Tables with a primary key on their first column (every fifth on the first
// two) and a second, non-key index, so that only key columns get the mark.
void fillCatalog(const QString& connectionString, const Options& options)  // throws RuntimeError
{
    platform::Connection connection;
    connection.setConnectionString(connectionString);
    connection.open();


    BatchInsert objects(connection,
        QStringLiteral("INSERT INTO sysobjects (name, id, xtype, parent_obj, crdate, type, refdate)"));
    BatchInsert columns(connection,
        QStringLiteral("INSERT INTO syscolumns (name, id, xtype, xusertype, length, xprec, xscale, colid, "
                       "colorder, prec, scale, isnullable)"));
    BatchInsert indexes(connection, QStringLiteral("INSERT INTO sysindexes (id, indid, name, keycnt)"));
    BatchInsert keys(connection, QStringLiteral("INSERT INTO sysindexkeys (id, indid, colid, keyno)"));
    DetailRows details(connection);
    for (int table = 1; table <= options.tables; ++table) {
        const int id = kTableIdBase + table;
        const QString name = tableName(table);
        const QString keyName = QStringLiteral("PK_") + name;
        const int keyColumns = (table % 5 == 0 && options.columns > 1) ? 2 : 1;
        objects.add(QStringLiteral("%1, %2, 'U', 0, %3, 'U ', %4")
                        .arg(quoted(name)).arg(id).arg(timestamp(table, 0), timestamp(table, table % 400)));
        objects.add(QStringLiteral("%1, %2, 'PK', %3, %4, 'K ', %4")
                        .arg(quoted(keyName)).arg(kKeyIdBase + table).arg(id).arg(timestamp(table, 0)));
        indexes.add(QStringLiteral("%1, 1, %2, %3").arg(id).arg(quoted(keyName)).arg(keyColumns));
        for (int key = 1; key <= keyColumns; ++key)
            keys.add(QStringLiteral("%1, 1, %2, %2").arg(id).arg(key));
        if (options.columns >= 3) {
            indexes.add(QStringLiteral("%1, 2, %2, 1").arg(id).arg(quoted(QStringLiteral("IX_") + name)));
            keys.add(QStringLiteral("%1, 2, 3, 1").arg(id));
        }
        details.addTable(table, name, keyColumns, options.columns);

        const int columnCount = isWide(options, table) ? kWideTableColumns : options.columns;
        for (int column = 1; column <= columnCount; ++column) {
            QString columnName = QStringLiteral("ID");
            int type = 0;
            if (column > 1) {
                const int pick = (table + column) % static_cast<int>(kColumnNames.size());
                columnName = QString::fromUtf16(kColumnNames[pick].name);
                type = kColumnNames[pick].type;
                // Past a round of the name list a name would repeat in one table.
                if (column - 1 > static_cast<int>(kColumnNames.size()))
                    columnName += QString::number(column);
            }
            const ColumnKind& kind = kTypes[type];
            const bool nullable = column > keyColumns && (table + column) % 3 != 0;
            columns.add(QStringLiteral("%1, %2, %3, %3, %4, %5, %6, %7, %7, %5, %8, %9")
                            .arg(quoted(columnName)).arg(id).arg(kind.xtype).arg(kind.length).arg(kind.prec)
                            .arg(std::max(kind.scale, 0)).arg(column)
                            .arg(kind.scale < 0 ? QStringLiteral("NULL") : QString::number(kind.scale))
                            .arg(nullable ? 1 : 0));
            details.addColumn(id, column, columnName, name);
        }
    }
    for (BatchInsert* batch : {&objects, &columns, &indexes, &keys})
        batch->flush();
    details.flush();
}

// ------------------------------------------------------------------- floors

struct Floor {
    std::chrono::nanoseconds total{};
    std::chrono::nanoseconds connecting{};
    qint64 rows = 0;
};

OdbcHandle connectBare(const OdbcHandle& environment, const QString& connectionString)  // throws RuntimeError
{
    OdbcHandle connection(SQL_HANDLE_DBC, environment.get());
    connection.check(SQLDriverConnectW(connection.get(), nullptr,
        const_cast<SQLWCHAR*>(platform::toSqlWide(connectionString)), SQL_NTS, nullptr, 0, nullptr,
        SQL_DRIVER_NOPROMPT));
    return connection;
}

std::vector<qint32> objectIds(const OdbcHandle& connection)  // throws RuntimeError
{
    const QString sql = GetObjectListSql(0);
    OdbcHandle statement(SQL_HANDLE_STMT, connection.get());
    statement.check(SQLExecDirectW(statement.get(), const_cast<SQLWCHAR*>(platform::toSqlWide(sql)), SQL_NTS));
    SQLINTEGER id = 0;
    SQLLEN indicator = 0;
    statement.check(SQLBindCol(statement.get(), 1, SQL_C_SLONG, &id, 0, &indicator));
    std::vector<qint32> ids;
    for (SQLRETURN ret; (ret = SQLFetch(statement.get())) != SQL_NO_DATA;) {
        statement.check(ret);
        ids.push_back(id);
    }
    return ids;
}

// Reads every row of the column list the statement has run, as text.
qint64 fetchColumnRows(const OdbcHandle& statement)  // throws RuntimeError
{
    std::array<std::array<SQLWCHAR, 256>, kColumnListFields> buffers{};
    std::array<SQLLEN, kColumnListFields> indicators{};
    for (SQLUSMALLINT field = 0; field < kColumnListFields; ++field) {
        statement.check(SQLBindCol(statement.get(), field + 1, SQL_C_WCHAR, buffers[field].data(),
            sizeof buffers[field], &indicators[field]));
    }
    qint64 rows = 0;
    for (SQLRETURN ret; (ret = SQLFetch(statement.get())) != SQL_NO_DATA;) {
        statement.check(ret);
        ++rows;
    }
    return rows;
}

// One connection per object, as a document run has it; the object list's
// connection stays open meanwhile, as in a run, so the driver stays loaded.
Floor measurePerTableFloor(const QString& connectionString, const std::vector<qint32>& ids,
    const OdbcHandle& environment)  // throws RuntimeError
{
    const QString sql = GetColumnListSql(0);
    SQLWCHAR* const sqlText = const_cast<SQLWCHAR*>(platform::toSqlWide(sql));
    Floor floor;
    const auto start = std::chrono::steady_clock::now();
    for (const qint32 id : ids) {
        const auto connectStart = std::chrono::steady_clock::now();
        OdbcHandle connection = connectBare(environment, connectionString);
        floor.connecting += std::chrono::steady_clock::now() - connectStart;
        {
            OdbcHandle statement(SQL_HANDLE_STMT, connection.get());
            SQLINTEGER parameter = id;
            SQLLEN parameterIndicator = 0;
            statement.check(SQLBindParameter(statement.get(), 1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 10,
                0, &parameter, 0, &parameterIndicator));
            statement.check(SQLExecDirectW(statement.get(), sqlText, SQL_NTS));
            floor.rows += fetchColumnRows(statement);
        }
        const auto disconnectStart = std::chrono::steady_clock::now();
        connection.check(SQLDisconnect(connection.get()));
        connection.reset();
        floor.connecting += std::chrono::steady_clock::now() - disconnectStart;
    }
    floor.total = std::chrono::steady_clock::now() - start;
    return floor;
}

// One login for every object, the column list prepared once and run per
// object: the least the server can be asked for. Run directly instead, as the
// program runs it, the server takes the text apart for every object.
Floor measureOneConnectionFloor(const QString& connectionString, const std::vector<qint32>& ids,
    const OdbcHandle& environment, bool prepared)  // throws RuntimeError
{
    const QString sql = GetColumnListSql(0);
    SQLWCHAR* const sqlText = const_cast<SQLWCHAR*>(platform::toSqlWide(sql));
    Floor floor;
    const auto start = std::chrono::steady_clock::now();
    OdbcHandle connection = connectBare(environment, connectionString);
    floor.connecting = std::chrono::steady_clock::now() - start;
    {
        OdbcHandle statement(SQL_HANDLE_STMT, connection.get());
        if (prepared)
            statement.check(SQLPrepareW(statement.get(), sqlText, SQL_NTS));
        SQLINTEGER parameter = 0;
        SQLLEN parameterIndicator = 0;
        statement.check(SQLBindParameter(statement.get(), 1, SQL_PARAM_INPUT, SQL_C_SLONG, SQL_INTEGER, 10, 0,
            &parameter, 0, &parameterIndicator));
        for (const qint32 id : ids) {
            parameter = id;
            statement.check(prepared ? SQLExecute(statement.get()) : SQLExecDirectW(statement.get(), sqlText, SQL_NTS));
            floor.rows += fetchColumnRows(statement);
            statement.check(SQLFreeStmt(statement.get(), SQL_CLOSE));
        }
    }
    const auto disconnectStart = std::chrono::steady_clock::now();
    connection.check(SQLDisconnect(connection.get()));
    floor.connecting += std::chrono::steady_clock::now() - disconnectStart;
    floor.total = std::chrono::steady_clock::now() - start;
    return floor;
}

// ----------------------------------------------------------------- pipeline

// Peak resident memory from here on: the kernel's high-water mark is reset.
void resetPeakMemory()
{
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly))
        clearRefs.write("5");
}

double peakMemoryMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly | QIODevice::Text)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmHWM:"))
                return line.mid(6).trimmed().split(' ').front().toDouble() / 1024.0;
        }
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// The file the stand-in spreadsheet received, once it has copied it.
QString waitForStandinCopy(const QString& folder)
{
    for (int waited = 0; waited < 600; ++waited) {
        const QStringList done = QDir(folder).entryList({QStringLiteral("*.done")}, QDir::Files);
        if (!done.isEmpty())
            return QDir(folder).filePath(
                QDir(folder).entryList({done.front().section(u'.', 0, 0) + QStringLiteral(".copy.*")}).value(0));
        QThread::msleep(100);
    }
    return {};
}


struct DocumentRun {
    std::chrono::nanoseconds total{};
    std::chrono::nanoseconds database{};
    std::chrono::nanoseconds exported{};
    double peakMegabytes = 0.0;
    QString handedOver;
    QString received;  // the stand-in spreadsheet application's copy
    qint64 handedOverBytes = 0;
};

// The real main window, logged on to the benchmark's database.
std::unique_ptr<frmMain> openMainWindow(QApplication& application, const QString& server, const Login& login)
{
    gstrSvr = server;
    gstrDb = kDatabase;
    gstrUid = login.uid;
    gstrPwd = login.pwd;
    auto window = std::make_unique<frmMain>();
    window->mblnFirstActivate = false;
    window->show();
    application.processEvents();
    return window;
}

// One click of the table document button of the real main window, for the
// plain or the detailed document.
DocumentRun runDocument(QApplication& application, const QString& server, const Login& login, bool detailed = false)
{
    const std::unique_ptr<frmMain> shown = openMainWindow(application, server, login);
    frmMain& window = *shown;
    auto* button = window.findChild<QPushButton*>(QStringLiteral("cmdDoc_0"));
    auto* status = window.findChild<QLabel*>(QStringLiteral("stbMainText"));
    auto* form = window.findChild<QCheckBox*>(QStringLiteral("chkDetailed"));
    if (!button || !status || !form)
        fail(QStringLiteral("main window without cmdDoc_0, stbMainText or chkDetailed"));
    form->setChecked(detailed);
    // Only this run's hand-over and the stand-in's copy of it are in their folders.
    for (const QString& folder : {platform::xl::handOverFolder(), qEnvironmentVariable("SOFFICE_STANDIN_DIR")}) {
        for (const QString& old : QDir(folder).entryList(QDir::Files))
            QFile::remove(QDir(folder).filePath(old));
    }

    DocumentRun run;
    resetPeakMemory();
    platform::phase_timer::reset();
    const auto start = std::chrono::steady_clock::now();
    button->click();
    run.total = std::chrono::steady_clock::now() - start;
    run.peakMegabytes = peakMemoryMegabytes();
    run.database = platform::phase_timer::total(Phase::Database);
    run.exported = platform::phase_timer::total(Phase::Export);

    if (status->text() != kSuccessText)
        fail(QStringLiteral("the run failed: %1").arg(status->text()));
    const QStringList handedOver = QDir(platform::xl::handOverFolder())
                                       .entryList({QStringLiteral("book-*.fods")}, QDir::Files);
    if (handedOver.size() != 1)
        fail(QStringLiteral("%1 files in the hand-over folder, expected 1").arg(handedOver.size()));
    const QString copy = waitForStandinCopy(qEnvironmentVariable("SOFFICE_STANDIN_DIR"));
    if (copy.isEmpty() || !QFile::exists(copy))
        fail(QStringLiteral("the stand-in spreadsheet application received no file"));
    run.handedOver = handedOver.front();
    run.received = copy;
    run.handedOverBytes = QFileInfo(copy).size();
    return run;
}

struct SavedDocument {
    std::chrono::nanoseconds total{};
    qint64 bytes = 0;
};

// The table document from the main window's menu to a chosen .xlsx, the save
// dialog answered at once: from the menu item to the file written and the
// spreadsheet application started on it.
SavedDocument saveDocument(QApplication& application, const QString& server, const Login& login,
    const QString& folder)
{
    const std::unique_ptr<frmMain> shown = openMainWindow(application, server, login);
    frmMain& window = *shown;
    auto* item = window.findChild<QAction*>(QStringLiteral("mnuFileSaveDoc_0"));
    auto* status = window.findChild<QLabel*>(QStringLiteral("stbMainText"));
    if (!item || !status)
        fail(QStringLiteral("main window without mnuFileSaveDoc_0 or stbMainText"));
    const QString path = QDir(folder).filePath(QStringLiteral("テーブル仕様書.xlsx"));
    QFile::remove(path);
    const QStringList before = QDir(qEnvironmentVariable("SOFFICE_STANDIN_DIR")).entryList({QStringLiteral("*.args")});
    platform::FileDialog::setResponder([&](QFileDialog&) { return path; });

    SavedDocument saved;
    const auto start = std::chrono::steady_clock::now();
    item->trigger();
    saved.total = std::chrono::steady_clock::now() - start;
    platform::FileDialog::setResponder({});
    if (!status->text().startsWith(QStringLiteral("仕様書を ")))
        fail(QStringLiteral("the save failed: %1").arg(status->text()));
    const QStringList after = QDir(qEnvironmentVariable("SOFFICE_STANDIN_DIR")).entryList({QStringLiteral("*.args")});
    if (after.size() != before.size() + 1)
        fail(QStringLiteral("the spreadsheet application was not started on the saved file"));
    saved.bytes = QFileInfo(path).size();
    return saved;
}

// What one server gave: the floors and the document.
struct Figures {
    Floor perTable;
    Floor oneConnection;
    Floor oneConnectionDirect;
    DocumentRun document;
    DocumentRun detailed;       // the detailed document of the same tables
    std::optional<int> logins;  // counted where a log shows them
    std::optional<int> detailedLogins;
    QString requests;           // what the document asked of the server, where a log shows it
};

struct Logged {
    int logins = 0;
    QString requests;
};

// What the front logged from the given offset on: logins and requests by kind.
Logged countLogged(const QString& log, qint64 offset)
{
    QFile file(log);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(offset))
        fail(QStringLiteral("cannot read the front's log %1").arg(log));
    int logins = 0;
    std::vector<std::pair<QString, int>> requests;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString text = QString::fromUtf8(line);
        if (text.contains(u" logged in, database "_qs))
            ++logins;
        const QString kind = text.section(u' ', 1, 1) == u"RPC"_qs ? text.section(u' ', 2, 2)
            : text.section(u' ', 1, 1) == u"BATCH"_qs                 ? QStringLiteral("batch")
                                                                       : QString();
        if (kind.isEmpty())
            continue;
        auto known = std::find_if(requests.begin(), requests.end(), [&](const auto& entry) { return entry.first == kind; });
        if (known == requests.end())
            requests.emplace_back(kind, 1);
        else
            ++known->second;
    }
    QStringList shown;
    for (const auto& [kind, count] : requests)
        shown.append(QStringLiteral("%1 %2").arg(kind).arg(count));
    return {logins, shown.join(QStringLiteral(", "))};
}

// The front's log, when given, is read for what the document alone cost.
Figures measure(QApplication& application, const Options& options, const QString& server, const Login& login,
    const QString& frontLog = {})
{
    const QString connectionString = BuildConnectionString(server, kDatabase, login.uid, login.pwd);
    const qint64 columnRows = qint64(options.tables) * options.columns;
    Figures figures;
    OdbcHandle environment(SQL_HANDLE_ENV, nullptr);
    environment.check(SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION,
        reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0));
    {
        OdbcHandle objectList = connectBare(environment, connectionString);
        const std::vector<qint32> ids = objectIds(objectList);
        if (ids.size() != static_cast<std::size_t>(options.tables))
            fail(QStringLiteral("object list has %1 rows, expected %2").arg(ids.size()).arg(options.tables));
        figures.perTable = measurePerTableFloor(connectionString, ids, environment);
        objectList.check(SQLDisconnect(objectList.get()));
        figures.oneConnection = measureOneConnectionFloor(connectionString, ids, environment, true);
        figures.oneConnectionDirect = measureOneConnectionFloor(connectionString, ids, environment, false);
    }
    environment.reset();
    for (const Floor* floor : {&figures.perTable, &figures.oneConnection, &figures.oneConnectionDirect}) {
        if (floor->rows != columnRows)
            fail(QStringLiteral("a floor read %1 column rows, expected %2").arg(floor->rows).arg(columnRows));
    }
    const qint64 logOffset = frontLog.isEmpty() ? 0 : QFileInfo(frontLog).size();
    figures.document = runDocument(application, server, login);
    if (!frontLog.isEmpty()) {
        const Logged logged = countLogged(frontLog, logOffset);
        figures.logins = logged.logins;
        figures.requests = logged.requests;
    }
    const qint64 detailedOffset = frontLog.isEmpty() ? 0 : QFileInfo(frontLog).size();
    figures.detailed = runDocument(application, server, login, true);
    if (!frontLog.isEmpty())
        figures.detailedLogins = countLogged(frontLog, detailedOffset).logins;
    return figures;
}

// In a child process: the figures through FreeTDS, on one line for the parent.
int runRemote(QApplication& application, const Options& options)
{
    const Login login{loginValue(QStringLiteral("TABLINOR_BENCH_UID")), loginValue(QStringLiteral("TABLINOR_BENCH_PWD"))};
    const Figures figures = measure(application, options, options.remoteServer, login, options.frontLog);
    std::printf("%s %.6f %.6f %.6f %.6f %.6f %.6f %d %.6f %.6f %d %s\n", qPrintable(kResultTag),
        seconds(figures.perTable.total), seconds(figures.perTable.connecting), seconds(figures.oneConnection.total),
        seconds(figures.oneConnectionDirect.total), seconds(figures.document.total),
        seconds(figures.document.database), figures.logins.value_or(-1), seconds(figures.detailed.total),
        seconds(figures.detailed.database), figures.detailedLogins.value_or(-1), qPrintable(figures.requests));
    return 0;
}

// Starts the front in front of the stand-in server and measures through it in
// a child process of this program, with FreeTDS as the driver "SQL Server".
Figures measureRemote(const Options& options, int roundTripMs, const QString& scratch)
{
    const int port = closedLoopbackPort();
    if (port == 0)
        fail(QStringLiteral("no free loopback port"));
    const QString log = QStringLiteral("%1/front-%2ms.log").arg(scratch).arg(roundTripMs);
    QProcess front;
    front.setProcessChannelMode(QProcess::SeparateChannels);
    front.setReadChannel(QProcess::StandardOutput);
    front.start(QStringLiteral("/usr/bin/python3"), {options.front, QStringLiteral("--port"), QString::number(port),
        QStringLiteral("--rtt-ms"), QString::number(roundTripMs), QStringLiteral("--log"), log});
    QByteArray greeting;
    while (!greeting.contains("listening") && front.waitForReadyRead(10'000))
        greeting += front.readAllStandardOutput();
    if (!greeting.contains("listening"))
        fail(QStringLiteral("the TDS front did not start: %1").arg(QString::fromLocal8Bit(front.readAllStandardError())));

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("ODBCSYSINI"), kSourceDir + QStringLiteral("/scripts/odbc/freetds"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--tables"), QString::number(options.tables),
        QStringLiteral("--columns"), QString::number(options.columns), QStringLiteral("--remote"),
        QStringLiteral("127.0.0.1,%1").arg(port), QStringLiteral("--front-log"), log});
    child.waitForFinished(-1);
    front.terminate();
    front.waitForFinished(10'000);

    const QString output = QString::fromUtf8(child.readAllStandardOutput());
    const QString result = output.section(kResultTag, 1).section(u'\n', 0, 0).trimmed();
    if (child.exitStatus() != QProcess::NormalExit || child.exitCode() != 0 || result.isEmpty())
        fail(QStringLiteral("the measurement through FreeTDS at %1 ms failed (has scripts/standin-server start "
                            "created the benchmark's login?)").arg(roundTripMs));
    const QStringList values = result.split(u' ');
    auto at = [&](int index) {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::duration<double>(values.value(index).toDouble()));
    };
    Figures figures;
    figures.perTable.total = at(0);
    figures.perTable.connecting = at(1);
    figures.oneConnection.total = at(2);
    figures.oneConnectionDirect.total = at(3);
    figures.document.total = at(4);
    figures.document.database = at(5);
    figures.logins = values.value(6).toInt();
    figures.detailed.total = at(7);
    figures.detailed.database = at(8);
    figures.detailedLogins = values.value(9).toInt();
    figures.requests = values.mid(10).join(u' ');
    return figures;
}

void printSideBySide(const std::vector<std::pair<QString, Figures>>& columns)
{
    std::printf("\n%-40s", "seconds");
    for (const auto& [name, figures] : columns)
        std::printf("%16s", qPrintable(name));
    std::printf("\n");
    auto row = [&](const char* label, auto value) {
        std::printf("%-40s", label);
        for (const auto& column : columns)
            std::printf("%16s", qPrintable(value(column.second)));
        std::printf("\n");
    };
    auto figure = [](double number) { return QString::number(number, 'f', 3); };
    row("per-table floor", [&](const Figures& f) { return figure(seconds(f.perTable.total)); });
    row("  of which connect + disconnect", [&](const Figures& f) { return figure(seconds(f.perTable.connecting)); });
    row("one-connection floor", [&](const Figures& f) { return figure(seconds(f.oneConnection.total)); });
    row("  the same, run directly", [&](const Figures& f) { return figure(seconds(f.oneConnectionDirect.total)); });
    row("document", [&](const Figures& f) { return figure(seconds(f.document.total)); });
    row("  of which database", [&](const Figures& f) { return figure(seconds(f.document.database)); });
    row("logins of the document (goal <= 2)",
        [&](const Figures& f) { return f.logins ? QString::number(*f.logins) : QStringLiteral("-"); });
    row("detailed document", [&](const Figures& f) { return figure(seconds(f.detailed.total)); });
    row("  of which database", [&](const Figures& f) { return figure(seconds(f.detailed.database)); });
    row("logins of the detailed document",
        [&](const Figures& f) { return f.detailedLogins ? QString::number(*f.detailedLogins) : QStringLiteral("-"); });
    row("detailed / plain document", [&](const Figures& f) {
        return figure(seconds(f.detailed.total) / seconds(f.document.total));
    });
    row("document / one-connection floor", [&](const Figures& f) {
        return figure(seconds(f.document.total) / seconds(f.oneConnection.total));
    });
    row("database / one-connection floor", [&](const Figures& f) {
        return figure(seconds(f.document.database) / seconds(f.oneConnection.total));
    });
    row("database / the same, run directly", [&](const Figures& f) {
        return figure(seconds(f.document.database) / seconds(f.oneConnectionDirect.total));
    });
    std::printf("goals: at 5 ms, document / one-connection floor <= 1.5 and detailed / plain <= 1.3 with as many "
                "logins; on the stand-in, database / one-connection floor <= 1.2\n");
    for (const auto& [name, figures] : columns) {
        if (!figures.requests.isEmpty())
            std::printf("requests of the document, %s: %s\n", qPrintable(name), qPrintable(figures.requests));
    }
}

void createAndFillCatalog(const QString& server, const Login& login, const Options& options)
{
    const int wide = wideTableCount(options);
    const qint64 columnRows = qint64(options.tables - wide) * options.columns + qint64(wide) * kWideTableColumns;
    std::printf("catalog: %d tables x %d columns, %d of them with %d (%lld column rows) in %s\n", options.tables,
        options.columns, wide, kWideTableColumns, static_cast<long long>(columnRows), qPrintable(kDatabase));
    QElapsedTimer fillTimer;
    fillTimer.start();
    createCatalogTables();
    fillCatalog(BuildConnectionString(server, kDatabase, login.uid, login.pwd), options);
    std::printf("  created and filled in %.2f s\n", fillTimer.nsecsElapsed() / 1e9);
}

struct QuietStatus : StatusLine {
    void ShowStatus(const QString&) override {}
};

// The same table document from the same pipeline, as .xlsx.
void writeXlsxDocument(const QString& path, bool detailed)
{
    QuietStatus status;
    const platform::xl::WorkbookCapture capture;
    DocumentOptions form;
    form.detailed = detailed;
    if (!DocumentPipeline(status, form).CreateDocument(0))
        fail(QStringLiteral("the document for the .xlsx form failed"));
    platform::xl::exportXlsx(*capture.shown().back(), path);
}

// The document as the program hands it over (OpenDocument), opened in
// LibreOffice Calc beside the same document as .xlsx, as written to a file,
// and that .xlsx without print set-up: the book to beat.
int runCalc(QApplication& application, const Options& options)
{
    const QString server = loginValue(QStringLiteral("TABLINOR_TEST_SERVER"));
    const Login login{loginValue(QStringLiteral("TABLINOR_TEST_UID")), loginValue(QStringLiteral("TABLINOR_TEST_PWD"))};
    createAndFillCatalog(server, login, options);
    const DocumentRun document = runDocument(application, server, login, options.detailed);
    std::printf("%s document run: %.3f s, %lld bytes\n", options.detailed ? "detailed" : "plain", seconds(document.total),
        static_cast<long long>(document.handedOverBytes));
    const QString xlsx = QFileInfo(document.received).dir().filePath(QStringLiteral("document.xlsx"));
    QElapsedTimer xlsxTimer;
    xlsxTimer.start();
    writeXlsxDocument(xlsx, options.detailed);
    std::printf("the same as .xlsx: %.3f s, %lld bytes\n", xlsxTimer.nsecsElapsed() / 1e9,
        static_cast<long long>(QFileInfo(xlsx).size()));
    std::fflush(stdout);
    if (!options.book.isEmpty()) {
        const QString odsBook = QFileInfo(options.book).dir().filePath(QFileInfo(options.book).completeBaseName())
            + QStringLiteral(".fods");
        for (const auto& [from, to] : {std::pair{xlsx, options.book}, {document.received, odsBook}}) {
            QFile::remove(to);
            if (!QFile::copy(from, to))
                fail(QStringLiteral("cannot write %1").arg(to));
        }
        std::printf("kept as %s and %s\n", qPrintable(options.book), qPrintable(odsBook));
        return 0;
    }
    QProcess load;  // with the real spreadsheet application on PATH
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PATH"), environment.value(QStringLiteral("PATH")).remove(kStandinPath));
    load.setProcessEnvironment(environment);
    load.setProcessChannelMode(QProcess::ForwardedChannels);
    // Named for what it is in calc_load.py's figures.
    const QString handedOver = QFileInfo(xlsx).dir().filePath(QStringLiteral("handed-over.fods"));
    if (!QFile::copy(document.received, handedOver))
        fail(QStringLiteral("cannot write %1").arg(handedOver));
    load.start(QStringLiteral("/usr/bin/python3"),
        {kSourceDir + QStringLiteral("/bench/calc_load.py"), xlsx, QStringLiteral("--also"), handedOver});
    if (!load.waitForFinished(-1) || load.exitStatus() != QProcess::NormalExit || load.exitCode() != 0)
        fail(QStringLiteral("calc_load.py failed (is python3-uno installed?)"));
    return 0;
}

int run(QApplication& application, const Options& options)
{
    const QString server = loginValue(QStringLiteral("TABLINOR_TEST_SERVER"));
    const Login login{loginValue(QStringLiteral("TABLINOR_TEST_UID")), loginValue(QStringLiteral("TABLINOR_TEST_PWD"))};
    createAndFillCatalog(server, login, options);

    const Figures local = measure(application, options, server, login);
    const DocumentRun& document = local.document;
    const double totalSeconds = seconds(document.total);
    std::printf("per-table floor (bare ODBC: connect, column list, rows, disconnect per object): %.3f s"
                " (connect+disconnect %.3f s, query+rows %.3f s), %lld rows\n",
        seconds(local.perTable.total), seconds(local.perTable.connecting),
        seconds(local.perTable.total - local.perTable.connecting), static_cast<long long>(local.perTable.rows));
    std::printf("one-connection floor (bare ODBC: one connection, one prepared column list): %.3f s"
                " (run directly: %.3f s)\n",
        seconds(local.oneConnection.total), seconds(local.oneConnectionDirect.total));
    std::printf("document run: %.3f s = database %.3f s + workbook model %.3f s + file export %.3f s\n",
        totalSeconds, seconds(document.database), seconds(document.total - document.database - document.exported),
        seconds(document.exported));
    std::printf("  succeeded: status \"%s\", handed over %s (%lld bytes)\n", qPrintable(kSuccessText),
        qPrintable(document.handedOver), static_cast<long long>(document.handedOverBytes));
    std::printf("tables per second: %.0f\n", options.tables / totalSeconds);
    std::printf("peak RSS during the run: %.1f MB (target < 300)\n", document.peakMegabytes);
    std::printf("database / per-table floor: %.2f (target <= 1.5)\n",
        seconds(document.database) / seconds(local.perTable.total));
    std::printf("whole document / per-table floor: %.2f (target <= 3)\n", totalSeconds / seconds(local.perTable.total));
    std::printf("detailed document run: %.3f s = database %.3f s + workbook model %.3f s + file export %.3f s, "
                "%lld bytes, peak RSS %.1f MB\n",
        seconds(local.detailed.total), seconds(local.detailed.database),
        seconds(local.detailed.total - local.detailed.database - local.detailed.exported),
        seconds(local.detailed.exported), static_cast<long long>(local.detailed.handedOverBytes),
        local.detailed.peakMegabytes);
    std::printf("detailed / plain document: %.2f (goal at 2,000 tables <= 1.5)\n", seconds(local.detailed.total) / totalSeconds);

    const QTemporaryDir saveFolder;
    const SavedDocument saved = saveDocument(application, server, login, saveFolder.path());
    std::printf("saved to a chosen .xlsx from the menu and opened: %.3f s, %lld bytes (goal <= 5 s)\n",
        seconds(saved.total), static_cast<long long>(saved.bytes));

    std::vector<std::pair<QString, Figures>> columns{{QStringLiteral("stand-in"), local}};
    if (QFileInfo::exists(options.front)) {
        const QTemporaryDir logs;
        for (const int roundTripMs : kRoundTripsMs) {
            std::printf("measuring through FreeTDS and the TDS front at %d ms a round trip...\n", roundTripMs);
            std::fflush(stdout);
            columns.emplace_back(QStringLiteral("FreeTDS %1 ms").arg(roundTripMs),
                measureRemote(options, roundTripMs, logs.path()));
        }
    } else {
        std::printf("no TDS front at %s (--front FILE): the measurement through FreeTDS is skipped\n",
            qPrintable(options.front));
    }
    printSideBySide(columns);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // Before anything reads them: the offscreen window, the driver configuration
    // of the stand-in server, and a stand-in spreadsheet that keeps what it gets.
    const QTemporaryDir scratch;
    if (!scratch.isValid()) {
        std::fprintf(stderr, "document_bench: no temporary folder\n");
        return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("ODBCSYSINI"))
        qputenv("ODBCSYSINI", (kSourceDir + QStringLiteral("/scripts/odbc/standin")).toLocal8Bit());
    qputenv("PATH", kStandinPath.toLocal8Bit() + qgetenv("PATH"));
    qputenv("HOME", scratch.filePath(QStringLiteral("home")).toLocal8Bit());
    qputenv("SOFFICE_STANDIN_DIR", scratch.filePath(QStringLiteral("soffice")).toLocal8Bit());

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tablinor"));
    try {
        const Options options = parseOptions(QApplication::arguments());
        if (options.calc)
            return runCalc(application, options);
        return options.remoteServer.isEmpty() ? run(application, options) : runRemote(application, options);
    } catch (const platform::RuntimeError& error) {
        std::fprintf(stderr, "document_bench: %s\n", qPrintable(error.failureText()));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "document_bench: %s\n", error.what());
    }
    return 1;
}
