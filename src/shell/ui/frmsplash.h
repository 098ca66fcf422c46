// SPDX-License-Identifier: GPL-3.0-or-later
// frmSplash: the release number and legal notice while the program starts.
#pragma once

#include <QWidget>

class QLabel;
class QTimer;

class frmSplash : public QWidget
{
    Q_OBJECT
public:
    explicit frmSplash(QWidget *parent = nullptr);

    static QString releaseText(); // "Release 1.0.27"

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_app;
    QLabel *m_copyright;
    QTimer *m_timer;
};
