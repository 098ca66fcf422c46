// SPDX-License-Identifier: GPL-3.0-or-later
// The first start's page: what Fenwyx needs, and the ways to give it.
#include "welcomepane.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

WelcomePane::WelcomePane(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("vseWelcome"));
    auto *outer = new QVBoxLayout(this);
    outer->addStretch(1);
    auto *page = new QWidget(this);
    page->setMaximumWidth(640);
    auto *layout = new QGridLayout(page);
    layout->setColumnStretch(1, 1);
    layout->setVerticalSpacing(12);

    auto *title = new QLabel(QStringLiteral("Welcome to Fenwyx"), page);
    title->setObjectName(QStringLiteral("lblWelcome"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 1.5);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title, 0, 0, 1, 2);
    auto *intro = new QLabel(QStringLiteral("Fenwyx shows the photos of wildland-fuel photo series. No photo series "
                                            "is installed yet: install one from its disc, folder or download, "
                                            "or try Fenwyx with the sample series."),
                             page);
    intro->setObjectName(QStringLiteral("lblWelcomeText"));
    intro->setWordWrap(true);
    layout->addWidget(intro, 1, 0, 1, 2);

    int row = 2;
    const auto add = [&](const char *name, const QString &caption, const QString &explanation) {
        auto *button = new QPushButton(caption, page);
        button->setObjectName(QString::fromLatin1(name));
        auto *text = new QLabel(explanation, page);
        text->setWordWrap(true);
        text->setBuddy(button);
        button->setAccessibleDescription(explanation);
        layout->addWidget(button, row, 0, Qt::AlignTop);
        layout->addWidget(text, row, 1);
        ++row;
        return button;
    };
    QPushButton *series = add("cmdInstallSeries", QStringLiteral("Install a Photo Series..."),
                              QStringLiteral("Opens the photo manager, which installs a photo series from a disc, "
                                             "a folder or a .zip file."));
    QPushButton *sample = add("cmdInstallSample", QStringLiteral("Install the Sample Series"),
                              QStringLiteral("Installs a small sample series to try Fenwyx with. Its photos and "
                                             "values are invented, not measured; remove it later with "
                                             "File > Manage Photo Series."));
    QPushButton *folder = add("cmdWelcomePhotoFolder", QStringLiteral("Photo Folder..."),
                              QStringLiteral("Names the folder that holds the images of series whose data is "
                                             "installed already."));
    QPushButton *help =
        add("cmdWelcomeHelp", QStringLiteral("Help"), QStringLiteral("How photo series are installed and managed."));
    outer->addWidget(page, 0, Qt::AlignHCenter);
    outer->addStretch(2);

    connect(series, &QPushButton::clicked, this, &WelcomePane::installSeriesClicked);
    connect(sample, &QPushButton::clicked, this, &WelcomePane::installSampleClicked);
    connect(folder, &QPushButton::clicked, this, &WelcomePane::photoFolderClicked);
    connect(help, &QPushButton::clicked, this, &WelcomePane::helpClicked);
}
