// SPDX-License-Identifier: GPL-3.0-or-later
// Times converting an Access photo database to SQLite through fenwyx-mdbread, without the cache.
#include "data/accessimport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2) {
        err << "usage: bench_accessread FILE.mdb [runs]\n";
        return 2;
    }
    const int runs = args.size() > 2 ? qMax(1, args.at(2).toInt()) : 5;
    QTemporaryDir dir;
    double best = 0;
    double total = 0;
    for (int run = 0; run < runs; ++run) {
        const QString copy = dir.filePath(QStringLiteral("copy%1.sqlite").arg(run));
        QString error;
        QElapsedTimer timer;
        timer.start();
        if (!AccessImport::convertInChildProcess(args.at(1), copy, &error)) {
            err << error << '\n';
            return 1;
        }
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        best = run == 0 ? seconds : qMin(best, seconds);
        total += seconds;
        QFile::remove(copy);
    }
    out << "runs " << runs << "  best " << QString::number(best, 'f', 4) << " s  mean "
        << QString::number(total / runs, 'f', 4) << " s\n";
    return 0;
}
