#include "ExportOptions.h"

#include "AppInfo.h"
#include "CellText.h"
#include "basMessage.h"

#include <QCommandLineParser>

#include <algorithm>
#include <array>
#include <vector>

namespace {

struct Kind {
    const char* name;
    qint16 kind;
    const QString* document;
};
constexpr std::array kKinds{Kind{"tables", 0, &msg::kTableDocument}, Kind{"views", 1, &msg::kViewDocument},
    Kind{"procedures", 2, &msg::kProcedureDocument}, Kind{"functions", 3, &msg::kFunctionDocument}};

// One option as the parser, the help text and the manual page all show it.
struct OptionText {
    QString name;       // without the leading "--"
    QString valueName;  // empty for a switch
    bool required = false;
    QStringList lines;  // the description, one line of the help text each
};

std::vector<OptionText> optionTexts()
{
    QStringList kinds{QStringLiteral("作成する仕様書:")};
    for (const Kind& k : kKinds)
        kinds << QStringLiteral("  %1%2").arg(QLatin1String(k.name), -12).arg(*k.document);
    return {
        {QStringLiteral("server"), QStringLiteral("サーバー"), true,
            {QStringLiteral("接続するサーバー (host、host\\instance、host,port)")}},
        {QStringLiteral("database"), QStringLiteral("データベース"), true,
            {QStringLiteral("仕様書を作成するデータベース")}},
        {QStringLiteral("user"), QStringLiteral("ユーザー"), true, {QStringLiteral("SQL Server のログイン")}},
        {QStringLiteral("kind"), QStringLiteral("種類"), true, kinds},
        {QStringLiteral("output"), QStringLiteral("ファイル.xlsx"), true, {QStringLiteral("書き出すブック")}},
        {QStringLiteral("detailed"), {}, false,
            {QStringLiteral("詳しい仕様書にします。テーブルとビューには"),
                QStringLiteral("説明 (論理名)、既定値、キー、インデックス、"),
                QStringLiteral("制約、トリガーを、ルーチンには説明を加えます")}},
        {QStringLiteral("description-property"), QStringLiteral("名前"), false,
            {QStringLiteral("--detailed で説明を読む拡張プロパティ"),
                QStringLiteral("(既定は %1)").arg(DocumentOptions{}.descriptionProperty)}},
        {QStringLiteral("force"), {}, false, {QStringLiteral("既にあるファイルを置き換えます")}},
        {QStringLiteral("password-stdin"), {}, false, {QStringLiteral("パスワードを標準入力の 1 行目から読みます")}},
        {QStringLiteral("help"), {}, false, {QStringLiteral("この説明を表示します")}},
        {QStringLiteral("version"), {}, false, {QStringLiteral("バージョンを表示します")}},
    };
}

bool isRequestOption(const OptionText& option)
{
    return option.name == u"help" || option.name == u"version";
}

const char* const kSummary = "SQL Server データベースの仕様書をブックに書き出します。";
const std::array kPasswordLines{
    "パスワードはコマンドラインでは受け付けません。--password-stdin のときは",
    "標準入力から、環境変数 TABLINOR_PASSWORD があればその値を、どちらも",
    "なければ端末から表示せずに読みます。",
};
const std::array<std::pair<int, const char*>, 3> kExitStatuses{{
    {0, "ブックを書き出しました"},
    {1, "仕様書を作成できなかったか、書き出せませんでした"},
    {2, "オプションかパスワードが使えません"},
}};

QString longName(const OptionText& option)
{
    return QStringLiteral("--") + option.name;
}

// What the parser could not take, in the user's language (Qt's own error
// texts are English): the first argument it stopped at, as typed.
QString parseFailure(const QCommandLineParser& parser, const QStringList& arguments,
    const std::vector<OptionText>& options)
{
    for (qsizetype i = 0; i < arguments.size() && arguments[i] != u"--"; ++i) {
        const QString& argument = arguments[i];
        if (!argument.startsWith(u'-') || argument == u"-")
            continue;
        const QString name = argument.section(u'=', 0, 0);
        if (name == u"--password")
            return QStringLiteral("パスワードはコマンドラインでは指定できません。--password-stdin を使ってください。");
        const auto option = std::find_if(options.begin(), options.end(), [&](const OptionText& o) { return longName(o) == name; });
        if (option == options.end())
            return QStringLiteral("不明なオプションです: %1").arg(name);
        if (option->valueName.isEmpty() && argument.contains(u'='))
            return QStringLiteral("%1 は値を取りません。").arg(name);
        if (!option->valueName.isEmpty() && !argument.contains(u'=') && ++i == arguments.size())
            return QStringLiteral("%1 に値を指定してください。").arg(name);
    }
    return parser.errorText();
}

// Columns a text takes on a terminal: East Asian wide characters take two,
// as they do in a spreadsheet's column.
using platform::xl::textDisplayWidth;

QString padded(const QString& text, qsizetype width)
{
    return text + QString(std::max<qsizetype>(0, width - textDisplayWidth(text)), u' ');
}

QString optionWithValue(const OptionText& option)
{
    return option.valueName.isEmpty() ? longName(option) : longName(option) + u' ' + option.valueName;
}

// The options of a run, each in brackets when it may be left out.
QStringList synopsisWords()
{
    QStringList words;
    for (const OptionText& option : optionTexts()) {
        if (!isRequestOption(option))
            words << (option.required ? optionWithValue(option) : u'[' + optionWithValue(option) + u']');
    }
    return words;
}

// Roff source for a line of text: backslashes and hyphens as roff wants
// them, and a line that would start with a control character kept as text.
QString roff(QString text)
{
    text.replace(u'\\', QStringLiteral("\\e"));
    text.replace(u'-', QStringLiteral("\\-"));
    if (text.startsWith(u'.') || text.startsWith(u'\''))
        text.prepend(QStringLiteral("\\&"));
    return text;
}

QString roffOption(const OptionText& option)
{
    QString text = QStringLiteral("\\fB%1\\fR").arg(roff(longName(option)));
    if (!option.valueName.isEmpty())
        text += QStringLiteral(" \\fI%1\\fR").arg(roff(option.valueName));
    return text;
}

}  // namespace

QString parseExportOptions(const QStringList& arguments, ExportOptions& options)
{
    const std::vector<OptionText> texts = optionTexts();
    QCommandLineParser parser;
    for (const OptionText& text : texts)
        parser.addOption(QCommandLineOption(text.name, text.lines.join(u' '), text.valueName));
    // parse() takes the program name first.
    if (!parser.parse(QStringList{QStringLiteral("tablinor-export")} + arguments))
        return parseFailure(parser, arguments, texts);
    if (!parser.positionalArguments().isEmpty())
        return QStringLiteral("不明な引数です: %1").arg(parser.positionalArguments().first());

    if (parser.isSet(QStringLiteral("help")))
        options.request = ExportOptions::Request::Help;
    else if (parser.isSet(QStringLiteral("version")))
        options.request = ExportOptions::Request::Version;
    options.server = parser.value(QStringLiteral("server"));
    options.database = parser.value(QStringLiteral("database"));
    options.user = parser.value(QStringLiteral("user"));
    options.output = parser.value(QStringLiteral("output"));
    options.force = parser.isSet(QStringLiteral("force"));
    options.passwordStdin = parser.isSet(QStringLiteral("password-stdin"));
    options.document.detailed = parser.isSet(QStringLiteral("detailed"));
    if (parser.isSet(QStringLiteral("description-property")))
        options.document.descriptionProperty = parser.value(QStringLiteral("description-property"));
    if (options.request != ExportOptions::Request::Run)
        return {};

    for (const OptionText& text : texts) {
        if (text.required && parser.value(text.name).isEmpty())
            return QStringLiteral("%1 を指定してください。").arg(longName(text));
    }
    const QString kind = parser.value(QStringLiteral("kind"));
    for (const Kind& k : kKinds) {
        if (kind == QLatin1String(k.name))
            options.kind = k.kind;
    }
    if (options.kind < 0)
        return QStringLiteral("--kind には tables、views、procedures、functions のいずれかを指定してください。");
    // Descriptions appear only in the detailed form: asking for them alone would silently give none.
    if (parser.isSet(QStringLiteral("description-property")) && !options.document.detailed)
        return QStringLiteral("--description-property は --detailed と一緒に指定してください。");
    if (options.document.descriptionProperty.isEmpty())
        return QStringLiteral("--description-property に拡張プロパティの名前を指定してください。");
    return {};
}

QString exportHelpText()
{
    const QString usage = QStringLiteral("使い方: tablinor-export ");
    const qsizetype indent = textDisplayWidth(usage);
    QString help = usage;
    qsizetype column = indent;
    bool lineStart = true;
    for (const QString& word : synopsisWords()) {
        if (!lineStart && column + 1 + textDisplayWidth(word) > 80) {
            help += u'\n' + QString(indent, u' ');
            column = indent;
            lineStart = true;
        }
        if (!lineStart) {
            help += u' ';
            ++column;
        }
        help += word;
        column += textDisplayWidth(word);
        lineStart = false;
    }
    help += QStringLiteral("\n       tablinor-export --help | --version\n\n%1\n\nオプション:\n").arg(QString::fromUtf8(kSummary));

    const std::vector<OptionText> texts = optionTexts();
    qsizetype nameWidth = 0;
    for (const OptionText& option : texts)
        nameWidth = std::max<qsizetype>(nameWidth, textDisplayWidth(optionWithValue(option)));
    for (const OptionText& option : texts) {
        help += QStringLiteral("  ") + padded(optionWithValue(option), nameWidth + 2) + option.lines.first() + u'\n';
        for (const QString& line : option.lines.mid(1))
            help += QString(nameWidth + 4, u' ') + line + u'\n';
    }

    help += u'\n';
    for (const char* line : kPasswordLines)
        help += QString::fromUtf8(line) + u'\n';
    help += QStringLiteral("\n終了コード:\n");
    for (const auto& [code, meaning] : kExitStatuses)
        help += QStringLiteral("  %1  %2\n").arg(code).arg(QString::fromUtf8(meaning));
    return help;
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

QString exportManualPage()
{
    using namespace platform::app_info;
    const QString summary = QString::fromUtf8(kSummary);
    QString page = QStringLiteral(
        ".TH TABLINOR\\-EXPORT 1 \"\" \"%1 %2.%3.%4\" \"ユーザーコマンド\"\n"
        ".\\\" groff breaks lines between Japanese characters only with these classes.\n"
        ".mso ja.tmac\n"
        ".nh\n"
        ".ad l\n"
        ".SH 名前\n"
        "tablinor\\-export \\- %5\n"
        ".SH 書式\n"
        ".B tablinor\\-export\n")
                       .arg(QString::fromUtf8(kTitle))
                       .arg(kVersionMajor)
                       .arg(kVersionMinor)
                       .arg(kVersionRevision)
                       .arg(roff(summary.chopped(1)));
    QStringList synopsis;
    for (const OptionText& option : optionTexts()) {
        if (!isRequestOption(option))
            synopsis << (option.required ? roffOption(option) : u'[' + roffOption(option) + u']');
    }
    page += synopsis.join(u'\n') + QStringLiteral("\n.br\n.B tablinor\\-export\n\\fB\\-\\-help\\fR | \\fB\\-\\-version\\fR\n");
    page += QStringLiteral(".SH 説明\n%1\n.SH オプション\n").arg(roff(summary));
    for (const OptionText& option : optionTexts()) {
        page += QStringLiteral(".TP\n%1\n").arg(roffOption(option));
        page += roff(option.lines.first()) + u'\n';
        for (const QString& line : option.lines.mid(1))
            page += QStringLiteral(".br\n") + roff(line) + u'\n';
    }
    // The help breaks the paragraph for a terminal; a break between Japanese
    // words stands for no space, which roff would put there.
    QString password;
    for (const char* line : kPasswordLines) {
        const QString text = QString::fromUtf8(line);
        if (!password.isEmpty() && (password.back().unicode() < 0x3000 || text.front().unicode() < 0x3000))
            password += u' ';
        password += text;
    }
    page += QStringLiteral(".SH パスワード\n%1\n").arg(roff(password));
    page += QStringLiteral(".SH 終了ステータス\n");
    for (const auto& [code, meaning] : kExitStatuses)
        page += QStringLiteral(".TP\n.B %1\n%2\n").arg(code).arg(roff(QString::fromUtf8(meaning)));
    page += QStringLiteral(
        ".SH 例\n"
        ".nf\n"
        "printf '%s\\en' \"$DB_PASSWORD\" | tablinor\\-export \\-\\-password\\-stdin \\e\n"
        "    \\-\\-server dbhost \\-\\-database Sales \\-\\-user doc_reader \\e\n"
        "    \\-\\-kind tables \\-\\-output テーブル仕様書.xlsx\n"
        ".fi\n"
        ".SH 関連項目\n"
        ".BR tablinor (1)\n");
    return page;
}
