// SPDX-License-Identifier: GPL-3.0-or-later
// PDF pages read through poppler's command-line tools.
#include "pdfreader.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace PdfReader
{

namespace
{

std::optional<QByteArray> runTool(const QString &program, const QStringList &arguments, QString *error)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        if (error)
            *error = program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(process.readAllStandardError());
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

double attribute(const QXmlStreamReader &xml, const char *name)
{
    return xml.attributes().value(QLatin1String(name)).toDouble();
}

} // namespace

const Word *Page::word(const QString &text) const
{
    for (const Word &w : words) {
        if (w.text == text)
            return &w;
    }
    return nullptr;
}

const Line *Page::line(const QString &text) const
{
    for (const Line &l : lines) {
        if (l.text.trimmed() == text)
            return &l;
    }
    return nullptr;
}

std::vector<const Line *> Page::linesStartingWith(const QString &text) const
{
    std::vector<const Line *> found;
    for (const Line &l : lines) {
        if (l.text.trimmed().startsWith(text))
            found.push_back(&l);
    }
    return found;
}

int Page::count(const QString &text) const
{
    int n = 0;
    for (const Word &w : words)
        n += w.text == text ? 1 : 0;
    return n;
}

QString Page::text() const
{
    QStringList all;
    for (const Word &w : words)
        all << w.text;
    return all.join(QLatin1Char(' '));
}

std::optional<std::vector<Page>> readPages(const QString &pdfPath, QString *error)
{
    std::vector<Page> pages;
    const std::optional<QByteArray> bbox =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")}, error);
    if (!bbox)
        return std::nullopt;
    QXmlStreamReader words(*bbox);
    while (!words.atEnd()) {
        if (words.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (words.name() == QLatin1String("page")) {
            pages.emplace_back().size = QSizeF(attribute(words, "width") / 72, attribute(words, "height") / 72);
        } else if (words.name() == QLatin1String("word") && !pages.empty()) {
            const QPointF topLeft(attribute(words, "xMin") / 72, attribute(words, "yMin") / 72);
            const QPointF bottomRight(attribute(words, "xMax") / 72, attribute(words, "yMax") / 72);
            pages.back().words.push_back({words.readElementText(), QRectF(topLeft, bottomRight)});
        }
    }

    // pdftohtml writes the pictures beside its output; they are not needed.
    QTemporaryDir scratch;
    const std::optional<QByteArray> xml =
        runTool(QStringLiteral("pdftohtml"),
                {QStringLiteral("-xml"), QStringLiteral("-stdout"), QStringLiteral("-q"), QStringLiteral("-zoom"),
                 QStringLiteral("3"), pdfPath, scratch.filePath(QStringLiteral("p"))},
                error);
    if (!xml)
        return std::nullopt;
    constexpr double kZoom = 3 * 72.0; // units per inch at zoom 3, the largest pdftohtml takes
    QXmlStreamReader reader(*xml);
    QHash<QString, double> fontSizes; // font ids run on over the pages
    size_t pageIndex = 0;
    Page *page = nullptr;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        auto box = [&reader, kZoom] {
            return QRectF(attribute(reader, "left") / kZoom, attribute(reader, "top") / kZoom,
                          attribute(reader, "width") / kZoom, attribute(reader, "height") / kZoom);
        };
        if (reader.name() == QLatin1String("page")) {
            page = pageIndex < pages.size() ? &pages[pageIndex++] : nullptr;
        } else if (reader.name() == QLatin1String("fontspec")) {
            fontSizes.insert(reader.attributes().value(QLatin1String("id")).toString(), attribute(reader, "size") / 3);
        } else if (!page) {
            continue;
        } else if (reader.name() == QLatin1String("image")) {
            page->pictures.push_back({box()});
        } else if (reader.name() == QLatin1String("text")) {
            Line line;
            line.box = box();
            line.pointSize = fontSizes.value(reader.attributes().value(QLatin1String("font")).toString());
            QString text;
            while (!reader.atEnd()) {
                const QXmlStreamReader::TokenType token = reader.readNext();
                if (token == QXmlStreamReader::Characters)
                    text += reader.text();
                else if (token == QXmlStreamReader::StartElement && reader.name() == QLatin1String("b"))
                    line.bold = true;
                else if (token == QXmlStreamReader::EndElement && reader.name() == QLatin1String("text"))
                    break;
            }
            line.text = text;
            page->lines.push_back(line);
        }
    }
    if (reader.hasError()) {
        if (error)
            *error = reader.errorString();
        return std::nullopt;
    }
    return pages;
}

std::optional<Page> read(const QString &pdfPath, QString *error)
{
    std::optional<std::vector<Page>> pages = readPages(pdfPath, error);
    if (!pages || pages->empty())
        return std::nullopt;
    return std::move(pages->front());
}

} // namespace PdfReader
