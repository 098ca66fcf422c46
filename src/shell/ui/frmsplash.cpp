// SPDX-License-Identifier: GPL-3.0-or-later
// The splash window; a click or a key closes it early.
#include "frmsplash.h"

#include "shell/programinfo.h"

#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>

frmSplash::frmSplash(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_app(new QLabel(this)),
      m_copyright(new QLabel(this)), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFocusPolicy(Qt::StrongFocus);
    m_app->setObjectName(QStringLiteral("lblApp"));
    m_copyright->setObjectName(QStringLiteral("lblCopyRight"));
    m_timer->setObjectName(QStringLiteral("Timer1"));
    // The window's own light green (a gradient from Light at the top to Window at the bottom) comes with the dark
    // text that reads on it, whatever the desktop's theme.
    QPalette colours = palette();
    colours.setColor(QPalette::Light, QColor(0xe9, 0xf1, 0xdf));
    colours.setColor(QPalette::Window, QColor(0xb7, 0xcf, 0x9c));
    colours.setColor(QPalette::WindowText, QColor(0x1c, 0x30, 0x18));
    colours.setColor(QPalette::Dark, QColor(0x3d, 0x6b, 0x35));
    setPalette(colours);

    auto *title = new QLabel(QStringLiteral("Fenwyx"), this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() * 3);
    big.setBold(true);
    title->setFont(big);
    auto *subtitle = new QLabel(QStringLiteral("Photo series of wildland fuels"), this);
    m_app->setText(releaseText());
    m_copyright->setText(ProgramInfo::legalNotice());
    m_copyright->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 28, 32, 22);
    layout->addWidget(title);
    layout->addWidget(subtitle);
    layout->addStretch(1);
    layout->addWidget(m_app);
    layout->addWidget(m_copyright);
    setFixedSize(460, 260);
}

QString frmSplash::releaseText()
{
    return QStringLiteral("Release ") + ProgramInfo::version();
}

void frmSplash::mousePressEvent(QMouseEvent *)
{
    close();
}

void frmSplash::keyPressEvent(QKeyEvent *)
{
    close();
}

void frmSplash::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    QLinearGradient gradient(0, 0, 0, height());
    gradient.setColorAt(0, palette().color(QPalette::Light));
    gradient.setColorAt(1, palette().color(QPalette::Window));
    painter.fillRect(rect(), gradient);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
