#include "frmMain.h"

#include "AppInfo.h"
#include "ConnectionSettings.h"
#include "DocumentPipeline.h"
#include "DocumentSave.h"
#include "DocumentSettings.h"
#include "ExcelProbe.h"
#include "FormLayout.h"
#include "MessageBox.h"
#include "MousePointer.h"
#include "PrivateProfile.h"
#include "RuntimeError.h"
#include "basMessage.h"
#include "clsMsSqlLogon.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>

using platform::twips;
using platform::twipsRect;

namespace {

constexpr int kClientWidth = 5070;
constexpr int kClientHeight = 4005;
constexpr int kStatusTop = 3675;

using namespace document_settings;

// A property name is a sysname, 128 UTF-16 units of at most 3 bytes of UTF-8
// each; the read buffer takes the longest whole.
constexpr int kPropertyNameLength = 128;
constexpr qsizetype kIniValueBuffer = kPropertyNameLength * 3 + 1;
const QString kIniOn = QStringLiteral("1");
const QString kIniOff = QStringLiteral("0");

const QString kDetailedCaption = QStringLiteral("詳細な仕様書");
const QString kDetailedTip = QStringLiteral(
    "テーブルとビューの仕様書に論理名・説明、デフォルト、キー、インデックス、制約、トリガーを、"
    "ストアドプロシージャとストアドファンクションの仕様書に説明を加えます。");
const QString kDescriptionPropertyCaption = QStringLiteral("説明のプロパティ名:");
const QString kDescriptionPropertyTip =
    QStringLiteral("説明を持つ拡張プロパティの名前です。空欄のときは MS_Description を使います。");

}  // namespace

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setFont(platform::formFont());
    createButtons();
    createDocumentOptions();
    createMenus();
    createStatusBar();
    fixClientArea();
    Form_Load();
}

void frmMain::createButtons()
{
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    const QString captions[] = {msg::kTableDocument, msg::kViewDocument, msg::kProcedureDocument,
        msg::kFunctionDocument};
    for (qint16 index = 0; index < 4; ++index) {
        auto* button = new QPushButton(captions[index], client);
        button->setObjectName(QStringLiteral("cmdDoc_%1").arg(index));
        button->setAccessibleName(captions[index]);
        button->setGeometry(twipsRect(240, 240 + 600 * index, 4575, 495));
        button->setAutoDefault(false);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, index] { cmdDoc_Click(index); });
        cmdDoc[index] = button;
    }
    for (int index = 0; index < 3; ++index)
        setTabOrder(cmdDoc[index], cmdDoc[index + 1]);
    setCentralWidget(client);
}

void frmMain::createDocumentOptions()
{
    QWidget* client = centralWidget();
    const QString defaultProperty = DocumentOptions().descriptionProperty;
    chkDetailed = new QCheckBox(kDetailedCaption, client);
    chkDetailed->setObjectName(QStringLiteral("chkDetailed"));
    chkDetailed->setToolTip(kDetailedTip);
    chkDetailed->setGeometry(twipsRect(240, 2715, 4575, 375));
    lblDescriptionProperty = new QLabel(kDescriptionPropertyCaption, client);
    lblDescriptionProperty->setObjectName(QStringLiteral("lblDescriptionProperty"));
    lblDescriptionProperty->setGeometry(twipsRect(240, 3150, 1950, 285));
    txtDescriptionProperty = new QLineEdit(client);
    txtDescriptionProperty->setObjectName(QStringLiteral("txtDescriptionProperty"));
    txtDescriptionProperty->setGeometry(twipsRect(2280, 3150, 2535, 285));
    txtDescriptionProperty->setMaxLength(kPropertyNameLength);
    txtDescriptionProperty->setPlaceholderText(defaultProperty);
    txtDescriptionProperty->setToolTip(kDescriptionPropertyTip);
    lblDescriptionProperty->setBuddy(txtDescriptionProperty);
    setTabOrder(cmdDoc[3], chkDetailed);
    setTabOrder(chkDetailed, txtDescriptionProperty);

    // Read before the handlers are connected, so that showing what is
    // remembered writes nothing back.
    chkDetailed->setChecked(
        platform::getPrivateProfileString(kSection, kDetailed, kIniOff, kIniValueBuffer, kFile) == kIniOn);
    txtDescriptionProperty->setText(platform::getPrivateProfileString(
        kSection, kDescriptionProperty, defaultProperty, kIniValueBuffer, kFile));
    connect(chkDetailed, &QCheckBox::toggled, this, &frmMain::chkDetailed_Click);
    connect(txtDescriptionProperty, &QLineEdit::textChanged, this, &frmMain::txtDescriptionProperty_Change);
}

void frmMain::createMenus()
{
    mnuFile = menuBar()->addMenu(msg::kMenuFile);
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFileConnect = mnuFile->addAction(msg::kMenuFileConnect);
    mnuFileConnect->setObjectName(QStringLiteral("mnuFileConnect"));
    // Beside the buttons' untitled hand-over: one item per document kind,
    // each asking where its file goes.
    mnuFileSave = mnuFile->addMenu(msg::kMenuFileSave);
    mnuFileSave->setObjectName(QStringLiteral("mnuFileSave"));
    for (qint16 index = 0; index < 4; ++index) {
        mnuFileSaveDoc[index] = mnuFileSave->addAction(msg::kMenuFileSaveDocuments[index]);
        mnuFileSaveDoc[index]->setObjectName(QStringLiteral("mnuFileSaveDoc_%1").arg(index));
        connect(mnuFileSaveDoc[index], &QAction::triggered, this, [this, index] { mnuFileSave_Click(index); });
    }
    mnuFile->addSeparator()->setObjectName(QStringLiteral("mnuFileBar"));
    mnuFileEnd = mnuFile->addAction(msg::kMenuFileEnd);
    mnuFileEnd->setObjectName(QStringLiteral("mnuFileEnd"));
    connect(mnuFileConnect, &QAction::triggered, this, &frmMain::mnuFileConnect_Click);
    connect(mnuFileEnd, &QAction::triggered, this, &frmMain::mnuFileEnd_Click);

    mnuHelp = menuBar()->addMenu(msg::kMenuHelp);
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelpVersion = mnuHelp->addAction(msg::kMenuHelpVersion);
    mnuHelpVersion->setObjectName(QStringLiteral("mnuHelpVersion"));
    connect(mnuHelpVersion, &QAction::triggered, this, &frmMain::mnuHelpVersion_Click);
}

void frmMain::createStatusBar()
{
    stbMain = new QStatusBar(this);
    stbMain->setObjectName(QStringLiteral("stbMain"));
    stbMain->setSizeGripEnabled(false);
    // One label across the whole bar: a permanent text that assistive
    // technology reads as the label's name.
    statusText = new QLabel(stbMain);
    statusText->setObjectName(QStringLiteral("stbMainText"));
    statusText->setTextFormat(Qt::PlainText);
    statusText->setIndent(3);
    stbMain->addWidget(statusText, 1);
    setStatusBar(stbMain);
}

void frmMain::fixClientArea()
{
    centralWidget()->setFixedSize(twips(kClientWidth), twips(kStatusTop));
    stbMain->setFixedSize(twips(kClientWidth), twips(kClientHeight - kStatusTop));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void frmMain::Form_Load()
{
    setWindowTitle(QString::fromUtf8(platform::app_info::kTitle));
    mblnFirstActivate = true;
    ClearStatus();
}

void frmMain::ShowStatus(const QString& text)
{
    statusText->setText(text);
    // A failure text is often wider than the bar: pointing at it shows it
    // whole, and assistive technology reads the tooltip as the description.
    statusText->setToolTip(text);
    QAccessibleEvent name(statusText, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&name);
    QAccessibleEvent description(statusText, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

void frmMain::ClearStatus()
{
    ShowStatus(QString());
}

void frmMain::mnuFileEnd_Click()
{
    close();
}

void frmMain::mnuHelpVersion_Click()
{
    using namespace platform::app_info;
    platform::MessageBox::show(this,
        QStringLiteral("Ver.%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision),
        platform::MsgBoxStyle::OkOnly);
}

void frmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    // A desktop may map the window without activating it (focus-stealing
    // prevention, Wayland without an activation token, no window manager), so
    // the first activation also runs once the show is done, activated or not.
    if (mblnFirstActivate)
        QMetaObject::invokeMethod(this, &frmMain::activate, Qt::QueuedConnection);
}

void frmMain::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        activate();
}

bool frmMain::eventFilter(QObject* watched, QEvent* event)
{
    // Enter presses a focused document button, as Space does: once per
    // press, so that a held key does not queue a second run behind the first.
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (!key->isAutoRepeat())
                static_cast<QPushButton*>(watched)->click();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void frmMain::activate()
{
    // The activation, the show's call and the activations that the probe's
    // message box and the logon hand back all come here: one runs at a time,
    // and whichever comes after it finds the flag cleared or the window gone.
    if (!isVisible() || activating_)
        return;
    activating_ = true;
    Form_Activate();
    activating_ = false;
}

void frmMain::Form_Activate()
{
    if (!mblnFirstActivate)
        return;
    if (!IsExcelInstalled(this)) {
        close();
        return;
    }
    // Cleared before the modal logon, so the activation that follows it does nothing.
    mblnFirstActivate = false;
    mnuFileConnect_Click();
}

void frmMain::mnuFileConnect_Click()
{
    ClearStatus();
    clsMsSqlLogon logon;
    if (!logon.ShowForm())
        return;
    gstrSvr = logon.Server();
    gstrDb = logon.Database();
    gstrUid = logon.Username();
    gstrPwd = logon.Password();
    ShowStatus(msg::kConnected);
}

void frmMain::cmdDoc_Click(qint16 Index)
{
    ShowStatus(msg::kCreatingDocument);
    platform::setMousePointer(platform::MousePointer::Hourglass);
    repaintStatus();
    bool done = false;
    try {
        done = runDocument(Index, documentOptions());
    } catch (const platform::RuntimeError& error) {
        // Only the cleanup steps of a failed run can get here; report rather than end the program.
        ShowStatus(error.failureText());
    }
    platform::setMousePointer(platform::MousePointer::Default);
    if (done)
        ShowStatus(msg::kDocumentCreated);
}

bool frmMain::runDocument(qint16 kind, const DocumentOptions& options)
{
    return DocumentPipeline(*this, options).CreateDocument(kind);
}

// A failed write of either option only leaves it unremembered; the window
// goes on with what it shows.
void frmMain::chkDetailed_Click()
{
    platform::writePrivateProfileString(
        kSection, kDetailed, chkDetailed->isChecked() ? kIniOn : kIniOff, kFile);
}

void frmMain::txtDescriptionProperty_Change()
{
    platform::writePrivateProfileString(
        kSection, kDescriptionProperty, txtDescriptionProperty->text(), kFile);
}

DocumentOptions frmMain::documentOptions() const
{
    DocumentOptions options;
    options.detailed = chkDetailed->isChecked();
    // Blanks around a name are slips of the keyboard; a blank box keeps the default.
    const QString property = txtDescriptionProperty->text().trimmed();
    if (!property.isEmpty())
        options.descriptionProperty = property;
    return options;
}

void frmMain::mnuFileSave_Click(qint16 Index)
{
    // Told before the user picks a file for a document that cannot be made.
    if (!IsConnected()) {
        ShowStatus(msg::kNotConnected);
        return;
    }
    const std::optional<DocumentFile> file = chooseDocumentFile(this, Index);
    if (!file)
        return;
    ShowStatus(msg::kCreatingDocument);
    platform::setMousePointer(platform::MousePointer::Hourglass);
    repaintStatus();
    bool done = false;
    try {
        done = saveDocument(*this, Index, documentOptions(), *file);
    } catch (const platform::RuntimeError& error) {
        ShowStatus(error.failureText());
    }
    platform::setMousePointer(platform::MousePointer::Default);
    if (done)
        ShowStatus(msg::kDocumentSaved.arg(file->path));
}

void frmMain::repaintStatus()
{
    stbMain->repaint();
}

void frmMain::showProgress(qint32 done, qint32 total, const QString& objectName)
{
    if (!progress_.due(done))
        return;
    ShowStatus(progressText(done, total, objectName));
    repaintStatus();
}
