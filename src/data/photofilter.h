// SPDX-License-Identifier: GPL-3.0-or-later
// The quick filter of the results list: which photos of a set hold every word typed, in their label, description,
// codes or the codes' names from the code files.
#pragma once

#include "data/photodatabase.h"

#include <QHash>
#include <QString>
#include <QThreadPool>
#include <array>
#include <future>
#include <memory>
#include <vector>

class PhotoFilter
{
public:
    // For the vegetation, activity, danger-rating and fire-behaviour codes: a database value and the list entry
    // that names it ("PP-Ponderosa pine").
    using CodeTexts = std::array<QHash<QString, QString>, 4>;

    // False when the texts are those held already, which keeps the search texts made from them.
    bool setCodeTexts(CodeTexts texts);
    void setPhotos(PhotoSetPtr photos);

    // One flag a photo of the set: whether it holds every word of text, letter case ignored. An empty text
    // keeps every photo.
    std::vector<bool> matches(const QString &text) const;
    // Starts making the search texts on another thread (the user is about to filter), so that the first
    // keystroke does not wait for them; filtering before they are done waits for the rest.
    void prepareInBackground();

private:
    // What a photo is searched in: its own texts, and its four codes with their names, each code's text kept
    // once for all the photos that carry it.
    struct Searched {
        QString own; // label and description, in lower case
        std::array<int, 4> codes{-1, -1, -1, -1};
    };
    struct Prepared {
        std::vector<Searched> searched;
        std::vector<QString> codeTexts;
    };
    static Prepared make(const PhotoSetPtr &photos, const CodeTexts &codes);
    void prepare() const;

    CodeTexts m_codes;
    mutable std::future<Prepared> m_pending;
    std::unique_ptr<QThreadPool> m_pool; // made with the first task; waits for its tasks when it goes
    PhotoSetPtr m_photos;
    mutable std::vector<Searched> m_searched; // made on the first filtering of a set
    mutable std::vector<QString> m_codeTexts; // a code and its name, in lower case
};
