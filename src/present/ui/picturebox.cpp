// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing and re-decoding the preview picture.
#include "picturebox.h"

#include "present/imageloader.h"

#include <QPainter>
#include <QResizeEvent>

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

QSize PictureBox::decodeSize() const
{
    // Before the first layout the box is tiny; decode at the photos' usual size then.
    if (width() < 64 || height() < 47)
        return QSize(822, 600);
    return size() * devicePixelRatioF();
}

void PictureBox::setPicture(const QImage &image, const QString &path)
{
    m_image = image;
    m_path = path;
    update();
}

void PictureBox::clear()
{
    m_image = QImage();
    m_path.clear();
    update();
}

QRect PictureBox::displayedRect() const
{
    if (m_image.isNull())
        return {};
    const QSize shown = m_image.size().scaled(size(), Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
    return QRect(QPoint((width() - shown.width()) / 2, 0), shown);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    if (m_image.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(displayedRect(), m_image);
}

void PictureBox::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    // A box grown well beyond the decoded picture gets it decoded again at the new size.
    const QSize wanted = decodeSize();
    if (m_path.isEmpty() || m_image.isNull())
        return;
    const QSize fitted = m_image.size().scaled(wanted, Qt::KeepAspectRatio);
    if (fitted.width() > m_image.width() * 5 / 4) {
        if (std::optional<QImage> image = ImageLoader::load(m_path, wanted, true))
            m_image = std::move(*image);
    }
}
