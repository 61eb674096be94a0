#include "ConnectionSettings.h"
#include "FontTestSupport.h"
#include "MessageBox.h"
#include "ProgramEnd.h"
#include "WaitCursorWatch.h"
#include "frmMain.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        gstrSvr.clear();
        gstrDb.clear();
        gstrUid.clear();
        gstrPwd.clear();
        window.mblnFirstActivate = false;  // the startup probe has its own tests
    }

    QPushButton* button(int index) { return window.findChild<QPushButton*>(QStringLiteral("cmdDoc_%1").arg(index)); }
    QLabel* status() { return window.findChild<QLabel*>(QStringLiteral("stbMainText")); }
    QAction* action(const char* name) { return window.findChild<QAction*>(QString::fromLatin1(name)); }

    frmMain window;
};

TEST_F(MainWindowTest, LoadSetsCaptionFirstActivationAndEmptyStatus)
{
    EXPECT_EQ(window.windowTitle(), u"Tablinor"_qs);
    EXPECT_TRUE(frmMain().mblnFirstActivate);
    EXPECT_EQ(status()->text(), QString());
    EXPECT_NEAR(QFontInfo(window.font()).pointSizeF(), 9.75, 0.01) << "the size the face is drawn at";
}

TEST_F(MainWindowTest, ButtonsStandInOneColumnWithTheirCaptions)
{
    const QString captions[] = {u"テーブル仕様書"_qs, u"ビュー仕様書"_qs, u"ストアドプロシージャ仕様書"_qs,
        u"ストアドファンクション仕様書"_qs};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        QPushButton* b = button(i);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(b->text(), captions[i]);
        EXPECT_EQ(b->accessibleName(), captions[i]);
        EXPECT_TRUE(drawsEveryCharacter(b->font(), b->text()));
        // 240, 240 + 600 i, 4575 x 495 twips
        EXPECT_EQ(b->geometry(), QRect(16, 16 + 40 * i, 305, 33));
        EXPECT_GE(b->width(), b->sizeHint().width()) << "caption clipped";
    }
}

TEST_F(MainWindowTest, ClientAreaAndStatusBarMatchTheLayout)
{
    EXPECT_EQ(window.centralWidget()->size(), QSize(338, 185));
    QStatusBar* bar = window.findChild<QStatusBar*>(QStringLiteral("stbMain"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->size(), QSize(338, 22));
    window.show();
    EXPECT_EQ(bar->geometry().top(), window.centralWidget()->geometry().bottom() + 1);
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the window has a fixed size";
}

TEST_F(MainWindowTest, TabMovesDownTheButtonsAndEnterPressesTheFocusedOne)
{
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    button(0)->setFocus();
    for (int i = 1; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), button(i)) << i;
    }
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        window.ClearStatus();
        QKeyEvent held(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
        QApplication::sendEvent(QApplication::focusWidget(), &held);
        EXPECT_TRUE(status()->text().isEmpty()) << "a held key repeats its press " << key;
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(status()->text(), u"データベースに接続されていません。"_qs) << key;
    }
}

TEST_F(MainWindowTest, MenusHaveTheirCaptionsAndNoShortcuts)
{
    const QList<QAction*> menus = window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 2);
    EXPECT_EQ(menus[0]->text(), u"ファイル(&F)"_qs);
    EXPECT_EQ(menus[1]->text(), u"ヘルプ(&H)"_qs);

    const QList<QAction*> file = menus[0]->menu()->actions();
    ASSERT_EQ(file.size(), 4);
    EXPECT_EQ(file[0]->text(), u"データベース接続(&C)..."_qs);
    EXPECT_EQ(file[0]->objectName(), u"mnuFileConnect"_qs);
    EXPECT_EQ(file[1]->text(), u"ファイルに保存して開く(&S)"_qs);
    ASSERT_NE(file[1]->menu(), nullptr);
    EXPECT_TRUE(file[2]->isSeparator());
    EXPECT_EQ(file[3]->text(), u"終了(&X)"_qs);
    const QList<QAction*> save = file[1]->menu()->actions();
    QStringList saveTexts;
    for (QAction* a : save)
        saveTexts << a->text();
    EXPECT_EQ(saveTexts, (QStringList{u"テーブル仕様書(&T)..."_qs, u"ビュー仕様書(&V)..."_qs,
                             u"ストアドプロシージャ仕様書(&P)..."_qs, u"ストアドファンクション仕様書(&U)..."_qs}));
    const QList<QAction*> help = menus[1]->menu()->actions();
    ASSERT_EQ(help.size(), 1);
    EXPECT_EQ(help[0]->text(), u"バージョン(&V)..."_qs);

    for (QAction* a : file + save + help)
        EXPECT_TRUE(a->shortcut().isEmpty()) << a->text().toStdString();
}

TEST_F(MainWindowTest, VersionBoxShowsVersionWithTitleAndOkOnly)
{
    int shown = 0;
    QString text, title;
    QMessageBox::Icon icon = QMessageBox::Critical;
    QMessageBox::StandardButtons buttons;
    auto previous = platform::MessageBox::setResponder([&](QMessageBox& box) {
        ++shown;
        text = box.text();
        title = box.windowTitle();
        icon = box.icon();
        buttons = box.standardButtons();
    });
    action("mnuHelpVersion")->trigger();
    platform::MessageBox::setResponder(previous);

    EXPECT_EQ(shown, 1);
    EXPECT_EQ(text, u"Ver.1.0.0"_qs);
    EXPECT_EQ(title, u"Tablinor"_qs);
    EXPECT_EQ(icon, QMessageBox::NoIcon);
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

TEST_F(MainWindowTest, StatusLineIsReplacedClearedAndReadable)
{
    window.ShowStatus(u"一行目"_qs);
    const QString failure = u"1045:[ma-3.1.15]Access denied for user 'tablinor_test'@'localhost' (using password: YES)"_qs;
    window.ShowStatus(failure);
    EXPECT_EQ(status()->text(), failure);
    EXPECT_EQ(status()->toolTip(), failure);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(status());
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->text(QAccessible::Name), failure);
    EXPECT_EQ(accessible->text(QAccessible::Description), failure);

    window.ClearStatus();
    EXPECT_TRUE(status()->text().isEmpty());
    EXPECT_TRUE(status()->toolTip().isEmpty());
    EXPECT_TRUE(accessible->text(QAccessible::Name).isEmpty());
}

TEST_F(MainWindowTest, ConnectedMeansOnlyThatAServerIsSet)
{
    gstrDb = u"db"_qs;
    gstrUid = u"sa"_qs;
    gstrPwd = u"pw"_qs;
    EXPECT_FALSE(IsConnected());
    gstrSvr = u"srv"_qs;
    gstrDb.clear();
    gstrUid.clear();
    gstrPwd.clear();
    EXPECT_TRUE(IsConnected());
}

TEST_F(MainWindowTest, DocumentButtonWithoutLogonSaysNotConnectedAndRestoresCursor)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    WaitCursorWatch watch(status());
    for (int i = 0; i < 4; ++i) {
        window.ClearStatus();
        watch.reset();
        QTest::mouseClick(button(i), Qt::LeftButton);
        EXPECT_EQ(status()->text(), u"データベースに接続されていません。"_qs) << i;
        EXPECT_TRUE(watch.sawWaitCursor()) << i;
        EXPECT_EQ(QApplication::overrideCursor(), nullptr) << i;
    }
}

TEST_F(MainWindowTest, ExitCommandEndsTheProgram)
{
    window.show();
    ASSERT_TRUE(window.isVisible());
    EXPECT_TRUE(programEndsAfter([this] { action("mnuFileEnd")->trigger(); }));
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
