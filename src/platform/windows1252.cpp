// SPDX-License-Identifier: GPL-3.0-or-later
// Windows-1252 conversion with its own table, since not every Qt build carries the code page.
#include "windows1252.h"

#include <array>

namespace
{

// Unicode of the bytes 0x80 to 0x9F; the undefined ones map to the C1 control of the same value.
constexpr std::array<char16_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte of a code point, or -1 when the code page has none.
int byteOf(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return int(codePoint);
    for (size_t i = 0; i < kHigh.size(); ++i) {
        if (kHigh[i] == codePoint)
            return int(0x80 + i);
    }
    return -1;
}

} // namespace

namespace Windows1252
{

QString decode(const QByteArray &bytes)
{
    QString text;
    text.resize(bytes.size());
    QChar *out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b < 0xA0) ? QChar(kHigh[b - 0x80]) : QChar(b);
    }
    return text;
}

QByteArray encode(QStringView text, bool *lossy)
{
    QByteArray bytes;
    bytes.reserve(text.size());
    bool lost = false;
    for (const char32_t codePoint : text.toUcs4()) {
        const int b = byteOf(codePoint);
        if (b < 0) {
            lost = true;
            bytes.append('?');
        } else {
            bytes.append(char(b));
        }
    }
    if (lossy)
        *lossy = lost;
    return bytes;
}

bool canEncode(QStringView text)
{
    bool lossy = false;
    encode(text, &lossy);
    return !lossy;
}

} // namespace Windows1252
