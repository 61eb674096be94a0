#include "MessageBox.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>

using platform::MessageBox;
using platform::MsgBoxStyle;

namespace {

struct Seen {
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    int count = 0;
};

Seen showAndLook(const QString& text, MsgBoxStyle style, const QString& title = {})
{
    Seen seen;
    auto previous = MessageBox::setResponder([&](QMessageBox& box) {
        seen = {box.windowTitle(), box.text(), box.icon(), box.standardButtons(), seen.count + 1};
    });
    MessageBox::show(nullptr, text, style, title);
    MessageBox::setResponder(previous);
    return seen;
}

}  // namespace

TEST(MessageBox, StylesGiveTheirIconAndOnlyAnOkButton)
{
    const Seen plain = showAndLook(u"本文"_qs, MsgBoxStyle::OkOnly);
    EXPECT_EQ(plain.count, 1);
    EXPECT_EQ(plain.text, u"本文"_qs);
    EXPECT_EQ(plain.icon, QMessageBox::NoIcon);
    EXPECT_EQ(plain.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(showAndLook(u"x"_qs, MsgBoxStyle::Critical).icon, QMessageBox::Critical);
    EXPECT_EQ(showAndLook(u"x"_qs, MsgBoxStyle::Exclamation).icon, QMessageBox::Warning);
}

TEST(MessageBox, UntitledBoxShowsTheApplicationTitle)
{
    EXPECT_EQ(showAndLook(u"x"_qs, MsgBoxStyle::OkOnly).title, u"Tablinor"_qs);
    EXPECT_EQ(showAndLook(u"x"_qs, MsgBoxStyle::Critical, u"別題"_qs).title, u"別題"_qs);
}
