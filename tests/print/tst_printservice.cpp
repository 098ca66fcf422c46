// SPDX-License-Identifier: GPL-3.0-or-later
// The window layer's print service where it needs no dialog: printer set-up from the installed printers, and
// no job without a printer.
#include "platform/ui/qtprintservice.h"

#include <QtTest>

class TestPrintService : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void setUp_answers_data();
    void setUp_answers();
    void startJob_withoutAPrinter_refuses();
};

void TestPrintService::setUp_answers_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("picked"); // empty: the list was cancelled
    QTest::addColumn<bool>("asked");
    QTest::addColumn<int>("choice");
    QTest::newRow("no printer installed") << QStringList{} << QString() << false << int(PrintService::Choice::Failed);
    QTest::newRow("list cancelled") << QStringList{"Office", "Lab"} << QString() << true
                                    << int(PrintService::Choice::Cancelled);
    QTest::newRow("printer gone by the time it is chosen")
        << QStringList{"Office", "Lab"} << "Lab" << true << int(PrintService::Choice::Failed);
}

void TestPrintService::setUp_answers()
{
    QFETCH(QStringList, installed);
    QFETCH(QString, picked);
    QFETCH(bool, asked);
    QFETCH(int, choice);
    QtPrintService service;
    const QString before = service.printerName();
    service.setInstalledPrinters([installed] { return installed; });
    QStringList offered;
    service.setPrinterPicker([&offered, picked](const QStringList &printers, const QString &) {
        offered = printers;
        return picked.isEmpty() ? std::nullopt : std::optional<QString>(picked);
    });
    QString error;
    QCOMPARE(int(service.setUpPrinter(&error)), choice);
    QCOMPARE(!offered.isEmpty(), asked);
    if (asked)
        QCOMPARE(offered, installed);
    // Whatever went wrong, the program's printer is the one it had.
    QCOMPARE(service.printerName(), before);
    QCOMPARE(error.isEmpty(), choice == int(PrintService::Choice::Cancelled));
}

void TestPrintService::startJob_withoutAPrinter_refuses()
{
    // A machine without print queues: a report must fail, not quietly become a file somewhere.
    QtPrintService service;
    service.setInstalledPrinters([] { return QStringList(); });
    if (!service.printerName().isEmpty())
        QSKIP("this machine has a printer");
    QString error;
    QVERIFY(!service.startJob(QStringLiteral("report"), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_MAIN(TestPrintService)
#include "tst_printservice.moc"
