// SPDX-License-Identifier: GPL-3.0-or-later
// CSV fields and rows, CR LF line ends.
#include "csvwriter.h"

namespace Csv
{
void appendField(QByteArray &out, const QString &field)
{
    bool quote = false;
    for (const QChar c : field) {
        const char16_t u = c.unicode();
        if (u == u',' || u == u'"' || u == u'\n' || u == u'\r') {
            quote = true;
            break;
        }
    }
    if (!quote) {
        out += field.toUtf8();
        return;
    }
    const QByteArray utf8 = field.toUtf8();
    out += '"';
    for (char c : utf8) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

void appendRow(QByteArray &out, const QStringList &fields)
{
    for (int i = 0; i < fields.size(); ++i) {
        if (i)
            out += ',';
        appendField(out, fields.at(i));
    }
    out += "\r\n";
}
} // namespace Csv
