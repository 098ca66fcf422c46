// SPDX-License-Identifier: GPL-3.0-or-later
// vsePane: one photo pane and the five controls of its slot.
#pragma once

#include <QFrame>

class DataSheetModel;
class LoadingGraph;
class PictureBox;
class QLabel;
class QTableView;

class PhotoPane : public QFrame
{
    Q_OBJECT
public:
    PhotoPane(int slot, QWidget *parent = nullptr);

    int slot() const { return m_slot; }
    // This slot's controls; the single layout lends grdselect and chtTotal of slot 0 to the right pane.
    QTableView *grdselect() const { return m_grid; }
    DataSheetModel *sheetModel() const { return m_model; }
    LoadingGraph *chtTotal() const { return m_chart; }
    PictureBox *picPreviewPhoto() const { return m_picture; }
    QLabel *lblSelectedPhoto() const { return m_label; }
    QLabel *lblNoPic() const { return m_noPic; }

    // Sizes the grid to show exactly its rows, at its place in whichever pane holds it; its text grows with
    // that pane.
    void fitGrid(bool belowLabel);
    // The room under the label line that the picture, its message and the graph take, within the margins.
    QRect pictureRoom() const;
    // Shows text over the picture; empty text hides it.
    void showNoPicMessage(const QString &text);
    // Active: title-bar colour and white label text; else button face and black text. The theme's colour is made
    // lighter or darker where the label's text would not read on it.
    void setActive(bool active);

Q_SIGNALS:
    void clicked(int slot);
    void resized();

protected:
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    int m_slot;
    DataSheetModel *m_model;
    QTableView *m_grid;
    LoadingGraph *m_chart;
    PictureBox *m_picture;
    QLabel *m_label;
    QLabel *m_noPic;
    bool m_active = false;
    bool m_applyingPalette = false;
};
