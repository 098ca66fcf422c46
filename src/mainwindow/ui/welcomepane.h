// SPDX-License-Identifier: GPL-3.0-or-later
// vseWelcome: what the main window shows in place of the list and panes while no photo series is installed.
#pragma once

#include <QWidget>

class QPushButton;

class WelcomePane : public QWidget
{
    Q_OBJECT
public:
    explicit WelcomePane(QWidget *parent = nullptr);

Q_SIGNALS:
    void installSeriesClicked();
    void installSampleClicked();
    void photoFolderClicked();
    void helpClicked();
};
