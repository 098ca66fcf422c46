// SPDX-License-Identifier: GPL-3.0-or-later
// frmInstallSeries: what a photo series holds and how it is to be installed, before anything is changed.
#pragma once

#include <QDialog>

namespace PhotoSeries
{
class Installation;
}
class QCheckBox;
class QLabel;
class QRadioButton;
class QTableWidget;

class frmInstallSeries : public QDialog
{
    Q_OBJECT
public:
    // Shows the plan; accepting writes the choices back into it.
    frmInstallSeries(PhotoSeries::Installation &plan, QWidget *parent = nullptr);

    void accept() override;

private:
    void updateSpace();

    PhotoSeries::Installation &m_plan;
    QTableWidget *m_books;
    QCheckBox *m_replaceImages;
    QRadioButton *m_copy;
    QRadioButton *m_inPlace;
    QLabel *m_space;
};
