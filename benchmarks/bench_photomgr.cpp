// SPDX-License-Identifier: GPL-3.0-or-later
// Installing a 20,000-photo Access series with its images copied, against cp -r of the same files plus
// fenwyx-cli convert of its database: bench_photomgr [ACCESS.mdb] [ROUNDS].
#include "data/photodatabase.h"
#include "testsupport.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace
{

double runTimed(const QString &program, const QStringList &arguments, const QProcessEnvironment &environment,
                QByteArray *output = nullptr)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (!output)
        process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s failed\n", qPrintable(program));
        std::exit(1);
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (output)
        *output = process.readAllStandardOutput();
    return seconds;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString fixture = args.value(0, QStringLiteral("/work/shared/fixtures/photo_jet4_20k.mdb"));
    const int rounds = std::max(1, args.value(1, QStringLiteral("3")).toInt());
    if (!QFileInfo(fixture).isFile()) {
        std::fprintf(stderr, "bench_photomgr: %s not found\n", qPrintable(fixture));
        return 1;
    }
    QTemporaryDir root;
    const QString source = root.filePath(QStringLiteral("series"));
    QDir().mkpath(source);
    QFile::copy(fixture, source + QStringLiteral("/Photo.mdb"));

    // The fixture names its pictures but has none: a small JPEG of the size a thumbnail-quality scan has, under
    // every name a row gives.
    QImage image(320, 240, QImage::Format_RGB32);
    image.fill(QColor(90, 120, 60));
    QPainter(&image).drawText(20, 120, QStringLiteral("photo"));
    QBuffer jpeg;
    jpeg.open(QIODevice::WriteOnly);
    image.save(&jpeg, "JPG", 80);
    PhotoDatabase database;
    QString error;
    if (!database.open(source + QStringLiteral("/Photo.mdb"), &error)) {
        std::fprintf(stderr, "bench_photomgr: %s\n", qPrintable(error));
        return 1;
    }
    int files = 0;
    qint64 bytes = 0;
    int photos = 0;
    database.visitPhotos({}, {}, [&](const PhotoRecord &p) {
        ++photos;
        const QString folder = source + QStringLiteral("/PhotoImages/") + p.bookLabel;
        QDir().mkpath(folder);
        for (const QString &name : {p.photoPic, p.dataPic}) {
            if (name.isEmpty() || QFileInfo::exists(folder + QLatin1Char('/') + name))
                continue;
            QFile out(folder + QLatin1Char('/') + name);
            if (out.open(QIODevice::WriteOnly) && out.write(jpeg.data()) == jpeg.data().size()) {
                ++files;
                bytes += jpeg.data().size();
            }
        }
    });
    database.close();
    std::printf("series: %d photos, %d images, %.1f MB\n", photos, files, bytes / 1e6);

    std::vector<double> copyConvert;
    std::vector<double> copyConvertSync;
    std::vector<double> install;
    for (int round = 0; round < rounds; ++round) {
        // A fresh cache each time, so that no converted copy is reused.
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("XDG_CACHE_HOME"), root.filePath(QStringLiteral("cache%1").arg(round)));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), root.filePath(QStringLiteral("config")));
        const QString copied = root.filePath(QStringLiteral("copy%1").arg(round));
        // Each run starts with nothing left to write back, so that neither pays for the other's writing.
        runTimed(QStringLiteral("sync"), {}, environment);
        double seconds = runTimed(QStringLiteral("cp"), {QStringLiteral("-r"), source, copied}, environment);
        seconds += runTimed(TestSupport::binPath(QStringLiteral("fenwyx-cli")),
                            {QStringLiteral("convert"), source + QStringLiteral("/Photo.mdb"),
                             copied + QStringLiteral("/Photo.sqlite")},
                            environment);
        copyConvert.push_back(seconds);
        copyConvertSync.push_back(seconds + runTimed(QStringLiteral("sync"), {}, environment));

        const QString home = root.filePath(QStringLiteral("home%1").arg(round));
        QDir().mkpath(home);
        environment.insert(QStringLiteral("FENWYX_HOME"), home);
        runTimed(QStringLiteral("sync"), {}, environment);
        QByteArray summary;
        install.push_back(runTimed(TestSupport::binPath(QStringLiteral("fenwyx-photomgr")),
                                   {QStringLiteral("--install"), source, QStringLiteral("--copy-images")}, environment,
                                   &summary));
        if (round == 0)
            std::printf("the manager's summary:\n%s", summary.constData());
        QDir(copied).removeRecursively();
        QDir(home).removeRecursively();
    }
    const double a = median(copyConvert);
    const double b = median(copyConvertSync);
    const double c = median(install);
    std::printf("cp -r + fenwyx-cli convert:          %.2f s (median of %d)\n", a, rounds);
    std::printf("cp -r + fenwyx-cli convert + sync:   %.2f s\n", b);
    std::printf("fenwyx-photomgr --install (synced):  %.2f s\n", c);
    std::printf("ratio: %.2fx against cp + convert, %.2fx against cp + convert + sync\n", c / a, c / b);
    return 0;
}
