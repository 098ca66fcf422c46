// Dispatches the batch commands.
#include "batchinterface.h"

#include "data/batchdata.h"
#include "data/batchquery.h"
#include "present/batchpresent.h"
#include "print/reportcli.h"
#include "profile/profilecli.h"
#include "shell/programfolder.h"

#include <QTextStream>
#include <cstdio>

namespace
{
const char kUsage[] =
    "usage: fenwyx-cli [--home DIR] [--metric] COMMAND\n"
    "  --metric                  loadings in Mg/ha, depths and bounds in cm (list, query, datasheet,\n"
    "                            profile show, report); query ranges are given in Mg/ha\n"
    "  list                      print every photo as the results list shows it (CSV)\n"
    "  convert IN OUT            write an SQLite photo database from any readable one\n"
    "  datasheet LABEL           print the data sheet of the photo BOOK/PHOTO (CSV)\n"
    "  profile show FILE         print the texts the Assistant shows for a fuel profile (CSV)\n"
    "  profile save IN OUT       load a fuel profile and save it as OUT\n"
    "  report photo LABEL --pdf OUT         the photo report of BOOK/PHOTO as a PDF file\n"
    "  report compare LEFT RIGHT --pdf OUT  the comparison report of two photos as a PDF file\n"
    "  report profile FILE --pdf OUT        the fuel-profile report as a PDF file\n";
}

namespace BatchInterface
{

Options readOptions(const QStringList &arguments)
{
    Options o;
    QStringList &args = o.command = arguments;
    while (!args.isEmpty() &&
           (args.first().startsWith(QLatin1String("--home")) || args.first() == QLatin1String("--metric"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--metric"))
            o.units = Units::Metric;
        else if (option.startsWith(QLatin1String("--home=")))
            o.home = option.mid(7);
        else if (!args.isEmpty())
            o.home = args.takeFirst();
        else
            o.homeMissing = true;
    }
    return o;
}

int run(const QStringList &arguments)
{
    Options options = readOptions(arguments);
    if (options.homeMissing) {
        std::fputs("--home needs a folder\n", stderr);
        return 2;
    }
    QStringList &args = options.command;
    const QString &home = options.home;
    const Units units = options.units;
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        std::fputs(kUsage, args.isEmpty() ? stderr : stdout);
        std::fputs(BatchQuery::kUsage, args.isEmpty() ? stderr : stdout);
        return args.isEmpty() ? 2 : 0;
    }
    const QString programFolder = ProgramFolder::resolve(home);
    const QString command = args.takeFirst();

    if (command == QLatin1String("list") && args.isEmpty())
        return BatchData::list(programFolder, stdout, stderr, units);
    if (command == QLatin1String("convert") && args.size() == 2)
        return BatchData::convert(args.at(0), args.at(1), stderr);
    if (command == QLatin1String("datasheet") && args.size() == 1)
        return BatchPresent::datasheet(programFolder, args.at(0), stdout, stderr, units);

    if (command == QLatin1String("profile")) {
        QTextStream out(stdout);
        QTextStream err(stderr);
        return runProfileCommand(args, programFolder, out, err, units);
    }

    if (command == QLatin1String("report"))
        return ReportCli::run(args, programFolder, stderr, units);

    if (command == QLatin1String("query"))
        return BatchQuery::query(programFolder, args, stdout, stderr, units);
    if (command == QLatin1String("params") && args.isEmpty())
        return BatchQuery::params(programFolder, stdout, stderr);

    std::fputs(kUsage, stderr);
    std::fputs(BatchQuery::kUsage, stderr);
    return 2;
}

} // namespace BatchInterface
