// SPDX-License-Identifier: GPL-3.0-or-later
// The photo manager's batch commands.
#include "photoseriescli.h"

#include "data/csvwriter.h"
#include "data/photoseries.h"
#include "platform/driveinfo.h"
#include "platform/filelock.h"
#include "platform/settingsstore.h"
#include "shell/programfolder.h"
#include "shell/programinfo.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>

namespace PhotoSeriesCli
{

const char kUsage[] =
    "usage: fenwyx-photomgr [--home DIR] [COMMAND]\n"
    "Installs and manages the photo series of Fenwyx's program folder (--home DIR, else $FENWYX_HOME, else\n"
    "the folder Fenwyx uses). Without a command it opens the photo manager's window.\n"
    "  --list                        print the installed books (CSV: Book, Description, Photos, Images,\n"
    "                                Missing, Place, LocalFolder, LocalBytes, PhotoDirectoryFolder,\n"
    "                                PhotoDirectoryBytes)\n"
    "  --install SOURCE [--copy-images|--images-in-place] [--replace]\n"
    "                                install the series in SOURCE: a folder or a .zip file holding Photo.mdb\n"
    "                                and one image folder per book (beside it or in PhotoImages/). Images\n"
    "                                are copied into PhotoImages/ unless SOURCE is on a read-only medium,\n"
    "                                whose images stay where they are (the photo directory then names it).\n"
    "                                Installed books are skipped; --replace replaces them and their local\n"
    "                                images. Prints a summary (CSV).\n"
    "  --remove BOOK [--remove BOOK ...] [--delete-images]\n"
    "                                remove the books' photos (and with --delete-images their PhotoImages\n"
    "                                folders)\n"
    "  --move BOOK --to local|photo-directory\n"
    "                                move a book's images into PhotoImages/ or into the photo directory\n"
    "  --help                        show this text\n"
    "  --version                     show the version and the licence\n"
    "Exit status: 0 done, 1 failed (nothing was changed), 2 wrong arguments.\n";

Options readOptions(const QStringList &arguments)
{
    Options o;
    QStringList args = arguments;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == QLatin1String("--home")) {
            if (args.isEmpty())
                o.usageError = true;
            else
                o.home = args.takeFirst();
        } else if (arg.startsWith(QLatin1String("--home="))) {
            o.home = arg.mid(7);
        } else {
            o.command << arg;
        }
    }
    return o;
}

bool isBatch(const Options &options)
{
    return options.usageError || !options.command.isEmpty();
}

namespace
{

QString prefix()
{
    return QStringLiteral("fenwyx-photomgr: ");
}

int usage(QTextStream &err, const QString &problem)
{
    err << prefix() << problem << '\n' << kUsage;
    return 2;
}

int failure(QTextStream &err, const QString &problem)
{
    err << prefix() << problem << '\n';
    return 1;
}

void notes(QTextStream &err, const QStringList &lines)
{
    for (const QString &line : lines)
        err << prefix() << line << '\n';
}

struct Parsed {
    QString action;
    QString source;
    QStringList books;
    QString moveTo;
    bool copy = false;
    bool inPlace = false;
    bool replace = false;
    bool deleteImages = false;
};

// The command's words; an empty action with *problem set when they do not make one command.
Parsed parse(const QStringList &words, QString *problem)
{
    Parsed p;
    const auto setAction = [&](const QString &action) {
        if (!p.action.isEmpty() && p.action != action)
            *problem = QStringLiteral("give one of --list, --install, --remove and --move");
        p.action = action;
    };
    for (int i = 0; i < words.size() && problem->isEmpty(); ++i) {
        const QString &w = words.at(i);
        const bool hasValue = i + 1 < words.size();
        if (w == QLatin1String("--list")) {
            setAction(w);
        } else if (w == QLatin1String("--install") || w == QLatin1String("--remove") || w == QLatin1String("--move")) {
            setAction(w);
            if (!hasValue) {
                *problem = w + QStringLiteral(" needs a value");
                break;
            }
            const QString value = words.at(++i);
            if (w == QLatin1String("--install")) {
                if (!p.source.isEmpty())
                    *problem = QStringLiteral("give one SOURCE");
                p.source = value;
            } else {
                p.books << value;
            }
        } else if (w == QLatin1String("--to") && hasValue) {
            p.moveTo = words.at(++i);
        } else if (w == QLatin1String("--copy-images")) {
            p.copy = true;
        } else if (w == QLatin1String("--images-in-place")) {
            p.inPlace = true;
        } else if (w == QLatin1String("--replace")) {
            p.replace = true;
        } else if (w == QLatin1String("--delete-images")) {
            p.deleteImages = true;
        } else {
            *problem = QStringLiteral("unknown argument %1").arg(w);
        }
    }
    if (!problem->isEmpty())
        return p;
    if (p.action.isEmpty())
        *problem = QStringLiteral("give one of --list, --install, --remove and --move");
    else if (p.copy && p.inPlace)
        *problem = QStringLiteral("give --copy-images or --images-in-place, not both");
    else if ((p.copy || p.inPlace || p.replace) && p.action != QLatin1String("--install"))
        *problem = QStringLiteral("--copy-images, --images-in-place and --replace go with --install");
    else if (p.deleteImages && p.action != QLatin1String("--remove"))
        *problem = QStringLiteral("--delete-images goes with --remove");
    else if (!p.moveTo.isEmpty() && p.action != QLatin1String("--move"))
        *problem = QStringLiteral("--to goes with --move");
    else if (p.action == QLatin1String("--move") &&
             (p.books.size() != 1 ||
              (p.moveTo != QLatin1String("local") && p.moveTo != QLatin1String("photo-directory"))))
        *problem = QStringLiteral("--move needs one BOOK and --to local or --to photo-directory");
    return p;
}

int install(const Parsed &p, const PhotoSeries::Place &place, QTextStream &out, QTextStream &err)
{
    QTemporaryDir work;
    if (!work.isValid())
        return failure(err, QStringLiteral("no temporary folder can be made: %1").arg(work.errorString()));
    QString error;
    const auto plan = PhotoSeries::Installation::prepare(place, p.source, work.path(), &error);
    if (!plan)
        return failure(err, error);
    if (p.inPlace && !plan->canUseInPlace())
        return failure(err, QStringLiteral("%1: the images of a zip file cannot stay where they are; "
                                           "install it with --copy-images")
                                .arg(p.source));
    if (p.copy || p.inPlace)
        plan->copyImages = p.copy;
    for (PhotoSeries::PlannedBook &book : plan->books()) {
        if (book.installed && p.replace)
            book.action = PhotoSeries::PlannedBook::Action::Replace;
        if (p.replace)
            book.replaceLocalImages = true;
    }
    const QStringList left = plan->booksLeftBehind();
    if (!left.isEmpty())
        err << prefix()
            << QStringLiteral("the images of %1 lie in the old photo directory %2 and are no longer found there")
                   .arg(left.join(QStringLiteral(", ")), place.photoDirectory)
            << '\n';
    PhotoSeries::Summary summary;
    if (!plan->run({}, &summary, &error))
        return failure(err, error);
    QByteArray csv;
    Csv::appendRow(csv, {QStringLiteral("BooksAdded"), QStringLiteral("BooksReplaced"), QStringLiteral("BooksSkipped"),
                         QStringLiteral("Photos"), QStringLiteral("ImagesCopied"), QStringLiteral("ImagesMissing"),
                         QStringLiteral("BytesCopied"), QStringLiteral("PhotoDirectory"), QStringLiteral("Backup")});
    Csv::appendRow(csv, {QString::number(summary.booksAdded), QString::number(summary.booksReplaced),
                         QString::number(summary.booksSkipped), QString::number(summary.photos),
                         QString::number(summary.imagesCopied), QString::number(summary.imagesMissing),
                         QString::number(summary.bytesCopied), summary.photoDirectory, summary.backup});
    out << QString::fromUtf8(csv);
    notes(err, summary.notes);
    return 0;
}

} // namespace

int run(const Options &options, QTextStream &out, QTextStream &err)
{
    if (options.usageError)
        return usage(err, QStringLiteral("--home needs a folder"));
    if (options.command == QStringList{QStringLiteral("--help")} ||
        options.command == QStringList{QStringLiteral("-h")}) {
        out << kUsage;
        return 0;
    }
    QString problem;
    const Parsed p = parse(options.command, &problem);
    if (!problem.isEmpty())
        return usage(err, problem);

    const QString programFolder = ProgramFolder::resolve(options.home);
    const FileLock lock(PhotoSeries::lockPath(programFolder), 0);
    if (!lock.isLocked())
        return failure(
            err,
            QStringLiteral("another photo manager is working on %1; try again when it has ended").arg(programFolder));
    IniSettingsStore settings;
    SystemDriveInfo drives;
    const PhotoSeries::Place place = PhotoSeries::Place::current(programFolder, &settings, &drives);
    QString error;
    QStringList remarks;

    if (p.action == QLatin1String("--list")) {
        const auto books = PhotoSeries::listBooks(place, &error);
        if (!books)
            return failure(err, error);
        out << QString::fromUtf8(PhotoSeries::listCsv(*books));
        return 0;
    }
    if (p.action == QLatin1String("--install"))
        return install(p, place, out, err);
    if (p.action == QLatin1String("--remove")) {
        if (!PhotoSeries::removeBooks(place, p.books, p.deleteImages, &remarks, &error))
            return failure(err, error);
        notes(err, remarks);
        return 0;
    }
    const auto target =
        p.moveTo == QLatin1String("local") ? PhotoSeries::MoveTarget::Local : PhotoSeries::MoveTarget::PhotoDirectory;
    if (!PhotoSeries::moveImages(place, p.books.first(), target, {}, &remarks, &error))
        return failure(err, error);
    notes(err, remarks);
    return 0;
}

} // namespace PhotoSeriesCli
