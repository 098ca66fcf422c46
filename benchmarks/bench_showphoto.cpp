// SPDX-License-Identifier: GPL-3.0-or-later
// Showing a photo whose picture is a 4000 x 2920 JPEG (picture, data sheet, graph) against decoding that
// file at the pane's size alone; the same in compare mode with the Assistant up, and compare mode toggled.
#include "app/sample/samplelibrary.h"
#include "data/resultsmodel.h"
#include "mainwindow/ui/maincontroller.h"
#include "present/ui/photopane.h"
#include "present/ui/photopanes.h"
#include "present/ui/picturebox.h"
#include "shell/ui/mdimain.h"
#include "testprogram.h"

#include "benchlibrary.h"
#include "largephoto.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <cstdio>

namespace
{

// The process's resident size from /proc.
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return -1;
}
} // namespace

int main(int argc, char *argv[])
{
    TestSupport::useOffscreenPlatform();
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(2, atoi(argv[1])) : 20;

    QTemporaryDir dir;
    SampleOptions options;
    options.photos = 4;
    QString error;
    if (!writeSampleLibrary(dir.path(), options, &error)) {
        std::fprintf(stderr, "sample library: %s\n", qPrintable(error));
        return 1;
    }

    TestWindow window(dir.path());
    window.frame().resize(1280, 900);
    QApplication::processEvents();
    MainController &c = window.controller();

    QStringList files;
    for (int row = 0; row < 2; ++row) {
        const PhotoRecord *photo = c.resultsModel()->photoAt(row);
        const QString path =
            dir.path() + QStringLiteral("/PhotoImages/") + photo->bookLabel + QLatin1Char('/') + photo->photoPic;
        if (!TestSupport::drawLargePhoto(row).save(path, "JPG", 85)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        files << path;
    }
    const QSize paneSize = c.photoPanes()->pane(0)->picPreviewPhoto()->decodeSize();

    // Warm-up: fonts, chart and decoder set up once.
    c.lstPhotos_ItemClick(0);
    c.lstPhotos_ItemClick(1);

    auto timeShows = [&] {
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < rounds; ++i)
            c.lstPhotos_ItemClick(i % 2);
        return double(timer.nsecsElapsed()) / 1e6 / rounds;
    };
    const double showMs = timeShows();

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i) {
        QImageReader reader(files.at(i % 2));
        reader.setAutoTransform(true);
        reader.setScaledSize(paneSize);
        const QImage image = reader.read();
        if (image.isNull())
            return 1;
    }
    const double decodeMs = double(timer.nsecsElapsed()) / 1e6 / rounds;

    // Compare mode: the right pane and both Assistant pages follow every photo.
    c.compareCommand();
    c.builderCommand();
    QApplication::processEvents();
    c.lstPhotos_ItemClick(0);
    c.lstPhotos_ItemClick(1);
    const double compareMs = timeShows();
    c.builderCommand();
    c.compareCommand();

    // Compare mode on and off: the process must not grow.
    for (int i = 0; i < 20; ++i)
        c.compareCommand();
    QApplication::processEvents();
    const long before = residentKiB();
    for (int i = 0; i < 200; ++i)
        c.compareCommand();
    QApplication::processEvents();
    const long after = residentKiB();

    std::printf("picture 4000 x 2920 JPEG, pane %d x %d, %d rounds\n", paneSize.width(), paneSize.height(), rounds);
    std::printf("ShowSelectedPhoto (picture, data sheet, graph): %.1f ms\n", showMs);
    std::printf("QImageReader at the pane's size alone:         %.1f ms\n", decodeMs);
    std::printf("ratio: %.2f (target within 1.30)\n", showMs / decodeMs);
    std::printf("the same in compare mode with the Assistant up: %.1f ms, %.2f of browse mode (target within 1.30)\n",
                compareMs, compareMs / showMs);
    std::printf("compare mode on and off 100 times: resident %ld KiB before, %ld KiB after\n", before, after);
    return 0;
}
