// Matching photos against the words of the quick filter.
#include "photofilter.h"

void PhotoFilter::setCodeTexts(CodeTexts texts)
{
    m_codes = std::move(texts);
    m_texts.clear();
}

void PhotoFilter::setPhotos(PhotoSetPtr photos)
{
    m_photos = std::move(photos);
    m_texts.clear();
}

QString PhotoFilter::searchText(const PhotoRecord &photo) const
{
    const QString *codes[] = {&photo.vegType, &photo.activity, &photo.dangerRatingFM, &photo.fireBehaveFM};
    QString text = photo.label() + QLatin1Char('\n') + photo.groupLabel;
    for (size_t kind = 0; kind < m_codes.size(); ++kind) {
        const QString &code = *codes[kind];
        if (code.isEmpty())
            continue;
        // The code itself, and the list entry that names it where the code files know it.
        text += QLatin1Char('\n') + code;
        const auto named = m_codes[kind].constFind(code);
        if (named != m_codes[kind].constEnd())
            text += QLatin1Char('\n') + *named;
    }
    return text.toCaseFolded();
}

void PhotoFilter::prepare() const
{
    if (!m_photos || m_texts.size() == m_photos->size())
        return;
    m_texts.clear();
    m_texts.reserve(m_photos->size());
    for (const PhotoRecord &photo : *m_photos)
        m_texts.push_back(searchText(photo));
}

std::vector<bool> PhotoFilter::matches(const QString &text) const
{
    const size_t count = m_photos ? m_photos->size() : 0;
    const QStringList words = text.toCaseFolded().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return std::vector<bool>(count, true);
    prepare();
    std::vector<bool> keep(count);
    for (size_t i = 0; i < count; ++i) {
        const QString &searched = m_texts[i];
        keep[i] = std::all_of(words.cbegin(), words.cend(),
                              [&searched](const QString &word) { return searched.contains(word); });
    }
    return keep;
}
