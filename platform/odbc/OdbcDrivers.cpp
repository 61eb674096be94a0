#include "OdbcDrivers.h"

#include "OdbcHandle.h"

#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QStringList>

#include <vector>

namespace platform {

namespace {

// "key=value" pairs, each ended by a NUL, as the driver list gives them.
QString attribute(const QStringList& pairs, QStringView key)
{
    for (const QString& pair : pairs) {
        const qsizetype equals = pair.indexOf(u'=');
        if (equals > 0 && QStringView(pair).left(equals).compare(key, Qt::CaseInsensitive) == 0)
            return pair.mid(equals + 1);
    }
    return {};
}

QString readDriverLibrary(const QString& driverName)  // throws RuntimeError
{
    OdbcHandle environment(SQL_HANDLE_ENV, nullptr);
    environment.check(SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION,
        reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0));
    std::vector<SQLWCHAR> name(256);
    std::vector<SQLWCHAR> attributes(1024);
    SQLUSMALLINT direction = SQL_FETCH_FIRST;
    for (;;) {
        SQLSMALLINT nameLength = 0;
        SQLSMALLINT attributesLength = 0;
        const SQLRETURN ret = SQLDriversW(environment.get(), direction, name.data(),
            static_cast<SQLSMALLINT>(name.size()), &nameLength, attributes.data(),
            static_cast<SQLSMALLINT>(attributes.size()), &attributesLength);
        if (ret == SQL_NO_DATA)
            return {};
        environment.check(ret);
        if (nameLength >= static_cast<SQLSMALLINT>(name.size())
            || attributesLength >= static_cast<SQLSMALLINT>(attributes.size())) {
            // Cut short: the list is read again from its start with room for this entry.
            name.resize(std::max<std::size_t>(name.size(), nameLength + 1));
            attributes.resize(std::max<std::size_t>(attributes.size(), attributesLength + 1));
            direction = SQL_FETCH_FIRST;
            continue;
        }
        direction = SQL_FETCH_NEXT;
        if (fromSqlWide(name.data(), nameLength).compare(driverName, Qt::CaseInsensitive) != 0)
            continue;
        const QStringList pairs = fromSqlWide(attributes.data(), attributesLength).split(u'\0', Qt::SkipEmptyParts);
        const QString library64 = attribute(pairs, u"Driver64");
        return library64.isEmpty() ? attribute(pairs, u"Driver") : library64;
    }
}

}  // namespace

QString driverLibrary(const QString& driverName)
{
    static QMutex mutex;
    static QHash<QString, QString> found;  // by driver name folded to lower case
    const QMutexLocker lock(&mutex);
    const QString key = driverName.toLower();
    if (const auto known = found.constFind(key); known != found.cend())
        return *known;
    // A driver not registered yet may be by the next login.
    const QString library = readDriverLibrary(driverName);
    if (!library.isEmpty())
        found.insert(key, library);
    return library;
}

bool takesBracedValuesAsWritten(const QString& library)
{
    return QFileInfo(library).fileName().startsWith(u"libtdsodbc");
}

}  // namespace platform
