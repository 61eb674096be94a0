// tablinor-export's command line: both value forms, the refusals with their
// messages, and the help's layout.
#include "ExportOptions.h"

#include <gtest/gtest.h>

#include <QRegularExpression>

namespace {

struct Parsed {
    QString problem;
    ExportOptions options;
};

Parsed parse(const QStringList& arguments)
{
    Parsed parsed;
    parsed.problem = parseExportOptions(arguments, parsed.options);
    return parsed;
}

const QStringList kRun{QStringLiteral("--server=db,1433"), QStringLiteral("--database"), QStringLiteral("Sales"),
    QStringLiteral("--user=a=b"), QStringLiteral("--kind"), QStringLiteral("views"), QStringLiteral("--output"),
    QStringLiteral("--x.xlsx")};

}  // namespace

TEST(ExportOptions, TakesValuesInBothFormsAndTheDetailedForm)
{
    const Parsed plain = parse(kRun);
    ASSERT_EQ(plain.problem, QString());
    EXPECT_EQ(plain.options.request, ExportOptions::Request::Run);
    EXPECT_EQ(plain.options.server, QStringLiteral("db,1433"));
    EXPECT_EQ(plain.options.database, QStringLiteral("Sales"));
    EXPECT_EQ(plain.options.user, QStringLiteral("a=b"));
    EXPECT_EQ(plain.options.kind, 1);
    EXPECT_EQ(plain.options.output, QStringLiteral("--x.xlsx"));  // a value, though it looks like an option
    EXPECT_FALSE(plain.options.force || plain.options.passwordStdin || plain.options.document.detailed);
    EXPECT_EQ(plain.options.document.descriptionProperty, QStringLiteral("MS_Description"));

    const Parsed detailed = parse(kRun + QStringList{QStringLiteral("--detailed"), QStringLiteral("--force"),
        QStringLiteral("--description-property"), QStringLiteral("Caption"), QStringLiteral("--password-stdin")});
    ASSERT_EQ(detailed.problem, QString());
    EXPECT_TRUE(detailed.options.force && detailed.options.passwordStdin && detailed.options.document.detailed);
    EXPECT_EQ(detailed.options.document.descriptionProperty, QStringLiteral("Caption"));

    // Help and version need none of the options a run needs.
    EXPECT_EQ(parse({QStringLiteral("--version")}).options.request, ExportOptions::Request::Version);
    EXPECT_EQ(parse({QStringLiteral("--kind=x"), QStringLiteral("--help")}).options.request, ExportOptions::Request::Help);
}

TEST(ExportOptions, RefusalsNameWhatWasWrong)
{
    const auto problem = [](const QStringList& extra) { return parse(kRun + extra).problem; };
    EXPECT_EQ(problem({QStringLiteral("--colour=red")}), QStringLiteral("不明なオプションです: --colour"));
    EXPECT_EQ(problem({QStringLiteral("-server")}), QStringLiteral("不明なオプションです: -server"));
    EXPECT_TRUE(problem({QStringLiteral("--password=secret")}).contains(QStringLiteral("--password-stdin")));
    EXPECT_TRUE(problem({QStringLiteral("--password"), QStringLiteral("secret")}).contains(QStringLiteral("--password-stdin")));
    EXPECT_EQ(problem({QStringLiteral("--force=no")}), QStringLiteral("--force は値を取りません。"));
    EXPECT_EQ(problem({QStringLiteral("--user")}), QStringLiteral("--user に値を指定してください。"));
    EXPECT_EQ(problem({QStringLiteral("extra")}), QStringLiteral("不明な引数です: extra"));
    EXPECT_TRUE(problem({QStringLiteral("--kind=indexes")}).startsWith(QStringLiteral("--kind には")));
    EXPECT_TRUE(problem({QStringLiteral("--description-property=Caption")}).contains(QStringLiteral("--detailed")));
    EXPECT_TRUE(problem({QStringLiteral("--detailed"), QStringLiteral("--description-property=")})
                    .startsWith(QStringLiteral("--description-property に")));
    EXPECT_EQ(parse(kRun.mid(0, 6)).problem, QStringLiteral("--output を指定してください。"));
}

TEST(ExportOptions, HelpFitsATerminal)
{
    // Japanese characters take two columns.
    const QRegularExpression wide(QStringLiteral("[\\x{3000}-\\x{ff60}]"));
    for (const QString& line : exportHelpText().split(u'\n'))
        EXPECT_LE(line.size() + line.count(wide), 80) << line.toStdString();
}
