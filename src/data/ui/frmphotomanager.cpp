// SPDX-License-Identifier: GPL-3.0-or-later
// The photo manager's window: every change runs through the widget-free core, the long ones in a thread.
#include "frmphotomanager.h"

#include "data/ui/frminstallseries.h"
#include "platform/dialogs.h"
#include "platform/scopeguards.h"

#include <QCloseEvent>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QThread>
#include <QVBoxLayout>

namespace
{
const QString kCaption = QStringLiteral("Fenwyx Photo Manager");
enum Column { ColumnBook, ColumnDescription, ColumnPhotos, ColumnImages, ColumnSpace, ColumnCount };
} // namespace

frmPhotoManager::frmPhotoManager(QString programFolder, Dialogs &dialogs, SettingsStore *settings,
                                 const DriveInfo *drives, QWidget *parent)
    : QWidget(parent), m_programFolder(std::move(programFolder)), m_dialogs(dialogs), m_settings(settings),
      m_drives(drives)
{
    setObjectName(QStringLiteral("frmPhotoManager"));
    setWindowTitle(kCaption);
    auto *layout = new QVBoxLayout(this);
    m_where = new QLabel(this);
    m_where->setObjectName(QStringLiteral("lblWhere"));
    m_where->setWordWrap(true);
    m_where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_where);

    m_books = new QTableWidget(0, ColumnCount, this);
    m_books->setObjectName(QStringLiteral("lstBooks"));
    m_books->setAccessibleName(QStringLiteral("Installed books"));
    m_books->setHorizontalHeaderLabels({QStringLiteral("Book"), QStringLiteral("Description"), QStringLiteral("Photos"),
                                        QStringLiteral("Images"), QStringLiteral("Space")});
    m_books->verticalHeader()->hide();
    m_books->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_books->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_books->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_books->horizontalHeader()->setSectionResizeMode(ColumnDescription, QHeaderView::Stretch);
    layout->addWidget(m_books, 1);

    auto *buttons = new QHBoxLayout;
    const auto button = [this, buttons](const char *name, const QString &text, const QString &tip) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        buttons->addWidget(b);
        return b;
    };
    QPushButton *folder = button("cmdInstallFolder", QStringLiteral("Install from &Folder..."),
                                 QStringLiteral("Install the photo series on a disc or in a folder"));
    QPushButton *zip = button("cmdInstallZip", QStringLiteral("Install from &Zip File..."),
                              QStringLiteral("Install a photo series downloaded as a .zip file"));
    m_remove = button("cmdRemove", QStringLiteral("&Remove..."), QStringLiteral("Remove the selected books"));
    m_toLocal =
        button("cmdMoveLocal", QStringLiteral("Move Images to &Local Folder"),
               QStringLiteral("Move the selected book's images from the photo directory into the program folder"));
    m_toPhotoDirectory =
        button("cmdMovePhotoDir", QStringLiteral("Move Images to &Photo Directory"),
               QStringLiteral("Move the selected book's images from the program folder into the photo directory"));
    buttons->addStretch(1);
    QPushButton *close = button("cmdClose", QStringLiteral("&Close"), QStringLiteral("Back to Fenwyx"));
    layout->addLayout(buttons);

    connect(folder, &QPushButton::clicked, this, &frmPhotoManager::installFolderCommand);
    connect(zip, &QPushButton::clicked, this, &frmPhotoManager::installZipCommand);
    connect(m_remove, &QPushButton::clicked, this, &frmPhotoManager::removeCommand);
    connect(m_toLocal, &QPushButton::clicked, this, [this] { moveCommand(PhotoSeries::MoveTarget::Local); });
    connect(m_toPhotoDirectory, &QPushButton::clicked, this,
            [this] { moveCommand(PhotoSeries::MoveTarget::PhotoDirectory); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_books, &QTableWidget::itemSelectionChanged, this, &frmPhotoManager::updateButtons);
    resize(860, 480);
    refresh();
}

frmPhotoManager::~frmPhotoManager()
{
    if (m_worker) {
        m_cancel = true;
        m_worker->wait();
    }
}

void frmPhotoManager::closeEvent(QCloseEvent *event)
{
    // The work in progress is cancelled (and so undone) rather than cut off.
    if (m_worker) {
        m_cancel = true;
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void frmPhotoManager::refresh()
{
    const PhotoSeries::Place place = PhotoSeries::Place::current(m_programFolder, m_settings, m_drives);
    m_where->setText(QStringLiteral("Program folder: %1\nPhoto directory: %2%3")
                         .arg(QDir::toNativeSeparators(m_programFolder), QDir::toNativeSeparators(place.photoDirectory),
                              place.photoDirectoryReadable ? QString() : QStringLiteral(" (cannot be read now)")));
    QString error;
    const auto books = PhotoSeries::listBooks(place, &error);
    m_installed = books ? *books : std::vector<PhotoSeries::InstalledBook>();
    m_books->setRowCount(int(m_installed.size()));
    for (int row = 0; row < int(m_installed.size()); ++row) {
        const PhotoSeries::InstalledBook &b = m_installed[size_t(row)];
        QString images = b.place();
        if (b.missing() > 0)
            images += QStringLiteral(", %1 missing").arg(b.missing());
        const qint64 bytes = b.localBytes + b.photoDirectoryBytes;
        const QStringList cells{b.label, b.description, QString::number(b.photos), images,
                                bytes > 0 ? PhotoSeries::sizeText(bytes) : QString()};
        for (int c = 0; c < ColumnCount; ++c)
            m_books->setItem(row, c, new QTableWidgetItem(cells.at(c)));
    }
    m_books->resizeColumnsToContents();
    m_books->horizontalHeader()->setSectionResizeMode(ColumnDescription, QHeaderView::Stretch);
    if (!books)
        m_where->setText(m_where->text() + QStringLiteral("\nThe photo database cannot be read: ") + error);
    else if (m_installed.empty())
        m_where->setText(m_where->text() + QStringLiteral("\nNo photo series is installed yet."));
    updateButtons();
}

QStringList frmPhotoManager::selectedLabels() const
{
    QStringList labels;
    for (const QModelIndex &index : m_books->selectionModel()->selectedRows())
        labels << m_installed[size_t(index.row())].label;
    return labels;
}

void frmPhotoManager::updateButtons()
{
    const QStringList selected = selectedLabels();
    m_remove->setEnabled(!busy() && !selected.isEmpty());
    m_toLocal->setEnabled(!busy() && selected.size() == 1);
    m_toPhotoDirectory->setEnabled(!busy() && selected.size() == 1);
}

void frmPhotoManager::installFolderCommand()
{
    if (const auto folder =
            m_dialogs.chooseFolder(QStringLiteral("Install Photo Series from Folder"), QDir::homePath()))
        installFrom(*folder);
}

void frmPhotoManager::installZipCommand()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Install Photo Series from Zip File");
    request.filter = QStringLiteral("Zip file(*.zip)");
    request.initialFolder = QDir::homePath();
    if (const auto file = m_dialogs.openFileName(request); file && !file->isEmpty())
        installFrom(*file);
}

void frmPhotoManager::installFrom(const QString &source)
{
    if (busy())
        return;
    auto work = std::make_shared<QTemporaryDir>();
    QString error;
    std::shared_ptr<PhotoSeries::Installation> plan;
    {
        const WaitCursor wait;
        plan = PhotoSeries::Installation::prepare(PhotoSeries::Place::current(m_programFolder, m_settings, m_drives),
                                                  source, work->path(), &error);
    }
    if (!plan) {
        m_dialogs.message(QStringLiteral("This photo series cannot be installed:\n") + error, kCaption,
                          MessageButtons::Ok, MessageIcon::Critical);
        return;
    }
    auto *dialog = new frmInstallSeries(*plan, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    connect(dialog, &QDialog::accepted, this, [this, plan, work] {
        auto summary = std::make_shared<PhotoSeries::Summary>();
        runInBackground(
            QStringLiteral("Installing the photo series..."),
            [plan, summary](const PhotoSeries::ProgressFunction &progress, QString *error) {
                return plan->run(progress, summary.get(), error);
            },
            [this, summary, plan, work](bool ok, const QString &error) {
                refresh();
                if (ok)
                    m_dialogs.message(summary->text(), kCaption, MessageButtons::Ok, MessageIcon::Information);
                else
                    m_dialogs.message(error, kCaption, MessageButtons::Ok, MessageIcon::Critical);
            });
    });
    dialog->show();
}

void frmPhotoManager::removeCommand()
{
    const QStringList labels = selectedLabels();
    if (labels.isEmpty())
        return;
    if (m_dialogs.message(
            QStringLiteral("Remove %1 and all their photos from Fenwyx?").arg(labels.join(QStringLiteral(", "))),
            kCaption, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return;
    qint64 localBytes = 0;
    for (const PhotoSeries::InstalledBook &book : m_installed) {
        if (labels.contains(book.label))
            localBytes += book.localBytes;
    }
    bool deleteImages = false;
    if (localBytes > 0)
        deleteImages = m_dialogs.message(QStringLiteral("Delete their images in the program folder's PhotoImages "
                                                        "folder as well (%1)?")
                                             .arg(PhotoSeries::sizeText(localBytes)),
                                         kCaption, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes;
    QString error;
    QStringList notes;
    bool ok = false;
    {
        const WaitCursor wait;
        ok = PhotoSeries::removeBooks(PhotoSeries::Place::current(m_programFolder, m_settings, m_drives), labels,
                                      deleteImages, &notes, &error);
    }
    refresh();
    if (!ok)
        m_dialogs.message(error, kCaption, MessageButtons::Ok, MessageIcon::Critical);
    else if (!notes.isEmpty())
        m_dialogs.message(notes.join(QLatin1Char('\n')), kCaption, MessageButtons::Ok, MessageIcon::Information);
}

void frmPhotoManager::moveCommand(PhotoSeries::MoveTarget target)
{
    const QStringList labels = selectedLabels();
    if (labels.size() != 1)
        return;
    const QString label = labels.first();
    const PhotoSeries::Place place = PhotoSeries::Place::current(m_programFolder, m_settings, m_drives);
    auto notes = std::make_shared<QStringList>();
    runInBackground(
        QStringLiteral("Moving the images of %1...").arg(label),
        [place, label, target, notes](const PhotoSeries::ProgressFunction &progress, QString *error) {
            return PhotoSeries::moveImages(place, label, target, progress, notes.get(), error);
        },
        [this, notes](bool ok, const QString &error) {
            refresh();
            if (!ok)
                m_dialogs.message(error, kCaption, MessageButtons::Ok, MessageIcon::Critical);
            else if (!notes->isEmpty())
                m_dialogs.message(notes->join(QLatin1Char('\n')), kCaption, MessageButtons::Ok,
                                  MessageIcon::Information);
        });
}

void frmPhotoManager::runInBackground(const QString &title,
                                      const std::function<bool(const PhotoSeries::ProgressFunction &, QString *)> &work,
                                      const std::function<void(bool, const QString &)> &done)
{
    m_cancel = false;
    m_progress = new QProgressDialog(title, QStringLiteral("Cancel"), 0, 1000, this);
    m_progress->setObjectName(QStringLiteral("frmProgress"));
    m_progress->setWindowTitle(kCaption);
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(0);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    connect(m_progress, &QProgressDialog::canceled, this, [this] { m_cancel = true; });
    m_progress->show();

    auto ok = std::make_shared<bool>(false);
    auto error = std::make_shared<QString>();
    QPointer<QProgressDialog> progressWindow = m_progress;
    const PhotoSeries::ProgressFunction progress = [this, progressWindow](const PhotoSeries::Progress &p) {
        QString text;
        int value = 0;
        switch (p.stage) {
        case PhotoSeries::Progress::Stage::Reading:
            text = QStringLiteral("Reading the photo databases...");
            break;
        case PhotoSeries::Progress::Stage::Photos:
            text = QStringLiteral("Books: %1 of %2, photos: %3 of %4")
                       .arg(p.books)
                       .arg(p.booksTotal)
                       .arg(p.photos)
                       .arg(p.photosTotal);
            value = p.photosTotal > 0 ? 100 * p.photos / p.photosTotal : 100;
            break;
        case PhotoSeries::Progress::Stage::Images:
            text = QStringLiteral("Images copied: %1 of %2 (%3 of %4)")
                       .arg(p.images)
                       .arg(p.imagesTotal)
                       .arg(PhotoSeries::sizeText(p.bytes), PhotoSeries::sizeText(p.bytesTotal));
            value = 100 + int(p.bytesTotal > 0 ? 880 * double(p.bytes) / double(p.bytesTotal) : 880);
            break;
        case PhotoSeries::Progress::Stage::Finishing:
            text = QStringLiteral("Putting the series in place...");
            value = 990;
            break;
        }
        QMetaObject::invokeMethod(
            this,
            [progressWindow, text, value] {
                if (progressWindow) {
                    progressWindow->setLabelText(text);
                    progressWindow->setValue(value);
                }
            },
            Qt::QueuedConnection);
        return !m_cancel.load();
    };
    m_worker = QThread::create([work, progress, ok, error] { *ok = work(progress, error.get()); });
    connect(m_worker, &QThread::finished, this, [this, ok, error, done] {
        m_worker->deleteLater();
        m_worker = nullptr;
        if (m_progress)
            m_progress->deleteLater();
        done(*ok, *error);
        updateButtons();
        Q_EMIT workFinished();
    });
    updateButtons();
    m_worker->start();
}
