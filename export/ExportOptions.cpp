#include "ExportOptions.h"

#include "AppInfo.h"

#include <algorithm>
#include <array>

namespace {

struct Kind {
    const char* name;
    qint16 kind;
};
constexpr std::array kKinds{Kind{"tables", 0}, Kind{"views", 1}, Kind{"procedures", 2}, Kind{"functions", 3}};

}  // namespace

QString parseExportOptions(const QStringList& arguments, ExportOptions& options)
{
    QString kind;
    const std::array<std::pair<QString, QString*>, 5> valued{{
        {QStringLiteral("--server"), &options.server},
        {QStringLiteral("--database"), &options.database},
        {QStringLiteral("--user"), &options.user},
        {QStringLiteral("--kind"), &kind},
        {QStringLiteral("--output"), &options.output},
    }};
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        const QString name = argument.section(u'=', 0, 0);
        if (argument == u"--help")
            options.request = ExportOptions::Request::Help;
        else if (argument == u"--version")
            options.request = ExportOptions::Request::Version;
        else if (argument == u"--force")
            options.force = true;
        else if (argument == u"--password-stdin")
            options.passwordStdin = true;
        else if (name == u"--password")
            return QStringLiteral("パスワードはコマンドラインでは指定できません。--password-stdin を使ってください。");
        else {
            const auto option = std::find_if(valued.begin(), valued.end(), [&](const auto& o) { return o.first == name; });
            if (option == valued.end())
                return QStringLiteral("不明なオプションです: %1").arg(argument);
            if (argument.contains(u'='))
                *option->second = argument.section(u'=', 1);
            else if (i + 1 < arguments.size())
                *option->second = arguments[++i];
            else
                return QStringLiteral("%1 に値を指定してください。").arg(name);
        }
    }
    if (options.request != ExportOptions::Request::Run)
        return {};
    for (const auto& [name, value] : valued) {
        if (value->isEmpty())
            return QStringLiteral("%1 を指定してください。").arg(name);
    }
    for (const Kind& k : kKinds) {
        if (kind == QLatin1String(k.name))
            options.kind = k.kind;
    }
    if (options.kind < 0)
        return QStringLiteral("--kind には tables、views、procedures、functions のいずれかを指定してください。");
    return {};
}

QString exportHelpText()
{
    return QStringLiteral(
        "使い方: tablinor-export --server サーバー --database データベース --user ユーザー\n"
        "                        --kind 種類 --output ファイル.xlsx [--password-stdin] [--force]\n"
        "\n"
        "SQL Server データベースの仕様書をブックに書き出します。\n"
        "\n"
        "  --server サーバー        接続するサーバー (host、host\\instance、host,port)\n"
        "  --database データベース  仕様書を作成するデータベース\n"
        "  --user ユーザー          SQL Server のログイン\n"
        "  --kind 種類              tables      テーブル仕様書\n"
        "                           views       ビュー仕様書\n"
        "                           procedures  ストアドプロシージャ仕様書\n"
        "                           functions   ストアドファンクション仕様書\n"
        "  --output ファイル        書き出すブック (.xlsx)\n"
        "  --force                  既にあるファイルを置き換えます\n"
        "  --password-stdin         パスワードを標準入力の 1 行目から読みます\n"
        "  --help                   この説明を表示します\n"
        "  --version                バージョンを表示します\n"
        "\n"
        "パスワードはコマンドラインでは受け付けません。--password-stdin のときは標準入力から、\n"
        "環境変数 TABLINOR_PASSWORD があればその値を、どちらもなければ端末から表示せずに読みます。\n"
        "\n"
        "終了コード: 0 作成しました、1 作成できませんでした、2 オプションの誤り\n");
}

QString exportVersionText()
{
    using namespace platform::app_info;
    return QStringLiteral("%1 Ver.%2.%3.%4\n")
        .arg(QString::fromUtf8(kTitle))
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}
