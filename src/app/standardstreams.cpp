// SPDX-License-Identifier: GPL-3.0-or-later
// Standard error with the program's name on every line, and the close of standard output that checks it.
#include "app/standardstreams.h"

#include <QString>
#include <QtGlobal>

#include <cerrno>
#include <cstring>
#include <string>
#include <unistd.h>

namespace
{

struct Prefixer {
    std::string prefix;
    bool lineStart = true;
};

ssize_t writePrefixed(void *cookie, const char *data, size_t size)
{
    auto *prefixer = static_cast<Prefixer *>(cookie);
    std::string text;
    text.reserve(size + prefixer->prefix.size());
    for (size_t i = 0; i < size; ++i) {
        if (prefixer->lineStart)
            text += prefixer->prefix;
        text += data[i];
        prefixer->lineStart = data[i] == '\n';
    }
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(STDERR_FILENO, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return -1;
        done += size_t(written);
    }
    return ssize_t(size);
}

std::FILE *qtMessages = nullptr;

void writeQtMessage(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const QByteArray line = qFormatLogMessage(type, context, message).toLocal8Bit() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), qtMessages ? qtMessages : stderr);
    if (type == QtFatalMsg)
        std::abort();
}

} // namespace

namespace StandardStreams
{

std::FILE *prefixedErrors(const char *prefix)
{
    // One stream for the process, open as long as standard error: it is never closed.
    static Prefixer prefixer;
    static std::FILE *stream = nullptr;
    prefixer.prefix = prefix;
    if (!stream) {
        const cookie_io_functions_t functions = {nullptr, writePrefixed, nullptr, nullptr};
        stream = fopencookie(&prefixer, "w", functions);
        if (!stream)
            return stderr;
        std::setvbuf(stream, nullptr, _IONBF, 0);
    }
    return stream;
}

void sendQtMessagesTo(std::FILE *errors)
{
    qtMessages = errors;
    qInstallMessageHandler(writeQtMessage);
}

bool closeOutput(std::FILE *errors)
{
    errno = 0;
    const bool flushed = std::fflush(stdout) == 0;
    int number = errno;
    const bool clean = !std::ferror(stdout);
    errno = 0;
    const bool closed = std::fclose(stdout) == 0;
    if (!number)
        number = errno;
    if (flushed && clean && closed)
        return true;
    if (errors)
        std::fprintf(errors, "cannot write the output: %s\n", number ? std::strerror(number) : "write error");
    return false;
}

} // namespace StandardStreams
