// SPDX-License-Identifier: GPL-3.0-or-later
// The print dialog, printer set-up and printer of the window layer.
#pragma once

#include "platform/printservice.h"

#include <QPointer>
#include <QPrinter>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class QtPrintService : public PrintService
{
public:
    // Picks a printer from the installed ones (current: the program's printer); nothing when cancelled.
    using PrinterPicker = std::function<std::optional<QString>(const QStringList &printers, const QString &current)>;

    QtPrintService();
    void setParentWindow(QWidget *parent) { m_parent = parent; }
    // Printer set-up asks through a list of the installed printers unless told otherwise (tests).
    void setPrinterPicker(PrinterPicker picker) { m_picker = std::move(picker); }
    void setInstalledPrinters(std::function<QStringList()> printers) { m_installed = std::move(printers); }

    Choice choosePrinter(QString *error) override;
    Choice setUpPrinter(QString *error) override;
    std::unique_ptr<PrintJob> startJob(const QString &documentName, QString *error) override;
    QString printerName() const override { return printer().printerName(); }
    void letEventsRun() override;

private:
    std::optional<QString> pickFromList(const QStringList &printers, const QString &current) const;
    // Made on first use: a printer loads the platform's print support, which start-up does not need.
    QPrinter &printer() const;

    mutable std::unique_ptr<QPrinter> m_printer;
    QPointer<QWidget> m_parent;
    PrinterPicker m_picker;
    std::function<QStringList()> m_installed;
};
