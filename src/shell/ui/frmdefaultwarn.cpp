// SPDX-License-Identifier: GPL-3.0-or-later
// The photo-drive warning window.
#include "frmdefaultwarn.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmDefaultWarn::frmDefaultWarn(const QString &photoDirectory, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmDefaultWarn"));
    setWindowTitle(QStringLiteral("Fenwyx"));
    setModal(true);

    auto *layout = new QVBoxLayout(this);
    auto *heading = new QLabel(QStringLiteral("WARNING"), this);
    heading->setObjectName(QStringLiteral("lblWarning"));
    QFont bold = heading->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    heading->setFont(bold);
    heading->setAlignment(Qt::AlignCenter);
    layout->addWidget(heading);

    auto *warn = new QLabel(warningText(photoDirectory), this);
    warn->setObjectName(QStringLiteral("lblWarn"));
    warn->setTextFormat(Qt::PlainText);
    layout->addWidget(warn);

    auto *buttons = new QHBoxLayout;
    struct Button {
        const char *name;
        const char *caption;
        const char *tip;
        int decision;
    };
    const Button specs[] = {
        {"cmdRetry", "Retry", "Insert CD and try again", 1},
        {"cmdManagePhotos", "Manage Photo Series", "Change the Default Drive/Folder", 2},
        {"cmdSearchLocal", "Search Local Only", "Look only in the the local \\PhotoImages folder", 3},
    };
    for (const Button &b : specs) {
        auto *button = new QPushButton(QString::fromLatin1(b.caption), this);
        button->setObjectName(QString::fromLatin1(b.name));
        button->setToolTip(QString::fromLatin1(b.tip));
        button->setAutoDefault(false);
        const int decision = b.decision;
        connect(button, &QPushButton::clicked, this, [this, decision] { choose(decision); });
        buttons->addWidget(button);
    }
    layout->addLayout(buttons);
}

QString frmDefaultWarn::warningText(const QString &photoDirectory)
{
    const QStringList lines{
        QStringLiteral("The default drive/folder (") + photoDirectory.toUpper() +
            QStringLiteral(") that contains the photo images is not accessible."),
        QString(),
        QStringLiteral("You can take the following actions: "),
        QString(),
        QStringLiteral(" 1. Insert the CD or Disk into the correct drive and press RETRY."),
        QStringLiteral("     (CD may take a few seconds to become available after insertion.)"),
        QStringLiteral(" 2. Press MANAGE PHOTO SERIES to change the default photo directory."),
        QStringLiteral(" 3. Press SEARCH LOCAL ONLY to skip looking in the default drive/folder"),
        QStringLiteral("     for the duration of this application session."),
    };
    return lines.join(QLatin1Char('\n'));
}

void frmDefaultWarn::choose(int decision)
{
    m_choice = decision;
    accept();
}

int frmDefaultWarn::ask(const QString &photoDirectory, QWidget *parent)
{
    frmDefaultWarn window(photoDirectory, parent);
    window.exec();
    return window.DriveChoice();
}
