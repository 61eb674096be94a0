#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// The logon dialog: offers the remembered server, database and user name,
// proves what the user typed with a test connection, and remembers it.
class frmMsSqlLogon : public QDialog {
    Q_OBJECT

public:
    // The dialog centres on its owner; without one, on the screen.
    explicit frmMsSqlLogon(QWidget* owner = nullptr);

    // 2 (cancel) from load, 1 (OK) once a test connection has succeeded.
    qint16 ReturnDialog() const { return returnDialog_; }

    const QLineEdit* txtSvr() const { return txtSvr_; }
    const QLineEdit* txtDb() const { return txtDb_; }
    const QLineEdit* txtUid() const { return txtUid_; }
    const QLineEdit* txtPwd() const { return txtPwd_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void setReturnDialog(qint16 value) { returnDialog_ = value; }
    void createControls();

    void Form_Load();
    void Form_Activate();
    void cmdConnect_Click();
    void cmdCancel_Click();
    bool TestConnection();
    void LoadSettings();
    void SaveSettings();
    void SetInitialFocus();

    qint16 returnDialog_ = 2;
    QLabel* lblSvr_ = nullptr;
    QLineEdit* txtSvr_ = nullptr;
    QLabel* Label1_ = nullptr;
    QLineEdit* txtDb_ = nullptr;
    QLabel* Label2_ = nullptr;
    QLineEdit* txtUid_ = nullptr;
    QLabel* Label3_ = nullptr;
    QLineEdit* txtPwd_ = nullptr;
    QFrame* fraBtn_ = nullptr;
    QPushButton* cmdConnect_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};
