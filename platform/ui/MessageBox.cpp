#include "MessageBox.h"

#include "AppInfo.h"

#include <QMessageBox>

namespace platform {

namespace {

MessageBox::Responder& responder()
{
    static MessageBox::Responder instance;
    return instance;
}

QMessageBox::Icon iconFor(MsgBoxStyle style)
{
    switch (style) {
    case MsgBoxStyle::Critical:
        return QMessageBox::Critical;
    case MsgBoxStyle::Exclamation:
        return QMessageBox::Warning;
    case MsgBoxStyle::OkOnly:
        break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void MessageBox::show(QWidget* parent, const QString& text, MsgBoxStyle style, const QString& title)
{
    QMessageBox box(iconFor(style), title.isEmpty() ? QString::fromUtf8(app_info::kTitle) : title, text,
        QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    if (responder())
        responder()(box);
    else
        box.exec();
}

MessageBox::Responder MessageBox::setResponder(Responder newResponder)
{
    return std::exchange(responder(), std::move(newResponder));
}

}  // namespace platform
