#include "SheetWriters.h"

#include "IndexLinks.h"
#include "Application.h"
#include "RuntimeError.h"
#include "WorkbookTestSupport.h"
#include "XlsxExport.h"
#include "basMain.h"
#include "clsMsSqlConnect.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QStandardPaths>
#include <QTemporaryDir>

using platform::FieldValue;
using platform::Recordset;

namespace {

class RecordingStatus : public StatusLine {
public:
    void ShowStatus(const QString& vstrText) override { texts << vstrText; }
    QStringList texts;
};

void connectStandIn(clsMsSqlConnect& cn)
{
    ASSERT_TRUE(cn.Connect(qEnvironmentVariable("TABLINOR_TEST_SERVER"), qEnvironmentVariable("TABLINOR_TEST_DATABASE"),
        qEnvironmentVariable("TABLINOR_TEST_UID"), qEnvironmentVariable("TABLINOR_TEST_PWD")))
        << cn.Message().toStdString();
    cn.setQueryTimeOut(3000);
}

std::shared_ptr<Recordset> recordset(const QStringList& names, std::vector<Recordset::Row> rows)
{
    auto rs = std::make_shared<Recordset>();
    rs->openWith(names, std::move(rows));
    return rs;
}

QJsonValue at(const QJsonObject& file, const QString& sheet, const QString& cell, const QString& field)
{
    return file[QStringLiteral("data")][sheet][QStringLiteral("cells")][cell][field];
}

// The width the model gave, back from the stored width (characters plus padding).
double modelWidth(const QJsonObject& file, const QString& sheet, const QString& column)
{
    return (file[QStringLiteral("data")][sheet][QStringLiteral("widths")][column].toDouble() * 7 - 5) / 7;
}

// A table document built and shown as the main window's pipeline does it,
// from the stand-in server's catalog.
void buildTableDocument(StatusLine& status)
{
    XlApplication app;
    XlWorkbook book;
    XlWorksheet index;
    OpenExcelBook(app, book, index);
    index->setName("目次");
    clsMsSqlConnect list;
    connectStandIn(list);
    EXPECT_TRUE(list.ExecQuery(GetObjectListSql(0))) << list.Message().toStdString();
    EXPECT_TRUE(RsExcelPrintFieldsContentsType(list, index, status));
    const auto objects = list.Recordset();
    objects->moveFirst();
    std::vector<XlWorksheet> objectSheets;
    while (!objects->eof()) {
        clsMsSqlConnect columns;
        connectStandIn(columns);
        columns.SetParam(0, objects->value(0).toInt32());
        EXPECT_TRUE(columns.ExecQuery(GetColumnListSql(0))) << columns.Message().toStdString();
        auto sheets = book->worksheets();
        auto sheet = sheets.add(sheets.item(sheets.count()));
        sheet->setName(objects->value(1).toText());
        EXPECT_TRUE(RsExcelPrintFieldsType(columns, sheet, status));
        objectSheets.push_back(sheet);
        objects->moveNext();
    }
    list.CloseRs();
    list.Disconnect();
    LinkIndexSheet(objectSheets, index);
    ShowExcelBook(app, book, index);
}

// The workbook last shown, as an .xlsx file, where every format reads back as written.
QJsonObject shownAsXlsx(const platform::xl::WorkbookCapture& capture)
{
    EXPECT_EQ(capture.shown().size(), 1u);
    if (capture.shown().empty())
        return {};
    QTemporaryDir dir;
    platform::xl::exportXlsx(*capture.shown().back(), dir.filePath("book.xlsx"));
    return readXlsx(dir.filePath("book.xlsx"));
}

// The spreadsheet application itself, wherever PATH has it besides the stand-in.
QString realSoffice()
{
    QStringList dirs = qEnvironmentVariable("PATH").split(u':', Qt::SkipEmptyParts);
    dirs.removeIf([](const QString& dir) { return dir.endsWith("soffice-standin"); });
    return QStandardPaths::findExecutable("soffice", dirs);
}

}  // namespace

TEST(SheetWritersTest, ATableDocumentReadsBackAsBuilt)
{
    RecordingStatus status;
    const platform::xl::WorkbookCapture capture;
    buildTableDocument(status);
    const QJsonObject file = shownAsXlsx(capture);
    EXPECT_TRUE(status.texts.isEmpty()) << status.texts.join('|').toStdString();

    const QJsonArray sheets = file["sheets"].toArray();
    ASSERT_EQ(sheets.size(), 7);  // the index and the six tables, no default sheets
    EXPECT_EQ(sheets[0].toString(), "目次");
    EXPECT_EQ(file["active"].toString(), "目次");
    const QJsonObject index = file["data"]["目次"].toObject();
    EXPECT_EQ(index["selection"].toString(), "A1");
    EXPECT_EQ(at(file, "目次", "A1", "v").toString(), "オブジェクト名");
    EXPECT_EQ(at(file, "目次", "B1", "v").toString(), "作成日");
    EXPECT_EQ(at(file, "目次", "C1", "v").toString(), "更新日");
    EXPECT_TRUE(at(file, "目次", "D1", "v").isUndefined());  // ID is never written
    for (int i = 1; i < sheets.size(); ++i) {
        const QString row = QString::number(i + 1);
        const QString name = sheets[i].toString();
        EXPECT_EQ(at(file, "目次", "A" + row, "v").toString(), name);  // sheets follow the index
        const QString quoted = name.contains(u' ') || name.contains(u'.') ? u'\'' + name + u'\'' : name;  // the file's form
        EXPECT_EQ(index["links"]["A" + row]["location"].toString(), quoted + "!A1");
        EXPECT_EQ(at(file, "目次", "B" + row, "t").toString(), "d");
        EXPECT_EQ(at(file, "目次", "B" + row, "fmt").toString(), "yyyy/m/d h:mm");
    }
    EXPECT_TRUE(sheets.contains(QJsonValue("Order Detail")));
    EXPECT_EQ(at(file, "目次", "A1", "fill").toString(), "808080");
    EXPECT_EQ(at(file, "目次", "C1", "fontColor").toString(), "FFFFFF");
    EXPECT_TRUE(at(file, "目次", "B1", "bold").toBool());
    EXPECT_EQ(at(file, "目次", "B3", "border").toObject(),
        (QJsonObject{{"left", QJsonValue()}, {"top", QJsonValue()}, {"bottom", "dotted"}, {"right", "thin"}}));
    EXPECT_EQ(at(file, "目次", "C7", "border")["bottom"].toString(), "thin");
    EXPECT_GT(modelWidth(file, "目次", "B"), 16.0);  // fits "2023/4/1 9:15"

    const QStringList headers{"列名", "データ型", "データ長", "小数点桁数", "制約", "NULL許可"};
    for (int c = 0; c < headers.size(); ++c) {
        const QString cell = QChar(u'A' + c) + QStringLiteral("1");
        EXPECT_EQ(at(file, "受注明細", cell, "v").toString(), headers[c]);
        EXPECT_TRUE(at(file, "受注明細", cell, "bold").toBool());
        EXPECT_FALSE(file["data"]["受注明細"]["widths"][QString(QChar(u'A' + c))].isUndefined());
    }
    EXPECT_EQ(at(file, "受注明細", "A2", "v").toString(), "受注ID");
    EXPECT_EQ(at(file, "受注明細", "A7", "v").toString(), "更新者");
    EXPECT_TRUE(at(file, "受注明細", "A8", "v").isUndefined());
    EXPECT_EQ(at(file, "受注明細", "F7", "border")["bottom"].toString(), "thin");
}

TEST(SheetWritersTest, TheSpreadsheetApplicationOpensAProducedWorkbook)
{
    const QString soffice = realSoffice();
    ASSERT_FALSE(soffice.isEmpty()) << "soffice is not installed";
    SofficeStandIn standIn;
    RecordingStatus status;
    buildTableDocument(status);
    const auto starts = standIn.waitForStarts(1);
    ASSERT_EQ(starts.size(), 1u);
    const QString book = starts[0].copy;  // the form handed over
    QTemporaryDir out;
    QProcess convert;
    convert.setProcessChannelMode(QProcess::MergedChannels);
    convert.start(soffice, {"-env:UserInstallation=file://" + out.filePath("profile"), "--headless", "--convert-to",
                               "pdf", "--outdir", out.path(), book});
    ASSERT_TRUE(convert.waitForFinished(300000));
    EXPECT_EQ(convert.exitCode(), 0) << convert.readAll().toStdString();
    const QFileInfo pdf(out.filePath(QFileInfo(book).completeBaseName() + ".pdf"));
    EXPECT_TRUE(pdf.exists()) << convert.readAll().toStdString();
    EXPECT_GT(pdf.size(), 1000);
}

TEST(SheetWritersTest, TheIndexWriterLeavesTheObjectListOpenAtItsEnd)
{
    platform::xl::Workbook book(1);
    const XlWorksheet sheet = book.worksheets().item(1);
    const QDateTime created(QDate(2023, 4, 1), QTime(9, 15, 30));
    clsMsSqlConnect cn;
    cn.setRecordset(recordset({"ID", "オブジェクト名", "作成日", "更新日"},
        {{1001, u"顧客", created, created}, {1002, u"受注明細", created, FieldValue::null()}}));
    RecordingStatus status;

    EXPECT_TRUE(RsExcelPrintFieldsContentsType(cn, sheet, status));
    EXPECT_TRUE(status.texts.isEmpty());
    EXPECT_TRUE(cn.Recordset()->isOpen());
    EXPECT_TRUE(cn.Recordset()->eof());
    EXPECT_EQ(sheet->cells(1, 1).value().toText(), "オブジェクト名");
    EXPECT_EQ(sheet->cells(1, 3).value().toText(), "更新日");
    EXPECT_TRUE(sheet->cells(1, 4).value().isEmpty());
    EXPECT_EQ(sheet->cells(3, 1).value().toText(), "受注明細");
    EXPECT_EQ(sheet->cells(3, 2).value(), FieldValue(created));
    EXPECT_TRUE(sheet->cells(3, 3).value().isEmpty());  // Null gives an empty cell
    EXPECT_EQ(sheet->cellFormat(3, 3).edges[platform::xl::CellFormat::Bottom], platform::xl::LineStyle::Continuous);

    // No rows: the header alone, formatted as the last row.
    const XlWorksheet empty = book.worksheets().add(sheet);
    cn.setRecordset(recordset({"ID", "オブジェクト名", "作成日", "更新日"}, {}));
    EXPECT_TRUE(RsExcelPrintFieldsContentsType(cn, empty, status));
    EXPECT_EQ(empty->rowCount(), 1);
    EXPECT_EQ(empty->cellFormat(1, 2).edges[platform::xl::CellFormat::Bottom], platform::xl::LineStyle::Continuous);
}

TEST(SheetWritersTest, AFailingWriterReportsTheErrorAndClosesItsConnection)
{
    platform::xl::Workbook book(1);
    const XlWorksheet sheet = book.worksheets().item(1);
    clsMsSqlConnect cn;
    connectStandIn(cn);
    // Too few fields for the index: the third data column does not exist.
    ASSERT_TRUE(cn.ExecQuery("SELECT 1 AS ID, 'x' AS name, 'y' AS created")) << cn.Message().toStdString();
    RecordingStatus status;

    EXPECT_FALSE(RsExcelPrintFieldsContentsType(cn, sheet, status));
    ASSERT_EQ(status.texts.size(), 1);
    EXPECT_TRUE(status.texts[0].startsWith("3265:")) << status.texts[0].toStdString();
    EXPECT_FALSE(cn.Recordset()->isOpen());
    EXPECT_EQ(sheet->cells(2, 2).value().toText(), "y");  // what was written stays
    EXPECT_THROW(cn.Disconnect(), platform::RuntimeError);  // already disconnected
}

TEST(SheetWritersTest, TheColumnWriterClosesItsConnectionAfterSuccess)
{
    platform::xl::Workbook book(1);
    const XlWorksheet sheet = book.worksheets().item(1);
    clsMsSqlConnect cn;
    connectStandIn(cn);
    cn.SetParam(0, 1003);
    ASSERT_TRUE(cn.ExecQuery(GetColumnListSql(0))) << cn.Message().toStdString();
    RecordingStatus status;

    EXPECT_TRUE(RsExcelPrintFieldsType(cn, sheet, status));
    EXPECT_TRUE(status.texts.isEmpty());
    EXPECT_FALSE(cn.Recordset()->isOpen());
    EXPECT_THROW(cn.Disconnect(), platform::RuntimeError);
    EXPECT_EQ(sheet->cells(1, 1).value().toText(), "列名");
    EXPECT_EQ(sheet->cells(1, 6).value().toText(), "NULL許可");
    EXPECT_EQ(sheet->cells(2, 1).value().toText(), "CustomerID");
    EXPECT_EQ(sheet->cells(5, 1).value().toText(), "CreatedAt");
    EXPECT_TRUE(sheet->cells(6, 1).value().isEmpty());
}

TEST(SheetWritersTest, TheRoutineDocumentIsMadeAndShownWholeEvenWithAnEncryptedRoutine)
{
    clsMsSqlConnect cn;
    connectStandIn(cn);
    ASSERT_TRUE(cn.ExecQuery(GetObjectListSql(2))) << cn.Message().toStdString();
    RecordingStatus status;

    const platform::xl::WorkbookCapture capture;
    EXPECT_TRUE(RsExcelPrintStoredType(2, cn.Recordset(), status));
    EXPECT_TRUE(status.texts.isEmpty()) << status.texts.join('|').toStdString();
    const QJsonObject file = shownAsXlsx(capture);

    EXPECT_EQ(file["sheets"].toArray(), QJsonArray{"目次"});
    EXPECT_EQ(file["active"].toString(), "目次");
    const QStringList headers{"オブジェクト名", "コメント", "作成日", "更新日"};
    for (int c = 0; c < headers.size(); ++c)
        EXPECT_EQ(at(file, "目次", QChar(u'A' + c) + QStringLiteral("1"), "v").toString(), headers[c]);
    // One row per routine: the pieces of one are joined before their comments
    // are read, so a comment crossing a cut comes out whole.
    const QStringList names{"GetOrders", "usp_受注登録", "usp_暗号化"};
    for (int r = 2; r <= names.size() + 1; ++r) {
        const QString row = QString::number(r);
        EXPECT_EQ(at(file, "目次", "A" + row, "v").toString(), names[r - 2]);
        EXPECT_TRUE(at(file, "目次", "B" + row, "wrap").toBool());
        EXPECT_EQ(at(file, "目次", "C" + row, "t").toString(), "d");
    }
    EXPECT_EQ(at(file, "目次", "B3", "v").toString(), "概要: 受注を登録する  作成: 2023/06/01  明細を追加する  正常終了");
    EXPECT_TRUE(at(file, "目次", "B4", "v").isNull()) << "an encrypted routine has no comment";
    EXPECT_TRUE(at(file, "目次", "A5", "v").isUndefined());
    EXPECT_NEAR(modelWidth(file, "目次", "B"), 5 * modelWidth(file, "目次", "C"), 0.5);
    EXPECT_TRUE(file["data"]["目次"]["columnWrap"]["B"].toBool());
    EXPECT_EQ(at(file, "目次", "D1", "border")["right"].toString(), "thin");
}

TEST(SheetWritersTest, WhenTheSpreadsheetApplicationCannotStartTheStatusLineSaysWhy)
{
    const auto routines = recordset({"ID", "オブジェクト名", "コメント", "作成日", "更新日"},
        {{3001, u"usp_受注登録", u"/* 概要 */", QDateTime::currentDateTime(), QDateTime::currentDateTime()}});
    RecordingStatus status;
    {
        QTemporaryDir empty;
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", QFile::encodeName(empty.path()));
        EXPECT_FALSE(RsExcelPrintStoredType(3, routines, status));
        qputenv("PATH", path);
    }
    EXPECT_EQ(status.texts, QStringList{"429:ActiveX コンポーネントはオブジェクトを作成できません。"});

    // Found, but the hand-over fails: reported the same way, nothing shown.
    SofficeStandIn standIn;
    QTemporaryDir dir;
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    qputenv("HOME", QFile::encodeName(blocker.fileName()));
    routines->moveFirst();
    status.texts.clear();
    EXPECT_FALSE(RsExcelPrintStoredType(3, routines, status));
    ASSERT_FALSE(status.texts.isEmpty());
    EXPECT_TRUE(status.texts.last().startsWith("-2147467259:")) << status.texts.last().toStdString();
    EXPECT_TRUE(standIn.waitForStarts(1, 500).empty());
}
