#pragma once

#include "DocumentOptions.h"
#include "StatusLine.h"

#include <QMainWindow>

#include <array>

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;

// The main window: four document buttons, the document options under them,
// the menu and the status line.
class frmMain : public QMainWindow, public StatusLine {
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);

    void ShowStatus(const QString& text) override;
    void ClearStatus();

    bool mblnFirstActivate = false;

protected:
    // Makes the kind's document; the one step a test may replace to see what
    // a button passes on.
    virtual bool runDocument(qint16 kind, const DocumentOptions& options);  // throws RuntimeError

    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createButtons();
    void createDocumentOptions();
    void createMenus();
    void createStatusBar();
    void fixClientArea();

    void Form_Load();
    void activate();
    void Form_Activate();
    void cmdDoc_Click(qint16 Index);
    void mnuFileConnect_Click();
    void mnuFileSave_Click(qint16 Index);
    void mnuFileEnd_Click();
    void mnuHelpVersion_Click();
    void chkDetailed_Click();
    void txtDescriptionProperty_Change();
    DocumentOptions documentOptions() const;

    // Paints the status line now, so that it shows while a run blocks.
    void repaintStatus();
    void showProgress(qint32 done, qint32 total, const QString& objectName) override;

    ProgressThrottle progress_;
    bool activating_ = false;

    std::array<QPushButton*, 4> cmdDoc{};
    QCheckBox* chkDetailed = nullptr;
    QLabel* lblDescriptionProperty = nullptr;
    QLineEdit* txtDescriptionProperty = nullptr;
    QStatusBar* stbMain = nullptr;
    QLabel* statusText = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuFileConnect = nullptr;
    QMenu* mnuFileSave = nullptr;
    std::array<QAction*, 4> mnuFileSaveDoc{};
    QAction* mnuFileEnd = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpVersion = nullptr;
};
