// SPDX-License-Identifier: GPL-3.0-or-later
// frmPreview: a report's pages on screen before they are printed or saved, with zoom and page fit.
#pragma once

#include "print/reportpage.h"

#include <QPageSize>
#include <QWidget>

class QPrinter;
class QPrintPreviewWidget;
class QPushButton;

class frmPreview : public QWidget
{
    Q_OBJECT
public:
    // Laid on paper, as a PDF file of the report would be.
    frmPreview(Report report, const QPageSize &paper, QWidget *parent = nullptr);
    ~frmPreview() override;

    const Report &report() const { return m_report; }
    QPageSize paper() const { return m_paper; }
    QPrintPreviewWidget *preview() const { return m_preview; }

Q_SIGNALS:
    void printRequested();
    void savePdfRequested();

private:
    Report m_report;
    QPageSize m_paper;
    std::unique_ptr<QPrinter> m_printer; // the preview's own page, never a print queue
    QPrintPreviewWidget *m_preview;
};
