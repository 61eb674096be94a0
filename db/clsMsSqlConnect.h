#pragma once

#include "Connection.h"
#include "FieldValue.h"
#include "Recordset.h"

#include <QString>

#include <memory>
#include <vector>

// One database connection and one result set, running one query at a time.
// Connect and ExecQuery never throw: they return false and leave the failure
// as "number:description" in Message, which a later success does not clear.
class clsMsSqlConnect {
public:
    clsMsSqlConnect();
    clsMsSqlConnect(const clsMsSqlConnect&) = delete;
    clsMsSqlConnect& operator=(const clsMsSqlConnect&) = delete;

    QString Message() const;
    std::shared_ptr<platform::Recordset> Recordset() const;
    void setRecordset(std::shared_ptr<platform::Recordset> vobjRs);
    qint32 QueryTimeOut() const;
    void setQueryTimeOut(qint32 vlngTimeOut);

    bool Connect(const QString& vstrSvr, const QString& vstrDb, const QString& vstrUid, const QString& vstrPwd);
    void Disconnect();  // throws platform::RuntimeError
    void CloseRs();     // throws platform::RuntimeError
    bool ExecQuery(const QString& vstrSql);
    void SetParam(qint16 vintIndex, const platform::FieldValue& vvarValue);  // throws platform::RuntimeError

private:
    void setMessage(const QString& text);

    // Declared in this order so that the result set goes before the connection.
    QString Message_;
    platform::Connection Connection_;
    std::shared_ptr<platform::Recordset> Recordset_;
    qint32 QueryTimeOut_ = 0;
    qint16 ParamCount_ = 0;
    std::vector<platform::FieldValue> Params_;
};

// "driver=SQL Server;server=S;database=D;uid=U;pwd=P;". Server and database go
// in as passed. So do user name and password, except one holding ";" or
// beginning with "{": that one is braced the way the driver registered as
// "SQL Server" reads braces back, and one that driver cannot read back whole
// is refused.
QString BuildConnectionString(const QString& vstrSvr, const QString& vstrDb, const QString& vstrUid,
    const QString& vstrPwd);  // throws RuntimeError
