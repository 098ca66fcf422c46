// SPDX-License-Identifier: GPL-3.0-or-later
// The view window: both images of a photo, looked up again whenever their tab is chosen.
#include "frmview.h"

#include "platform/scopeguards.h"
#include "present/imageloader.h"
#include "shell/photodirectory.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace
{
const QString kCantLoad = QStringLiteral("Can't load image") + QLatin1Char('\n') + QStringLiteral("Check disk drive");

// A tab page: the picture area, or its message label in its place.
QWidget *makePage(QWidget *parent, ImageView *area, QLabel *message)
{
    auto *page = new QWidget(parent);
    auto *layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    message->setAlignment(Qt::AlignCenter);
    message->setTextFormat(Qt::PlainText);
    message->hide();
    layout->addWidget(message, 1);
    layout->addWidget(area, 1);
    return page;
}

} // namespace

// Paints its picture as it is (no copy is made for a 100% view); fitted pictures come already scaled.
class ImageCanvas : public QWidget
{
public:
    using QWidget::QWidget;
    void setPicture(const QImage &picture)
    {
        m_picture = picture;
        update();
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        if (m_picture.isNull())
            return;
        QPainter painter(this);
        painter.setClipRegion(event->region());
        painter.drawImage(rect(), m_picture);
    }

private:
    QImage m_picture;
};

ImageView::ImageView(QWidget *parent) : QScrollArea(parent), m_canvas(new ImageCanvas)
{
    m_canvas->installEventFilter(this);
    setWidget(m_canvas);
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Dark);
}

bool ImageView::setImageFile(const QString &path, QString *error)
{
    m_path = path;
    m_image = QImage();
    m_fullSize = QSize();
    m_canvas->setPicture(QImage()); // the previous picture goes before the next is decoded
    const bool decoded = decode(m_fit || !isVisible() ? fitSize() : QSize(), error);
    if (!decoded)
        m_path.clear();
    refresh();
    return decoded;
}

void ImageView::clear()
{
    m_path.clear();
    m_image = QImage();
    m_fullSize = QSize();
    refresh();
}

bool ImageView::decode(const QSize &target, QString *error)
{
    std::optional<QImage> image = ImageLoader::load(m_path, target, true, error, &m_fullSize);
    if (!image)
        return false;
    m_image = std::move(*image);
    return true;
}

QSize ImageView::fitSize() const
{
    // A fitted picture needs no scroll bars, so it may take the room of any shown at 100%.
    const QSize viewportSize = maximumViewportSize();
    const QSize area = viewportSize.width() < 64 || viewportSize.height() < 48 ? window()->size() : viewportSize;
    return (QSizeF(area) * devicePixelRatioF()).toSize().expandedTo(QSize(1, 1));
}

void ImageView::setFitToWindow(bool fit)
{
    m_fit = fit;
    if (!fit && isVisible())
        decodeInFull();
    else
        shrinkToFit();
    refresh();
}

void ImageView::decodeInFull()
{
    // On failure (the file gone meanwhile) the picture already decoded is shown as it is.
    if (!m_path.isEmpty() && !m_image.isNull() && m_image.size() != m_fullSize)
        decode(QSize(), nullptr);
}

void ImageView::shrinkToFit()
{
    const QSize wanted = m_image.size().scaled(fitSize(), Qt::KeepAspectRatio);
    if (!m_image.isNull() && wanted.width() < m_image.width())
        m_image = m_image.scaled(wanted, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

void ImageView::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    // A window restored from the task bar still holds its picture; a tab or a window shown anew may not.
    // Queued: a tab change shows the page first and then loads its picture, which is then in full already.
    if (!m_fit && !event->spontaneous()) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!m_fit && isVisible()) {
                    decodeInFull();
                    refresh();
                }
            },
            Qt::QueuedConnection);
    }
}

void ImageView::hideEvent(QHideEvent *event)
{
    QScrollArea::hideEvent(event);
    if (!m_fit && !event->spontaneous()) {
        shrinkToFit();
        refresh();
    }
}

void ImageView::refresh()
{
    m_canvas->setCursor(m_fit || m_image.isNull() ? Qt::ArrowCursor : Qt::OpenHandCursor);
    if (m_image.isNull()) {
        m_canvas->setPicture(QImage());
        m_canvas->resize(0, 0);
        return;
    }
    if (!m_fit) {
        m_canvas->setPicture(m_image);
        m_canvas->resize(m_image.size());
        return;
    }
    const QSize device = m_image.size().scaled(fitSize(), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    m_canvas->setPicture(
        device == m_image.size() ? m_image : m_image.scaled(device, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    m_canvas->resize((QSizeF(device) / devicePixelRatioF()).toSize().expandedTo(QSize(1, 1)));
}

void ImageView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    if (!m_fit)
        return;
    // Grown well beyond the decoded picture (and not yet at full size): decoded again for the new size.
    const QSize wanted = fitSize();
    if (!m_path.isEmpty() && !m_image.isNull() && m_image.size() != m_fullSize &&
        m_fullSize.scaled(wanted, Qt::KeepAspectRatio).width() > m_image.width() * 5 / 4)
        decode(wanted, nullptr);
    refresh();
}

bool ImageView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_canvas && !m_fit) {
        if (event->type() == QEvent::MouseButtonPress) {
            m_dragFrom = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
            return true;
        }
        if (event->type() == QEvent::MouseMove) {
            const QPoint now = static_cast<QMouseEvent *>(event)->globalPosition().toPoint();
            const QPoint delta = now - m_dragFrom;
            m_dragFrom = now;
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() - delta.x());
            verticalScrollBar()->setValue(verticalScrollBar()->value() - delta.y());
            return true;
        }
    }
    return QScrollArea::eventFilter(watched, event);
}

frmView::frmView(const PhotoDirectory &directory, QString programFolder, QWidget *parent)
    : QWidget(parent, Qt::Window), m_directory(directory), m_programFolder(std::move(programFolder))
{
    setObjectName(QStringLiteral("frmView"));
    setWindowTitle(QStringLiteral("View"));
    resize(900, 700);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *menus = new QMenuBar(this);
    QAction *close = menus->addAction(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("mnuClose"));
    connect(close, &QAction::triggered, this, &QWidget::close);
    QMenu *zoom = menus->addMenu(QStringLiteral("Zoom"));
    zoom->setObjectName(QStringLiteral("mnuZoom"));
    m_fit = zoom->addAction(QStringLiteral("Fit to Window"));
    m_fit->setObjectName(QStringLiteral("mnuFit"));
    m_fit->setCheckable(true);
    m_fit->setChecked(true);
    QAction *actual = zoom->addAction(QStringLiteral("Actual Size (100%)"));
    actual->setObjectName(QStringLiteral("mnuActualSize"));
    layout->setMenuBar(menus);

    auto *frame = new QWidget(this);
    frame->setObjectName(QStringLiteral("VideoSoftElastic1"));
    auto *frameLayout = new QVBoxLayout(frame);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    m_tabs = new QTabWidget(frame);
    m_tabs->setObjectName(QStringLiteral("tabView"));
    m_photo = new ImageView;
    m_photo->setObjectName(QStringLiteral("elePhoto"));
    m_photo->setAccessibleName(QStringLiteral("Photo"));
    m_noPic = new QLabel;
    m_noPic->setObjectName(QStringLiteral("lblNoPic"));
    m_data = new ImageView;
    m_data->setObjectName(QStringLiteral("eleData"));
    m_data->setAccessibleName(QStringLiteral("Data Plate"));
    m_noData = new QLabel;
    m_noData->setObjectName(QStringLiteral("lblNoData"));
    m_tabs->addTab(makePage(m_tabs, m_photo, m_noPic), QStringLiteral("Photo"));
    m_tabs->addTab(makePage(m_tabs, m_data, m_noData), QStringLiteral("Data Plate"));
    frameLayout->addWidget(m_tabs);
    layout->addWidget(frame, 1);

    auto setFit = [this](bool fit) {
        m_fit->setChecked(fit);
        m_photo->setFitToWindow(fit);
        m_data->setFitToWindow(fit);
    };
    connect(m_fit, &QAction::triggered, this, [setFit](bool checked) { setFit(checked); });
    connect(actual, &QAction::triggered, this, [setFit] { setFit(false); });
    connect(m_tabs, &QTabWidget::currentChanged, this, &frmView::tabView_Switch);
}

void frmView::closeEvent(QCloseEvent *event)
{
    // The next "View" loads both pictures afresh; until then they are not kept.
    m_photo->clear();
    m_data->clear();
    QWidget::closeEvent(event);
}

void frmView::showImages(const SlotPaths &paths)
{
    m_paths = paths;
    const WaitCursor wait;
    m_loading = true;
    showData();
    showPhoto();
    m_tabs->setCurrentIndex(0);
    m_loading = false;
}

void frmView::showPhoto()
{
    showImage(m_paths.PhotoPath, m_paths.LocalPhotoPath, m_photo, m_noPic, &ViewPhotoFile);
}

void frmView::showData()
{
    showImage(m_paths.DataPath, m_paths.LocalDataPath, m_data, m_noData, &ViewDataFile);
}

bool frmView::showImage(const QString &directoryPath, const QString &localPath, ImageView *area, QLabel *message,
                        QString *file)
{
    const PhotoDirectory &directory = m_directory;
    const ImageResolver resolver(directory, m_programFolder);
    const bool skip = directory.DriveChoice == PhotoDirectory::SearchLocalOnly;
    const ImageResolver::Result found = resolver.resolve(directoryPath, localPath, skip);
    *file = found.path;
    const bool shown = !found.path.isEmpty() && area->setImageFile(found.path);
    if (!shown)
        area->clear();
    area->setVisible(shown);
    message->setVisible(!shown);
    if (shown)
        return true;
    message->setText(found.path.isEmpty() ? resolver.noPictureMessage() : kCantLoad);
    return false;
}

void frmView::tabView_Switch(int tab)
{
    if (m_loading)
        return;
    const WaitCursor wait;
    if (tab == 0)
        showPhoto();
    else
        showData();
}
