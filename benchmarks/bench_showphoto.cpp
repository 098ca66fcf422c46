// Showing a photo whose picture is a 4000 x 2920 JPEG (picture, data sheet, graph) against decoding that
// file at the pane's size alone.
#include "app/sample/samplelibrary.h"
#include "data/resultsmodel.h"
#include "mainwindow/programstate.h"
#include "mainwindow/ui/frmfenwyx.h"
#include "platform/driveinfo.h"
#include "platform/processrunner.h"
#include "platform/settingsstore.h"
#include "platformdoubles.h"
#include "present/ui/photopane.h"
#include "present/ui/photopanes.h"
#include "present/ui/picturebox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImageReader>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

namespace
{
QImage drawLargePhoto(int seed)
{
    QImage image(4000, 2920, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, 2920);
    sky.setColorAt(0, QColor(120, 160, 220));
    sky.setColorAt(0.5, QColor(60, 110, 50));
    sky.setColorAt(1, QColor(90, 70, 40));
    painter.fillRect(image.rect(), sky);
    quint32 state = quint32(seed) * 2654435761u + 1;
    auto next = [&state] { return (state = state * 1664525u + 1013904223u) >> 8; };
    for (int i = 0; i < 4000; ++i) {
        painter.setPen(QColor(int(next() % 256), int(next() % 256), int(next() % 256)));
        painter.drawLine(int(next() % 4000), int(next() % 2920), int(next() % 4000), int(next() % 2920));
    }
    return image;
}
} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
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

    ScriptedDialogs dialogs;
    MemorySettingsStore settings;
    RecordingProcessRunner processes;
    FixedDriveInfo drives;
    ProgramState state(dir.path(), Services{&dialogs, &settings, &processes, &drives});
    state.library.OpenPhotoDatabase(dir.path());
    state.photoDirectory.ReadPhotoDirectory(&settings, &drives, dir.path());
    frmFenwyx form(state);
    form.InitMainWindow();
    form.resize(1280, 900);
    form.show();
    QApplication::processEvents();

    QStringList files;
    for (int row = 0; row < 2; ++row) {
        const PhotoRecord *photo = form.resultsModel()->photoAt(row);
        const QString path =
            dir.path() + QStringLiteral("/PhotoImages/") + photo->bookLabel + QLatin1Char('/') + photo->photoPic;
        if (!drawLargePhoto(row).save(path, "JPG", 85)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        files << path;
    }
    auto *panes = form.findChild<PhotoPanes *>();
    const QSize paneSize = panes->pane(0)->picPreviewPhoto()->decodeSize();

    // Warm-up: fonts, chart and decoder set up once.
    form.lstPhotos_ItemClick(0);
    form.lstPhotos_ItemClick(1);

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i)
        form.lstPhotos_ItemClick(i % 2);
    const double showMs = double(timer.nsecsElapsed()) / 1e6 / rounds;

    timer.restart();
    for (int i = 0; i < rounds; ++i) {
        QImageReader reader(files.at(i % 2));
        reader.setAutoTransform(true);
        reader.setScaledSize(paneSize);
        const QImage image = reader.read();
        if (image.isNull())
            return 1;
    }
    const double decodeMs = double(timer.nsecsElapsed()) / 1e6 / rounds;

    std::printf("picture 4000 x 2920 JPEG, pane %d x %d, %d rounds\n", paneSize.width(), paneSize.height(), rounds);
    std::printf("ShowSelectedPhoto (picture, data sheet, graph): %.1f ms\n", showMs);
    std::printf("QImageReader at the pane's size alone:         %.1f ms\n", decodeMs);
    std::printf("ratio: %.2f (target within 1.30)\n", showMs / decodeMs);
    return 0;
}
