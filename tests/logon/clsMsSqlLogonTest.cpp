#include "clsMsSqlLogon.h"

#include "LogonTestSupport.h"
#include "MessageBox.h"
#include "clsMsSqlConnect.h"

#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QWindow>

using platform::MessageBox;

namespace {

QString testSetting(const char* name)
{
    const QString value = qEnvironmentVariable(name);
    EXPECT_FALSE(value.isEmpty()) << name << " is not set: the test needs the stand-in server";
    return value;
}

struct SeenBox {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

class Logon : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousResponder_ = MessageBox::setResponder([this](QMessageBox& box) {
            boxes_.push_back({box.windowTitle(), box.text(), box.icon(), box.standardButtons()});
        });
    }

    void TearDown() override
    {
        MessageBox::setResponder(previousResponder_);
        EXPECT_EQ(home_.filesContaining(pwd_), QStringList()) << "the password was written to a file";
    }

    static void type(frmMsSqlLogon& dialog, const QString& text) { typeText(dialog.focusWidget(), text); }
    static void press(frmMsSqlLogon& dialog, Qt::Key key) { QTest::keyClick(dialog.focusWidget(), key); }

    // A whole first logon: every box typed, Tab between them, Enter at the end.
    void typeEverythingAndConnect(frmMsSqlLogon& dialog)
    {
        type(dialog, svr_);
        press(dialog, Qt::Key_Tab);
        type(dialog, db_);
        press(dialog, Qt::Key_Tab);
        type(dialog, uid_);
        press(dialog, Qt::Key_Tab);
        type(dialog, pwd_);
        press(dialog, Qt::Key_Return);
    }

    QByteArray savedSettings() const
    {
        return "[CONNECT]\nSERVER=" + svr_.toUtf8() + "\nDATABASE=" + db_.toUtf8() + "\nUSERNAME=" + uid_.toUtf8()
            + "\n";
    }

    void expectHolds(const clsMsSqlLogon& logon, const QString& pwd) const
    {
        EXPECT_EQ(logon.Server(), svr_);
        EXPECT_EQ(logon.Database(), db_);
        EXPECT_EQ(logon.Username(), uid_);
        EXPECT_EQ(logon.Password(), pwd);
    }

    static void expectEmpty(const clsMsSqlLogon& logon)
    {
        EXPECT_EQ(logon.Server(), QString());
        EXPECT_EQ(logon.Database(), QString());
        EXPECT_EQ(logon.Username(), QString());
        EXPECT_EQ(logon.Password(), QString());
    }

    SettingsHome home_;
    const QString svr_ = testSetting("TABLINOR_TEST_SERVER");
    const QString db_ = testSetting("TABLINOR_TEST_DATABASE");
    const QString uid_ = testSetting("TABLINOR_TEST_UID");
    const QString pwd_ = testSetting("TABLINOR_TEST_PWD");
    std::vector<SeenBox> boxes_;
    MessageBox::Responder previousResponder_;
};

}  // namespace

TEST_F(Logon, FirstRunSucceedsSavesThreeKeysInOrderAndReturnsAllFour)
{
    clsMsSqlLogon logon;
    expectEmpty(logon);
    onLogonDialog([&](frmMsSqlLogon& dialog) {
        EXPECT_EQ(dialog.txtSvr()->text(), QString());
        EXPECT_EQ(dialog.focusWidget(), dialog.txtSvr());
        typeEverythingAndConnect(dialog);
    });
    EXPECT_TRUE(logon.ShowForm());

    expectHolds(logon, pwd_);
    EXPECT_EQ(home_.iniBytes(), savedSettings());
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(Logon, LaterLogonsShowTheSavedValuesAndAnEmptyPassword)
{
    clsMsSqlLogon first;
    onLogonDialog([&](frmMsSqlLogon& dialog) { typeEverythingAndConnect(dialog); });
    ASSERT_TRUE(first.ShowForm());

    for (int later = 0; later < 2; ++later) {
        clsMsSqlLogon logon;
        onLogonDialog([&](frmMsSqlLogon& dialog) {
            EXPECT_EQ(dialog.txtSvr()->text(), svr_);
            EXPECT_EQ(dialog.txtDb()->text(), db_);
            EXPECT_EQ(dialog.txtUid()->text(), uid_);
            EXPECT_EQ(dialog.txtPwd()->text(), QString());
            EXPECT_EQ(dialog.focusWidget(), dialog.txtPwd());
            type(dialog, pwd_);
            press(dialog, Qt::Key_Enter);
        });
        EXPECT_TRUE(logon.ShowForm());
        expectHolds(logon, pwd_);
    }
    EXPECT_EQ(home_.iniBytes(), savedSettings());
    // TearDown looks for the password in every file below the settings home.
}

TEST_F(Logon, FailedTestWarnsAndKeepsTheDialogOpenForAnotherTry)
{
    home_.writeIni(savedSettings());
    const QString wrong = u" wrong;パス "_qs;
    clsMsSqlConnect reference;
    ASSERT_FALSE(reference.Connect(svr_, db_, uid_, wrong));

    clsMsSqlLogon logon;
    onLogonDialog([&](frmMsSqlLogon& dialog) {
        type(dialog, wrong);
        for (const char* name : {"txtSvr", "txtDb", "txtUid", "txtPwd"}) {
            dialog.findChild<QLineEdit*>(QLatin1String(name))->setFocus();
            press(dialog, Qt::Key_Return);
        }

        ASSERT_EQ(boxes_.size(), 4u) << "Enter in every text box presses 接続";
        EXPECT_EQ(boxes_[0].text, reference.Message());
        EXPECT_EQ(boxes_[3].text, reference.Message());
        EXPECT_EQ(boxes_[0].icon, QMessageBox::Warning);
        EXPECT_EQ(boxes_[0].title, u"Tablinor"_qs);
        EXPECT_EQ(boxes_[0].buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.ReturnDialog(), 2);
        EXPECT_EQ(dialog.txtSvr()->text(), svr_);
        EXPECT_EQ(dialog.txtPwd()->text(), wrong) << "fields stay as typed";

        QTest::keyClick(dialog.focusWidget(), Qt::Key_A, Qt::ControlModifier);
        type(dialog, pwd_);
        dialog.findChild<QPushButton*>(u"cmdConnect"_qs)->click();
        EXPECT_EQ(boxes_.size(), 4u);
    });
    EXPECT_TRUE(logon.ShowForm());
    expectHolds(logon, pwd_);
    EXPECT_TRUE(home_.filesContaining(wrong).isEmpty());
}

TEST_F(Logon, CancelEscapeAndWindowCloseReturnFalseAndWriteNothing)
{
    const std::pair<const char*, std::function<void(frmMsSqlLogon&)>> ways[] = {
        {"キャンセル", [](frmMsSqlLogon& dialog) { dialog.findChild<QPushButton*>(u"cmdCancel"_qs)->click(); }},
        {"Esc", [](frmMsSqlLogon& dialog) { press(dialog, Qt::Key_Escape); }},
        {"window close", [](frmMsSqlLogon& dialog) {
             QCloseEvent close;
             QCoreApplication::sendEvent(dialog.windowHandle(), &close);
         }},
    };
    for (const auto& [way, leave] : ways) {
        SCOPED_TRACE(way);
        clsMsSqlLogon fresh;
        onLogonDialog([&](frmMsSqlLogon& dialog) {
            type(dialog, u"other"_qs);
            press(dialog, Qt::Key_Tab);
            type(dialog, db_);
            leave(dialog);
        });
        EXPECT_FALSE(fresh.ShowForm());
        expectEmpty(fresh);
        EXPECT_FALSE(home_.iniExists());
    }

    clsMsSqlLogon earlier;
    onLogonDialog([&](frmMsSqlLogon& dialog) { typeEverythingAndConnect(dialog); });
    ASSERT_TRUE(earlier.ShowForm());
    const QByteArray saved = home_.iniBytes();
    onLogonDialog([&](frmMsSqlLogon& dialog) {
        type(dialog, u"typed but cancelled"_qs);
        press(dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(earlier.ShowForm());
    expectHolds(earlier, pwd_);
    EXPECT_EQ(home_.iniBytes(), saved);
    EXPECT_TRUE(boxes_.empty());
}

TEST_F(Logon, SettingsFolderThatCannotBeWrittenDoesNotStopTheLogon)
{
    QFile blocker(home_.folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    clsMsSqlLogon logon;
    onLogonDialog([&](frmMsSqlLogon& dialog) { typeEverythingAndConnect(dialog); });
    EXPECT_TRUE(logon.ShowForm());
    expectHolds(logon, pwd_);
    EXPECT_TRUE(boxes_.empty()) << "a failed save shows no message";
}

TEST_F(Logon, DialogOpensActiveAndCentredOverTheActiveWindow)
{
    QWidget mainWindow;
    mainWindow.setGeometry(300, 200, 640, 480);
    mainWindow.show();
    mainWindow.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&mainWindow));

    clsMsSqlLogon logon;
    onLogonDialog([&](frmMsSqlLogon& dialog) {
        EXPECT_EQ(dialog.parentWidget(), &mainWindow);
        EXPECT_LE((dialog.frameGeometry().center() - mainWindow.frameGeometry().center()).manhattanLength(), 2);
        dialog.activateWindow();  // a window manager would; the offscreen platform does not
        EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isActiveWindow(); }));
        EXPECT_EQ(QApplication::focusWidget(), dialog.txtSvr()) << "the caret is in the server box once active";
        press(dialog, Qt::Key_Escape);
    });
    EXPECT_FALSE(logon.ShowForm());
}
