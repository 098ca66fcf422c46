// SPDX-License-Identifier: GPL-3.0-or-later
// The programs' standard streams as Unix tools keep them: messages that name the program, output checked at the end.
#pragma once

#include <cstdio>

namespace StandardStreams
{
// Standard error with prefix written before every line (glibc's fopencookie), so that every message names the
// program that wrote it, whichever routine wrote it. Unbuffered like stderr itself, so that lines written to
// stderr directly stay in order. One stream for the process: a second call changes its prefix. Falls back to stderr
// when the stream cannot be made.
std::FILE *prefixedErrors(const char *prefix);

// Qt's messages (warnings of the libraries) go to errors as well, formatted by QT_MESSAGE_PATTERN.
void sendQtMessagesTo(std::FILE *errors);

// Flushes and closes standard output: false when anything written to it was lost (a full disk, a closed pipe
// while SIGPIPE is ignored, a closed descriptor), with the reason on errors unless errors is null.
bool closeOutput(std::FILE *errors);
} // namespace StandardStreams
