// SPDX-License-Identifier: GPL-3.0-or-later
// The progress window of the reports.
#include "frmprinting.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace
{
// A small printer with a sheet coming out, drawn rather than shipped.
QPixmap printerPicture()
{
    const qreal ratio = qApp->devicePixelRatio(); // sharp on a screen of any pixel density
    QPixmap pixmap(QSize(32, 32) * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 1.5));
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(9, 3, 14, 10));
    painter.setBrush(QColor(150, 150, 160));
    painter.drawRoundedRect(QRectF(3, 12, 26, 11), 2, 2);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(9, 19, 14, 10));
    painter.drawLine(QPointF(12, 23), QPointF(20, 23));
    painter.drawLine(QPointF(12, 26), QPointF(18, 26));
    return pixmap;
}
} // namespace

PrintingLed::PrintingLed(QWidget *parent) : QWidget(parent)
{
    setFixedSize(sizeHint());
}

void PrintingLed::setColour(const QColor &colour)
{
    m_colour = colour;
    update();
}

void PrintingLed::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.setBrush(m_colour);
    painter.drawEllipse(QRectF(rect()).adjusted(1, 1, -1, -1));
}

frmPrinting::frmPrinting(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), m_message(new QLabel(this)),
      m_pages(new QLabel(this)), m_picture(new QLabel(this)), m_led(new PrintingLed(this)),
      m_cancel(new QPushButton(this)), m_timer(new QTimer(this))
{
    setObjectName(QStringLiteral("frmPrinting"));
    setWindowTitle(QStringLiteral("Printing"));
    m_message->setObjectName(QStringLiteral("lblPrintMsg"));
    m_message->setText(QStringLiteral("Printing ..."));
    m_pages->setObjectName(QStringLiteral("lblPageCount"));
    m_pages->hide();
    m_picture->setObjectName(QStringLiteral("Image1"));
    m_picture->setPixmap(printerPicture());
    m_picture->setAccessibleName(QStringLiteral("Printer"));
    m_led->setObjectName(QStringLiteral("shpLED"));
    m_led->setAccessibleName(QStringLiteral("Printing indicator"));
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cancel->setText(QStringLiteral("Cancel"));
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(400);

    auto *frame = new QFrame(this);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    auto *messages = new QVBoxLayout;
    messages->addWidget(m_message);
    messages->addWidget(m_pages);
    auto *row = new QHBoxLayout;
    row->addWidget(m_picture);
    row->addLayout(messages, 1);
    row->addWidget(m_led);
    auto *inner = new QVBoxLayout(frame);
    inner->addLayout(row);
    inner->addWidget(m_cancel, 0, Qt::AlignHCenter);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);
    setMinimumWidth(220);

    connect(m_cancel, &QPushButton::clicked, this, [this] { m_cancelled = true; });
    connect(m_timer, &QTimer::timeout, this, &frmPrinting::Timer1_Timer);
}

void frmPrinting::showPage(int page, int pages)
{
    m_pages->setText(QStringLiteral("Page %1 of %2").arg(page).arg(pages));
    m_pages->setVisible(pages > 1);
}

void frmPrinting::showEvent(QShowEvent *event)
{
    m_cancelled = false;
    m_timer->start();
    QWidget::showEvent(event);
}

void frmPrinting::hideEvent(QHideEvent *event)
{
    m_timer->stop();
    QWidget::hideEvent(event);
}

void frmPrinting::Timer1_Timer()
{
    m_led->setColour(m_led->colour() != QColor(Qt::white) ? QColor(Qt::white) : QColor(0x00, 0xff, 0x00));
}
