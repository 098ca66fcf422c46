// SPDX-License-Identifier: GPL-3.0-or-later
// Times filling the results list (model reset, layout, first paint) with every photo of a library.
// usage: bench_resultslist PROGRAM_FOLDER [repeats]
#include "benchlibrary.h"
#include "data/photolibrary.h"
#include "data/resultsmodel.h"
#include "mainwindow/ui/resultslistview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <cstdio>

int main(int argc, char *argv[])
{
    TestSupport::useOffscreenPlatform();
    QApplication app(argc, argv);
    const std::unique_ptr<PhotoLibrary> opened =
        TestSupport::openBenchmarkLibrary(argc, argv, "bench_resultslist PROGRAM_FOLDER [repeats]");
    if (!opened)
        return argc < 2 ? 2 : 1;
    PhotoLibrary &library = *opened;
    const int repeats = argc > 2 ? std::atoi(argv[2]) : 5;
    ResultsModel model;
    ResultsListView view(&model);
    view.resize(1000, 400);
    view.show();
    QApplication::processEvents();
    double best = 1e9;
    for (int i = 0; i < repeats; ++i) {
        model.FillResultsList(nullptr);
        QApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        model.FillResultsList(library.currentPhotoSet());
        view.selectRow(0);
        view.table()->viewport()->repaint();
        QApplication::processEvents();
        best = std::min(best, timer.nsecsElapsed() / 1e9);
    }
    std::printf("%zu photos: fill, layout and paint best of %d: %.4f s\n", library.currentPhotoSet()->size(), repeats,
                best);
    return 0;
}
