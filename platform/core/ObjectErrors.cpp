#include "ObjectErrors.h"

#include "RuntimeError.h"

namespace platform {

void throwObjectClosed()
{
    throw RuntimeError(error_number::kObjectClosed,
        QStringLiteral("オブジェクトが閉じている場合は、操作は許可されません。"));
}

void throwObjectOpen()
{
    throw RuntimeError(error_number::kObjectOpen,
        QStringLiteral("オブジェクトが開いている場合は、操作は許可されません。"));
}

void throwConnectionUnusable()
{
    throw RuntimeError(error_number::kConnectionUnusable,
        QStringLiteral("この操作を実行するために接続を使用することはできません。"
                       "このコンテキストでは、接続が閉じているか無効です。"));
}

void throwItemNotFound()
{
    throw RuntimeError(error_number::kItemNotFound,
        QStringLiteral("要求された名前、または序数に対応する項目がコレクションに見つかりません。"));
}

void throwObjectVariableNotSet()
{
    throw RuntimeError(error_number::kObjectVariableNotSet,
        QStringLiteral("オブジェクト変数または With ブロック変数が設定されていません。"));
}

void throwSubscriptOutOfRange()
{
    throw RuntimeError(error_number::kSubscriptOutOfRange, QStringLiteral("インデックスが有効範囲にありません。"));
}

void throwOverflow()
{
    throw RuntimeError(error_number::kOverflow, QStringLiteral("オーバーフローしました。"));
}

}  // namespace platform
