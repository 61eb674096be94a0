#include "StderrStatus.h"

#include <QList>

#include <cstdio>

#include <sys/ioctl.h>
#include <unistd.h>

namespace {

void write(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
    std::fflush(stderr);
}

// The text cut to fit one line of the terminal, counting CJK and other wide
// characters as two columns, so that a redraw never wraps.
QString fitToTerminal(const QString& text)
{
    winsize size{};
    const int columns = ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
    int used = 0;
    QString fitted;
    for (const char32_t c : text.toUcs4()) {
        used += c >= 0x1100 ? 2 : 1;
        if (used >= columns)
            break;
        fitted += QString::fromUcs4(&c, 1);
    }
    return fitted;
}

}  // namespace

StderrStatus::StderrStatus() : terminal_(isatty(STDERR_FILENO) != 0) {}

void StderrStatus::ShowStatus(const QString& vstrText)
{
    clearProgress();
    write(vstrText + u'\n');
}

void StderrStatus::showProgress(qint32 done, qint32 total, const QString& objectName)
{
    if (!terminal_ || !throttle_.due(done))
        return;
    write(QStringLiteral("\r\x1b[K") + fitToTerminal(progressText(done, total, objectName)));
    progressShown_ = true;
}

void StderrStatus::clearProgress()
{
    if (progressShown_)
        write(QStringLiteral("\r\x1b[K"));
    progressShown_ = false;
}
