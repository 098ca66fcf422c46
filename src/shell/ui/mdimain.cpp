// SPDX-License-Identifier: GPL-3.0-or-later
// The frame: status bar panels, exit question and unload.
#include "mdimain.h"

#include "platform/settingsstore.h"
#include "shell/programinfo.h"
#include "shell/statusreporter.h"
#include "shell/ui/programicons.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

namespace
{
const QString kApplication = QStringLiteral("Fenwyx");
const QString kSection = QStringLiteral("Frame");
const QString kGeometry = QStringLiteral("Geometry");
} // namespace

MDIMain::MDIMain(StatusReporter &status, SettingsStore *settings, QWidget *parent)
    : QMainWindow(parent), m_status(status), m_settings(settings), m_icon(new QLabel(this)),
      m_message(new QLabel(this)), m_spare(new QLabel(this)), m_count(new QLabel(this))
{
    setObjectName(QStringLiteral("MDIMain"));
    setWindowTitle(ProgramInfo::title());
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    m_icon->setObjectName(QStringLiteral("StatusBar1_Panel1"));
    m_message->setObjectName(QStringLiteral("StatusBar1_Panel2"));
    m_spare->setObjectName(QStringLiteral("StatusBar1_Panel3"));
    m_count->setObjectName(QStringLiteral("StatusBar1_Panel4"));
    // The message and the count are read by the texts they show; the icon, a picture, by what it means.
    m_icon->setAccessibleDescription(QStringLiteral("Message kind"));
    m_message->setAccessibleDescription(QStringLiteral("Message"));
    m_count->setAccessibleDescription(QStringLiteral("Photos found"));
    m_icon->setFixedWidth(22);
    m_count->setMinimumWidth(140);
    m_spare->setMinimumWidth(60);
    bar->addWidget(m_icon);
    bar->addWidget(m_message, 1);
    bar->addPermanentWidget(m_spare);
    bar->addPermanentWidget(m_count);
    connect(&status, &StatusReporter::changed, this, &MDIMain::showStatus);
    showStatus();
    restoreGeometrySetting();
}

void MDIMain::restoreGeometrySetting()
{
    const QByteArray stored =
        m_settings ? QByteArray::fromBase64(m_settings->readText(kApplication, kSection, kGeometry, {}).toLatin1())
                   : QByteArray();
    if (!stored.isEmpty() && restoreGeometry(stored))
        return;
    // First start: most of the screen, centred; the photos need the room.
    QSize size(1100, 800);
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect available = screen->availableGeometry();
        size = size.expandedTo(available.size() * 0.9).boundedTo(available.size());
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, available));
    } else {
        resize(size);
    }
}

void MDIMain::setMainWindow(QWidget *window, const QList<QMenu *> &menus)
{
    m_main = window;
    setCentralWidget(window);
    // As a frame shows the caption of the window it holds: the program's title, " - " and that caption.
    const auto showCaption = [this](const QString &caption) {
        setWindowTitle(caption.isEmpty() ? ProgramInfo::title()
                                         : ProgramInfo::title() + QStringLiteral(" - ") + caption);
    };
    showCaption(window->windowTitle());
    connect(window, &QWidget::windowTitleChanged, this, showCaption);
    for (QMenu *menu : menus)
        menuBar()->addMenu(menu);
}

void MDIMain::showStatus()
{
    m_message->setText(m_status.message());
    m_count->setText(m_status.count());
    const QSize size(16, 16);
    switch (m_status.icon()) {
    case StatusReporter::Icon::InfoOK:
        m_icon->setPixmap(programIcon(QStringLiteral("InfoOK")).pixmap(size, m_icon->devicePixelRatioF()));
        m_icon->setToolTip(QStringLiteral("InfoOK"));
        m_icon->setAccessibleName(QStringLiteral("Information"));
        break;
    case StatusReporter::Icon::Error:
        m_icon->setPixmap(programIcon(QStringLiteral("Error")).pixmap(size, m_icon->devicePixelRatioF()));
        m_icon->setToolTip(QStringLiteral("Error"));
        m_icon->setAccessibleName(QStringLiteral("Error"));
        break;
    case StatusReporter::Icon::None:
        m_icon->clear();
        m_icon->setToolTip(QString());
        m_icon->setAccessibleName(QString());
        break;
    }
}

void MDIMain::closeWithoutAsking()
{
    m_unconditional = true;
    close();
}

void MDIMain::saveGeometrySetting()
{
    if (!m_settings)
        return;
    const QString geometry = QString::fromLatin1(saveGeometry().toBase64());
    // Spare a write when nothing moved.
    if (m_settings->readText(kApplication, kSection, kGeometry, {}) != geometry)
        m_settings->writeText(kApplication, kSection, kGeometry, geometry);
}

void MDIMain::closeEvent(QCloseEvent *event)
{
    if (!m_unconditional && m_question && !m_question->mayClose()) {
        event->ignore();
        return;
    }
    saveGeometrySetting();
    event->accept();
    // Unload every other window still loaded.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible())
            window->close();
    }
    // Not quit(): that would ask every window to close again.
    QCoreApplication::exit(0);
}

void MDIMain::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::WindowStateChange && isMinimized() != m_minimized) {
        m_minimized = isMinimized();
        Q_EMIT minimizedChanged(m_minimized);
    }
    QMainWindow::changeEvent(event);
}
