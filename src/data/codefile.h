// SPDX-License-Identifier: GPL-3.0-or-later
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

    // Code files hold a few kilobytes; anything much larger is no code file and is not read into memory.
    static constexpr qint64 MaxFileSize = 4 * 1024 * 1024;

    CodeFile() = default;
    // Reads the whole file once, as Windows-1252 text. A missing file simply has no lines. So has a file that
    // cannot be used: not a regular file (a pipe would wait for a writer for ever, a device never end), larger
    // than MaxFileSize, or unreadable; then *problem names the file and says why.
    explicit CodeFile(const QString &path, QString *problem = nullptr);
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
