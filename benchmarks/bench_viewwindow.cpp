// SPDX-License-Identifier: GPL-3.0-or-later
// The view window on a 36-megapixel camera photo: peak memory and time of showing it fitted, at 100% and fitted
// again, against decoding it in full and scaling it for the window.
#include "present/imageloader.h"
#include "present/ui/frmview.h"
#include "shell/photodirectory.h"

#include "benchlibrary.h"
#include "largephoto.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPixmap>
#include <QTemporaryDir>
#include <cstdio>

namespace
{

// One line of /proc/self/status in KiB (VmHWM: the peak resident size since the last reset).
long statusKiB(const char *key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toLong();
    }
    return -1;
}

// Lets the next VmHWM count from the present resident size.
bool resetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

struct Phase {
    double ms;
    long peakKiB;
    long residentKiB;
};

template <typename Step> Phase measure(Step step)
{
    resetPeak();
    QElapsedTimer timer;
    timer.start();
    step();
    QApplication::processEvents();
    return {double(timer.nsecsElapsed()) / 1e6, statusKiB("VmHWM:"), statusKiB("VmRSS:")};
}

} // namespace

int main(int argc, char *argv[])
{
    TestSupport::useOffscreenPlatform();
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        qputenv("QT_LOGGING_RULES", "qt.qpa.*=false");
    QApplication app(argc, argv);

    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("program"));
    const QString photo = program + QStringLiteral("/PhotoImages/SW-01/camera.jpg");
    QDir().mkpath(program + QStringLiteral("/PhotoImages/SW-01"));
    const QSize full(7360, 4912);
    if (!TestSupport::drawLargePhoto(1, full).save(photo, "JPG", 90)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(photo));
        return 1;
    }
    PhotoDirectory directory;
    directory.DriveChoice = PhotoDirectory::SearchLocalOnly;
    frmView view(directory, program);
    view.show();
    QApplication::processEvents();
    const long baseKiB = statusKiB("VmRSS:");
    if (!resetPeak()) {
        std::fprintf(stderr, "cannot reset the peak resident size\n");
        return 1;
    }

    SlotPaths paths;
    paths.LocalPhotoPath = photo;
    auto trigger = [&view](const char *name) { view.findChild<QAction *>(QLatin1String(name))->trigger(); };
    const Phase fitted = measure([&] { view.showImages(paths); });
    const QSize fittedSize = view.elePhoto()->image().size();
    const Phase actual = measure([&] { trigger("mnuActualSize"); });
    const QSize actualSize = view.elePhoto()->image().size();
    const Phase refitted = measure([&] { trigger("mnuFit"); });
    const QSize refittedSize = view.elePhoto()->image().size();
    view.elePhoto()->clear();
    QApplication::processEvents();

    // What the window did before: the whole picture decoded and kept, and a copy scaled for the window.
    const QSize viewport = view.elePhoto()->viewport()->size();
    QImage kept;
    QPixmap shown;
    const Phase whole = measure([&] {
        kept = ImageLoader::load(photo, QSize(), true).value_or(QImage());
        shown = QPixmap::fromImage(kept.scaled(kept.size().scaled(viewport, Qt::KeepAspectRatio), Qt::KeepAspectRatio,
                                               Qt::SmoothTransformation));
    });
    const QSize keptSize = kept.size();
    kept = QImage();
    shown = QPixmap();

    std::printf("view window %d x %d on a %d x %d JPEG (%lld KiB on disk), resident before %ld KiB\n", view.width(),
                view.height(), full.width(), full.height(), QFile(photo).size() / 1024, baseKiB);
    auto line = [](const char *what, const Phase &p, const QSize &held) {
        std::printf("%-36s %7.1f ms  peak %7ld KiB  resident after %7ld KiB  held %d x %d\n", what, p.ms, p.peakKiB,
                    p.residentKiB, held.width(), held.height());
    };
    line("opened, fitted to the window:", fitted, fittedSize);
    line("Actual Size (100%):", actual, actualSize);
    line("Fit to Window again:", refitted, refittedSize);
    line("decoded whole and kept (former):", whole, keptSize);
    return 0;
}
