// SPDX-License-Identifier: GPL-3.0-or-later
// frmDefaultWarn: the photo drive cannot be read; retry, run the photo manager, or look only locally.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

class frmDefaultWarn : public QDialog
{
    Q_OBJECT
public:
    explicit frmDefaultWarn(const QString &photoDirectory, QWidget *parent = nullptr);

    // The lines of lblWarn for a photo directory (shown in upper case).
    static QString warningText(const QString &photoDirectory);
    // Shows the window modally; the button pressed (1 retry, 2 manage photo series, 3 search local only),
    // 0 when it was closed without one.
    static int ask(const QString &photoDirectory, QWidget *parent = nullptr);

    int DriveChoice() const { return m_choice; }

private:
    void choose(int decision);

    int m_choice = 0;
};
