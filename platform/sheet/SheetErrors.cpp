#include "SheetErrors.h"

#include "RuntimeError.h"
#include "SheetLimits.h"

namespace platform::xl {

namespace {
constexpr qint32 kObjectDeleted = -2147221080;  // 0x800401A8, automation error
}  // namespace

void throwApplicationDefined(const QString& description)
{
    throw RuntimeError(error_number::kApplicationDefined, !description.isEmpty() ? description
        : QStringLiteral("アプリケーション定義またはオブジェクト定義のエラーです。"));
}

void throwObjectDeleted()
{
    throw RuntimeError(kObjectDeleted, QStringLiteral("オートメーション エラーです。オブジェクトは削除されています。"));
}

void checkCell(qint32 row, qint32 column)
{
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns)
        throwApplicationDefined();
}

}  // namespace platform::xl
