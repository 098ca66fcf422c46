// SPDX-License-Identifier: GPL-3.0-or-later
// Image paths of a photo and their look-up in the photo directory and the local copy.
#include "imageresolver.h"

#include "data/photorecord.h"
#include "shell/photodirectory.h"

#include <QDir>
#include <tuple>

ImageResolver::ImageResolver(const PhotoDirectory &directory, QString programFolder)
    : m_directory(directory), m_programFolder(std::move(programFolder))
{
}

bool ImageResolver::isSafeName(const QString &name)
{
    if (name.trimmed().isEmpty())
        return false;
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // "C:/x" is absolute on the series' home platform; never follow it here either.
    if (path.startsWith(QLatin1Char('/')) || (path.size() > 1 && path.at(1) == QLatin1Char(':')))
        return false;
    const QStringList parts = path.split(QLatin1Char('/'));
    for (const QString &part : parts) {
        if (part == QLatin1String(".."))
            return false;
    }
    return true;
}

QString ImageResolver::joinImagePath(const QString &folder, const QString &book, const QString &name)
{
    if (!isSafeName(book) || !isSafeName(name))
        return {};
    QString relative = book + QLatin1Char('/') + name;
    relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return PhotoDirectory::normalize(folder) + relative;
}

QString ImageResolver::localFolder() const
{
    return PhotoDirectory::normalize(m_programFolder) + QStringLiteral("PhotoImages/");
}

SlotPaths ImageResolver::paths(const PhotoRecord &photo) const
{
    SlotPaths p;
    std::tie(p.PhotoPath, p.LocalPhotoPath) = places(photo, Photo);
    std::tie(p.DataPath, p.LocalDataPath) = places(photo, DataPlate);
    return p;
}

std::pair<QString, QString> ImageResolver::places(const PhotoRecord &photo, Image image) const
{
    const QString &name = image == Photo ? photo.photoPic : photo.dataPic;
    return {joinImagePath(m_directory.folder(), photo.bookLabel, name),
            joinImagePath(localFolder(), photo.bookLabel, name)};
}

ImageResolver::Result ImageResolver::resolve(const PhotoRecord &photo, Image image, bool skipPhotoDirectory) const
{
    const auto [directoryPath, localPath] = places(photo, image);
    return resolve(directoryPath, localPath, skipPhotoDirectory);
}

ImageResolver::Result ImageResolver::resolve(const QString &directoryPath, const QString &localPath,
                                             bool skipPhotoDirectory) const
{
    Result result;
    if (!skipPhotoDirectory && !directoryPath.isEmpty()) {
        QString found;
        switch (m_directory.lookUp(directoryPath, &found)) {
        case PhotoDirectory::Lookup::Found:
            result.path = found;
            result.source = ImagePhotoDirectory;
            return result;
        case PhotoDirectory::Lookup::DriveNotReady:
            result.driveNotReady = true;
            break;
        case PhotoDirectory::Lookup::NotFound:
            break;
        }
    }
    const QString local = PhotoDirectory::matchExisting(localPath);
    if (!local.isEmpty()) {
        result.path = local;
        result.source = ImageLocal;
    }
    return result;
}

QString ImageResolver::noPictureMessage() const
{
    return QStringLiteral("No Picture Available in:") + QLatin1Char('\n') + m_directory.value() +
           QStringLiteral(" or") + QLatin1Char('\n') + QDir::cleanPath(m_programFolder) +
           QStringLiteral("/PhotoImages");
}
