// SPDX-License-Identifier: GPL-3.0-or-later
// The print dialog, the printer set-up, the print target and the event turns a progress window needs, as the
// reports ask for them; the window layer answers with real dialogs and printers, tests with a script.
#pragma once

#include <QString>
#include <memory>

class QPagedPaintDevice;

// One document on the chosen printer. Ending the painter on device() sends the page to the printer, unless
// abort() was called while that painter was still active.
class PrintJob
{
public:
    virtual ~PrintJob() = default;
    virtual QPagedPaintDevice *device() = 0;
    // Abandons the document: nothing of it reaches the printer. Call before the painter ends.
    virtual void abort() = 0;
    // Whether the printer has reported an error since the job began.
    virtual bool failed() const = 0;
};

class PrintService
{
public:
    enum class Choice { Chosen, Cancelled, Failed };

    virtual ~PrintService() = default;
    // The print dialog, without selection, page range or printing to a file; copies are the printer's own
    // settings. The printer chosen becomes the program's printer, for this report and later ones.
    virtual Choice choosePrinter(QString *error) = 0;
    // Printer set-up: choosing a printer makes it the program's printer for later reports.
    virtual Choice setUpPrinter(QString *error) = 0;
    // A document on the program's printer; null (with a reason) when the printer cannot take one.
    virtual std::unique_ptr<PrintJob> startJob(const QString &documentName, QString *error) = 0;
    virtual QString printerName() const = 0;
    // Lets pending window events run, so that a progress window blinks and its Cancel button is heard.
    virtual void letEventsRun() = 0;
};
