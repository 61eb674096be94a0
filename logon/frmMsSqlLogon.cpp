#include "frmMsSqlLogon.h"

#include "FormLayout.h"
#include "MessageBox.h"
#include "RuntimeError.h"
#include "basInifile.h"
#include "basMessage.h"
#include "clsMsSqlConnect.h"

#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace {

const QString kIniFile = QStringLiteral("STATUS.INI");
const QString kIniSection = QStringLiteral("CONNECT");
const QString kIniServer = QStringLiteral("SERVER");
const QString kIniDatabase = QStringLiteral("DATABASE");
const QString kIniUsername = QStringLiteral("USERNAME");

constexpr qint16 kDialogOk = 1;
constexpr qint16 kDialogCancel = 2;

using platform::twips;
using platform::twipsRect;

QLabel* addLabel(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* label = new QLabel(caption, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(geometry);
    return label;
}

// Shows "*" for every character and keeps input methods out, whose
// composition window would show the password in clear.
class PasswordBox : public QLineEdit {
public:
    explicit PasswordBox(QWidget* parent)
        : QLineEdit(parent)
    {
        setEchoMode(QLineEdit::Password);
        setStyleSheet(
            QStringLiteral("QLineEdit { lineedit-password-character: 42; lineedit-password-mask-delay: 0; }"));
        // After the echo mode, which turns input methods back on.
        setAttribute(Qt::WA_InputMethodEnabled, false);
        setInputMethodHints(
            Qt::ImhHiddenText | Qt::ImhSensitiveData | Qt::ImhNoPredictiveText | Qt::ImhNoAutoUppercase);
    }

    // A line edit answers this itself, whatever its input-method attribute says.
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override
    {
        if (query == Qt::ImEnabled)
            return false;
        return QLineEdit::inputMethodQuery(query);
    }
};

template <typename Box = QLineEdit>
Box* addTextBox(QWidget* parent, const char* name, QLabel* label, QRect geometry)
{
    auto* box = new Box(parent);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(geometry);
    box->setMaxLength(std::numeric_limits<int>::max());
    label->setBuddy(box);
    return box;
}

QPushButton* addButton(QWidget* parent, const char* name, const QString& caption, QRect geometry)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    return button;
}

}  // namespace

frmMsSqlLogon::frmMsSqlLogon(QWidget* owner)
    : QDialog(owner,
          Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
              | Qt::MSWindowsFixedSizeDialogHint)
{
    setObjectName(QStringLiteral("frmMsSqlLogon"));
    setWindowTitle(msg::kLogonCaption);
    setFont(platform::formFont());
    setFixedSize(twips(3885), twips(2340));
    createControls();
    Form_Load();
}

void frmMsSqlLogon::createControls()
{
    lblSvr_ = addLabel(this, "lblSvr", msg::kLabelServer, twipsRect(120, 240, 1215, 255));
    txtSvr_ = addTextBox(this, "txtSvr", lblSvr_, twipsRect(1440, 240, 2175, 285));
    Label1_ = addLabel(this, "Label1", msg::kLabelDatabase, twipsRect(120, 600, 1215, 255));
    txtDb_ = addTextBox(this, "txtDb", Label1_, twipsRect(1440, 600, 2175, 285));
    Label2_ = addLabel(this, "Label2", msg::kLabelUser, twipsRect(120, 960, 1215, 255));
    txtUid_ = addTextBox(this, "txtUid", Label2_, twipsRect(1440, 960, 2175, 285));
    Label3_ = addLabel(this, "Label3", msg::kLabelPassword, twipsRect(120, 1320, 1215, 255));
    txtPwd_ = addTextBox<PasswordBox>(this, "txtPwd", Label3_, twipsRect(1440, 1320, 2175, 285));

    fraBtn_ = new QFrame(this);
    fraBtn_->setObjectName(QStringLiteral("fraBtn"));
    fraBtn_->setFrameShape(QFrame::NoFrame);
    fraBtn_->setGeometry(twipsRect(1320, 1800, 2295, 375));
    cmdConnect_ = addButton(fraBtn_, "cmdConnect", msg::kButtonConnect, twipsRect(0, 0, 1095, 375));
    cmdCancel_ = addButton(fraBtn_, "cmdCancel", msg::kButtonCancel, twipsRect(1200, 0, 1095, 375));
    cmdConnect_->setDefault(true);

    setTabOrder(txtSvr_, txtDb_);
    setTabOrder(txtDb_, txtUid_);
    setTabOrder(txtUid_, txtPwd_);
    setTabOrder(txtPwd_, cmdConnect_);
    setTabOrder(cmdConnect_, cmdCancel_);

    connect(cmdConnect_, &QPushButton::clicked, this, &frmMsSqlLogon::cmdConnect_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmMsSqlLogon::cmdCancel_Click);
}

void frmMsSqlLogon::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Shown once per instance. Focus given now is where the caret lands when
    // the window system activates the dialog.
    if (!event->spontaneous())
        Form_Activate();
}

void frmMsSqlLogon::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Cancel)) {
        cmdCancel_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmMsSqlLogon::Form_Load()
{
    setReturnDialog(kDialogCancel);
    LoadSettings();
}

void frmMsSqlLogon::Form_Activate()
{
    SetInitialFocus();
}

void frmMsSqlLogon::cmdConnect_Click()
{
    if (!TestConnection())
        return;
    SaveSettings();
    setReturnDialog(kDialogOk);
    hide();
}

void frmMsSqlLogon::cmdCancel_Click()
{
    hide();
}

bool frmMsSqlLogon::TestConnection()
{
    const QString server = txtSvr_->text();
    const QString database = txtDb_->text();
    const QString username = txtUid_->text();
    const QString password = txtPwd_->text();

    clsMsSqlConnect connection;
    if (!connection.Connect(server, database, username, password)) {
        platform::MessageBox::show(this, connection.Message(), platform::MsgBoxStyle::Exclamation);
        return false;
    }
    try {
        connection.Disconnect();
    } catch (const platform::RuntimeError& error) {
        // Letting it escape the click handler would end the program.
        platform::MessageBox::show(this, error.failureText(), platform::MsgBoxStyle::Exclamation);
        return false;
    }
    return true;
}

void frmMsSqlLogon::LoadSettings()
{
    txtSvr_->setText(basInifile::GetIniString(kIniServer, kIniSection, kIniFile));
    txtDb_->setText(basInifile::GetIniString(kIniDatabase, kIniSection, kIniFile));
    txtUid_->setText(basInifile::GetIniString(kIniUsername, kIniSection, kIniFile));
}

void frmMsSqlLogon::SaveSettings()
{
    // A settings file that cannot be written must not stop the logon.
    basInifile::PutIniString(txtSvr_->text(), kIniServer, kIniSection, kIniFile);
    basInifile::PutIniString(txtDb_->text(), kIniDatabase, kIniSection, kIniFile);
    basInifile::PutIniString(txtUid_->text(), kIniUsername, kIniSection, kIniFile);
}

void frmMsSqlLogon::SetInitialFocus()
{
    if (txtSvr_->text().isEmpty())
        txtSvr_->setFocus();
    else
        txtPwd_->setFocus();
}
