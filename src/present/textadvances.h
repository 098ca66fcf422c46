// SPDX-License-Identifier: GPL-3.0-or-later
// Widths of one-line texts, cheaper than shaping each text.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QString>

// The width of a line of text as the sum of its characters' advances, each measured once and the sum
// rounded up. Kerning only narrows a line, so the sum is never less than the text needs; texts of scripts
// that are shaped (or that hold surrogates) are measured whole.
class TextAdvances
{
public:
    explicit TextAdvances(const QFont &font);
    int width(const QString &text);

private:
    QFontMetricsF m_metrics;
    QHash<char16_t, qreal> m_advances;
};
