// SPDX-License-Identifier: GPL-3.0-or-later
// The installation plan: the series' books, Replace or Skip for those installed, where the images go.
#include "frminstallseries.h"

#include "data/photoseries.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace
{
enum Column { ColumnBook, ColumnDescription, ColumnPhotos, ColumnImages, ColumnAction, ColumnCount };
}

frmInstallSeries::frmInstallSeries(PhotoSeries::Installation &plan, QWidget *parent) : QDialog(parent), m_plan(plan)
{
    setObjectName(QStringLiteral("frmInstallSeries"));
    setWindowTitle(QStringLiteral("Install Photo Series"));
    auto *layout = new QVBoxLayout(this);

    auto *intro = new QLabel(QStringLiteral("The series holds these books. Tick Replace for a book that is "
                                            "installed already to replace it; unticked, it is skipped."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    m_books = new QTableWidget(int(plan.books().size()), ColumnCount, this);
    m_books->setObjectName(QStringLiteral("lstSeriesBooks"));
    m_books->setAccessibleName(QStringLiteral("Books of the series"));
    m_books->setHorizontalHeaderLabels({QStringLiteral("Book"), QStringLiteral("Description"), QStringLiteral("Photos"),
                                        QStringLiteral("Images found"), QStringLiteral("Installed")});
    m_books->verticalHeader()->hide();
    m_books->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_books->setSelectionMode(QAbstractItemView::NoSelection);
    bool anyLocal = false;
    for (int row = 0; row < int(plan.books().size()); ++row) {
        const PhotoSeries::PlannedBook &book = plan.books()[size_t(row)];
        m_books->setItem(row, ColumnBook, new QTableWidgetItem(book.label));
        m_books->setItem(row, ColumnDescription, new QTableWidgetItem(book.description));
        m_books->setItem(row, ColumnPhotos, new QTableWidgetItem(QString::number(book.photos)));
        m_books->setItem(row, ColumnImages,
                         new QTableWidgetItem(book.folderFound
                                                  ? QStringLiteral("%1 of %2").arg(book.imagesFound).arg(book.images)
                                                  : QStringLiteral("no folder")));
        auto *action = new QTableWidgetItem(book.installed ? QStringLiteral("Replace") : QStringLiteral("new"));
        if (book.installed) {
            action->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            action->setCheckState(book.action == PhotoSeries::PlannedBook::Action::Replace ? Qt::Checked
                                                                                           : Qt::Unchecked);
        }
        anyLocal = anyLocal || book.localFolderExists;
        m_books->setItem(row, ColumnAction, action);
    }
    m_books->horizontalHeader()->setSectionResizeMode(ColumnDescription, QHeaderView::Stretch);
    m_books->resizeColumnsToContents();
    layout->addWidget(m_books, 1);

    m_replaceImages = new QCheckBox(QStringLiteral("Replace the images already in the program folder's "
                                                   "PhotoImages folder for these books"),
                                    this);
    m_replaceImages->setObjectName(QStringLiteral("chkReplaceImages"));
    m_replaceImages->setVisible(anyLocal);
    layout->addWidget(m_replaceImages);

    m_copy = new QRadioButton(QStringLiteral("Copy the images into the program folder"), this);
    m_copy->setObjectName(QStringLiteral("optCopyImages"));
    m_inPlace = new QRadioButton(plan.canUseInPlace()
                                     ? QStringLiteral("Leave the images where they are; the photo directory becomes %1")
                                           .arg(QDir::toNativeSeparators(plan.imageRoot()))
                                     : QStringLiteral("Leave the images where they are (not possible for a zip file)"),
                                 this);
    m_inPlace->setObjectName(QStringLiteral("optImagesInPlace"));
    m_inPlace->setEnabled(plan.canUseInPlace());
    (plan.copyImages ? m_copy : m_inPlace)->setChecked(true);
    layout->addWidget(m_copy);
    layout->addWidget(m_inPlace);
    m_space = new QLabel(this);
    m_space->setObjectName(QStringLiteral("lblSpace"));
    m_space->setWordWrap(true);
    layout->addWidget(m_space);

    if (!plan.skipped().isEmpty()) {
        auto *skipped = new QLabel(QStringLiteral("Not installed: ") + plan.skipped().join(QStringLiteral("; ")), this);
        skipped->setObjectName(QStringLiteral("lblSkipped"));
        skipped->setWordWrap(true);
        layout->addWidget(skipped);
    }

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    QPushButton *install = buttons->addButton(QStringLiteral("Install"), QDialogButtonBox::AcceptRole);
    install->setObjectName(QStringLiteral("cmdInstall"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cmdCancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    connect(m_copy, &QRadioButton::toggled, this, &frmInstallSeries::updateSpace);
    connect(m_replaceImages, &QCheckBox::toggled, this, &frmInstallSeries::updateSpace);
    connect(m_books, &QTableWidget::itemChanged, this, &frmInstallSeries::updateSpace);
    resize(760, 460);
    updateSpace();
}

void frmInstallSeries::accept()
{
    for (int row = 0; row < m_books->rowCount(); ++row) {
        PhotoSeries::PlannedBook &book = m_plan.books()[size_t(row)];
        if (book.installed)
            book.action = m_books->item(row, ColumnAction)->checkState() == Qt::Checked
                              ? PhotoSeries::PlannedBook::Action::Replace
                              : PhotoSeries::PlannedBook::Action::Skip;
        book.replaceLocalImages = m_replaceImages->isChecked();
    }
    m_plan.copyImages = m_copy->isChecked();
    QDialog::accept();
}

void frmInstallSeries::updateSpace()
{
    // The plan answers for the choices as they stand; they are written back for good by accept().
    const bool copy = m_plan.copyImages;
    std::vector<PhotoSeries::PlannedBook> before = m_plan.books();
    for (int row = 0; row < m_books->rowCount(); ++row) {
        PhotoSeries::PlannedBook &book = m_plan.books()[size_t(row)];
        if (book.installed && m_books->item(row, ColumnAction))
            book.action = m_books->item(row, ColumnAction)->checkState() == Qt::Checked
                              ? PhotoSeries::PlannedBook::Action::Replace
                              : PhotoSeries::PlannedBook::Action::Skip;
        book.replaceLocalImages = m_replaceImages->isChecked();
    }
    m_plan.copyImages = m_copy->isChecked();
    const qint64 needed = m_plan.bytesToCopy();
    const qint64 free = m_plan.bytesAvailable();
    QString text = m_plan.copyImages
                       ? QStringLiteral("The images need %1; %2 are free.")
                             .arg(PhotoSeries::sizeText(needed),
                                  free < 0 ? QStringLiteral("an unknown amount") : PhotoSeries::sizeText(free))
                       : QString();
    const QStringList left = m_plan.booksLeftBehind();
    if (!left.isEmpty())
        text += QStringLiteral(" The images of %1 lie in the present photo directory and will no longer be found "
                               "there; move them to the local folder first to keep them.")
                    .arg(left.join(QStringLiteral(", ")));
    m_space->setText(text.trimmed());
    m_plan.books() = std::move(before);
    m_plan.copyImages = copy;
}
