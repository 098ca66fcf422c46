// SPDX-License-Identifier: GPL-3.0-or-later
// A layout that sets its items side by side and starts a new line when the width runs out.
#pragma once

#include <QLayout>
#include <QList>

// Items keep their preferred size, top-aligned in their line; a hidden item takes no room. The height
// follows the width, so that a narrow window shows the same controls on more lines.
class FlowLayout : public QLayout
{
public:
    explicit FlowLayout(QWidget *parent = nullptr, int horizontalSpacing = 12, int verticalSpacing = 4);
    ~FlowLayout() override;

    void addItem(QLayoutItem *item) override;
    int count() const override { return int(m_items.size()); }
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;

    Qt::Orientations expandingDirections() const override { return {}; }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect &rect) override;

private:
    // Lays the items out in rect (or only measures when apply is false); gives the height used.
    int arrange(const QRect &rect, bool apply) const;

    QList<QLayoutItem *> m_items;
    int m_horizontal;
    int m_vertical;
};
