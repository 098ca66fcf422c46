// SPDX-License-Identifier: GPL-3.0-or-later
// Dispatches the batch commands: the program's options, each command's help, and the rules every command keeps.
#include "batchinterface.h"

#include "data/batchdata.h"
#include "data/batchmatch.h"
#include "data/batchquery.h"
#include "present/batchpresent.h"
#include "print/reportcli.h"
#include "profile/profilecli.h"
#include "shell/programfolder.h"
#include "shell/programinfo.h"

#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace
{

// The usage lines come first, up to the first empty line: they are repeated after a usage error.
const char kHelp[] =
    "usage: fenwyx-cli [--home DIR] [--metric] COMMAND [ARGUMENTS]\n"
    "       fenwyx-cli COMMAND --help\n"
    "       fenwyx-cli --help | --version\n"
    "\n"
    "Searches the photo series, prints data sheets and fuel profiles and writes reports without a window.\n"
    "\n"
    "Options:\n"
    "  --home DIR   the program folder (Photo.mdb, code files, PhotoImages, data); it must exist;\n"
    "               default: $FENWYX_HOME, else the folder Fenwyx itself uses\n"
    "  --metric     loadings in Mg/ha, depths and bounds in cm (list, query, similar, summary, datasheet,\n"
    "               profile show, report); query ranges and typed values are then given in them\n"
    "  --help       print this help, or a command's help after the command, and exit\n"
    "  --version    print the version and exit\n"
    "\n"
    "Commands:\n"
    "  list                        print every photo as the results list shows it (CSV)\n"
    "  query KIND [OPTIONS]        run a query and print the photos found (CSV)\n"
    "  similar BOOK/PHOTO|VALUES   print the photos most like a photo or like typed values (CSV)\n"
    "  summary KIND [OPTIONS]      print how the values of a query's photos vary (CSV)\n"
    "  params                      print the query pane's lists, each under its control's name\n"
    "  datasheet BOOK/PHOTO        print a photo's data sheet as its grid shows it (CSV)\n"
    "  profile show FILE           print the texts the Assistant shows for a fuel profile (CSV)\n"
    "  profile save IN OUT         load a fuel profile, save it as OUT, enter it in the family list\n"
    "  report photo BOOK/PHOTO --pdf OUT    write the photo report as a PDF file\n"
    "  report compare LEFT RIGHT --pdf OUT  write the comparison report of two photos\n"
    "  report profile FILE --pdf OUT        write the fuel-profile report\n"
    "  convert IN OUT              write an SQLite photo database from any readable one\n"
    "\n"
    "Exit status: 0 done; 1 a file or folder could not be read or written; 2 wrong arguments;\n"
    "3 the profile was saved but the family list could not be updated.\n";

struct Context {
    QString programFolder;
    Units units = Units::Imperial;
    std::FILE *out = stdout;
    std::FILE *err = stderr;
};

struct Command {
    const char *name;
    bool usesFolder;     // reads the program folder (profile save also enters files in its family list)
    QStringList options; // the options the command takes, each with a value
    const char *help;
    int (*run)(const Context &context, const QStringList &arguments);
};

int unexpected(const Context &context, const char *command, const QString &argument)
{
    std::fprintf(context.err, "%s: unexpected argument '%s'\n", command, qUtf8Printable(argument));
    return 2;
}

int wrongCount(const Context &context, const char *command, const QStringList &arguments, int wanted)
{
    if (arguments.size() > wanted)
        return unexpected(context, command, arguments.at(wanted));
    std::fprintf(context.err, "%s: %s\n", command, wanted == 1 ? "an argument is missing" : "arguments are missing");
    return 2;
}

int runList(const Context &c, const QStringList &arguments)
{
    if (!arguments.isEmpty())
        return unexpected(c, "list", arguments.first());
    return BatchData::list(c.programFolder, c.out, c.err, c.units);
}

int runQuery(const Context &c, const QStringList &arguments)
{
    return BatchQuery::query(c.programFolder, arguments, c.out, c.err, c.units);
}

int runSimilar(const Context &c, const QStringList &arguments)
{
    return BatchMatch::similar(c.programFolder, arguments, c.out, c.err, c.units);
}

int runSummary(const Context &c, const QStringList &arguments)
{
    return BatchMatch::summary(c.programFolder, arguments, c.out, c.err, c.units);
}

int runParams(const Context &c, const QStringList &arguments)
{
    if (!arguments.isEmpty())
        return unexpected(c, "params", arguments.first());
    return BatchQuery::params(c.programFolder, c.out, c.err);
}

int runDatasheet(const Context &c, const QStringList &arguments)
{
    if (arguments.size() != 1)
        return wrongCount(c, "datasheet", arguments, 1);
    return BatchPresent::datasheet(c.programFolder, arguments.first(), c.out, c.err, c.units);
}

int runProfile(const Context &c, const QStringList &arguments)
{
    // The output is gathered and written in one checked write, so that a refused one is told with its reason.
    QByteArray printed;
    int status = 0;
    {
        QTextStream out(&printed);
        QTextStream err(c.err);
        status = runProfileCommand(arguments, c.programFolder, out, err, c.units);
    }
    if (!printed.isEmpty() && !BatchData::writeOutput(c.out, printed, c.err))
        return status == 0 ? 1 : status;
    return status;
}

int runReport(const Context &c, const QStringList &arguments)
{
    return ReportCli::run(arguments, c.programFolder, c.err, c.units, c.out);
}

int runConvert(const Context &c, const QStringList &arguments)
{
    if (arguments.size() != 2)
        return wrongCount(c, "convert", arguments, 2);
    return BatchData::convert(arguments.at(0), arguments.at(1), c.err);
}

const QStringList kQueryOptions{
    QStringLiteral("--book"),      QStringLiteral("--from"),    QStringLiteral("--to"),
    QStringLiteral("--fine-from"), QStringLiteral("--fine-to"), QStringLiteral("--coarse-from"),
    QStringLiteral("--coarse-to"), QStringLiteral("--veg"),     QStringLiteral("--act"),
    QStringLiteral("--danger"),    QStringLiteral("--behave")};

// A new command is one entry here, its line under "Commands:" in kHelp and its section in man/fenwyx-cli.1.
const Command kCommands[] = {
    {"list",
     true,
     {},
     "usage: fenwyx-cli [--home DIR] [--metric] list\n"
     "\n"
     "Prints every photo of the photo database as the results list shows it: CSV with a header row and\n"
     "one row per photo, lines ending in CR LF.\n",
     runList},
    {"query", true, kQueryOptions,
     "usage: fenwyx-cli [--home DIR] [--metric] query KIND [OPTIONS]\n"
     "\n"
     "Runs a query as the query pane does and prints the photos found as list prints them.\n"
     "KIND is book, total, size, models or all.\n"
     "\n"
     "Options:\n"
     "  --book LABEL                     the book (book; \"All Books\": every book)\n"
     "  --from X, --to Y                 the range of the total loading (total)\n"
     "  --fine-from X, --fine-to Y       the range of the 0 to 2.9 inch loading (size)\n"
     "  --coarse-from X, --coarse-to Y   the range of the 3 inch and larger loading (size)\n"
     "  --veg CODE, --act CODE           a vegetation or activity type (total, size)\n"
     "  --danger CODE, --behave CODE     a fire-danger or fire-behaviour fuel model (models)\n"
     "Codes may repeat. A range left out is the query pane's default; with --metric ranges are in Mg/ha.\n",
     runQuery},
    {"similar",
     true,
     {QStringLiteral("--fine"), QStringLiteral("--coarse"), QStringLiteral("--duff"), QStringLiteral("--bed"),
      QStringLiteral("--top")},
     "usage: fenwyx-cli [--home DIR] [--metric] similar BOOK/PHOTO [--top N]\n"
     "       fenwyx-cli [--home DIR] [--metric] similar [--fine X] [--coarse Y] [--duff D] [--bed B] [--top N]\n"
     "\n"
     "Ranks every photo of the photo database by its likeness to the photo BOOK/PHOTO (on the values it has)\n"
     "or to the values given, and prints the nearest: CSV of Rank, Book/Photo ID, Distance (three decimals)\n"
     "and the other columns list prints. The distance is the root of the mean over the values used of the\n"
     "squared difference of ln(1 + value), each divided by its spread over the database; a photo lacking a\n"
     "value used is left out, and said so on standard error.\n"
     "\n"
     "Options:\n"
     "  --fine X     the 0 to 2.9 inch loading (tons per acre; with --metric Mg/ha)\n"
     "  --coarse Y   the 3 inch and larger loading\n"
     "  --duff D     the duff depth (inches; with --metric cm)\n"
     "  --bed B      the fuel-bed depth\n"
     "  --top N      the number of photos printed (default 20; 0: every photo ranked)\n",
     runSimilar},
    {"summary", true, kQueryOptions,
     "usage: fenwyx-cli [--home DIR] [--metric] summary KIND [OPTIONS]\n"
     "\n"
     "Runs a query as query does and prints how the photos found vary: CSV of Measure, Count, Min, Median,\n"
     "Mean and Max, a row for each number column of the list (0 to 2.9 inch, 3 inch and larger, total, duff\n"
     "depth, fuel-bed depth), rounded to two decimals. A photo without a number in a column (a depth not\n"
     "measured) is left out of that row. KIND and OPTIONS are those of query (fenwyx-cli query --help).\n",
     runSummary},
    {"params",
     true,
     {},
     "usage: fenwyx-cli [--home DIR] params\n"
     "\n"
     "Prints the query pane's lists (books, loading ranges, vegetation and activity types, fuel models),\n"
     "each under a line naming its control, one entry per line.\n",
     runParams},
    {"datasheet",
     true,
     {},
     "usage: fenwyx-cli [--home DIR] [--metric] datasheet BOOK/PHOTO\n"
     "\n"
     "Prints the data sheet of the photo BOOK/PHOTO as its grid shows it: CSV, one row per row in use.\n",
     runDatasheet},
    {"profile",
     true,
     {},
     "usage: fenwyx-cli [--metric] profile show FILE\n"
     "       fenwyx-cli [--home DIR] profile save IN OUT\n"
     "\n"
     "show prints the texts the Assistant shows for the fuel profile FILE (CSV: control name, text).\n"
     "save loads the fuel profile IN, saves it as OUT (.pro is added) and enters OUT in the family list\n"
     "of the program folder; it prints the path saved.\n",
     runProfile},
    {"report",
     true,
     {QStringLiteral("--pdf"), QStringLiteral("--paper")},
     "usage: fenwyx-cli [--home DIR] [--metric] report photo BOOK/PHOTO --pdf OUT [--paper letter|a4]\n"
     "       fenwyx-cli [--home DIR] [--metric] report compare LEFT RIGHT --pdf OUT [--paper letter|a4]\n"
     "       fenwyx-cli [--home DIR] [--metric] report profile FILE --pdf OUT [--paper letter|a4]\n"
     "\n"
     "Writes the photo report, the comparison report of two photos (left, right) or the fuel-profile\n"
     "report as the printer gets it, as a PDF file (a profile's long notes go on over further pages).\n"
     "\n"
     "Options:\n"
     "  --pdf OUT      the PDF file, written whole or not at all; \"-\" writes the PDF to standard output\n"
     "  --paper SIZE   letter or a4; without it, the paper the system names (PAPERSIZE, /etc/papersize, the\n"
     "                 locale), else letter\n",
     runReport},
    {"convert",
     false,
     {},
     "usage: fenwyx-cli convert IN OUT\n"
     "\n"
     "Writes an SQLite photo database OUT from the photo database IN (Access or SQLite).\n",
     runConvert},
};

// The usage lines of a help text, for the end of an error message.
QByteArray usageOf(const char *help)
{
    const QByteArray text(help);
    const qsizetype end = text.indexOf("\n\n");
    return end < 0 ? text : text.left(end + 1);
}

int usageError(std::FILE *usage, const char *help, const QString &tryWith)
{
    std::fputs(usageOf(help).constData(), usage);
    std::fprintf(usage, "Try '%s --help' for more.\n", qUtf8Printable(tryWith));
    return 2;
}

const Command *commandNamed(const QString &name)
{
    for (const Command &command : kCommands) {
        if (name == QLatin1String(command.name))
            return &command;
    }
    return nullptr;
}

bool printed(std::FILE *out, const QByteArray &text)
{
    return std::fwrite(text.constData(), 1, size_t(text.size()), out) == size_t(text.size());
}

} // namespace

namespace BatchInterface
{

Options readOptions(const QStringList &arguments)
{
    Options o;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &word = arguments.at(i);
        if (word == QLatin1String("--metric")) {
            o.units = Units::Metric;
        } else if (word == QLatin1String("--home")) {
            if (i + 1 < arguments.size())
                o.home = arguments.at(++i);
            else
                o.homeMissing = true;
        } else if (word.startsWith(QLatin1String("--home="))) {
            o.home = word.mid(7);
        } else if (word == QLatin1String("--help") || word == QLatin1String("-h")) {
            o.help = true;
        } else if (word == QLatin1String("--version")) {
            o.version = true;
        } else if (o.command.isEmpty() && word.startsWith(QLatin1String("--"))) {
            o.unknown << word;
        } else if (o.command.isEmpty()) {
            o.command = word;
        } else {
            o.arguments << word;
        }
    }
    return o;
}

int run(const QStringList &arguments, std::FILE *out, std::FILE *err, std::FILE *usage)
{
    const Options options = readOptions(arguments);
    const QString program = QStringLiteral("fenwyx-cli");
    if (options.homeMissing) {
        std::fputs("--home needs a folder\n", err);
        return usageError(usage, kHelp, program);
    }
    if (options.version)
        return printed(out, ProgramInfo::versionText(program).toUtf8()) ? 0 : 1;
    if (!options.unknown.isEmpty()) {
        std::fprintf(err, "unknown option '%s'\n", qUtf8Printable(options.unknown.first()));
        return usageError(usage, kHelp, program);
    }
    if (options.command.isEmpty()) {
        if (options.help)
            return printed(out, kHelp) ? 0 : 1;
        std::fputs("no command given\n", err);
        return usageError(usage, kHelp, program);
    }
    const Command *command = commandNamed(options.command);
    if (!command) {
        std::fprintf(err, "unknown command '%s'\n", qUtf8Printable(options.command));
        return usageError(usage, kHelp, program);
    }
    const QString tryWith = program + QLatin1Char(' ') + QLatin1String(command->name);
    if (options.help)
        return printed(out, command->help) ? 0 : 1;
    for (const QString &word : options.arguments) {
        if (word.startsWith(QLatin1String("--")) && !command->options.contains(word.section(QLatin1Char('='), 0, 0))) {
            std::fprintf(err, "%s: unknown option '%s'\n", command->name, qUtf8Printable(word));
            return usageError(usage, command->help, tryWith);
        }
    }

    Context context;
    context.units = options.units;
    context.out = out;
    context.err = err;
    if (command->usesFolder) {
        // A folder named by the user is used as it is, never created: a mistyped one is an error, not a new
        // library that lists nothing.
        const bool fromOption = !options.home.isEmpty();
        const QString named = fromOption ? options.home : qEnvironmentVariable("FENWYX_HOME");
        if (!named.isEmpty() && !QFileInfo(named).isDir()) {
            std::fprintf(err, "%s: %s\n", qUtf8Printable(named),
                         QFileInfo::exists(named) ? "not a folder" : "no such folder");
            return 1;
        }
        context.programFolder = ProgramFolder::resolve(options.home);
    }
    const int status = command->run(context, options.arguments);
    if (status == 2)
        return usageError(usage, command->help, tryWith);
    return status;
}

} // namespace BatchInterface
