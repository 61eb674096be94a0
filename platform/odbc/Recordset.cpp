#include "Recordset.h"

#include "Command.h"
#include "ObjectErrors.h"
#include "RuntimeError.h"

namespace platform {

namespace {

[[noreturn]] void throwNoCurrentRecord()
{
    throw RuntimeError(error_number::kNoCurrentRecord,
        QStringLiteral("BOF と EOF のいずれかが True になっているか、または現在のレコードが削除されています。"
                       "要求された操作には、現在のレコードが必要です。"));
}

}  // namespace

void Recordset::openWith(QStringList fieldNames, std::vector<Row> rows)
{
    if (open_)
        throwObjectOpen();
    names_ = std::move(fieldNames);
    rows_ = std::move(rows);
    position_ = 0;
    open_ = true;
}

void Recordset::open(Command& command)
{
    if (open_)
        throwObjectOpen();
    if (auto result = command.execute())
        openWith(std::move(result->fieldNames), std::move(result->rows));
}

void Recordset::close()
{
    requireOpen();
    open_ = false;
    names_.clear();
    rows_.clear();
    rows_.shrink_to_fit();
    position_ = 0;
}

bool Recordset::eof() const
{
    requireOpen();
    return position_ >= rows_.size();
}

void Recordset::moveFirst()
{
    requireOpen();
    position_ = 0;
}

void Recordset::moveNext()
{
    if (eof())
        throwNoCurrentRecord();
    ++position_;
}

int Recordset::fieldCount() const
{
    requireOpen();
    return static_cast<int>(names_.size());
}

QString Recordset::fieldName(int index) const
{
    requireField(index);
    return names_.at(index);
}

const FieldValue& Recordset::value(int index) const
{
    requireField(index);
    if (position_ >= rows_.size())
        throwNoCurrentRecord();
    return rows_[position_].at(static_cast<std::size_t>(index));
}

void Recordset::requireOpen() const
{
    if (!open_)
        throwObjectClosed();
}

void Recordset::requireField(int index) const
{
    requireOpen();
    if (index < 0 || index >= names_.size())
        throwItemNotFound();
}

}  // namespace platform
