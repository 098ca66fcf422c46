// The frame: status bar panels, exit question and unload.
#include "mdimain.h"

#include "mainwindow/programstate.h"
#include "mainwindow/ui/frmfenwyx.h"
#include "platform/dialogs.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QStyle>

MDIMain::MDIMain(ProgramState &state, QWidget *parent)
    : QMainWindow(parent), m_state(state), m_icon(new QLabel(this)), m_message(new QLabel(this)),
      m_spare(new QLabel(this)), m_count(new QLabel(this))
{
    setObjectName(QStringLiteral("MDIMain"));
    setWindowTitle(QStringLiteral("Fenwyx"));
    QStatusBar *bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    m_icon->setObjectName(QStringLiteral("StatusBar1_Panel1"));
    m_message->setObjectName(QStringLiteral("StatusBar1_Panel2"));
    m_spare->setObjectName(QStringLiteral("StatusBar1_Panel3"));
    m_count->setObjectName(QStringLiteral("StatusBar1_Panel4"));
    m_icon->setFixedWidth(22);
    m_count->setMinimumWidth(140);
    m_spare->setMinimumWidth(60);
    bar->addWidget(m_icon);
    bar->addWidget(m_message, 1);
    bar->addPermanentWidget(m_spare);
    bar->addPermanentWidget(m_count);
    connect(&state.status, &StatusReporter::changed, this, &MDIMain::showStatus);
    showStatus();

    QSettings settings;
    if (!restoreGeometry(settings.value(QStringLiteral("frame/geometry")).toByteArray())) {
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
}

void MDIMain::setMainWindow(frmFenwyx *window)
{
    m_main = window;
    setCentralWidget(window);
    for (QMenu *menu : window->menus())
        menuBar()->addMenu(menu);
    connect(window, &frmFenwyx::exitRequested, this, &QWidget::close);
}

void MDIMain::showStatus()
{
    m_message->setText(m_state.status.message());
    m_count->setText(m_state.status.count());
    const int size = 16;
    switch (m_state.status.icon()) {
    case StatusReporter::Icon::InfoOK:
        m_icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(size, size));
        m_icon->setToolTip(QStringLiteral("InfoOK"));
        break;
    case StatusReporter::Icon::Error:
        m_icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(size, size));
        m_icon->setToolTip(QStringLiteral("Error"));
        break;
    case StatusReporter::Icon::None:
        m_icon->clear();
        m_icon->setToolTip(QString());
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
    QSettings settings;
    const QByteArray geometry = saveGeometry();
    if (settings.value(QStringLiteral("frame/geometry")).toByteArray() != geometry) // spare a write when unchanged
        settings.setValue(QStringLiteral("frame/geometry"), geometry);
}

void MDIMain::closeEvent(QCloseEvent *event)
{
    if (!m_unconditional) {
        Dialogs &dialogs = *m_state.services.dialogs;
        if (dialogs.message(QStringLiteral("Exit Fenwyx?"), QString(), MessageButtons::YesNo, MessageIcon::Question) !=
            MessageAnswer::Yes) {
            event->ignore();
            return;
        }
        if (m_state.profile.profileChanged()) {
            if (dialogs.message(QStringLiteral("Save Changes to Fuel Profile?"), QString(), MessageButtons::YesNo,
                                MessageIcon::Question) == MessageAnswer::Yes) {
                // A save that does not complete keeps the program open with the profile still changed.
                if (!m_state.profile.saveForExit()) {
                    event->ignore();
                    return;
                }
            }
        }
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
    if (event->type() == QEvent::WindowStateChange && frameMinimized)
        frameMinimized(isMinimized());
    QMainWindow::changeEvent(event);
}
