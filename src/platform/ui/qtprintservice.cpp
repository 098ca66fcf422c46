// SPDX-License-Identifier: GPL-3.0-or-later
// QPrintDialog for the reports, a list of printers for the set-up, QPrinter as the target.
#include "qtprintservice.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QPrintDialog>
#include <QPrinterInfo>

namespace
{

class PrinterJob : public PrintJob
{
public:
    explicit PrinterJob(QPrinter &printer) : m_job(printer) {}
    QPagedPaintDevice *device() override { return &m_job; }
    void abort() override { m_job.abort(); }
    bool failed() const override { return m_job.printerState() == QPrinter::Error; }

private:
    QPrinter &m_job;
};

// The printer is usable: a real print queue, never a file nobody named.
bool usable(const QPrinter &printer)
{
    return printer.isValid() && printer.outputFormat() == QPrinter::NativeFormat && !printer.printerName().isEmpty();
}

} // namespace

QtPrintService::QtPrintService() : m_installed(&QPrinterInfo::availablePrinterNames) {}

QPrinter &QtPrintService::printer() const
{
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

PrintService::Choice QtPrintService::choosePrinter(QString *error)
{
    QPrintDialog dialog(&printer(), m_parent);
    dialog.setWindowTitle(QStringLiteral("Print"));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return Choice::Cancelled;
    if (!usable(printer())) {
        if (error)
            *error = QStringLiteral("no printer was chosen");
        return Choice::Failed;
    }
    return Choice::Chosen;
}

std::optional<QString> QtPrintService::pickFromList(const QStringList &printers, const QString &current) const
{
    // The page set-up dialog of this Qt takes native printers only and may fall over after OK; a list of the
    // installed printers is all the set-up needs.
    bool ok = false;
    const int index = std::max(0, int(printers.indexOf(current)));
    const QString name = QInputDialog::getItem(m_parent, QStringLiteral("Printer Setup"), QStringLiteral("Printer:"),
                                               printers, index, false, &ok);
    if (!ok || name.isEmpty())
        return std::nullopt;
    return name;
}

PrintService::Choice QtPrintService::setUpPrinter(QString *error)
{
    const QStringList printers = m_installed ? m_installed() : QStringList();
    if (printers.isEmpty()) {
        if (error)
            *error = QStringLiteral("no printer is installed");
        return Choice::Failed;
    }
    const QString current =
        printer().printerName().isEmpty() ? QPrinterInfo::defaultPrinterName() : printer().printerName();
    const std::optional<QString> chosen = m_picker ? m_picker(printers, current) : pickFromList(printers, current);
    if (!chosen)
        return Choice::Cancelled;
    const QString previous = printer().printerName();
    printer().setPrinterName(*chosen);
    if (printer().printerName() != *chosen || !usable(printer())) {
        // The program keeps the printer it had.
        printer().setPrinterName(previous);
        if (error)
            *error = QStringLiteral("the printer %1 cannot be used").arg(*chosen);
        return Choice::Failed;
    }
    return Choice::Chosen;
}

std::unique_ptr<PrintJob> QtPrintService::startJob(const QString &documentName, QString *error)
{
    if (!usable(printer())) {
        if (error)
            *error = QStringLiteral("no printer is chosen");
        return nullptr;
    }
    printer().setDocName(documentName);
    // Every report is laid out on a portrait page, from the top-left of the printable area.
    printer().setPageOrientation(QPageLayout::Portrait);
    printer().setFullPage(false);
    return std::make_unique<PrinterJob>(printer());
}

void QtPrintService::letEventsRun()
{
    QCoreApplication::processEvents();
}
