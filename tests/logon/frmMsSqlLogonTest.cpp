#include "frmMsSqlLogon.h"

#include "FontTestSupport.h"
#include "LogonTestSupport.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QFontInfo>
#include <QFrame>
#include <QInputMethodQueryEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyleOptionFrame>
#include <QTest>

namespace {

struct ExpectedControl {
    const char* name;
    const char* className;
    QString caption;  // accessible name; also the text of labels and buttons
    QRect pixels;  // in the dialog's client area
};

const ExpectedControl kControls[] = {
    {"lblSvr", "QLabel", u"サーバー:"_qs, {8, 16, 81, 17}},
    {"txtSvr", "QLineEdit", u"サーバー:"_qs, {96, 16, 145, 19}},
    {"Label1", "QLabel", u"データベース:"_qs, {8, 40, 81, 17}},
    {"txtDb", "QLineEdit", u"データベース:"_qs, {96, 40, 145, 19}},
    {"Label2", "QLabel", u"ユーザー:"_qs, {8, 64, 81, 17}},
    {"txtUid", "QLineEdit", u"ユーザー:"_qs, {96, 64, 145, 19}},
    {"Label3", "QLabel", u"パスワード:"_qs, {8, 88, 81, 17}},
    {"txtPwd", "QLineEdit", u"パスワード:"_qs, {96, 88, 145, 19}},
    {"fraBtn", "QFrame", QString(), {88, 120, 153, 25}},
    {"cmdConnect", "QPushButton", u"接続"_qs, {88, 120, 73, 25}},
    {"cmdCancel", "QPushButton", u"キャンセル"_qs, {168, 120, 73, 25}},
};

QRect inDialog(const QWidget* dialog, const QWidget* control)
{
    return {control->mapTo(dialog, QPoint(0, 0)), control->size()};
}

template <typename T>
T* child(const QWidget& dialog, const char* name)
{
    T* found = dialog.findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

class LogonDialog : public ::testing::Test {
protected:
    SettingsHome home_;
};

}  // namespace

TEST_F(LogonDialog, WindowAndControlsAreLaidOutAsDesigned)
{
    frmMsSqlLogon dialog;
    EXPECT_EQ(dialog.windowTitle(), u"SQL Server接続"_qs);
    EXPECT_EQ(dialog.size(), QSize(259, 156));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize()) << "the user must not resize it";
    EXPECT_FALSE(dialog.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const QFontInfo face(dialog.font());
    EXPECT_NEAR(face.pointSizeF(), 9.75, 0.01);
    EXPECT_EQ(face.weight(), QFont::Normal);

    for (const ExpectedControl& expected : kControls) {
        SCOPED_TRACE(expected.name);
        const QWidget* control = child<QWidget>(dialog, expected.name);
        ASSERT_NE(control, nullptr);
        EXPECT_STREQ(control->metaObject()->className(), expected.className);
        EXPECT_EQ(inDialog(&dialog, control), expected.pixels);
        EXPECT_TRUE(drawsEveryCharacter(control->font(), expected.caption));
        if (const auto* label = qobject_cast<const QLabel*>(control))
            EXPECT_EQ(label->text(), expected.caption);
        if (const auto* button = qobject_cast<const QAbstractButton*>(control))
            EXPECT_EQ(button->text(), expected.caption);
        if (const auto* box = qobject_cast<const QLineEdit*>(control))
            EXPECT_EQ(box->maxLength(), std::numeric_limits<int>::max()) << "no text box limits its text";
    }
    EXPECT_EQ(child<QFrame>(dialog, "fraBtn")->frameShape(), QFrame::NoFrame);
    EXPECT_TRUE(child<QPushButton>(dialog, "cmdConnect")->isDefault());
    EXPECT_FALSE(child<QPushButton>(dialog, "cmdCancel")->isDefault());
}

TEST_F(LogonDialog, EveryControlIsNamedByItsCaptionForAssistiveTools)
{
    frmMsSqlLogon dialog;
    dialog.show();
    for (const ExpectedControl& expected : kControls) {
        if (expected.caption.isEmpty())
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(child<QWidget>(dialog, expected.name));
        ASSERT_NE(accessible, nullptr) << expected.name;
        EXPECT_EQ(accessible->text(QAccessible::Name), expected.caption) << expected.name;
    }
}

TEST_F(LogonDialog, TabVisitsTheBoxesThenTheButtonsInOrder)
{
    frmMsSqlLogon dialog;
    dialog.show();
    QWidget* focus = child<QWidget>(dialog, "txtSvr");
    focus->setFocus();
    QStringList visited{focus->objectName()};
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(dialog.focusWidget(), Qt::Key_Tab);
        visited << dialog.focusWidget()->objectName();
    }
    EXPECT_EQ(visited, (QStringList{u"txtSvr"_qs, u"txtDb"_qs, u"txtUid"_qs, u"txtPwd"_qs, u"cmdConnect"_qs,
                           u"cmdCancel"_qs, u"txtSvr"_qs}));
}

TEST_F(LogonDialog, PasswordShowsOnlyAsterisksAndTakesNoInputMethod)
{
    frmMsSqlLogon dialog;
    dialog.show();
    auto* password = child<QLineEdit>(dialog, "txtPwd");
    password->setFocus();
    typeText(password, u"pa ss;パ"_qs);

    EXPECT_EQ(password->text(), u"pa ss;パ"_qs);
    EXPECT_EQ(password->displayText(), u"*******"_qs);
    QStyleOptionFrame option;
    option.initFrom(password);
    EXPECT_EQ(password->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, &option, password), u'*');
    EXPECT_FALSE(password->testAttribute(Qt::WA_InputMethodEnabled));
    QInputMethodQueryEvent query(Qt::ImEnabled);  // what the platform's input method asks
    QCoreApplication::sendEvent(password, &query);
    EXPECT_FALSE(query.value(Qt::ImEnabled).toBool());
    EXPECT_TRUE(password->inputMethodHints().testFlags(Qt::ImhHiddenText | Qt::ImhSensitiveData));
    EXPECT_TRUE(child<QLineEdit>(dialog, "txtSvr")->testAttribute(Qt::WA_InputMethodEnabled))
        << "the other boxes take Japanese input";
}

TEST_F(LogonDialog, FirstRunOpensEmptyWithTheCaretInTheServerBox)
{
    frmMsSqlLogon dialog;
    EXPECT_EQ(dialog.ReturnDialog(), 2);
    dialog.show();
    for (const QLineEdit* box : {dialog.txtSvr(), dialog.txtDb(), dialog.txtUid(), dialog.txtPwd()})
        EXPECT_EQ(box->text(), QString()) << box->objectName().toStdString();
    EXPECT_EQ(dialog.focusWidget(), dialog.txtSvr());
    EXPECT_FALSE(home_.iniExists()) << "opening the dialog writes nothing";
}

TEST_F(LogonDialog, RememberedServerPutsTheCaretInThePasswordBox)
{
    home_.writeIni(u"[connect]\r\nusername= 利用者 \r\nServer=\"  サーバー \"\r\nDATABASE=db\r\n"_qs.toUtf8());
    frmMsSqlLogon dialog;
    dialog.show();
    EXPECT_EQ(dialog.txtSvr()->text(), u"  サーバー "_qs);
    EXPECT_EQ(dialog.txtDb()->text(), u"db"_qs);
    EXPECT_EQ(dialog.txtUid()->text(), u"利用者"_qs);
    EXPECT_EQ(dialog.txtPwd()->text(), QString());
    EXPECT_EQ(dialog.focusWidget(), dialog.txtPwd());
}

TEST_F(LogonDialog, SavedDatabaseWithoutServerStillStartsInTheServerBox)
{
    home_.writeIni("[CONNECT]\nSERVER=\nDATABASE=db\n");
    frmMsSqlLogon dialog;
    dialog.show();
    EXPECT_EQ(dialog.txtDb()->text(), u"db"_qs);
    EXPECT_EQ(dialog.focusWidget(), dialog.txtSvr());
}

TEST_F(LogonDialog, DamagedSettingsFileOpensWithWhatCanBeRead)
{
    QByteArray junk(300000, '\0');
    for (int i = 0; i < junk.size(); ++i)
        junk[i] = char((i * 7919) % 251);
    const QByteArray section = "\n[CONNECT]\nSERVER=" + QByteArray(1000, 's') + "\nSERVER=dup\n";
    home_.writeIni(junk + section + QByteArray("USERNAME=u\0x\n", 14) + junk);
    frmMsSqlLogon dialog;
    dialog.show();
    EXPECT_EQ(dialog.txtSvr()->text(), QString(254, u's'));
    EXPECT_EQ(dialog.txtDb()->text(), QString());
    EXPECT_EQ(dialog.txtUid()->text(), u"u"_qs) << "a value ends at its first NUL";
}
