#pragma once

#include "FieldValue.h"

#include <QStringList>

#include <optional>
#include <vector>

namespace platform {

class Connection;

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

    // The value of the index-th "?" marker. The first call counts the markers
    // in the text; it needs the connection open.
    void setParameter(int index, const FieldValue& value);  // throws RuntimeError
    int parameterCount();  // throws RuntimeError

    // Runs the text and reads its first result whole; nothing when the text
    // returns no rows at all (an UPDATE, say). Empty parameters go as NULL.
    std::optional<QueryResult> execute();  // throws RuntimeError

private:
    Connection* connection_ = nullptr;
    qint32 timeoutSeconds_ = 30;
    QString text_;
    bool counted_ = false;  // parameters_ holds one value per marker of text_
    std::vector<FieldValue> parameters_;
};

}  // namespace platform
