// The quick filter of the results list: which photos of a set hold every word typed, in their label, description,
// codes or the codes' names from the code files.
#pragma once

#include "data/photodatabase.h"

#include <QHash>
#include <QString>
#include <array>
#include <vector>

class PhotoFilter
{
public:
    // For the vegetation, activity, danger-rating and fire-behaviour codes: a database value and the list entry
    // that names it ("PP-Ponderosa pine").
    using CodeTexts = std::array<QHash<QString, QString>, 4>;

    void setCodeTexts(CodeTexts texts);
    void setPhotos(PhotoSetPtr photos);

    // One flag a photo of the set: whether it holds every word of text, letter case ignored. An empty text
    // keeps every photo.
    std::vector<bool> matches(const QString &text) const;
    // The text a photo is searched in (lower case), for the tests.
    QString searchText(const PhotoRecord &photo) const;

private:
    void prepare() const;

    CodeTexts m_codes;
    PhotoSetPtr m_photos;
    mutable std::vector<QString> m_texts; // made on the first filtering of a set
};
