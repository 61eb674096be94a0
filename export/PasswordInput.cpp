#include "PasswordInput.h"

#include <cstdio>
#include <iostream>
#include <string>

#include <termios.h>
#include <unistd.h>

namespace {

// One line from the stream, without its line end; nothing at end of input.
std::optional<QString> readLine(std::istream& in)
{
    std::string line;
    if (!std::getline(in, line))
        return std::nullopt;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}

// Echo is off while the user types, and on again however the read ends.
class EchoOff {
public:
    EchoOff()
    {
        if (tcgetattr(STDIN_FILENO, &saved_) != 0)
            return;
        termios quiet = saved_;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        active_ = tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet) == 0;
    }
    ~EchoOff()
    {
        if (active_)
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved_);
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    termios saved_{};
    bool active_ = false;
};

}  // namespace

std::optional<QString> readPassword(bool fromStdin)
{
    if (fromStdin)
        return readLine(std::cin);
    if (qEnvironmentVariableIsSet("TABLINOR_PASSWORD"))
        return qEnvironmentVariable("TABLINOR_PASSWORD");
    if (!isatty(STDIN_FILENO))
        return std::nullopt;
    std::cerr << "パスワード: " << std::flush;
    std::optional<QString> password;
    {
        const EchoOff quiet;
        password = readLine(std::cin);
    }
    // The user's Enter was not echoed either.
    std::cerr << std::endl;
    return password;
}
