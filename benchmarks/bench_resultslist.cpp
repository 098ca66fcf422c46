// Times filling the results list (model reset, layout, first paint) with every photo of a library.
// usage: bench_resultslist PROGRAM_FOLDER [repeats]
#include "data/photolibrary.h"
#include "data/resultsmodel.h"
#include "mainwindow/ui/resultslistview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_resultslist PROGRAM_FOLDER [repeats]\n");
        return 2;
    }
    PhotoLibrary library;
    QString error;
    if (!library.OpenPhotoDatabase(QString::fromLocal8Bit(argv[1]), &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
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
