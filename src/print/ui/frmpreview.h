// frmPreview: a report page on screen before it is printed or saved, with zoom and page fit.
#pragma once

#include "print/reportpage.h"

#include <QWidget>

class QPrinter;
class QPrintPreviewWidget;
class QPushButton;

class frmPreview : public QWidget
{
    Q_OBJECT
public:
    explicit frmPreview(ReportPage page, QWidget *parent = nullptr);
    ~frmPreview() override;

    const ReportPage &page() const { return m_page; }
    QPrintPreviewWidget *preview() const { return m_preview; }

Q_SIGNALS:
    void printRequested();
    void savePdfRequested();

private:
    ReportPage m_page;
    std::unique_ptr<QPrinter> m_printer; // the preview's own page, never a print queue
    QPrintPreviewWidget *m_preview;
};
