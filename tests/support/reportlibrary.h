// SPDX-License-Identifier: GPL-3.0-or-later
// A small photo library for the report tests: Photo.mdb with chosen photos and their JPEG pictures.
#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <vector>

namespace ReportLibrary
{

struct Photo {
    qint64 id = 0;
    QString book;
    QString label;
    QString group;   // empty: null
    QString picture; // the PhotoPic name; empty: null
};

// Writes folder/Photo.mdb in SQLite form: one book per distinct book label (one class of 3 inches and more)
// and the photos, each with loadings of its own (class n of photo i loads i + n / 10).
bool writeDatabase(const QString &folder, const std::vector<Photo> &photos);

// A JPEG of the size, one colour with a frame; folders are made as needed.
bool writeJpeg(const QString &path, const QSize &size, const QColor &colour = QColor(40, 120, 60));

} // namespace ReportLibrary
