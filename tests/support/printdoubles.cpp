// SPDX-License-Identifier: GPL-3.0-or-later
// The scripted print service: each job draws into a PDF kept in memory, sent only when its painter ends unaborted.
#include "printdoubles.h"

#include "print/reportpdf.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QPdfWriter>

class ScriptedPrintJob : public PrintJob
{
public:
    ScriptedPrintJob(ScriptedPrintService &service, const QString &documentName)
        : m_service(service), m_documentName(documentName), m_writer(&m_buffer)
    {
        m_buffer.open(QIODevice::WriteOnly);
        m_writer.setPageLayout(ReportPdf::pageLayout(QPageSize(QPageSize::Letter)));
        m_writer.setResolution(600);
        m_writer.setTitle(documentName);
    }
    ~ScriptedPrintJob() override
    {
        // What a printer prints: the page of a painter that ended without an abort before it.
        if (!m_aborted && m_buffer.data().contains("%%EOF"))
            m_service.delivered.push_back({m_service.printer, m_documentName, m_buffer.data()});
    }
    QPagedPaintDevice *device() override { return &m_writer; }
    void abort() override
    {
        if (m_writer.paintingActive()) {
            m_aborted = true;
            ++m_service.aborted;
        } else {
            ++m_service.lateAborts;
        }
    }
    bool failed() const override
    {
        return m_service.failAtEvent > 0 && m_service.eventTurns - m_service.m_jobStartTurn >= m_service.failAtEvent;
    }

private:
    ScriptedPrintService &m_service;
    QString m_documentName;
    QBuffer m_buffer;
    QPdfWriter m_writer;
    bool m_aborted = false;
};

PrintService::Choice ScriptedPrintService::choosePrinter(QString *error)
{
    ++dialogs;
    if (dialogAnswers.empty())
        return Choice::Chosen;
    const Choice answer = dialogAnswers.front();
    dialogAnswers.pop_front();
    if (answer == Choice::Failed && error)
        *error = QStringLiteral("the scripted dialog failed");
    return answer;
}

PrintService::Choice ScriptedPrintService::setUpPrinter(QString *error)
{
    ++setups;
    if (setupAnswers.empty()) {
        if (error)
            *error = QStringLiteral("no printer is installed");
        return Choice::Failed;
    }
    const std::optional<QString> answer = setupAnswers.front();
    setupAnswers.pop_front();
    if (!answer)
        return Choice::Cancelled;
    printer = *answer;
    return Choice::Chosen;
}

std::unique_ptr<PrintJob> ScriptedPrintService::startJob(const QString &documentName, QString *error)
{
    if (!jobsStart) {
        if (error)
            *error = QStringLiteral("the scripted printer takes no jobs");
        return nullptr;
    }
    ++jobsStarted;
    m_jobStartTurn = eventTurns;
    return std::make_unique<ScriptedPrintJob>(*this, documentName);
}

void ScriptedPrintService::letEventsRun()
{
    ++eventTurns;
    if (onEvents)
        onEvents(eventTurns);
    QCoreApplication::processEvents();
}
