// picPreviewPhoto: a picture stretched to the box, decoded at the size it is shown.
#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class PictureBox : public QWidget
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Decodes path at the box's size; false (the box then empty) when it cannot be decoded.
    bool loadPicture(const QString &path, QString *error = nullptr);
    void clear();
    bool hasPicture() const { return !m_image.isNull(); }
    QImage image() const { return m_image; }
    QString path() const { return m_path; }
    // The size pictures are decoded at (the box's own, or a sensible one before it is laid out).
    QSize decodeSize() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage m_image;
    QString m_path;
};
