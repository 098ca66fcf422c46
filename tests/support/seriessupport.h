// SPDX-License-Identifier: GPL-3.0-or-later
// Photo series for the photo manager's tests: zip files written with libzip, and snapshots of a folder tree.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <vector>

namespace TestSupport
{
struct ZipEntry {
    QString name;
    QByteArray bytes;
    bool link = false; // a symbolic link whose target is bytes
};
// Writes the entries uncompressed (so that a test can find and damage an entry's bytes); false on failure.
bool writeZip(const QString &path, const std::vector<ZipEntry> &entries);
// Every regular file under folder as entries named prefix + its path inside folder.
std::vector<ZipEntry> folderEntries(const QString &folder, const QString &prefix = {});

// Every entry under folder (hidden ones too) with its bytes ("<dir>" for folders, "-> target" for links), so
// that a test can tell that nothing changed.
QMap<QString, QByteArray> treeSnapshot(const QString &folder);
} // namespace TestSupport
