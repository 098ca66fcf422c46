// SPDX-License-Identifier: GPL-3.0-or-later
// barMain: a row of tool buttons that show the main window's actions, with separators between groups.
#pragma once

#include <QFrame>
#include <QHash>

class QAction;
class QHBoxLayout;
class QToolButton;

// Plain buttons rather than a QToolBar: a tool bar loads the style's picture files when it is made, and with
// them every image plugin of the system, which start-up would pay for in every run.
class ButtonBar : public QFrame
{
    Q_OBJECT
public:
    explicit ButtonBar(QWidget *parent = nullptr);

    // A button showing the action (its picture, tooltip, checked and enabled state), named barMain_<key>.
    QToolButton *addButton(QAction *action, const QString &key);
    void addSeparator();
    QToolButton *widgetForAction(QAction *action) const { return m_buttons.value(action); }

private:
    QHBoxLayout *m_layout;
    const QSize m_iconSize{24, 24};
    QHash<QAction *, QToolButton *> m_buttons;
};
