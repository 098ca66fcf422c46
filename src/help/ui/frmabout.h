// SPDX-License-Identifier: GPL-3.0-or-later
// frmAbout: the program's title, version and legal notice, and a way to the system-information tool.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class frmAbout : public QDialog
{
    Q_OBJECT
public:
    // Not modal; OK closes and deletes it.
    explicit frmAbout(QWidget *parent = nullptr);

    // The notice under the title: the program's legal notice and the warranty disclaimer.
    static QString disclaimerText();

Q_SIGNALS:
    // cmdSysInfo was pressed.
    void sysInfoRequested();
};
