// SPDX-License-Identifier: GPL-3.0-or-later
// A print service from a script: dialog answers, printer errors, and the pages that reached the "printer".
#pragma once

#include "platform/printservice.h"

#include <QByteArray>
#include <QString>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class ScriptedPrintService : public PrintService
{
public:
    struct Delivered {
        QString printer;
        QString documentName;
        QByteArray pdf; // the page as the printer got it
    };

    std::deque<Choice> dialogAnswers; // when empty: Chosen
    std::deque<std::optional<QString>>
        setupAnswers; // a printer chosen in the set-up; nullopt: cancelled; empty: Failed
    QString printer = QStringLiteral("Scripted printer");
    bool jobsStart = true;
    int failAtEvent = -1;                   // the printer reports an error from this event turn of a job on
    std::function<void(int turn)> onEvents; // called at every event turn, counted from 1 over the service's life

    int dialogs = 0;
    int setups = 0;
    int jobsStarted = 0;
    int aborted = 0;    // abandoned while drawing: nothing was sent
    int lateAborts = 0; // abandoned after the painter had ended: too late, the page was sent
    int eventTurns = 0;
    std::vector<Delivered> delivered;

    Choice choosePrinter(QString *error) override;
    Choice setUpPrinter(QString *error) override;
    std::unique_ptr<PrintJob> startJob(const QString &documentName, QString *error) override;
    QString printerName() const override { return printer; }
    void letEventsRun() override;

private:
    friend class ScriptedPrintJob;
    int m_jobStartTurn = 0;
};
