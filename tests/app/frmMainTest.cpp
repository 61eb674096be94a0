#include "ConnectionSettings.h"
#include "FontTestSupport.h"
#include "LogonTestSupport.h"
#include "MessageBox.h"
#include "ProgramEnd.h"
#include "WaitCursorWatch.h"
#include "frmMain.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
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
    static QCheckBox* detailed(const frmMain& w) { return w.findChild<QCheckBox*>(QStringLiteral("chkDetailed")); }
    static QLineEdit* property(const frmMain& w)
    {
        return w.findChild<QLineEdit*>(QStringLiteral("txtDescriptionProperty"));
    }

    SettingsHome home;  // before the window, which reads its settings when made
    frmMain window;
};

// Records what the buttons pass on instead of making the documents.
class RecordingWindow : public frmMain {
public:
    std::vector<std::pair<qint16, DocumentOptions>> runs;

protected:
    bool runDocument(qint16 kind, const DocumentOptions& options) override
    {
        runs.emplace_back(kind, options);
        return true;
    }
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

TEST_F(MainWindowTest, DocumentOptionsStandUnderTheButtonsWithTheirDefaults)
{
    QCheckBox* check = detailed(window);
    auto* label = window.findChild<QLabel*>(QStringLiteral("lblDescriptionProperty"));
    ASSERT_TRUE(check && label && property(window));
    EXPECT_EQ(check->text(), u"詳細な仕様書"_qs);
    EXPECT_TRUE(check->toolTip().contains(u"論理名・説明、デフォルト、キー、インデックス、制約、トリガー"_qs));
    EXPECT_EQ(label->text(), u"説明のプロパティ名:"_qs);
    EXPECT_EQ(label->buddy(), property(window));
    // 240, 2715, 4575 x 375; 240, 3150, 1950 x 285; 2280, 3150, 2535 x 285 twips
    EXPECT_EQ(check->geometry(), QRect(16, 181, 305, 25));
    EXPECT_EQ(label->geometry(), QRect(16, 210, 130, 19));
    EXPECT_EQ(property(window)->geometry(), QRect(152, 210, 169, 19));
    for (const QWidget* control : std::initializer_list<const QWidget*>{check, label})
        EXPECT_EQ(control->size().expandedTo(control->sizeHint()), control->size()) << "caption clipped";

    EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(property(window)->text(), u"MS_Description"_qs);
    EXPECT_FALSE(home.iniExists()) << "showing the defaults wrote them";
}

TEST_F(MainWindowTest, ClientAreaAndStatusBarMatchTheLayout)
{
    EXPECT_EQ(window.centralWidget()->size(), QSize(338, 245));
    QStatusBar* bar = window.findChild<QStatusBar*>(QStringLiteral("stbMain"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->size(), QSize(338, 22));
    window.show();
    EXPECT_EQ(bar->geometry().top(), window.centralWidget()->geometry().bottom() + 1);
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "the window has a fixed size";
}

TEST_F(MainWindowTest, TabMovesDownTheButtonsAndOptionsAndEnterPressesTheFocusedButton)
{
    window.show();
    QApplication::setActiveWindow(&window);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    detailed(window)->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), property(window));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), button(0));
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

TEST_F(MainWindowTest, DocumentOptionsAreRememberedForTheNextWindow)
{
    window.show();
    QTest::mouseClick(detailed(window), Qt::LeftButton, {}, QPoint(8, 12));  // on the box, not past the caption
    const QString longest(128, u'説');  // the longest name a server takes, in three-byte characters
    property(window)->setText(longest);
    EXPECT_TRUE(home.iniBytes().startsWith("[DOCUMENT]\nDETAILED=1\nDESCRIPTION_PROPERTY=" + longest.toUtf8()));
    EXPECT_TRUE(detailed(frmMain())->isChecked());
    EXPECT_EQ(property(frmMain())->text(), longest) << "the remembered name came back cut";
    detailed(window)->setChecked(false);
    EXPECT_FALSE(detailed(frmMain())->isChecked());
}

TEST_F(MainWindowTest, EveryButtonPassesTheOptionsShownThoughTheyCannotBeRemembered)
{
    QFile blocker(home.folder());  // a file where the settings folder goes: every write fails
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    RecordingWindow recording;
    recording.mblnFirstActivate = false;
    recording.show();
    const auto press = [&recording](int kind) {
        const size_t before = recording.runs.size();
        QTest::mouseClick(recording.findChild<QPushButton*>(QStringLiteral("cmdDoc_%1").arg(kind)), Qt::LeftButton);
        EXPECT_EQ(recording.findChild<QLabel*>(QStringLiteral("stbMainText"))->text(), u"仕様書を作成しました。"_qs);
        EXPECT_EQ(recording.runs.size(), before + 1);
        return recording.runs.empty() ? std::pair<qint16, DocumentOptions>(-1, {}) : recording.runs.back();
    };
    const DocumentOptions defaults = press(0).second;
    EXPECT_FALSE(defaults.detailed);
    EXPECT_EQ(defaults.descriptionProperty, u"MS_Description"_qs);

    QTest::keyClick(detailed(recording), Qt::Key_Space);
    property(recording)->setText(u" 説明 "_qs);
    for (qint16 kind = 0; kind < 4; ++kind) {
        const auto [passedKind, options] = press(kind);
        EXPECT_EQ(passedKind, kind);
        EXPECT_TRUE(options.detailed) << kind;
        EXPECT_EQ(options.descriptionProperty, u"説明"_qs) << "blanks around a name are slips " << kind;
    }
    property(recording)->setText(u"  "_qs);
    EXPECT_EQ(press(3).second.descriptionProperty, u"MS_Description"_qs) << "a blank box means the default";
    EXPECT_FALSE(home.iniExists());
}

TEST_F(MainWindowTest, ExitCommandEndsTheProgram)
{
    window.show();
    ASSERT_TRUE(window.isVisible());
    EXPECT_TRUE(programEndsAfter([this] { action("mnuFileEnd")->trigger(); }));
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
