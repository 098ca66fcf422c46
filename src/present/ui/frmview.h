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

// A picture area that fits its image into the view or shows it at 100%, panned by dragging.
class ImageView : public QScrollArea
{
    Q_OBJECT
public:
    explicit ImageView(QWidget *parent = nullptr);
    void setImage(const QImage &image);
    void clear() { setImage(QImage()); }
    bool hasImage() const { return !m_image.isNull(); }
    QImage image() const { return m_image; }
    void setFitToWindow(bool fit);
    bool fitToWindow() const { return m_fit; }

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void refresh();

    QImage m_image;
    QLabel *m_canvas;
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
