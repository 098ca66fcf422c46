// SPDX-License-Identifier: GPL-3.0-or-later
// The ANSI code page of the program's text files (Windows-1252), exact in both directions.
#pragma once

#include <QByteArray>
#include <QString>

namespace Windows1252
{

// Every byte decodes; the five bytes the code page leaves undefined become U+0081, U+008D, U+008F,
// U+0090 and U+009D, so that decoding and encoding again gives back the same bytes.
QString decode(const QByteArray &bytes);

// Characters the code page cannot hold are written as one "?" each; lossy (if given) tells whether
// that happened.
QByteArray encode(QStringView text, bool *lossy = nullptr);

// Whether every character of the text can be written.
bool canEncode(QStringView text);

} // namespace Windows1252
