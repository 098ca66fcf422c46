// SPDX-License-Identifier: GPL-3.0-or-later
// The preview draws the pages with the same routine as the printer and the PDF files.
#include "frmpreview.h"

#include "print/reportpainter.h"
#include "print/reportpdf.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
QPushButton *button(QWidget *parent, const char *name, const QString &text)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

frmPreview::frmPreview(Report report, const QPageSize &paper, QWidget *parent)
    : QWidget(parent, Qt::Window), m_report(std::move(report)), m_paper(paper),
      m_printer(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setObjectName(QStringLiteral("frmPreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Print Preview - ") + m_report.title);
    m_printer->setOutputFormat(QPrinter::PdfFormat);
    m_printer->setPageLayout(ReportPdf::pageLayout(paper));
    m_preview = new QPrintPreviewWidget(m_printer.get(), this);
    m_preview->setObjectName(QStringLiteral("pvwPage"));
    m_preview->setAccessibleName(QStringLiteral("Page"));
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        QPainter painter(printer);
        ReportPainter::paint(painter, *printer, m_report);
    });

    QPushButton *print = button(this, "cmdPrint", QStringLiteral("Print\u2026"));
    QPushButton *save = button(this, "cmdSavePdf", QStringLiteral("Save as PDF\u2026"));
    QPushButton *zoomIn = button(this, "cmdZoomIn", QStringLiteral("Zoom In"));
    QPushButton *zoomOut = button(this, "cmdZoomOut", QStringLiteral("Zoom Out"));
    QPushButton *fit = button(this, "cmdFitPage", QStringLiteral("Fit Page"));
    QPushButton *close = button(this, "cmdClose", QStringLiteral("Close"));
    connect(print, &QPushButton::clicked, this, &frmPreview::printRequested);
    connect(save, &QPushButton::clicked, this, &frmPreview::savePdfRequested);
    connect(zoomIn, &QPushButton::clicked, m_preview, [this] { m_preview->zoomIn(); });
    connect(zoomOut, &QPushButton::clicked, m_preview, [this] { m_preview->zoomOut(); });
    connect(fit, &QPushButton::clicked, m_preview, &QPrintPreviewWidget::fitInView);
    connect(close, &QPushButton::clicked, this, &QWidget::close);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(print);
    buttons->addWidget(save);
    buttons->addSpacing(12);
    buttons->addWidget(zoomIn);
    buttons->addWidget(zoomOut);
    buttons->addWidget(fit);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(m_preview, 1);
    m_preview->fitInView();
    resize(720, 860);
}

frmPreview::~frmPreview() = default;
