// SPDX-License-Identifier: GPL-3.0-or-later
// A full-text search over the pages of the help folder, for the help window's search box.
#pragma once

#include <QString>
#include <vector>

struct HelpPage {
    QString file; // relative to the help folder, with '/' separators
    QString title;
    QString text; // the page as plain text
};

struct HelpHit {
    QString file;
    QString title;
    QString excerpt; // the text around the first match
    int score = 0;
};

class HelpSearch
{
public:
    // Reads every .html and .htm page under the folder; false when the folder holds none.
    bool load(const QString &folder);
    const std::vector<HelpPage> &pages() const { return m_pages; }

    // Pages that contain every word of the query (case-insensitive, a word may be part of a longer one),
    // best first: matches in the title count most, then the number of matches.
    std::vector<HelpHit> search(const QString &query) const;

    // The words a query is made of, in lower case.
    static QStringList words(const QString &query);

private:
    std::vector<HelpPage> m_pages;
};
