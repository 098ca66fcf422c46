// The view window: both images of a photo, looked up again whenever their tab is chosen.
#include "frmview.h"

#include "platform/scopeguards.h"
#include "present/imageloader.h"
#include "shell/photodirectory.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
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

ImageView::ImageView(QWidget *parent) : QScrollArea(parent), m_canvas(new QLabel)
{
    m_canvas->setAlignment(Qt::AlignCenter);
    m_canvas->installEventFilter(this);
    setWidget(m_canvas);
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Dark);
}

void ImageView::setImage(const QImage &image)
{
    m_image = image;
    refresh();
}

void ImageView::setFitToWindow(bool fit)
{
    m_fit = fit;
    refresh();
}

void ImageView::refresh()
{
    if (m_image.isNull()) {
        m_canvas->setPixmap(QPixmap());
        m_canvas->resize(0, 0);
        return;
    }
    QSize shown = m_image.size();
    if (m_fit)
        shown = m_image.size().scaled(viewport()->size().expandedTo(QSize(1, 1)), Qt::KeepAspectRatio);
    const QImage scaled =
        shown == m_image.size() ? m_image : m_image.scaled(shown, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    m_canvas->setPixmap(QPixmap::fromImage(scaled));
    m_canvas->resize(scaled.size());
    m_canvas->setCursor(m_fit ? Qt::ArrowCursor : Qt::OpenHandCursor);
}

void ImageView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    if (m_fit)
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
    m_noPic = new QLabel;
    m_noPic->setObjectName(QStringLiteral("lblNoPic"));
    m_data = new ImageView;
    m_data->setObjectName(QStringLiteral("eleData"));
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
    std::optional<QImage> image;
    if (!found.path.isEmpty())
        image = ImageLoader::load(found.path, QSize(), true);
    area->setImage(image.value_or(QImage()));
    area->setVisible(image.has_value());
    message->setVisible(!image);
    if (image)
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
