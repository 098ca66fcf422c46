// SPDX-License-Identifier: GPL-3.0-or-later
// The About box.
#include "frmabout.h"
#include "platform/resourceimage.h"

#include "shell/programinfo.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

// The icon lives in the UI library's resources, which a static library only links in when asked for.
static QIcon programIcon()
{
    Q_INIT_RESOURCE(ui);
    return QIcon(QPixmap::fromImage(resourceImage(QStringLiteral(":/ui/icons/fenwyx.png"))));
}

frmAbout::frmAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setWindowTitle(QStringLiteral("About ") + ProgramInfo::title());

    auto *image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(programIcon().pixmap(QSize(64, 64), devicePixelRatioF()));
    image->setAccessibleName(ProgramInfo::title() + QStringLiteral(" icon"));
    image->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    auto *title = new QLabel(ProgramInfo::title(), this);
    title->setObjectName(QStringLiteral("lblTitle"));
    QFont big = title->font();
    big.setPointSizeF(big.pointSizeF() * 2.2);
    big.setBold(true);
    title->setFont(big);

    auto *tm = new QLabel(QStringLiteral("TM"), this);
    tm->setObjectName(QStringLiteral("Label1"));
    QFont small = tm->font();
    small.setPointSizeF(small.pointSizeF() * 0.75);
    tm->setFont(small);
    tm->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    auto *version = new QLabel(QStringLiteral("Version: ") + ProgramInfo::version(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *purpose = new QLabel(QStringLiteral("Photo series of wildland fuels: search, view, compare and print "
                                              "their photos, and build fuel profiles from them."),
                               this);
    purpose->setObjectName(QStringLiteral("lblDescription"));
    purpose->setWordWrap(true);

    auto *rule = new QFrame(this);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    auto *disclaimer = new QLabel(disclaimerText(), this);
    disclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    disclaimer->setWordWrap(true);
    QFont notice = disclaimer->font();
    notice.setPointSizeF(notice.pointSizeF() * 0.9);
    disclaimer->setFont(notice);

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    auto *sysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(ok, &QPushButton::clicked, this, &QWidget::close);
    connect(sysInfo, &QPushButton::clicked, this, &frmAbout::sysInfoRequested);

    auto *titleRow = new QHBoxLayout;
    titleRow->setSpacing(2);
    titleRow->addWidget(title, 0, Qt::AlignBottom);
    titleRow->addWidget(tm, 0, Qt::AlignTop);
    titleRow->addStretch(1);

    auto *head = new QGridLayout;
    head->setHorizontalSpacing(16);
    head->addWidget(image, 0, 0, 3, 1);
    head->addLayout(titleRow, 0, 1);
    head->addWidget(version, 1, 1);
    head->addWidget(purpose, 2, 1);
    head->setColumnStretch(1, 1);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(sysInfo);
    buttons->addStretch(1);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(disclaimer, 1);
    bottom->addSpacing(12);
    bottom->addLayout(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 16, 18, 14);
    layout->addLayout(head);
    layout->addWidget(rule);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    disclaimer->setFixedWidth(fontMetrics().averageCharWidth() * 58);
}

QString frmAbout::disclaimerText()
{
    return ProgramInfo::legalNotice() +
           QStringLiteral("\n\nYou may share and change Fenwyx under the terms of that licence, which comes with it "
                          "(on Debian in /usr/share/common-licenses/GPL-3). Fenwyx is provided as is, without "
                          "warranty of any kind. The loadings and depths it shows are those measured for the photo "
                          "series; weigh them against your own site before you rely on them.");
}
