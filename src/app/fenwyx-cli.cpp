// fenwyx-cli: batch interface.
#include "app/batchinterface.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Fenwyx"));
    QCoreApplication::setOrganizationName(QStringLiteral("Fenwyx"));
    return BatchInterface::run(app.arguments().mid(1));
}
