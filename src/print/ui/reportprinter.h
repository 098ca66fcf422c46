// SPDX-License-Identifier: GPL-3.0-or-later
// The report commands of the main window: the print frame around each report, printer set-up and the preview.
#pragma once

#include "print/reportcommands.h"
#include "print/reportpage.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>

class Dialogs;
class PhotoDirectory;
class PhotoLibrary;
class PrintService;
class ReportInputs;
class SettingsStore;
class StatusReporter;
class QPageSize;
class QWidget;
class frmPreview;

class ReportPrinter : public QObject, public ReportCommands
{
    Q_OBJECT
public:
    // settings may be null (the preview choice is then kept for the run only); parentWindow owns the windows.
    ReportPrinter(PrintService &print, Dialogs &dialogs, StatusReporter &status, const PhotoDirectory &directory,
                  QString programFolder, const PhotoLibrary &library, SettingsStore *settings,
                  QWidget *parentWindow = nullptr, QObject *parent = nullptr);
    ~ReportPrinter() override;

    void PrinterSetup() override;
    void printPhotoReport(const PhotoSlotState &slot) override;
    void printComparisonReport(const PhotoSlotState &left, const PhotoSlotState &right) override;
    void printFuelProfileReport(const FuelProfile &profile) override;

    // "Preview Reports": each report opens a preview instead of the print dialog. Off at first, remembered.
    bool previewReports() const override { return m_previewReports; }
    void setPreviewReports(bool on) override;
    void setUnits(Units units) override { m_units = units; }

    // The print dialog was cancelled or Cancel pressed in the progress window by the last report.
    bool PrintCancelled() const { return m_printCancelled; }
    // Whether a report is being drawn (its progress window is up); further report commands wait for it.
    bool isPrinting() const { return m_printing; }
    frmPreview *previewWindow() const;

    static const QString kPrinterError; // "A printer error has occured, check printer"

private:
    using PageBuilder = std::function<Report(const ReportInputs &)>;

    void runReport(const PageBuilder &build);
    // The print frame: dialog, progress window, drawing, and the job sent or abandoned. Returns whether the
    // pages went to the printer, on the printer's own paper.
    bool printFramed(const PageBuilder &build);
    // The report's inputs; each picture file found but unreadable is added to unreadable (once).
    ReportInputs inputs(QStringList *unreadable) const;
    // In the status bar: the page says "No image available" for them, which a missing file also gives.
    void tellUnreadable(const QStringList &unreadable);
    void showPreview(Report report);
    // On the paper the preview shows.
    void savePdf(const Report &report, const QPageSize &paper);

    PrintService &m_print;
    Dialogs &m_dialogs;
    StatusReporter &m_status;
    const PhotoDirectory &m_directory;
    QString m_programFolder;
    const PhotoLibrary &m_library;
    SettingsStore *m_settings;
    QPointer<QWidget> m_parentWindow;
    QPointer<frmPreview> m_preview;
    bool m_previewReports = false;
    Units m_units = Units::Imperial;
    bool m_printCancelled = false;
    bool m_printing = false;
};
