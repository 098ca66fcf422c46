// SPDX-License-Identifier: GPL-3.0-or-later
// Times the ranking of every photo of a library against one photo, from the command to the list drawn, and the
// summary of every listed photo (100,000 photos in the targets).
// usage: bench_match PROGRAM_FOLDER [RUNS]
#include "benchlibrary.h"
#include "data/photolibrary.h"
#include "data/photomatch.h"
#include "data/photosummary.h"
#include "data/resultsmodel.h"
#include "data/ui/frmsummary.h"
#include "mainwindow/ui/resultslistview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{
double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times.empty() ? 0 : times[times.size() / 2];
}
} // namespace

int main(int argc, char *argv[])
{
    TestSupport::useOffscreenPlatform();
    QApplication app(argc, argv);
    const std::unique_ptr<PhotoLibrary> opened =
        TestSupport::openBenchmarkLibrary(argc, argv, "bench_match PROGRAM_FOLDER [RUNS]");
    if (!opened)
        return argc < 2 ? 2 : 1;
    PhotoLibrary &library = *opened;
    const int runs = argc > 2 ? std::max(1, atoi(argv[2])) : 9;
    const PhotoSet &all = *library.allPhotos();
    if (all.empty()) {
        std::fprintf(stderr, "bench_match: the library has no photos\n");
        return 1;
    }

    ResultsModel model;
    ResultsListView view(&model);
    view.resize(1000, 400);
    view.show();
    QApplication::processEvents();

    QElapsedTimer timer;
    timer.start();
    library.matchSpread();
    const double spread = timer.nsecsElapsed() / 1e6;

    // Each run ranks against another photo, as a user moving down the list would.
    for (const int listed : {20, 0}) {
        std::vector<double> times;
        for (int run = 0; run < runs; ++run) {
            const PhotoRecord &query = all[size_t(run) * 7919 % all.size()];
            timer.restart();
            const PhotoMatch::Ranking ranking =
                PhotoMatch::rank(all, PhotoMatch::valuesOf(query), library.matchSpread(), query.id);
            PhotoMatch::Nearest nearest = PhotoMatch::nearest(all, ranking, listed);
            model.FillRankedList(std::move(nearest.photos), std::move(nearest.distances));
            view.table()->viewport()->repaint();
            times.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::printf("ranking %zu photos, listing %s, drawn: median %.1f ms over %d runs\n", all.size(),
                    listed > 0 ? "the nearest 20" : "every one", median(times), runs);
    }
    std::printf("spread of the four values over %zu photos (once an open): %.1f ms\n", all.size(), spread);

    // The summary of every photo listed: the numbers alone, and the window filled from the list.
    model.FillResultsList(library.allPhotos());
    std::vector<const PhotoRecord *> rows;
    rows.reserve(size_t(model.rowCount()));
    for (int row = 0; row < model.rowCount(); ++row)
        rows.push_back(model.photoAt(row));
    std::vector<double> numbers;
    std::vector<double> window;
    frmSummary summary(model);
    for (int run = 0; run < runs; ++run) {
        timer.restart();
        const PhotoSummary::Table table = PhotoSummary::summarize(rows, model.units());
        numbers.push_back(timer.nsecsElapsed() / 1e6);
        if (table[0].count < 0)
            return 1;
        timer.restart();
        summary.refresh();
        window.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::printf("summary of %d listed photos: median %.1f ms; the window filled from the list: median %.1f ms\n",
                model.rowCount(), median(numbers), median(window));
    return 0;
}
