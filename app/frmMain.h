#pragma once

#include "ExcelBook.h"
#include "StatusLine.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <array>
#include <vector>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;
class clsMsSqlConnect;

// The main window: four document buttons, the menu and the status line.
class frmMain : public QMainWindow, public StatusLine {
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);

    void ShowStatus(const QString& text) override;
    void ClearStatus();

    // True once a logon has filled the connection settings; only the server is looked at.
    bool IsConnected() const;

    bool mblnFirstActivate = false;

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createButtons();
    void createMenus();
    void createStatusBar();
    void fixClientArea();

    void Form_Load();
    void activate();
    void Form_Activate();
    void cmdDoc_Click(qint16 Index);
    void mnuFileConnect_Click();
    void mnuFileEnd_Click();
    void mnuHelpVersion_Click();

    // Paints the status line now, so that it shows while a run blocks.
    void repaintStatus();
    void showProgress(qint32 done, qint32 total, const QString& objectName);

    bool CreateDocument(qint16 kind);
    bool MakeFieldsBook(qint16 kind);
    // Adds each object's sheet to robjObjectSheets, in the object list's order.
    bool PrintObjectSheets(qint16 kind, clsMsSqlConnect& robjCn, const XlWorkbook& robjXlBook,
        std::vector<XlWorksheet>& robjObjectSheets);
    bool MakeStoredBook(qint16 kind);
    bool QueryObjectList(qint16 kind, clsMsSqlConnect& robjCn);      // throws RuntimeError from Disconnect/CloseRs
    bool QueryColumnList(qint16 kind, qint32 id, clsMsSqlConnect& robjCn);  // throws RuntimeError from Disconnect

    QElapsedTimer progressClock_;
    bool activating_ = false;

    std::array<QPushButton*, 4> cmdDoc{};
    QStatusBar* stbMain = nullptr;
    QLabel* statusText = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuFileConnect = nullptr;
    QAction* mnuFileEnd = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpVersion = nullptr;
};
