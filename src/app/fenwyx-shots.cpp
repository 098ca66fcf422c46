// SPDX-License-Identifier: GPL-3.0-or-later
// fenwyx-shots: runs the program offscreen on a photo library and writes pictures of its windows for the manual.
#include "help/ui/frmabout.h"
#include "mainwindow/ui/application.h"
#include "mainwindow/ui/resultslistview.h"
#include "present/ui/thumbnaildelegate.h"
#include "print/reportpainter.h"
#include "print/reportpdf.h"
#include "print/ui/frmpreview.h"
#include "print/ui/frmprinting.h"
#include "shell/ui/frmdefaultwarn.h"
#include "shell/ui/frmsplash.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPageSize>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace
{
const int kWide = 760; // pictures of the whole main window: the help window shows them without scrolling
const QString kPrintedNotes =
    QStringLiteral("Thinned in 2019; the slash was left on the ground. Duff is deeper under the old firs at the top of "
                   "the unit, where the fine fuels match the first photo better than the second.");

const QSize kScreenshot(1280, 720); // software centres show screenshots at 16:9

const char kUsage[] = "usage: fenwyx-shots --home LIBRARY --out FOLDER [--only NAME]... [--screenshots]\n"
                      "Runs Fenwyx offscreen on the photo library LIBRARY and writes the manual's pictures of its\n"
                      "windows into FOLDER as NAME.png; a window that does not exist yet is skipped with a message.\n"
                      "--screenshots writes the software centres' screenshots instead (1280 by 720, full colour):\n"
                      "main-window, compare-assistant and photo-report.\n";

// Lets the program's queued work (layouts, charts, pictures) finish; the windows are offscreen.
void settle(int milliseconds = 150)
{
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

// At most 256 colours: the window's own colours exactly, the rest of a photograph on a coarse grid. PNGs of
// windows shrink to a third, and text stays sharp.
QImage fewerColours(const QImage &picture)
{
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, qint64> counts;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            ++counts[line[x] | 0xff000000u];
    }
    std::vector<std::pair<qint64, QRgb>> byCount;
    byCount.reserve(size_t(counts.size()));
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        byCount.emplace_back(it.value(), it.key());
    std::sort(byCount.begin(), byCount.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    QList<QRgb> table;
    for (const auto &entry : byCount) {
        if (table.size() >= (counts.size() <= 256 ? 256 : 96))
            break;
        table << entry.second;
    }
    if (counts.size() > 256) {
        struct Cell {
            qint64 red = 0, green = 0, blue = 0, count = 0;
        };
        QHash<int, Cell> cells; // 4 bits a channel
        for (const auto &[count, colour] : byCount) {
            Cell &cell = cells[((qRed(colour) >> 4) << 8) | ((qGreen(colour) >> 4) << 4) | (qBlue(colour) >> 4)];
            cell.red += qRed(colour) * count;
            cell.green += qGreen(colour) * count;
            cell.blue += qBlue(colour) * count;
            cell.count += count;
        }
        std::vector<Cell> popular(cells.cbegin(), cells.cend());
        std::sort(popular.begin(), popular.end(), [](const Cell &a, const Cell &b) { return a.count > b.count; });
        for (const Cell &cell : popular) {
            if (table.size() >= 256)
                break;
            table << qRgb(int(cell.red / cell.count), int(cell.green / cell.count), int(cell.blue / cell.count));
        }
    }
    return image.convertToFormat(QImage::Format_Indexed8, table, Qt::ThresholdDither);
}

// Stands in for a window that the program does not have yet, until the pictures are made again.
QImage placeholder(const QString &name)
{
    QImage image(480, 120, QImage::Format_RGB32);
    image.fill(QColor(0xf3, 0xf5, 0xf0));
    QPainter painter(&image);
    painter.setPen(QColor(0x9a, 0xa5, 0x91));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    painter.setPen(QColor(0x4b, 0x5d, 0x40));
    painter.drawText(
        image.rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap,
        QStringLiteral("Picture \u201C%1\u201D not made yet: run scripts/make-help-pictures.sh").arg(name));
    return image;
}

class Shots
{
public:
    Shots(QString folder, QStringList only, bool screenshots)
        : m_folder(std::move(folder)), m_only(std::move(only)), m_screenshots(screenshots)
    {
    }

    // Start-up has finished: the frame is shown and the splash is gone.
    bool ready() const
    {
        QWidget *frame = topLevel(QStringLiteral("MDIMain"));
        QWidget *splash = topLevel(QStringLiteral("frmSplash"));
        return frame && frame->isVisible() && !(splash && splash->isVisible());
    }

    int failures() const { return m_failures; }

    void run()
    {
        QDir().mkpath(m_folder);
        if (m_screenshots) {
            screenshots();
            dismissModal();
            return;
        }
        auto *frame = qobject_cast<QMainWindow *>(topLevel(QStringLiteral("MDIMain")));
        frame->resize(1000, 700);
        settle(400);

        standaloneWindows();
        choosePhoto(2);
        save(QStringLiteral("main-window"), frame, kWide);
        save(QStringLiteral("datasheet"), find<QWidget>(frame, QStringLiteral("grdselect_0")), 420);
        queryPictures(frame);
        graphPicture(frame);
        viewPicture(frame);
        iconsPicture(frame);
        comparePictures(frame);
        builderPictures();
        printingPictures();
        matchingPictures(frame);
        dismissModal();
    }

private:
    bool wanted(const QString &name) const { return m_only.isEmpty() || m_only.contains(name); }

    static QWidget *topLevel(const QString &name)
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (window->objectName() == name)
                return window;
        }
        return nullptr;
    }

    template <typename T> T *find(QWidget *within, const QString &name) const
    {
        if (!within)
            return nullptr;
        if (auto *self = qobject_cast<T *>(within); self && within->objectName() == name)
            return self;
        return within->findChild<T *>(name);
    }

    // An action by its menu item name: wherever it lives, the menus hold it.
    QAction *action(const QString &name) const
    {
        for (QWidget *window : QApplication::topLevelWidgets()) {
            if (auto *found = window->findChild<QAction *>(name))
                return found;
        }
        for (QWidget *window : QApplication::topLevelWidgets()) {
            auto *main = qobject_cast<QMainWindow *>(window);
            if (!main || !main->menuBar())
                continue;
            QList<QAction *> pending = main->menuBar()->actions();
            while (!pending.isEmpty()) {
                QAction *candidate = pending.takeFirst();
                if (candidate->objectName() == name)
                    return candidate;
                if (candidate->menu())
                    pending << candidate->menu()->actions();
            }
        }
        return nullptr;
    }

    bool trigger(const QString &name, const QString &picture)
    {
        QAction *found = action(name);
        if (!found || !found->isEnabled()) {
            skip(picture, QStringLiteral("no enabled action ") + name);
            return false;
        }
        found->trigger();
        settle();
        return true;
    }

    bool click(QWidget *within, const QString &name, const QString &picture)
    {
        auto *button = find<QAbstractButton>(within, name);
        if (!button || !button->isEnabled()) {
            skip(picture, QStringLiteral("no enabled button ") + name);
            return false;
        }
        button->click();
        settle();
        return true;
    }

    // Chooses a result as a click on the list would.
    void choosePhoto(int row)
    {
        QWidget *frame = topLevel(QStringLiteral("MDIMain"));
        auto *list = find<QWidget>(frame, QStringLiteral("lstPhotos"));
        auto *table = list ? list->findChild<QTableView *>() : nullptr;
        if (!table || !table->model() || table->model()->rowCount() <= row) {
            std::fprintf(stderr, "fenwyx-shots: no result %d to choose\n", row + 1);
            return;
        }
        table->setCurrentIndex(table->model()->index(row, 0));
        settle(300);
    }

    // A picture that cannot be made keeps the file it had; a missing one gets a placeholder so that the
    // manual's links stay whole.
    void skip(const QString &picture, const QString &why)
    {
        if (!wanted(picture) || m_skipped.contains(picture))
            return;
        m_skipped << picture;
        std::fprintf(stderr, "fenwyx-shots: skipped %s: %s\n", qPrintable(picture), qPrintable(why));
        if (m_screenshots) { // no placeholder stands in for what a software centre shows
            ++m_failures;
            return;
        }
        const QString path = QDir(m_folder).filePath(picture + QStringLiteral(".png"));
        if (!QFileInfo::exists(path))
            writeImage(path, placeholder(picture));
    }

    void writeImage(const QString &path, const QImage &image)
    {
        if (!fewerColours(image).save(path, "PNG", 9)) {
            std::fprintf(stderr, "fenwyx-shots: cannot write %s\n", qPrintable(path));
            ++m_failures;
            return;
        }
        std::printf("%s\n", qPrintable(path));
    }

    // Writes the widget's picture, scaled down to at most maxWidth pixels, as a small PNG.
    void save(const QString &name, QWidget *widget, int maxWidth, const QRect &part = {})
    {
        if (!wanted(name))
            return;
        if (!widget) {
            skip(name, QStringLiteral("the window does not exist"));
            return;
        }
        // Pending layouts first: texts set a moment ago must have their room.
        QApplication::processEvents();
        QImage image = widget->grab(part.isNull() ? QRect(QPoint(0, 0), QSize(-1, -1)) : part).toImage();
        if (image.isNull()) {
            skip(name, QStringLiteral("nothing was drawn"));
            return;
        }
        if (image.width() > maxWidth)
            image = image.scaledToWidth(maxWidth, Qt::SmoothTransformation);
        writeImage(QDir(m_folder).filePath(name + QStringLiteral(".png")), image);
    }

    // Windows that can be made on their own, without the program's state.
    void standaloneWindows()
    {
        if (wanted(QStringLiteral("splash"))) {
            frmSplash splash;
            splash.setAttribute(Qt::WA_DeleteOnClose, false);
            save(QStringLiteral("splash"), &splash, 460);
        }
        if (wanted(QStringLiteral("drive-warning"))) {
            frmDefaultWarn warning(QStringLiteral("/media/cdrom/photoimages/"));
            warning.adjustSize();
            save(QStringLiteral("drive-warning"), &warning, 560);
        }
        if (wanted(QStringLiteral("about"))) {
            frmAbout about;
            about.setAttribute(Qt::WA_DeleteOnClose, false);
            about.adjustSize();
            save(QStringLiteral("about"), &about, 560);
        }
    }

    void queryPictures(QWidget *frame)
    {
        auto *tabs = find<QTabWidget>(frame, QStringLiteral("tabQuery"));
        QWidget *pane = find<QWidget>(frame, QStringLiteral("vseQuery"));
        QWidget *form = find<QWidget>(frame, QStringLiteral("frmFenwyx"));
        if (!tabs || !pane || !form) {
            skip(QStringLiteral("query-book"), QStringLiteral("no query pane"));
            return;
        }
        const QRect paneRect(pane->mapTo(form, QPoint(0, 0)), pane->size());
        tabs->setCurrentIndex(0);
        settle();
        save(QStringLiteral("query-book"), form, kWide, paneRect);

        tabs->setCurrentIndex(1);
        settle();
        if (click(form, QStringLiteral("cmdVegType"), QStringLiteral("query-total"))) {
            if (auto *list = find<QListWidget>(form, QStringLiteral("lstVegType"))) {
                for (int row : {1, 3}) {
                    if (row < list->count() && (list->item(row)->flags() & Qt::ItemIsUserCheckable))
                        list->item(row)->setCheckState(Qt::Checked);
                }
                settle();
                const QRect listRect(list->mapTo(form, QPoint(0, 0)), list->size());
                save(QStringLiteral("query-total"), form, kWide, paneRect.united(listRect).adjusted(0, 0, 0, 8));
            }
            click(form, QStringLiteral("cmdVegType"), QStringLiteral("query-total"));
        }

        tabs->setCurrentIndex(2);
        settle();
        save(QStringLiteral("query-size"), form, kWide, paneRect);
        tabs->setCurrentIndex(3);
        settle();
        save(QStringLiteral("query-models"), form, kWide, paneRect);
        tabs->setCurrentIndex(1);
        settle();
    }

    void graphPicture(QWidget *frame)
    {
        if (!click(frame, QStringLiteral("vseBrowseGraph"), QStringLiteral("graph")))
            return;
        settle(300);
        save(QStringLiteral("graph"), find<QWidget>(frame, QStringLiteral("chtTotal_0")), 520);
        click(frame, QStringLiteral("vseBrowseData"), QStringLiteral("graph"));
    }

    void viewPicture(QWidget *frame)
    {
        if (!click(frame, QStringLiteral("vseView_4"), QStringLiteral("view-window")))
            return;
        QWidget *view = topLevel(QStringLiteral("frmView"));
        if (view) {
            view->resize(760, 600);
            settle(300);
        }
        save(QStringLiteral("view-window"), view, 640);
        if (view)
            view->close();
    }

    void iconsPicture(QWidget *frame)
    {
        if (!trigger(QStringLiteral("mnuIconView"), QStringLiteral("results-icons")))
            return;
        // The thumbnails are made in the background: the picture shows them once they have come.
        auto *list = find<ResultsListView>(frame, QStringLiteral("lstPhotos"));
        settle();
        for (int i = 0; i < 100 && list && list->thumbnails() && list->thumbnails()->pendingCount() > 0; ++i)
            settle(50);
        save(QStringLiteral("results-icons"), find<QWidget>(frame, QStringLiteral("lstPhotos")), 640);
        trigger(QStringLiteral("mnuListView"), QStringLiteral("results-icons"));
    }

    // Compare and builder mode show the Assistant; without it the mode is not there yet.
    static QWidget *assistantShown()
    {
        QWidget *assistant = topLevel(QStringLiteral("frmAssistant"));
        return assistant && assistant->isVisible() ? assistant : nullptr;
    }

    void comparePictures(QWidget *frame)
    {
        if (!trigger(QStringLiteral("mnuCompare"), QStringLiteral("compare-mode"))) {
            skip(QStringLiteral("assistant-compare"), QStringLiteral("no compare mode"));
            return;
        }
        QWidget *assistant = assistantShown();
        if (!assistant) {
            skip(QStringLiteral("compare-mode"), QStringLiteral("compare mode shows no frmAssistant"));
            skip(QStringLiteral("assistant-compare"), QStringLiteral("no window frmAssistant"));
        } else {
            choosePhoto(7);
            settle(300);
            save(QStringLiteral("compare-mode"), frame, kWide);
            save(QStringLiteral("assistant-compare"), assistant, 520);
        }
        trigger(QStringLiteral("mnuCompare"), QStringLiteral("compare-mode"));
    }

    void builderPictures()
    {
        const bool builder = trigger(QStringLiteral("mnuProfileBuilder"), QStringLiteral("assistant-builder"));
        QWidget *assistant = builder ? assistantShown() : nullptr;
        if (!assistant) {
            skip(QStringLiteral("assistant-builder"), QStringLiteral("builder mode shows no frmAssistant"));
            skip(QStringLiteral("notes"), QStringLiteral("no window frmAssistant"));
            return;
        }
        choosePhoto(4);
        click(assistant, QStringLiteral("cmdSelect0to3"), QStringLiteral("assistant-builder"));
        click(assistant, QStringLiteral("cmdSelectDuff"), QStringLiteral("assistant-builder"));
        choosePhoto(9);
        click(assistant, QStringLiteral("cmdSelect3Plus"), QStringLiteral("assistant-builder"));
        click(assistant, QStringLiteral("cmdSelectFuelBed"), QStringLiteral("assistant-builder"));
        save(QStringLiteral("assistant-builder"), assistant, 560);

        if (click(assistant, QStringLiteral("cmdNotes"), QStringLiteral("notes"))) {
            QWidget *notes = topLevel(QStringLiteral("frmnotes"));
            if (notes)
                save(QStringLiteral("notes"), notes, 480);
            else
                skip(QStringLiteral("notes"), QStringLiteral("no window frmnotes"));
            // Notes for the printed page, handed to the profile as the window closes.
            if (auto *text = find<QPlainTextEdit>(notes, QStringLiteral("txtnotes")))
                text->setPlainText(kPrintedNotes);
            if (notes)
                notes->close();
        }
    }

    // What software centres show: the main window, compare mode with the Assistant beside it, a printed report.
    void screenshots()
    {
        auto *frame = qobject_cast<QMainWindow *>(topLevel(QStringLiteral("MDIMain")));
        frame->resize(kScreenshot);
        settle(400);
        choosePhoto(2);
        saveScreenshot(QStringLiteral("main-window"), frame->grab().toImage());

        if (trigger(QStringLiteral("mnuCompare"), QStringLiteral("compare-assistant"))) {
            if (QWidget *assistant = assistantShown()) {
                choosePhoto(7);
                settle(300);
                // The Assistant is a window of its own: laid over the frame's upper right, beside the list and
                // above the photos, as a desktop would show it.
                saveScreenshot(QStringLiteral("compare-assistant"), withWindowOver(frame, assistant, 96));
            } else {
                skip(QStringLiteral("compare-assistant"), QStringLiteral("compare mode shows no frmAssistant"));
            }
            trigger(QStringLiteral("mnuCompare"), QStringLiteral("compare-assistant"));
        }

        reportScreenshot();
    }

    // A window of its own laid over the frame's upper right, with a shadow, as a desktop would show it.
    static QImage withWindowOver(QWidget *frame, QWidget *window, int top)
    {
        window->resize(window->sizeHint());
        settle();
        QImage picture = frame->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage over = window->grab().toImage();
        QPainter painter(&picture);
        const QPoint at(picture.width() - over.width() - 16, top);
        painter.fillRect(QRect(at + QPoint(4, 4), over.size()), QColor(0, 0, 0, 60));
        painter.drawImage(at, over);
        painter.setPen(QColor(0x60, 0x60, 0x60));
        painter.drawRect(QRect(at, over.size()).adjusted(-1, -1, 0, 0));
        return picture;
    }

    // Typed as a user types, so that the window takes each key as an edit.
    static void typeInto(QWidget *box, const QString &text)
    {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
            QApplication::sendEvent(box, &press);
        }
    }

    // The pages on matching a stand: the ranked list, a field photo beside the series, the summary.
    void matchingPictures(QWidget *frame)
    {
        choosePhoto(2);
        if (trigger(QStringLiteral("mnuFindSimilar"), QStringLiteral("similar")))
            save(QStringLiteral("similar"), find<QWidget>(frame, QStringLiteral("lstPhotos")), 620);
        if (trigger(QStringLiteral("mnuSummary"), QStringLiteral("summary"))) {
            auto *summary = topLevel(QStringLiteral("frmSummary"));
            if (!summary)
                summary = find<QWidget>(frame, QStringLiteral("frmSummary"));
            save(QStringLiteral("summary"), summary, 460);
            if (summary)
                summary->close();
        }

        // One of the series' own pictures stands in for the user's photo of a stand.
        QTemporaryDir scratch;
        const QString stand = scratch.filePath(QStringLiteral("stand-14.jpg"));
        QDirIterator images(QDir(qEnvironmentVariable("FENWYX_HOME")).filePath(QStringLiteral("PhotoImages")),
                            {QStringLiteral("*.jpg")}, QDir::Files, QDirIterator::Subdirectories);
        QString source;
        for (int i = 0; i < 9 && images.hasNext(); ++i)
            source = images.next();
        if (source.isEmpty() || !QFile::copy(source, stand)) {
            skip(QStringLiteral("fieldphoto"), QStringLiteral("no picture to open as a field photo"));
            return;
        }
        QTimer::singleShot(300, [stand] {
            if (auto *chooser = qobject_cast<QFileDialog *>(QApplication::activeModalWidget())) {
                // The name typed into the chooser's box, as a user would: its list of files loads meanwhile.
                if (auto *name = chooser->findChild<QLineEdit *>(QStringLiteral("fileNameEdit")))
                    name->setText(stand);
                static_cast<QDialog *>(chooser)->done(QDialog::Accepted);
            }
        });
        if (!trigger(QStringLiteral("mnuOpenFieldPhoto"), QStringLiteral("fieldphoto")))
            return;
        settle(400);
        auto *values = topLevel(QStringLiteral("frmFieldPhoto"));
        if (!values) {
            skip(QStringLiteral("fieldphoto"), QStringLiteral("no window frmFieldPhoto"));
            return;
        }
        const std::pair<const char *, const char *> typed[] = {
            {"txtFieldFine", "4.5"}, {"txtFieldCoarse", "12"}, {"txtFieldDuff", "0.8"}, {"txtFieldBed", "5"}};
        for (const auto &[box, text] : typed)
            typeInto(find<QWidget>(values, QString::fromLatin1(box)), QString::fromLatin1(text));
        choosePhoto(4);
        settle(300);
        if (wanted(QStringLiteral("fieldphoto"))) {
            writeImage(QDir(m_folder).filePath(QStringLiteral("fieldphoto.png")),
                       withWindowOver(frame, values, 120).scaledToWidth(kWide, Qt::SmoothTransformation));
        }
        trigger(QStringLiteral("mnuCloseFieldPhoto"), QStringLiteral("fieldphoto"));
        trigger(QStringLiteral("mnuCompare"), QStringLiteral("fieldphoto"));
    }

    // The photo report as the printer gets it, drawn from the preview's page at 65 dots per inch.
    void reportScreenshot()
    {
        const QString name = QStringLiteral("photo-report");
        if (!wanted(name))
            return;
        QAction *preview = action(QStringLiteral("mnuPreviewReports"));
        if (preview && !preview->isChecked())
            preview->trigger();
        choosePhoto(2);
        if (!trigger(QStringLiteral("mnuPrintPhoto"), name))
            return;
        frmPreview *window = nullptr;
        for (QWidget *candidate : QApplication::topLevelWidgets()) {
            if (auto *found = qobject_cast<frmPreview *>(candidate))
                window = found;
        }
        if (!window) {
            skip(name, QStringLiteral("no preview window"));
            return;
        }
        const int dpi = 65;
        QImage page(int(8.5 * dpi), int(11 * dpi), QImage::Format_RGB32);
        page.setDotsPerMeterX(int(dpi / 0.0254 + 0.5));
        page.setDotsPerMeterY(int(dpi / 0.0254 + 0.5));
        page.fill(Qt::white);
        QPainter painter(&page);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(0.25 * dpi, 0.25 * dpi);
        const bool drawn =
            !window->report().pages.empty() && ReportPainter::paint(painter, window->report().pages.front());
        painter.end();
        window->close();
        if (!drawn) {
            skip(name, QStringLiteral("the page could not be drawn"));
            return;
        }
        QImage picture(kScreenshot, QImage::Format_RGB32);
        picture.fill(QColor(0x8a, 0x8f, 0x87));
        QPainter desk(&picture);
        const QPoint at((picture.width() - page.width()) / 2, (picture.height() - page.height()) / 2);
        desk.fillRect(QRect(at + QPoint(5, 5), page.size()), QColor(0, 0, 0, 70));
        desk.drawImage(at, page);
        desk.end();
        saveScreenshot(name, picture);
    }

    void saveScreenshot(const QString &name, const QImage &image)
    {
        if (!wanted(name))
            return;
        const QString path = QDir(m_folder).filePath(name + QStringLiteral(".png"));
        if (image.isNull() || !image.convertToFormat(QImage::Format_RGB32).save(path, "PNG", 9)) {
            std::fprintf(stderr, "fenwyx-shots: cannot write %s\n", qPrintable(path));
            ++m_failures;
            return;
        }
        std::printf("%s\n", qPrintable(path));
    }

    // The printing window, the preview of a photo report, and a page of the fuel-profile report as it prints: the
    // program's own PDF of it, drawn by pdftoppm.
    void printingPictures()
    {
        if (wanted(QStringLiteral("printing"))) {
            frmPrinting progress;
            progress.showPage(1, 2);
            progress.show();
            settle();
            save(QStringLiteral("printing"), &progress, 360);
        }
        QAction *previewReports = action(QStringLiteral("mnuPreviewReports"));
        if (!previewReports) {
            skip(QStringLiteral("report-preview"), QStringLiteral("no action mnuPreviewReports"));
            skip(QStringLiteral("report-page"), QStringLiteral("no action mnuPreviewReports"));
            return;
        }
        if (!previewReports->isChecked())
            previewReports->trigger();
        if (auto *name = find<QLineEdit>(topLevel(QStringLiteral("frmAssistant")), QStringLiteral("txtName")))
            name->setText(QStringLiteral("North ridge, after the thinning"));
        if (trigger(QStringLiteral("mnuPrintPhoto"), QStringLiteral("report-preview"))) {
            QWidget *preview = topLevel(QStringLiteral("frmPreview"));
            if (preview) {
                preview->resize(620, 760);
                settle(300);
            }
            save(QStringLiteral("report-preview"), preview, 560);
            // Closed, it goes at the next turn of events; the next preview is then the one found.
            if (preview)
                preview->close();
            settle();
        }
        if (wanted(QStringLiteral("report-page")) &&
            trigger(QStringLiteral("mnuFuelProfilePrint"), QStringLiteral("report-page"))) {
            if (auto *preview = qobject_cast<frmPreview *>(topLevel(QStringLiteral("frmPreview"))))
                pagePicture(QStringLiteral("report-page"), preview->report());
            else
                skip(QStringLiteral("report-page"), QStringLiteral("no window frmPreview"));
        }
        if (QWidget *preview = topLevel(QStringLiteral("frmPreview")))
            preview->close();
        previewReports->trigger();
    }

    // The first page of the report at 80 dots per inch, from its PDF file on letter paper.
    void pagePicture(const QString &name, const Report &report)
    {
        QTemporaryDir scratch;
        const QString pdf = scratch.filePath(QStringLiteral("report.pdf"));
        QString error;
        if (!scratch.isValid() || !ReportPdf::write(report, pdf, QPageSize(QPageSize::Letter), &error)) {
            skip(name, QStringLiteral("cannot write the PDF: ") + error);
            return;
        }
        QProcess render;
        render.start(QStringLiteral("pdftoppm"),
                     {QStringLiteral("-r"), QStringLiteral("80"), QStringLiteral("-f"), QStringLiteral("1"),
                      QStringLiteral("-l"), QStringLiteral("1"), QStringLiteral("-png"), QStringLiteral("-singlefile"),
                      pdf, scratch.filePath(QStringLiteral("page"))});
        if (!render.waitForFinished(60000) || render.exitStatus() != QProcess::NormalExit || render.exitCode() != 0) {
            skip(name, QStringLiteral("pdftoppm (poppler-utils) did not draw the page"));
            return;
        }
        const QImage page(scratch.filePath(QStringLiteral("page.png")));
        if (page.isNull()) {
            skip(name, QStringLiteral("pdftoppm wrote no picture"));
            return;
        }
        writeImage(QDir(m_folder).filePath(name + QStringLiteral(".png")), page);
    }

    // A modal box left open by a step would hold the program; close whatever is there.
    static void dismissModal()
    {
        while (QWidget *modal = QApplication::activeModalWidget())
            modal->close();
    }

    QString m_folder;
    QStringList m_only;
    bool m_screenshots;
    QStringList m_skipped;
    int m_failures = 0;
};
} // namespace

int main(int argc, char *argv[])
{
    QString home;
    QString out;
    QStringList only;
    bool screenshots = false;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--home") == 0 && hasValue) {
            home = QString::fromLocal8Bit(argv[++i]);
        } else if (std::strcmp(argv[i], "--out") == 0 && hasValue) {
            out = QString::fromLocal8Bit(argv[++i]);
        } else if (std::strcmp(argv[i], "--only") == 0 && hasValue) {
            only << QString::fromLocal8Bit(argv[++i]);
        } else if (std::strcmp(argv[i], "--screenshots") == 0) {
            screenshots = true;
        } else {
            std::fputs(kUsage, std::strcmp(argv[i], "--help") == 0 ? stdout : stderr);
            return std::strcmp(argv[i], "--help") == 0 ? 0 : 2;
        }
    }
    if (home.isEmpty() || out.isEmpty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }

    // The pictures are the same on any machine: offscreen, and none of the user's settings read or written.
    QTemporaryDir user;
    if (!user.isValid()) {
        std::fputs("fenwyx-shots: cannot make a temporary folder\n", stderr);
        return 1;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(user.filePath(QStringLiteral("config"))));
    qputenv("XDG_CACHE_HOME", QFile::encodeName(user.filePath(QStringLiteral("cache"))));
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(user.path()));
    qputenv("FENWYX_HOME", QFile::encodeName(QDir(home).absolutePath()));
    out = QDir(out).absolutePath();

    int qtArgc = 1; // the program sees no command-line argument
    char *qtArgv[] = {argv[0], nullptr};
    QApplication app(qtArgc, qtArgv);
    setUpApplication(app);

    Shots shots(out, only, screenshots);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &app, [&poll, &shots] {
        if (!shots.ready())
            return;
        poll.stop();
        shots.run();
        QCoreApplication::exit(shots.failures() ? 1 : 0);
    });
    poll.start(50);
    return runFenwyx(app);
}
