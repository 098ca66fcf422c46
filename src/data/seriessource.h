// SPDX-License-Identifier: GPL-3.0-or-later
// A photo series to install: a folder (a mounted disc, an unpacked download) or a .zip file holding a Photo.mdb
// and one image folder per book, beside it or in a PhotoImages folder beside it.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class SeriesSource
{
public:
    struct File {
        QString relativeName; // inside the book's folder, "/" separated, never leaving it
        qint64 size = 0;
        QString path;      // a folder's file
        qint64 index = -1; // a zip entry
    };

    // Opens path: a folder holding Photo.mdb (at its top or in its one sub-folder), the Photo.mdb itself, or a
    // .zip holding the same. Names match without regard to case, as series copied from discs change it.
    static std::unique_ptr<SeriesSource> open(const QString &path, QString *error);
    virtual ~SeriesSource() = default;

    QString path() const { return m_path; }
    // The series' database as a local file; a zip's is extracted into workFolder.
    virtual bool database(const QString &workFolder, QString *path, QString *error) = 0;
    // The files of the book's image folder; *found false when the source has no folder for it.
    virtual std::vector<File> bookFiles(const QString &bookLabel, bool *found) const = 0;
    // Writes the file into target (which must not exist). cancelled() is asked during long copies.
    virtual bool copy(const File &file, const QString &target, const std::function<bool()> &cancelled,
                      QString *error) = 0;
    // The folder that holds the book folders, which the photo directory can name to use the pictures where
    // they are; empty for a zip.
    virtual QString imageRoot() const = 0;
    // A disc or another read-only medium: its pictures are best used where they are.
    virtual bool readOnlyMedium() const = 0;
    // Entries that were left out because they are unsafe (links, paths leaving the folder, encrypted).
    QStringList refusedEntries() const { return m_refused; }

protected:
    QString m_path;
    QStringList m_refused;
};
