#pragma once

#include <QString>

#include <functional>

class QMessageBox;
class QWidget;

namespace platform {

// Message-box styles the program uses; the values are the classic style codes.
enum class MsgBoxStyle { OkOnly = 0, Critical = 16, Exclamation = 48 };

// Modal message boxes. A box without a title of its own shows the application
// title. Tests install a responder that receives the fully built box instead
// of it being executed, and can look at it.
class MessageBox {
public:
    using Responder = std::function<void(QMessageBox&)>;

    static void show(QWidget* parent, const QString& text, MsgBoxStyle style, const QString& title = {});

    // Returns the previous responder; an empty one restores real, modal boxes.
    static Responder setResponder(Responder responder);
};

}  // namespace platform
