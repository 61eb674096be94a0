#pragma once

#include <QMainWindow>

#include <array>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;

// The main window: four document buttons, the menu and the status line.
class frmMain : public QMainWindow {
    Q_OBJECT

public:
    explicit frmMain(QWidget* parent = nullptr);

    void ShowStatus(const QString& text);
    void ClearStatus();

    // True once a logon has filled the connection settings; only the server is looked at.
    bool IsConnected() const;

    bool mblnFirstActivate = false;

private:
    void createButtons();
    void createMenus();
    void createStatusBar();
    void fixClientArea();

    void Form_Load();
    void cmdDoc_Click(qint16 Index);
    void mnuFileEnd_Click();
    void mnuHelpVersion_Click();

    bool CreateDocument(qint16 kind);

    std::array<QPushButton*, 4> cmdDoc{};
    QStatusBar* stbMain = nullptr;
    QLabel* statusText = nullptr;
    QMenu* mnuFile = nullptr;
    QAction* mnuFileConnect = nullptr;
    QAction* mnuFileEnd = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuHelpVersion = nullptr;
};
