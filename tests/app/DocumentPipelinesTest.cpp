// The four document buttons end to end: the stand-in server's catalog in, the
// handed-over workbook (flat OpenDocument) read back by an independent reader.

#include "ConnectionSettings.h"
#include "ExportCommand.h"
#include "RuntimeError.h"
#include "clsMsSqlConnect.h"
#include "StandinSettings.h"
#include "WaitCursorWatch.h"
#include "WorkbookTestSupport.h"
#include "frmMain.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryFile>
#include <QTest>

namespace {

class DocumentPipelinesTest : public ::testing::Test {
protected:
    void SetUp() override { window.mblnFirstActivate = false; }

    // Presses a document button; the wait cursor must be up during the run
    // and gone afterwards.
    QString press(int kind)
    {
        auto* status = window.findChild<QLabel*>(QStringLiteral("stbMainText"));
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
        WaitCursorWatch watch(status);
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdDoc_%1").arg(kind)), Qt::LeftButton);
        EXPECT_TRUE(watch.sawWaitCursor()) << "no wait cursor during the run";
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "wait cursor left on";
        return status->text();
    }

    // The one workbook handed over by the run, as the reader sees it.
    QJsonObject handedOver()
    {
        const auto starts = soffice.waitForStarts(1);
        EXPECT_EQ(starts.size(), 1u);
        if (starts.empty())
            return {};
        return readOds(starts.front().copy);
    }

    // Nothing handed over: give a late start of the stand-in a moment to show up.
    bool nothingHandedOver() { return soffice.waitForStarts(1, 1500).empty(); }

    static QJsonObject cells(const QJsonObject& book, const QString& sheet)
    {
        return book[u"data"_qs][sheet][u"cells"_qs].toObject();
    }
    static QString text(const QJsonObject& book, const QString& sheet, const QString& cell)
    {
        return cells(book, sheet)[cell][u"text"_qs].toString();
    }
    // Sheets, the active one and every cell's value, as either reader gives
    // them: what both forms of a document must agree on.
    static QJsonObject contents(const QJsonObject& book)
    {
        QJsonObject values;
        for (const QString& sheet : sheets(book)) {
            QJsonObject sheetValues;
            const QJsonObject all = cells(book, sheet);
            for (auto cell = all.begin(); cell != all.end(); ++cell) {
                const QJsonObject c = cell.value().toObject();
                const QString type = c[u"t"_qs].toString();
                QString value = c[u"v"_qs].toVariant().toString();
                if (type == u"d"_qs || type == u"date"_qs)
                    value = QDateTime::fromString(value, Qt::ISODateWithMs).toString(Qt::ISODateWithMs);
                else if (type == u"float"_qs || type == u"n"_qs)
                    value = QString::number(value.toDouble());
                else if (c.contains(u"text"_qs))
                    value = c[u"text"_qs].toString();
                if (!value.isEmpty())
                    sheetValues[cell.key()] = value;
            }
            values[sheet] = sheetValues;
        }
        return {{u"sheets"_qs, book[u"sheets"_qs]}, {u"active"_qs, book[u"active"_qs]}, {u"values"_qs, values}};
    }
    static QStringList sheets(const QJsonObject& book)
    {
        QStringList names;
        for (const QJsonValue& name : book[u"sheets"_qs].toArray())
            names << name.toString();
        return names;
    }
    static QStringList column(const QJsonObject& book, const QString& sheet, QChar letter)
    {
        const QJsonObject all = cells(book, sheet);
        QStringList values;
        for (int row = 2; all.contains(QStringLiteral("%1%2").arg(letter).arg(row)); ++row)
            values << all[QStringLiteral("%1%2").arg(letter).arg(row)][u"text"_qs].toString();
        return values;
    }

    const StandinSettings settings;  // before the window, which may read them
    SofficeStandIn soffice;
    frmMain window;
};

TEST_F(DocumentPipelinesTest, TableDocumentHasLinkedIndexAndOneSheetPerTable)
{
    EXPECT_EQ(press(0), u"仕様書を作成しました。"_qs);
    const QJsonObject book = handedOver();
    EXPECT_FALSE(QJsonDocument(book).toJson().contains(gstrPwd.toUtf8())) << "the password reached the workbook";

    const QStringList tables = {
        u"Customer"_qs, u"Order Detail"_qs, u"Sales.Customer"_qs, u"作業ログ"_qs, u"受注明細"_qs, u"顧客"_qs};
    EXPECT_EQ(sheets(book), QStringList{u"目次"_qs} + tables);
    EXPECT_EQ(book[u"active"_qs].toString(), u"目次"_qs);

    EXPECT_EQ(text(book, u"目次"_qs, u"A1"_qs), u"オブジェクト名"_qs);
    EXPECT_EQ(text(book, u"目次"_qs, u"B1"_qs), u"作成日"_qs);
    EXPECT_EQ(text(book, u"目次"_qs, u"C1"_qs), u"更新日"_qs);
    EXPECT_EQ(column(book, u"目次"_qs, u'A'), tables);
    const QJsonObject index = cells(book, u"目次"_qs);
    EXPECT_EQ(index[u"B2"_qs][u"t"_qs].toString(), u"date"_qs);
    EXPECT_TRUE(index[u"B2"_qs][u"v"_qs].toString().startsWith(u"2022-11-30T23:59:59"_qs));
    const QJsonObject links = book[u"data"_qs][u"目次"_qs][u"links"_qs].toObject();
    EXPECT_EQ(links.size(), tables.size());
    EXPECT_EQ(links[u"A3"_qs].toString(), u"#'Order Detail'.A1"_qs);

    // Composite key, a sysname column and nullability marks, in column order.
    const QString orders = u"受注明細"_qs;
    EXPECT_EQ(column(book, orders, u'A'),
        (QStringList{u"受注ID"_qs, u"明細番号"_qs, u"商品コード"_qs, u"数量"_qs, u"単価"_qs, u"更新者"_qs}));
    EXPECT_EQ(column(book, orders, u'B'),
        (QStringList{u"int"_qs, u"smallint"_qs, u"char"_qs, u"int"_qs, u"decimal"_qs, u"nvarchar"_qs}));
    EXPECT_EQ(column(book, orders, u'E'), (QStringList{u"PK"_qs, u"PK"_qs, {}, {}, {}, {}}));
    EXPECT_EQ(column(book, orders, u'F'), (QStringList{{}, {}, {}, {}, u"○"_qs, {}}));
    EXPECT_EQ(text(book, orders, u"F1"_qs), u"NULL許可"_qs);
    EXPECT_TRUE(column(book, u"作業ログ"_qs, u'E').join(QString()).isEmpty()) << "a table without key has no PK";
}

TEST_F(DocumentPipelinesTest, TheExportCommandWritesTheSameTableDocumentWithoutADesktop)
{
    EXPECT_EQ(press(0), u"仕様書を作成しました。"_qs);
    const QJsonObject shown = handedOver();
    QTemporaryDir folder;
    const QString output = folder.filePath(u"テーブル仕様書.xlsx"_qs);
    const ExportResult result = runExportCommand({u"--server"_qs, gstrSvr, u"--database"_qs, gstrDb, u"--user"_qs,
        gstrUid, u"--kind"_qs, u"tables"_qs, u"--output"_qs, output, u"--password-stdin"_qs}, gstrPwd + u'\n');
    EXPECT_EQ(result.exitCode, 0) << result.errors.toStdString();
    EXPECT_EQ(result.errors, u"仕様書を作成しています...\n仕様書を作成しました。\n"_qs);
    EXPECT_EQ(contents(readXlsx(output)), contents(shown));
}

TEST_F(DocumentPipelinesTest, ViewDocumentListsTheViews)
{
    EXPECT_EQ(press(1), u"仕様書を作成しました。"_qs);
    const QJsonObject book = handedOver();
    EXPECT_EQ(sheets(book), (QStringList{u"目次"_qs, u"Sales.顧客一覧"_qs, u"v_CustomerOrders"_qs, u"顧客一覧"_qs}));
    EXPECT_EQ(column(book, u"顧客一覧"_qs, u'A'), (QStringList{u"顧客ID"_qs, u"顧客名"_qs, u"住所"_qs}));
}

TEST_F(DocumentPipelinesTest, ProcedureDocumentHasOneRowPerRoutine)
{
    EXPECT_EQ(press(2), u"仕様書を作成しました。"_qs);
    const QJsonObject book = handedOver();
    EXPECT_EQ(sheets(book), QStringList{u"目次"_qs});
    EXPECT_EQ(text(book, u"目次"_qs, u"B1"_qs), u"コメント"_qs);
    // The encrypted routine has no source text and an empty comment; the one
    // without any source row is not listed.
    EXPECT_EQ(column(book, u"目次"_qs, u'A'), (QStringList{u"GetOrders"_qs, u"usp_受注登録"_qs, u"usp_暗号化"_qs}));
    EXPECT_EQ(column(book, u"目次"_qs, u'B'), (QStringList{u"Returns the orders of one customer"_qs,
                                                u"概要: 受注を登録する  作成: 2023/06/01  明細を追加する  正常終了"_qs, {}}));
}

TEST_F(DocumentPipelinesTest, FunctionDocumentListsTableValuedFunctionsToo)
{
    EXPECT_EQ(press(3), u"仕様書を作成しました。"_qs);
    const QJsonObject book = handedOver();
    EXPECT_EQ(column(book, u"目次"_qs, u'A'),
        (QStringList{u"fn_FullName"_qs, u"fn_注文一覧"_qs, u"fn_税込価格"_qs, u"fn_顧客注文"_qs}));
}

TEST_F(DocumentPipelinesTest, WithoutLogonNothingStarts)
{
    gstrSvr.clear();
    for (int kind = 0; kind < 4; ++kind)
        EXPECT_EQ(press(kind), u"データベースに接続されていません。"_qs) << kind;
    EXPECT_TRUE(nothingHandedOver());
}

TEST_F(DocumentPipelinesTest, EmptyTableKindHandsOverOnlyAnEmptyIndex)
{
    gstrDb = u"tablinor_app_empty"_qs;
    EXPECT_EQ(press(0), u"データがみつかりません。"_qs);
    const QJsonObject book = handedOver();
    EXPECT_EQ(sheets(book), QStringList{u"目次"_qs});
    EXPECT_TRUE(cells(book, u"目次"_qs).isEmpty());
}

TEST_F(DocumentPipelinesTest, EmptyRoutineKindHandsOverNothing)
{
    gstrDb = u"tablinor_app_empty"_qs;
    EXPECT_EQ(press(2), u"データがみつかりません。"_qs);
    EXPECT_TRUE(nothingHandedOver());
}

TEST_F(DocumentPipelinesTest, ConnectionFailureIsReportedAsTheConnectionsMessage)
{
    gstrPwd = u"wrong password"_qs;
    clsMsSqlConnect probe;
    ASSERT_FALSE(probe.Connect(gstrSvr, gstrDb, gstrUid, gstrPwd));
    ASSERT_FALSE(probe.Message().isEmpty());

    EXPECT_EQ(press(3), probe.Message());
    EXPECT_TRUE(nothingHandedOver()) << "a routine document starts nothing before its list has rows";

    EXPECT_EQ(press(0), probe.Message());
    const QJsonObject book = handedOver();
    EXPECT_EQ(sheets(book), QStringList{u"目次"_qs});
}

TEST_F(DocumentPipelinesTest, EveryObjectGetsItsSheetWhateverItsNameAndOnlyARealFailureStopsTheRun)
{
    gstrDb = u"tablinor_app_edge"_qs;
    EXPECT_EQ(press(0), u"仕様書を作成しました。"_qs);
    const QJsonObject book = handedOver();
    const QStringList names = sheets(book), objects = column(book, u"目次"_qs, u'A');
    ASSERT_EQ(names.size(), objects.size() + 1) << names.join(u'|').toStdString();
    EXPECT_TRUE(objects.contains(QString(128, u'x')) && names.contains(u"Sheet1"_qs) && names.contains(u"目次~2"_qs));
    const QJsonObject links = book[u"data"_qs][u"目次"_qs][u"links"_qs].toObject();
    for (qsizetype i = 0; i < objects.size(); ++i) {
        // "#'name'.A1", the name always quoted
        const QString sheet = links[QStringLiteral("A%1").arg(i + 2)].toString().mid(2).chopped(4);
        EXPECT_EQ(QString(sheet).replace(u"''"_qs, u"'"_qs), names[i + 1]);
        EXPECT_EQ(book[u"data"_qs][names[i + 1]][u"page"_qs][u"footer"_qs][0].toString(),
            QString(objects[i]).replace(u'\t', u' '));
        EXPECT_LE(names[i + 1].size(), 31) << names[i + 1].toStdString();
    }
    // A table without columns still gets its sheet, with the header row only.
    EXPECT_EQ(text(book, u"A_NoColumns"_qs, u"A1"_qs), u"列名"_qs);
    EXPECT_TRUE(column(book, u"A_NoColumns"_qs, u'A').isEmpty());

    // A real failure still ends the run with its error: here the hand-over
    // finds no documents folder.
    QTemporaryFile notAFolder;
    ASSERT_TRUE(notAFolder.open());
    const QByteArray home = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(notAFolder.fileName()));
    EXPECT_TRUE(press(0).startsWith(QString::number(platform::error_number::kGenericFailure) + u':'));
    qputenv("HOME", home);
}

}  // namespace
