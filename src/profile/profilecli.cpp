// Profile commands of the batch program.
#include "profilecli.h"

#include "data/csvwriter.h"
#include "platform/dialogs.h"
#include "profilestate.h"

#include <QFileInfo>
#include <QTextStream>

namespace
{

// The family list names files for other programs and the caption shows the path: both want it whole.
QString absolute(const QString &path)
{
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

void usage(QTextStream &err)
{
    err << "usage: profile show FILE\n       profile save IN OUT\n";
    err.flush();
}

} // namespace

int runProfileCommand(const QStringList &args, const QString &programFolder, QTextStream &out, QTextStream &err)
{
    ConsoleDialogs dialogs(err);
    ProfileState state(dialogs, nullptr, programFolder);

    if (args.size() == 2 && args.at(0) == QLatin1String("show")) {
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
        if (!state.LoadProfile(absolute(args.at(1))))
            return 1;
        QString path = absolute(args.at(2));
        if (!state.SaveProfile(path))
            return 1;
        out << path << '\n';
        out.flush();
        return state.familyListUpdated() ? 0 : 3;
    }

    usage(err);
    return 2;
}
