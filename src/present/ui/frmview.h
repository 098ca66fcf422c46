// SPDX-License-Identifier: GPL-3.0-or-later
// frmView: one slot's photo and data plate at full quality, one per tab, with zoom to fit or 100%.
#pragma once

#include "present/imageresolver.h"

#include <QImage>
#include <QScrollArea>
#include <QWidget>

class PhotoDirectory;
class QAction;
class QLabel;
class QTabWidget;

class ImageCanvas;

// A picture area that fits its picture into the view or shows it at 100%, panned by dragging. The file is
// decoded at the size shown: in full only while the area is visible at 100%, so a large photo is held in full
// once at most, and a hidden tab holds no full-size picture.
class ImageView : public QScrollArea
{
    Q_OBJECT
public:
    explicit ImageView(QWidget *parent = nullptr);
    // Decodes path for the zoom in use; when it cannot be decoded the area is cleared and false returned.
    bool setImageFile(const QString &path, QString *error = nullptr);
    void clear();
    bool hasImage() const { return !m_image.isNull(); }
    // As decoded: at most the view's size when fitted, at full size at 100%.
    QImage image() const { return m_image; }
    void setFitToWindow(bool fit);
    bool fitToWindow() const { return m_fit; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // In device pixels; before the view is laid out, the window's size.
    QSize fitSize() const;
    bool decode(const QSize &target, QString *error);
    void decodeInFull();
    void shrinkToFit();
    void refresh();

    QString m_path;
    QImage m_image;
    QSize m_fullSize;
    ImageCanvas *m_canvas;
    bool m_fit = true;
    QPoint m_dragFrom;
};

class frmView : public QWidget
{
    Q_OBJECT
public:
    frmView(const PhotoDirectory &directory, QString programFolder, QWidget *parent = nullptr);

    // Loads both images afresh (data plate, then photo) and shows the "Photo" tab.
    void showImages(const SlotPaths &paths);

    // The images as looked up last.
    QString ViewPhotoFile;
    QString ViewDataFile;

    QTabWidget *tabView() const { return m_tabs; }
    ImageView *elePhoto() const { return m_photo; }
    ImageView *eleData() const { return m_data; }
    QLabel *lblNoPic() const { return m_noPic; }
    QLabel *lblNoData() const { return m_noData; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void showPhoto();
    void showData();
    // Looks the image up again (the drive may have become readable) and shows it or the tab's message.
    bool showImage(const QString &directoryPath, const QString &localPath, ImageView *area, QLabel *message,
                   QString *file);
    void tabView_Switch(int tab);

    const PhotoDirectory &m_directory;
    const QString m_programFolder;
    SlotPaths m_paths;
    QTabWidget *m_tabs;
    ImageView *m_photo;
    ImageView *m_data;
    QLabel *m_noPic;
    QLabel *m_noData;
    QAction *m_fit;
    bool m_loading = false;
};
