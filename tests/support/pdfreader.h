// SPDX-License-Identifier: GPL-3.0-or-later
// Reads back the pages of a PDF as poppler sees them: words, lines with their fonts, and pictures, in inches.
#pragma once

#include <QRectF>
#include <QString>
#include <optional>
#include <vector>

namespace PdfReader
{

struct Word {
    QString text;
    QRectF box; // inches from the page's top-left corner
};

// A run of text as drawn, blanks kept, with its font.
struct Line {
    QString text;
    QRectF box;
    double pointSize = 0;
    bool bold = false;
};

struct Picture {
    QRectF box;
};

struct Page {
    QSizeF size; // inches
    std::vector<Word> words;
    std::vector<Line> lines;
    std::vector<Picture> pictures;

    // The first word or line with exactly this text (lines compared without surrounding blanks).
    const Word *word(const QString &text) const;
    const Line *line(const QString &text) const;
    std::vector<const Line *> linesStartingWith(const QString &text) const;
    int count(const QString &word) const;
    // Every word joined by blanks, in the order poppler reads them.
    QString text() const;
};

// Every page of the file, through pdftotext -bbox (words) and pdftohtml -xml (lines, pictures).
std::optional<std::vector<Page>> readPages(const QString &pdfPath, QString *error = nullptr);
// The first page alone.
std::optional<Page> read(const QString &pdfPath, QString *error = nullptr);

// The inches of a position of the printable area on a page of any size with quarter-inch margins.
constexpr double kMargin = 0.25;

} // namespace PdfReader
