#pragma once

#include "FieldValue.h"

#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

namespace platform {

class Connection;
class OdbcHandle;

// What a command returns: the names of its result's fields and every row.
struct QueryResult {
    QStringList fieldNames;
    std::vector<std::vector<FieldValue>> rows;
};

// One SQL text run on a connection, with positional "?" parameters numbered
// from 0. Result sets open on it with Recordset::open.
class Command {
public:
    Command();
    ~Command();
    Command(const Command&) = delete;
    Command& operator=(const Command&) = delete;

    // The connection must outlive the command and be open when it runs.
    void setActiveConnection(Connection& connection);
    void setCommandTimeout(qint32 seconds);  // throws RuntimeError when negative
    void setCommandText(const QString& sql);

    // The value of the index-th "?" marker. The first call prepares the text,
    // so the driver tells how many markers there are.
    void setParameter(int index, const FieldValue& value);  // throws RuntimeError
    int parameterCount();  // throws RuntimeError

    // Runs the text and reads its first result whole; nothing when the text
    // returns no rows at all (an UPDATE, say). Empty parameters go as NULL.
    std::optional<QueryResult> execute();  // throws RuntimeError

private:
    void prepare();  // throws RuntimeError
    void allocateStatement();  // throws RuntimeError

    Connection* connection_ = nullptr;
    qint32 timeoutSeconds_ = 30;
    QString text_;
    std::unique_ptr<OdbcHandle> statement_;  // set from preparing until the run
    bool prepared_ = false;
    std::vector<FieldValue> parameters_;
};

}  // namespace platform
