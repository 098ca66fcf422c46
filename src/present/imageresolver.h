// SPDX-License-Identifier: GPL-3.0-or-later
// Where a photo's two images are: the photo directory unless "Search Local Only", then the local PhotoImages copy.
#pragma once

#include <QString>
#include <utility>

class PhotoDirectory;
struct PhotoRecord;

// Where a slot's picture came from; the view window and the reports take the same place.
enum ImageSourceKind { ImageLocal = 0, ImagePhotoDirectory = 1, ImageNowhere = 2 };

// The four image paths of a photo; an empty path means there is no such image (no name, or an unsafe one).
struct SlotPaths {
    QString PhotoPath;
    QString DataPath;
    QString LocalPhotoPath;
    QString LocalDataPath;
};

class ImageResolver
{
public:
    enum Image { Photo, DataPlate };

    struct Result {
        QString path;               // the existing file; empty when found nowhere
        int source = ImageNowhere;  // ImageSourceKind
        bool driveNotReady = false; // the photo directory was tried and could not be read
    };

    // The photo directory is read afresh on every use, so paths follow a changed setting.
    ImageResolver(const PhotoDirectory &directory, QString programFolder);

    // A book label or image name is followed only when it stays inside its folder.
    static bool isSafeName(const QString &name);
    // folder + book + "/" + name, or empty text when the name is null, empty or unsafe.
    static QString joinImagePath(const QString &folder, const QString &book, const QString &name);

    QString localFolder() const; // program folder + "/PhotoImages/"
    SlotPaths paths(const PhotoRecord &photo) const;
    // The two places of one image: in the photo directory, then in the local folder.
    std::pair<QString, QString> places(const PhotoRecord &photo, Image image) const;

    // Looks one image up: the photo directory first unless skipped, then the local copy.
    Result resolve(const PhotoRecord &photo, Image image, bool skipPhotoDirectory) const;
    // The same for given paths (the view window is handed paths, not records).
    Result resolve(const QString &directoryPath, const QString &localPath, bool skipPhotoDirectory) const;

    // "No Picture Available in:" with the photo directory and the local folder, one per line.
    QString noPictureMessage() const;

private:
    const PhotoDirectory &m_directory;
    QString m_programFolder;
};
