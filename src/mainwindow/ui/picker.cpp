// SPDX-License-Identifier: GPL-3.0-or-later
// The picker's open and close behaviour and its summary label.
#include "picker.h"

#include "data/itemroles.h"
#include "platform/ui/twips.h"
#include "present/textadvances.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QScrollBar>
#include <QToolButton>

namespace
{
constexpr int kOpenHeightTwips = 2000;
constexpr int kClosedHeightTwips = 300;
constexpr int kSpareWidthTwips = 600;
} // namespace

Picker::Picker(Kind kind, const QString &name, Texts texts, QWidget *parent)
    : QObject(parent), m_kind(kind), m_texts(std::move(texts)), m_label(new QLabel(m_texts.initial, parent)),
      m_button(new QToolButton(parent)), m_list(new QListWidget(parent))
{
    setObjectName(QStringLiteral("picker") + name);
    m_label->setObjectName(QStringLiteral("lbl") + name);
    m_label->setFrameShape(QFrame::StyledPanel);
    m_label->setMinimumWidth(twips(parent, 2400));
    m_button->setObjectName(QStringLiteral("cmd") + name);
    m_button->setArrowType(Qt::DownArrow);
    m_button->setToolTip(QStringLiteral("Press to select values"));
    m_list->setObjectName(QStringLiteral("lst") + name);
    m_list->setSelectionMode(kind == Kind::CheckBoxes ? QAbstractItemView::NoSelection
                                                      : QAbstractItemView::MultiSelection);
    m_list->setFrameShape(QFrame::Box);
    m_list->resize(twips(parent, 2400), twips(parent, kClosedHeightTwips));
    m_list->hide();
    m_list->installEventFilter(this);
    m_listObject = m_list.data();

    connect(m_button, &QToolButton::clicked, this, &Picker::click);
    connect(m_list, &QListWidget::itemChanged, this, [this] {
        if (!m_filling && m_kind == Kind::CheckBoxes)
            showLiveCount();
    });
    connect(m_list, &QListWidget::itemSelectionChanged, this, [this] {
        if (!m_filling && m_kind == Kind::MultipleSelection)
            showLiveCount();
    });
}

Picker::~Picker()
{
    if (m_watchingClicks)
        qApp->removeEventFilter(this);
    // The list may live in the host window rather than in the pane.
    if (!m_list.isNull()) {
        QListWidget *list = m_list.data();
        list->removeEventFilter(this);
        if (list->parent() != parent())
            delete list;
    }
}

void Picker::setHost(QWidget *host)
{
    m_host = host;
}

QWidget *Picker::host() const
{
    if (m_host)
        return m_host;
    return m_button->window();
}

void Picker::setEntries(const std::vector<CodeEntry> &entries, bool emptyMeansUnavailable)
{
    close();
    m_filling = true;
    m_list->clear();
    for (const CodeEntry &entry : entries) {
        auto *item = new QListWidgetItem(entry.text, m_list);
        item->setData(ItemRoles::RawValueRole, entry.rawValue);
        if (m_kind == Kind::CheckBoxes) {
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
        }
    }
    m_filling = false;
    const bool unavailable = emptyMeansUnavailable && entries.empty();
    m_label->setText(unavailable ? QStringLiteral("No Models Available") : m_texts.initial);
    if (emptyMeansUnavailable)
        m_button->setEnabled(!unavailable);
}

int Picker::widthForEntries() const
{
    TextAdvances advances(m_list->font());
    int widest = 0;
    for (int i = 0; i < m_list->count(); ++i)
        widest = std::max(widest, advances.width(m_list->item(i)->text()));
    // Room for the check box, the frame and the scroll bar.
    const int spare = twips(m_list, kSpareWidthTwips) + m_list->verticalScrollBar()->sizeHint().width();
    return widest + spare;
}

void Picker::setListWidth(int pixels)
{
    m_list->resize(pixels, m_list->height());
}

bool Picker::isOpen() const
{
    return m_list->isVisible() || !m_list->isHidden();
}

void Picker::click()
{
    if (isOpen())
        close();
    else
        open();
}

void Picker::open()
{
    QWidget *window = host();
    if (m_list->parentWidget() != window)
        m_list->setParent(window);
    const int height = std::min(twips(window, kOpenHeightTwips), std::max(window->height(), 1));
    // Below the button, opening to the left so that it lies under the summary label.
    const QPoint below = m_button->mapTo(window, QPoint(m_button->width(), m_button->height()));
    int left = below.x() - m_list->width();
    int top = below.y() + 1;
    left = std::clamp(left, 0, std::max(0, window->width() - m_list->width()));
    top = std::clamp(top, 0, std::max(0, window->height() - height));
    m_list->setGeometry(left, top, m_list->width(), height);
    m_list->raise();
    m_list->show();
    m_list->setFocus(Qt::PopupFocusReason);
    if (!m_watchingClicks) {
        qApp->installEventFilter(this);
        m_watchingClicks = true;
    }
}

void Picker::close()
{
    if (m_watchingClicks) {
        qApp->removeEventFilter(this);
        m_watchingClicks = false;
    }
    if (!isOpen())
        return;
    m_list->resize(m_list->width(), twips(m_list, kClosedHeightTwips));
    const int n = chosenCount();
    m_label->setText(n < 1 ? m_texts.noneChosen : QString::number(n) + m_texts.closedSuffix);
    m_list->hide();
}

void Picker::shrink()
{
    m_list->resize(m_list->width(), twips(m_list, kClosedHeightTwips));
}

int Picker::chosenCount() const
{
    int n = 0;
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem *item = m_list->item(i);
        if (m_kind == Kind::CheckBoxes ? item->checkState() == Qt::Checked : item->isSelected())
            ++n;
    }
    return n;
}

QStringList Picker::chosenRawValues() const
{
    QStringList values;
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem *item = m_list->item(i);
        if (m_kind == Kind::CheckBoxes ? item->checkState() == Qt::Checked : item->isSelected())
            values.append(item->data(ItemRoles::RawValueRole).toString());
    }
    return values;
}

void Picker::showLiveCount()
{
    m_label->setText(QString::number(chosenCount()) + m_texts.liveSuffix);
}

bool Picker::eventFilter(QObject *watched, QEvent *event)
{
    if (m_list.isNull())
        return false;
    // Identity by address only: a list half-way through its destruction is no longer a QListWidget.
    const bool onList = watched == m_listObject && qobject_cast<QListWidget *>(watched);
    if (onList && event->type() == QEvent::KeyPress) {
        // Esc or Enter ends the choosing like the button's click; the focus goes back to the button so that
        // the list's loss of focus does not close it a second time.
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (isOpen() && (key == Qt::Key_Escape || key == Qt::Key_Return || key == Qt::Key_Enter)) {
            m_button->setFocus(Qt::OtherFocusReason);
            close();
            return true;
        }
        return false;
    }
    if (onList && event->type() == QEvent::FocusOut) {
        // Losing the focus to the picker's own button leaves the closing to the button's click.
        if (QApplication::focusWidget() != m_button && isOpen())
            close();
        return false;
    }
    if (m_watchingClicks && event->type() == QEvent::MouseButtonPress && qobject_cast<QListWidget *>(m_listObject)) {
        auto *widget = qobject_cast<QWidget *>(watched);
        const auto *list = static_cast<const QWidget *>(m_listObject);
        if (widget && widget != list && !list->isAncestorOf(widget) && widget != m_button &&
            !m_button->isAncestorOf(widget))
            close();
    }
    return false;
}
