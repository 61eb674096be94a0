#pragma once

#include <QString>

// Where every document run connects: written together by a successful logon,
// empty until then, never cleared. They are not a live connection.
inline QString gstrSvr;
inline QString gstrDb;
inline QString gstrUid;
inline QString gstrPwd;

// True once a logon has filled the settings; only the server is looked at.
inline bool IsConnected()
{
    return !gstrSvr.isEmpty();
}
