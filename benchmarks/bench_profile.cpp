// SPDX-License-Identifier: GPL-3.0-or-later
// The largest profiles a file may hold: every command on them, with its time and the process's peak memory.
// Usage: bench_profile [ROUNDS]
#include "platform/dialogs.h"
#include "print/reportcli.h"
#include "print/reportlayouts.h"
#include "print/reportpdf.h"
#include "print/ui/frmpreview.h"
#include "profile/profilecli.h"
#include "profile/profilefile.h"
#include "profile/profilestate.h"
#include "profile/ui/frmassistant.h"
#include "profile/ui/frmnotes.h"

#include "benchlibrary.h"
#include "reportlibrary.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace
{

// The peak resident memory of the process starts again from what it holds now.
void resetPeakMemory()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

// Megabytes, from the kernel's VmHWM line.
double peakMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    }
    return -1;
}

struct Measure {
    double ms = 0;     // median
    double peakMb = 0; // the highest over the rounds
};

Measure measure(int rounds, const std::function<void()> &work)
{
    std::vector<double> times;
    Measure m;
    QElapsedTimer timer;
    for (int i = 0; i < rounds; ++i) {
        resetPeakMemory();
        timer.restart();
        work();
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
        m.peakMb = std::max(m.peakMb, peakMemory());
    }
    std::sort(times.begin(), times.end());
    m.ms = times[times.size() / 2];
    return m;
}

// Text of whole words to the given length.
QString words(int length, const QString &word)
{
    QString text = word.repeated(length / int(word.size()) + 1);
    text.truncate(length);
    return text;
}

struct Case {
    const char *name;
    FuelProfile profile;
};

// The room a profile file leaves for one text once the other values are there.
int room(FuelProfile profile, QString FuelProfile::*text)
{
    profile.*text = QString();
    return int(ProfileFile::kMaxFileSize - ProfileFile::encode(profile).size());
}

std::vector<Case> cases()
{
    FuelProfile base;
    base.Tpa1 = 1.04;
    base.Tpa2 = 2.03;
    base.Tpa3 = 0.02;
    base.Source0to3 = QStringLiteral("BK-01/1");
    base.Load3Plus = 12.3;
    base.Source3Plus = QStringLiteral("BK-01/2");
    std::vector<Case> all;
    const QString phrase = QStringLiteral("Scattered slash with moss on the north side. ");

    FuelProfile name = base;
    name.ProfileName = words(room(base, &FuelProfile::ProfileName), phrase);
    all.push_back({"largest name, words", name});
    FuelProfile paragraph = base;
    paragraph.Notes = words(room(base, &FuelProfile::Notes), phrase);
    all.push_back({"largest notes, one paragraph", paragraph});
    FuelProfile unbroken = base;
    unbroken.Notes = QString(room(base, &FuelProfile::Notes), QLatin1Char('n'));
    all.push_back({"largest notes, no blank", unbroken});
    FuelProfile lines = base;
    // Each line break takes two bytes in the file.
    const QString line = QStringLiteral("Dry fir needles.\n");
    lines.Notes = line.repeated(room(base, &FuelProfile::Notes) / int(line.size() + 1));
    all.push_back({"largest notes, short lines", lines});
    FuelProfile source = base;
    source.Source0to3 = QString(room(base, &FuelProfile::Source0to3), QLatin1Char('S'));
    all.push_back({"largest source label", source});
    FuelProfile half = base;
    half.ProfileName = words(room(base, &FuelProfile::ProfileName) / 2, phrase);
    half.Notes = words(room(half, &FuelProfile::Notes), phrase);
    all.push_back({"name and notes, half each", half});
    return all;
}

void print(const char *step, const Measure &m)
{
    std::printf("  %-34s %9.1f ms %8.1f MB\n", step, m.ms, m.peakMb);
}

} // namespace

int main(int argc, char *argv[])
{
    TestSupport::useOffscreenPlatform();
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    const QStringList args = QCoreApplication::arguments().mid(1);
    const int rounds = args.isEmpty() ? 3 : std::max(1, args.at(0).toInt());
    const std::vector<Case> all = cases();

    // Each case runs in a process of its own, so that its peak memory is not one an earlier case left behind.
    if (args.size() < 2) {
        std::printf("profile files of %lld bytes (the largest allowed); median time of %d rounds, peak resident "
                    "memory of the process\n",
                    ProfileFile::kMaxFileSize, rounds);
        std::fflush(stdout);
        for (size_t i = 0; i < all.size(); ++i) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedOutputChannel);
            child.start(QCoreApplication::applicationFilePath(), {QString::number(rounds), QString::number(i)});
            if (!child.waitForFinished(-1) || child.exitCode() != 0)
                return 1;
        }
        return 0;
    }
    const size_t which = size_t(args.at(1).toInt());
    if (which >= all.size())
        return 1;

    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home"));
    if (!ReportLibrary::writeDatabase(home, {{1, QStringLiteral("BK-01"), QStringLiteral("1"), QString(), QString()}}))
        return 1;
    QTextStream err(stderr);
    ConsoleDialogs dialogs(err);

    const Case &c = all.at(which);
    const QString path = dir.filePath(QStringLiteral("largest.pro"));
    if (!ProfileFile::write(path, c.profile) || QFile(path).size() > ProfileFile::kMaxFileSize) {
        std::fprintf(stderr, "cannot write %s\n", c.name);
        return 1;
    }
    std::fflush(stdout);
    std::printf("%s (%lld bytes; %.1f MB before the first step):\n", c.name, QFile(path).size(), peakMemory());
    FuelProfile loaded;
    print("load", measure(rounds, [&] {
              const auto p = ProfileFile::read(path);
              if (!p)
                  std::exit(1);
              loaded = *p;
          }));
    print("save (the Assistant's command)", measure(rounds, [&] {
              ProfileState state(dialogs, nullptr, home);
              if (!state.LoadProfile(path))
                  std::exit(1);
              QString target = dir.filePath(QStringLiteral("saved"));
              if (!state.SaveProfile(target))
                  std::exit(1);
          }));
    print("Assistant shows it", measure(rounds, [&] {
              frmAssistant assistant;
              assistant.showProfile(profileDisplay(loaded, path));
              assistant.show();
              QApplication::processEvents();
          }));
    frmAssistant typedInto;
    typedInto.showProfile(profileDisplay(loaded, path));
    typedInto.show();
    QApplication::processEvents();
    typedInto.txtName()->end(false);
    print("a key typed into the name box", measure(rounds, [&] {
              QTest::keyClick(typedInto.txtName(), Qt::Key_X);
              QApplication::processEvents();
          }));
    print("notes window opened and closed", measure(rounds, [&] {
              frmnotes notes(loaded.Notes);
              notes.setAttribute(Qt::WA_DeleteOnClose, false);
              notes.show();
              QApplication::processEvents();
              if (notes.text() != loaded.Notes)
                  std::exit(1);
          }));
    print("the notes pasted into empty notes", measure(rounds, [&] {
              frmnotes notes{QString()};
              notes.setAttribute(Qt::WA_DeleteOnClose, false);
              notes.show();
              QApplication::processEvents();
              QApplication::clipboard()->setText(loaded.Notes);
              notes.txtnotes()->paste();
              QApplication::processEvents();
              if (notes.text() != loaded.Notes)
                  std::exit(1);
          }));
    Report report;
    print("report laid out", measure(rounds, [&] {
              ReportLayouts::ProfileReportInput input;
              input.profile = loaded;
              report = ReportLayouts::profileReport(input);
          }));
    std::printf("report pages: %zu\n", report.pages.size());
    print("report preview shown", measure(rounds, [&] {
              frmPreview preview(report, QPageSize(QPageSize::Letter));
              preview.setAttribute(Qt::WA_DeleteOnClose, false);
              preview.show();
              QApplication::processEvents();
          }));
    const QString pdf = dir.filePath(QStringLiteral("profile.pdf"));
    print("report written as PDF", measure(rounds, [&] {
              if (!ReportPdf::write(report, pdf, QPageSize(QPageSize::Letter)))
                  std::exit(1);
          }));
    print("fenwyx-cli report profile --pdf", measure(rounds, [&] {
              if (ReportCli::run({QStringLiteral("profile"), path, QStringLiteral("--pdf"), pdf}, home, stderr) != 0)
                  std::exit(1);
          }));
    print("fenwyx-cli profile show", measure(rounds, [&] {
              QString out;
              QString messages;
              QTextStream outStream(&out);
              QTextStream errStream(&messages);
              if (runProfileCommand({QStringLiteral("show"), path}, home, outStream, errStream) != 0)
                  std::exit(1);
          }));
    std::fflush(stdout);
    return 0;
}
