// The first activation's probe for the spreadsheet application, and the
// connect command driving the real logon dialog against the stand-in server.

#include "ConnectionSettings.h"
#include "LogonTestSupport.h"
#include "MessageBox.h"
#include "ProgramEnd.h"
#include "StandinLogin.h"
#include "WorkbookTestSupport.h"
#include "frmMain.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

namespace {

class StartupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gstrSvr.clear();
        gstrDb.clear();
        gstrUid.clear();
        gstrPwd.clear();
        previousResponder = platform::MessageBox::setResponder([this](QMessageBox& box) {
            boxes << box.windowTitle() + u'|' + box.text();
            icons << box.icon();
        });
    }
    void TearDown() override { platform::MessageBox::setResponder(previousResponder); }

    void activate()
    {
        window.show();
        if (window.isVisible() && !window.isActiveWindow())
            QApplication::setActiveWindow(&window);
        QCoreApplication::processEvents();
    }
    QString status() { return window.findChild<QLabel*>(QStringLiteral("stbMainText"))->text(); }

    // Logs on through the dialog with what the test types; Enter presses 接続.
    static void logOn(frmMsSqlLogon& dialog, const StandinLogin& login)
    {
        auto* server = dialog.findChild<QLineEdit*>(QStringLiteral("txtSvr"));
        server->clear();
        typeText(server, login.server);
        typeText(dialog.findChild<QLineEdit*>(QStringLiteral("txtDb")), login.database);
        typeText(dialog.findChild<QLineEdit*>(QStringLiteral("txtUid")), login.uid);
        auto* password = dialog.findChild<QLineEdit*>(QStringLiteral("txtPwd"));
        typeText(password, login.pwd);
        QTest::keyClick(password, Qt::Key_Return);
    }

    SettingsHome settings;
    QStringList boxes;
    QList<QMessageBox::Icon> icons;
    platform::MessageBox::Responder previousResponder;
    frmMain window;
};

TEST_F(StartupTest, MissingSpreadsheetApplicationEndsTheProgramWithoutLogon)
{
    const QByteArray path = qgetenv("PATH");
    QTemporaryDir emptyPath;
    qputenv("PATH", QFile::encodeName(emptyPath.path()));
    bool logonOpened = false;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            logonOpened = true;
            dialog->reject();
        }
    });
    watchdog.start(10);
    EXPECT_TRUE(programEndsAfter([this] { activate(); }));
    qputenv("PATH", path);

    EXPECT_EQ(boxes, QStringList{u"Tablinor|Microsoft Excelがインストールされていません。"_qs});
    EXPECT_EQ(icons.value(0), QMessageBox::Critical);
    EXPECT_FALSE(window.isVisible()) << "the main window unloads";
    EXPECT_TRUE(window.mblnFirstActivate);
    EXPECT_FALSE(logonOpened);
}

TEST_F(StartupTest, FirstActivationOpensTheLogonOnceAndASuccessFillsTheSettings)
{
    SofficeStandIn soffice;
    const StandinLogin login = standinLogin();
    int dialogs = 0;
    onLogonDialog([&](frmMsSqlLogon& dialog) {
        ++dialogs;
        logOn(dialog, login);
    });
    activate();

    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(u'\n').toStdString();
    EXPECT_FALSE(window.mblnFirstActivate);
    EXPECT_EQ(gstrSvr, login.server);
    EXPECT_EQ(gstrDb, login.database);
    EXPECT_EQ(gstrUid, login.uid);
    EXPECT_EQ(gstrPwd, login.pwd);
    EXPECT_EQ(status(), u"データベース接続に成功しました。"_qs);

    // Activations after the logon neither probe nor log on again.
    window.hide();
    activate();
    EXPECT_EQ(dialogs, 1);
    EXPECT_TRUE(window.isVisible());
}

TEST_F(StartupTest, FirstShowProbesAndLogsOnOnceThoughTheDesktopNeverActivatesTheWindow)
{
    SofficeStandIn soffice;
    struct : QObject {
        bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::ActivationChange; }
    } inactive;
    window.installEventFilter(&inactive);
    window.show();
    int dialogs = 0;
    onLogonDialog([&](frmMsSqlLogon& dialog) { ++dialogs; dialog.reject(); });
    QCoreApplication::processEvents();
    EXPECT_EQ(dialogs, 1);
    EXPECT_FALSE(window.mblnFirstActivate);
    window.removeEventFilter(&inactive);
    window.hide();
    activate();
    EXPECT_EQ(dialogs, 1);
}

TEST_F(StartupTest, CancelledConnectCommandKeepsEarlierSettingsAndAnEmptyStatus)
{
    window.mblnFirstActivate = false;
    gstrSvr = u"earlier"_qs;
    gstrDb = u"db"_qs;
    gstrUid = u"uid"_qs;
    gstrPwd = u"pwd"_qs;
    window.ShowStatus(u"前の表示"_qs);
    onLogonDialog([](frmMsSqlLogon& dialog) {
        typeText(dialog.findChild<QLineEdit*>(QStringLiteral("txtSvr")), u"other"_qs);
        QTest::keyClick(&dialog, Qt::Key_Escape);
    });
    window.findChild<QAction*>(QStringLiteral("mnuFileConnect"))->trigger();

    EXPECT_EQ(gstrSvr, u"earlier"_qs);
    EXPECT_EQ(gstrPwd, u"pwd"_qs);
    EXPECT_TRUE(status().isEmpty());
}

}  // namespace
