#pragma once

#include "frmMsSqlLogon.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDirIterator>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

// A settings folder of its own for each test: the program's configuration
// folder follows XDG_CONFIG_HOME.
class SettingsHome {
public:
    SettingsHome()
    {
        QCoreApplication::setApplicationName(QStringLiteral("tablinor"));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.path()));
    }

    QString folder() const { return home_.path() + QStringLiteral("/tablinor"); }
    QString iniPath() const { return folder() + QStringLiteral("/STATUS.INI"); }
    bool iniExists() const { return QFile::exists(iniPath()); }

    QByteArray iniBytes() const
    {
        QFile file(iniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeIni(const QByteArray& bytes) const;

    // Every file below the home that holds the text in UTF-8 or UTF-16.
    QStringList filesContaining(const QString& text) const
    {
        QStringList found;
        const QByteArray utf8 = text.toUtf8();
        const QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
        QDirIterator files(home_.path(), QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
        while (files.hasNext()) {
            QFile file(files.next());
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const QByteArray bytes = file.readAll();
            if (bytes.contains(utf8) || bytes.contains(utf16))
                found << file.fileName();
        }
        return found;
    }

private:
    QTemporaryDir home_;
};

inline void SettingsHome::writeIni(const QByteArray& bytes) const
{
    ASSERT_TRUE(QDir().mkpath(folder()));
    QFile file(iniPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Types text key by key. QTest spells only Latin-1 as keys; any other
// character arrives as the text of a key event, as an input method sends it.
inline void typeText(QWidget* widget, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text[i];
        if (ch.unicode() < 0x80) {
            QTest::keyClick(widget, ch.toLatin1());
            continue;
        }
        const qsizetype length = ch.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(i, length));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, text.mid(i, length));
        QCoreApplication::sendEvent(widget, &press);
        QCoreApplication::sendEvent(widget, &release);
        i += length - 1;
    }
}

// Runs step on the logon dialog once the modal loop of ShowForm has shown it.
// A dialog that step leaves open is a failure, and is cancelled so that
// ShowForm returns.
inline void onLogonDialog(std::function<void(frmMsSqlLogon&)> step)
{
    QTimer::singleShot(0, [step = std::move(step)] {
        QPointer dialog = qobject_cast<frmMsSqlLogon*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog) << "no modal logon dialog is open";
        step(*dialog);
        if (dialog && dialog->isVisible()) {
            ADD_FAILURE() << "the logon dialog is still open";
            dialog->reject();
        }
    });
}
