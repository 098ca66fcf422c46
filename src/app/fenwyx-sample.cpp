// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the sample photo library into a folder: fenwyx-sample DIR [--photos N] [--no-images] [--seed S]
// [--codes-only].
#include "app/sample/samplelibrary.h"
#include "app/standardstreams.h"
#include "shell/programinfo.h"

#include <QCommandLineParser>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Fonts need a GUI application; a build machine has no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Writes an invented sample photo library into a folder: Photo.mdb, "
                                                    "the code files and the pictures."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Print this help and exit."));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Print the version and exit."));
    parser.addPositionalArgument(QStringLiteral("dir"), QStringLiteral("Folder to write the library into."));
    const SampleOptions defaults;
    const QCommandLineOption photos(QStringLiteral("photos"), QStringLiteral("Number of photos."), QStringLiteral("N"),
                                    QString::number(defaults.photos));
    const QCommandLineOption noImages(QStringLiteral("no-images"), QStringLiteral("Write no image files."));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Random seed."), QStringLiteral("S"),
                                  QString::number(defaults.seed));
    const QCommandLineOption codesOnly(QStringLiteral("codes-only"),
                                       QStringLiteral("Write only the four code files (the installed defaults)."));
    parser.addOptions({help, version, photos, noImages, seed, codesOnly});
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "fenwyx-sample: %s\nTry 'fenwyx-sample --help' for more.\n",
                     qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(help) || parser.isSet(version)) {
        const QString text =
            parser.isSet(help) ? parser.helpText() : ProgramInfo::versionText(QStringLiteral("fenwyx-sample"));
        std::fputs(text.toLocal8Bit().constData(), stdout);
        return StandardStreams::closeOutput(StandardStreams::prefixedErrors("fenwyx-sample: ")) ? 0 : 1;
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        std::fprintf(stderr, "fenwyx-sample: give exactly one folder\n");
        return 2;
    }
    QString error;
    if (parser.isSet(codesOnly)) {
        if (!writeCodeFiles(positional.first(), &error)) {
            std::fprintf(stderr, "fenwyx-sample: %s\n", qPrintable(error));
            return 1;
        }
        return 0;
    }
    SampleOptions options;
    bool photosOk = false;
    bool seedOk = false;
    options.photos = parser.value(photos).toInt(&photosOk);
    options.seed = parser.value(seed).toUInt(&seedOk);
    options.images = !parser.isSet(noImages);
    if (!photosOk || options.photos < 0 || !seedOk) {
        std::fprintf(stderr, "fenwyx-sample: --photos needs a whole number of 0 or more, --seed a whole number\n");
        return 2;
    }

    if (!writeSampleLibrary(positional.first(), options, &error)) {
        std::fprintf(stderr, "fenwyx-sample: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
