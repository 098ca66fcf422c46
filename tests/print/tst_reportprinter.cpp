// SPDX-License-Identifier: GPL-3.0-or-later
// The print frame of the reports with a scripted printer: what reaches it, and what never does when the dialog
// is cancelled, Cancel is pressed or the printer fails; printer set-up and the preview.
#include "data/photolibrary.h"
#include "present/photodata.h"
#include "print/reportlayouts.h"
#include "print/ui/frmpreview.h"
#include "print/ui/frmprinting.h"
#include "print/ui/reportprinter.h"
#include "shell/photodirectory.h"
#include "shell/statusreporter.h"

#include "pdfreader.h"
#include "platformdoubles.h"
#include "printdoubles.h"
#include "reportlibrary.h"
#include <QClipboard>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QtTest>

namespace
{
frmPrinting *progressWindow()
{
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (auto *progress = qobject_cast<frmPrinting *>(window))
            return progress;
    }
    return nullptr;
}

bool progressShown()
{
    frmPrinting *progress = progressWindow();
    return progress && progress->isVisible();
}
} // namespace

class TestReportPrinter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void reports_reachThePrinter_data();
    void reports_reachThePrinter();
    void dialogCancelled_printsNothingAndSaysNothing();
    void startFailures_abandonTheReport_data();
    void startFailures_abandonTheReport();
    void cancel_abandonsTheJob_data();
    void cancel_abandonsTheJob();
    void printerFailureWhileDrawing_abandonsTheJob();
    void reportCommand_whilePrinting_isIgnored();
    void progressWindow_blinksAndCancels();
    void profileReport_sourceOutsideTheCurrentQuery_prints();
    void unreadablePicture_isToldAndThePagePrints_data();
    void unreadablePicture_isToldAndThePagePrints();
    void reports_leaveTheClipboardAlone();
    void printerSetup_choiceServesLaterReports();
    void preview_isRememberedAndShowsThePage();
    void preview_printAndSaveAsPdf();

private:
    // A long profile has notes for a page of their own after the first.
    enum Kind { Photo, Comparison, Profile, LongProfile };
    void run(Kind report);
    std::vector<PdfReader::Page> readPages(const QByteArray &pdf);
    PdfReader::Page read(const QByteArray &pdf) { return readPages(pdf).at(0); }

    QTemporaryDir m_template;
    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_program;
    MemorySettingsStore m_settings;
    PhotoDirectory m_directory;
    PhotoLibrary m_library;
    StatusReporter m_status;
    ScriptedDialogs m_dialogs;
    std::unique_ptr<ScriptedPrintService> m_print;
    std::unique_ptr<ReportPrinter> m_printer;
    int m_statusReports = 0;
};

void TestReportPrinter::initTestCase()
{
    QStandardPaths::setTestModeEnabled(true);
    connect(&m_status, &StatusReporter::changed, this, [this] { ++m_statusReports; });
}

void TestReportPrinter::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_program = m_dir->filePath(QStringLiteral("program"));
    QVERIFY(ReportLibrary::writeDatabase(m_program, {{1, "SW-01", "07", "Pine", "sw07.jpg"},
                                                     {2, "SW-01", "08", "", "sw08.jpg"},
                                                     {3, "NR-02", "03", "", "nr03.jpg"}}));
    for (const char *name : {"SW-01/sw07.jpg", "SW-01/sw08.jpg", "NR-02/nr03.jpg"})
        QVERIFY(ReportLibrary::writeJpeg(m_program + QStringLiteral("/PhotoImages/") + QLatin1String(name),
                                         QSize(300, 210)));
    m_settings = MemorySettingsStore();
    m_directory.ReadPhotoDirectory(&m_settings, nullptr, m_program);
    QString error;
    QVERIFY2(m_library.OpenPhotoDatabase(m_program, &error), qPrintable(error));
    m_status.ShowStatus(StatusClear, QString());
    m_statusReports = 0;
    m_print = std::make_unique<ScriptedPrintService>();
    m_printer =
        std::make_unique<ReportPrinter>(*m_print, m_dialogs, m_status, m_directory, m_program, m_library, &m_settings);
}

void TestReportPrinter::cleanup()
{
    m_printer.reset();
    m_print.reset();
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window->isVisible())
            window->close();
    }
    if (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
}

void TestReportPrinter::run(Kind report)
{
    auto slot = [this](qint64 id) {
        std::optional<PhotoSlotState> state = PhotoData::read(m_library.database(), id);
        if (!state)
            qFatal("photo %lld", id);
        state->ImageSource = ImageLocal;
        return *state;
    };
    switch (report) {
    case Photo:
        m_printer->printPhotoReport(slot(1));
        break;
    case Comparison:
        m_printer->printComparisonReport(slot(1), slot(3));
        break;
    case Profile:
    case LongProfile: {
        FuelProfile profile;
        profile.ProfileName = QStringLiteral("Thinned");
        profile.Source0to3 = QStringLiteral("SW-01/07");
        profile.Source3Plus = QStringLiteral("SW-01/08");
        profile.SourceDuff = QStringLiteral("NR-02/03");
        if (report == LongProfile)
            profile.Notes = QStringLiteral("Scattered slash and moss on the north side. ").repeated(40);
        m_printer->printFuelProfileReport(profile);
        break;
    }
    }
}

std::vector<PdfReader::Page> TestReportPrinter::readPages(const QByteArray &pdf)
{
    const QString path = m_dir->filePath(QStringLiteral("delivered.pdf"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(pdf) != pdf.size())
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    QString error;
    const std::optional<std::vector<PdfReader::Page>> pages = PdfReader::readPages(path, &error);
    if (!pages || pages->empty())
        qFatal("%s", qPrintable(error));
    return *pages;
}

void TestReportPrinter::reports_reachThePrinter_data()
{
    QTest::addColumn<int>("report");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pictures");
    QTest::addColumn<QStringList>("counted"); // what the progress window said of the pages
    QTest::newRow("photo") << int(Photo) << "07, Pine" << 1 << QStringList{};
    QTest::newRow("comparison") << int(Comparison) << "Comparison of Photos" << 2 << QStringList{};
    QTest::newRow("fuel profile") << int(Profile) << "Fuel Profile: Thinned" << 3 << QStringList{};
    QTest::newRow("fuel profile, notes going on")
        << int(LongProfile) << "Fuel Profile: Thinned" << 3 << QStringList{"Page 1 of 2", "Page 2 of 2"};
}

void TestReportPrinter::reports_reachThePrinter()
{
    QFETCH(int, report);
    QFETCH(QString, text);
    QFETCH(int, pictures);
    QFETCH(QStringList, counted);
    bool shownWhileDrawing = false;
    QStringList said;
    m_print->onEvents = [&shownWhileDrawing, &said](int) {
        shownWhileDrawing = shownWhileDrawing || progressShown();
        const auto *count =
            progressWindow() ? progressWindow()->findChild<QLabel *>(QStringLiteral("lblPageCount")) : nullptr;
        if (count && count->isVisibleTo(progressWindow()) && !said.contains(count->text()))
            said << count->text();
    };
    run(Kind(report));
    QCOMPARE(m_print->dialogs, 1);
    QCOMPARE(m_print->delivered.size(), size_t(1));
    QCOMPARE(m_print->aborted + m_print->lateAborts, 0);
    QVERIFY(shownWhileDrawing);
    QVERIFY(!progressShown());
    QCOMPARE(m_statusReports, 0);
    QVERIFY(!m_printer->PrintCancelled());
    const std::vector<PdfReader::Page> pages = readPages(m_print->delivered.at(0).pdf);
    QCOMPARE(pages.size(), size_t(std::max(1, int(counted.size()))));
    for (const PdfReader::Page &page : pages)
        QVERIFY2(page.line(text), qPrintable(page.text()));
    QCOMPARE(pages.at(0).pictures.size(), size_t(pictures));
    QCOMPARE(said, counted);
}

void TestReportPrinter::dialogCancelled_printsNothingAndSaysNothing()
{
    m_print->dialogAnswers = {PrintService::Choice::Cancelled};
    bool shown = false;
    m_print->onEvents = [&shown](int) { shown = shown || progressShown(); };
    run(Photo);
    QCOMPARE(m_print->jobsStarted, 0);
    QVERIFY(m_print->delivered.empty());
    QVERIFY(!shown);
    QCOMPARE(m_statusReports, 0);
    QVERIFY(m_printer->PrintCancelled());
    // The next report starts afresh.
    run(Photo);
    QVERIFY(!m_printer->PrintCancelled());
    QCOMPARE(m_print->delivered.size(), size_t(1));
}

void TestReportPrinter::startFailures_abandonTheReport_data()
{
    QTest::addColumn<bool>("dialogFails");
    QTest::addColumn<bool>("jobsStart");
    QTest::newRow("print dialog fails") << true << true;
    QTest::newRow("printer takes no job") << false << false;
}

void TestReportPrinter::startFailures_abandonTheReport()
{
    QFETCH(bool, dialogFails);
    QFETCH(bool, jobsStart);
    if (dialogFails)
        m_print->dialogAnswers = {PrintService::Choice::Failed};
    m_print->jobsStart = jobsStart;
    run(Profile);
    // Nothing goes to the printer of an earlier report, and the failure is told once.
    QVERIFY(m_print->delivered.empty());
    QCOMPARE(m_statusReports, 1);
    QCOMPARE(m_status.message(), QStringLiteral("ERROR - ") + ReportPrinter::kPrinterError);
    QCOMPARE(m_status.icon(), StatusReporter::Icon::Error);
    QVERIFY(!progressShown());
    QVERIFY(!m_printer->PrintCancelled());
}

void TestReportPrinter::cancel_abandonsTheJob_data()
{
    QTest::addColumn<int>("report");
    QTest::addColumn<QString>("when"); // first, middle or last event turn of the report
    for (const auto &[name, report] : {std::pair{"photo", Photo}, std::pair{"profile", Profile}}) {
        for (const char *when : {"first", "middle", "last"})
            QTest::addRow("%s, %s turn", name, when) << int(report) << when;
    }
}

void TestReportPrinter::cancel_abandonsTheJob()
{
    QFETCH(int, report);
    QFETCH(QString, when);
    // A report run through once tells how many event turns it takes.
    run(Kind(report));
    const int turns = m_print->eventTurns;
    QVERIFY(turns > 3);
    m_print->delivered.clear();
    m_statusReports = 0;
    const int start = m_print->eventTurns;
    const int at = start + (when == QLatin1String("first") ? 1 : when == QLatin1String("middle") ? turns / 2 : turns);
    m_print->onEvents = [at](int turn) {
        if (turn == at && progressWindow())
            QTest::mouseClick(progressWindow()->cmdCancel(), Qt::LeftButton);
    };
    run(Kind(report));
    QVERIFY(m_print->delivered.empty());
    QCOMPARE(m_print->lateAborts, 0);
    QVERIFY(!progressShown());
    QVERIFY(m_printer->PrintCancelled());
    QCOMPARE(m_statusReports, 1);
    QCOMPARE(m_status.icon(), StatusReporter::Icon::InfoOK);
}

void TestReportPrinter::printerFailureWhileDrawing_abandonsTheJob()
{
    m_print->failAtEvent = 3;
    run(Comparison);
    QVERIFY(m_print->delivered.empty());
    QCOMPARE(m_print->aborted, 1);
    QCOMPARE(m_print->lateAborts, 0);
    QVERIFY(!progressShown());
    QCOMPARE(m_statusReports, 1);
    QCOMPARE(m_status.message(), QStringLiteral("ERROR - ") + ReportPrinter::kPrinterError);
    QVERIFY(!m_printer->PrintCancelled());
}

void TestReportPrinter::reportCommand_whilePrinting_isIgnored()
{
    bool again = true;
    m_print->onEvents = [this, &again](int) {
        if (again) {
            again = false;
            QVERIFY(m_printer->isPrinting());
            run(Profile);
            m_printer->PrinterSetup();
        }
    };
    run(Photo);
    QCOMPARE(m_print->dialogs, 1);
    QCOMPARE(m_print->setups, 0);
    QCOMPARE(m_print->delivered.size(), size_t(1));
    QVERIFY(!m_printer->isPrinting());
}

void TestReportPrinter::progressWindow_blinksAndCancels()
{
    frmPrinting window;
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("lblPrintMsg"))->text(), QStringLiteral("Printing ..."));
    QVERIFY(window.findChild<QTimer *>(QStringLiteral("Timer1")));
    QCOMPARE(window.cmdCancel()->text(), QStringLiteral("Cancel"));
    window.show();
    const QColor first = window.shpLED()->colour();
    QTRY_VERIFY(window.shpLED()->colour() != first);
    QTRY_VERIFY(window.shpLED()->colour() == first);
    QVERIFY(first == QColor(Qt::white) || first == QColor(0, 255, 0));
    QVERIFY(!window.cancelled());
    QTest::mouseClick(window.cmdCancel(), Qt::LeftButton);
    QVERIFY(window.cancelled());
    // Shown again for the next report, it starts uncancelled.
    window.hide();
    window.show();
    QVERIFY(!window.cancelled());
}

void TestReportPrinter::profileReport_sourceOutsideTheCurrentQuery_prints()
{
    // The list shows none of the source photos; they are still found in the database.
    m_library.setCurrentPhotoSet(std::make_shared<const PhotoSet>());
    run(Profile);
    QCOMPARE(m_print->delivered.size(), size_t(1));
    const PdfReader::Page page = read(m_print->delivered.at(0).pdf);
    QCOMPARE(page.pictures.size(), size_t(3));
    QVERIFY(!page.line(QStringLiteral("No image available")));
}

void TestReportPrinter::unreadablePicture_isToldAndThePagePrints_data()
{
    QTest::addColumn<bool>("preview");
    QTest::newRow("printed") << false;
    QTest::newRow("previewed") << true;
}

void TestReportPrinter::unreadablePicture_isToldAndThePagePrints()
{
    QFETCH(bool, preview);
    const QString damaged = m_program + QStringLiteral("/PhotoImages/SW-01/sw07.jpg");
    QFile file(damaged);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("\xff\xd8 not the rest of a picture");
    file.close();
    // The second source has no file at all: the page says the same for it, the status line nothing.
    QVERIFY(QFile::remove(m_program + QStringLiteral("/PhotoImages/SW-01/sw08.jpg")));
    m_printer->setPreviewReports(preview);
    run(Profile);
    QVERIFY(preview ? bool(m_printer->previewWindow()) : m_print->delivered.size() == 1);
    const Report report = preview ? m_printer->previewWindow()->report() : Report();
    const PdfReader::Page printed = preview ? PdfReader::Page() : read(m_print->delivered.at(0).pdf);
    QCOMPARE(preview ? report.pictures().size() : printed.pictures.size(), size_t(1));
    if (!preview)
        QCOMPARE(printed.linesStartingWith(QStringLiteral("No image available")).size(), size_t(2));
    QCOMPARE(m_statusReports, 1);
    QCOMPARE(m_status.icon(), StatusReporter::Icon::Error);
    const QString message = m_status.message();
    QVERIFY2(message.startsWith(QStringLiteral("ERROR - Can't load image ") + QDir::toNativeSeparators(damaged) +
                                QStringLiteral(": ")),
             qPrintable(message));
    QVERIFY2(!message.contains(QLatin1String("sw08")), qPrintable(message));
}

void TestReportPrinter::reports_leaveTheClipboardAlone()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("the user's own text"));
    QSignalSpy changed(clipboard, &QClipboard::dataChanged);
    for (const Kind report : {Photo, Comparison, Profile})
        run(report);
    m_printer->setPreviewReports(true);
    run(Photo);
    QCOMPARE(m_print->delivered.size(), size_t(3));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(clipboard->text(), QStringLiteral("the user's own text"));
}

void TestReportPrinter::printerSetup_choiceServesLaterReports()
{
    m_print->setupAnswers = {QStringLiteral("Office"), std::nullopt};
    m_printer->PrinterSetup();
    run(Photo);
    m_printer->PrinterSetup(); // cancelled: the printer stays
    run(Photo);
    m_printer->PrinterSetup(); // failed: quietly, the printer stays
    run(Photo);
    QCOMPARE(m_print->setups, 3);
    QCOMPARE(m_print->delivered.size(), size_t(3));
    for (const ScriptedPrintService::Delivered &d : m_print->delivered)
        QCOMPARE(d.printer, QStringLiteral("Office"));
    QCOMPARE(m_statusReports, 0);
}

void TestReportPrinter::preview_isRememberedAndShowsThePage()
{
    QVERIFY(!m_printer->previewReports());
    m_printer->setPreviewReports(true);
    ReportPrinter again(*m_print, m_dialogs, m_status, m_directory, m_program, m_library, &m_settings);
    QVERIFY(again.previewReports());

    run(Comparison);
    QCOMPARE(m_print->dialogs, 0);
    QVERIFY(m_print->delivered.empty());
    frmPreview *preview = m_printer->previewWindow();
    QVERIFY(preview);
    QVERIFY(preview->isVisible());
    QCOMPARE(preview->report().pictures().size(), size_t(2));
    for (const char *name : {"cmdPrint", "cmdSavePdf", "cmdZoomIn", "cmdZoomOut", "cmdFitPage", "cmdClose"})
        QVERIFY2(preview->findChild<QPushButton *>(QLatin1String(name)), name);
    QCOMPARE(preview->findChild<QPushButton *>(QStringLiteral("cmdPrint"))->text(), QStringLiteral("Print\u2026"));
    QCOMPARE(preview->findChild<QPushButton *>(QStringLiteral("cmdSavePdf"))->text(),
             QStringLiteral("Save as PDF\u2026"));

    // A second report replaces the preview.
    run(Photo);
    QTRY_VERIFY(m_printer->previewWindow() && m_printer->previewWindow() != preview);
    QTest::mouseClick(m_printer->previewWindow()->findChild<QPushButton *>(QStringLiteral("cmdClose")), Qt::LeftButton);
    QTRY_VERIFY(!m_printer->previewWindow());

    m_printer->setPreviewReports(false);
    run(Photo);
    QVERIFY(!m_printer->previewWindow());
    QCOMPARE(m_print->delivered.size(), size_t(1));
}

void TestReportPrinter::preview_printAndSaveAsPdf()
{
    // The system names A4: the preview and the PDF are laid on it, the printer keeps its own paper.
    qputenv("PAPERSIZE", "a4");
    m_printer->setPreviewReports(true);
    run(LongProfile);
    qunsetenv("PAPERSIZE");
    frmPreview *preview = m_printer->previewWindow();
    QVERIFY(preview);
    QCOMPARE(preview->preview()->pageCount(), 2);

    // Save as PDF: the file chosen (".pdf" added), both pages on A4 portrait with their texts.
    const QString chosen = m_dir->filePath(QStringLiteral("thinned"));
    m_dialogs.fileNames = {chosen, std::nullopt};
    QTest::mouseClick(preview->findChild<QPushButton *>(QStringLiteral("cmdSavePdf")), Qt::LeftButton);
    QCOMPARE(m_dialogs.fileRequests.back().title, QStringLiteral("Save as PDF"));
    const std::optional<std::vector<PdfReader::Page>> saved = PdfReader::readPages(chosen + QStringLiteral(".pdf"));
    QVERIFY(saved);
    QCOMPARE(saved->size(), size_t(2));
    for (const PdfReader::Page &page : *saved) {
        QCOMPARE(QSize(qRound(page.size.width() * 72), qRound(page.size.height() * 72)), QSize(595, 842));
        QVERIFY(page.line(QStringLiteral("Fuel Profile: Thinned")));
    }
    QCOMPARE(saved->at(0).pictures.size(), size_t(3));
    QCOMPARE(m_status.message(), QStringLiteral("Saved ") + QDir::toNativeSeparators(chosen + QStringLiteral(".pdf")));
    // Cancelled: nothing written, nothing said.
    const int reports = m_statusReports;
    QTest::mouseClick(preview->findChild<QPushButton *>(QStringLiteral("cmdSavePdf")), Qt::LeftButton);
    QCOMPARE(m_statusReports, reports);

    // Print from the preview: the print frame, then the preview closes.
    m_print->dialogAnswers = {PrintService::Choice::Cancelled};
    QTest::mouseClick(preview->findChild<QPushButton *>(QStringLiteral("cmdPrint")), Qt::LeftButton);
    QVERIFY(m_print->delivered.empty());
    QVERIFY(m_printer->previewWindow());
    QTest::mouseClick(preview->findChild<QPushButton *>(QStringLiteral("cmdPrint")), Qt::LeftButton);
    QCOMPARE(m_print->delivered.size(), size_t(1));
    const std::vector<PdfReader::Page> printed = readPages(m_print->delivered.at(0).pdf);
    QCOMPARE(printed.size(), size_t(2));
    QVERIFY(printed.at(1).line(QStringLiteral("Notes (continued)")));
    QTRY_VERIFY(!m_printer->previewWindow());
}

QTEST_MAIN(TestReportPrinter)
#include "tst_reportprinter.moc"
