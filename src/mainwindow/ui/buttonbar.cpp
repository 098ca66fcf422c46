// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's row of tool buttons.
#include "buttonbar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QToolButton>

namespace
{
// A screen reader or a switch device toggles a checkable button (its accessible "Toggle" calls
// QAbstractButton::toggle), which sets the action's check mark without triggering it: the button and the menu would
// show a mode the program is not in. Such a toggle triggers the action instead, as a click does, and the button then
// shows what the command made of it.
class BarButton : public QToolButton
{
public:
    using QToolButton::QToolButton;

protected:
    void checkStateSet() override
    {
        QAction *action = defaultAction();
        if (!action || !action->isCheckable() || isChecked() == action->isChecked()) {
            QToolButton::checkStateSet();
            return;
        }
        action->trigger();
        // An exclusive group keeps its chosen action checked.
        if (isChecked() != action->isChecked())
            setChecked(action->isChecked());
    }
};
} // namespace

ButtonBar::ButtonBar(QWidget *parent) : QFrame(parent), m_layout(new QHBoxLayout(this))
{
    setAccessibleName(QStringLiteral("Toolbar"));
    m_layout->setContentsMargins(4, 2, 4, 2);
    m_layout->setSpacing(2);
    m_layout->addStretch(1);
}

QToolButton *ButtonBar::addButton(QAction *action, const QString &key)
{
    auto *button = new BarButton(this);
    button->setObjectName(QStringLiteral("barMain_") + key);
    button->setProperty("key", key);
    button->setDefaultAction(action);
    button->setAutoRaise(true);
    button->setIconSize(m_iconSize);
    button->setToolButtonStyle(Qt::ToolButtonIconOnly);
    button->setFocusPolicy(Qt::NoFocus); // as in a tool bar: the keyboard reaches the commands by the menus
    m_layout->insertWidget(m_layout->count() - 1, button);
    addAction(action);
    m_buttons.insert(action, button);
    return button;
}

void ButtonBar::addSeparator()
{
    auto *line = new QFrame(this);
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    m_layout->insertWidget(m_layout->count() - 1, line);
    auto *separator = new QAction(this);
    separator->setSeparator(true);
    addAction(separator);
}
