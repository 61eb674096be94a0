#include "clsMsSqlConnect.h"

#include "Command.h"
#include "ObjectErrors.h"
#include "OdbcDrivers.h"
#include "PhaseTimer.h"
#include "RuntimeError.h"

#include <limits>

using platform::RuntimeError;

namespace {

const QString kDriver = QStringLiteral("SQL Server");

// A user name or password the way the driver reads it back. Only a value that
// ";" would cut or a leading "{" would open is braced; drivers differ only on
// a "}" inside braces, so only then is the driver list asked.
QString credentialValue(const QString& value)  // throws RuntimeError
{
    if (!value.contains(u';') && !value.startsWith(u'{'))
        return value;
    const QString braced = u'{' + value + u'}';
    if (!value.contains(u'}'))
        return braced;
    const QString library = platform::driverLibrary(kDriver);
    if (!platform::takesBracedValuesAsWritten(library))
        return u'{' + QString(value).replace(u'}', QStringLiteral("}}")) + u'}';
    // Such a driver ends the value at the first "};" whatever comes after it.
    if (value.contains(u"};"))
        throw RuntimeError(platform::error_number::kGenericFailure,
            QStringLiteral("\"};\" を含むユーザー名またはパスワードは、ドライバー %1 (%2) に渡せません。")
                .arg(kDriver, library));
    return braced;
}

QString failureText(const std::exception& error)
{
    if (const auto* runtime = dynamic_cast<const RuntimeError*>(&error))
        return runtime->failureText();
    return RuntimeError(platform::error_number::kGenericFailure, QString::fromLocal8Bit(error.what()))
        .failureText();
}

void requireObject(const std::shared_ptr<platform::Recordset>& recordset)  // throws RuntimeError
{
    if (!recordset)
        platform::throwObjectVariableNotSet();
}

}  // namespace

QString BuildConnectionString(const QString& vstrSvr, const QString& vstrDb, const QString& vstrUid,
    const QString& vstrPwd)
{
    // Server and database go in as typed, so that keys typed after a ";" reach the driver.
    return QStringLiteral("driver=") + kDriver + QStringLiteral(";server=") + vstrSvr
        + QStringLiteral(";database=") + vstrDb + QStringLiteral(";uid=") + credentialValue(vstrUid)
        + QStringLiteral(";pwd=") + credentialValue(vstrPwd) + u';';
}

clsMsSqlConnect::clsMsSqlConnect() : Recordset_(std::make_shared<platform::Recordset>())
{
    setQueryTimeOut(3000);
}

QString clsMsSqlConnect::Message() const
{
    return Message_;
}

void clsMsSqlConnect::setMessage(const QString& text)
{
    Message_ = text;
}

std::shared_ptr<platform::Recordset> clsMsSqlConnect::Recordset() const
{
    return Recordset_;
}

void clsMsSqlConnect::setRecordset(std::shared_ptr<platform::Recordset> vobjRs)
{
    Recordset_ = std::move(vobjRs);
}

qint32 clsMsSqlConnect::QueryTimeOut() const
{
    return QueryTimeOut_;
}

void clsMsSqlConnect::setQueryTimeOut(qint32 vlngTimeOut)
{
    QueryTimeOut_ = vlngTimeOut;
}

bool clsMsSqlConnect::Connect(const QString& vstrSvr, const QString& vstrDb, const QString& vstrUid,
    const QString& vstrPwd)
{
    const platform::phase_timer::Scope timing(platform::phase_timer::Phase::Database);
    try {
        Connection_.setConnectionString(BuildConnectionString(vstrSvr, vstrDb, vstrUid, vstrPwd));
        Connection_.open();
        Connection_.setCursorLocation(platform::CursorLocation::Client);
        return true;
    } catch (const std::exception& error) {
        setMessage(failureText(error));
        return false;
    }
}

void clsMsSqlConnect::Disconnect()
{
    const platform::phase_timer::Scope timing(platform::phase_timer::Phase::Database);
    Connection_.close();
}

void clsMsSqlConnect::CloseRs()
{
    const platform::phase_timer::Scope timing(platform::phase_timer::Phase::Database);
    const auto recordset = Recordset();
    requireObject(recordset);
    recordset->close();
}

bool clsMsSqlConnect::ExecQuery(const QString& vstrSql)
{
    const platform::phase_timer::Scope timing(platform::phase_timer::Phase::Database);
    try {
        platform::Command command;
        command.setActiveConnection(Connection_);
        command.setCommandTimeout(QueryTimeOut());
        command.setCommandText(vstrSql);
        if (ParamCount_ > 0) {
            for (std::size_t i = 0; i < Params_.size(); ++i)
                command.setParameter(static_cast<int>(i), Params_[i]);
        }
        const auto recordset = Recordset();
        requireObject(recordset);
        recordset->open(command);
        return true;
    } catch (const std::exception& error) {
        setMessage(failureText(error));
        return false;
    }
}

void clsMsSqlConnect::SetParam(qint16 vintIndex, const platform::FieldValue& vvarValue)
{
    if (vintIndex < 0)
        platform::throwSubscriptOutOfRange();
    Params_.resize(static_cast<std::size_t>(vintIndex) + 1);
    Params_[static_cast<std::size_t>(vintIndex)] = vvarValue;
    if (ParamCount_ == std::numeric_limits<qint16>::max())
        platform::throwOverflow();
    ++ParamCount_;
}
