#pragma once

// Runs a catalog query on a database of the stand-in server, as the test
// login, and keeps every row.

#include "ObjectDetails.h"
#include "StandinLogin.h"
#include "clsMsSqlConnect.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

struct CatalogRow {
    std::vector<platform::FieldValue> values;
    QString text(int i) const { return values[i].isNull() ? QString() : values[i].toText(); }
};

// All rows of one query, its one parameter bound when given; a failure fails the test.
inline std::vector<CatalogRow> queryCatalog(
    const QString& database, const QString& sql, std::optional<qint32> id = std::nullopt)
{
    const StandinLogin login = standinLogin();
    clsMsSqlConnect connection;
    connection.setQueryTimeOut(3000);
    std::vector<CatalogRow> rows;
    if (!connection.Connect(login.server, database, login.uid, login.pwd)) {
        ADD_FAILURE() << connection.Message().toStdString();
        return rows;
    }
    if (id)
        connection.SetParam(0, platform::FieldValue(*id));
    if (!connection.ExecQuery(sql)) {
        ADD_FAILURE() << connection.Message().toStdString() << "\n" << sql.toStdString();
        return rows;
    }
    const auto recordset = connection.Recordset();
    for (; !recordset->eof(); recordset->moveNext()) {
        CatalogRow row;
        for (int i = 0; i < recordset->fieldCount(); ++i)
            row.values.push_back(recordset->value(i));
        rows.push_back(std::move(row));
    }
    connection.CloseRs();
    connection.Disconnect();
    return rows;
}

// The detail queries' runner, on a database of the stand-in as the test login;
// a failure fails the test and gives no rows.
inline CatalogQuery standinCatalogQuery(const QString& database)
{
    return [database](const QString& sql, const std::vector<platform::FieldValue>& parameters)
               -> std::shared_ptr<platform::Recordset> {
        const StandinLogin login = standinLogin();
        clsMsSqlConnect connection;
        connection.setQueryTimeOut(3000);
        if (!connection.Connect(login.server, database, login.uid, login.pwd)) {
            ADD_FAILURE() << connection.Message().toStdString();
            return nullptr;
        }
        for (std::size_t i = 0; i < parameters.size(); ++i)
            connection.SetParam(static_cast<qint16>(i), parameters[i]);
        if (!connection.ExecQuery(sql)) {
            ADD_FAILURE() << connection.Message().toStdString() << "\n" << sql.toStdString();
            return nullptr;
        }
        return connection.Recordset();
    };
}
