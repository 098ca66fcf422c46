// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's regions.
#include "frmfenwyx.h"

#include "data/resultsmodel.h"
#include "mainwindow/programstate.h"
#include "mainwindow/ui/buttonbar.h"
#include "mainwindow/ui/maincommands.h"
#include "mainwindow/ui/querypane.h"
#include "mainwindow/ui/resultslistview.h"
#include "mainwindow/ui/welcomepane.h"
#include "present/thumbnailcache.h"
#include "present/ui/comparebuttons.h"
#include "present/ui/photopanes.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSpacerItem>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

frmFenwyx::frmFenwyx(ProgramState &state, QWidget *parent)
    : QWidget(parent), m_commands(new MainCommands(this)), m_results(new ResultsModel(this))
{
    setObjectName(QStringLiteral("frmFenwyx"));
    setWindowTitle(QStringLiteral(" Browsing Photos"));
    createLayout(state);
    qApp->installEventFilter(this);
}

frmFenwyx::~frmFenwyx()
{
    qApp->removeEventFilter(this);
}

void frmFenwyx::createLayout(ProgramState &state)
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    // The toolbar and the query pane on the left of the band; on its right the room kept for the Assistant.
    m_band = new QHBoxLayout;
    m_band->setSpacing(0);
    m_top = new QVBoxLayout;
    m_top->setSpacing(0);
    m_band->addLayout(m_top, 1);
    m_room = new QSpacerItem(0, 0, QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_band->addItem(m_room);
    outer->addLayout(m_band);

    auto *toolbarRegion = new QWidget(this);
    toolbarRegion->setObjectName(QStringLiteral("vseToolBar"));
    auto *toolbarLayout = new QHBoxLayout(toolbarRegion);
    toolbarLayout->setContentsMargins(0, 0, 0, 0);
    toolbarLayout->addWidget(m_commands->toolbar());
    // The quick filter follows the toolbar's buttons, above the results list.
    m_filter = new QLineEdit(this);
    m_filter->setObjectName(QStringLiteral("txtFilter"));
    m_filter->setPlaceholderText(QStringLiteral("Filter photos"));
    m_filter->setAccessibleName(QStringLiteral("Filter photos"));
    m_filter->setToolTip(QStringLiteral("Shows only the listed photos whose label, description, codes or code names "
                                        "hold every word typed (Ctrl+F)"));
    m_filter->setClearButtonEnabled(true);
    m_filter->setMaximumWidth(m_filter->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 36);
    toolbarLayout->addWidget(m_filter);
    toolbarLayout->addStretch(1);
    m_top->addWidget(toolbarRegion);

    m_query = new QWidget(this);
    m_query->setObjectName(QStringLiteral("vseQuery"));
    auto *queryLayout = new QVBoxLayout(m_query);
    queryLayout->setContentsMargins(2, 2, 2, 2);
    m_queryPane = new QueryPane(state, m_query);
    m_queryPane->setPickerHost(this);
    queryLayout->addWidget(m_queryPane);
    m_top->addWidget(m_query);
    m_top->addStretch(1);

    m_main = new QSplitter(Qt::Vertical, this);
    m_main->setObjectName(QStringLiteral("vseMain"));
    m_main->setChildrenCollapsible(false);
    outer->addWidget(m_main, 1);

    auto *browse = new QWidget(m_main);
    browse->setObjectName(QStringLiteral("vseBrowse"));
    auto *browseLayout = new QHBoxLayout(browse);
    browseLayout->setContentsMargins(0, 0, 0, 0);
    auto *listRegion = new QWidget(browse);
    listRegion->setObjectName(QStringLiteral("vseList"));
    auto *listLayout = new QVBoxLayout(listRegion);
    listLayout->setContentsMargins(0, 0, 0, 0);
    m_list = new ResultsListView(m_results, listRegion);
    listLayout->addWidget(m_list);
    // The icon view's thumbnails, looked for where the photo display looks for the picture.
    ThumbnailCache::Options thumbnails;
    thumbnails.folder = ThumbnailCache::defaultFolder();
    thumbnails.size = QSize(96, 72) * devicePixelRatioF();
    m_list->setThumbnails(new ThumbnailCache(thumbnails, this), [&state](const PhotoRecord &photo) {
        return photoThumbnailSource(state.photoDirectory, state.programFolder, photo);
    });
    browseLayout->addWidget(listRegion, 1);
    m_browseButtons = new BrowseButtons(browse);
    browseLayout->addWidget(m_browseButtons);

    auto *below = new QWidget(m_main);
    below->setObjectName(QStringLiteral("vseBelow"));
    auto *belowLayout = new QHBoxLayout(below);
    belowLayout->setContentsMargins(0, 0, 0, 0);
    m_panes = new PhotoPanes(below);
    belowLayout->addWidget(m_panes, 1);

    m_main->addWidget(browse);
    m_main->addWidget(below);
    m_main->setStretchFactor(0, 2);
    m_main->setStretchFactor(1, 3);

    m_welcome = new WelcomePane(this);
    m_welcome->hide();
    outer->addWidget(m_welcome, 1);
}

void frmFenwyx::showQueryRegion(bool open)
{
    m_queryOpen = open;
    m_query->setVisible(open && !m_welcomeShown);
}

void frmFenwyx::showWelcome(bool shown)
{
    m_welcomeShown = shown;
    m_welcome->setVisible(shown);
    m_main->setVisible(!shown);
    showQueryRegion(m_queryOpen);
}

void frmFenwyx::setAssistantRoom(const QSize &room)
{
    m_roomWanted = room;
    applyAssistantRoom();
}

void frmFenwyx::applyAssistantRoom()
{
    // Never so large that the window could not keep its own controls: a small window lets the Assistant overlap.
    const int width = std::clamp(m_roomWanted.width(), 0, std::max(0, this->width() - m_top->minimumSize().width()));
    const int height =
        std::clamp(m_roomWanted.height(), 0, std::max(0, this->height() - m_main->minimumSizeHint().height()));
    const QSize room = width > 0 && height > 0 ? QSize(width, height) : QSize(0, 0);
    if (room == m_room->sizeHint())
        return;
    m_room->changeSize(room.width(), room.height(), QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_band->invalidate();
}

void frmFenwyx::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    applyAssistantRoom();
}

bool frmFenwyx::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::FocusIn && watched == m_filter)
        Q_EMIT filterFocused();
    if ((type == QEvent::KeyPress || type == QEvent::MouseButtonPress) && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (type == QEvent::KeyPress && (widget == this || isAncestorOf(widget)))
            Q_EMIT keyPressed();
        else if (type == QEvent::MouseButtonPress && widget == this)
            Q_EMIT backgroundPressed();
    }
    return QWidget::eventFilter(watched, event);
}
