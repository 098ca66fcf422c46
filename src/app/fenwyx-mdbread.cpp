// SPDX-License-Identifier: GPL-3.0-or-later
// fenwyx-mdbread IN.mdb OUT.sqlite: copies an Access photo database into SQLite, apart from the program.
#include "data/accessreader.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // libmdb reads this to pick the text encoding it hands out; the copy must be UTF-8 whatever the caller set.
    qunsetenv("MDBICONV");
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        err << "usage: fenwyx-mdbread IN.mdb OUT.sqlite\n";
        return 2;
    }
    QString error;
    if (!AccessReader::convertToSqlite(args.at(1), args.at(2), &error)) {
        err << "fenwyx-mdbread: " << args.at(1) << ": " << error << '\n';
        return 1;
    }
    return 0;
}
