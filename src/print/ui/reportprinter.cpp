// SPDX-License-Identifier: GPL-3.0-or-later
// The print frame shared by the reports, run on the window thread with a progress window that can cancel.
#include "reportprinter.h"

#include "data/photolibrary.h"
#include "platform/dialogs.h"
#include "platform/printservice.h"
#include "platform/scopeguards.h"
#include "platform/settingsstore.h"
#include "present/photoslots.h"
#include "print/reportinputs.h"
#include "print/reportlayouts.h"
#include "print/reportpainter.h"
#include "print/reportpaper.h"
#include "print/reportpdf.h"
#include "print/ui/frmpreview.h"
#include "print/ui/frmprinting.h"
#include "shell/statusreporter.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QWidget>

const QString ReportPrinter::kPrinterError = QStringLiteral("A printer error has occured, check printer");

namespace
{
const QString kApplication = QStringLiteral("Fenwyx");
const QString kSection = QStringLiteral("Reports");
const QString kPreviewKey = QStringLiteral("PreviewReports");
} // namespace

ReportPrinter::ReportPrinter(PrintService &print, Dialogs &dialogs, StatusReporter &status,
                             const PhotoDirectory &directory, QString programFolder, const PhotoLibrary &library,
                             SettingsStore *settings, QWidget *parentWindow, QObject *parent)
    : QObject(parent), m_print(print), m_dialogs(dialogs), m_status(status), m_directory(directory),
      m_programFolder(std::move(programFolder)), m_library(library), m_settings(settings), m_parentWindow(parentWindow)
{
    if (m_settings)
        m_previewReports =
            m_settings->readText(kApplication, kSection, kPreviewKey, QStringLiteral("0")) == QLatin1String("1");
}

ReportPrinter::~ReportPrinter()
{
    if (m_preview)
        m_preview->close();
}

frmPreview *ReportPrinter::previewWindow() const
{
    return m_preview;
}

void ReportPrinter::setPreviewReports(bool on)
{
    m_previewReports = on;
    if (m_settings)
        m_settings->writeText(kApplication, kSection, kPreviewKey, on ? QStringLiteral("1") : QStringLiteral("0"));
}

void ReportPrinter::PrinterSetup()
{
    if (m_printing)
        return;
    // Any error, a cancel included, ends the set-up quietly; the printer stays as it was.
    QString error;
    m_print.setUpPrinter(&error);
}

void ReportPrinter::printPhotoReport(const PhotoSlotState &slot)
{
    runReport([slot](const ReportInputs &inputs) { return ReportLayouts::photoReport(inputs.photo(slot)); });
}

void ReportPrinter::printComparisonReport(const PhotoSlotState &left, const PhotoSlotState &right)
{
    runReport([left, right](const ReportInputs &inputs) {
        return ReportLayouts::comparisonReport(inputs.comparison(left, right));
    });
}

void ReportPrinter::printFuelProfileReport(const FuelProfile &profile)
{
    const Units units = m_units;
    runReport([profile, units](const ReportInputs &inputs) {
        return ReportLayouts::profileReport(inputs.profile(profile, units));
    });
}

void ReportPrinter::runReport(const PageBuilder &build)
{
    // The progress window lets events in: a second report must not start inside the first.
    if (m_printing)
        return;
    if (!m_previewReports) {
        printFramed(build);
        return;
    }
    Report report;
    {
        const WaitCursor wait;
        QStringList unreadable;
        report = build(inputs(&unreadable));
        tellUnreadable(unreadable);
    }
    showPreview(std::move(report));
}

bool ReportPrinter::printFramed(const PageBuilder &build)
{
    const BusyFlag busy(m_printing);
    m_printCancelled = false;
    QString error;
    switch (m_print.choosePrinter(&error)) {
    case PrintService::Choice::Cancelled:
        m_printCancelled = true;
        return false;
    case PrintService::Choice::Failed:
        // Never on the printer of an earlier report: the report is abandoned.
        m_status.ShowStatus(StatusError, kPrinterError);
        return false;
    case PrintService::Choice::Chosen:
        break;
    }

    // Not a child of the main window: it lives exactly as long as this report, whatever happens around it.
    frmPrinting progress;
    if (m_parentWindow)
        progress.move(m_parentWindow->geometry().center() -
                      QPoint(progress.sizeHint().width(), progress.sizeHint().height()) / 2);
    progress.show();
    progress.repaint();
    m_print.letEventsRun();

    QStringList unreadable;
    ReportInputs pageInputs = inputs(&unreadable);
    pageInputs.setAfterPicture([this] { m_print.letEventsRun(); });
    const Report report = build(pageInputs);
    // Told now; a printer failure or a cancel later takes its place.
    tellUnreadable(unreadable);

    bool failed = false;
    bool cancelled = progress.cancelled();
    if (!cancelled) {
        std::unique_ptr<PrintJob> job = m_print.startJob(report.title, &error);
        QPainter painter;
        if (!job || !painter.begin(job->device())) {
            failed = true;
        } else {
            const int pages = int(report.pages.size());
            const bool drawn = ReportPainter::paint(
                painter, *job->device(), report,
                [this, &progress, &job] {
                    m_print.letEventsRun();
                    return !progress.cancelled() && !job->failed();
                },
                [&progress, pages](int page) { progress.showPage(page, pages); });
            // A Cancel pressed up to the moment the job ends is still honoured.
            m_print.letEventsRun();
            cancelled = progress.cancelled();
            failed = job->failed() || (!drawn && !cancelled);
            if (cancelled || failed) {
                // Before the painter ends: ending it would send the half-drawn page.
                job->abort();
                painter.end();
            } else if (!painter.end() || job->failed()) {
                failed = true;
            }
        }
    }
    progress.close();
    m_printCancelled = cancelled;
    if (failed)
        m_status.ShowStatus(StatusError, kPrinterError);
    else if (cancelled)
        m_status.ShowStatus(StatusInfo, QStringLiteral("Printing cancelled"));
    return !failed && !cancelled;
}

ReportInputs ReportPrinter::inputs(QStringList *unreadable) const
{
    const PhotoDatabase *database = m_library.isOpen() ? &m_library.database() : nullptr;
    ReportInputs inputs(m_directory, m_programFolder, database);
    inputs.setUnreadablePicture([unreadable](const QString &path, const QString &reason) {
        const QString problem = QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
        if (!unreadable->contains(problem))
            unreadable->append(problem);
    });
    return inputs;
}

void ReportPrinter::tellUnreadable(const QStringList &unreadable)
{
    if (!unreadable.isEmpty())
        m_status.ShowStatus(StatusError, QStringLiteral("Can't load image ") + unreadable.join(QStringLiteral("; ")));
}

void ReportPrinter::showPreview(Report report)
{
    if (m_preview)
        m_preview->close();
    // It deletes itself when closed; the printer closes it when it goes.
    m_preview = new frmPreview(std::move(report), ReportPaper::systemPaper(), m_parentWindow);
    connect(m_preview, &frmPreview::printRequested, this, [this] {
        if (!m_preview || m_printing)
            return;
        const Report shown = m_preview->report();
        if (printFramed([shown](const ReportInputs &) { return shown; }) && m_preview)
            m_preview->close();
    });
    connect(m_preview, &frmPreview::savePdfRequested, this, [this] {
        if (m_preview)
            savePdf(m_preview->report(), m_preview->paper());
    });
    m_preview->show();
}

void ReportPrinter::savePdf(const Report &report, const QPageSize &paper)
{
    FileDialogRequest request;
    request.title = QStringLiteral("Save as PDF");
    request.filter = QStringLiteral("PDF files (*.pdf)");
    request.initialFolder = PhotoLibrary::dataFolder(m_programFolder);
    const std::optional<QString> chosen = m_dialogs.saveFileName(request);
    if (!chosen)
        return;
    QString path = *chosen;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    QString error;
    if (!ReportPdf::write(report, path, paper, &error)) {
        m_status.ShowStatus(StatusError, QStringLiteral("Can't save the PDF: ") + error);
        return;
    }
    m_status.ShowStatus(StatusInfo, QStringLiteral("Saved ") + QDir::toNativeSeparators(path));
}
