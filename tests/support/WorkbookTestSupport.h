#pragma once

// Helpers for tests of workbook output: a stand-in spreadsheet application
// first on PATH, and independent readers of written .xlsx and .fods files.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <vector>

// While alive: a stand-in spreadsheet program comes first on PATH (or, with
// `alone`, is all there is on it) and records every start in calls(); the
// home folder, where hand-over files go, is a fresh temporary one.
class SofficeStandIn {
public:
    struct Start {
        QStringList args;
        QString mode;  // octal permission bits of the file given last, when started
        QString copy;  // the stand-in's copy of that file, with its suffix
    };

    // `folder`: soffice-standin, libreoffice-standin or flatpak-standin.
    explicit SofficeStandIn(const char* folder = "soffice-standin", bool alone = false)
        : oldPath_(qgetenv("PATH")), oldHome_(qgetenv("HOME")), oldCalls_(qgetenv("SOFFICE_STANDIN_DIR"))
    {
        const QByteArray standIn = QByteArray(TABLINOR_TEST_SUPPORT_DIR "/") + folder;
        qputenv("PATH", alone ? standIn : standIn + ':' + oldPath_);
        qputenv("HOME", QFile::encodeName(home()));
        qputenv("SOFFICE_STANDIN_DIR", QFile::encodeName(calls()));
    }
    ~SofficeStandIn()
    {
        qputenv("PATH", oldPath_);
        restore("HOME", oldHome_);
        restore("SOFFICE_STANDIN_DIR", oldCalls_);
    }
    SofficeStandIn(const SofficeStandIn&) = delete;
    SofficeStandIn& operator=(const SofficeStandIn&) = delete;

    QString home() const { return dir_.filePath(QStringLiteral("home")); }
    // Where hand-over files are expected: the documents folder of home().
    QString handOverFolder() const { return home() + QStringLiteral("/Documents/Tablinor"); }
    QString calls() const { return dir_.filePath(QStringLiteral("calls")); }

    // The starts recorded so far, once at least `count` have completed.
    std::vector<Start> waitForStarts(int count, int timeoutMs = 20000) const
    {
        QElapsedTimer timer;
        timer.start();
        QStringList done;
        do {
            done = QDir(calls()).entryList({QStringLiteral("*.done")}, QDir::Files, QDir::Name);
            if (done.size() >= count)
                break;
            QThread::msleep(20);
        } while (timer.elapsed() < timeoutMs);
        std::vector<Start> starts;
        for (const QString& name : done) {
            const QString base = QDir(calls()).filePath(name.chopped(5));
            const QString copy = QDir(calls()).entryList({name.chopped(5) + QStringLiteral(".copy.*")}).value(0);
            starts.push_back({readLines(base + QStringLiteral(".args")),
                readLines(base + QStringLiteral(".mode")).value(0), QDir(calls()).filePath(copy)});
        }
        return starts;
    }

private:
    static QStringList readLines(const QString& path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
    }
    static void restore(const char* name, const QByteArray& value)
    {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    QTemporaryDir dir_;
    QByteArray oldPath_, oldHome_, oldCalls_;
};

// What a reader script of this folder prints for a file, as JSON; an empty
// object after a failed expectation when it cannot read it.
inline QJsonObject readWithScript(const char* script, const QString& path)
{
    QProcess reader;
    reader.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(TABLINOR_TEST_SUPPORT_DIR "/") + QLatin1String(script), path});
    EXPECT_TRUE(reader.waitForFinished(60000));
    EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(reader.readAllStandardOutput()).object();
}

// What openpyxl reads from an .xlsx file (see xlsx_dump.py).
inline QJsonObject readXlsx(const QString& path)
{
    return readWithScript("xlsx_dump.py", path);
}

// What the standard XML parser reads from a flat OpenDocument file (see ods_dump.py).
inline QJsonObject readOds(const QString& path)
{
    return readWithScript("ods_dump.py", path);
}
