// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the help pages as text and searching them.
#include "helpsearch.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QTextDocument>
#include <algorithm>

bool HelpSearch::load(const QString &folder)
{
    m_pages.clear();
    const QDir root(folder);
    QDirIterator it(folder, {QStringLiteral("*.html"), QStringLiteral("*.htm")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        QTextDocument document;
        document.setHtml(QString::fromUtf8(file.readAll()));
        HelpPage page;
        page.file = root.relativeFilePath(path);
        page.title = document.metaInformation(QTextDocument::DocumentTitle).trimmed();
        if (page.title.isEmpty())
            page.title = page.file;
        page.text = document.toPlainText().simplified();
        m_pages.push_back(std::move(page));
    }
    std::sort(m_pages.begin(), m_pages.end(), [](const HelpPage &a, const HelpPage &b) { return a.file < b.file; });
    return !m_pages.empty();
}

QStringList HelpSearch::words(const QString &query)
{
    // Dots, signs and inch marks stay: ".pro", "3+" and "0.25" are words here.
    static const QRegularExpression separators(QStringLiteral("[\\s,;:!?()\\[\\]{}<>=&|*']+"));
    QStringList result;
    for (QString word : query.toLower().split(separators, Qt::SkipEmptyParts)) {
        while (word.endsWith(QLatin1Char('.')))
            word.chop(1);
        if (!word.isEmpty() && !result.contains(word))
            result << word;
    }
    return result;
}

static QString excerptAround(const QString &text, qsizetype at, qsizetype length)
{
    const qsizetype before = 70;
    const qsizetype after = 110;
    qsizetype start = qMax<qsizetype>(0, at - before);
    qsizetype end = qMin<qsizetype>(text.size(), at + length + after);
    // whole words only
    while (start > 0 && !text.at(start - 1).isSpace())
        --start;
    while (end < text.size() && !text.at(end).isSpace())
        ++end;
    QString excerpt = text.mid(start, end - start).trimmed();
    if (start > 0)
        excerpt.prepend(QStringLiteral("\u2026 "));
    if (end < text.size())
        excerpt.append(QStringLiteral(" \u2026"));
    return excerpt;
}

std::vector<HelpHit> HelpSearch::search(const QString &query) const
{
    const QStringList wanted = words(query);
    std::vector<HelpHit> hits;
    if (wanted.isEmpty())
        return hits;
    for (const HelpPage &page : m_pages) {
        int score = 0;
        bool all = true;
        for (const QString &word : wanted) {
            const int inText = int(page.text.count(word, Qt::CaseInsensitive));
            if (inText == 0) {
                all = false;
                break;
            }
            score += inText + (page.title.contains(word, Qt::CaseInsensitive) ? 100 : 0);
        }
        if (!all)
            continue;
        const qsizetype at = page.text.indexOf(wanted.first(), 0, Qt::CaseInsensitive);
        hits.push_back({page.file, page.title, excerptAround(page.text, at, wanted.first().size()), score});
    }
    std::stable_sort(hits.begin(), hits.end(), [](const HelpHit &a, const HelpHit &b) { return a.score > b.score; });
    return hits;
}
