// Code files beside the program: one code and its description per line, read as sequential input.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class CodeFile
{
public:
    struct Line {
        QString code;        // the first field as the file writes it
        QString description; // the second field, empty when the line has only one
    };

    CodeFile() = default;
    // Reads the whole file once, as Windows-1252 text; a missing or unreadable file simply has no lines.
    explicit CodeFile(const QString &path);
    static CodeFile fromBytes(const QByteArray &bytes);

    // The list entry for a database code: the file's code, "-" and its description when a line matches
    // (first field without leading blanks equals the code without surrounding blanks, both upper-cased;
    // first match wins), else the code followed by "- ".
    QString LookupCode(const QString &code) const;

    const std::vector<Line> &lines() const { return m_lines; }

    // The fields of one line: a field in double quotes may hold commas (an unclosed quote runs to the line
    // end), unquoted fields are trimmed.
    static QStringList fields(QStringView line);

private:
    std::vector<Line> m_lines;
};

// Reads the file and looks the code up (one read per call; keep a CodeFile to look up many codes).
QString LookupCode(const QString &path, const QString &code);
