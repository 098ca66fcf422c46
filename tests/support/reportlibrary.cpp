// SPDX-License-Identifier: GPL-3.0-or-later
// Report test libraries written through SQLite and QImage.
#include "reportlibrary.h"

#include "testsupport.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSet>

namespace ReportLibrary
{

namespace
{
QString quoted(const QString &text)
{
    if (text.isEmpty())
        return QStringLiteral("NULL");
    QString escaped = text;
    escaped.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + escaped + QLatin1Char('\'');
}
} // namespace

bool writeDatabase(const QString &folder, const std::vector<Photo> &photos)
{
    QDir().mkpath(folder);
    QStringList statements = TestSupport::photoSchema();
    QSet<QString> books;
    for (const Photo &p : photos) {
        if (!books.contains(p.book)) {
            statements << QStringLiteral("INSERT INTO Books VALUES (%1, %2, 'Book %3', 0, 0, 0)")
                              .arg(books.size() + 1)
                              .arg(quoted(p.book), p.book);
            books.insert(p.book);
        }
        const double base = double(p.id);
        QStringList classes;
        for (int n = 1; n <= 7; ++n)
            classes << QString::number(n <= 4 ? base + n / 10.0 : 0);
        const double fine = 3 * base + 0.6;
        const double total = fine + base + 0.4;
        statements << QStringLiteral("INSERT INTO Photos VALUES (%1, %2, %3, %4, %5, %6, %7, 2.5, 4.5, 'DF', 'NAT', "
                                     "'10', 'H', %8, 'data.jpg')")
                          .arg(p.id)
                          .arg(quoted(p.book), quoted(p.label), quoted(p.group), classes.join(QLatin1Char(',')))
                          .arg(fine)
                          .arg(total)
                          .arg(quoted(p.picture));
    }
    const QString path = QDir(folder).filePath(QStringLiteral("Photo.mdb"));
    QFile::remove(path);
    return TestSupport::makeSqlite(path, statements);
}

bool writeJpeg(const QString &path, const QSize &size, const QColor &colour)
{
    QDir().mkpath(QFileInfo(path).path());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::white, std::max(1, size.width() / 50)));
    painter.drawRect(
        image.rect().adjusted(size.width() / 10, size.height() / 10, -size.width() / 10, -size.height() / 10));
    painter.end();
    return image.save(path, "JPG", 85);
}

} // namespace ReportLibrary
