// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of the program's own resources, decoded without asking every image plugin what they are.
#pragma once

#include <QImage>
#include <QImageReader>
#include <QString>

// A resource of a known format: a reader left to detect the format loads every image plugin to ask it,
// which costs start-up a good many milliseconds.
inline QImage resourceImage(const QString &path, const char *format = "png")
{
    QImageReader reader(path, format);
    reader.setAutoDetectImageFormat(false);
    return reader.read();
}
