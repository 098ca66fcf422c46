// SPDX-License-Identifier: GPL-3.0-or-later
// Batch reports: the same inputs, layouts and drawing as the printed pages, written as PDF files.
#include "reportcli.h"

#include "data/batchdata.h"
#include "data/photolibrary.h"
#include "platform/driveinfo.h"
#include "platform/settingsstore.h"
#include "present/imageresolver.h"
#include "present/photodata.h"
#include "print/reportinputs.h"
#include "print/reportlayouts.h"
#include "print/reportpaper.h"
#include "print/reportpdf.h"
#include "profile/profilefile.h"
#include "shell/photodirectory.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace ReportCli
{

namespace
{

int usage(QTextStream &err, const QString &problem)
{
    err << "report: " << problem << '\n';
    err.flush();
    return 2;
}

int fail(QTextStream &err, const QString &message)
{
    err << "report: " << message << '\n';
    err.flush();
    return 1;
}

// The photo as a slot would show it, its picture looked up as the screen does.
std::optional<PhotoSlotState> slotFor(const PhotoDatabase &database, const ImageResolver &resolver,
                                      const QString &label, QString *error, Units units)
{
    std::optional<PhotoRecord> photo = PhotoData::photoByLabel(database, label, error);
    if (!photo)
        return std::nullopt;
    PhotoSlotState slot = PhotoData::fromRecord(database, std::move(*photo), units);
    slot.ImageSource = resolver.resolve(*slot.photo, ImageResolver::Photo, false).source;
    return slot;
}

} // namespace

int run(const QStringList &args, const QString &programFolder, std::FILE *errors, Units units, std::FILE *output)
{
    QTextStream err(errors);
    QStringList words;
    QString pdf;
    std::optional<QString> paperName;
    for (int i = 0; i < args.size(); ++i) {
        const QString &word = args.at(i);
        if (word == QLatin1String("--pdf")) {
            if (i + 1 == args.size())
                return usage(err, QStringLiteral("--pdf needs a file (\"-\": standard output)"));
            pdf = args.at(++i);
        } else if (word.startsWith(QLatin1String("--pdf="))) {
            pdf = word.mid(6);
        } else if (word == QLatin1String("--paper")) {
            if (i + 1 == args.size())
                return usage(err, QStringLiteral("--paper needs a size (letter or a4)"));
            paperName = args.at(++i);
        } else if (word.startsWith(QLatin1String("--paper="))) {
            paperName = word.mid(8);
        } else if (word.startsWith(QLatin1String("--"))) {
            return usage(err, QStringLiteral("unknown option '%1'").arg(word));
        } else {
            words << word;
        }
    }
    if (words.isEmpty())
        return usage(err, QStringLiteral("the kind of report is missing (photo, compare or profile)"));
    // Without the option, the paper the system names.
    const std::optional<QPageSize> paper = paperName ? ReportPaper::byName(*paperName) : ReportPaper::systemPaper();
    if (!paper)
        return usage(err, QStringLiteral("unknown paper '%1' (letter or a4)").arg(*paperName));
    const QString kind = words.takeFirst();
    const int wanted = kind == QLatin1String("compare") ? 2 : 1;
    if (kind != QLatin1String("photo") && kind != QLatin1String("compare") && kind != QLatin1String("profile"))
        return usage(err, QStringLiteral("unknown report '%1'").arg(kind));
    if (words.size() > wanted)
        return usage(err, QStringLiteral("unexpected argument '%1'").arg(words.at(wanted)));
    if (words.size() < wanted)
        return usage(err, kind == QLatin1String("profile") ? QStringLiteral("the fuel profile file is missing")
                                                           : QStringLiteral("a photo label is missing"));
    if (pdf.isEmpty())
        return usage(err, QStringLiteral("--pdf OUT is missing"));

    IniSettingsStore settings;
    SystemDriveInfo drives;
    PhotoDirectory directory;
    directory.ReadPhotoDirectory(&settings, &drives, programFolder);
    const ImageResolver resolver(directory, programFolder);
    PhotoDatabase database;
    QString error;
    const bool databaseOpen = database.open(PhotoLibrary::databasePath(programFolder), &error);
    ReportInputs inputs(directory, programFolder, databaseOpen ? &database : nullptr);
    inputs.setUnreadablePicture([&err](const QString &path, const QString &reason) {
        err << "report: cannot read the picture " << QDir::toNativeSeparators(path) << ": " << reason
            << "; the page says \"No image available\" in its place\n";
        err.flush();
    });
    // Every photo and book of the page from one state of the file, let go before the PDF is written.
    std::optional<PhotoDatabase::ReadTransaction> reading;
    if (databaseOpen)
        reading.emplace(database);

    Report report;
    if (kind == QLatin1String("profile")) {
        FileError fileError;
        const QString path = QFileInfo(words.at(0)).absoluteFilePath();
        const std::optional<FuelProfile> profile = ProfileFile::read(path, &fileError);
        if (!profile) {
            return fail(err, QStringLiteral("cannot read the fuel profile %1: %2 (%3)")
                                 .arg(path, fileError.description, QString::number(fileError.number)));
        }
        // The values and notes print all the same; only the source pictures need the database.
        if (!databaseOpen)
            err << "report: " << error << "; the source photos print without pictures\n";
        report = ReportLayouts::profileReport(inputs.profile(*profile, units));
    } else {
        if (!databaseOpen)
            return fail(err, error);
        std::vector<PhotoSlotState> shown;
        for (const QString &label : std::as_const(words)) {
            std::optional<PhotoSlotState> slot = slotFor(database, resolver, label, &error, units);
            if (!slot)
                return fail(err, error);
            shown.push_back(std::move(*slot));
        }
        report = kind == QLatin1String("photo")
                     ? ReportLayouts::photoReport(inputs.photo(shown.at(0)))
                     : ReportLayouts::comparisonReport(inputs.comparison(shown.at(0), shown.at(1)));
    }
    reading.reset();
    if (pdf == QLatin1String("-")) {
        QBuffer bytes;
        bytes.open(QIODevice::WriteOnly);
        if (!ReportPdf::write(report, &bytes, *paper, &error))
            return fail(err, error);
        err.flush();
        return BatchData::writeOutput(output, bytes.data(), errors) ? 0 : 1;
    }
    if (!ReportPdf::write(report, pdf, *paper, &error))
        return fail(err, error);
    return 0;
}

} // namespace ReportCli
