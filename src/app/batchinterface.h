// fenwyx-cli: the batch interface over the program's core.
#pragma once

#include <QStringList>

namespace BatchInterface
{
// arguments without the program name; returns the exit status
int run(const QStringList &arguments);
} // namespace BatchInterface
