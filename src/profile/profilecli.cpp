// SPDX-License-Identifier: GPL-3.0-or-later
// Profile commands of the batch program.
#include "profilecli.h"

#include "data/csvwriter.h"
#include "platform/dialogs.h"
#include "profilefile.h"
#include "profilestate.h"

#include <QFileInfo>
#include <QTextStream>

namespace
{

// The family list names files for other programs and the caption shows the path: both want it whole. A
// closing separator is kept, so that a folder's name is still told from a file's.
QString absolute(const QString &path)
{
    if (path.isEmpty())
        return path;
    const QString whole = QFileInfo(path).absoluteFilePath();
    return path.endsWith(QLatin1Char('/')) && !whole.endsWith(QLatin1Char('/')) ? whole + QLatin1Char('/') : whole;
}

// One line naming what was not understood.
int usage(QTextStream &err, const QStringList &args)
{
    const QString word = args.value(0);
    const int wanted = word == QLatin1String("show") ? 2 : 3;
    if (word.isEmpty())
        err << "profile: show or save is missing\n";
    else if (word != QLatin1String("show") && word != QLatin1String("save"))
        err << "profile: unknown command '" << word << "'\n";
    else if (args.size() > wanted)
        err << "profile " << word << ": unexpected argument '" << args.at(wanted) << "'\n";
    else
        err << "profile " << word << ": " << (wanted == 2 ? "FILE" : "IN or OUT") << " is missing\n";
    err.flush();
    return 2;
}

// The messages of the profile commands: each names the profile file it concerns (the message boxes of the
// windows need not, the file being the one just chosen), one line end for each carriage return.
class ProfileMessages : public ConsoleDialogs
{
public:
    using ConsoleDialogs::ConsoleDialogs;
    void setFile(const QString &path) { m_file = path; }
    MessageAnswer message(const QString &text, const QString &caption, MessageButtons buttons,
                          MessageIcon icon) override
    {
        const bool named = m_file.isEmpty() || text.contains(m_file);
        return ConsoleDialogs::message(named ? text : m_file + QStringLiteral(": ") + text, caption, buttons, icon);
    }

private:
    QString m_file;
};

} // namespace

int runProfileCommand(const QStringList &args, const QString &programFolder, QTextStream &out, QTextStream &err,
                      Units units)
{
    ProfileMessages dialogs(err);
    ProfileState state(dialogs, nullptr, programFolder);
    state.setUnits(units);

    // An empty name would make ".pro", a hidden file in the current folder.
    if (args.size() > 1 && args.mid(1).contains(QString())) {
        err << "profile " << args.at(0) << ": a file name is empty\n";
        err.flush();
        return 2;
    }

    if (args.size() == 2 && args.at(0) == QLatin1String("show")) {
        dialogs.setFile(absolute(args.at(1)));
        if (!state.LoadProfile(absolute(args.at(1))))
            return 1;
        const ProfileDisplay d = state.ShowProfile();
        out.setEncoding(QStringConverter::Utf8);
        const QList<QPair<QString, QString>> rows = {
            {QStringLiteral("txtName"), d.txtName},           {QStringLiteral("lblPro0to3"), d.lblPro0to3},
            {QStringLiteral("lblPro3Plus"), d.lblPro3Plus},   {QStringLiteral("lblProTotal"), d.lblProTotal},
            {QStringLiteral("lblProDuff"), d.lblProDuff},     {QStringLiteral("lblProFuelBed"), d.lblProFuelBed},
            {QStringLiteral("lblPL0to3"), d.lblPL0to3},       {QStringLiteral("lblPL3Plus"), d.lblPL3Plus},
            {QStringLiteral("lblPLDuff"), d.lblPLDuff},       {QStringLiteral("lblPLFuelBed"), d.lblPLFuelBed},
            {QStringLiteral("Notes"), state.profile().Notes}, {QStringLiteral("caption"), d.caption},
        };
        QByteArray csv;
        for (const auto &row : rows)
            Csv::appendRow(csv, {row.first, row.second});
        out << QString::fromUtf8(csv);
        out.flush();
        return 0;
    }

    if (args.size() == 3 && args.at(0) == QLatin1String("save")) {
        dialogs.setFile(absolute(args.at(1)));
        if (!state.LoadProfile(absolute(args.at(1))))
            return 1;
        QString path = absolute(args.at(2));
        dialogs.setFile(ProfileFile::folderName(path) ? path : ProfileFile::withProfileExtension(path));
        if (!state.SaveProfile(path))
            return 1;
        out << path << '\n';
        out.flush();
        return state.familyListUpdated() ? 0 : 3;
    }

    return usage(err, args);
}
