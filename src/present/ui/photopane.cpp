// SPDX-License-Identifier: GPL-3.0-or-later
// The photo pane's controls and their look.
#include "photopane.h"
#include "platform/colourcontrast.h"
#include "platform/ui/twips.h"

#include "present/datasheetmodel.h"
#include "present/ui/loadinggraph.h"
#include "present/ui/picturebox.h"
#include "present/ui/textcelldelegate.h"

#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QTableView>
#include <algorithm>
#include <cmath>

namespace
{
// The longest data sheet sets the grid's scale, so that its text keeps one size from photo to photo.
constexpr int kLongestSheet = 15;
// A large window shows a large sheet, up to twice the window's font; a small one a smaller sheet, down to
// four fifths of it, and beyond that a scroll bar.
constexpr double kLargestScale = 2.0;
constexpr double kSmallestScale = 0.8;

struct GridColumns {
    int label;
    int value;
};

GridColumns gridColumns(const QFontMetrics &metrics)
{
    return {metrics.horizontalAdvance(QString(20, QLatin1Char(' ')) + QStringLiteral("Total 0\"-3\" ")) +
                metrics.horizontalAdvance(QStringLiteral("Average Fuelbed Depth (In.)")) / 3 + 12,
            metrics.horizontalAdvance(QStringLiteral("00000.00")) + 16};
}
} // namespace

PhotoPane::PhotoPane(int slot, QWidget *parent) : QFrame(parent), m_slot(slot), m_model(new DataSheetModel(this))
{
    const QString index = QStringLiteral("_") + QString::number(slot);
    setObjectName(QStringLiteral("vsePane") + index);
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    setMinimumSize(120, 90);

    m_picture = new PictureBox(this);
    m_picture->setObjectName(QStringLiteral("picPreviewPhoto") + index);
    const QString side = slot == 0 ? QStringLiteral("Left") : QStringLiteral("Right");
    m_picture->setAccessibleName(side + QStringLiteral(" picture"));

    m_noPic = new QLabel(this);
    m_noPic->setObjectName(QStringLiteral("lblNoPic") + index);
    m_noPic->setAlignment(Qt::AlignCenter);
    m_noPic->setWordWrap(true);
    m_noPic->setTextFormat(Qt::PlainText);
    m_noPic->hide();
    m_noPic->setAccessibleDescription(side + QStringLiteral(" picture message"));

    m_label = new QLabel(this);
    m_label->setObjectName(QStringLiteral("lblSelectedPhoto") + index);
    m_label->setTextFormat(Qt::PlainText);
    m_label->setAccessibleDescription(side + QStringLiteral(" photo"));
    QFont bold = m_label->font();
    bold.setBold(true);
    m_label->setFont(bold);
    m_label->move(twips(this, 90), 1);

    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("grdselect") + index);
    m_grid->setAccessibleName(QStringLiteral("Data sheet"));
    m_grid->setAccessibleDescription(side + QStringLiteral(" photo"));
    m_grid->setModel(m_model);
    m_grid->setItemDelegate(new TextCellDelegate(m_grid));
    m_grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grid->setSelectionMode(QAbstractItemView::NoSelection);
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setWordWrap(false);
    QPalette grid = m_grid->palette(); // the data sheet's light yellow, and the black text that reads on it
    grid.setColor(QPalette::Base, QColor(255, 255, 192));
    grid.setColor(QPalette::Text, Qt::black);
    m_grid->setPalette(grid);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setMinimumSectionSize(m_grid->fontMetrics().height() + 1);
    m_grid->verticalHeader()->setDefaultSectionSize(m_grid->fontMetrics().height() + 4);
    connect(m_grid, &QTableView::pressed, this, [this] { Q_EMIT clicked(m_slot); });
    fitGrid(false);
    // Wide enough for the data sheet at the window's font; its rows adapt to the height (fitGrid).
    const GridColumns natural = gridColumns(fontMetrics());
    setMinimumSize(twips(this, 330) + natural.label + natural.value + 2 * m_grid->frameWidth() + 4, 90);

    m_chart = new LoadingGraph(this);
    m_chart->setObjectName(QStringLiteral("chtTotal") + index);
    m_chart->hide();

    setActive(false);
}

QRect PhotoPane::pictureRoom() const
{
    const int margin = twips(this, 130);
    const QPoint topLeft(margin, twips(this, 270));
    return QRect(topLeft,
                 QSize(std::max(1, width() - topLeft.x() - margin), std::max(1, height() - topLeft.y() - margin)));
}

void PhotoPane::fitGrid(bool belowLabel)
{
    const int frame = 2 * m_grid->frameWidth();
    const int left = twips(this, 330);
    const int top = belowLabel ? m_label->geometry().bottom() + 3 : twips(this, 130);
    const QWidget *holder = m_grid->parentWidget();
    const QSize room = holder ? QSize(holder->width() - left - 4, holder->height() - top - frame - 2) : QSize();

    // The text grows with the room of the pane holding the grid, in steps of a twentieth.
    const QFont base = font();
    const QFontMetrics baseMetrics(base);
    const GridColumns natural = gridColumns(baseMetrics);
    // Roomy rows decide how far the text grows, close ones whether it must shrink.
    const double roomy = double(room.height()) / (kLongestSheet * (baseMetrics.height() + 4));
    const double close = double(room.height()) / (kLongestSheet * (baseMetrics.height() + 1));
    const double scale = std::clamp(std::min(roomy >= 1 ? roomy : std::min(close, 1.0),
                                             double(room.width()) / (natural.label + natural.value + frame)),
                                    kSmallestScale, kLargestScale);
    QFont sized = base;
    const double step = std::floor(scale * 20) / 20;
    if (base.pointSizeF() > 0)
        sized.setPointSizeF(base.pointSizeF() * step);
    else
        sized.setPixelSize(int(base.pixelSize() * step));
    if (m_grid->font() != sized)
        m_grid->setFont(sized);

    const QFontMetrics metrics = m_grid->fontMetrics();
    const GridColumns columns = gridColumns(metrics);
    m_grid->setColumnWidth(0, columns.label);
    m_grid->setColumnWidth(1, columns.value);
    const int rows = std::max(m_model->rowCount(), 1);
    // Rows as roomy as the pane allows, so that all of them show without scrolling; a pane too low for the
    // smallest rows scrolls them rather than hide the last.
    const int rowHeight = std::clamp(holder ? room.height() / rows : 0, metrics.height() + 1, metrics.height() + 4);
    m_grid->verticalHeader()->setDefaultSectionSize(rowHeight);
    const bool scrolls = holder && rows * rowHeight > room.height();
    m_grid->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    const int scrollBar = scrolls ? m_grid->verticalScrollBar()->sizeHint().width() : 0;
    m_grid->resize(columns.label + columns.value + frame + scrollBar,
                   (scrolls ? std::max(rowHeight, room.height() / rowHeight * rowHeight) : rows * rowHeight) + frame);
    m_grid->move(left, top);
}

void PhotoPane::showNoPicMessage(const QString &text)
{
    m_noPic->setText(text);
    m_noPic->setVisible(!text.isEmpty());
    if (!text.isEmpty())
        m_noPic->raise();
}

void PhotoPane::setActive(bool active)
{
    m_active = active;
    const QColor text = active ? Qt::white : Qt::black;
    QPalette pane = palette();
    const QColor theme = pane.color(active ? QPalette::Highlight : QPalette::Button);
    pane.setColor(QPalette::Window, ColourContrast::readableBackground(theme, text));
    {
        const QScopedValueRollback<bool> applying(m_applyingPalette, true);
        setPalette(pane);
    }
    for (QLabel *label : {m_label, m_noPic}) {
        QPalette labelPalette = label->palette();
        labelPalette.setColor(QPalette::WindowText, text);
        label->setPalette(labelPalette);
    }
}

void PhotoPane::changeEvent(QEvent *event)
{
    QFrame::changeEvent(event);
    // A new desktop theme (dark mode switched on) brings new colours to keep the labels readable on.
    if (event->type() == QEvent::PaletteChange && !m_applyingPalette)
        setActive(m_active);
}

// The picture and the labels leave their clicks to the pane.
void PhotoPane::mousePressEvent(QMouseEvent *event)
{
    Q_EMIT clicked(m_slot);
    QFrame::mousePressEvent(event);
}

void PhotoPane::resizeEvent(QResizeEvent *event)
{
    QFrame::resizeEvent(event);
    m_label->resize(std::max(10, width() - twips(this, 90) - 4), twips(this, 270) - 2);
    Q_EMIT resized();
}
