// SPDX-License-Identifier: GPL-3.0-or-later
// Scrolls the results list's icon view through every photo of a library at 60 frames a second, with an empty
// thumbnail folder and again with a full one, and reports the longest window-thread frame and the folder's size.
// usage: bench_thumbnails PROGRAM_FOLDER [limit-MiB]      (fenwyx-sample DIR --photos 20000 makes a library)
#include "benchlibrary.h"
#include "data/photolibrary.h"
#include "data/resultsmodel.h"
#include "mainwindow/ui/resultslistview.h"
#include "present/thumbnailcache.h"
#include "present/ui/thumbnaildelegate.h"
#include "shell/photodirectory.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <time.h>
#include <vector>

namespace
{

constexpr qint64 kFrameNs = 16'666'667;

// The window thread's own processor time, the times another process took the processor from it and the times
// it waited (for a lock or the disk): a long frame without them was the program's fault, one with them the
// machine's or a lock's.
struct ThreadClock {
    double cpuMs = 0;
    long preempted = 0;
    long waited = 0;

    static ThreadClock now()
    {
        timespec cpu{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu);
        rusage usage{};
        getrusage(RUSAGE_THREAD, &usage);
        return {double(cpu.tv_sec) * 1e3 + double(cpu.tv_nsec) / 1e6, usage.ru_nivcsw, usage.ru_nvcsw};
    }
};

// One piece of work on the window thread.
struct Slice {
    double wallMs = 0;
    double cpuMs = 0;
    bool preempted = false;
    bool waited = false;
};

template <typename Work> Slice measure(Work &&work)
{
    QElapsedTimer timer;
    timer.start();
    const ThreadClock before = ThreadClock::now();
    work();
    const ThreadClock after = ThreadClock::now();
    return {double(timer.nsecsElapsed()) / 1e6, after.cpuMs - before.cpuMs, after.preempted > before.preempted,
            after.waited > before.waited};
}

struct Frames {
    std::vector<double> frameMs; // each frame: the scroll, the paint of the whole view, the events waiting
    Slice longestFrame;
    Slice longestBetween; // the answers handled (and items painted) between two frames, one event round each
    size_t over = 0;      // pieces of work over 16 ms, frames or between them
    size_t overPreempted = 0;
    size_t overWaited = 0;
    int thumbnails = 0;
    double seconds = 0;

    void add(const Slice &slice, bool isFrame)
    {
        if (isFrame)
            frameMs.push_back(slice.wallMs);
        Slice &longest = isFrame ? longestFrame : longestBetween;
        if (slice.wallMs > longest.wallMs)
            longest = slice;
        if (slice.wallMs > 16.0) {
            ++over;
            overPreempted += slice.preempted ? 1 : 0;
            overWaited += slice.waited ? 1 : 0;
        }
    }

    void print(const char *name) const
    {
        std::vector<double> wall = frameMs;
        std::sort(wall.begin(), wall.end());
        const auto at = [&wall](double q) { return wall.empty() ? 0 : wall[size_t(q * double(wall.size() - 1))]; };
        std::printf("%s: %zu frames; longest %.2f ms (%.2f ms on the processor), p99 %.2f ms, median %.2f ms; "
                    "longest between frames %.2f ms; over 16 ms: %zu (preempted by other processes: %zu, waited: %zu); "
                    "%d thumbnails came in %.1f s\n",
                    name, wall.size(), longestFrame.wallMs, longestFrame.cpuMs, at(0.99), at(0.5),
                    longestBetween.wallMs, over, overPreempted, overWaited, thumbnails, seconds);
    }
};

void frame(Frames &frames, QListView *icons, int value)
{
    frames.add(measure([icons, value] {
                   icons->verticalScrollBar()->setValue(value);
                   icons->viewport()->repaint();
                   QApplication::processEvents();
               }),
               true);
}

// The rest of the frame's 1/60 s: the workers' answers are handled as they come, as the event loop would.
void waitForNextFrame(Frames &frames, const QElapsedTimer &frameStart)
{
    while (frameStart.nsecsElapsed() < kFrameNs) {
        frames.add(measure([] { QApplication::processEvents(); }), false);
        QThread::usleep(200);
    }
}

// Top to bottom, one row of items a frame (a fast fling).
Frames fling(ResultsListView &view, ThumbnailCache &cache)
{
    Frames frames;
    const auto connection =
        QObject::connect(&cache, &ThumbnailCache::thumbnailReady, [&frames] { ++frames.thumbnails; });
    QListView *icons = view.icons();
    QScrollBar *bar = icons->verticalScrollBar();
    const int step = icons->gridSize().height();
    QElapsedTimer total;
    total.start();
    for (int value = 0; value <= bar->maximum(); value += step) {
        QElapsedTimer start;
        start.start();
        frame(frames, icons, value);
        waitForNextFrame(frames, start);
    }
    frames.seconds = double(total.nsecsElapsed()) / 1e9;
    QObject::disconnect(connection);
    return frames;
}

// Page by page, each page held until its thumbnails have come: fills the folder with every photo's thumbnail.
Frames browse(ResultsListView &view, ThumbnailCache &cache)
{
    Frames frames;
    const auto connection =
        QObject::connect(&cache, &ThumbnailCache::thumbnailReady, [&frames] { ++frames.thumbnails; });
    QListView *icons = view.icons();
    QScrollBar *bar = icons->verticalScrollBar();
    QElapsedTimer total;
    total.start();
    for (int value = 0;; value += bar->pageStep()) {
        QElapsedTimer start;
        start.start();
        frame(frames, icons, std::min(value, bar->maximum()));
        waitForNextFrame(frames, start);
        while (view.thumbnails()->pendingCount() > 0) {
            start.start();
            waitForNextFrame(frames, start);
        }
        if (value >= bar->maximum())
            break;
    }
    frames.seconds = double(total.nsecsElapsed()) / 1e9;
    QObject::disconnect(connection);
    return frames;
}

} // namespace

int main(int argc, char *argv[])
{
    TestSupport::useOffscreenPlatform();
    QApplication app(argc, argv);
    QString folder;
    const std::unique_ptr<PhotoLibrary> opened =
        TestSupport::openBenchmarkLibrary(argc, argv, "bench_thumbnails PROGRAM_FOLDER [limit-MiB]", &folder);
    if (!opened)
        return argc < 2 ? 2 : 1;
    PhotoLibrary &library = *opened;
    PhotoDirectory directory;
    directory.ReadPhotoDirectory(nullptr, nullptr, folder);
    const auto sourceOf = [&directory, &folder](const PhotoRecord &photo) {
        return photoThumbnailSource(directory, folder, photo);
    };
    QTemporaryDir cacheFolder;
    ThumbnailCache::Options options;
    options.folder = cacheFolder.filePath(QStringLiteral("thumbnails"));
    if (argc > 2)
        options.maxBytes = qint64(std::atoi(argv[2])) << 20;

    ResultsModel model;
    model.FillResultsList(library.currentPhotoSet());
    {
        // What one worker does per thumbnail, made and then read back.
        QTemporaryDir scratch;
        ThumbnailCache::Options one = options;
        one.folder = scratch.path();
        ThumbnailCache worker(one);
        QStringList pictures;
        for (int row = 0; row < model.rowCount() && pictures.size() < 500; row += 7) {
            if (const std::optional<ThumbnailSource> source = sourceOf(*model.photoAt(row)))
                pictures << source->locate();
        }
        for (const char *pass : {"making thumbnails on one thread", "reading them back on one thread"}) {
            QElapsedTimer timer;
            timer.start();
            for (const QString &picture : pictures)
                worker.thumbnailOf(picture);
            std::printf("%-34s %lld pictures, %.2f ms each\n", pass, qint64(pictures.size()),
                        double(timer.nsecsElapsed()) / 1e6 / std::max<qsizetype>(1, pictures.size()));
        }
    }
    ResultsListView view(&model);
    view.resize(1000, 600);
    view.show();
    QApplication::processEvents();
    {
        ThumbnailCache cache(options);
        view.setThumbnails(&cache, sourceOf);
        QElapsedTimer timer;
        timer.start();
        view.setView(ResultsListView::IconView);
        view.icons()->viewport()->repaint();
        QApplication::processEvents();
        std::printf("%d photos, icon view %d x %d, thumbnails %d x %d, folder limit %lld MiB, %d worker thread(s)\n",
                    model.rowCount(), view.icons()->viewport()->width(), view.icons()->viewport()->height(),
                    options.size.width(), options.size.height(), options.maxBytes >> 20,
                    std::max(1, QThread::idealThreadCount() / 2));

        std::printf("%-34s %.2f ms (a one-off layout, not a scroll frame)\n", "switch to the icon view",
                    double(timer.nsecsElapsed()) / 1e6);
        fling(view, cache).print("fling, empty folder");
        const Frames filled = browse(view, cache);
        filled.print("page by page, filling the folder");
        std::printf("%-34s %d thumbnails, %.1f MiB (%.0f bytes each)\n", "folder after filling", cache.storedCount(),
                    double(cache.storedBytes()) / (1 << 20),
                    double(cache.storedBytes()) / std::max(1, cache.storedCount()));
        view.setThumbnails(nullptr, {});
    }
    {
        ThumbnailCache nextRun(options); // a new run over the full folder: every thumbnail read from it
        view.setThumbnails(&nextRun, sourceOf);
        fling(view, nextRun).print("fling, full folder (next run)");
        fling(view, nextRun).print("fling again, same run");
        std::printf("%-34s %d thumbnails, %.1f MiB\n", "folder at the end", nextRun.storedCount(),
                    double(nextRun.storedBytes()) / (1 << 20));
        view.setThumbnails(nullptr, {});
    }
    return 0;
}
