// SPDX-License-Identifier: GPL-3.0-or-later
// picPreviewPhoto: a picture scaled to fit the box with its proportions kept, decoded at the size it is shown.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    // A picture decoded for the box; path lets a box grown well beyond it decode the file again.
    void setPicture(const QImage &image, const QString &path);
    void clear();
    bool hasPicture() const { return !m_image.isNull(); }
    QImage image() const { return m_image; }
    QString path() const { return m_path; }
    // The size pictures are decoded to fit into (the box's own, or a sensible one before it is laid out).
    QSize decodeSize() const;
    // Where the picture is drawn: as large as the box allows, centred across it and along its top edge.
    QRect displayedRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage m_image;
    QString m_path;
};
