// SPDX-License-Identifier: GPL-3.0-or-later
// Times the quick filter of the results list: every keystroke of a few typed words, each narrowing the list and
// drawing it, over every photo of a library (100,000 in the target).
// usage: bench_filter PROGRAM_FOLDER
#include "benchlibrary.h"
#include "data/photolibrary.h"
#include "data/queryparameters.h"
#include "data/resultsmodel.h"
#include "mainwindow/ui/resultslistview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTableView>
#include <QThread>
#include <cstdio>

int main(int argc, char *argv[])
{
    TestSupport::useOffscreenPlatform();
    QApplication app(argc, argv);
    QString folder;
    const std::unique_ptr<PhotoLibrary> opened =
        TestSupport::openBenchmarkLibrary(argc, argv, "bench_filter PROGRAM_FOLDER", &folder);
    if (!opened)
        return argc < 2 ? 2 : 1;
    PhotoLibrary &library = *opened;
    ResultsModel model;
    const QueryParameters parameters = QueryParameters::load(library.database(), folder);
    const PhotoFilter::CodeTexts texts = parameters.codeTexts();
    model.setCodeTexts(texts);
    {
        // The search texts alone, made once a photo set.
        PhotoFilter filter;
        filter.setCodeTexts(texts);
        filter.setPhotos(library.currentPhotoSet());
        QElapsedTimer timer;
        timer.start();
        filter.matches(QStringLiteral("x"));
        const double prepare = timer.nsecsElapsed() / 1e6;
        timer.restart();
        filter.matches(QStringLiteral("x"));
        std::printf("search texts of the set: %.1f ms; one word over them: %.1f ms\n", prepare,
                    timer.nsecsElapsed() / 1e6);
    }
    ResultsListView view(&model);
    view.resize(1000, 400);
    view.show();
    model.FillResultsList(library.currentPhotoSet());
    QApplication::processEvents();
    // The box gets the focus (the search texts are made meanwhile); the first letter comes a moment later.
    model.prepareFilter();
    QThread::msleep(250);

    // Typed, then taken back letter by letter, then typed again: the first keystroke builds the search texts.
    QStringList keystrokes;
    const QString typed = QStringLiteral("douglas thin");
    for (int i = 1; i <= typed.size(); ++i)
        keystrokes << typed.left(i);
    for (int i = typed.size() - 1; i >= 0; --i)
        keystrokes << typed.left(i);
    for (int i = 1; i <= 3; ++i)
        keystrokes << QStringLiteral("pnw-0").left(i + 2);
    double worst = 0;
    double total = 0;
    double first = 0;
    for (const QString &text : keystrokes) {
        QElapsedTimer timer;
        timer.start();
        model.setFilterText(text);
        view.table()->viewport()->repaint();
        QApplication::processEvents();
        const double ms = timer.nsecsElapsed() / 1e6;
        if (first == 0)
            first = ms;
        worst = std::max(worst, ms);
        total += ms;
    }
    std::printf(
        "%d photos, %lld keystrokes, 250 ms after the box got the focus: first %.1f ms, worst %.1f ms, mean %.1f ms "
        "(target under 50 ms each)\n",
        model.photoCount(), qlonglong(keystrokes.size()), first, worst, total / keystrokes.size());
    return 0;
}
