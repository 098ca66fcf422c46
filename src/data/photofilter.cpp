// SPDX-License-Identifier: GPL-3.0-or-later
// Matching photos against the words of the quick filter.
#include "photofilter.h"

#include <algorithm>

bool PhotoFilter::setCodeTexts(CodeTexts texts)
{
    if (texts == m_codes)
        return false; // the search texts made from them still hold
    m_codes = std::move(texts);
    m_pending = {}; // a copy of the old texts may still be in the making; it is of no use now
    m_searched.clear();
    return true;
}

void PhotoFilter::setPhotos(PhotoSetPtr photos)
{
    m_photos = std::move(photos);
    m_pending = {};
    m_searched.clear();
}

void PhotoFilter::prepareInBackground()
{
    if (!m_photos || m_pending.valid() || m_searched.size() == m_photos->size())
        return;
    // The task works on its own copies: the set is never changed, and the code texts are shared copies. It
    // hands its result over through a promise, so that letting go of a task's result (a new set or new code
    // texts) never waits for the task, as a future of std::async would.
    auto promise = std::make_shared<std::promise<Prepared>>();
    m_pending = promise->get_future();
    if (!m_pool) {
        m_pool = std::make_unique<QThreadPool>();
        m_pool->setMaxThreadCount(2); // a task let go of may still be running
    }
    m_pool->start([promise, photos = m_photos, codes = m_codes] {
        try {
            promise->set_value(make(photos, codes));
        } catch (...) {
            promise->set_exception(std::current_exception());
        }
    });
}

void PhotoFilter::prepare() const
{
    if (!m_photos || m_searched.size() == m_photos->size())
        return;
    Prepared made = m_pending.valid() ? m_pending.get() : make(m_photos, m_codes);
    m_searched = std::move(made.searched);
    m_codeTexts = std::move(made.codeTexts);
}

PhotoFilter::Prepared PhotoFilter::make(const PhotoSetPtr &photos, const CodeTexts &names)
{
    Prepared made;
    std::vector<Searched> &searched = made.searched;
    std::vector<QString> &codeTexts = made.codeTexts;
    searched.reserve(photos->size());
    std::array<QHash<QString, int>, 4> known; // a code's place in codeTexts, per kind
    for (const PhotoRecord &photo : *photos) {
        Searched s;
        s.own.reserve(photo.bookLabel.size() + photo.photoLabel.size() + photo.groupLabel.size() + 2);
        s.own += photo.bookLabel;
        s.own += QLatin1Char('/');
        s.own += photo.photoLabel;
        s.own += QLatin1Char('\n');
        s.own += photo.groupLabel;
        s.own = std::move(s.own).toLower();
        const QString *codes[] = {&photo.vegType, &photo.activity, &photo.dangerRatingFM, &photo.fireBehaveFM};
        for (size_t kind = 0; kind < known.size(); ++kind) {
            const QString &code = *codes[kind];
            if (code.isEmpty())
                continue;
            auto place = known[kind].constFind(code);
            if (place == known[kind].constEnd()) {
                QString text = code;
                const auto named = names[kind].constFind(code);
                if (named != names[kind].constEnd())
                    text += QLatin1Char('\n') + *named;
                codeTexts.push_back(std::move(text).toLower());
                place = known[kind].insert(code, int(codeTexts.size()) - 1);
            }
            s.codes[kind] = *place;
        }
        searched.push_back(std::move(s));
    }
    return made;
}

std::vector<bool> PhotoFilter::matches(const QString &text) const
{
    const size_t count = m_photos ? m_photos->size() : 0;
    const QStringList words = text.toLower().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return std::vector<bool>(count, true);
    prepare();
    // Which code texts hold which word, found once for all photos.
    std::vector<std::vector<bool>> codeHolds(size_t(words.size()), std::vector<bool>(m_codeTexts.size()));
    for (qsizetype w = 0; w < words.size(); ++w) {
        for (size_t c = 0; c < m_codeTexts.size(); ++c)
            codeHolds[size_t(w)][c] = m_codeTexts[c].contains(words[w]);
    }
    std::vector<bool> keep(count);
    for (size_t i = 0; i < count; ++i) {
        const Searched &s = m_searched[i];
        bool all = true;
        for (qsizetype w = 0; w < words.size() && all; ++w) {
            const std::vector<bool> &inCode = codeHolds[size_t(w)];
            all = s.own.contains(words[w]) || std::any_of(s.codes.cbegin(), s.codes.cend(),
                                                          [&inCode](int c) { return c >= 0 && inCode[size_t(c)]; });
        }
        keep[i] = all;
    }
    return keep;
}
