// SPDX-License-Identifier: GPL-3.0-or-later
// The batch photo and fuel-profile reports as PDF files, with 4000 x 2920 JPEG pictures, against decoding those
// pictures at their printed size (300 dpi) alone. Usage: bench_report [ROUNDS]
#include "print/reportcli.h"
#include "profile/profilefile.h"

#include "benchlibrary.h"
#include "largephoto.h"
#include "reportlibrary.h"
#include "testsupport.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace
{

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Milliseconds of one call, the median over the rounds after one warm-up.
template <typename F> double timeIt(int rounds, F &&work)
{
    work();
    std::vector<double> times;
    QElapsedTimer timer;
    for (int i = 0; i < rounds; ++i) {
        timer.restart();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

} // namespace

int main(int argc, char *argv[])
{
    TestSupport::useOffscreenPlatform();
    QGuiApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const int rounds = argc > 1 ? std::max(3, atoi(argv[1])) : 9;

    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home"));
    std::vector<ReportLibrary::Photo> photos;
    QStringList files;
    for (int i = 1; i <= 4; ++i) {
        const QString name = QStringLiteral("photo%1.jpg").arg(i);
        photos.push_back({i, QStringLiteral("BK-01"), QStringLiteral("%1").arg(i), QStringLiteral("Plot"), name});
        const QString path = home + QStringLiteral("/PhotoImages/BK-01/") + name;
        QDir().mkpath(QFileInfo(path).path());
        if (!TestSupport::drawLargePhoto(i).save(path, "JPG", 85)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        files << path;
    }
    if (!ReportLibrary::writeDatabase(home, photos))
        return 1;
    FuelProfile profile;
    profile.ProfileName = QStringLiteral("Four sources");
    profile.Source0to3 = QStringLiteral("BK-01/1");
    profile.Source3Plus = QStringLiteral("BK-01/2");
    profile.SourceDuff = QStringLiteral("BK-01/3");
    profile.SourceFuelBed = QStringLiteral("BK-01/4");
    const QString pro = dir.filePath(QStringLiteral("four.pro"));
    if (!ProfileFile::write(pro, profile))
        return 1;

    const QString photoPdf = dir.filePath(QStringLiteral("photo.pdf"));
    const QString profilePdf = dir.filePath(QStringLiteral("profile.pdf"));
    auto report = [&home](const QStringList &args) {
        if (ReportCli::run(args, home, stderr) != 0)
            std::exit(1);
    };
    auto decode = [](const QString &path) {
        QImageReader reader(path);
        reader.setAutoTransform(true);
        reader.setScaledSize(QSize(1500, 1050));
        if (reader.read().isNull())
            std::exit(1);
    };

    const double photoMs = timeIt(rounds, [&] {
        report({QStringLiteral("photo"), QStringLiteral("BK-01/1"), QStringLiteral("--pdf"), photoPdf});
    });
    const double decodeMs = timeIt(rounds, [&] { decode(files.at(0)); });
    const double profileMs = timeIt(rounds, [&] {
        report({QStringLiteral("profile"), pro, QStringLiteral("--pdf"), profilePdf});
    });
    const double decode4Ms = timeIt(rounds, [&] {
        for (const QString &file : files)
            decode(file);
    });

    // The whole batch command, process start and all, for reference.
    const double cliMs = timeIt(std::max(3, rounds / 3), [&] {
        QProcess process;
        process.start(TestSupport::binPath(QStringLiteral("fenwyx-cli")),
                      {QStringLiteral("--home"), home, QStringLiteral("report"), QStringLiteral("photo"),
                       QStringLiteral("BK-01/1"), QStringLiteral("--pdf"), photoPdf});
        process.waitForFinished(60000);
    });

    std::printf("pictures 4000 x 2920 JPEG, printed at 300 dpi, median of %d rounds\n", rounds);
    std::printf("report photo --pdf (in process):      %7.1f ms\n", photoMs);
    std::printf("QImageReader at 1500 x 1050:          %7.1f ms\n", decodeMs);
    std::printf("ratio: %.2f (target within 1.50); PDF %.2f MB (target at most 1.5 MB)\n", photoMs / decodeMs,
                double(QFileInfo(photoPdf).size()) / 1048576.0);
    std::printf("report profile --pdf, four pictures:  %7.1f ms\n", profileMs);
    std::printf("four decodes at 1500 x 1050:          %7.1f ms\n", decode4Ms);
    std::printf("ratio: %.2f (target within 1.50); PDF %.2f MB\n", profileMs / decode4Ms,
                double(QFileInfo(profilePdf).size()) / 1048576.0);
    std::printf("fenwyx-cli report photo (whole process): %7.1f ms\n", cliMs);
    return 0;
}
