#include "clsMsSqlLogon.h"

#include "frmMsSqlLogon.h"

#include <QApplication>
#include <QLineEdit>

bool clsMsSqlLogon::ShowForm()
{
    frmMsSqlLogon form(QApplication::activeWindow());
    form.exec();
    if (form.ReturnDialog() != 1)
        return false;
    setServer(form.txtSvr()->text());
    setDatabase(form.txtDb()->text());
    setUsername(form.txtUid()->text());
    setPassword(form.txtPwd()->text());
    return true;
}
