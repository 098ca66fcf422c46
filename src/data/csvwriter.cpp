// CSV fields and rows, CR LF line ends.
#include "csvwriter.h"

namespace Csv {
void appendField(QByteArray &out, const QString &field)
{
    const QByteArray utf8 = field.toUtf8();
    const bool quote = utf8.contains(',') || utf8.contains('"') || utf8.contains('\n') || utf8.contains('\r');
    if (!quote) {
        out += utf8;
        return;
    }
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
}
