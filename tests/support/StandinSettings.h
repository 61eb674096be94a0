#pragma once

#include "ConnectionSettings.h"
#include "StandinLogin.h"

// The connection settings of a logon to the stand-in's test catalog, for as
// long as it lives; cleared again after, as at start.
class StandinSettings {
public:
    StandinSettings()
    {
        const StandinLogin login = standinLogin();
        gstrSvr = login.server;
        gstrDb = login.database;
        gstrUid = login.uid;
        gstrPwd = login.pwd;
    }
    ~StandinSettings()
    {
        gstrSvr.clear();
        gstrDb.clear();
        gstrUid.clear();
        gstrPwd.clear();
    }
    StandinSettings(const StandinSettings&) = delete;
    StandinSettings& operator=(const StandinSettings&) = delete;
};
