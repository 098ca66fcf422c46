// SPDX-License-Identifier: GPL-3.0-or-later
// Widths of one-line texts.
#include "textadvances.h"

#include <QtMath>

namespace
{

// Latin, Greek and Cyrillic letters, digits and punctuation take one glyph per character.
bool oneGlyphEach(char16_t c)
{
    return c < 0x0300 || (c >= 0x0370 && c < 0x0530) || (c >= 0x2000 && c < 0x2070);
}

} // namespace

TextAdvances::TextAdvances(const QFont &font) : m_metrics(font) {}

int TextAdvances::width(const QString &text)
{
    qreal sum = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (!oneGlyphEach(u))
            return qCeil(m_metrics.horizontalAdvance(text));
        auto found = m_advances.constFind(u);
        if (found == m_advances.cend())
            found = m_advances.insert(u, m_metrics.horizontalAdvance(c));
        sum += *found;
    }
    return qCeil(sum);
}
