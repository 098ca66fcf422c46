// The main window's row of tool buttons.
#include "buttonbar.h"

#include <QAction>
#include <QHBoxLayout>
#include <QToolButton>

ButtonBar::ButtonBar(QWidget *parent) : QFrame(parent), m_layout(new QHBoxLayout(this))
{
    setAccessibleName(QStringLiteral("Toolbar"));
    m_layout->setContentsMargins(4, 2, 4, 2);
    m_layout->setSpacing(2);
    m_layout->addStretch(1);
}

QToolButton *ButtonBar::addButton(QAction *action, const QString &key)
{
    auto *button = new QToolButton(this);
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
