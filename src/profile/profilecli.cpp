// Profile commands of the batch program.
#include "profilecli.h"

#include "familylist.h"
#include "platform/dialogs.h"
#include "profilestate.h"

#include <QFileInfo>
#include <QTextStream>

namespace {

// Messages to the error stream, questions answered No, file choosers cancelled.
class StreamDialogs : public Dialogs {
public:
    explicit StreamDialogs(QTextStream &err) : m_err(err) {}

    MessageAnswer message(const QString &text, const QString &, MessageButtons buttons, MessageIcon) override
    {
        QString shown = text;
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        m_err << shown << '\n';
        m_err.flush();
        if (text.startsWith(QLatin1String("Problem saving to Brackel list")))
            m_listFailed = true;
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    std::optional<QString> openFileName(const FileDialogRequest &) override { return std::nullopt; }
    std::optional<QString> saveFileName(const FileDialogRequest &) override { return std::nullopt; }

    bool listFailed() const { return m_listFailed; }

private:
    QTextStream &m_err;
    bool m_listFailed = false;
};

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

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
    StreamDialogs dialogs(err);
    ProfileState state(dialogs, nullptr, programFolder);

    if (args.size() == 2 && args.at(0) == QLatin1String("show")) {
        if (!state.LoadProfile(absolute(args.at(1))))
            return 1;
        const ProfileDisplay d = state.ShowProfile();
        out.setEncoding(QStringConverter::Utf8);
        const QList<QPair<QString, QString>> rows = {
            {QStringLiteral("txtName"), d.txtName},
            {QStringLiteral("lblPro0to3"), d.lblPro0to3},
            {QStringLiteral("lblPro3Plus"), d.lblPro3Plus},
            {QStringLiteral("lblProTotal"), d.lblProTotal},
            {QStringLiteral("lblProDuff"), d.lblProDuff},
            {QStringLiteral("lblProFuelBed"), d.lblProFuelBed},
            {QStringLiteral("lblPL0to3"), d.lblPL0to3},
            {QStringLiteral("lblPL3Plus"), d.lblPL3Plus},
            {QStringLiteral("lblPLDuff"), d.lblPLDuff},
            {QStringLiteral("lblPLFuelBed"), d.lblPLFuelBed},
            {QStringLiteral("Notes"), state.profile().Notes},
            {QStringLiteral("caption"), d.caption},
        };
        for (const auto &row : rows)
            out << csvField(row.first) << ',' << csvField(row.second) << "\r\n";
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
        return dialogs.listFailed() ? 3 : 0;
    }

    usage(err);
    return 2;
}
